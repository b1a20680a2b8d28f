// Fuzzes every display of every unit the factory makes: any double bit pattern,
// every setting and every combination of display flags and arguments. Properties:
// a non-finite value shows as exactly "nan", "inf" or "-inf"; a finite value never
// shows "nan"; texts are zero-terminated, carry no NUL and stay within a bound;
// getDisplayString is not empty unless the user's format drops a lone zero; the
// same call gives the same text twice and leaves the unit unchanged. With the
// settings a host gives (power 1 to 4, a positive factor of a sensible size), the
// display and the display with units read back through the exact reader as
// complete, within half a display step (tests/ExactTolerance.h), keeping the sign.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "PelUnitsRead.h"
#include "Utf8.h"
#include "fuzz/FuzzInput.h"
#include "tests/ExactTolerance.h"

namespace {

using pelunits::fuzz::countOf;

void check(bool condition, const char* what, const KovString& text) {
  pelunits::fuzz::requireProperty(condition, "unit display property", what, &text);
}

// The longest display: 309 integer digits with grouping, 9 decimals, the
// fraction markup with a 309-digit parameter, marks and the symbol.
constexpr int kLengthBound = 1536;

void checkText(const KovString& text, const KovUnitTransform& unit) {
  check(text.getStringW()[text.length()] == 0, "text not terminated", text);
  check(std::wcslen(text.getStringW()) == static_cast<std::size_t>(text.length()),
        "text holds a NUL", text);
  check(text.length() <= kLengthBound + unit.getSymbol().length() * 2, "text too long", text);
}

bool startsWith(const KovString& text, const wchar_t* head) {
  return text.left(static_cast<int>(std::wcslen(head))) == head;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pelunits::fuzz::ByteReader in(data, size);
  const pelunits::fuzz::UnitSetup setup = pelunits::fuzz::readUnitSetup(in);
  const double value = in.rawDouble();
  const std::uint8_t flags = in.byte();
  // Flags are ints: mostly 0 and 1, sometimes other nonzero values.
  static const int kFlagValues[] = {1, 2, -1, INT_MIN};
  const int nonzero = kFlagValues[in.byte() % countOf(kFlagValues)];
  const wchar_t separator = in.wideChar();
  const auto representation = static_cast<KovUnitTransform::eFractionRepresentation>(in.i32());
  const auto lineArrangement = static_cast<KovUnitTransform::eFractionLineArrangement>(in.i32());
  const double fractionParameter = in.rawDouble();
  const int trimTrailingZeros = (flags & 1) != 0 ? nonzero : 0;
  const int trimLeadingZero = (flags & 2) != 0 ? nonzero : 0;
  const int hideZeroFeet = (flags & 4) != 0 ? nonzero : 0;
  const int hideZeroInches = (flags & 8) != 0 ? nonzero : 0;
  const bool showInchMark = (flags & 16) != 0;
  const bool stackedFlag = (flags & 32) != 0;
  const bool dashAfterFeet = (flags & 64) != 0;
  const bool extraFlag = (flags & 128) != 0;

  pelunits::fuzz::useLocale(setup.locale);
  KovUnitTransform* unit = pelunits::fuzz::makeUnit(setup);
  if (unit == nullptr) return 0;
  const int precisionBefore = unit->getPrecision();

  const KovString plain = unit->getDisplayString(value, trimTrailingZeros, trimLeadingZero,
                                                 hideZeroFeet, hideZeroInches, separator);
  const KovString arch = unit->getDisplayStringArch(
      value, trimTrailingZeros, representation, lineArrangement, fractionParameter, showInchMark,
      stackedFlag, dashAfterFeet, extraFlag, trimLeadingZero, hideZeroFeet, hideZeroInches,
      separator);
  const KovString withUnits = unit->getDisplayStringWithUnits(value, trimTrailingZeros);
  for (const KovString* text : {&plain, &arch, &withUnits}) checkText(*text, *unit);

  if (!std::isfinite(value)) {
    const wchar_t* want = std::isnan(value) ? L"nan" : (value < 0 ? L"-inf" : L"inf");
    check(plain == want, "non-finite getDisplayString", plain);
    check(arch == want, "non-finite getDisplayStringArch", arch);
    check(startsWith(withUnits, want), "non-finite getDisplayStringWithUnits", withUnits);
  } else {
    // With a quantity power (1 to 4) and a factor that keeps the value finite, no
    // step may make a NaN; other powers scale by 25.4^power, which can be 0 or inf.
    const double factor = unit->getFactor();
    const int power = unit->getPower();
    if (power >= 1 && power <= 4 && std::isfinite(factor) && std::isfinite(value / factor) &&
        std::isfinite(value * factor) && std::fabs(value) < 1e300) {
      check(plain.find(KovString(L"nan")) < 0, "finite value shows nan", plain);
      // The markup copies the caller's fractionParameter as it is.
      if (std::isfinite(fractionParameter)) {
        check(arch.find(KovString(L"nan")) < 0, "finite value shows nan (arch)", arch);
      }
    }
    // Only a regional format without leading zero can turn "0.00" into ".00",
    // which trailing-zero trimming then empties.
    if (unit->getUseRegionalSettings() == 0 || trimTrailingZeros == 0) {
      check(!plain.isEmpty(), "empty getDisplayString", plain);
    }
  }

  const double factor = unit->getFactor();
  const int power = unit->getPower();
  // A regional flag other than 1 trims zeros at the group separator too ("1.240" to
  // "1.24" under de_DE): such a display no longer shows the value, so it is left out.
  const int regional = unit->getUseRegionalSettings();
  if (std::isfinite(value) && std::fabs(value) < 1e300 && power >= 1 && power <= 4 &&
      factor >= 1e-3 && factor <= 1e7 && (regional == 0 || regional == 1)) {
    for (const KovString* text : {&plain, &withUnits}) {
      const pelunits::ReadResult r = pelunits::readExact(*unit, *text);
      if (r.status != pelunits::ReadStatus::complete) {
        std::fprintf(stderr, "locale %s, regional %d, factor %g, precision %d: %s at %zu\n",
                     setup.locale, unit->getUseRegionalSettings(), factor, unit->getPrecision(),
                     r.message, r.position);
      }
      check(r.status == pelunits::ReadStatus::complete, "a display does not read back", *text);
      double expected = value;
      // The degrees-minutes-seconds display writes no sign between -1 and 0 degrees.
      if (value < 0 && text->find(L'-') < 0 && unit->isAngle() != 0 &&
          std::fmod(value, 360.0) > -1.0) {
        expected = -value;
      }
      const double error = exacttest::difference(*unit, r.value, expected);
      const bool overflowed = std::isinf(r.value) && (r.value < 0) == (value < 0);
      check(overflowed || std::fabs(error) <= exacttest::tolerance(*unit, value),
            "a display reads back off by more than half a step", *text);
    }
  }

  check(unit->getDisplayString(value, trimTrailingZeros, trimLeadingZero, hideZeroFeet,
                               hideZeroInches, separator) == plain,
        "the same value shown differently twice", plain);
  check(unit->getPrecision() == precisionBefore, "a display changed the precision", plain);
  KovUnitsTransformArray::removeUnit(unit);
  return 0;
}
