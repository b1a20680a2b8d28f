// The typed forms the exact reader accepts, refuses or waits on: one row per form
// or decision, with the value an independent calculation gives.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "LocaleEnvironment.h"
#include "PelUnitsRead.h"
#include "RegionalSource.h"
#include "TestText.h"
#include "exact/FieldOfUnit.h"
#include "exact/NumberReading.h"
#include "exact/QuantityGrammar.h"

namespace {

using pelunits::ReadStatus;
constexpr ReadStatus kComplete = ReadStatus::complete;
constexpr ReadStatus kIncomplete = ReadStatus::incomplete;
constexpr ReadStatus kInvalid = ReadStatus::invalid;

constexpr double kIn = 25.4;
constexpr double kFt = 304.8;
constexpr double kOz = 28.34952;
constexpr double kLb = 16 * kOz;
const double kPi = std::acos(-1.0);

// A unit as a host would configure it for the field: code pair, power (0: the
// factory's), factor (0: the prototype's), precision and regional flag.
struct Field {
  int units, representation, power;
  double factor;
  int precision;
  int regional = 0;
};
const Field feetInchFraction{20, 1, 0, 0, 16}, feetDecimalInch{20, 2, 0, 0, 100},
    fractionalDecimal{20, 5006, 0, 25.4, 16}, metres{20, 5, 0, 1000.0, 1000},
    squareMetres{3005, 3003, 0, 1e6, 100}, squareFeet{20, 1, 2, 0, 16},
    cubicMetres{5003, 4003, 0, 1e9, 1000}, degrees{2000, 0, 0, 360.0, 100},
    gon{2000, 2007, 0, 400.0, 100}, radians{2000, 2005, 0, 2 * kPi, 10000},
    dms{2000, 2008, 0, 0, 3600}, grams{1009, 0, 0, 1.0, 100}, kilograms{1009, 0, 0, 1000.0, 100},
    poundsOunces{1010, 0, 0, 0, 100}, kilonewtons{3101, 0, 0, 1.0, 100},
    kilonewtonMetres{3201, 0, 0, 1.0, 100}, stress{3300, 0, 0, 1.0, 100},
    regionalMetres{20, 5, 0, 1000.0, 1000, 1};

pelunits::UnitPtr makeField(const Field& f) {
  pelunits::UnitPtr unit = newUnit(f.units, f.representation, f.power);
  if (f.factor != 0.0) unit->setFactor(f.factor);
  unit->setPrecision(f.precision);
  unit->setUseRegionalSettings(f.regional);
  return unit;
}

struct Case {
  Field field;
  const wchar_t* text;
  ReadStatus status;
  double value;                     // when complete
  const char* locale = nullptr;     // the user's locale, when the row names one
  const wchar_t* symbol = nullptr;  // the unit's symbol, when it has one
};

void checkOne(const Case& c) {
  const auto unit = makeField(c.field);
  if (c.symbol != nullptr) unit->setSymbol(KovString(c.symbol));
  const pelunits::ReadResult r = pelunits::readExact(*unit, KovString(c.text));
  EXPECT_EQ(static_cast<int>(r.status), static_cast<int>(c.status)) << r.message;
  if (c.status == kComplete) {
    EXPECT_TRUE(std::isnan(c.value)
                    ? std::isnan(r.value)
                    : std::fabs(r.value - c.value) <= 1e-9 * std::fabs(c.value) + 1e-12)
        << r.value;
    EXPECT_STREQ(r.message, "");
  } else {
    EXPECT_EQ(r.value, 0.0);
    EXPECT_STRNE(r.message, "");
  }
}

// A row that names a locale runs with its format from each source.
void check(const Case* cases, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::string(c.locale != nullptr ? c.locale : "") + " " +
                 narrow(KovString(c.text)));
#if !defined(_WIN32)
    if (c.locale != nullptr) {
      for (const RegionalSource source : kRegionalSources) {
        SCOPED_TRACE(nameOf(source));
        const ScopedRegional regional(c.locale, source);
        checkOne(c);
      }
      continue;
    }
#endif
    checkOne(c);
  }
}

TEST(ExactReader, ReadsFeetAndInchesAsPeopleTypeThem) {
  const Case cases[] = {
      {feetInchFraction, L"5'6\"", kComplete, 66 * kIn},
      {feetInchFraction, L"5' 6\"", kComplete, 66 * kIn},
      {feetInchFraction, L"5'-6 1/2\"", kComplete, 66.5 * kIn},
      {feetInchFraction, L"5'6-1/2\"", kComplete, 66.5 * kIn},
      {feetInchFraction, L"5 ft 6 in", kComplete, 66 * kIn},
      {feetInchFraction, L"5 feet 6 inches", kComplete, 66 * kIn},
      {feetInchFraction, L"5.5'", kComplete, 66 * kIn},
      {feetInchFraction, L"1 1/2'", kComplete, 18 * kIn},
      {feetInchFraction, L"66\"", kComplete, 66 * kIn},
      {feetInchFraction, L"6 1/2", kComplete, 6.5 * kIn},  // a bare number is inches
      {feetInchFraction, L"5'6", kComplete, 66 * kIn},     // the inch mark may be left off
      {feetInchFraction, L"5' 6''", kComplete, 66 * kIn},  // two apostrophes for inches
      {feetInchFraction, L"1 yd 2 ft", kComplete, 5 * kFt},
      {feetInchFraction, L"-5' 6\"", kComplete, -66 * kIn},  // the sign covers the whole length
      {feetInchFraction, L"0' -3 1/2\"", kComplete, -3.5 * kIn},  // zero feet, signed inches
      {feetInchFraction, L"0'-0 -1/2\"", kComplete, -0.5 * kIn},  // sign on the fraction
      {feetInchFraction, L"0'--3 1/2\"", kComplete, -3.5 * kIn},  // joining dash, then sign
      {feetInchFraction, L"0'-", kComplete, 0.0},  // the display with the inches hidden
      {feetDecimalInch, L"5' 6.50\"", kComplete, 66.5 * kIn},
      {fractionalDecimal, L"66-1/2", kComplete, 66.5 * kIn},
      {fractionalDecimal, L"-1-1/2", kComplete, -1.5 * kIn},
      {squareFeet, L"1' 50\" \u00B2", kComplete, 194 * kIn * kIn},  // marks count in the power
      {squareFeet, L"2 sq ft", kComplete, 2 * kFt * kFt},
      // A rest a hair below zero, as the feet and decimal inch display writes it.
      {squareFeet, L"1' -0.000000174\" \u00B2", kComplete, (144 - 0.000000174) * kIn * kIn},
      {squareFeet, L"2 ft\u00B2", kComplete, 2 * kFt * kFt},
      {squareFeet, L"2 ft2", kComplete, 2 * kFt * kFt},
      {squareFeet, L"2 ft", kInvalid, 0},  // a length in an area field
      {feetInchFraction, L"5' 6 1/", kIncomplete, 0},
      {feetInchFraction, L"5' 6 1", kIncomplete, 0},            // the start of "5' 6 1/2"
      {feetInchFraction, L"5 f", kIncomplete, 0},               // the start of a unit word
      {feetInchFraction, L"5'6 1/0\"", kInvalid, 0},            // zero denominator
      {feetInchFraction, L"5' -6\"", kComplete, 54 * kIn},      // a sign covers its own part
      {feetInchFraction, L"1' -0.5\"", kComplete, 11.5 * kIn},  // as a display may write it
      {feetInchFraction, L"0' -3 -1/2\"", kInvalid, 0},         // two signs
      {feetInchFraction, L"6\" 5'", kInvalid, 0},               // units out of order
      {feetInchFraction, L"5'6\"x", kInvalid, 0},               // trailing text
  };
  check(cases, std::size(cases));
}

TEST(ExactReader, ReadsTypographicMarksFractionsAndBlanks) {
  const Case cases[] = {
      {feetInchFraction, L"5\u2032 6\u2033", kComplete, 66 * kIn},  // prime, double prime
      {feetInchFraction, L"5\u2019 6\u201D", kComplete, 66 * kIn},  // quotation marks
      {feetInchFraction, L"5\u2032 6\u00BD\u2033", kComplete, 66.5 * kIn},
      {feetInchFraction, L"6\u00BD\"", kComplete, 6.5 * kIn},
      {feetInchFraction, L"6 \u00BE\"", kComplete, 6.75 * kIn},
      {feetInchFraction, L"\u215B\"", kComplete, 0.125 * kIn},
      {feetInchFraction, L"\u215C\u2033", kComplete, 0.375 * kIn},
      {feetInchFraction, L"\u215D\"", kComplete, 0.625 * kIn},
      {feetInchFraction, L"\u215E\"", kComplete, 0.875 * kIn},
      {feetInchFraction, L"\u00BC\"", kComplete, 0.25 * kIn},
      {feetInchFraction, L"1\u2153\"", kComplete, (1 + 1.0 / 3) * kIn},
      {feetInchFraction, L"3\u20444\"", kComplete, 0.75 * kIn},   // fraction slash
      {feetInchFraction, L"\u22125' 6\"", kComplete, -66 * kIn},  // minus sign
      {feetInchFraction, L"- 10 ft", kComplete, -120 * kIn},      // blanks after a sign
      {feetInchFraction, L"+ 1e3 mm", kComplete, 1000.0},
      {feetInchFraction, L"2' * - 3", kComplete, -72 * kIn},
      {feetInchFraction, L"1' - - 6\"", kComplete, 18 * kIn},  // minus, then a sign
      {feetInchFraction, L"-  ", kIncomplete, 0},
      // Parentheses group where a quantity begins.
      {feetInchFraction, L"(5'6\") / 2", kComplete, 33 * kIn},
      {feetInchFraction, L"2 * (3' + 4 1/2\")", kComplete, 81 * kIn},
      {feetInchFraction, L"2 \u00D7 (3' + 4 1/2\")", kComplete, 81 * kIn},
      {feetInchFraction, L"-(1' + 2\")", kComplete, -14 * kIn},
      {feetInchFraction, L"((6))", kComplete, 6 * kIn},  // plain inside: the display unit
      {feetInchFraction, L"10 * (1248 in - 104'-0\")", kComplete, 0.0},  // exactly zero: no residue
      {feetInchFraction, L"(1' + 2\"", kIncomplete, 0},
      {feetInchFraction, L"(1')) ", kInvalid, 0},
      {feetInchFraction, L"5' (6\")", kInvalid, 0},  // no operator: not a group
      {feetInchFraction, L"()", kInvalid, 0},
      {poundsOunces, L"(1 lb + 8 oz) (680.39)", kComplete, 24 * kOz},  // a group, then the echo
      {feetInchFraction, L"5'\u00A06\"", kComplete, 66 * kIn},         // no-break space
      {feetInchFraction, L"5'\u20096\"", kComplete, 66 * kIn},         // thin space
      {feetInchFraction, L"5'\u202F6\"", kComplete, 66 * kIn},         // narrow no-break space
      {dms, L"10\u00BA30'", kComplete, 10.5},                          // º as the degree mark
      {dms, L"10\u02DA30'", kComplete, 10.5},                          // ˚ as the degree mark
  };
  check(cases, std::size(cases));
}

TEST(ExactReader, NestsParenthesesToALimit) {
  const auto unit = makeField(feetInchFraction);
  const auto nested = [](int depth) {
    return std::wstring(static_cast<std::size_t>(depth), L'(') + L"1'" +
           std::wstring(static_cast<std::size_t>(depth), L')');
  };
  const pelunits::ReadResult deepest = pelunits::readExact(*unit, KovString(nested(32).c_str()));
  EXPECT_EQ(deepest.status, kComplete);
  EXPECT_EQ(deepest.value, kFt);
  // Far deeper texts are refused where the limit is passed, without deep recursion.
  const pelunits::ReadResult deeper = pelunits::readExact(*unit, KovString(nested(100000).c_str()));
  EXPECT_EQ(deeper.status, kInvalid);
  EXPECT_EQ(deeper.position, 32u);
  EXPECT_STREQ(deeper.message, "parentheses nested too deeply");
}

TEST(ExactReader, ReadsAnglesAndWeights) {
  const double dms1 = 10 + 30 / 60.0 + 15 / 3600.0;
  const Case cases[] = {
      {dms, L"10\u00B030'15\"", kComplete, dms1},
      {dms, L"10d30'15\"", kComplete, dms1},
      {dms, L"10\u00B0 30\u2032 15\u2033", kComplete, dms1},
      {dms, L"-0\u00B030'", kComplete, -0.5},  // the sign covers the whole angle
      {dms, L"10\u00B030", kComplete, 10.5},   // a bare number after degrees is minutes
      {dms, L"45", kComplete, 45.0},           // a bare number is degrees
      {dms, L"10 30 15", kInvalid, 0},         // numbers side by side
      {dms, L"hello", kInvalid, 0},
      {degrees, L"45.5", kComplete, 45.5},
      {degrees, L"100 gon", kComplete, 90.0},
      {degrees, L"100g", kComplete, 90.0},  // in an angle field g is gon, as the unit reads it
      {degrees, L"1 rad", kComplete, 180 / kPi},
      {gon, L"100", kComplete, 90.0},  // a bare number is in the display unit
      {gon, L"100.00", kComplete, 90.0},
      {gon, L"45\u00B0", kComplete, 45.0},  // an explicit unit converts
      {radians, L"3.14159265358979", kComplete, 180.0 * 3.14159265358979 / kPi},
      {poundsOunces, L"2 lb 3 oz", kComplete, 35 * kOz},
      {poundsOunces, L"2lb 3oz", kComplete, 35 * kOz},
      {poundsOunces, L"2 lbs", kComplete, 2 * kLb},
      {poundsOunces, L"2 pounds", kComplete, 2 * kLb},
      {poundsOunces, L"8 oz", kComplete, 8 * kOz},
      {poundsOunces, L"1.5 lb", kComplete, 1.5 * kLb},
      {poundsOunces, L"5", kComplete, 5 * kOz},  // a bare number is ounces, as the unit reads it
      {poundsOunces, L"2 lb 3", kComplete, 35 * kOz},  // ounces after pounds may go unmarked
      {poundsOunces, L"-1 lb 8 oz", kComplete, -24 * kOz},
      {poundsOunces, L"2 kg", kComplete, 2000.0},
      {poundsOunces, L"1 lb 8.00 oz (680.39)", kComplete, 24 * kOz},  // the display with units
      {kilograms, L"1.5", kComplete, 1500.0},
      {kilograms, L"1500 g", kComplete, 1500.0},
      {kilograms, L"2 t", kComplete, 2e6},
      {grams, L"2 m", kInvalid, 0},
  };
  check(cases, std::size(cases));
}

TEST(ExactReader, ConvertsExplicitUnitsOfTheSameQuantityOnly) {
  const Case cases[] = {
      {feetInchFraction, L"1.5 m", kComplete, 1500.0},
      {metres, L"5'", kComplete, 5 * kFt},  // feet and inch marks mean feet and inches here too
      {metres, L"1500 mm", kComplete, 1500.0},
      {metres, L"150 cm", kComplete, 1500.0},
      {metres, L"2 yd", kComplete, 2 * 3 * kFt},
      {metres, L"12 in", kComplete, kFt},
      {metres, L"1.5 m", kComplete, 1500.0},
      {metres, L"1.5", kComplete, 1500.0},
      {metres, L"2 kg", kInvalid, 0},       // another quantity
      {metres, L"2 m\u00B2", kInvalid, 0},  // another power
      {squareMetres, L"2 m\u00B2", kComplete, 2e6},
      {squareMetres, L"2 m2", kComplete, 2e6},
      {squareMetres, L"1 ft\u00B2", kComplete, kFt * kFt},
      {squareMetres, L"144 in\u00B2", kComplete, 144 * kIn * kIn},
      {squareMetres, L"1 sq ft", kComplete, kFt * kFt},
      {squareMetres, L"1e6 mm\u00B2", kComplete, 1e6},
      {cubicMetres, L"1 m\u00B3", kComplete, 1e9},
      {cubicMetres, L"1 cu ft", kComplete, kFt * kFt * kFt},
      {cubicMetres, L"1000 mm3", kComplete, 1000.0},
      {kilonewtons, L"1500 N", kComplete, 1.5},
      {kilonewtons, L"2 kN", kComplete, 2.0},
      {kilonewtons, L"1000 lbf", kComplete, 4.4482216152605},
      {kilonewtons, L"1 kip", kComplete, 4.4482216152605},
      // Words of another quantity stay invalid; the pound is a weight in a weight field.
      {feetInchFraction, L"6 in-kips", kInvalid, 0},
      {kilonewtons, L"6 ft-kip", kInvalid, 0},
      {kilonewtons, L"6 psf", kInvalid, 0},
      {stress, L"5 k", kInvalid, 0},
      {kilonewtons, L"5 ft lb", kInvalid, 0},  // blanks between: a length, then a force
      // Outside the pound-and-ounce field lb and oz are the legal 0.45359237 kg and its
      // sixteenth; that field keeps the ounce its displays are written in.
      {kilograms, L"2 lb", kComplete, 907.18474},
      {kilograms, L"2 lb 3", kComplete, 992.23330937500},
      {kilograms, L"1 oz", kComplete, 28.349523125},
      {kilonewtonMetres, L"1000 N\u00B7m", kComplete, 1.0},
      {kilonewtonMetres, L"2 kN\u00B7m", kComplete, 2.0},
      {kilonewtonMetres, L"2 kNm", kComplete, 2.0},
      {kilonewtonMetres, L"1 kip\u00B7ft", kComplete, 4.4482216152605 * 0.3048},
      {kilonewtonMetres, L"1000 lbf-ft", kComplete, 4.4482216152605 * 0.3048},
      {stress, L"355 N/mm\u00B2", kComplete, 355.0},
      {stress, L"355 MPa", kComplete, 355.0},
      {stress, L"1000 kPa", kComplete, 1.0},
      {stress, L"1000 psi", kComplete, 6.894757293168361},
      {stress, L"1 ksi", kComplete, 6.894757293168361},
      {stress, L"355 N/mm", kIncomplete, 0},  // the start of N/mm²
      {stress, L"2 kN", kInvalid, 0},
  };
  check(cases, std::size(cases));
}

TEST(ExactReader, AddsSubtractsAndScales) {
  const Case cases[] = {
      {feetInchFraction, L"5'6\" + 3 1/4\"", kComplete, 69.25 * kIn},
      {metres, L"2.5 m - 300 mm", kComplete, 2200.0},
      {feetInchFraction, L"8'-6\" - 3/4\"", kComplete, (102 - 0.75) * kIn},  // join, then minus
      {feetInchFraction, L"5' - 6\"", kComplete, 54 * kIn},  // blanks both sides: subtraction
      {feetInchFraction, L"3 * 5'", kComplete, 15 * kFt},
      {feetInchFraction, L"10' / 4", kComplete, 30 * kIn},
      {feetInchFraction, L"5' + 6", kComplete, 66 * kIn},  // a bare term is in the display unit
      {metres, L"2 + 1", kComplete, 3000.0},
      {metres, L"2 m * 3 m", kInvalid, 0},    // only plain numbers multiply
      {metres, L"2 m / 0", kInvalid, 0},      // division by zero
      {metres, L"2 m -300 mm", kInvalid, 0},  // a minus needs blanks on both sides
      {metres, L"2 m +", kIncomplete, 0},
  };
  check(cases, std::size(cases));
}

TEST(ExactReader, WaitsOnPrefixesAndRefusesJunk) {
  const Case cases[] = {
      {metres, L"", kIncomplete, 0},
      {metres, L"   ", kIncomplete, 0},
      {metres, L"-", kIncomplete, 0},
      {metres, L"1e", kIncomplete, 0},
      {metres, L"1e+", kIncomplete, 0},
      {metres, L"1e3", kComplete, 1e6},
      {metres, L"abc", kInvalid, 0},
      {metres, L"1,5", kInvalid, 0},  // neutral form: ',' is no decimal separator
      {metres, L"1.5.3", kInvalid, 0},
      {metres, L"12abc", kInvalid, 0},
      {metres, L"nan", kComplete, std::nan("")},
      {metres, L" 5 ", kComplete, 5000.0},  // blanks around are ignored
      {metres, L"--5", kInvalid, 0},
  };
  check(cases, std::size(cases));
}

// The unit's own symbol stands for its display unit, also where it is a unit word.
TEST(ExactReader, ReadsTheUnitsOwnSymbol) {
  const Case cases[] = {
      // The whole-degree display with the symbol, and the mark when minutes follow; in a
      // gon field the symbol, not the degree mark; after a quantity in units.
      {dms, L"0\u00B0 \u00B0", kComplete, 0.0, nullptr, L"\u00B0"},
      {dms, L"10\u00B030'", kComplete, 10.5, nullptr, L"\u00B0"},
      {gon, L"100.00 \u00B0", kComplete, 90.0, nullptr, L"\u00B0"},
      {feetInchFraction, L"5' 6\" mm", kComplete, 66 * kIn, nullptr, L"mm"},
      {metres, L"1.5 %s %d", kComplete, 1500.0, nullptr, L"%s %d"},
  };
  check(cases, std::size(cases));
}

TEST(ExactReader, CountsPositionsInWideCharactersAndUtf8Bytes) {
  const auto unit = makeField(feetInchFraction);
  const pelunits::ReadResult wide = pelunits::readExact(*unit, KovString(L"5\u2032 x"));
  EXPECT_EQ(wide.status, kInvalid);
  EXPECT_EQ(wide.position, 3u);
  const char utf8[] = "5\xE2\x80\xB2 x";  // the prime is three bytes
  const pelunits::ReadResult bytes = pelunits::readExactUtf8(*unit, utf8, sizeof utf8 - 1);
  EXPECT_EQ(bytes.status, kInvalid);
  EXPECT_EQ(bytes.position, 5u);
  const char bad[] = "5\xE2\x80";  // truncated sequence
  EXPECT_EQ(pelunits::readExactUtf8(*unit, bad, sizeof bad - 1).status, kInvalid);
  const pelunits::ReadResult end = pelunits::readExactUtf8(*unit, "5' 6 1/", 7);
  EXPECT_EQ(end.status, kIncomplete);
  EXPECT_EQ(end.position, 7u);
}

#if !defined(_WIN32)
TEST(ExactReader, ReadsNumbersInTheUsersRegionalForm) {
  const Case cases[] = {
      {regionalMetres, L"1.234,5", kComplete, 1234500.0, "de_DE.UTF-8"},
      {regionalMetres, L"1234,5", kComplete, 1234500.0, "de_DE.UTF-8"},  // groups may be left out
      {regionalMetres, L"12.3", kInvalid, 0, "de_DE.UTF-8"},  // never 123: a group has three digits
      {regionalMetres, L"1,5 m", kComplete, 1500.0, "de_DE.UTF-8"},
      {metres, L"1.5", kComplete, 1500.0, "de_DE.UTF-8"},  // flag off: the neutral form
      {metres, L"1,5", kInvalid, 0, "de_DE.UTF-8"},
      {regionalMetres, L"1 234,5", kComplete, 1234500.0, "fr_FR.UTF-8"},
      {regionalMetres, L"1\u202F234,5", kComplete, 1234500.0, "fr_FR.UTF-8"},
      {regionalMetres, L"1\u00A0234,5", kComplete, 1234500.0, "fr_FR.UTF-8"},
      {regionalMetres, L"12345 678", kInvalid, 0, "fr_FR.UTF-8"},  // a group after too many digits
      {regionalMetres, L"1\u2019234.5", kComplete, 1234500.0, "de_CH.UTF-8"},
      {regionalMetres, L"1'234.5", kComplete, 1234500.0, "de_CH.UTF-8"},
      {regionalMetres, L"1,234.5", kComplete, 1234500.0, "en_US.UTF-8"},
      {regionalMetres, L"1,5", kInvalid, 0, "en_US.UTF-8"},
  };
  check(cases, std::size(cases));
}
#endif

// Bearings in angle fields, exactly: the value is the one the same angle typed as a plain
// angle gives (the internal angle, counterclockwise from east, 0 up to 360).
TEST(ExactReader, ReadsBearingsInAngleFields) {
  struct BearingCase {
    Field field;
    const wchar_t* text;
    ReadStatus status;
    const wchar_t* same;  // the plain angle, or the reason of the refusal
    std::size_t position = 0;
  };
  const BearingCase cases[] = {
      {dms, L"N 45\u00B030' E", kComplete, L"44.5"},
      {dms, L"S 30\u00B0 W", kComplete, L"240"},
      {dms, L"  s 30 w ", kComplete, L"240"},
      {dms, L"N 10\u00B030'15\" E", kComplete, L"79\u00B029'45\""},
      {dms, L"N 10\u00B030\u203215\u2033 W", kComplete, L"100\u00B030'15\""},
      {dms, L"S 45\u00B030' E", kComplete, L"315.5"},
      {dms, L"~N 45.5 W", kComplete, L"135.5"},
      {dms, L"N 0\u00B0 E", kComplete, L"90"},
      {dms, L"N 90\u00B0 E", kComplete, L"0"},
      {dms, L"S 90\u00B0 W", kComplete, L"180"},
      {dms, L"N", kComplete, L"90"},
      {dms, L"w", kComplete, L"180"},
      {gon, L"N 50 E", kComplete, L"50"},
      {radians, L"N 1 rad W", kComplete, nullptr},  // 90 + 180/pi, rounded once
      {degrees, L"S 12.25\u00B0 E", kComplete, L"282.25"},
      {dms, L"N 95\u00B0 E", kInvalid, L"0 to 90", 2},
      {dms, L"N -5\u00B0 E", kInvalid, L"0 to 90", 2},
      {dms, L"N 45\u00B0 N", kInvalid, L"ends in E or W", 6},
      {dms, L"E 45\u00B0 N", kInvalid, L"starts with N or S", 0},
      {dms, L"N 45\u00B0 X", kInvalid, L"unexpected", 6},
      {dms, L"N E", kInvalid, L"number", 2},
      {dms, L"N 45\u00B030'", kIncomplete, L"ends in E or W", 8},
      {metres, L"N 45 E", kInvalid, L"", 0},
  };
  for (const BearingCase& c : cases) {
    SCOPED_TRACE(narrow(KovString(c.text)));
    const pelunits::UnitPtr unit = makeField(c.field);
    const pelunits::ReadResult read = pelunits::readExact(*unit, KovString(c.text));
    EXPECT_EQ(read.status, c.status) << read.message;
    if (c.status == kComplete) {
      if (c.same == nullptr) {
        EXPECT_NEAR(read.value, 90.0 + 180.0 / kPi, 1e-13);
      } else {
        EXPECT_EQ(read.value, pelunits::readExact(*unit, KovString(c.same)).value);
      }
    } else if (c.same[0] != 0) {
      EXPECT_EQ(read.position, c.position);
      EXPECT_NE(std::string(read.message).find(narrow(KovString(c.same))), std::string::npos)
          << read.message;
    }
  }
}

// Azimuths need the style and the host's convention to read back; bearings read under
// the convention too.
TEST(ExactReader, ReadsAzimuthsUnderTheHostsConvention) {
  using pelunits::AngleConvention;
  using pelunits::AngleSense;
  using pelunits::AngleStyle;
  using pelunits::AngleZero;
  struct AzimuthCase {
    const wchar_t* text;
    AngleStyle style;
    AngleConvention convention;
    double value;
  };
  const AngleConvention east;
  const AngleConvention northClockwise{AngleZero::north, AngleSense::clockwise};
  const AngleConvention southCounter{AngleZero::south, AngleSense::counterclockwise};
  const AzimuthCase cases[] = {
      {L"30", AngleStyle::azimuth, east, 60.0},
      {L"120", AngleStyle::azimuth, east, 330.0},
      {L"30", AngleStyle::azimuth, northClockwise, 30.0},
      {L"30", AngleStyle::azimuth, southCounter, 150.0},
      {L"370", AngleStyle::azimuth, northClockwise, 10.0},
      {L"-10", AngleStyle::azimuth, northClockwise, 350.0},
      {L"30", AngleStyle::bearing, northClockwise, 30.0},  // a plain angle is itself
      {L"-30", AngleStyle::plain, east, -30.0},
      {L"N 30 E", AngleStyle::plain, northClockwise, 30.0},
      {L"S 30 E", AngleStyle::azimuth, southCounter, 30.0},
      {L"nan", AngleStyle::azimuth, east, std::nan("")},
  };
  const pelunits::UnitPtr unit = makeField(degrees);
  for (const AzimuthCase& c : cases) {
    SCOPED_TRACE(narrow(KovString(c.text)));
    const pelunits::ReadResult read =
        pelunits::readExact(*unit, KovString(c.text), c.style, c.convention);
    EXPECT_EQ(read.status, kComplete) << read.message;
    if (std::isnan(c.value)) {
      EXPECT_TRUE(std::isnan(read.value));
    } else {
      EXPECT_EQ(read.value, c.value);
    }
  }
  // Exactly: 10°30'15" of azimuth is 79°29'45" counterclockwise from east, rounded once.
  const pelunits::UnitPtr sexagesimal = makeField(dms);
  EXPECT_EQ(
      pelunits::readExact(*sexagesimal, KovString(L"10\u00B030'15\""), AngleStyle::azimuth, east)
          .value,
      pelunits::readExact(*sexagesimal, KovString(L"79\u00B029'45\"")).value);
  const char* utf8 = "S 30\xc2\xb0 X";
  const pelunits::ReadResult bad =
      pelunits::readExactUtf8(*sexagesimal, utf8, std::strlen(utf8), AngleStyle::bearing, east);
  EXPECT_EQ(bad.status, kInvalid);
  EXPECT_EQ(bad.position, 7u);  // bytes
}

}  // namespace

// Numbers longer than the reader's inline copy grow it on the heap: lengths around the
// inline size and each doubling read as strtod reads the same digits.
TEST(ExactReader, LongNumbersReadAsStrtodReadsThem) {
  const auto unit = makeField(grams);
  std::mt19937 random(7);
  for (std::size_t length : {47u, 48u, 49u, 191u, 192u, 193u, 385u, 1000u, 100000u}) {
    std::string digits(length, '0');
    for (char& c : digits) c = static_cast<char>('0' + random() % 10);
    digits[0] = '3';
    digits[length / 2] = '.';
    const std::wstring text(digits.begin(), digits.end());
    const pelunits::ReadResult r = pelunits::readExact(*unit, text.c_str(), text.size());
    EXPECT_EQ(r.status, kComplete) << length;
    EXPECT_EQ(r.value, std::strtod(digits.c_str(), nullptr)) << length;
  }
}
