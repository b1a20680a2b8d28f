// Property: for every unit whose display and its own reader invert each other,
// reading the display text of a value gives the value back within half a display
// step (tests/ExactTolerance.h), and the validator accepts the text. Where a unit
// does not invert by design, a row states the limit instead.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ExactTolerance.h"
#include "KovString.h"
#include "KovUnitTransform.h"
#include "RoundTripSetups.h"
#include "TestText.h"
#include "units/imperial/KovUnitLbsOunces.h"

namespace {

using roundtrip::Display;
using roundtrip::Kind;
using roundtrip::UnitSetup;
using Unit = KovUnitTransform;

// How a display text is read back, in internal units.
using Reader = double (Unit::*)(const KovString&) const;
const Reader kMillimeters = &Unit::getMillimeters;
const Reader kGrams = &Unit::getGrams;
const Reader kDegrees = &Unit::getDegrees;

// The unit's own reader of its display; null where the two do not invert: the decimal
// text of a pound-and-ounce unit reads as ounces, and decimal degrees on a circle of
// 400 reduce modulo 400 where the reader reduces modulo 360.
Reader readerOf(const UnitSetup& s) {
  switch (s.units) {
    case 1009:
      return kGrams;
    case 1010:
      return s.factor > KovUnitLbsOunces::kDecimalDisplayThreshold ? nullptr : kGrams;
    case 2000:
      return s.representation == 0 && s.factor != 360.0 ? nullptr : kDegrees;
    case 3101:
      return &Unit::getKiloNewton;
    case 3201:
      return &Unit::getKiloNewtonMeter;
    case 3300:
      return &Unit::getNewtonPerSquareMm;
    default:
      return kMillimeters;
  }
}

// Two displays put the sign of a small negative value where the reader does not
// look (see StatesWhereDisplayAndReadingDoNotInvert): feet-inch-fraction text with
// the zero feet shown and whole inches (below one inch the sign stands on the
// fraction), and degrees-minutes-seconds between -1 and 0 degrees.
bool signIsLostByDesign(const Display& d) {
  if (d.value >= 0) return false;
  if (d.setup.representation == 1 && d.hideZeroFeet == 0) {
    const int p = d.unit.getPower();
    const double inches = -d.value / std::pow(25.4, p);
    return inches < std::pow(12.0, p) * (1 + 1e-5) && inches >= 1.0 - 1.0 / d.unit.getPrecision();
  }
  return d.setup.kind == Kind::dms && std::fmod(d.value, 360.0) > -1.0;
}

TEST(RoundTrip, ReadingTheDisplayGivesTheValueWithinHalfAStep) {
  // The regional form reads back where the reader converts it back: typed metric
  // lengths.
  const auto readable = [](const UnitSetup& s, const char* locale) {
    return readerOf(s) != nullptr &&
           (locale == nullptr || (s.kind == Kind::decimal && readerOf(s) == kMillimeters));
  };
  const long checked = roundtrip::forEachDisplay(20240611, 1000, readable, [](const Display& d) {
    // Up to 1e300, whole feet, pounds and fraction units far beyond an int among them;
    // above, the display unit's number or the value read back overflows.
    if (!(std::fabs(d.value) <= 1e300) || signIsLostByDesign(d)) return true;
    KovString text = d.text;
    // A plain number typed into a gon unit reads as degrees; the letter g marks gon.
    if (d.setup.representation == 2007) text += L"g";
    const Reader reader = readerOf(d.setup);
    const double read = (d.unit.*reader)(text);
    // Angles modulo 360.
    const double error =
        reader == kDegrees ? std::remainder(read - d.value, 360.0) : read - d.value;
    const double allowed = exacttest::tolerance(d.unit, d.value);
    // What a display writes is valid typed text, digit groups of the regional form
    // included, except whole feet in decimal inches and a fraction behind a '-' (the
    // validator splits at the blank).
    const bool checksValid = d.setup.kind != Kind::feetDecimalInch &&
                             !(d.setup.representation == 5006 && d.separator == L'-');
    const bool valid = !checksValid || d.unit.isValidString(text) != 0;
    if (std::fabs(error) <= allowed && valid) return true;
    ADD_FAILURE() << d.setup.name << " (precision " << d.unit.getPrecision()
                  << (d.locale ? ", " : "") << (d.locale ? d.locale : "") << "): " << d.value
                  << " shows \"" << narrow(text) << "\" and reads " << read << ", off by " << error
                  << " (allowed " << allowed << ")" << (valid ? "" : ", invalid");
    return false;
  });
  EXPECT_GT(checked, 150000);
}

// The limits: where display and reading do not invert, by design.
TEST(RoundTrip, StatesWhereDisplayAndReadingDoNotInvert) {
  struct Limit {
    const char* why;
    int units;
    int representation;
    double factor;
    int precision;
    double value;
    const wchar_t* shown;
    Reader reader;
    double reads;
  } limits[] = {
      {"a plain number typed into a gon unit reads as degrees", 2000, 2007, 400.0, 100, 90.0,
       L"100.00", kDegrees, 100.0},
      {"minutes are cut, not rounded", 2000, 2008, 0.0, 60, 10.999, L"10\u00B059'", kDegrees,
       10.0 + 59.0 / 60.0},
      {"a small negative angle loses its sign with the zero degrees", 2000, 2008, 0.0, 60, -0.5,
       L"0\u00B030'", kDegrees, 0.5},
      {"a negative length under a foot with the zero feet shown reads as positive: the '-' "
       "behind the feet mark is taken for the separator",
       20, 1, 0.0, 16, -3.5 * 25.4, L"0'--3 1/2\"", kMillimeters, 3.5 * 25.4},
      {"below one step the fractional decimal shows two decimals, not a fraction", 7, 4, 1.0, 4,
       0.1, L"0.10", kMillimeters, 0.1},
      {"the decimal text of a pound-and-ounce unit reads as ounces", 1010, 0, 1000000.0, 100,
       2000000.0, L"2.00", kGrams, 2.0 * KovUnitLbsOunces::kGramsPerOunce},
  };
  for (const Limit& l : limits) {
    SCOPED_TRACE(l.why);
    const pelunits::UnitPtr unit = newUnit(l.units, l.representation);
    ASSERT_NE(unit, nullptr);
    if (l.factor != 0.0) unit->setFactor(l.factor);
    unit->setPrecision(l.precision);
    const KovString text = unit->getDisplayString(l.value, 0, 0, 0, 1, L'-');
    EXPECT_EQ(narrow(text), narrow(KovString(l.shown)));
    EXPECT_NEAR((unit.get()->*l.reader)(text), l.reads, 1e-9);
  }
}

}  // namespace
