#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestText.h"
#include "units/imperial/KovUnitInch.h"

namespace {

struct DisplayCase {
  double millimetres;
  int decimals;
  int power;
  int hideZeroFeet;
  int hideZeroInches;
  wchar_t separator;
  const char* text;
};

}  // namespace

TEST(DecimalInch, ShowsWholeFeetAndDecimalInchesAsDocumented) {
  const DisplayCase cases[] = {
      {1689.1, 2, 1, 1, 1, L' ', "5' 6.50\""},
      {1689.1, 2, 1, 1, 1, L'-', "5'-6.50\""},
      {-1689.1, 2, 1, 1, 1, L' ', "-5' 6.50\""},
      {1524.0, 2, 1, 1, 1, L' ', "5'"},
      {1524.0, 2, 1, 1, 0, L' ', "5'"},    // whole feet never get an inch part
      {1828.673, 2, 1, 1, 1, L' ', "6'"},  // 11.995" lies within 0.01 of a foot
      {-1828.673, 2, 1, 1, 1, L' ', "-6'"},
      {304.8, 2, 1, 1, 1, L' ', "1'"},
      {304.79, 2, 1, 1, 1, L' ', "12.00\""},  // below a foot only the 1e-5 ft tolerance carries
      {152.4, 2, 1, 1, 1, L' ', "6.00\""},
      {152.4, 2, 1, 0, 1, L' ', "6.00\""},
      {-152.4, 2, 1, 0, 0, L'-', "-6.00\""},
      {0.0, 2, 1, 1, 1, L' ', "0\""},
      {0.0, 2, 1, 0, 0, L'-', "0.0'-0.0\""},
      {0.0, 2, 1, 0, 1, L' ', "0'"},
      {0.0, 2, 1, 1, 0, L' ', "0.0'"},
      {-0.0, 2, 1, 0, 1, L' ', "0'"},
      {0.1, 2, 1, 0, 0, L'-', "0'-0.0\""},
      {0.1, 2, 1, 0, 1, L' ', "0' "},  // the separator stays at the end
      // 0.1 mm is 0.0039": at two decimals the inch text reads as zero. With the feet
      // hidden the unit shows that inch text like any other rest, without a sign.
      {0.1, 2, 1, 1, 0, L' ', "0.00\""},
      {0.1, 2, 1, 1, 1, L' ', "0.00\""},
      {-0.1, 2, 1, 1, 1, L' ', "0.00\""},
      {1689.1, 1, 1, 1, 1, L' ', "5' 6.5\""},
      {1689.1, 3, 1, 1, 1, L' ', "5' 6.500\""},
      {92903.04, 2, 2, 1, 1, L' ', "1' <U+00B2>"},
      {125161.04, 2, 2, 1, 1, L' ', "1' 50.00\" <U+00B2>"},
      {100644.96, 2, 2, 1, 1, L' ', "1' 12.00\" <U+00B2>"},
      {1728 * 16387.064, 2, 3, 1, 1, L' ', "1'"},  // no suffix beyond power 2
  };
  for (const DisplayCase& c : cases) {
    KovUnitInch unit;
    unit.setPower(c.power);
    unit.setPrecision(c.decimals == 1 ? 10 : c.decimals == 2 ? 100 : 1000);
    EXPECT_EQ(narrow(unit.getDisplayString(c.millimetres, 0, 0, c.hideZeroFeet, c.hideZeroInches,
                                           c.separator)),
              c.text)
        << c.millimetres << " mm, power " << c.power << ", hide feet " << c.hideZeroFeet
        << ", hide inches " << c.hideZeroInches;
  }
}

TEST(DecimalInch, ShowsLengthsBeyondTheIntFeetInInches) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {2.54e13, "1000000000000.00\""},  // 83 billion feet do not fit an int
      {-2.54e13, "-1000000000000.00\""},
      {6.6e11, "25984251968.50\""},  // just past 2^31 feet
  };
  KovUnitInch unit;
  for (const auto& c : cases) {
    EXPECT_EQ(narrow(unit.getDisplayString(c.value, 0, 0, 1, 1, L' ')), c.text) << c.value;
    EXPECT_EQ(narrow(unit.getDisplayStringArch(c.value, 0, KovUnitTransform::eFractionInline,
                                               KovUnitTransform::eFractionLineHorizontal, 1.0, true,
                                               false, true, false, 0, 1, 1, L'-')),
              c.text)
        << c.value;
  }
  // The largest whole feet that fit still show as feet.
  EXPECT_EQ(narrow(unit.getDisplayString(2147483647.0 * 304.8, 0, 0, 1, 1, L' ')), "2147483647'");
}

TEST(DecimalInch, KeepsAtLeastOneDecimal) {
  const struct {
    int precisionPower;
    int expected;
  } cases[] = {{0, 10}, {1, 10}, {10, 10}, {999, 100}};
  for (const auto& c : cases) {
    KovUnitInch unit;
    unit.setPrecision(c.precisionPower);
    EXPECT_EQ(unit.getPrecision(), c.expected) << c.precisionPower;
    EXPECT_EQ(unit.getNoDecimals(), 0);
  }
}

TEST(DecimalInch, AcceptsNumbersAndFeetFollowedByAnInchNumber) {
  const struct {
    const wchar_t* text;
    int power;
    int valid;
  } cases[] = {
      {L"5' 6.5\"", 1, 1}, {L"5'6\"", 1, 1},  {L"5'-6\"", 1, 1},   {L"-5' 6\"", 1, 1},
      {L"6.5\"", 1, 1},    {L"6.5", 1, 1},    {L"-6", 1, 1},       {L"0\"", 1, 1},
      {L"6 1/2\"", 1, 1},  {L"6abc", 1, 1},   {L" 5' 6 ", 1, 1},   {L"5' 6\" \xB2", 2, 1},
      {L"5'", 1, 0},       {L"'", 1, 0},      {L"abc", 1, 0},      {L"5x' 6\"", 1, 0},
      {L"", 1, 0},         {L"\"", 1, 0},     {L"5.5.5' 6", 1, 0}, {L"5.5' 6", 1, 1},
      {L"1e3' 6", 1, 0},   {L"- 5' 6", 1, 0}, {L"+5' 6", 1, 0},
  };
  for (const auto& c : cases) {
    KovUnitInch unit;
    unit.setPower(c.power);
    EXPECT_EQ(unit.isValidString(c.text), c.valid) << narrow(c.text) << " power " << c.power;
  }
}
