#include "units/angle/KovUnitGradMinSec.h"

#include <climits>
#include <cmath>

#include "TextRange.h"

namespace {

// Appends `number` with `decimals` decimals followed by `mark`; a number text that
// reads 0 loses its '-'.
void appendPart(KovString& text, double number, int decimals, wchar_t mark) {
  pelunits::appendNumber(text, number, decimals);
  text += mark;
}

}  // namespace

int KovUnitGradMinSec::getPrecision() const { return denominator; }

void KovUnitGradMinSec::setPrecision(int value) {
  noDecimals = 0;
  if (value > 0) {
    denominator = value;
  } else {
    noDecimals = 1;
    denominator = 1;
  }
}

int KovUnitGradMinSec::incrementPrecision() {
  const int before = denominator;
  const int noDecimalsBefore = noDecimals;
  if (denominator == 1) {
    denominator = 60;
    noDecimals = 0;
  } else if (denominator == 60) {
    denominator = 3600;
  } else if (denominator > INT_MAX / 10) {
    // One step past 360000000 would leave the int range: the finest resolution
    // an int holds (seconds with 4 decimals) is kept instead.
    denominator = INT_MAX;
  } else {
    denominator *= 10;
  }
  return denominator != before || noDecimals != noDecimalsBefore ? 1 : 0;
}

KovString KovUnitGradMinSec::getDisplayString(double value, int trimTrailingZeros,
                                              int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                              int /*hideZeroInches*/, wchar_t /*separator*/) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  const double r = pelunits::remainderOf(value, kDegreesPerCircle);
  const bool negative = r < 0;
  const double a = std::fabs(r);
  // Minutes are cut, not rounded, and the seconds keep their fraction for the
  // formatting to round: seconds may show 60 but minutes never exceed 59.
  double wholeDegrees = a - pelunits::fractionalPart(a);
  const double minutes = pelunits::fractionalPart(a) * 60.0;
  const double wholeMinutes = minutes - pelunits::fractionalPart(minutes);
  const double seconds = pelunits::fractionalPart(minutes) * 60.0;
  const int p = noDecimals != 0 ? 0 : getPrecision();
  if (negative) wholeDegrees = -wholeDegrees;

  KovString text;

  if (p == 0) {
    appendPart(text, r, 0, kDegreeMark);  // rounds to whole degrees, keeping the sign
  } else {
    appendPart(text, wholeDegrees, 0, kDegreeMark);
    appendPart(text, wholeMinutes, 0, kMinuteMark);
    if (p != 60) {
      // One decimal of the seconds for each division by 60 beyond the second.
      int divisions = 0;
      for (int rest = p; rest > 1; rest /= 60) ++divisions;
      appendPart(text, seconds, divisions > 2 ? divisions - 2 : 0, kSecondsMark);
    }
  }
  removeTrailingZeros(text, trimTrailingZeros);
  return text;
}

int KovUnitGradMinSec::isValidString(const KovString& text) const {
  // Read in place: the scans skip leading blanks and an all-blank part fails as an
  // empty one does, so trimming the text first would change no answer.
  const int d = text.find(kDegreeMark);
  const int m = text.find(kMinuteMark);
  const int s = text.find(kSecondsMark);

  if ((d >= 0 && m >= 0 && d > m) || (d >= 0 && s >= 0 && d > s) || (m >= 0 && s >= 0 && m > s)) {
    return 0;
  }
  bool valid = true;
  if (d >= 0) {
    valid = pelunits::startsWithInteger(text, 0, d);
    if (m >= 0) {
      valid = valid && pelunits::startsWithInteger(text, d + 1, m);
      if (s >= 0) valid = valid && pelunits::startsWithReal(text, m + 1, s);
    } else if (s >= 0) {
      valid = valid && pelunits::startsWithReal(text, d + 1, s);
    }
  } else if (m >= 0) {
    valid = pelunits::startsWithInteger(text, 0, m);
    if (s >= 0) valid = valid && pelunits::startsWithReal(text, m + 1, s);
  } else if (s >= 0) {
    valid = pelunits::startsWithReal(text, 0, s);
  }
  return valid ? 1 : 0;
}
