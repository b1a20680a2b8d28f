// Property: whatever a unit displays reads back through the exact reader as
// complete, within half a display step of the value and with its sign, for every
// unit, precision, power, factor, display flag, separator and regional setting,
// under several user locales.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ExactTolerance.h"
#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "LocaleEnvironment.h"
#include "PelUnitsRead.h"
#include "TestText.h"

namespace {

const double kPi = std::acos(-1.0);

enum class Kind {
  decimal,
  poundsOunces,
  feetDecimalInch,
  feetFraction,
  fractionDecimal,
  angle,
  gonOrRadian,
  dms
};

struct UnitSetup {
  const char* name;
  int units;
  int representation;
  int power;      // 0: the factory's
  double factor;  // 0: the prototype's
  const wchar_t* symbol;
  Kind kind;
  double low, high;  // magnitudes of the generated values
};

const UnitSetup kSetups[] = {
    {"millimetres", 20, 5, 0, 1.0, L"mm", Kind::decimal, 1e-3, 1e7},
    {"metres", 20, 5, 0, 1000.0, L"m", Kind::decimal, 1e-3, 1e7},
    {"decimal inches", 20, 5, 0, 25.4, L"in", Kind::decimal, 1e-3, 1e7},
    {"square metres", 3005, 3003, 0, 1e6, L"m\u00B2", Kind::decimal, 1e-2, 1e9},
    {"square inches (area mark)", 3005, 3003, 0, 645.16, L"", Kind::decimal, 1e-2, 1e9},
    {"cubic centimetres", 5003, 4003, 0, 1000.0, L"cm\u00B3", Kind::decimal, 1e-2, 1e12},
    {"fourth power, own symbol", 5103, 5003, 0, 10000.0, L"cm\u2074", Kind::decimal, 1e-2, 1e12},
    {"kilonewtons", 3101, 0, 0, 1.0, L"kN", Kind::decimal, 1e-3, 1e6},
    {"newtons", 3101, 0, 0, 0.001, L"N", Kind::decimal, 1e-3, 1e6},
    {"kilonewton-metres", 3201, 0, 0, 1.0, L"kNm", Kind::decimal, 1e-3, 1e6},
    {"stress", 3300, 0, 0, 1.0, L"N/mm\u00B2", Kind::decimal, 1e-3, 1e6},
    {"grams", 1009, 0, 0, 1.0, L"g", Kind::decimal, 1e-3, 1e9},
    {"kilograms", 1009, 0, 0, 1000.0, L"kg", Kind::decimal, 1e-3, 1e9},
    {"pounds and ounces", 1010, 0, 0, 0.0, L"", Kind::poundsOunces, 1e-3, 1e9},
    {"pounds and ounces, kg echo", 1010, 0, 0, 1000.0, L"kg", Kind::poundsOunces, 1e-3, 1e9},
    {"weight above the pound threshold", 1010, 0, 0, 1e6, L"t", Kind::decimal, 1e-3, 1e12},
    {"feet and decimal inches", 20, 2, 0, 0.0, L"", Kind::feetDecimalInch, 1e-3, 1e7},
    {"square feet and decimal inches", 20, 2, 2, 0.0, L"", Kind::feetDecimalInch, 1e-2, 1e9},
    {"cubic feet and decimal inches", 20, 2, 3, 0.0, L"", Kind::feetDecimalInch, 1e-2, 1e12},
    {"feet, inches and fraction", 20, 1, 0, 0.0, L"", Kind::feetFraction, 1e-3, 1e7},
    {"square feet, inches and fraction", 20, 1, 2, 0.0, L"", Kind::feetFraction, 1e-2, 1e9},
    {"fractional decimal inches", 20, 5006, 0, 25.4, L"in", Kind::fractionDecimal, 1e-3, 1e7},
    {"fractional decimal metres", 20, 5006, 0, 1000.0, L"m", Kind::fractionDecimal, 1e-3, 1e7},
    {"degrees", 2000, 0, 0, 360.0, L"\u00B0", Kind::angle, 1e-3, 1e4},
    {"degrees, circle 400", 2000, 0, 0, 400.0, L"\u00B0", Kind::angle, 1e-3, 1e4},
    {"gon", 2000, 2007, 0, 400.0, L"gon", Kind::gonOrRadian, 1e-3, 1e4},
    {"gon with a degree symbol", 2000, 2007, 0, 400.0, L"\u00B0", Kind::gonOrRadian, 1e-3, 1e4},
    {"radians", 2000, 2005, 0, 2 * kPi, L"rad", Kind::gonOrRadian, 1e-3, 1e4},
    {"degrees, minutes, seconds", 2000, 2008, 0, 0.0, L"", Kind::dms, 1e-3, 1e4},
};

std::vector<int> precisionsOf(Kind kind) {
  switch (kind) {
    case Kind::feetDecimalInch:
      return {10, 100, 1000, 10000};
    case Kind::feetFraction:
    case Kind::fractionDecimal:
      return {1, 2, 3, 4, 8, 16, 64, 100, 1024};
    case Kind::dms:
      return {0, 60, 3600, 36000, 3600000};
    default:
      return {1, 10, 100, 1000, 100000000};
  }
}

TEST(ExactRoundTrip, EveryDisplayReadsBackCompleteWithinHalfAStep) {
  std::mt19937_64 random(20261205);
  const char* locales[] = {nullptr, "en_US.UTF-8", "de_DE.UTF-8", "de_CH.UTF-8", "fr_FR.UTF-8"};
  long checked = 0;
  for (const char* locale : locales) {
#if defined(_WIN32)
    if (locale != nullptr) continue;  // Windows takes the locale from the system
#else
    std::unique_ptr<ScopedNumericLocale> scoped;
    if (locale != nullptr) scoped = std::make_unique<ScopedNumericLocale>(locale);
#endif
    for (const UnitSetup& s : kSetups) {
      for (int precision : precisionsOf(s.kind)) {
        const pelunits::UnitPtr unit = newUnit(s.units, s.representation, s.power);
        ASSERT_NE(unit, nullptr) << s.name;
        if (s.factor != 0.0) unit->setFactor(s.factor);
        unit->setPrecision(precision);
        unit->setSymbol(KovString(s.symbol));
        unit->setUseRegionalSettings(locale != nullptr ? 1 : 0);
        std::uniform_real_distribution<double> exponent(std::log10(s.low), std::log10(s.high));
        int failures = 0;
        // Generated values, then the edges: zero, the smallest and largest doubles.
        const double edges[] = {0.0,   5e-324, -2.2250738585072014e-308, 1e15,
                                -1e15, 1e300,  -1.7976931348623157e308};
        constexpr int kGenerated = 200;
        for (int i = 0; i < kGenerated + 7 && failures < 3; ++i) {
          const double magnitude = std::pow(10.0, exponent(random));
          const double value = i >= kGenerated       ? edges[i - kGenerated]
                               : (random() & 1) != 0 ? -magnitude
                                                     : magnitude;
          const int trim = i & 1;
          const int hideZeroFeet = (i >> 1) & 1;
          const int hideZeroInches = (i >> 2) & 1;
          const wchar_t separator = (i >> 3) & 1 ? L'-' : L' ';
          const KovString texts[] = {
              unit->getDisplayString(value, trim, 0, hideZeroFeet, hideZeroInches, separator),
              unit->getDisplayStringWithUnits(value, trim)};
          for (const KovString& text : texts) {
            const pelunits::ReadResult r = pelunits::readExact(*unit, text);
            double expected = value;
            // The display writes no sign for angles between -1 and 0 degrees: "0°30'0"".
            if (s.kind == Kind::dms && std::fmod(value, 360.0) > -1.0 && value < 0 &&
                text.find(L'-') < 0) {
              expected = -value;
            }
            const double error = exacttest::difference(*unit, r.value, expected);
            double allowed = exacttest::tolerance(*unit, value);
            // At the top of the range the display unit's number, or the value read
            // back, overflows: the sign and the infinity are what remains.
            if (std::isinf(r.value) && std::fabs(value) > 1e307 && (r.value < 0) == (value < 0)) {
              allowed = std::numeric_limits<double>::infinity();
            }
            ++checked;
            if (r.status != pelunits::ReadStatus::complete || !(std::fabs(error) <= allowed)) {
              ++failures;
              ADD_FAILURE() << s.name << " (precision " << precision << ", "
                            << (locale ? locale : "regional off") << "): " << value << " shows \""
                            << narrow(text) << "\", read " << static_cast<int>(r.status) << " "
                            << r.value << " at " << r.position << " (" << r.message << "), off by "
                            << error << " (allowed " << allowed << ")";
            }
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 50000);
}

// nan, inf and -inf read back as themselves in every unit.
TEST(ExactRoundTrip, NonFiniteDisplaysReadBackAsThemselves) {
  const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()};
  for (const UnitSetup& s : kSetups) {
    const pelunits::UnitPtr unit = newUnit(s.units, s.representation, s.power);
    if (s.factor != 0.0) unit->setFactor(s.factor);
    unit->setSymbol(KovString(s.symbol));
    for (double value : values) {
      const KovString texts[] = {unit->getDisplayString(value, 0, 0, 0, 0, L' '),
                                 unit->getDisplayStringWithUnits(value, 0)};
      for (const KovString& text : texts) {
        SCOPED_TRACE(std::string(s.name) + ": " + narrow(text));
        const pelunits::ReadResult r = pelunits::readExact(*unit, text);
        ASSERT_EQ(r.status, pelunits::ReadStatus::complete);
        if (std::isnan(value)) {
          EXPECT_TRUE(std::isnan(r.value));
        } else {
          EXPECT_EQ(r.value, value);
        }
      }
    }
  }
}

#if !defined(_WIN32)
// The metric validator accepts its own regional display, digit groups included.
TEST(ExactRoundTrip, TheMetricValidatorAcceptsItsRegionalDisplay) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-3.0, 9.0);
  for (const char* locale : {"en_US.UTF-8", "de_DE.UTF-8", "de_CH.UTF-8", "fr_FR.UTF-8"}) {
    ScopedNumericLocale scoped(locale);
    const pelunits::UnitPtr unit = newUnit(20, 5);
    unit->setFactor(1000.0);
    unit->setPrecision(1000);
    unit->setUseRegionalSettings(1);
    for (int i = 0; i < 200; ++i) {
      const double value = ((i & 1) != 0 ? -1 : 1) * std::pow(10.0, exponent(random));
      const KovString text = unit->getDisplayString(value, i & 2, 0, 0, 0, L' ');
      ASSERT_EQ(unit->isValidString(text), 1) << locale << ": " << narrow(text);
    }
    // Only the user's own separator: another locale's stays refused.
    const wchar_t* foreign = std::string(locale) == "de_CH.UTF-8" ? L"1 234.5" : L"1\u2019234";
    EXPECT_EQ(unit->isValidString(KovString(foreign)), 0) << locale;
  }
}
#endif

}  // namespace
