// format() with options: tables of the values where rounding is hard, and a round trip
// that holds every text to the value an independent reading of its digits gives.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "KovString.h"
#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "PelUnitsFormat.h"
#include "PelUnitsRead.h"
#include "RegionalSource.h"
#include "TestText.h"

namespace {

using pelunits::FormatOptions;
using pelunits::Rounding;

constexpr double kIn = 25.4;
constexpr double kOz = 28.34952;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr Rounding kNearest = Rounding::nearest;
constexpr Rounding kUp = Rounding::up;
constexpr Rounding kDown = Rounding::down;

pelunits::UnitPtr namedUnit(const char* name, int precision = 0) {
  pelunits::UnitPtr unit(pelunits::newNamedUnit(*pelunits::findNamedUnit(name)));
  if (precision != 0) unit->setPrecision(precision);
  return unit;
}

enum Flag : unsigned {
  kPlus = 1,
  kTypographic = 2,
  kMarker = 4,
  kTrim = 8,
  kShowZeroFeet = 16,
  kHideZeroInches = 32,
  kDash = 64
};

struct Options {
  const wchar_t* increment = nullptr;
  unsigned flags = 0;
  Rounding rounding = Rounding::nearest;
  int significantDigits = 0;
  double incrementValue = 0.0;
};

FormatOptions optionsOf(const Options& o) {
  FormatOptions options;
  options.increment = o.increment;
  options.incrementValue = o.incrementValue;
  options.rounding = o.rounding;
  options.significantDigits = o.significantDigits;
  options.plusSign = (o.flags & kPlus) != 0;
  options.typographic = (o.flags & kTypographic) != 0;
  options.inexactMarker = (o.flags & kMarker) != 0;
  options.trimTrailingZeros = (o.flags & kTrim) != 0;
  options.hideZeroFeet = (o.flags & kShowZeroFeet) == 0;
  options.hideZeroInches = (o.flags & kHideZeroInches) != 0;
  options.separator = (o.flags & kDash) != 0 ? L'-' : L' ';
  return options;
}

struct Case {
  const char* unit;
  int precision;  // 0: the catalogue's
  double value;
  Options options;
  const wchar_t* expected;
};

// Each row's text, and that it reads back complete through the exact reader.
void expectTexts(const Case* cases, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const Case& c = cases[i];
    const pelunits::UnitPtr unit = namedUnit(c.unit, c.precision);
    const KovString text = pelunits::format(*unit, c.value, optionsOf(c.options));
    SCOPED_TRACE(testing::Message() << c.unit << " " << c.value << " -> " << narrow(text));
    EXPECT_EQ(text, KovString(c.expected));
    if (std::isfinite(c.value)) {
      EXPECT_EQ(pelunits::readExact(*unit, text).status, pelunits::ReadStatus::complete);
    }
  }
}

TEST(Format, RoundsDecimalUnitsToTheIncrementInEachMode) {
  const Case cases[] = {
      {"millimetres", 0, 12.5, {L"5 mm"}, L"15"},  // a tie goes away from zero
      {"millimetres", 0, -12.5, {L"5 mm"}, L"-15"},
      {"millimetres", 0, 12.4, {L"5 mm", 0, kUp}, L"15"},
      {"millimetres", 0, -12.4, {L"5 mm", 0, kUp}, L"-10"},  // up is toward +infinity
      {"millimetres", 0, -12.4, {L"5 mm", 0, kDown}, L"-15"},
      {"millimetres", 0, 15.0, {L"5 mm", 0, kUp}, L"15"},  // a multiple stays
      {"millimetres", 0, -2.4, {L"5 mm", 0, kUp}, L"0"},   // no sign on zero
      {"metres", 0, 1234.5, {L"5 mm"}, L"1.235"},
      {"metres", 0, 2.5, {L"0.005 m"}, L"0.005"},
      {"metres", 0, 1000.0, {L"25 mm"}, L"1.000"},  // the decimals of the step
      {"metres", 0, 1000.0, {L"1 m"}, L"1"},
      {"millimetres", 0, 6.35, {L"1/2\""}, L"12.7"},  // 1/4" is a tie at 1/2"
      {"millimetres", 0, 12.3, {nullptr, 0, kNearest, 0, 0.25}, L"12.25"},
      {"millimetres", 0, 1.04, {L"1/3 mm"}, L"1.0"},    // no decimal writes it: 0.1 mm
      {"millimetres", 0, 12.346, {L"5 kg"}, L"12.35"},  // no step: the unit's precision
      {"millimetres", 0, -0.001, {}, L"0.00"},
      {"millimetres", 10000, 849978114.47532606, {}, L"849978114.4753"},  // a large count, no tie
      {"millimetres", 0, 12.5, {nullptr, kTrim}, L"12.5"},
      {"degrees", 0, 10.2, {L"15'"}, L"10.25"},
      {"degrees", 0, 370.0, {}, L"10.00"},  // reduced by a turn, as the unit shows it
      {"kilonewtons", 0, 1.2345, {nullptr, 0, kNearest, 3}, L"1.23"},
      {"kilonewtons", 0, 12.345, {nullptr, 0, kNearest, 3}, L"12.3"},
      {"kilonewtons", 0, 12345.0, {nullptr, kTrim, kNearest, 3}, L"12300"},
      {"kilonewtons", 0, 0.00123456, {nullptr, 0, kNearest, 3}, L"0.00123"},
      {"kilonewtons", 0, 9.996, {nullptr, 0, kNearest, 3}, L"10.0"},  // carry
      {"kilonewtons", 0, -9.991, {nullptr, 0, kDown, 3}, L"-10.0"},
      {"kilonewtons", 0, 0.0, {nullptr, 0, kNearest, 3}, L"0"},
  };
  expectTexts(cases, std::size(cases));
}

TEST(Format, CompoundUnitsRoundOnTheSmallestPartAndCarry) {
  const Case cases[] = {
      {"feet-inch-fraction", 0, 66.5 * kIn, {}, L"5' 6 1/2\""},
      {"feet-inch-fraction", 0, -66.5 * kIn, {nullptr, kDash}, L"-5'-6 1/2\""},
      {"feet-inch-fraction", 0, 11.99 * kIn, {}, L"1' 0\""},  // 12" carries into the foot
      {"feet-inch-fraction", 0, 11.99 * kIn, {nullptr, kHideZeroInches}, L"1'"},
      {"feet-inch-fraction", 0, -0.25 * kIn, {}, L"-1/4\""},
      {"feet-inch-fraction", 0, 0.25 * kIn, {nullptr, kShowZeroFeet}, L"0' 1/4\""},
      {"feet-inch-fraction", 0, 0.25 * kIn, {L"1/2\""}, L"1/2\""},  // a tie
      {"feet-inch-fraction", 0, 66.1 * kIn, {L"1\"", 0, kUp}, L"5' 7\""},
      {"feet-inch-fraction", 0, 66.5 * kIn, {L"1'"}, L"6'"},  // parts below the step left out
      {"feet-inch-fraction", 0, 0.0, {}, L"0\""},
      {"feet-inch-fraction", 0, 23.999 * kIn, {L"5 mm"}, L"2' 2/127\""},  // 610 mm in 25/127" steps
      {"feet-decimal-inch", 0, 66.5 * kIn, {}, L"5' 6.50\""},
      {"feet-decimal-inch", 0, 11.999 * kIn, {}, L"1' 0.00\""},
      {"feet-decimal-inch", 0, 66.5 * kIn, {L"1/16\""}, L"5' 6.5000\""},
      {"feet-decimal-inch", 0, 66.5 * kIn, {L"1/16\"", kTrim}, L"5' 6.5\""},
      {"degrees-minutes-seconds", 36000, 10.5, {nullptr, kTrim}, L"10\u00B030'0\""},
      {"degrees-minutes-seconds", 0, 10.5, {}, L"10\u00B030'0\""},
      {"degrees-minutes-seconds", 0, 10.99999, {}, L"11\u00B00'0\""},  // never 60"
      {"degrees-minutes-seconds", 0, 359.99999, {}, L"360\u00B00'0\""},
      {"degrees-minutes-seconds", 0, -0.5, {}, L"-0\u00B030'0\""},  // the sign stays
      {"degrees-minutes-seconds", 0, 10.2, {L"15'"}, L"10\u00B015'"},
      {"degrees-minutes-seconds", 0, 10.2, {L"1\u00B0", 0, kUp}, L"11\u00B0"},
      {"degrees-minutes-seconds", 36000, 10.5042, {}, L"10\u00B030'15.1\""},
      {"degrees-minutes-seconds", 60, 10.999, {}, L"11\u00B00'"},
      {"pounds-ounces", 0, 16 * kOz, {}, L"1 lb"},
      {"pounds-ounces", 0, 24 * kOz, {}, L"1 lb 8.00 oz"},
      {"pounds-ounces", 0, 15.999 * kOz, {}, L"1 lb"},  // 16 oz carries into the pound
      {"pounds-ounces", 0, -3.3 * kOz, {L"0.5 oz"}, L"-3.5 oz"},
      {"pounds-ounces", 0, 0.0, {}, L"0.00 oz"},
      {"fractional-decimal", 0, 66.5 * kIn, {}, L"66 1/2"},
      // 10^16 steps of 1/10^9: whole inches alone, and the marker for the half they lose.
      {"fractional-decimal",
       8,
       19220294.5625 * kIn,
       {nullptr, kMarker, kNearest, 0, 1e-163},
       L"~19220295"},
      {"fractional-decimal", 0, 66.99 * kIn, {nullptr, kDash}, L"67"},
      {"fractional-decimal", 0, 66.5 * kIn, {nullptr, kDash}, L"66-1/2"},
  };
  expectTexts(cases, std::size(cases));
}

TEST(Format, WritesLevelSignsTypographicMarksAndTheInexactMarker) {
  const Case cases[] = {
      {"metres", 0, 3250.0, {nullptr, kPlus}, L"+3.250"},
      {"metres", 0, -1200.0, {nullptr, kPlus}, L"-1.200"},
      {"metres", 0, -0.0001, {nullptr, kPlus}, L"\u00B10.000"},
      {"feet-inch-fraction", 0, 0.0, {nullptr, kPlus}, L"\u00B10\""},
      {"feet-inch-fraction", 0, 66.5 * kIn, {nullptr, kTypographic}, L"5\u2032 6\u00BD\u2033"},
      {"feet-inch-fraction", 0, -3.5 * kIn, {nullptr, kTypographic}, L"\u22123\u00BD\u2033"},
      {"feet-inch-fraction",
       0,
       60.5 * kIn,
       {nullptr, kTypographic | kDash},
       L"5\u2032-0\u00BD\u2033"},  // "5'-½" would read as 5' minus ½"
      {"feet-inch-fraction",
       32,
       6.09375 * kIn,
       {nullptr, kTypographic},
       L"6 3\u204432\u2033"},  // no vulgar fraction for 3/32
      {"feet-inch-fraction", 0, 0.1 * kIn, {L"0.1\"", kTypographic}, L"\u2152\u2033"},
      {"degrees-minutes-seconds",
       0,
       10.5 + 15.0 / 3600,
       {nullptr, kTypographic},
       L"10\u00B030\u203215\u2033"},
      {"millimetres", 0, -1.5, {nullptr, kTypographic}, L"\u22121.50"},
      {"millimetres", 0, 12.3456, {nullptr, kMarker}, L"~12.35"},
      {"millimetres", 0, 12.35, {nullptr, kMarker}, L"12.35"},
      {"millimetres", 0, 1e-12, {nullptr, kMarker}, L"~0.00"},
      {"feet-inch-fraction", 0, 1690.0, {nullptr, kMarker}, L"~5' 6 9/16\""},
      {"metres", 0, 0.0001, {nullptr, kMarker | kPlus}, L"~\u00B10.000"},
      {"millimetres", 0, std::nan(""), {nullptr, kPlus | kMarker}, L"nan"},
      {"feet-inch-fraction", 0, -kInf, {nullptr, kTypographic}, L"-inf"},
      {"degrees-minutes-seconds", 0, kInf, {L"15'"}, L"inf"},
      {"millimetres", 0, 1e20, {L"5 mm"}, L"100000000000000000000"},
  };
  expectTexts(cases, std::size(cases));
}

TEST(Format, TheReaderTakesTheInexactMarkerAndThePlusMinusSign) {
  using pelunits::ReadStatus;
  struct ReadCase {
    const char* unit;
    const wchar_t* text;
    ReadStatus status;
    double value;
  };
  const ReadCase cases[] = {
      {"millimetres", L"~12.35", ReadStatus::complete, 12.35},
      {"millimetres", L"~ -12.35", ReadStatus::complete, -12.35},
      {"metres", L"\u00B10.000", ReadStatus::complete, 0.0},
      {"metres", L"~\u00B10.000", ReadStatus::complete, 0.0},
      {"feet-inch-fraction", L"~\u22125\u2032 6\u00BD\u2033", ReadStatus::complete, -66.5 * kIn},
      {"feet-inch-fraction", L"\u00B10' 0\"", ReadStatus::complete, 0.0},
      {"metres", L"\u00B11.250", ReadStatus::invalid, 0.0},  // only before zero
      {"metres", L"\u00B1-0", ReadStatus::invalid, 0.0},
      {"metres", L"\u00B1", ReadStatus::incomplete, 0.0},
      {"metres", L"~", ReadStatus::incomplete, 0.0},
      {"metres", L"12~", ReadStatus::invalid, 0.0},  // the marker leads or is not one
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(narrow(KovString(c.text)));
    const pelunits::UnitPtr unit = namedUnit(c.unit);
    const pelunits::ReadResult read = pelunits::readExact(*unit, KovString(c.text));
    EXPECT_EQ(read.status, c.status);
    EXPECT_EQ(read.value, c.value);
  }
}

// At the ends of the double range no integer overflows: every text reads back, and
// a text without the marker reads back within the marker's tolerance.
TEST(Format, ValuesAtTheEndsOfTheRangeReadBack) {
  const char* const units[] = {"millimetres",       "metres",
                               "kilonewtons",       "feet-inch-fraction",
                               "feet-decimal-inch", "fractional-decimal",
                               "pounds-ounces"};
  const double max = std::numeric_limits<double>::max();
  const double values[] = {1e300,  -1e300, max, -max, 5e-324, -1e-300, 9007199254740993.0 * kIn,
                           9.3e18, 1e20,   0.0};
  const Options options[] = {
      {}, {L"5 mm"}, {L"1'", 0, kUp}, {nullptr, 0, kDown}, {nullptr, 0, kNearest, 3}};
  for (const char* name : units) {
    const pelunits::UnitPtr unit = namedUnit(name);
    for (const double value : values) {
      for (Options o : options) {
        o.flags = kMarker | kTypographic;
        const KovString text = pelunits::format(*unit, value, optionsOf(o));
        SCOPED_TRACE(testing::Message() << name << " " << value << " -> " << narrow(text));
        const pelunits::ReadResult read = pelunits::readExact(*unit, text);
        ASSERT_EQ(read.status, pelunits::ReadStatus::complete) << read.message;
        if (text[0] != L'~') {
          // 5e-324 mm is 0 m: a display number may underflow to zero.
          EXPECT_NEAR(read.value, value, 1e-9 * std::fabs(value) + 1e-300);
        }
      }
    }
  }
}

// Without options the decimal forms write what the unit's own display writes, but for
// values within a hair of a tie, which format() rounds away from zero and the display
// by the double's exact value.
TEST(Format, WithoutOptionsTheDecimalFormsAreTheUnitsDisplay) {
  const char* const units[] = {"millimetres",  "metres",    "decimal-feet",     "kips",
                               "newtons",      "kilograms", "tonnes",           "square-metres",
                               "cubic-metres", "psi",       "kilonewton-metres"};
  std::mt19937_64 random(2500);
  for (int regional = 0; regional < 2; ++regional) {
#if !defined(_WIN32)
    const ScopedRegional locale(regional != 0 ? "de_DE.UTF-8" : "C", RegionalSource::Environment);
#else
    if (regional != 0) break;
#endif
    for (int n = 0; n < 20000; ++n) {
      const pelunits::UnitPtr unit = namedUnit(units[random() % std::size(units)]);
      unit->setUseRegionalSettings(regional);
      const int precisions[] = {1, 10, 100, 1000, 10000};
      unit->setPrecision(precisions[random() % 5]);
      const double value =
          (random() % 2 == 0 ? 1.0 : -1.0) *
          std::pow(10.0, std::uniform_real_distribution<double>(-3.0, 9.0)(random));
      const double scaled = std::fabs(value / unit->getFactor()) * unit->getPrecision();
      // format() takes 8 units in the last place of the count for a tie.
      if (std::fabs(scaled - std::floor(scaled) - 0.5) < 1e-6 + scaled * 1e-14) continue;
      FormatOptions options;
      options.trimTrailingZeros = random() % 2 == 0;
      SCOPED_TRACE(testing::Message() << value << " " << unit->getPrecision());
      EXPECT_EQ(pelunits::format(*unit, value, options),
                unit->getDisplayString(value, options.trimTrailingZeros ? 1 : 0, 0, 0, 0, L' '));
    }
  }
}

#if !defined(_WIN32)
// The decimal forms follow the user's number format with the unit's regional flag on,
// as the unit's display does; the compound and fraction forms stay neutral.
TEST(Format, DecimalFormsFollowTheRegionalFlag) {
  struct RegionalCase {
    const char* unit;
    double value;
    Options options;
    const wchar_t* expected;
    double readBack;
  };
  const RegionalCase cases[] = {
      {"metres", 1234567.5, {L"5 mm", kPlus}, L"+1.234,570", 1234570.0},
      {"millimetres", 1234.5, {nullptr, kTrim}, L"1.234,5", 1234.5},
      // No decimals: the '.' is a group separator, and no zero is trimmed.
      {"kilonewtons", 12345.0, {nullptr, kTrim, kNearest, 3}, L"12.300", 12300.0},
      {"feet-decimal-inch", 66.5 * kIn, {}, L"5' 6.50\"", 66.5 * kIn},
      {"pounds-ounces", 24 * kOz, {}, L"1 lb 8.00 oz", 24 * kOz},
  };
  for (const RegionalSource source : kRegionalSources) {
    const ScopedRegional regional("de_DE.UTF-8", source);
    for (const RegionalCase& c : cases) {
      SCOPED_TRACE(testing::Message() << c.unit << " " << nameOf(source));
      const pelunits::UnitPtr unit = namedUnit(c.unit);
      unit->setUseRegionalSettings(1);
      const KovString text = pelunits::format(*unit, c.value, optionsOf(c.options));
      EXPECT_EQ(text, KovString(c.expected));
      const pelunits::ReadResult read = pelunits::readExact(*unit, text);
      EXPECT_EQ(read.status, pelunits::ReadStatus::complete);
      EXPECT_EQ(read.value, c.readBack);
    }
  }
}
#endif

#if defined(__SIZEOF_INT128__)
// The round trip's oracle: the shown text read again from its digits and marks into an
// exact rational of the smallest part, times the part's size as the definitions give it.
using Wide = __int128;

Wide gcdOf(Wide a, Wide b) {
  if (a < 0) a = -a;
  while (b != 0) {
    const Wide r = a % b;
    a = b;
    b = r;
  }
  return a == 0 ? 1 : a;
}

struct Rational {
  Wide n = 0;
  Wide d = 1;
  void add(Wide an, Wide ad) {
    n = n * ad + an * d;
    d *= ad;
    const Wide g = gcdOf(n, d);
    n /= g;
    d /= g;
  }
};

int vulgarValue(wchar_t c, int& d) {
  struct V {
    wchar_t c;
    int n, d;
  };
  static const V kVulgar[] = {
      {L'\u00BC', 1, 4}, {L'\u00BD', 1, 2}, {L'\u00BE', 3, 4}, {L'\u2153', 1, 3}, {L'\u2154', 2, 3},
      {L'\u2155', 1, 5}, {L'\u2156', 2, 5}, {L'\u2157', 3, 5}, {L'\u2158', 4, 5}, {L'\u2159', 1, 6},
      {L'\u215A', 5, 6}, {L'\u215B', 1, 8}, {L'\u215C', 3, 8}, {L'\u215D', 5, 8}, {L'\u215E', 7, 8},
      {L'\u2150', 1, 7}, {L'\u2151', 1, 9}, {L'\u2152', 1, 10}};
  for (const V& v : kVulgar) {
    if (v.c == c) {
      d = v.d;
      return v.n;
    }
  }
  return 0;
}

// The text's magnitude in the smallest part and its sign; false for a text outside the
// forms (or too long for the oracle's integers).
bool shownParts(const std::wstring& t, bool angle, Rational& out, bool& negative) {
  std::size_t i = 0;
  const auto digit = [&](std::size_t k) { return k < t.size() && t[k] >= L'0' && t[k] <= L'9'; };
  const auto integer = [&](Wide& v) {
    int count = 0;
    for (v = 0; digit(i); ++i, ++count) v = v * 10 + (t[i] - L'0');
    return count > 0 && count < 19;
  };
  if (i < t.size() && t[i] == L'~') ++i;
  negative = i < t.size() && (t[i] == L'-' || t[i] == L'\u2212');
  if (i < t.size() && (negative || t[i] == L'+' || t[i] == L'\u00B1')) ++i;
  while (i < t.size()) {
    Rational part;
    int d = 0;
    if (const int n = vulgarValue(t[i], d)) {
      part.add(n, d);
      ++i;
    } else {
      Wide whole = 0;
      if (!integer(whole)) return false;
      part.add(whole, 1);
      if (i < t.size() && t[i] == L'.') {
        ++i;
        const std::size_t start = i;
        Wide digits = 0;
        if (!integer(digits)) return false;
        Wide scale = 1;
        for (std::size_t k = start; k < i; ++k) scale *= 10;
        part.add(digits, scale);
      } else if (i < t.size() && (t[i] == L'/' || t[i] == L'\u2044')) {
        ++i;
        Wide den = 0;
        if (!integer(den) || den == 0) return false;
        part = Rational{whole, den};
      } else if (i < t.size() && (d = 0, vulgarValue(t[i], d)) != 0) {
        part.add(vulgarValue(t[i], d), d);
        ++i;
      } else if (i + 1 < t.size() && (t[i] == L' ' || t[i] == L'-') && digit(i + 1)) {
        // "6 1/2", "66-1/2": a whole number and a fraction
        const std::size_t save = i++;
        Wide top = 0, den = 0;
        if (integer(top) && i < t.size() && (t[i] == L'/' || t[i] == L'\u2044')) {
          ++i;
          if (!integer(den) || den == 0) return false;
          part.add(top, den);
        } else {
          i = save;
        }
      }
    }
    while (i < t.size() && t[i] == L' ') ++i;
    Wide weight = 1;
    if (i < t.size() && (t[i] == L'\'' || t[i] == L'\u2032')) {
      weight = angle ? 60 : 12;
      ++i;
    } else if (i < t.size() && (t[i] == L'"' || t[i] == L'\u2033')) {
      ++i;
    } else if (i < t.size() && t[i] == L'\u00B0') {
      weight = 3600;
      ++i;
    } else if (t.compare(i, 2, L"lb") == 0) {
      weight = 16;
      i += 2;
    } else if (t.compare(i, 2, L"oz") == 0) {
      i += 2;
    }
    out.add(part.n * weight, part.d);
    while (i < t.size() && (t[i] == L' ' || t[i] == L'-')) ++i;
  }
  return true;
}

struct PropertyUnit {
  const char* name;
  Wide size, per;  // the smallest shown part in internal units: size / per
  int precisions[3];
  const wchar_t* increments[4];
};

TEST(Format, EveryTextReadsBackToTheValueItsDigitsShow) {
  const PropertyUnit units[] = {
      {"millimetres", 1, 1, {0, 1, 1000}, {L"5 mm", L"1/2\"", L"0.25", L"1/3 mm"}},
      {"metres", 1000, 1, {0, 100, 1}, {L"0.005 m", L"25 mm", L"1 m", L"1/16\""}},
      {"decimal-feet", 3048, 10, {0, 1000, 1}, {L"1\"", L"0.5", L"5 mm", L"1/8 ft"}},
      {"newtons", 1, 1000, {0, 10, 1}, {L"5 N", L"0.5 kN", L"25", L"1 kN"}},
      {"kilograms", 1000, 1, {0, 1000, 1}, {L"5 g", L"0.5 kg", L"1 lb", L"0.25"}},
      {"gon", 9, 10, {0, 1000, 1}, {L"15'", L"0.5 gon", L"1", L"5\u00B0"}},
      {"degrees", 1, 1, {0, 10000, 1}, {L"15'", L"1\"", L"0.5", L"5 gon"}},
      {"feet-inch-fraction", 254, 10, {0, 2, 64}, {L"1/2\"", L"1'", L"5 mm", L"3\""}},
      {"feet-decimal-inch", 254, 10, {0, 1000, 10}, {L"1/16\"", L"1'", L"5 mm", L"0.5"}},
      {"fractional-decimal", 254, 10, {0, 2, 64}, {L"1/8", L"5 mm", L"1'", L"0.1"}},
      {"degrees-minutes-seconds", 1, 3600, {0, 60, 36000}, {L"15'", L"5\"", L"1\u00B0", L"0.5"}},
      {"pounds-ounces", 2834952, 100000, {0, 1000, 1}, {L"0.5 oz", L"1 lb", L"5 g", L"0.25"}},
  };
  const Rounding roundings[] = {kNearest, kUp, kDown};
  std::mt19937_64 random(25);
  int exact = 0;
  for (int n = 0; n < 40000; ++n) {
    const PropertyUnit& u = units[random() % std::size(units)];
    const pelunits::UnitPtr unit = namedUnit(u.name, u.precisions[random() % 3]);
    FormatOptions options;
    if (random() % 4 != 0) options.increment = u.increments[random() % 4];
    options.rounding = roundings[random() % 3];
    if (random() % 4 == 0) options.significantDigits = 1 + static_cast<int>(random() % 12);
    options.plusSign = random() % 2 == 0;
    options.typographic = random() % 2 == 0;
    options.inexactMarker = random() % 2 == 0;
    options.trimTrailingZeros = random() % 2 == 0;
    options.hideZeroFeet = random() % 2 == 0;
    options.hideZeroInches = random() % 2 == 0;
    options.separator = random() % 2 == 0 ? L' ' : L'-';
    // Magnitudes from 1e-3 to 1e6 parts, and every fourth value on an eighth of a part,
    // where the ties lie.
    const double sign = random() % 2 == 0 ? 1.0 : -1.0;
    double parts = std::pow(10.0, std::uniform_real_distribution<double>(-3.0, 6.0)(random));
    if (random() % 4 == 0) parts = std::round(parts * 8) / 8;
    const double value = sign * parts * static_cast<double>(u.size) / static_cast<double>(u.per);
    const KovString text = pelunits::format(*unit, value, options);
    SCOPED_TRACE(testing::Message() << u.name << " " << value << " -> " << narrow(text));
    const pelunits::ReadResult read = pelunits::readExact(*unit, text);
    ASSERT_EQ(read.status, pelunits::ReadStatus::complete) << read.message;
    Rational shown;
    bool negative = false;
    ASSERT_TRUE(shownParts(text.getStringW(), std::string(u.name).find("deg") != std::string::npos,
                           shown, negative));
    Rational internal;
    internal.add(shown.n * u.size, shown.d * u.per);
    constexpr Wide kTwo53 = Wide{1} << 53;
    if (internal.n >= kTwo53 || internal.d >= kTwo53) continue;
    ++exact;
    const double expected = (negative ? -1.0 : 1.0) *
                            (static_cast<double>(internal.n) / static_cast<double>(internal.d));
    EXPECT_EQ(read.value, expected);
  }
  EXPECT_GT(exact, 30000);  // the oracle's integers held nearly every text
}
#endif

}  // namespace
