#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "LocaleEnvironment.h"
#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitRadian.h"

namespace {

const double kTwoPi = 2.0 * std::acos(-1.0);

std::wstring shown(const KovUnitTransform& unit, double value, int trim = 0) {
  return unit.getDisplayString(value, trim, 0, 0, 0, L' ').getStringW();
}

struct DisplayCase {
  double value;
  int trim;
  const wchar_t* text;
};

void expectShows(const KovUnitTransform& unit, const DisplayCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(::testing::Message() << "value " << cases[i].value << " trim " << cases[i].trim);
    EXPECT_EQ(shown(unit, cases[i].value, cases[i].trim), cases[i].text);
  }
}

TEST(AngleDisplay, DecimalDegreesReduceModuloTheFullCircleAndNeverShowNegativeZero) {
  const DisplayCase cases[] = {
      {45.5, 0, L"45.50"},
      {45.5, 1, L"45.5"},
      {370, 0, L"10.00"},
      {-370, 0, L"-10.00"},
      {-0.001, 0, L"0.00"},
      {-0.001, 1, L"0"},
      {720, 1, L"0"},
      {-0.0, 0, L"0.00"},
      {1.2345e300, 0, L"352.00"},
      {-1.2345e300, 0, L"-352.00"},
      {359.999, 0, L"360.00"},
  };
  KovUnitDegree unit;
  unit.setFactor(360.0);
  expectShows(unit, cases, sizeof cases / sizeof cases[0]);
}

TEST(AngleDisplay, DecimalDegreesWithTheDefaultFactorShowTheValueModuloOne) {
  KovUnitDegree unit;
  EXPECT_EQ(shown(unit, 45.25), L"0.25");
}

TEST(AngleDisplay, WholeNumberPrecisionRoundsToWholeDegrees) {
  KovUnitDegree unit;
  unit.setFactor(360.0);
  unit.setPrecision(1);
  EXPECT_EQ(shown(unit, 45.7), L"46");
  EXPECT_EQ(shown(unit, 100.0, 1), L"100");  // no separator, so no zeros go
  unit.incrementPrecision();
  EXPECT_EQ(shown(unit, 45.75), L"45.8");
}

TEST(AngleDisplay, GonShowsTheFullCircleInGon) {
  const DisplayCase cases[] = {
      {90, 0, L"100.00"},   {360, 0, L"0.00"},   {450, 0, L"100.00"},
      {-90, 0, L"-100.00"}, {100, 0, L"111.11"}, {45, 1, L"50"},
  };
  KovUnitGon unit;
  unit.setFactor(400.0);
  expectShows(unit, cases, sizeof cases / sizeof cases[0]);
  // A plain typed number is degrees, so it does not show back as typed.
  EXPECT_EQ(shown(unit, unit.getDegrees(KovString(L"100"))), L"111.11");
}

TEST(AngleDisplay, RadiansAreNotReduced) {
  const DisplayCase cases[] = {
      {180, 0, L"3.14"}, {540, 0, L"9.42"},  {-180, 0, L"-3.14"},
      {0.1, 0, L"0.00"}, {-0.1, 0, L"0.00"},
  };
  KovUnitRadian unit;
  unit.setFactor(kTwoPi);
  expectShows(unit, cases, sizeof cases / sizeof cases[0]);
  KovUnitRadian unscaled;
  EXPECT_EQ(shown(unscaled, 180), L"0.50");
}

TEST(AngleDisplay, DisplayedTextsReadBackWithinHalfAStep) {
  KovUnitDegree degree;
  degree.setFactor(360.0);
  KovUnitGon gon;
  gon.setFactor(400.0);
  KovUnitRadian radian;
  radian.setFactor(kTwoPi);
  // Half a step of two decimals; ties such as -45.125 may round either way.
  const double halfStep = 0.005 + 1e-9;
  const double values[] = {0.0, 1.0, 12.345, 89.999, 179.5, 271.25, -45.125, -359.0};
  for (double value : values) {
    SCOPED_TRACE(value);
    const double reduced = std::fmod(value, 360.0);
    EXPECT_NEAR(degree.getDegrees(degree.getDisplayString(value, 0, 0, 0, 0, L' ')), reduced,
                halfStep);
    // Gon text needs its letter to be read as gon.
    KovString gonText = gon.getDisplayString(value, 1, 0, 0, 0, L' ');
    gonText += L'g';
    EXPECT_NEAR(gon.getDegrees(gonText), reduced, halfStep * 0.9);
    // Radians are read back in radians, reduced modulo 360.
    const double fromRadians = radian.getDegrees(radian.getDisplayString(value, 0, 0, 0, 0, L' '));
    EXPECT_NEAR(fromRadians, reduced, halfStep * 180.0 / std::acos(-1.0));
  }
}

TEST(AngleDisplay, NonFiniteValuesShowAsNanAndInfinity) {
  KovUnitDegree degree;
  degree.setFactor(360.0);
  KovUnitGon gon;
  gon.setFactor(400.0);
  KovUnitRadian radian;
  radian.setFactor(kTwoPi);
  struct Case {
    double value;
    const wchar_t* text;
  };
  const Case cases[] = {{NAN, L"nan"}, {-NAN, L"nan"}, {INFINITY, L"inf"}, {-INFINITY, L"-inf"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    for (const KovUnitTransform* unit :
         {static_cast<const KovUnitTransform*>(&degree), static_cast<const KovUnitTransform*>(&gon),
          static_cast<const KovUnitTransform*>(&radian)}) {
      EXPECT_EQ(shown(*unit, c.value), c.text);
      EXPECT_EQ(shown(*unit, c.value, 1), c.text);
      EXPECT_EQ(std::wstring(unit->getDisplayStringWithUnits(c.value, 0).getStringW()), c.text);
    }
  }
  // A factor that is not a number makes every value unreadable, not malformed.
  degree.setFactor(NAN);
  EXPECT_EQ(shown(degree, 10.0), L"nan");
}

TEST(AngleDisplay, HugeValuesShowFiniteTextWhereTheAngleIsFinite) {
  KovUnitGon gon;
  gon.setFactor(400.0);
  KovUnitRadian radian;
  radian.setFactor(kTwoPi);
  for (double value : {1e308, -1e308, 1.7976931348623157e308}) {
    SCOPED_TRACE(value);
    const KovString gonText = gon.getDisplayString(value, 0, 0, 0, 0, L' ');
    EXPECT_LT(std::fabs(gonText.toDouble()), 400.0) << gonText.getStringW();
    // 1e308 degrees are about 1.745e306 radians: written in full.
    const KovString radianText = radian.getDisplayString(value, 0, 0, 0, 0, L' ');
    EXPECT_NEAR(radianText.toDouble() / (value / 360.0 * kTwoPi), 1.0, 1e-12);
  }
}

TEST(AngleDisplay, DecimalAnglesFollowTheRegionalNumberFormat) {
  ScopedNumericLocale german("de_DE.UTF-8");
  KovUnitDegree degree;
  degree.setUseRegionalSettings(1);
  degree.setFactor(3600.0);
  KovUnitGon gon;
  gon.setUseRegionalSettings(1);
  gon.setFactor(400.0);
  KovUnitRadian radian;
  radian.setUseRegionalSettings(1);
  radian.setFactor(kTwoPi);
  struct Case {
    const KovUnitTransform* unit;
    double value;
    int trim;
    const wchar_t* text;
  };
  const Case cases[] = {
      {&degree, 45.5, 0, L"45,50"}, {&degree, 45.5, 1, L"45,5"}, {&degree, 1234.5, 0, L"1.234,50"},
      {&degree, 45.0, 1, L"45"},    {&gon, 90.0, 0, L"100,00"},  {&gon, 45.0, 1, L"50"},
      {&radian, 180.0, 0, L"3,14"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "value " << c.value << " trim " << c.trim);
    EXPECT_EQ(shown(*c.unit, c.value, c.trim), c.text);
  }
}

}  // namespace
