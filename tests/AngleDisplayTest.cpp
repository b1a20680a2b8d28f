#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "LocaleEnvironment.h"
#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitGradMinSec.h"
#include "units/angle/KovUnitRadian.h"

namespace {

const double kTwoPi = 2.0 * std::acos(-1.0);

std::wstring shown(const KovUnitTransform& unit, double value, int trim) {
  return unit.getDisplayString(value, trim, 0, 0, 0, L' ').getStringW();
}

// The decimal angle units with their usual full circles.
struct AngleUnits {
  explicit AngleUnits(int regional = 0) {
    degree.setFactor(360.0);
    gon.setFactor(400.0);
    radian.setFactor(kTwoPi);
    wholeDegree.setFactor(360.0);
    wholeDegree.setPrecision(1);
    for (KovUnitTransform* unit :
         {static_cast<KovUnitTransform*>(&degree), static_cast<KovUnitTransform*>(&gon),
          static_cast<KovUnitTransform*>(&radian)}) {
      unit->setUseRegionalSettings(regional);
    }
  }
  KovUnitDegree degree, wholeDegree, unscaledDegree;
  KovUnitGon gon;
  KovUnitRadian radian, unscaledRadian;
};

struct DisplayCase {
  const KovUnitTransform* unit;
  double value;
  int trim;
  const wchar_t* text;
};

void expectShows(const DisplayCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(::testing::Message() << "row " << i << " value " << cases[i].value);
    EXPECT_EQ(shown(*cases[i].unit, cases[i].value, cases[i].trim), cases[i].text);
  }
}

TEST(AngleDisplay, DegreesAndGonReduceModuloTheFullCircleWhileRadiansDoNot) {
  const AngleUnits u;
  const DisplayCase cases[] = {
      {&u.degree, 45.5, 0, L"45.50"},
      {&u.degree, 45.5, 1, L"45.5"},
      {&u.degree, 370, 0, L"10.00"},
      {&u.degree, -370, 0, L"-10.00"},
      {&u.degree, -0.001, 0, L"0.00"},  // never negative zero
      {&u.degree, -0.001, 1, L"0"},
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
  expectShows(cases, sizeof cases / sizeof cases[0]);
}

TEST(AngleDisplay, DisplayedTextsReadBackWithinHalfAStep) {
  const AngleUnits u;
  const double halfStep = 0.005 + 1e-9;  // ties such as -45.125 may round either way
  for (double value : {0.0, 12.345, 89.999, 179.5, 271.25, -45.125, -359.0}) {
    SCOPED_TRACE(value);
    const double reduced = std::fmod(value, 360.0);
    EXPECT_NEAR(u.degree.getDegrees(u.degree.getDisplayString(value, 0, 0, 0, 0, L' ')), reduced,
                halfStep);
    // Gon text needs its letter to be read as gon.
    KovString gonText = u.gon.getDisplayString(value, 1, 0, 0, 0, L' ');
    gonText += L'g';
    EXPECT_NEAR(u.gon.getDegrees(gonText), reduced, halfStep * 0.9);
    const KovString radianText = u.radian.getDisplayString(value, 0, 0, 0, 0, L' ');
    EXPECT_NEAR(u.radian.getDegrees(radianText), reduced, halfStep * 180.0 / std::acos(-1.0));
  }
}

TEST(AngleDisplay, NonFiniteAndHugeValuesGiveNoMalformedText) {
  const AngleUnits u;
  KovUnitGradMinSec dms;
  dms.setPrecision(3600);
  struct Case {
    double value;
    const wchar_t* text;
  };
  const Case cases[] = {{NAN, L"nan"}, {INFINITY, L"inf"}, {-INFINITY, L"-inf"}};
  for (const Case& c : cases) {
    for (const KovUnitTransform* unit : {static_cast<const KovUnitTransform*>(&u.degree),
                                         static_cast<const KovUnitTransform*>(&u.gon),
                                         static_cast<const KovUnitTransform*>(&u.radian),
                                         static_cast<const KovUnitTransform*>(&dms)}) {
      SCOPED_TRACE(c.text);
      EXPECT_EQ(shown(*unit, c.value, 1), c.text);
      EXPECT_EQ(std::wstring(unit->getDisplayStringWithUnits(c.value, 0).getStringW()), c.text);
    }
  }
  for (double value : {1e308, -1.7976931348623157e308}) {
    SCOPED_TRACE(value);
    // Whole turns are dropped where the gon product overflows.
    EXPECT_LT(std::fabs(u.gon.getDisplayString(value, 0, 0, 0, 0, L' ').toDouble()), 400.0);
    // 1e308 degrees are about 1.745e306 radians, written in full.
    const KovString radianText = u.radian.getDisplayString(value, 0, 0, 0, 0, L' ');
    EXPECT_NEAR(radianText.toDouble() / (value / 360.0 * kTwoPi), 1.0, 1e-12);
  }
}

TEST(AngleDisplay, DecimalAnglesFollowTheRegionalNumberFormat) {
  ScopedNumericLocale german("de_DE.UTF-8");
  AngleUnits u(1);
  u.degree.setFactor(3600.0);
  const DisplayCase cases[] = {
      {&u.degree, 45.5, 0, L"45,50"},      {&u.degree, 45.5, 1, L"45,5"},
      {&u.degree, 1234.5, 0, L"1.234,50"}, {&u.degree, 45.0, 1, L"45"},
      {&u.gon, 90.0, 0, L"100,00"},        {&u.radian, 180.0, 0, L"3,14"},
  };
  expectShows(cases, sizeof cases / sizeof cases[0]);
}

}  // namespace
