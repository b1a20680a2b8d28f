#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "units/angle/KovUnitGradMinSec.h"

namespace {

constexpr int kPrototype = INT_MIN;  // leave the new unit's denominator 0 as it is

KovUnitGradMinSec unitWithPrecision(int setting) {
  KovUnitGradMinSec unit;
  if (setting != kPrototype) unit.setPrecision(setting);
  return unit;
}

TEST(DegreesMinutesSeconds, ShowsEachResolutionWithSecondsRoundedButNeverCarried) {
  struct Case {
    int setting;
    double value;
    const wchar_t* text;
  };
  const Case cases[] = {
      {kPrototype, 10.6, L"11\u00B0"},
      {kPrototype, -0.4, L"0\u00B0"},
      {0, -10.6, L"-11\u00B0"},
      {-5, 10.4, L"10\u00B0"},
      {60, 10.5, L"10\u00B030'"},
      {60, 10.999, L"10\u00B059'"},  // minutes are cut
      {60, -10.5, L"-10\u00B030'"},
      {60, -0.5, L"0\u00B030'"},  // degrees that read 0 carry no sign
      {60, 370.25, L"10\u00B015'"},
      {60, 1.2345e300, L"352\u00B00'"},
      {3600, 10.504166666666666, L"10\u00B030'15\""},
      {3600, 10.99999, L"10\u00B059'60\""},
      {3600, 45, L"45\u00B00'0\""},
      {1, 10.504166666666666, L"10\u00B030'15\""},  // whole seconds below 7200
      {36000, 10.504166666666666, L"10\u00B030'15.0\""},
      {3600000, 10.504166666666666, L"10\u00B030'15.00\""},
      {360000000, 10.504166666666666, L"10\u00B030'15.000\""},
      {INT_MAX, 10.504166666666666, L"10\u00B030'15.0000\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "precision " << c.setting << " value " << c.value);
    const KovUnitGradMinSec unit = unitWithPrecision(c.setting);
    EXPECT_EQ(std::wstring(unit.getDisplayString(c.value, 0, 0, 0, 0, L' ').getStringW()), c.text);
    // A text that ends in a mark is never trimmed.
    EXPECT_EQ(std::wstring(unit.getDisplayString(c.value, 1, 0, 0, 0, L' ').getStringW()), c.text);
  }
}

TEST(DegreesMinutesSeconds, StepsThroughMinutesSecondsAndDecimalsUpToTheLargestInt) {
  struct Case {
    int setting;
    int after;  // denominator after one incrementPrecision
    int noDecimalsAfter;
  };
  const Case cases[] = {
      {0, 60, 0},  // whole degrees, then minutes
      {60, 3600, 0},
      {3600, 36000, 0},
      {36000000, 360000000, 0},
      {360000000, INT_MAX, 0},  // past the int range: the finest resolution an int holds
      {INT_MAX / 10, INT_MAX / 10 * 10, 0},
      {INT_MAX / 10 + 1, INT_MAX, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting);
    KovUnitGradMinSec unit = unitWithPrecision(c.setting);
    EXPECT_EQ(unit.incrementPrecision(), 1);
    EXPECT_EQ(unit.getPrecision(), c.after);
    EXPECT_EQ(unit.getNoDecimals(), c.noDecimalsAfter);
  }
}

TEST(DegreesMinutesSeconds, ValidatorChecksTheOrderAndTheNumberOfEachPart) {
  struct Case {
    const wchar_t* text;
    int valid;
  };
  const Case cases[] = {
      {L" 10\u00B020'30.5\" ", 1},
      {L"-10\u00B020'", 1},
      {L"10\u00B05.5\"", 1},
      {L"20'30\"", 1},
      {L"30.5\"", 1},
      {L"10\u00B020'30\"x", 1},  // text after the last mark is not examined
      {L"10.5\u00B020'", 1},     // the integer at the start of a part counts
      {L"10d20'", 1},            // 'd' is no mark here
      {L"abc", 1},               // no marks, nothing to check
      {L"", 1},
      {L"20'10\u00B0", 0},  // order
      {L"10\"20'", 0},
      {L"\u00B020'", 0},  // no degrees
      {L"10\u00B0x'", 0},
      {L"10\u00B020'x\"", 0},
      {L"10\u00B0 '", 0},
      {L"\u00B0'\"", 0},
      {L".5'", 0},  // minutes must start with an integer
      {L"\u0661\u0660\u00B0", 0},
      {L"-\u00B0", 0},
  };
  const KovUnitGradMinSec unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    EXPECT_EQ(unit.isValidString(KovString(c.text)), c.valid);
  }
}

}  // namespace
