#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitRadian.h"

namespace {

TEST(AngleInput, ReadsPlainSexagesimalRadianAndGonTextIntoDegrees) {
  const KovUnitDegree degree;
  const KovUnitGon gon;
  const KovUnitRadian radian;
  struct Case {
    const KovUnitDegreeBase* unit;
    const wchar_t* text;
    double degrees;
  };
  const Case cases[] = {
      // Plain numbers are reduced modulo 360 and keep their sign.
      {&degree, L"45", 45.0},
      {&degree, L"400", 40.0},
      {&degree, L"-370", -10.0},
      {&degree, L" 12 ", 12.0},
      {&degree, L"-1.2345e300", -352.0},
      {&degree, L"", 0.0},
      {&degree, L"r1", 0.0},  // the letter stands first, so no number is found
      {&degree, L"1r", 57.29577951308232},
      {&degree, L"3.14159r", 179.99984796050427},
      {&degree, L"100g", 90.0},  // a full circle of 400 gon is 360 degrees
      {&degree, L"-500g", -90.0},
      {&gon, L"100", 100.0},  // a gon unit reads a bare number as degrees
      {&gon, L"50g", 45.0},
      {&radian, L"1.5708", 90.0002104591497},
      {&radian, L"-7", -41.07045659157626},
      {&radian, L"100g", 90.0},
      {&radian, L"90\u00B0", 90.0},
      {&radian, L"90d", 90.0},
      // Sexagesimal text is not reduced.
      {&degree, L"10\u00B030'", 10.5},
      {&degree, L"10d30'15\"", 10.504166666666666},
      {&degree, L"30'15", 0.5041666666666667},
      {&degree, L"370\u00B0", 370.0},
      {&degree, L"  -10\u00B030'  ", -10.5},
      {&degree, L"\u00B010", 0.0},  // starts with the degree mark
      {&degree, L"10\u00B030", 10.5},
      {&degree, L"15\"", 15.0 / 3600.0},
      {&degree, L"1.5 grad", 1.5},      // the 'd' makes it a degree text
      {&degree, L"20'10\u00B0", 20.0},  // minutes in front of the degree mark: first number only
      {&degree, L"5\"10\u00B020'", 20.0 / 60.0 + 5.0},  // seconds marked in front are not read
      {&degree, L"--10\u00B0", -10.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    EXPECT_EQ(c.unit->getDegrees(KovString(c.text)), c.degrees);
  }
}

TEST(AngleInput, NumbersBeyondTheDoubleRangeReadAsNanWhileLargeFiniteOnesReduce) {
  const KovUnitDegree degree;
  const KovUnitRadian radian;
  for (const wchar_t* text : {L"1e400", L"-inf", L"nan", L"1e400r", L"1e400g"}) {
    SCOPED_TRACE(text);
    EXPECT_TRUE(std::isnan(degree.getDegrees(KovString(text))));
    EXPECT_TRUE(std::isnan(radian.getDegrees(KovString(text))));
  }
  // The conversion products of these overflow; the angles do not.
  EXPECT_TRUE(std::isfinite(degree.getDegrees(KovString(L"1e306r"))));
  EXPECT_TRUE(std::isfinite(degree.getDegrees(KovString(L"1.7e308g"))));
  EXPECT_TRUE(std::isfinite(radian.getDegrees(KovString(L"1e306"))));
  EXPECT_EQ(degree.getDegrees(KovString(L"1e400\u00B0")), INFINITY);
}

}  // namespace
