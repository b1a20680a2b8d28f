// format() with options: tables of the values where rounding is hard, and a round trip
// that holds every text to the value an independent reading of its digits gives.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "KovString.h"
#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "PelUnitsFormat.h"
#include "PelUnitsRead.h"
#include "RegionalSource.h"
#include "TestText.h"

namespace {

using pelunits::FormatOptions;
using pelunits::ReadStatus;
using pelunits::Rounding;

constexpr double kIn = 25.4;
const double kDegreesPerRadian = 180.0 / std::acos(-1.0);
constexpr double kOz = 28.34952;
constexpr Rounding kNear = Rounding::nearest;
constexpr Rounding kUp = Rounding::up;
constexpr Rounding kDown = Rounding::down;
const char* const kMm = "millimetres";
const char* const kM = "metres";
const char* const kKn = "kilonewtons";
const char* const kFif = "feet-inch-fraction";
const char* const kFdi = "feet-decimal-inch";
const char* const kDms = "degrees-minutes-seconds";
const char* const kLbOz = "pounds-ounces";
const char* const kFrac = "fractional-decimal";

pelunits::UnitPtr namedUnit(const char* name, int precision = 0) {
  pelunits::UnitPtr unit(pelunits::newNamedUnit(*pelunits::findNamedUnit(name)));
  if (precision != 0) unit->setPrecision(precision);
  return unit;
}

enum Flag : unsigned {
  kPlus = 1,
  kTypo = 2,
  kMark = 4,
  kTrim = 8,
  kFeet = 16,
  kNoInch = 32,
  kUnit = 64
};

struct Options {
  const wchar_t* increment = nullptr;
  unsigned flags = 0;
  Rounding rounding = kNear;
  int significantDigits = 0;
  double incrementValue = 0.0;
  wchar_t separator = L' ';
};

FormatOptions optionsOf(const Options& o) {
  FormatOptions options;
  options.increment = o.increment;
  options.incrementValue = o.incrementValue;
  options.rounding = o.rounding;
  options.significantDigits = o.significantDigits;
  options.plusSign = (o.flags & kPlus) != 0;
  options.typographic = (o.flags & kTypo) != 0;
  options.inexactMarker = (o.flags & kMark) != 0;
  options.trimTrailingZeros = (o.flags & kTrim) != 0;
  options.hideZeroFeet = (o.flags & kFeet) == 0;
  options.hideZeroInches = (o.flags & kNoInch) != 0;
  options.separator = o.separator;
  options.withSymbol = (o.flags & kUnit) != 0;
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
template <std::size_t N>
void expectTexts(const Case (&cases)[N], int regional = 0) {
  for (const Case& c : cases) {
    const pelunits::UnitPtr unit = namedUnit(c.unit, c.precision);
    unit->setUseRegionalSettings(regional);
    const KovString text = pelunits::format(*unit, c.value, optionsOf(c.options));
    SCOPED_TRACE(testing::Message() << c.unit << " " << c.value << " -> " << narrow(text));
    EXPECT_EQ(text, KovString(c.expected));
    if (std::isfinite(c.value)) {
      EXPECT_EQ(pelunits::readExact(*unit, text).status, ReadStatus::complete);
    }
  }
}

TEST(Format, RoundsDecimalUnitsToTheIncrementInEachMode) {
  expectTexts({
      {kMm, 0, 12.5, {L"5 mm"}, L"15"},  // a tie goes away from zero
      {kMm, 0, -12.5, {L"5 mm"}, L"-15"},
      {kMm, 0, -12.4, {L"5 mm", 0, kUp}, L"-10"},  // up is toward +infinity
      {kMm, 0, -12.4, {L"5 mm", 0, kDown}, L"-15"},
      {kMm, 0, 15.0, {L"5 mm", 0, kUp}, L"15"},  // a multiple stays
      {kMm, 0, -2.4, {L"5 mm", 0, kUp}, L"0"},   // no sign on zero
      {kM, 0, 1234.5, {L"5 mm"}, L"1.235"},
      {kM, 0, 1000.0, {L"25 mm"}, L"1.000"},  // the decimals of the step
      {kMm, 0, 6.35, {L"1/2\""}, L"12.7"},    // 1/4" is a tie at 1/2"
      {kMm, 0, 12.3, {nullptr, 0, kNear, 0, 0.25}, L"12.25"},
      {kMm, 0, 1.04, {L"1/3 mm"}, L"1.0"},                      // no decimal writes it: 0.1 mm
      {kMm, 0, 12.346, {L"5 kg"}, L"12.35"},                    // no step: the unit's precision
      {kMm, 10000, 849978114.47532606, {}, L"849978114.4753"},  // a large count, no tie
      {"degrees", 0, 370.2, {L"15'"}, L"10.25"},  // reduced by a turn, as the unit shows it
      {kKn, 0, 1.2345, {nullptr, 0, kNear, 3}, L"1.23"},
      {kKn, 0, 12345.0, {nullptr, kTrim, kNear, 3}, L"12300"},
      {kKn, 0, 0.00123456, {nullptr, 0, kNear, 3}, L"0.00123"},
      {kKn, 0, 9.996, {nullptr, 0, kNear, 3}, L"10.0"},  // one digit more, then one less
      {kKn, 0, -9.991, {nullptr, 0, kDown, 3}, L"-10.0"},
      {kKn, 0, 0.0, {nullptr, 0, kNear, 3}, L"0"},
  });
}

TEST(Format, CompoundUnitsRoundOnTheSmallestPartAndCarry) {
  expectTexts({
      {kFif, 0, 66.5 * kIn, {}, L"5' 6 1/2\""},
      {kFif, 0, -66.5 * kIn, {nullptr, 0, kNear, 0, 0.0, L'-'}, L"-5'-6 1/2\""},
      {kFif, 0, 11.99 * kIn, {}, L"1' 0\""},  // 12" carries into the foot
      {kFif, 0, 11.99 * kIn, {nullptr, kNoInch}, L"1'"},
      {kFif, 0, -0.25 * kIn, {nullptr, kFeet}, L"-0' 1/4\""},
      {kFif, 0, 0.25 * kIn, {L"1/2\""}, L"1/2\""},  // a tie
      {kFif, 0, 66.1 * kIn, {L"1\"", 0, kUp}, L"5' 7\""},
      {kFif, 0, 66.5 * kIn, {L"1'"}, L"6'"},              // parts below the step left out
      {kFif, 0, 23.999 * kIn, {L"5 mm"}, L"2' 2/127\""},  // 610 mm in 25/127" steps
      {kFdi, 0, 11.999 * kIn, {}, L"1' 0.00\""},
      {kFdi, 0, 66.5 * kIn, {L"1/16\""}, L"5' 6.5000\""},
      {kFdi, 0, 66.5 * kIn, {L"1/16\"", kTrim}, L"5' 6.5\""},
      {kDms, 0, 10.99999, {}, L"11\u00B00'0\""},  // never 60"
      {kDms, 0, 359.99999, {}, L"360\u00B00'0\""},
      {kDms, 0, -0.5, {}, L"-0\u00B030'0\""},  // the sign stays
      {kDms, 0, 10.2, {L"15'"}, L"10\u00B015'"},
      {kDms, 0, 10.2, {L"1\u00B0", 0, kUp}, L"11\u00B0"},
      {kDms, 36000, 10.5042, {}, L"10\u00B030'15.1\""},
      {kDms, 60, 10.999, {}, L"11\u00B00'"},
      {kLbOz, 0, 24 * kOz, {}, L"1 lb 8.00 oz"},
      {kLbOz, 0, 15.999 * kOz, {}, L"1 lb"},  // 16 oz carries into the pound
      {kLbOz, 0, -3.3 * kOz, {L"0.5 oz"}, L"-3.5 oz"},
      {kLbOz, 0, 0.0, {}, L"0.00 oz"},
      {kFrac, 0, 66.99 * kIn, {}, L"67"},
      {kFrac, 0, 66.5 * kIn, {nullptr, 0, kNear, 0, 0.0, L'-'}, L"66-1/2"},
      // 10^16 steps of 1/10^9: whole inches alone, and the marker for the half they lose.
      {kFrac, 8, 19220294.5625 * kIn, {nullptr, kMark, kNear, 0, 1e-163}, L"~19220295"},
  });
}

TEST(Format, WritesLevelSignsTypographicMarksAndTheInexactMarker) {
  const double inf = std::numeric_limits<double>::infinity();
  expectTexts({
      {kM, 0, 3250.0, {nullptr, kPlus}, L"+3.250"},
      {kM, 0, -1200.0, {nullptr, kPlus}, L"-1.200"},
      {kM, 0, -0.0001, {nullptr, kPlus}, L"\u00B10.000"},
      {kFif, 0, 66.5 * kIn, {nullptr, kTypo}, L"5\u2032 6\u00BD\u2033"},
      {kFif, 0, -3.5 * kIn, {nullptr, kTypo}, L"\u22123\u00BD\u2033"},
      // "5'-½" would read as 5' minus ½".
      {kFif, 0, 60.5 * kIn, {nullptr, kTypo, kNear, 0, 0.0, L'-'}, L"5\u2032-0\u00BD\u2033"},
      {kFif, 32, 6.09375 * kIn, {nullptr, kTypo}, L"6 3\u204432\u2033"},  // no vulgar 3/32
      {kFif, 0, 0.1 * kIn, {L"0.1\"", kTypo}, L"\u2152\u2033"},
      {kDms, 0, 10.5 + 15.0 / 3600, {nullptr, kTypo}, L"10\u00B030\u203215\u2033"},
      {kMm, 0, -1.5, {nullptr, kTypo}, L"\u22121.50"},
      {kMm, 0, 12.3456, {nullptr, kMark}, L"~12.35"},
      {kMm, 0, 12.35, {nullptr, kMark}, L"12.35"},
      {kMm, 0, 1e-12, {nullptr, kMark}, L"~0.00"},
      {kFif, 0, 1690.0, {nullptr, kMark}, L"~5' 6 9/16\""},
      {kM, 0, 0.0001, {nullptr, kMark | kPlus}, L"~\u00B10.000"},
      {kMm, 0, std::nan(""), {nullptr, kPlus | kMark}, L"nan"},
      {kFif, 0, -inf, {nullptr, kTypo}, L"-inf"},
      {kDms, 0, inf, {L"15'"}, L"inf"},
      {kMm, 0, 1e20, {L"5 mm"}, L"100000000000000000000"},
      {kM, 0, -1500.0, {nullptr, kUnit | kTypo}, L"\u22121.500 m"},
      {kFif, 0, 1500.0, {nullptr, kUnit}, L"4' 11 1/16\""},  // the marks are the units
  });
}

// Bearings and azimuths. Internal angles are counterclockwise from east unless a row
// says otherwise: the azimuth a is the internal angle 90 - a.
TEST(Format, AnglesShowAsBearingsAndAzimuths) {
  using pelunits::AngleConvention;
  using pelunits::AngleSense;
  using pelunits::AngleStyle;
  using pelunits::AngleZero;
  constexpr AngleStyle kBearing = AngleStyle::bearing;
  constexpr AngleStyle kAzimuth = AngleStyle::azimuth;
  const AngleConvention kNorthClockwise{AngleZero::north, AngleSense::clockwise};
  const AngleConvention kWest{AngleZero::west, AngleSense::counterclockwise};
  const AngleConvention kSouthClockwise{AngleZero::south, AngleSense::clockwise};
  const double inf = std::numeric_limits<double>::infinity();
  const auto az = [](double a) { return 90.0 - a; };
  const auto dms = [](double d, double m, double s) { return d + m / 60 + s / 3600; };
  struct DirectionCase {
    const char* unit;
    int precision;
    double value;
    AngleStyle style;
    const wchar_t* expected;
    unsigned flags = 0;
    AngleConvention convention = AngleConvention();
    Rounding rounding = kNear;
    double incrementValue = 0.0;
  };
  const DirectionCase cases[] = {
      {kDms, 0, az(dms(45, 30, 15)), kBearing, L"N 45\u00B030'15\" E"},
      {kDms, 0, az(135.0), kBearing, L"S 45\u00B00'0\" E"},
      {kDms, 0, 240.0, kBearing, L"S 30\u00B00'0\" W"},
      {kDms, 0, az(300.25), kBearing, L"N 59\u00B045'0\" W"},
      // The axes show their letter; so does an angle that rounds to one.
      {kDms, 0, 90.0, kBearing, L"N"},
      {kDms, 0, 0.0, kBearing, L"E"},
      {kDms, 0, 180.0, kBearing, L"W"},
      {kDms, 0, 270.0, kBearing, L"S"},
      {kDms, 0, az(dms(89, 59, 59.6)), kBearing, L"E"},
      {kDms, 0, az(dms(270, 0, 0.4)), kBearing, L"W"},
      {kDms, 0, az(dms(359, 59, 59.6)), kBearing, L"N"},
      {kDms, 0, az(dms(10, 59, 59.9)), kBearing, L"N 11\u00B00'0\" E"},  // seconds carry
      {kDms, 0, -45.0, kBearing, L"S 45\u00B00'0\" E"},
      {kDms, 0, 405.0 + 720.0, kBearing, L"N 45\u00B00'0\" E"},
      {kDms, 0, std::nan(""), kBearing, L"nan"},
      {kDms, 0, -inf, kAzimuth, L"-inf"},
      {kDms, 0, az(dms(45, 30, 15)), kBearing, L"N 45\u00B030\u203215\u2033 E", kTypo},
      {kDms, 0, az(45.0001), kBearing, L"~N 45\u00B00'0\" E", kMark | kPlus},
      {kDms, 0, az(0.0001), kBearing, L"~N", kMark},
      {"degrees", 0, az(45.5), kBearing, L"N 45.50\u00B0 E", kUnit},
      {"degrees", 0, az(45.5), kBearing, L"N 45.5\u00B0 E", kTrim},
      {"gon", 0, 45.0, kBearing, L"N 50.00 E"},
      {"gon", 0, az(180.0), kAzimuth, L"200.00 gon", kUnit},
      {"radians", 0, az(45.0), kBearing, L"N 0.7854 E"},
      // Up and down move the shown angle: 1.5705 rad up at 0.01 passes a right angle.
      {"radians", 0, az(1.5705 * kDegreesPerRadian), kBearing, L"E", 0, {}, kUp, 0.01},
      {"radians", 0, az(1.5705 * kDegreesPerRadian), kBearing, L"N 1.57 E", 0, {}, kDown, 0.01},
      {kDms, 0, az(dms(45, 30, 15)), kAzimuth, L"45\u00B030'15\""},
      {kDms, 0, az(dms(359, 59, 59.6)), kAzimuth, L"0\u00B00'0\""},  // a turn shows 0
      {kDms, 0, az(359.5), kAzimuth, L"0\u00B0", 0, {}, kUp, 1.0},
      {"radians", 0, az(359.9999), kAzimuth, L"0.0000"},
      {"degrees", 0, 30.0, kAzimuth, L"30.00", 0, kNorthClockwise},
      {"degrees", 0, 30.0, kAzimuth, L"240.00", 0, kWest},
      {"degrees", 0, 30.0, kBearing, L"S 30.00\u00B0 W", 0, kSouthClockwise},
      {"degrees", 0, az(359.996), kAzimuth, L"0", 0, {}, kNear, 0.0},
      {kMm, 0, 12.345, kBearing, L"12.35"},  // other quantities ignore the style
  };
  for (const DirectionCase& c : cases) {
    const pelunits::UnitPtr unit = namedUnit(c.unit, c.precision);
    Options o{nullptr, c.flags, c.rounding};
    o.incrementValue = c.incrementValue;
    FormatOptions options = optionsOf(o);
    options.angleStyle = c.style;
    options.angleConvention = c.convention;
    if (&c == &cases[std::size(cases) - 2]) options.significantDigits = 3;
    const KovString text = pelunits::format(*unit, c.value, options);
    SCOPED_TRACE(testing::Message() << c.unit << " " << c.value << " -> " << narrow(text));
    EXPECT_EQ(text, KovString(c.expected));
    const pelunits::ReadResult read = pelunits::readExact(*unit, text, c.style, c.convention);
    EXPECT_EQ(read.status, std::isfinite(c.value) || text == L"nan" || text == L"-inf"
                               ? ReadStatus::complete
                               : ReadStatus::invalid);
  }
}

TEST(Format, TheReaderTakesTheInexactMarkerAndThePlusMinusSign) {
  struct ReadCase {
    const char* unit;
    const wchar_t* text;
    ReadStatus status;
    double value;
  };
  const ReadCase cases[] = {
      {kMm, L"~ -12.35", ReadStatus::complete, -12.35},
      {kM, L"~\u00B10.000", ReadStatus::complete, 0.0},
      {kFif, L"~\u22125\u2032 6\u00BD\u2033", ReadStatus::complete, -66.5 * kIn},
      {kM, L"\u00B11.250", ReadStatus::invalid, 0.0},  // only before zero
      {kM, L"\u00B1-0", ReadStatus::invalid, 0.0},
      {kM, L"\u00B1", ReadStatus::incomplete, 0.0},
      {kM, L"~", ReadStatus::incomplete, 0.0},
      {kM, L"12~", ReadStatus::invalid, 0.0},  // the marker leads or is not one
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(narrow(KovString(c.text)));
    const pelunits::ReadResult read = pelunits::readExact(*namedUnit(c.unit), KovString(c.text));
    EXPECT_EQ(read.status, c.status);
    EXPECT_EQ(read.value, c.value);
  }
}

#if !defined(_WIN32)
// With the regional flag on the decimal forms take the user's number format, as the
// unit's display does, and read back in it; the compound forms stay neutral.
TEST(Format, DecimalFormsFollowTheRegionalFlag) {
  for (const RegionalSource source : kRegionalSources) {
    SCOPED_TRACE(nameOf(source));
    const ScopedRegional regional("de_DE.UTF-8", source);
    expectTexts(
        {
            {kM, 0, 1234567.5, {L"5 mm", kPlus}, L"+1.234,570"},
            {kMm, 0, 1234.5, {nullptr, kTrim}, L"1.234,5"},
            {kKn, 0, 12345.0, {nullptr, kTrim, kNear, 3}, L"12.300"},  // no decimals, no trim
            {kFdi, 0, 66.5 * kIn, {}, L"5' 6.50\""},
            {"kilograms", 0, 1234.5, {nullptr, kUnit}, L"1,23 kg"},
        },
        1);
  }
}
#endif

// Without options the decimal forms write what the unit's own display writes, but for
// values within a hair of a tie, which format() rounds away from zero and the display
// by the double's exact value.
TEST(Format, WithoutOptionsTheDecimalFormsAreTheUnitsDisplay) {
  const char* const units[] = {kMm,      "decimal-feet",  "kips",         "newtons",
                               "tonnes", "square-metres", "cubic-metres", "psi"};
  const int precisions[] = {1, 10, 100, 1000, 10000};
  std::mt19937_64 random(2500);
  for (int n = 0; n < 20000; ++n) {
    const pelunits::UnitPtr unit = namedUnit(units[random() % std::size(units)]);
    unit->setPrecision(precisions[random() % 5]);
    const double value = (random() % 2 == 0 ? 1.0 : -1.0) *
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

#if defined(__SIZEOF_INT128__)
// The round trip's oracle: the shown text read again into an exact rational of the
// smallest part (inch, second, ounce, display unit), independently of the library.
using Wide = __int128;

struct Rational {
  Wide n = 0;
  Wide d = 1;
  bool overflow = false;  // a text with more digits than these integers hold
  void add(Wide an, Wide ad, Wide weight = 1) {
    Wide left = 0, right = 0;
    overflow = overflow || __builtin_mul_overflow(an, weight, &an) ||
               __builtin_mul_overflow(n, ad, &left) || __builtin_mul_overflow(an, d, &right) ||
               __builtin_add_overflow(left, right, &n) || __builtin_mul_overflow(d, ad, &d);
    if (overflow) return;
    Wide a = n < 0 ? -n : n, b = d;
    while (b != 0) a = std::exchange(b, a % b);
    n /= a == 0 ? 1 : a;
    d /= a == 0 ? 1 : a;
  }
};

// The marks in ASCII and each vulgar fraction as " n/d", then parts of the form
// number [ "." digits | "/" digits | (" " | "-") digits "/" digits ] [ mark ].
bool shownParts(const KovString& text, bool angle, Rational& out, bool& negative) {
  static const wchar_t* const kVulgar[] = {
      L"\u00BC 1/4", L"\u00BD 1/2", L"\u00BE 3/4", L"\u2150 1/7", L"\u2151 1/9", L"\u2152 1/10",
      L"\u2153 1/3", L"\u2154 2/3", L"\u2155 1/5", L"\u2156 2/5", L"\u2157 3/5", L"\u2158 4/5",
      L"\u2159 1/6", L"\u215A 5/6", L"\u215B 1/8", L"\u215C 3/8", L"\u215D 5/8", L"\u215E 7/8"};
  std::wstring t;
  for (int k = 0; k < text.length(); ++k) {
    const wchar_t c = text[k];
    const wchar_t* vulgar = nullptr;
    for (const wchar_t* v : kVulgar) vulgar = v[0] == c ? v + 1 : vulgar;
    if (vulgar != nullptr) {
      t += vulgar;
    } else {
      t += c == L'\u2032' ? L'\'' : c == L'\u2033' ? L'"' : c == L'\u2044' ? L'/' : c;
    }
  }
  std::size_t i = t[0] == L'~' ? 1 : 0;
  negative = t[i] == L'-' || t[i] == L'\u2212';
  if (negative || t[i] == L'+' || t[i] == L'\u00B1') ++i;
  const auto digit = [&](std::size_t k) { return k < t.size() && t[k] >= L'0' && t[k] <= L'9'; };
  const auto integer = [&](Wide& v) {
    const std::size_t start = i;
    for (v = 0; digit(i); ++i) {
      if (i - start < 18) v = v * 10 + (t[i] - L'0');
    }
    return i > start && i - start < 18;
  };
  while (i < t.size()) {
    while (t[i] == L' ') ++i;
    Wide whole = 0, top = 0, bottom = 0;
    if (!integer(whole)) return false;
    Rational part{whole, 1, false};
    const std::size_t after = i;
    if (t[i] == L'.' && (++i, integer(top))) {
      part.add(top, static_cast<Wide>(std::pow(10.0, static_cast<double>(i - after - 1))));
    } else if (t[i] == L'/' && (++i, integer(bottom))) {
      part = Rational{whole, bottom, false};
    } else if ((t[i] == L' ' || t[i] == L'-') && digit(i + 1) && (++i, integer(top)) &&
               t[i] == L'/' && (++i, integer(bottom))) {
      part.add(top, bottom);
    } else {
      i = after;
    }
    while (i < t.size() && t[i] == L' ') ++i;
    Wide weight = 1;
    if (t[i] == L'\'') weight = angle ? 60 : 12;
    if (t[i] == L'\u00B0') weight = 3600;
    if (t.compare(i, 2, L"lb") == 0) weight = 16;
    if (t[i] == L'\'' || t[i] == L'"' || t[i] == L'\u00B0') {
      ++i;
    } else if (t.compare(i, 2, L"lb") == 0 || t.compare(i, 2, L"oz") == 0) {
      i += 2;
    }
    out.overflow = out.overflow || part.overflow;
    out.add(part.n, part.d, weight);
    while (i < t.size() && (t[i] == L' ' || t[i] == L'-')) ++i;
  }
  return true;
}

TEST(Format, EveryTextReadsBackToTheValueItsDigitsShow) {
  struct PropertyUnit {
    const char* name;
    Wide size, per;  // the smallest shown part in internal units: size / per
    int precisions[3];
    const wchar_t* increments[4];
  };
  const PropertyUnit units[] = {
      {kMm, 1, 1, {0, 1, 1000}, {L"5 mm", L"1/2\"", L"0.25", L"1/3 mm"}},
      {kM, 1000, 1, {0, 100, 1}, {L"0.005 m", L"25 mm", L"1 m", L"1/16\""}},
      {"decimal-feet", 3048, 10, {0, 1000, 1}, {L"1\"", L"0.5", L"5 mm", L"1/8 ft"}},
      {"newtons", 1, 1000, {0, 10, 1}, {L"5 N", L"0.5 kN", L"25", L"1 kN"}},
      {"kilograms", 1000, 1, {0, 1000, 1}, {L"5 g", L"0.5 kg", L"1 lb", L"0.25"}},
      {"gon", 9, 10, {0, 1000, 1}, {L"15'", L"0.5 gon", L"1", L"5\u00B0"}},
      {kFif, 254, 10, {0, 2, 64}, {L"1/2\"", L"1'", L"5 mm", L"3\""}},
      {kFdi, 254, 10, {0, 1000, 10}, {L"1/16\"", L"1'", L"5 mm", L"0.5"}},
      {kFrac, 254, 10, {0, 2, 64}, {L"1/8", L"5 mm", L"1'", L"0.1"}},
      {kDms, 1, 3600, {0, 60, 36000}, {L"15'", L"5\"", L"1\u00B0", L"0.5"}},
      {kLbOz, 2834952, 100000, {0, 1000, 1}, {L"0.5 oz", L"1 lb", L"5 g", L"0.25"}},
  };
  // The ends of the range, where only the reading back and the marker are held.
  const double max = std::numeric_limits<double>::max();
  const double extremes[] = {1e300, -max, 5e-324, -1e-300, 9.3e18, 1e20};
  std::mt19937_64 random(25);
  int exact = 0;
  for (int n = 0; n < 40000; ++n) {
    const PropertyUnit& u = units[random() % std::size(units)];
    const pelunits::UnitPtr unit = namedUnit(u.name, u.precisions[random() % 3]);
    Options o{random() % 4 != 0 ? u.increments[random() % 4] : nullptr,
              static_cast<unsigned>(random() % 128), static_cast<Rounding>(random() % 3)};
    if (random() % 4 == 0) o.significantDigits = 1 + static_cast<int>(random() % 12);
    o.separator = random() % 2 == 0 ? L' ' : L'-';
    // Magnitudes from 1e-3 to 1e6 parts, every fourth on an eighth of a part, where the
    // ties lie, and every sixteenth an end of the range.
    double parts = std::pow(10.0, std::uniform_real_distribution<double>(-3.0, 6.0)(random));
    if (random() % 4 == 0) parts = std::round(parts * 8) / 8;
    double value = (random() % 2 == 0 ? 1.0 : -1.0) * parts * static_cast<double>(u.size) /
                   static_cast<double>(u.per);
    if (random() % 16 == 0) value = extremes[random() % std::size(extremes)];
    const KovString text = pelunits::format(*unit, value, optionsOf(o));
    SCOPED_TRACE(testing::Message() << u.name << " " << value << " -> " << narrow(text));
    const pelunits::ReadResult read = pelunits::readExact(*unit, text);
    ASSERT_EQ(read.status, ReadStatus::complete) << read.message;
    // A text without the marker shows the value, but for the turns an angle display
    // reduces and a display number that underflows (5e-324 mm is 0 m) or overflows.
    const bool angle = u.name == kDms || std::string(u.name) == "gon";
    if ((o.flags & kMark) != 0 && text[0] != L'~' && !angle && std::isfinite(read.value)) {
      EXPECT_NEAR(read.value, value, 1e-9 * std::fabs(value) + 1e-300);
    }
    Rational shown, internal;
    bool negative = false;
    // Skipped: texts with more digits than the oracle's integers hold.
    const KovString symbol = KovString(L" ") + unit->getSymbol();
    const bool symbolShown = (o.flags & kUnit) != 0 && text.right(symbol.length()) == symbol;
    const KovString digits = symbolShown ? text.left(text.length() - symbol.length()) : text;
    if (!shownParts(digits, angle, shown, negative) || shown.overflow) continue;
    if (shown.d > (Wide{1} << 64)) continue;
    internal.add(shown.n, shown.d * u.per, u.size);
    constexpr Wide kTwo53 = Wide{1} << 53;
    if (internal.overflow || internal.n >= kTwo53 || internal.d >= kTwo53) continue;
    ++exact;
    const double magnitude = static_cast<double>(internal.n) / static_cast<double>(internal.d);
    EXPECT_EQ(read.value, negative ? -magnitude : magnitude);
  }
  EXPECT_GT(exact, 30000);  // the oracle's integers held nearly every text
}
#endif

}  // namespace
