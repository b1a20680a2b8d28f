#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestText.h"
#include "units/fraction/KovUnitFractalDecimal.h"

namespace {

KovUnitFractalDecimal fractionalUnit(int denominator, double factor = 1.0) {
  KovUnitFractalDecimal unit;
  unit.setPrecision(denominator);
  unit.setFactor(factor);
  return unit;
}

}  // namespace

TEST(FractionalDecimal, ShowsWholeNumbersWithFractionsAndFallsBackToDecimals) {
  const struct {
    double value;
    int denominator;
    wchar_t separator;
    int trim;
    const char* text;
  } cases[] = {
      {3.25, 4, L' ', 0, "3 1/4"},   {3.25, 4, L'-', 0, "3-1/4"}, {-3.25, 4, L' ', 0, "-3 1/4"},
      {0.5, 4, L' ', 0, "1/2"},      {-0.5, 4, L' ', 0, "-1/2"},  {2.9, 4, L' ', 0, "3"},
      {-0.9, 4, L' ', 0, "-1"},      {0.1, 4, L' ', 0, "0.10"},   {0, 4, L' ', 0, "0.00"},
      {0, 4, L' ', 1, "0"},          {7, 4, L' ', 0, "7"},        {5.3, 16, L' ', 0, "5 5/16"},
      {0.03, 16, L' ', 0, "0.03"},   {-0.1, 4, L' ', 0, "-0.10"}, {-0.001, 4, L' ', 0, "0.00"},
      {0.1, 4, L' ', 1, "0.1"},      {-0.0, 4, L' ', 0, "0.00"},  {0.0004, 10000, L' ', 0, "0.00"},
      {0.3, 10000, L' ', 0, "3/10"},  // beyond 10,000 the steps still round exactly
  };
  for (const auto& c : cases) {
    const KovUnitFractalDecimal unit = fractionalUnit(c.denominator);
    EXPECT_EQ(narrow(unit.getDisplayString(c.value, c.trim, 0, 0, 0, c.separator)), c.text)
        << c.value << " at 1/" << c.denominator;
  }
  // The shown number is value / factor: 1,500 mm at a factor of 1,000 is 1 1/2 m.
  EXPECT_EQ(narrow(fractionalUnit(4, 1000).getDisplayString(1500, 0, 0, 0, 0, L' ')), "1 1/2");
}

TEST(FractionalDecimal, WritesTheFractionAsMarkupInTheArchDisplay) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {3.875, "3 #fraction(1,1,1,0.500000,7,8)\""},
      {-3.875, "-3 #fraction(1,1,1,0.500000,7,8)\""},
      {-0.25, "#fraction(1,1,1,0.500000,-1,4)\""},
      {2, "2\""},
      {0.01, ""},
      {0, ""},
  };
  const KovUnitFractalDecimal unit = fractionalUnit(8);
  for (const auto& c : cases) {
    EXPECT_EQ(narrow(unit.getDisplayStringArch(c.value, 0, KovUnitTransform::eFractionDiagonal,
                                               KovUnitTransform::eFractionLineSlanted, 0.5, true,
                                               true, false, false, 0, 0, 0, L' ')),
              c.text)
        << c.value;
  }
  EXPECT_EQ(narrow(unit.getDisplayStringArch(3.875, 0, KovUnitTransform::eFractionInline,
                                             KovUnitTransform::eFractionLineHorizontal, 1.0, false,
                                             false, true, true, 1, 1, 1, L'x')),
            "3-#fraction(0,0,0,1.000000,7,8)");
}

TEST(FractionalDecimal, ShowsWholePartsBeyondTheIntRangeWithoutAFraction) {
  const KovUnitFractalDecimal unit = fractionalUnit(4);
  const struct {
    double value;
    const char* plain;
    const char* arch;
  } cases[] = {
      {3e9, "3000000000.00", "3000000000\""},  // whole part beyond an int: no fraction
      {-3e9 - 0.25, "-3000000000.25", "-3000000000\""},
      {2147483646.5, "2147483646 1/2", "2147483646 #fraction(0,0,0,1.000000,1,2)\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(narrow(unit.getDisplayString(c.value, 0, 0, 0, 0, L' ')), c.plain) << c.value;
    EXPECT_EQ(narrow(unit.getDisplayStringArch(c.value, 0, KovUnitTransform::eFractionInline,
                                               KovUnitTransform::eFractionLineHorizontal, 1.0, true,
                                               false, false, false, 0, 0, 0, L' ')),
              c.arch)
        << c.value;
  }
  // A factor so small that value / factor overflows.
  EXPECT_EQ(narrow(fractionalUnit(4, 1e-300).getDisplayString(1e300, 0, 0, 0, 0, L' ')), "inf");
}

TEST(FractionalDecimal, AcceptsFractionsAndThePlainNumberAUserTypesFirst) {
  const struct {
    const wchar_t* text;
    int valid;
  } cases[] = {
      {L"3 1/2", 1}, {L"-3 1/2", 1},  {L"1/2", 1},    {L"-1/2", 1}, {L"12/16", 1},
      {L"3 1/", 1},  {L" 3 1/2 ", 1}, {L"3 -1/2", 1}, {L"3", 1},    {L"2.5", 1},
      {L"-2.5", 1},  {L".5", 1},  // plain numbers are valid
      {L"3 1/x", 0}, {L"3'6", 0},     {L"3\"", 0},    {L"/2", 0},   {L"3 5", 0},
      {L"", 0},      {L"-", 0},       {L"abc", 0},    {L"+3", 0},   {L"1/2/3", 0},
      {L"3/4 1", 0}, {L"--3", 0},     {L"1e5", 0},    {L"nan", 0},  {L"3  1/2", 0},
  };
  const KovUnitFractalDecimal unit;
  for (const auto& c : cases) EXPECT_EQ(unit.isValidString(c.text), c.valid) << &c - cases;
}
