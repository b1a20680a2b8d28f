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
#include "TestText.h"

namespace {

using pelunits::FormatOptions;
using pelunits::Rounding;

constexpr double kIn = 25.4;
constexpr double kOz = 28.34952;
constexpr double kInf = std::numeric_limits<double>::infinity();

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
  Rounding rounding = Rounding::nearest;
  unsigned flags = 0;
  double incrementValue = 0.0;
  int significantDigits = 0;
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
  constexpr Rounding kUp = Rounding::up;
  constexpr Rounding kDown = Rounding::down;
  const Case cases[] = {
      {"millimetres", 0, 12.5, {L"5 mm"}, L"15"},  // a tie goes away from zero
      {"millimetres", 0, -12.5, {L"5 mm"}, L"-15"},
      {"millimetres", 0, 12.4, {L"5 mm", kUp}, L"15"},
      {"millimetres", 0, -12.4, {L"5 mm", kUp}, L"-10"},  // up is toward +infinity
      {"millimetres", 0, -12.4, {L"5 mm", kDown}, L"-15"},
      {"millimetres", 0, 15.0, {L"5 mm", kUp}, L"15"},  // a multiple stays
      {"millimetres", 0, -2.4, {L"5 mm", kUp}, L"0"},   // no sign on zero
      {"metres", 0, 1234.5, {L"5 mm"}, L"1.235"},
      {"metres", 0, 2.5, {L"0.005 m"}, L"0.005"},
      {"metres", 0, 1000.0, {L"25 mm"}, L"1.000"},  // the decimals of the step
      {"metres", 0, 1000.0, {L"1 m"}, L"1"},
      {"millimetres", 0, 6.35, {L"1/2\""}, L"12.7"},  // 1/4" is a tie at 1/2"
      {"millimetres", 0, 12.3, {nullptr, Rounding::nearest, 0, 0.25}, L"12.25"},
      {"millimetres", 0, 1.04, {L"1/3 mm"}, L"1.0"},    // no decimal writes it: 0.1 mm
      {"millimetres", 0, 12.346, {L"5 kg"}, L"12.35"},  // no step: the unit's precision
      {"millimetres", 0, -0.001, {}, L"0.00"},
      {"millimetres", 0, 12.5, {nullptr, Rounding::nearest, kTrim}, L"12.5"},
      {"degrees", 0, 10.2, {L"15'"}, L"10.25"},
      {"degrees", 0, 370.0, {}, L"10.00"},  // reduced by a turn, as the unit shows it
      {"kilonewtons", 0, 12.345, {nullptr, Rounding::nearest, 0, 0.0, 3}, L"12.3"},
      {"kilonewtons", 0, 12345.0, {nullptr, Rounding::nearest, kTrim, 0.0, 3}, L"12300"},
      {"kilonewtons", 0, 0.00123456, {nullptr, Rounding::nearest, 0, 0.0, 3}, L"0.00123"},
      {"kilonewtons", 0, 9.996, {nullptr, Rounding::nearest, 0, 0.0, 3}, L"10.0"},  // carry
      {"kilonewtons", 0, -9.991, {nullptr, kDown, 0, 0.0, 3}, L"-10.0"},
      {"kilonewtons", 0, 0.0, {nullptr, Rounding::nearest, 0, 0.0, 3}, L"0"},
  };
  expectTexts(cases, std::size(cases));
}

TEST(Format, CompoundUnitsRoundOnTheSmallestPartAndCarry) {
  const Case cases[] = {
      {"feet-inch-fraction", 0, 66.5 * kIn, {}, L"5' 6 1/2\""},
      {"feet-inch-fraction", 0, -66.5 * kIn, {nullptr, Rounding::nearest, kDash}, L"-5'-6 1/2\""},
      {"feet-inch-fraction", 0, 11.99 * kIn, {}, L"1' 0\""},  // 12" carries into the foot
      {"feet-inch-fraction", 0, 11.99 * kIn, {nullptr, Rounding::nearest, kHideZeroInches}, L"1'"},
      {"feet-inch-fraction", 0, -0.25 * kIn, {}, L"-1/4\""},
      {"feet-inch-fraction",
       0,
       0.25 * kIn,
       {nullptr, Rounding::nearest, kShowZeroFeet},
       L"0' 1/4\""},
      {"feet-inch-fraction", 0, 0.25 * kIn, {L"1/2\""}, L"1/2\""},  // a tie
      {"feet-inch-fraction", 0, 66.1 * kIn, {L"1\"", Rounding::up}, L"5' 7\""},
      {"feet-inch-fraction", 0, 66.5 * kIn, {L"1'"}, L"6'"},  // parts below the step left out
      {"feet-inch-fraction", 0, 0.0, {}, L"0\""},
      {"feet-inch-fraction", 0, 23.999 * kIn, {L"5 mm"}, L"2' 2/127\""},  // 610 mm in 25/127" steps
      {"feet-decimal-inch", 0, 66.5 * kIn, {}, L"5' 6.50\""},
      {"feet-decimal-inch", 0, 11.999 * kIn, {}, L"1' 0.00\""},
      {"feet-decimal-inch", 0, 66.5 * kIn, {L"1/16\""}, L"5' 6.5000\""},
      {"degrees-minutes-seconds", 0, 10.5, {}, L"10\u00B030'0\""},
      {"degrees-minutes-seconds", 0, 10.99999, {}, L"11\u00B00'0\""},  // never 60"
      {"degrees-minutes-seconds", 0, 359.99999, {}, L"360\u00B00'0\""},
      {"degrees-minutes-seconds", 0, -0.5, {}, L"-0\u00B030'0\""},  // the sign stays
      {"degrees-minutes-seconds", 0, 10.2, {L"15'"}, L"10\u00B015'"},
      {"degrees-minutes-seconds", 0, 10.2, {L"1\u00B0", Rounding::up}, L"11\u00B0"},
      {"degrees-minutes-seconds", 36000, 10.5042, {}, L"10\u00B030'15.1\""},
      {"degrees-minutes-seconds", 60, 10.999, {}, L"11\u00B00'"},
      {"pounds-ounces", 0, 16 * kOz, {}, L"1 lb"},
      {"pounds-ounces", 0, 24 * kOz, {}, L"1 lb 8.00 oz"},
      {"pounds-ounces", 0, 15.999 * kOz, {}, L"1 lb"},  // 16 oz carries into the pound
      {"pounds-ounces", 0, -3.3 * kOz, {L"0.5 oz"}, L"-3.5 oz"},
      {"pounds-ounces", 0, 0.0, {}, L"0.00 oz"},
      {"fractional-decimal", 0, 66.5 * kIn, {}, L"66 1/2"},
      {"fractional-decimal", 0, 66.99 * kIn, {nullptr, Rounding::nearest, kDash}, L"67"},
      {"fractional-decimal", 0, 66.5 * kIn, {nullptr, Rounding::nearest, kDash}, L"66-1/2"},
  };
  expectTexts(cases, std::size(cases));
}

TEST(Format, WritesLevelSignsTypographicMarksAndTheInexactMarker) {
  constexpr unsigned kTypo = kTypographic;
  const Case cases[] = {
      {"metres", 0, 3250.0, {nullptr, Rounding::nearest, kPlus}, L"+3.250"},
      {"metres", 0, -1200.0, {nullptr, Rounding::nearest, kPlus}, L"-1.200"},
      {"metres", 0, -0.0001, {nullptr, Rounding::nearest, kPlus}, L"\u00B10.000"},
      {"feet-inch-fraction", 0, 0.0, {nullptr, Rounding::nearest, kPlus}, L"\u00B10\""},
      {"feet-inch-fraction",
       0,
       66.5 * kIn,
       {nullptr, Rounding::nearest, kTypo},
       L"5\u2032 6\u00BD\u2033"},
      {"feet-inch-fraction",
       0,
       -3.5 * kIn,
       {nullptr, Rounding::nearest, kTypo},
       L"\u22123\u00BD\u2033"},
      {"feet-inch-fraction",
       32,
       6.09375 * kIn,
       {nullptr, Rounding::nearest, kTypo},
       L"6 3\u204432\u2033"},  // no vulgar fraction for 3/32
      {"feet-inch-fraction", 0, 0.1 * kIn, {L"0.1\"", Rounding::nearest, kTypo}, L"\u2152\u2033"},
      {"degrees-minutes-seconds",
       0,
       10.5 + 15.0 / 3600,
       {nullptr, Rounding::nearest, kTypo},
       L"10\u00B030\u203215\u2033"},
      {"millimetres", 0, -1.5, {nullptr, Rounding::nearest, kTypo}, L"\u22121.50"},
      {"millimetres", 0, 12.3456, {nullptr, Rounding::nearest, kMarker}, L"~12.35"},
      {"millimetres", 0, 12.35, {nullptr, Rounding::nearest, kMarker}, L"12.35"},
      {"millimetres", 0, 1e-12, {nullptr, Rounding::nearest, kMarker}, L"~0.00"},
      {"feet-inch-fraction", 0, 1690.0, {nullptr, Rounding::nearest, kMarker}, L"~5' 6 9/16\""},
      {"metres", 0, 0.0001, {nullptr, Rounding::nearest, kMarker | kPlus}, L"~\u00B10.000"},
      {"millimetres", 0, std::nan(""), {nullptr, Rounding::nearest, kPlus | kMarker}, L"nan"},
      {"feet-inch-fraction", 0, -kInf, {nullptr, Rounding::nearest, kTypo}, L"-inf"},
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

}  // namespace
