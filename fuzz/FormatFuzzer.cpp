// Fuzzes pelunits::format() with every option over every unit the factory makes: any
// double bit pattern for the value and the numeric step, any rounding, digits, flags and
// separator, and a step text from the rest of the input. Properties: every input gets
// an answer; a non-finite value shows exactly "nan", "inf" or "-inf"; texts are
// zero-terminated, carry no NUL and stay within a bound; the same call gives the same
// text twice. With the settings a host gives (power 1 to 4, a positive factor of a
// sensible size, the regional flag 0 or 1), every text reads back complete through the
// exact reader (with the angle style and convention the text was written with), and with
// the inexact marker asked for, a text without it reads back within 1e-9 of the value
// (angles aside, which the displays reduce by a turn); a bearing or an azimuth reads
// back as 0 up to 360 degrees.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "PelUnitsFormat.h"
#include "PelUnitsRead.h"
#include "Utf8.h"
#include "fuzz/FuzzInput.h"

namespace {

using pelunits::fuzz::countOf;

void check(bool condition, const char* what, const KovString& text) {
  pelunits::fuzz::requireProperty(condition, "format property", what, &text);
}

// The longest text: 309 digits of a count times a step of 9 digits, 309 zeros of a
// step's exponent or 1100 decimals of a tiny step, grouping and marks.
constexpr int kLengthBound = 2048;

// The step texts the tests use, a few that read as no step, and then the raw text.
const wchar_t* const kIncrements[] = {
    nullptr, L"",       L"5 mm", L"0.005 m", L"1/2\"", L"15'",    L"0.5 oz", L"1'",
    L"1\"",  L"1/3 mm", L"5 kg", L"-5 mm",   L"0",     L"1e-300", L"1e300",  L"nan"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pelunits::fuzz::ByteReader in(data, size);
  const pelunits::fuzz::UnitSetup setup = pelunits::fuzz::readUnitSetup(in);
  const double value = in.rawDouble();
  pelunits::FormatOptions options;
  options.incrementValue = in.rawDouble();
  options.rounding = static_cast<pelunits::Rounding>(in.byte() % 3);
  options.significantDigits = static_cast<int>(in.byte() % 20) - 1;
  const std::uint8_t flags = in.byte();
  options.plusSign = (flags & 1) != 0;
  options.typographic = (flags & 2) != 0;
  options.inexactMarker = (flags & 4) != 0;
  options.trimTrailingZeros = (flags & 8) != 0;
  options.hideZeroFeet = (flags & 16) != 0;
  options.hideZeroInches = (flags & 32) != 0;
  options.withSymbol = (flags & 64) != 0;
  options.separator = in.wideChar();
  const std::size_t incrementChoice = in.byte() % (countOf(kIncrements) + 1);
  const std::uint8_t angle = in.byte();
  options.angleStyle = static_cast<pelunits::AngleStyle>(angle % 3);
  options.angleConvention.zero = static_cast<pelunits::AngleZero>(angle / 3 % 4);
  options.angleConvention.sense = static_cast<pelunits::AngleSense>(angle / 12 % 2);
  const std::wstring raw =
      pelunits::fuzz::decodeText(in.from(in.position()), in.sizeFrom(in.position()));
  // The raw text ends at its first NUL, as the option reads it.
  options.increment =
      incrementChoice < countOf(kIncrements) ? kIncrements[incrementChoice] : raw.c_str();

  pelunits::fuzz::useLocale(setup.locale);
  KovUnitTransform* unit = pelunits::fuzz::makeUnit(setup);
  if (unit == nullptr) return 0;

  const KovString text = pelunits::format(*unit, value, options);
  check(text.getStringW()[text.length()] == 0, "text not terminated", text);
  check(std::wcslen(text.getStringW()) == static_cast<std::size_t>(text.length()),
        "text holds a NUL", text);
  check(text.length() <= kLengthBound, "text too long", text);
  check(!text.isEmpty(), "empty text", text);
  check(pelunits::format(*unit, value, options) == text, "the same value formatted differently",
        text);
  if (!std::isfinite(value)) {
    const wchar_t* want = std::isnan(value) ? L"nan" : (value < 0 ? L"-inf" : L"inf");
    check(text == want, "non-finite value", text);
  }

  const double factor = unit->getFactor();
  const int power = unit->getPower();
  const int regional = unit->getUseRegionalSettings();
  if (std::isfinite(value) && std::fabs(value) < 1e300 && power >= 1 && power <= 4 &&
      factor >= 1e-3 && factor <= 1e7 && (regional == 0 || regional == 1)) {
    const pelunits::ReadResult read =
        pelunits::readExact(*unit, text, options.angleStyle, options.angleConvention);
    if (read.status != pelunits::ReadStatus::complete) {
      std::fprintf(stderr, "locale %s, regional %d, factor %g, precision %d: %s at %zu\n",
                   setup.locale, regional, factor, unit->getPrecision(), read.message,
                   read.position);
    }
    check(read.status == pelunits::ReadStatus::complete, "a text does not read back", text);
    // A display number that underflows to zero (5e-324 mm in metres) shows no difference.
    const bool overflowed = std::isinf(read.value) && (read.value < 0) == (value < 0);
    check(!options.inexactMarker || unit->isAngle() != 0 || text[0] == L'~' || overflowed ||
              std::fabs(read.value - value) <= 1e-9 * std::fabs(value) + 1e-300,
          "a text without the marker reads back off the value", text);
    check(unit->isAngle() == 0 || options.angleStyle == pelunits::AngleStyle::plain ||
              (read.value >= 0.0 && read.value < 360.0),
          "a direction reads back outside a turn", text);
  }
  KovUnitsTransformArray::removeUnit(unit);
  return 0;
}
