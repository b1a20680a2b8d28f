#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestText.h"
#include "units/fraction/KovUnitFractalInch.h"

namespace {

enum Flags { kNone = 0, kHideFeet = 1, kHideInches = 2, kBlank = 4 };

struct PlainCase {
  double inches;  // in inch units of the power: the value is inches x 25.4^power
  int denominator;
  int power;
  int flags;
  const char* text;
};

KovUnitFractalInch fractionUnit(int denominator, int power = 1) {
  KovUnitFractalInch unit;
  unit.setPrecision(denominator);
  unit.setPower(power);
  return unit;
}

std::string plain(const KovUnitFractalInch& unit, double millimetres, int flags) {
  return narrow(unit.getDisplayString(millimetres, 0, 0, (flags & kHideFeet) != 0 ? 1 : 0,
                                      (flags & kHideInches) != 0 ? 1 : 0,
                                      (flags & kBlank) != 0 ? L' ' : L'-'));
}

std::string arch(const KovUnitFractalInch& unit, double millimetres, int flags,
                 bool showInchMark = true, bool dashAfterFeet = true) {
  return narrow(unit.getDisplayStringArch(
      millimetres, 0, KovUnitTransform::eFractionInline, KovUnitTransform::eFractionLineHorizontal,
      1.0, showInchMark, false, dashAfterFeet, false, 0, (flags & kHideFeet) != 0 ? 1 : 0,
      (flags & kHideInches) != 0 ? 1 : 0, L'-'));
}

}  // namespace

TEST(FeetInchFraction, FollowsTheOverviewRoundTrip) {
  KovUnitFractalInch unit;
  EXPECT_EQ(unit.getPrecision(), 4);
  unit.setPrecision(16);
  EXPECT_EQ(narrow(unit.getDisplayString(1689.1, 0, 0, 0, 0, L'-')), "5'-6 1/2\"");
  EXPECT_EQ(unit.isValidString(L"5' 7 1/4\""), 1);
  EXPECT_EQ(unit.getMillimeters(L"5' 7 1/4\""), 67.25 * 25.4);
}

TEST(FeetInchFraction, ShowsFeetInchesFractionsAndTheirCarriesAsDocumented) {
  const PlainCase cases[] = {
      {63.5, 16, 1, kNone, "5'-3 1/2\""},
      {63.5, 16, 1, kBlank, "5' 3 1/2\""},
      {60, 16, 1, kNone, "5'-0\""},
      {60, 16, 1, kHideInches, "5'"},
      {0.5, 16, 1, kNone, "0'-0 1/2\""},
      {0.5, 16, 1, kHideFeet, "1/2\""},
      {0.5, 16, 1, kHideFeet | kHideInches, "1/2\""},
      {0.5, 16, 1, kHideInches, "0'-1/2\""},
      {0, 16, 1, kNone, "0'-0\""},
      {0, 16, 1, kHideFeet, "0\""},
      {0, 16, 1, kHideFeet | kHideInches, "0\""},
      {0, 16, 1, kHideInches, "0'"},
      {-63.5, 16, 1, kNone, "-5'-3 1/2\""},
      {-3.5, 16, 1, kHideFeet, "-3 1/2\""},
      {-0.5, 16, 1, kHideFeet, "-1/2\""},
      {-0.5, 16, 1, kHideFeet | kHideInches, "-1/2\""},
      {-0.99, 4, 1, kHideFeet, "-1\""},
      {-11.99, 16, 1, kHideFeet, "-12\""},  // no carry into the feet for negative inches
      // A rest that rounds to 12" carries a foot away from zero; never for negative
      // inches without feet.
      {11.99, 16, 1, kNone, "1'-0\""},
      {71.99, 16, 1, kNone, "6'-0\""},
      {-71.99, 16, 1, kNone, "-6'-0\""},
      {-11.99, 16, 1, kNone, "0'--12\""},  // sign on I, as with -3.5 shown with zero feet
      {11.9, 16, 1, kNone, "0'-11 7/8\""},
      // With the feet shown as 0 the sign of a rest below one inch goes on the fraction
      // behind written zero inches: a '-' right behind the feet mark would be read as a
      // separator. The round-trip test reads these back negative.
      {-0.5, 16, 1, kNone, "0'-0 -1/2\""},
      {-0.5, 16, 1, kHideInches, "0'-0 -1/2\""},
      {-0.5, 16, 1, kBlank, "0' 0 -1/2\""},
      {-0.25, 4, 1, kBlank | kHideInches, "0' 0 -1/4\""},
      {23.99, 4, 1, kHideInches, "2'"},
      {60.25, 4, 1, kHideInches, "5'-1/4\""},
      {60.25, 4, 1, kNone, "5'-0 1/4\""},
      {143.99, 16, 2, kNone, "1'-0\" <U+00B2>"},  // 144 square inches make a square foot
      {11.99, 16, 2, kNone, "0'-12\" <U+00B2>"},
      {1728 + 6.5, 16, 3, kNone, "1'-6 1/2\""},
      {1727.99, 16, 3, kNone, "1'-0\""},
      // 83 billion feet do not fit an int: inches alone.
      {1e12, 16, 1, kNone, "1000000000000\""},
      {-1e12, 16, 1, kNone, "-1000000000000\""},
      {2147483647.0 * 12, 16, 1, kNone, "2147483647'-0\""},
  };
  for (const PlainCase& c : cases) {
    const KovUnitFractalInch unit = fractionUnit(c.denominator, c.power);
    EXPECT_EQ(plain(unit, c.inches * std::pow(25.4, c.power), c.flags), c.text)
        << c.inches << " in^" << c.power << " at 1/" << c.denominator << ", flags " << c.flags;
  }
}

TEST(FeetInchFraction, WritesTheFractionAsMarkupInTheArchDisplay) {
  const struct {
    double inches;
    int flags;
    const char* text;
  } cases[] = {
      {63.5, kNone, "5'-3#fraction(0,0,0,1.000000,1,2)\""},
      {60, kNone, "5'-0\""},
      {60, kHideInches, "5'"},
      {11.99, kNone, "1'-0\""},
      {0.5, kHideFeet, "#fraction(0,0,0,1.000000,1,2)\""},
      {0, kHideFeet, ""},
      {0, kNone, "0'-0\""},
      {-3.99, kHideFeet, "-3#fraction(0,0,0,1.000000,-15,16)\""},
      {-0.5, kNone, "0'-0#fraction(0,0,0,1.000000,-1,2)\""},
      {-63.5, kNone, "-5'-3#fraction(0,0,0,1.000000,1,2)\""},
      {-12.0, kHideFeet, "-1'-0\""},
  };
  const KovUnitFractalInch unit = fractionUnit(16);
  for (const auto& c : cases) {
    EXPECT_EQ(arch(unit, c.inches * 25.4, c.flags), c.text) << c.inches << ", flags " << c.flags;
  }
  EXPECT_EQ(arch(unit, 63.5 * 25.4, kNone, false, false), "5'3#fraction(0,0,0,1.000000,1,2)");
  EXPECT_EQ(arch(unit, 2.54e13, kNone, false), "1000000000000");
  EXPECT_EQ(narrow(unit.getDisplayStringArch(2.75 * 25.4, 0, KovUnitTransform::eFractionStacked,
                                             KovUnitTransform::eFractionLineSlanted, 0.8, true,
                                             true, false, false, 0, 1, 0, L' ')),
            "2#fraction(2,1,1,0.800000,3,4)\"");
}

TEST(FeetInchFraction, UsesEachPowerOfTwentyFivePointFourWhereItStands) {
  // The display divides by 25.4^p formed by repeated multiplication, the foot split
  // by repeated squaring; at power 4 they may differ in the last bit. A value of
  // exactly one foot^4 must still show as one foot in both.
  for (int power : {2, 3, 4}) {
    const KovUnitFractalInch unit = fractionUnit(16, power);
    const double oneFoot = std::pow(12.0, power) * std::pow(25.4, power);
    const std::string text = plain(unit, oneFoot, kHideInches);
    EXPECT_EQ(text, power == 2 ? "1' <U+00B2>" : "1'") << "power " << power;
    EXPECT_NEAR(unit.getMillimeters(KovString(text.c_str())), oneFoot, oneFoot * 1e-12);
  }
}

TEST(FeetInchFraction, KeepsDefinedTextsForDenominatorsBeyondTenThousand) {
  KovUnitFractalInch unit;
  unit.setPrecision(32768);
  EXPECT_EQ(plain(unit, (60 + 1.0 / 32768) * 25.4, kNone), "5'-0 1/32768\"");
  unit.setPrecision(0);
  EXPECT_EQ(unit.getPrecision(), 1);
  EXPECT_EQ(plain(unit, 63.5 * 25.4, kNone), "5'-4\"");
}

TEST(FeetInchFraction, TellsPlainDecimalNumbers) {
  const struct {
    const wchar_t* text;
    bool decimal;
  } cases[] = {{L" 12.5 ", true}, {L"-3", true},  {L"-.", true},     {L"", true},
               {L"-", true},      {L"5.", true},  {L"1.2.3", false}, {L".", false},
               {L"12a", false},   {L"+3", false}, {L"--3", false},   {L"1 2", false},
               {L"\x0663", false}};  // another script's digit
  const KovUnitFractalInch unit;
  for (const auto& c : cases) EXPECT_EQ(unit.isDecimalNumber(c.text), c.decimal) << &c - cases;
}

TEST(FeetInchFraction, AcceptsTypedFeetInchFractionShapes) {
  const struct {
    const wchar_t* text;
    int power;
    int valid;
  } cases[] = {
      {L"5' 6 1/2\"", 1, 1},  {L"-5' 6 1/2\"", 1, 1}, {L"5'6\"", 1, 1},     {L"5' 6\"", 1, 1},
      {L"5'-6\"", 1, 1},      {L"5' 1/2\"", 1, 1},    {L"5'", 1, 1},        {L"5.5'", 1, 1},
      {L"5.5' 6\"", 1, 1},    {L"5'6", 1, 1},         {L"6", 1, 1},         {L"6.5", 1, 1},
      {L"0\"", 1, 1},         {L"6 1/2", 1, 1},       {L"1/2", 1, 1},       {L"-1/2\"", 1, 1},
      {L"-6 -1/2\"", 1, 1},   {L"6 1/-2\"", 1, 1},    {L"5' 6 \"", 1, 1},   {L"5'6\"abc", 1, 1},
      {L"'", 1, 1},           {L"\"", 1, 1},          {L"", 1, 1},          {L"--6\"", 1, 1},
      {L"5' 6\" \xB2", 2, 1}, {L"6 \xB2", 2, 1},      {L"6\"", 2, 1},       {L"  5' 6 1/2  ", 1, 1},
      {L"5'--6\"", 1, 0},     {L"6\"5'", 1, 0},       {L"5'6'", 1, 0},      {L"6\" 1/2", 1, 0},
      {L"/2\"", 1, 0},        {L"5' 6/\"", 1, 0},     {L"5' 6 /2\"", 1, 0}, {L"abc", 1, 0},
      {L"+5\"", 1, 0},        {L"5x'", 1, 0},         {L"5' x\"", 1, 0},    {L"6-1/2\"", 1, 0},
      {L"5' 6-1/2\"", 1, 0},  {L"5.5.5\"", 1, 0},     {L"1/2'", 1, 0},      {L"5 1/2'", 1, 0},
      {L"1/2/3\"", 1, 0},     {L"6 1/2 3/4\"", 1, 0}, {L"1e400'", 1, 0},    {L"nan", 1, 0},
  };
  for (const auto& c : cases) {
    const KovUnitFractalInch unit = fractionUnit(4, c.power);
    EXPECT_EQ(unit.isValidString(c.text), c.valid) << narrow(c.text) << " power " << c.power;
  }
}
