#include <gtest/gtest.h>

#include <cmath>

#include "TestText.h"
#include "units/imperial/KovUnitInch.h"

namespace {

struct ParseCase {
  const wchar_t* text;
  double millimetres;
};

KovUnitInch lengthUnit(int power = 1) {
  KovUnitInch unit;
  unit.setPower(power);
  return unit;
}

}  // namespace

TEST(FeetInchParser, ReadsTheDocumentedTextsToTheLastBit) {
  const ParseCase cases[] = {
      {L"5' 6 1/2\"", 1689.1},
      {L"5'-6-1/2\"", 1689.1},
      {L"5'", 1524.0},
      {L"5'6", 1676.3999999999999},
      {L"5' 1/2", 1536.6999999999998},
      {L"1 1/2'", 457.2},
      {L"1 1/2' 3\"", 457.2},  // the inch part behind fractional feet is ignored
      {L"5.5'", 1676.3999999999999},
      {L"5.5' 3\"", 1676.3999999999999},
      {L"-5' 6\"", -1676.3999999999999},
      {L"-6\"", -152.39999999999998},
      {L"-6 1/2", -165.1},
      {L"-0' 6\"", 152.39999999999998},  // the sign of a zero feet number is lost
      {L"5.5' 1/2\"", 1536.6999999999998},
      {L"1/2' 6\"", 152.39999999999998},
      {L"5' 7 1/4\"", 67.25 * 25.4},  // the round trip of the overview
      {L"'6\"", 0.0},
      {L"/2", 0.0},
      {L"abc", 0.0},
      {L"", 0.0},
  };
  const KovUnitInch unit = lengthUnit();
  for (const ParseCase& c : cases) {
    EXPECT_EQ(unit.getMillimeters(c.text), c.millimetres) << narrow(c.text);
  }
}

// Every accepted form as feet times twelve plus inches, in inches of the power: one
// square foot is 144 square inches of 645.16 mm², one cubic foot 1,728 cubic inches.
TEST(FeetInchParser, ReadsEveryAcceptedFormAsFeetAndInchesOfItsPower) {
  struct Case {
    const wchar_t* text;
    double inches;
    int power = 1;
  };
  const Case cases[] = {
      {L"6", 6},        {L"6.5\"", 6.5},      {L"-6.5", -6.5},
      {L"5' 6", 66},    {L"5' 6.5\"", 66.5},  {L"5'-6.5\"", 66.5},
      {L"1/2", 0.5},    {L"6-1/2\"", 6.5},    {L"5'1/2", 60.5},
      {L"3/4'", 9},     {L"'1/2", 0},         {L"5' 6\" trailing", 66},
      {L"12\"", 12},    {L"-1 1/2'", -18},    {L"0' 11.99999\"", 11.99999},
      {L"1'", 144, 2},  {L"1' 50", 194, 2},   {L"1.5'", 216, 2},
      {L"1'", 1728, 3}, {L"2 1/2\"", 2.5, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "power " << c.power << " " << narrow(c.text));
    const double expected = c.inches * std::pow(25.4, c.power);
    EXPECT_NEAR(lengthUnit(c.power).getMillimeters(c.text), expected,
                std::fabs(expected) * 1e-12 + 1e-9);
  }
}

TEST(FeetInchParser, SplitsALengthIntoSignedFeetAndTheRestBelowAFoot) {
  struct Case {
    int feetIn;
    double inchesIn;
    int feet;
    double inches;
  };
  const Case cases[] = {
      {0, 66.5, 5, 6.5}, {0, -66.5, -5, 6.5}, {-5, 6, -5, 6},        {0, 6, 0, 6}, {0, -6, 0, -6},
      {2, 30, 4, 6},     {-1, -18, -2, 6},    {0, 11.99999, 1, 0.0},  // the foot tolerance counts a
                                                                      // hair below a foot as a foot
  };
  const KovUnitInch unit = lengthUnit();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.feetIn << "' " << c.inchesIn << '"');
    int feet = c.feetIn;
    double inches = c.inchesIn;
    unit.normalizeFeetInches(feet, inches);
    EXPECT_EQ(feet, c.feet);
    EXPECT_NEAR(inches, c.inches, 1.2e-4);
  }
}

TEST(FeetInchParser, GivesADefinedValueForHugeAndNonFiniteTexts) {
  const KovUnitInch unit = lengthUnit();
  // Saturated feet still read as that many feet; they do not wrap.
  EXPECT_NEAR(unit.getMillimeters(L"99999999999'"), 2147483647.0 * 304.8, 1.0);
  EXPECT_NEAR(unit.getMillimeters(L"-99999999999' 6\""), -(2147483648.0 * 12 + 6) * 25.4, 1.0);
  // More feet than an int holds stay whole in inches.
  EXPECT_NEAR(unit.getMillimeters(L"1e12\""), 2.54e13, 1e3);
  EXPECT_NEAR(unit.getMillimeters(L"1e12'"), 304.8, 1e-9);  // toLong reads the feet "1"
  EXPECT_NEAR(unit.getMillimeters(L"1e300.5'"), 1e300 * 304.8, 1e290);
  EXPECT_NEAR(unit.getMillimeters(L"99999999999 1/2'"), (2147483647.5 * 12) * 25.4, 1.0);
  EXPECT_NEAR(unit.getMillimeters(L"3e9/1'"), 3e9 * 304.8, 1e3);  // feet beyond an int
  EXPECT_EQ(unit.getMillimeters(L"1e400\""), INFINITY);
  EXPECT_EQ(unit.getMillimeters(L"-1e400\""), -INFINITY);
  EXPECT_TRUE(std::isnan(unit.getMillimeters(L"nan")));
  EXPECT_DOUBLE_EQ(unit.getMillimeters(L"1e400'"), 12 * 25.4);
  EXPECT_EQ(unit.getMillimeters(L"1e400/2'"), INFINITY);
}
