#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>

#include "TestText.h"
#include "units/imperial/KovUnitInch.h"
#include "units/metric/KovUnitDecimal.h"
#include "units/metric/KovUnitGram.h"
#include "units/metric/KovUnitKiloNewton.h"
#include "units/metric/KovUnitKiloNewtonMeter.h"
#include "units/metric/KovUnitNewtonPerSquareMm.h"

namespace {

// A non-metric length unit, enough to compare against the metric ones.
class ImperialLength : public KovUnitBase {
 public:
  int isValidString(const KovString&) const override { return 1; }
  int isMetric() const override { return 0; }
  int isFractional() const override { return 0; }
  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};

}  // namespace

TEST(BaseObject, FactorSetterKeepsItsValueForANonFiniteOrNegativeFactor) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double argument;
    double stored;
  } cases[] = {
      {nan, 25.4},      {inf, 25.4}, {-inf, 25.4}, {-2.0, 25.4},  // a factor is a size
      {1e-300, 1e-300}, {0.0, 1.0},  {-0.0, 1.0},                 // zero is stored as 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    KovUnitGram unit;
    unit.setFactor(25.4);
    unit.setFactor(c.argument);
    EXPECT_EQ(unit.getFactor(), c.stored);
    if (c.stored == 25.4) {
      EXPECT_EQ(narrow(unit.getDisplayString(25.4, 0, 0, 0, 0, L' ')), "1.00");
    }
  }
}

TEST(BaseObject, PowerSetterClampsToLengthsUpToFourthPowers) {
  struct Case {
    int argument;
    int stored;
  } cases[] = {{0, 1}, {-1, 1}, {INT_MIN, 1}, {3, 3}, {4, 4}, {5, 4}, {INT_MAX, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    KovUnitInch unit;
    unit.setPower(c.argument);
    EXPECT_EQ(unit.getPower(), c.stored);
    // Every stored power shows a length that reads back.
    const double value = 1689.1 * std::pow(25.4, c.stored - 1);
    const KovString text = unit.getDisplayString(value, 0, 0, 0, 0, L' ');
    EXPECT_NEAR(unit.getMillimeters(text), value, value * 1e-3) << narrow(text);
  }
}

TEST(BaseObject, PowerOfTenPrecisionTruncatesTheLogarithmOfTheSteps) {
  struct Case {
    int steps;
    int expectedSteps;
    int expectedNoDecimals;
  };
  const Case cases[] = {
      {1, 1, 1},   {0, 1, 1},   {-5, 1, 1},    {9, 1, 1},     {10, 10, 0},
      {50, 10, 0}, {99, 10, 0}, {100, 100, 0}, {999, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    KovUnitKiloNewton unit;
    unit.setPrecision(c.steps);
    EXPECT_EQ(unit.getPrecision(), c.expectedSteps);
    EXPECT_EQ(unit.getNoDecimals(), c.expectedNoDecimals);
  }
}

// From no decimals (a precision below 10) one step gives one decimal.
TEST(BaseObject, IncrementPrecisionFromNoDecimalsGivesOneDecimal) {
  KovUnitGram unit;
  unit.setPrecision(0);
  EXPECT_EQ(unit.incrementPrecision(), 1);
  EXPECT_EQ(unit.getPrecision(), 10);
  EXPECT_EQ(unit.getNoDecimals(), 0);
}

TEST(BaseObject, EqualityComparesOnlyTheKindOfUnit) {
  const KovUnitDecimal decimal;
  const ImperialLength imperial;
  const KovUnitKiloNewton force;
  const KovUnitGram weight;
  KovUnitNewtonPerSquareMm stress;
  stress.setFactor(1000.0);
  stress.setPrecision(1);
  EXPECT_EQ(decimal == imperial, 0);
  EXPECT_EQ(force == weight, 1);
  EXPECT_EQ(decimal == stress, 1);
  EXPECT_EQ(imperial == imperial, 1);
}

TEST(BaseObject, BaseDisplayTrimsZerosOnlyWhenTheTextHasASeparator) {
  struct Case {
    double value;
    int steps;
    int trimTrailingZeros;
    int trimLeadingZero;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {-0.001, 100, 0, 0, L"0.00"},
      {-0.001, 100, 1, 0, L"0"},
      {-0.001, 100, 1, 1, L""},
      {2.5, 1000, 1, 0, L"2.5"},
      {0.5, 100, 0, 1, L".50"},
      {100.0, 1, 1, 1, L"100"},
      {-0.5, 10, 0, 1, L"-0.5"},
      {1e308, 1, 1, 0, nullptr},
      {std::numeric_limits<double>::quiet_NaN(), 100, 1, 1, L"nan"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    KovUnitGram unit;
    unit.setPrecision(c.steps);
    const KovString text = unit.KovUnitTransform::getDisplayString(c.value, c.trimTrailingZeros,
                                                                   c.trimLeadingZero, 0, 0, L' ');
    if (c.expected != nullptr) {
      EXPECT_EQ(text, c.expected);
    } else {
      EXPECT_EQ(text.toDouble(), c.value);
    }
  }
}

TEST(BaseObject, DisplayWithUnitsAddsABlankAndTheSymbol) {
  KovUnitDecimal unit;
  unit.setFactor(1000.0);
  EXPECT_EQ(unit.getDisplayStringWithUnits(12500.0, 0),
            unit.getDisplayString(12500.0, 0, 0, 0, 0, L' '));
  unit.setSymbol(L"m");
  EXPECT_EQ(unit.getDisplayStringWithUnits(12500.0, 0), L"12.50 m");
  EXPECT_EQ(unit.getDisplayStringWithUnits(12500.0, 1), L"12.5 m");
  EXPECT_EQ(unit.getDisplayStringArch(12500.0, 1, KovUnitTransform::eFractionStacked,
                                      KovUnitTransform::eFractionLineSlanted, 0.5, true, true, true,
                                      true, 1, 1, 1, L'-'),
            L"12.5");
}

TEST(BaseObject, BaseDegreesKeepTheRemainderOfTheFullCircle) {
  struct Case {
    double factor;
    const wchar_t* text;
    double expected;
  };
  const Case cases[] = {
      {360.0, L"370", 10.0}, {1.0, L"2.75", 0.75}, {360.0, L"-370", -10.0}, {360.0, L"abc", 0.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    KovUnitKiloNewtonMeter unit;
    unit.setFactor(c.factor);
    EXPECT_DOUBLE_EQ(unit.getDegrees(c.text), c.expected);
  }
}

TEST(BaseObject, CopiesAndClonesCarryEveryField) {
  KovUnitDecimal unit;
  unit.setFactor(645.16);
  unit.setPower(2);
  unit.setSymbol(L"in");
  unit.setPrecision(1);
  unit.setUseRegionalSettings(2);
  // Released through KovUnitBase, whose destructor is virtual.
  const std::unique_ptr<KovUnitBase> clone(dynamic_cast<KovUnitBase*>(unit.clone()));
  ASSERT_NE(clone, nullptr);
  EXPECT_NE(dynamic_cast<KovUnitDecimal*>(clone.get()), nullptr);
  KovUnitDecimal assigned;
  assigned = unit;
  const KovUnitDecimal& self = assigned;
  assigned = self;
  const KovUnitTransform* const copies[] = {clone.get(), &assigned};
  for (const KovUnitTransform* copy : copies) {
    EXPECT_EQ(copy->getFactor(), 645.16);
    EXPECT_EQ(copy->getPower(), 2);
    EXPECT_EQ(copy->getSymbol(), L"in");
    EXPECT_EQ(copy->getPrecision(), 1);
    EXPECT_EQ(copy->getUseRegionalSettings(), 2);
    EXPECT_EQ(copy->getDisplayString(64516.0, 0, 0, 0, 0, L' '), L"100 \u00B2");
  }
}
