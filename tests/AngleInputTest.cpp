#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitGradMinSec.h"
#include "units/angle/KovUnitRadian.h"

namespace {

struct ReadCase {
  const wchar_t* text;
  double degrees;
};

void expectReads(const KovUnitDegreeBase& unit, const ReadCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(std::wstring(L"text: ") + cases[i].text);
    EXPECT_EQ(unit.getDegrees(KovString(cases[i].text)), cases[i].degrees);
  }
}

TEST(AngleInput, ReadsPlainNumbersAsDegreesReducedModuloAFullTurnWithTheirSign) {
  const ReadCase cases[] = {
      {L"45", 45.0},
      {L"400", 40.0},
      {L"-370", -10.0},
      {L"725", 5.0},
      {L" 12 ", 12.0},
      {L"1.2345e300", 352.0},
      {L"-1.2345e300", -352.0},
      {L"", 0.0},
      {L"abc", 0.0},
      {L"-", 0.0},
      {L"r1", 0.0},  // the letter stands first, so no number is found
  };
  KovUnitDegree unit;
  expectReads(unit, cases, sizeof cases / sizeof cases[0]);
}

TEST(AngleInput, ReadsRadianAndGonLettersAfterTheNumber) {
  const ReadCase cases[] = {
      {L"1r", 57.29577951308232},
      {L"3.14159r", 179.99984796050427},
      {L"100g", 90.0},  // a full circle of 400 gon is 360 degrees
      {L"50g", 45.0},
      {L"-100g", -90.0},
      {L"500g", 90.0},              // 450 degrees, reduced
      {L"1rg", 57.29577951308232},  // 'r' wins over 'g'
      {L"g100", 0.0},
  };
  KovUnitDegree degree;
  KovUnitGon gon;
  KovUnitGradMinSec dms;
  expectReads(degree, cases, sizeof cases / sizeof cases[0]);
  expectReads(gon, cases, sizeof cases / sizeof cases[0]);
  expectReads(dms, cases, sizeof cases / sizeof cases[0]);
}

TEST(AngleInput, ReadsSexagesimalTextWithoutReducingIt) {
  const ReadCase cases[] = {
      {L"10\u00B030'", 10.5},
      {L"10d30'15\"", 10.504166666666666},
      {L"30'15", 0.5041666666666667},
      {L"370\u00B0", 370.0},
      {L"-10\u00B030'", -10.5},
      {L"  -10d30'  ", -10.5},
      {L"\u00B010", 0.0},  // starts with the degree mark
      {L"10\u00B030", 10.5},
      {L"10\u00B015\"", 10.0 + 15.0 / 3600.0},
      {L"15\"", 15.0 / 3600.0},
      {L"1 rad", 1.0},  // the 'd' makes it a degree text
      {L"1.5 grad", 1.5},
      {L"20'10\u00B0", 20.0},  // minutes in front of the degree mark: only the first number
      {L"5\"10\u00B020'", 20.0 / 60.0 + 5.0},  // seconds marked in front are not read
      {L"'", 0.0},
      {L"\"", 0.0},
      {L"d", 0.0},
      {L"--10\u00B0", -10.0},
  };
  KovUnitDegree unit;
  expectReads(unit, cases, sizeof cases / sizeof cases[0]);
}

TEST(AngleInput, SplitsSexagesimalTextIntoSignedParts) {
  struct Case {
    const wchar_t* text;
    int result;
    double degrees, minutes, seconds;
  };
  const Case cases[] = {
      {L"10\u00B030'15\"", 1, 10, 30, 15}, {L"-10\u00B030'15\"", 1, -10, -30, -15},
      {L"\u00B030'", 0, 0, 0, 0},          {L"30'15\"", 1, 0, 30, 15},
      {L"12.5\"", 1, 0, 0, 12.5},
  };
  KovUnitDegree unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    double d = -1, m = -1, s = -1;
    EXPECT_EQ(unit.parseDegreesMinutesSeconds(KovString(c.text), d, m, s), c.result);
    EXPECT_EQ(d, c.degrees);
    EXPECT_EQ(m, c.minutes);
    EXPECT_EQ(s, c.seconds);
  }
}

TEST(AngleInput, RadianUnitReadsPlainNumbersInRadiansAndMarkedTextAsDegrees) {
  const ReadCase cases[] = {
      {L"1.5708", 90.0002104591497},
      {L"-7", -41.07045659157626},
      {L"1r", 57.29577951308232},
      {L"90\u00B0", 90.0},
      {L"90d", 90.0},
      {L"100g", 90.0},
      {L"0", 0.0},
  };
  KovUnitRadian unit;
  expectReads(unit, cases, sizeof cases / sizeof cases[0]);
}

TEST(AngleInput, GonUnitReadsAPlainNumberAsDegrees) {
  KovUnitGon unit;
  EXPECT_EQ(unit.getDegrees(KovString(L"100")), 100.0);
  EXPECT_EQ(unit.getDegrees(KovString(L"100g")), 90.0);
}

TEST(AngleInput, NumbersBeyondTheDoubleRangeGiveNanWithoutFailing) {
  KovUnitDegree degree;
  KovUnitRadian radian;
  for (const wchar_t* text : {L"1e400", L"-1e400", L"inf", L"nan", L"1e400r", L"1e400g"}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(std::isnan(degree.getDegrees(KovString(text))));
    EXPECT_TRUE(std::isnan(radian.getDegrees(KovString(text))));
  }
  // Finite numbers whose conversion product would overflow still reduce.
  EXPECT_TRUE(std::isfinite(degree.getDegrees(KovString(L"1e306r"))));
  EXPECT_TRUE(std::isfinite(degree.getDegrees(KovString(L"1.7e308g"))));
  EXPECT_TRUE(std::isfinite(radian.getDegrees(KovString(L"1e306"))));
  // Sexagesimal text is not reduced, so an infinite part stays infinite.
  EXPECT_EQ(degree.getDegrees(KovString(L"1e400\u00B0")), INFINITY);
}

TEST(AngleInput, SharedValidatorAcceptsTextThatStartsWithANumber) {
  struct Case {
    const wchar_t* text;
    int valid;
  };
  const Case cases[] = {
      {L" 12 ", 1},
      {L"45\u00B030'", 1},
      {L"1.5r", 1},
      {L"-3", 1},
      {L"+.5", 1},
      {L"1e3", 1},
      {L"12abc", 1},
      {L"100g", 1},
      {L"", 0},
      {L"   ", 0},
      {L"\u00B030", 0},
      {L"abc", 0},
      {L"-", 0},
      {L".", 0},
      {L"'", 0},
      {L"\"", 0},
      {L"\u00B0", 0},
      {L"r1", 0},
      {L"\u0661\u0662", 0},  // Arabic-Indic digits are not numbers here
      {L"\uFF11\uFF12", 0},  // nor are full-width ones
  };
  KovUnitDegree degree;
  KovUnitGon gon;
  KovUnitRadian radian;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    EXPECT_EQ(degree.isValidString(KovString(c.text)), c.valid);
    EXPECT_EQ(gon.isValidString(KovString(c.text)), c.valid);
    EXPECT_EQ(radian.isValidString(KovString(c.text)), c.valid);
  }
}

TEST(AngleInput, LongTextsAreReadWithoutFailing) {
  const int n = 100000;
  struct Case {
    std::wstring text;
    double degrees;
    int valid;
  };
  const Case cases[] = {
      {std::wstring(n, L' '), 0.0, 0},
      {std::wstring(n, L'-'), 0.0, 0},
      {std::wstring(n, L'\u00B0'), 0.0, 0},
      {std::wstring(n, L'\''), 0.0, 0},
      {L"1" + std::wstring(n, L'\''), 1.0 / 60.0, 1},
      {L"1\u00B0" + std::wstring(n, L'x'), 1.0, 1},
      {std::wstring(n, L'0') + L"5", 5.0, 1},
  };
  KovUnitDegree unit;
  KovUnitGradMinSec dms;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 8));
    const KovString text(c.text.c_str());
    EXPECT_EQ(unit.getDegrees(text), c.degrees);
    EXPECT_EQ(unit.isValidString(text), c.valid);
    dms.isValidString(text);
  }
  // A number of 100,000 digits is infinite, and an infinite plain angle is nan.
  EXPECT_TRUE(std::isnan(unit.getDegrees(KovString(std::wstring(n, L'9').c_str()))));
}

}  // namespace

namespace {

TEST(AngleInput, RandomTextsOfMarksDigitsAndLettersAreAnswered) {
  const wchar_t alphabet[] = L"0123456789.-+ eE\u00B0d'\"rgxn\u0661\uFF11";
  const int letters = static_cast<int>(sizeof alphabet / sizeof alphabet[0]) - 1;
  KovUnitDegree degree;
  KovUnitRadian radian;
  KovUnitGradMinSec dms;
  dms.setPrecision(3600);
  unsigned state = 12345u;
  for (int i = 0; i < 20000; ++i) {
    std::wstring text;
    state = state * 1103515245u + 12345u;
    const int length = static_cast<int>((state >> 16) % 12u);
    for (int k = 0; k < length; ++k) {
      state = state * 1103515245u + 12345u;
      text += alphabet[(state >> 16) % static_cast<unsigned>(letters)];
    }
    const KovString typed(text.c_str());
    const double degrees = degree.getDegrees(typed);
    radian.getDegrees(typed);
    const int valid = degree.isValidString(typed) + dms.isValidString(typed);
    ASSERT_GE(valid, 0);
    // Whatever was read shows as some text, non-finite readings included.
    ASSERT_FALSE(dms.getDisplayString(degrees, 1, 0, 0, 0, L' ').isEmpty()) << text;
  }
}

}  // namespace
