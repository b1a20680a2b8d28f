#include "Bearing.h"

#include <cmath>

#include "QuantityGrammar.h"
#include "TypedText.h"

namespace pelunits {
namespace exact {

namespace {

// The azimuth of the internal zero.
double azimuthOfZero(AngleZero zero) {
  switch (zero) {
    case AngleZero::north:
      return 0.0;
    case AngleZero::west:
      return 270.0;
    case AngleZero::south:
      return 180.0;
    default:
      return 90.0;
  }
}

// +1 when internal angles grow as azimuths do (clockwise), else -1.
double senseOf(AngleSense sense) { return sense == AngleSense::clockwise ? 1.0 : -1.0; }

// x reduced to 0 up to a turn; an x that rounds to a turn from below gives 0.
double withinTurn(double x) {
  double r = turnRemainder(x);
  if (r < 0) r += kDegreesPerTurn;
  return r > 0.0 && r < kDegreesPerTurn ? r : 0.0;  // no -0 either
}

wchar_t upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

bool isQuadrantLetter(wchar_t c) {
  const wchar_t u = upper(c);
  return u == L'N' || u == L'S' || u == L'E' || u == L'W';
}

// Where a bearing's first letter stands: after the blanks and a "~" in front of it.
std::size_t quadrantLetterAt(const wchar_t* text, std::size_t length) {
  const std::size_t i = afterBlanks(text, 0, length);
  return i < length && text[i] == L'~' ? afterBlanks(text, i + 1, length) : i;
}

ReadResult stopped(ReadStatus status, std::size_t position, const char* message) {
  return ReadResult{status, 0.0, position, message};
}

ReadResult complete(double value, std::size_t length) {
  return ReadResult{ReadStatus::complete, value, length, ""};
}

// The internal angle of `offset + sign × x` degrees of azimuth, x the angle that `text`
// reads as (complete and finite, `read` its double): the reading repeated with the
// whole turns and the convention placed exactly before its one rounding.
ReadResult placedReading(const wchar_t* text, std::size_t length, const Field& field, double read,
                         double offset, double sign, const AngleConvention& convention) {
  // internal = s × (azimuth - zero) = s × (offset - zero) + s × sign × x
  const double s = senseOf(convention.sense);
  const double start = s * (offset - azimuthOfZero(convention.zero));
  const bool negate = s * sign < 0;
  const double approximate = start + (negate ? -read : read);
  const double turns = std::floor(approximate / kDegreesPerTurn);
  Placement placement;
  placement.offset = start - turns * kDegreesPerTurn;
  placement.negate = negate;
  ReadResult result = readQuantity(text, length, field, placement);
  if (result.status == ReadStatus::complete) result.value = withinTurn(result.value);
  return result;
}

}  // namespace

double turnRemainder(double degrees) noexcept {
  const double magnitude = std::fabs(degrees);
  if (magnitude < kDegreesPerTurn) return degrees;
  // The remainder keeps the sign of the angle, that of a zero too.
  if (magnitude < 2 * kDegreesPerTurn) return std::copysign(magnitude - kDegreesPerTurn, degrees);
  return std::fmod(degrees, kDegreesPerTurn);
}

double azimuthOf(double internalDegrees, const AngleConvention& convention) noexcept {
  const double turned = turnRemainder(internalDegrees);
  return withinTurn(azimuthOfZero(convention.zero) + senseOf(convention.sense) * turned);
}

Quadrant quadrantOf(double azimuth) noexcept {
  if (azimuth <= 90.0) return Quadrant{L'N', L'E', azimuth};
  if (azimuth < 180.0) return Quadrant{L'S', L'E', 180.0 - azimuth};
  if (azimuth < 270.0) return Quadrant{L'S', L'W', azimuth - 180.0};
  return Quadrant{L'N', L'W', 360.0 - azimuth};
}

bool looksLikeBearing(const wchar_t* text, std::size_t length) noexcept {
  const std::size_t i = quadrantLetterAt(text, length);
  return i < length && isQuadrantLetter(text[i]) &&
         (i + 1 == length || !isAsciiLetter(text[i + 1]));
}

ReadResult readBearing(const wchar_t* text, std::size_t length, const Field& field,
                       const AngleConvention& convention) noexcept {
  const std::size_t i = quadrantLetterAt(text, length);
  std::size_t end = length;
  while (end > i && text[end - 1] == L' ') --end;
  const wchar_t from = upper(text[i]);
  const std::size_t angleAt = afterBlanks(text, i + 1, end);
  // A letter alone is an axis: N, E, S or W.
  if (angleAt == end) {
    const double azimuth = from == L'N' ? 0.0 : from == L'E' ? 90.0 : from == L'S' ? 180.0 : 270.0;
    const double s = senseOf(convention.sense);
    return complete(withinTurn(s * (azimuth - azimuthOfZero(convention.zero))), length);
  }
  if (from == L'E' || from == L'W') {
    return stopped(ReadStatus::invalid, i, "a bearing starts with N or S");
  }
  // The closing letter: the last character, where no other letter stands before it.
  const bool closed =
      end - angleAt >= 2 && isQuadrantLetter(text[end - 1]) && !isAsciiLetter(text[end - 2]);
  const wchar_t toward = closed ? upper(text[end - 1]) : L'\0';
  if (toward == L'N' || toward == L'S') {
    return stopped(ReadStatus::invalid, end - 1, "a bearing ends in E or W");
  }
  const std::size_t angleEnd = closed ? end - 1 : end;
  ReadResult angle = readQuantity(text + angleAt, angleEnd - angleAt, field);
  if (angle.status == ReadStatus::invalid || (closed && angle.status != ReadStatus::complete)) {
    return stopped(ReadStatus::invalid, angleAt + angle.position, angle.message);
  }
  if (!closed) return stopped(ReadStatus::incomplete, length, "a bearing ends in E or W");
  if (!(angle.value >= 0.0 && angle.value <= kDegreesPerQuarter)) {
    return stopped(ReadStatus::invalid, angleAt, "the angle of a bearing is 0 to 90 degrees");
  }
  // azimuth = offset + sign × angle
  const bool north = from == L'N';
  const bool east = toward == L'E';
  const double offset = north ? (east ? 0.0 : 360.0) : 180.0;
  const double sign = north == east ? 1.0 : -1.0;
  ReadResult result = placedReading(text + angleAt, angleEnd - angleAt, field, angle.value, offset,
                                    sign, convention);
  result.position = length;
  return result;
}

ReadResult readDirection(const wchar_t* text, std::size_t length, const Field& field,
                         AngleStyle style, const AngleConvention& convention) noexcept {
  if (looksLikeBearing(text, length)) return readBearing(text, length, field, convention);
  const ReadResult read = readQuantity(text, length, field);
  if (style != AngleStyle::azimuth || read.status != ReadStatus::complete ||
      !std::isfinite(read.value)) {
    return read;
  }
  return placedReading(text, length, field, read.value, 0.0, 1.0, convention);
}

}  // namespace exact
}  // namespace pelunits
