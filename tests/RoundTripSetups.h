#pragma once

// What the round-trip property tests display: every unit class with the settings a
// host gives it, each at the precisions its class steps through, under several user
// locales, for values drawn with a fixed seed from the ranges a structural model uses,
// then for the edges of the double range and the non-finite values; the display flags
// and the separator take every combination in turn.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "LocaleEnvironment.h"
#include "TestText.h"

namespace roundtrip {

// How the precision steps: decimals, the decimals of the inches, fractions, or
// degrees-minutes-seconds.
enum class Kind { decimal, feetDecimalInch, fraction, dms };

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

inline const UnitSetup kSetups[] = {
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
    {"pounds and ounces", 1010, 0, 0, 0.0, L"", Kind::decimal, 1e-3, 1e9},
    {"pounds and ounces, kg echo", 1010, 0, 0, 1000.0, L"kg", Kind::decimal, 1e-3, 1e9},
    {"weight above the pound threshold", 1010, 0, 0, 1e6, L"t", Kind::decimal, 1e-3, 1e12},
    {"feet and decimal inches", 20, 2, 0, 0.0, L"", Kind::feetDecimalInch, 1e-3, 1e7},
    {"square feet and decimal inches", 20, 2, 2, 0.0, L"", Kind::feetDecimalInch, 1e-2, 1e9},
    {"cubic feet and decimal inches", 20, 2, 3, 0.0, L"", Kind::feetDecimalInch, 1e-2, 1e12},
    {"feet, inches and fraction", 20, 1, 0, 0.0, L"", Kind::fraction, 1e-3, 1e7},
    {"square feet, inches and fraction", 20, 1, 2, 0.0, L"", Kind::fraction, 1e-2, 1e9},
    {"fractional decimal inches", 20, 5006, 0, 25.4, L"in", Kind::fraction, 1e-3, 1e7},
    {"fractional decimal metres", 20, 5006, 0, 1000.0, L"m", Kind::fraction, 1e-3, 1e7},
    {"degrees", 2000, 0, 0, 360.0, L"\u00B0", Kind::decimal, 1e-3, 1e4},
    {"degrees, circle 400", 2000, 0, 0, 400.0, L"\u00B0", Kind::decimal, 1e-3, 1e4},
    {"gon", 2000, 2007, 0, 400.0, L"gon", Kind::decimal, 1e-3, 1e4},
    {"gon with a degree symbol", 2000, 2007, 0, 400.0, L"\u00B0", Kind::decimal, 1e-3, 1e4},
    {"radians", 2000, 2005, 0, 6.283185307179586, L"rad", Kind::decimal, 1e-3, 1e4},
    {"degrees, minutes, seconds", 2000, 2008, 0, 0.0, L"", Kind::dms, 1e-3, 1e4},
};

inline std::vector<int> precisionsOf(Kind kind) {
  switch (kind) {
    case Kind::feetDecimalInch:
      return {10, 100, 1000, 10000};
    case Kind::fraction:
      return {1, 2, 3, 4, 8, 10, 16, 32, 64, 100, 128, 256, 1024};
    case Kind::dms:
      return {0, 60, 3600, 36000, 3600000, 36000000};
    default:
      return {1, 10, 100, 1000, 10000, 100000000};
  }
}

inline pelunits::UnitPtr makeUnit(const UnitSetup& s) {
  pelunits::UnitPtr unit = newUnit(s.units, s.representation, s.power);
  if (unit != nullptr && s.factor != 0.0) unit->setFactor(s.factor);
  if (unit != nullptr) unit->setSymbol(KovString(s.symbol));
  return unit;
}

// One display of one value.
struct Display {
  const UnitSetup& setup;
  const char* locale;  // null: the regional flag off
  const KovUnitTransform& unit;
  double value;
  int trim;
  int hideZeroFeet;
  wchar_t separator;
  KovString text;  // getDisplayString with these flags
};

// Calls check(display) on `generated` values and the edges for every setup, precision
// and locale that wanted(setup, locale) selects; check returns false on a failure,
// and after three the rest of that unit and precision is left out. Returns the
// number of displays checked.
template <class Wanted, class Check>
long forEachDisplay(std::uint64_t seed, int generated, Wanted wanted, Check check) {
  const char* const locales[] = {nullptr, "en_US.UTF-8", "de_DE.UTF-8", "de_CH.UTF-8",
                                 "fr_FR.UTF-8"};
  const double edges[] = {0.0,      5e-324,   -2.2250738585072014e-308, 1e15,
                          -1e15,    1e300,    -1.7976931348623157e308,  NAN,
                          INFINITY, -INFINITY};
  constexpr int kEdges = static_cast<int>(sizeof edges / sizeof edges[0]);
  std::mt19937_64 random(seed);
  long checked = 0;
  for (const char* locale : locales) {
#if defined(_WIN32)
    if (locale != nullptr) continue;  // Windows takes the locale from the system
#else
    std::unique_ptr<ScopedNumericLocale> scoped;
    if (locale != nullptr) scoped = std::make_unique<ScopedNumericLocale>(locale);
#endif
    for (const UnitSetup& s : kSetups) {
      if (!wanted(s, locale)) continue;
      for (int precision : precisionsOf(s.kind)) {
        const pelunits::UnitPtr unit = makeUnit(s);
        EXPECT_NE(unit, nullptr) << s.name;
        if (unit == nullptr) break;
        unit->setPrecision(precision);
        unit->setUseRegionalSettings(locale != nullptr ? 1 : 0);
        std::uniform_real_distribution<double> exponent(std::log10(s.low), std::log10(s.high));
        int failures = 0;
        for (int i = 0; i < generated + kEdges && failures < 3; ++i) {
          const double magnitude = std::pow(10.0, exponent(random));
          const double value = i >= generated        ? edges[i - generated]
                               : (random() & 1) != 0 ? -magnitude
                                                     : magnitude;
          Display display{s, locale, *unit, value, i & 1, (i >> 1) & 1, (i >> 3) & 1 ? L'-' : L' ',
                          {}};
          display.text = unit->getDisplayString(value, display.trim, 0, display.hideZeroFeet,
                                                (i >> 2) & 1, display.separator);
          if (!check(display)) ++failures;
          ++checked;
        }
      }
    }
  }
  return checked;
}

}  // namespace roundtrip
