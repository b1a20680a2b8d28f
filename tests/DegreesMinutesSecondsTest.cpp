#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "units/angle/KovUnitGradMinSec.h"

namespace {

std::wstring shown(const KovUnitGradMinSec& unit, double value, int trim = 0) {
  return unit.getDisplayString(value, trim, 0, 0, 0, L' ').getStringW();
}

KovUnitGradMinSec unitWithDenominator(int denominator) {
  KovUnitGradMinSec unit;
  if (denominator != 0) unit.setPrecision(denominator);
  return unit;
}

TEST(DegreesMinutesSeconds, ShowsEachResolutionWithItsMarks) {
  struct Case {
    int denominator;
    double value;
    const wchar_t* text;
  };
  const Case cases[] = {
      {0, 10.6, L"11\u00B0"},
      {0, -0.4, L"0\u00B0"},
      {0, -10.6, L"-11\u00B0"},
      {60, 10.5, L"10\u00B030'"},
      {60, 10.999, L"10\u00B059'"},  // minutes are cut
      {60, -10.5, L"-10\u00B030'"},
      {60, -0.5, L"0\u00B030'"},  // degrees that read 0 carry no sign
      {60, 370.25, L"10\u00B015'"},
      {60, 1.2345e300, L"352\u00B00'"},
      {3600, 10.504166666666666, L"10\u00B030'15\""},
      {3600, 10.99999, L"10\u00B059'60\""},  // seconds rounded, never carried
      {3600, 45, L"45\u00B00'0\""},
      {3600, -45.5, L"-45\u00B030'0\""},
      {1, 10.504166666666666, L"10\u00B030'15\""},  // whole seconds below 7200
      {36000, 10.504166666666666, L"10\u00B030'15.0\""},
      {3600000, 10.504166666666666, L"10\u00B030'15.00\""},
      {360000000, 10.504166666666666, L"10\u00B030'15.000\""},
      {INT_MAX, 10.504166666666666, L"10\u00B030'15.0000\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "denominator " << c.denominator << " value " << c.value);
    const KovUnitGradMinSec unit = unitWithDenominator(c.denominator);
    EXPECT_EQ(shown(unit, c.value), c.text);
    EXPECT_EQ(shown(unit, c.value, 1), c.text);  // a text ending in a mark is never trimmed
  }
}

TEST(DegreesMinutesSeconds, WholeDegreePrecisionOverridesTheDenominator) {
  KovUnitGradMinSec unit;
  unit.setPrecision(0);
  EXPECT_EQ(shown(unit, 10.6), L"11\u00B0");
  unit.setPrecision(-5);
  EXPECT_EQ(unit.getPrecision(), 1);
  EXPECT_EQ(shown(unit, 10.4), L"10\u00B0");
}

TEST(DegreesMinutesSeconds, StepsThroughMinutesSecondsAndDecimals) {
  KovUnitGradMinSec fresh;
  EXPECT_EQ(fresh.incrementPrecision(), 1);
  EXPECT_EQ(fresh.getPrecision(), 0);  // the prototype's 0 stays 0

  KovUnitGradMinSec unit;
  unit.setPrecision(0);
  EXPECT_EQ(unit.getPrecision(), 1);
  EXPECT_EQ(unit.getNoDecimals(), 1);
  const int chain[] = {60, 3600, 36000, 360000, 3600000, 36000000, 360000000};
  for (int expected : chain) {
    SCOPED_TRACE(expected);
    EXPECT_EQ(unit.incrementPrecision(), 1);
    EXPECT_EQ(unit.getPrecision(), expected);
    EXPECT_EQ(unit.getNoDecimals(), 0);
  }
}

TEST(DegreesMinutesSeconds, StepsPastTheIntRangeSaturateAtTheLargestInt) {
  struct Case {
    int start;
    int next;
  };
  const Case cases[] = {
      {360000000, INT_MAX},
      {INT_MAX, INT_MAX},
      {INT_MAX / 10, INT_MAX / 10 * 10},
      {INT_MAX / 10 + 1, INT_MAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    KovUnitGradMinSec unit;
    unit.setPrecision(c.start);
    EXPECT_EQ(unit.incrementPrecision(), 1);
    EXPECT_EQ(unit.getPrecision(), c.next);
  }
}

TEST(DegreesMinutesSeconds, DisplayedTextsReadBackWithinTheResolutionTheyShow) {
  struct Resolution {
    int denominator;
    double halfStep;  // degrees
  };
  const Resolution resolutions[] = {
      {60, 1.0 / 60.0},  // minutes are cut: up to one whole minute is lost
      {3600, 0.5 / 3600.0},
      {36000, 0.05 / 3600.0},
      {3600000, 0.005 / 3600.0},
  };
  const double values[] = {0.0,     1.0,      10.504166666666666, 10.99999, 89.999999,
                           123.456, 359.9999, -12.3456,           -1.5,     725.125,
                           -725.125};
  for (const Resolution& r : resolutions) {
    const KovUnitGradMinSec unit = unitWithDenominator(r.denominator);
    for (double value : values) {
      SCOPED_TRACE(::testing::Message() << "denominator " << r.denominator << " value " << value);
      const KovString text = unit.getDisplayString(value, 0, 0, 0, 0, L' ');
      EXPECT_NEAR(unit.getDegrees(text), std::fmod(value, 360.0), r.halfStep + 1e-12)
          << text.getStringW();
    }
  }
}

TEST(DegreesMinutesSeconds, NonFiniteValuesShowAsNanAndInfinity) {
  struct Case {
    double value;
    const wchar_t* text;
  };
  const Case cases[] = {{NAN, L"nan"}, {INFINITY, L"inf"}, {-INFINITY, L"-inf"}};
  for (int denominator : {0, 60, 3600, 36000}) {
    const KovUnitGradMinSec unit = unitWithDenominator(denominator);
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << "denominator " << denominator << " " << c.value);
      EXPECT_EQ(shown(unit, c.value), c.text);
      EXPECT_EQ(std::wstring(unit.getDisplayStringWithUnits(c.value, 1).getStringW()), c.text);
    }
  }
}

TEST(DegreesMinutesSeconds, ValidatorChecksTheOrderAndTheNumberOfEachPart) {
  struct Case {
    const wchar_t* text;
    int valid;
  };
  const Case cases[] = {
      {L"10\u00B020'", 1},
      {L"10\u00B020'30.5\"", 1},
      {L" 10\u00B020'30.5\" ", 1},
      {L"-10\u00B020'", 1},
      {L"10\u00B0", 1},
      {L"10\u00B05.5\"", 1},
      {L"20'", 1},
      {L"20'30\"", 1},
      {L"30.5\"", 1},
      {L"10\u00B020'30\"trailing", 1},  // text after the last mark is not examined
      {L"10.5\u00B020'", 1},            // the integer at the start of the part counts
      {L"10d20'", 1},                   // 'd' is no mark here; "10d20" starts with an integer
      {L"abc", 1},                      // no marks, nothing to check
      {L"", 1},
      {L"20'10\u00B0", 0},  // order
      {L"10\"20'", 0},
      {L"\"10\u00B0", 0},
      {L"\u00B020'", 0},  // no degrees
      {L"  \u00B020'", 0},
      {L"10\u00B0x'", 0},
      {L"10\u00B020'x\"", 0},
      {L"10\u00B0 '", 0},
      {L"\u00B0", 0},
      {L"'", 0},
      {L"\"", 0},
      {L"\u00B0'\"", 0},
      {L".5'", 0},                 // minutes must start with an integer
      {L"\u0661\u0660\u00B0", 0},  // Arabic-Indic digits
      {L"\uFF11\uFF10\u00B0", 0},  // full-width digits
      {L"-\u00B0", 0},
  };
  KovUnitGradMinSec unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    EXPECT_EQ(unit.isValidString(KovString(c.text)), c.valid);
  }
}

TEST(DegreesMinutesSeconds, ValidatorAnswersLongTextsOfMarks) {
  const int n = 100000;
  struct Case {
    std::wstring text;
    int valid;
  };
  const Case cases[] = {
      {std::wstring(n, L'\u00B0'), 0},
      {L"1" + std::wstring(n, L'\u00B0'), 1},
      {std::wstring(n, L'9') + L"\u00B0", 1},
      {std::wstring(n, L'\'') + L"\u00B0", 0},
      {std::wstring(n, L' '), 1},
  };
  KovUnitGradMinSec unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 8));
    EXPECT_EQ(unit.isValidString(KovString(c.text.c_str())), c.valid);
  }
}

}  // namespace
