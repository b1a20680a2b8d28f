#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestText.h"
#include "units/metric/KovUnitDecimal.h"

TEST(FractionText, ReadsWholeNumbersAndFractionsIntoOneNumeratorAndDenominator) {
  struct Case {
    const wchar_t* text;
    int result;
    double numerator;
    double denominator;
  };
  const Case cases[] = {
      {L"3/4", 4, 3, 4},
      {L"1 3/4", 4, 7, 4},
      {L"1-3/4", 4, 7, 4},
      {L"-1 3/4", 4, -7, 4},
      {L"-1-3/4", 4, -7, 4},
      {L"-3/4", 4, -3, 4},
      {L"3/-4", -4, -3, 4},
      {L"  12 /4 ", 4, 12, 4},
      {L"- 3/4", 4, 3, 4},
      {L"2 1-3/4", 4, 9, 4},
      {L"1-2 3/4", 4, 6, 4},
      {L"10 15/16", 16, 175, 16},
      {L"3/4/5", 4, 3, 4},
      {L"1 3/4x", 4, 7, 4},
      // The fraction is unreadable; both outputs are still written.
      {L"3/0", 0, 3, 0},
      {L"3/x", 0, 3, 0},
      {L"x/4", 4, 0, 4},
      {L" /4", 4, 0, 4},
      {L"1e400/4", 4, HUGE_VAL, 4},
      // A denominator beyond the int range saturates instead of overflowing.
      {L"1/99999999999", 2147483647, 1, 99999999999.0},
  };
  const KovUnitDecimal unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(narrow(c.text));
    double numerator = 99.0;
    double denominator = 99.0;
    EXPECT_EQ(unit.parseFraction(c.text, &numerator, &denominator), c.result);
    EXPECT_DOUBLE_EQ(numerator, c.numerator);
    EXPECT_DOUBLE_EQ(denominator, c.denominator);
  }
}

TEST(FractionText, RefusesTextsWithADecimalSeparatorOrNoSlashAfterTheFirstCharacter) {
  const wchar_t* const texts[] = {L"2.5/4",  L"1,5/2", L"/4", L"34", L"", L"   ",
                                  L"1 3/4.", L"-",     L".",  L",",  L"/"};
  const KovUnitDecimal unit;
  for (const wchar_t* text : texts) {
    SCOPED_TRACE(narrow(text));
    double numerator = 99.0;
    double denominator = 98.0;
    EXPECT_EQ(unit.parseFraction(text, &numerator, &denominator), 0);
    EXPECT_EQ(numerator, 99.0);
    EXPECT_EQ(denominator, 98.0);
  }
}
