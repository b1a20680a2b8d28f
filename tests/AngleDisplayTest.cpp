#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestText.h"
#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitRadian.h"

namespace {

const double kTwoPi = 2.0 * std::acos(-1.0);

// The decimal angle units with their usual full circles.
struct AngleUnits {
  AngleUnits() {
    degree.setFactor(360.0);
    gon.setFactor(400.0);
    radian.setFactor(kTwoPi);
    wholeDegree.setFactor(360.0);
    wholeDegree.setPrecision(1);
  }
  KovUnitDegree degree, wholeDegree, unscaledDegree;
  KovUnitGon gon;
  KovUnitRadian radian, unscaledRadian;
};

TEST(GonDisplay, DropsWholeTurnsInDegreesSoHugeAnglesKeepTheirPlaceOnTheCircle) {
  KovUnitGon gon;
  gon.setFactor(400.0);
  // fmod is exact: the gon shown for v is the gon shown for v reduced to one turn, also
  // where the gon product overflows.
  for (double value :
       {9.2e18, -9.2e18, 1e300, 1e308, -1.7976931348623157e308, 123456789012.345, 450.0, -90.0}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(narrow(gon.getDisplayString(value, 0, 0, 0, 0, L' ')),
              narrow(gon.getDisplayString(std::fmod(value, 360.0), 0, 0, 0, 0, L' ')));
  }
  EXPECT_EQ(narrow(gon.getDisplayString(9.2e18, 0, 0, 0, 0, L' ')), "222.22");
}

TEST(AngleDisplay, DegreesAndGonReduceModuloTheFullCircleWhileRadiansDoNot) {
  const AngleUnits u;
  const struct {
    const KovUnitTransform* unit;
    double value;
    int trim;
    const wchar_t* text;
  } cases[] = {
      {&u.degree, 45.5, 0, L"45.50"},
      {&u.degree, 45.5, 1, L"45.5"},
      {&u.degree, 370, 0, L"10.00"},
      {&u.degree, -370, 0, L"-10.00"},
      {&u.degree, -0.001, 0, L"0.00"},  // never negative zero
      {&u.degree, -1.2345e300, 0, L"-352.00"},
      {&u.degree, 359.999, 0, L"360.00"},      // rounded after the reduction
      {&u.unscaledDegree, 45.25, 0, L"0.25"},  // a new unit's circle is 1
      {&u.wholeDegree, 45.7, 0, L"46"},
      {&u.wholeDegree, 100.0, 1, L"100"},  // no separator, so no zeros go
      {&u.gon, 90, 0, L"100.00"},
      {&u.gon, 360, 0, L"0.00"},
      {&u.gon, 450, 0, L"100.00"},
      {&u.gon, -90, 0, L"-100.00"},
      {&u.gon, 100, 0, L"111.11"},
      {&u.radian, 180, 0, L"3.14"},
      {&u.radian, 540, 0, L"9.42"},
      {&u.radian, -0.1, 0, L"0.00"},
      {&u.unscaledRadian, 180, 0, L"0.50"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "value " << c.value << " trim " << c.trim);
    EXPECT_EQ(c.unit->getDisplayString(c.value, c.trim, 0, 0, 0, L' '), c.text);
  }
}

// 1e308 degrees are about 1.745e306 radians, written in full.
TEST(AngleDisplay, HugeValuesShowAFullRadianText) {
  const AngleUnits u;
  for (double value : {1e308, -1.7976931348623157e308}) {
    SCOPED_TRACE(value);
    const KovString radianText = u.radian.getDisplayString(value, 0, 0, 0, 0, L' ');
    EXPECT_NEAR(radianText.toDouble() / (value / 360.0 * kTwoPi), 1.0, 1e-12);
  }
}

}  // namespace
