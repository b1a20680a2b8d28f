#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "LocaleEnvironment.h"
#include "TestText.h"
#include "units/metric/KovUnitDecimal.h"
#include "units/metric/KovUnitGram.h"
#include "units/metric/KovUnitKiloNewton.h"
#include "units/metric/KovUnitKiloNewtonMeter.h"
#include "units/metric/KovUnitNewtonPerSquareMm.h"

namespace {

KovUnitDecimal decimalUnit(double factor, int steps, int power = 1) {
  KovUnitDecimal unit;
  unit.setFactor(factor);
  unit.setPrecision(steps);
  unit.setPower(power);
  return unit;
}

// One object of each of the five metric decimal classes, released through the
// virtual destructor of KovUnitBase.
template <class T>
std::unique_ptr<KovUnitBase> make() {
  return std::make_unique<T>();
}
std::unique_ptr<KovUnitBase> (*const metricUnit[])() = {
    make<KovUnitDecimal>, make<KovUnitGram>, make<KovUnitKiloNewton>, make<KovUnitKiloNewtonMeter>,
    make<KovUnitNewtonPerSquareMm>};
constexpr int kMetricUnitCount = 5;
const char* const kMetricUnitNames[kMetricUnitCount] = {"decimal", "gram", "kilonewton",
                                                        "kilonewton-metre", "stress"};

}  // namespace

TEST(DecimalLength, ShowsValueDividedByFactorWithTheChosenDecimals) {
  struct Case {
    double factor;
    int steps;
    int power;
    double value;
    int trimTrailingZeros;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {1000.0, 1000, 1, 1234.0, 0, L"1.234"},
      {1000.0, 100, 1, 1500.0, 1, L"1.5"},
      {1000.0, 1000, 1, -0.0004, 0, L"0.000"},
      {1.0, 1, 1, 12.6, 0, L"13"},
      {1.0, 1, 1, 100.0, 1, L"100"},
      {1.0, 100, 1, -0.0, 1, L"0"},
      {1000.0, 100, 1, 2000.0, 1, L"2"},
      {25.4, 10000, 1, 25.4, 0, L"1.0000"},
      // The area suffix: power 2 with a factor that is not a power of ten.
      {645.16, 100, 2, 645.16, 0, L"1.00 \u00B2"},
      {645.16, 100, 2, 645.16, 1, L"1 \u00B2"},
      {0.5, 100, 2, 1.0, 0, L"2.00 \u00B2"},
      {1000000.0, 100, 2, 5e6, 0, L"5.00"},
      {645.16, 100, 1, 645.16, 0, L"1.00"},
      {2e28, 100, 2, 2e28, 0, L"1.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.factor) + " " + std::to_string(c.value));
    const KovUnitDecimal unit = decimalUnit(c.factor, c.steps, c.power);
    EXPECT_EQ(unit.getDisplayString(c.value, c.trimTrailingZeros, 1, 1, 1, L'-'), c.expected);
  }
}

TEST(DecimalLength, ReadsTypedNumbersAndFractionsTimesTheFactor) {
  struct Case {
    double factor;
    const wchar_t* typed;
    double expected;
  };
  const Case cases[] = {
      {25.4, L"1 1/2", 1.5 * 25.4},
      {25.4, L"3/4", 0.75 * 25.4},
      {25.4, L"-1 1/2", -1.5 * 25.4},
      {25.4, L"  1-1/2  ", 1.5 * 25.4},
      {25.4, L"3/0", 3 * 25.4},
      {25.4, L"2.5/4", 2.5 * 25.4},
      {25.4, L"/4", 0.0},
      {1000.0, L"1.5", 1500.0},
      {1000.0, L"  -2.25 m", -2250.0},
      {1000.0, L"1,5", 1000.0},
      {1.0, L"abc", 0.0},
      {1.0, L"", 0.0},
      {1.0, L"-", 0.0},
      {1.0, L".", 0.0},
      {1.0, L"\u0661\u0662", 0.0},
      {1.0, L"1e400", HUGE_VAL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(narrow(c.typed));
    const KovUnitDecimal unit = decimalUnit(c.factor, 100);
    const double read = unit.getMillimeters(c.typed);
    if (std::isinf(c.expected)) {
      EXPECT_EQ(read, c.expected);
    } else {
      EXPECT_NEAR(read, c.expected, 1e-12);
    }
  }
}

TEST(DecimalLength, AcceptsPlainNumbersAndThoseBeingTyped) {
  const wchar_t* accepted[] = {L"12.5", L"-12,5", L".5", L"5.", L"-", L"-.5", L"1.2.3", L"  42  "};
  const wchar_t* refused[] = {L"",    L".",   L"1 3/4", L"12a", L"x.",           L"-5.",    L"+5",
                              L"1e3", L"nan", L"--5",   L".5.", L"\u0661\u0662", L"1\u00B2"};
  const KovUnitDecimal unit = decimalUnit(1.0, 100);
  for (const wchar_t* text : accepted) EXPECT_EQ(unit.isValidString(text), 1) << narrow(text);
  for (const wchar_t* text : refused) EXPECT_EQ(unit.isValidString(text), 0) << narrow(text);
  // With the area suffix in force the last two characters are dropped unseen.
  struct Case {
    const wchar_t* text;
    int power;
    double factor;
    int expected;
  } cases[] = {{L"12 \u00B2", 2, 645.16, 1},
               {L"123", 2, 645.16, 1},
               {L"1a \u00B2", 2, 645.16, 0},
               {L"12 \u00B2", 2, 1000000.0, 0},
               {L"12 \u00B2", 1, 645.16, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(decimalUnit(c.factor, 100, c.power).isValidString(c.text), c.expected)
        << narrow(c.text) << " power " << c.power << " factor " << c.factor;
  }
}

TEST(MetricDecimalUnits, DropTheSignOfAValueThatRoundsToZeroInEveryUnit) {
  struct Case {
    double value;
    const wchar_t* expected;
  };
  const Case cases[] = {{-0.0, L"0.00"}, {-0.004, L"0.00"}, {-0.005, L"-0.01"}};
  for (int index = 0; index < kMetricUnitCount; ++index) {
    const std::unique_ptr<KovUnitBase> unit = metricUnit[index]();
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(kMetricUnitNames[index]) + " " + std::to_string(c.value));
      EXPECT_EQ(unit->getDisplayString(c.value, 0, 0, 0, 0, L' '), c.expected);
    }
  }
}

TEST(MetricDecimalUnits, NeverShowANonFiniteQuotientWithASuffix) {
  // The quotient overflows although value and factor are finite.
  KovUnitDecimal area = decimalUnit(1e-300, 100, 2);
  EXPECT_EQ(area.getDisplayString(-1e300, 0, 0, 0, 0, L' '), L"-inf");
}

TEST(WeightForceMomentStress, ApplyTheFactorOnlyInTheirOwnParseSlots) {
  struct Case {
    int unit;
    double grams;
    double kiloNewton;
    double kiloNewtonMeter;
    double newtonPerSquareMm;
  };
  // Typed "1500" with factor 0.001: 1.5 where the factor applies, else 1500.
  const Case cases[] = {
      {1, 1.5, 1500, 1500, 1500},
      {2, 1500, 1.5, 1500, 1.5},
      {3, 1500, 1500, 1.5, 1500},
      {4, 1500, 1.5, 1500, 1.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(kMetricUnitNames[c.unit]);
    const std::unique_ptr<KovUnitBase> unit = metricUnit[c.unit]();
    unit->setFactor(0.001);
    const KovString typed(L"1500");
    EXPECT_DOUBLE_EQ(unit->getGrams(typed), c.grams);
    EXPECT_DOUBLE_EQ(unit->getKiloNewton(typed), c.kiloNewton);
    EXPECT_DOUBLE_EQ(unit->getKiloNewtonMeter(typed), c.kiloNewtonMeter);
    EXPECT_DOUBLE_EQ(unit->getNewtonPerSquareMm(typed), c.newtonPerSquareMm);
    EXPECT_DOUBLE_EQ(unit->getMillimeters(typed), 1500.0);
    EXPECT_EQ(unit->getDisplayString(1.5, 0, 0, 0, 0, L' '), L"1500.00");
    EXPECT_EQ(unit->isMetric(), 1);
    EXPECT_EQ(unit->isFractional(), 0);
    EXPECT_EQ(unit->isAngle(), 0);
  }
}

#if !defined(_WIN32)  // the user's locale comes from the environment only on POSIX
TEST(WeightForceMomentStress, ReadTypedTextWithoutTrimmingOrRegionalForm) {
  struct Case {
    const wchar_t* typed;
    double expected;
  };
  const Case cases[] = {
      {L"12.5", 25.0}, {L"  7 ", 14.0}, {L"1e3", 2000.0}, {L"12abc", 24.0}, {L"1,5", 2.0},
      {L"", 0.0},      {L"abc", 0.0},   {L"-", 0.0},      {L"\u0661", 0.0}, {L"1e400", HUGE_VAL},
  };
  ScopedNumericLocale locale("de_DE.UTF-8");
  for (int index = 1; index < kMetricUnitCount; ++index) {
    const std::unique_ptr<KovUnitBase> unit = metricUnit[index]();
    unit->setFactor(2.0);
    unit->setUseRegionalSettings(1);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(kMetricUnitNames[index]) + " " + narrow(c.typed));
      const double read = index == 1   ? unit->getGrams(c.typed)
                          : index == 3 ? unit->getKiloNewtonMeter(c.typed)
                                       : unit->getKiloNewton(c.typed);
      EXPECT_EQ(read, c.expected);
    }
  }
}
#endif

// The validator that the weights, forces, moments, stresses and decimal angles share:
// any text that the runtime's number reading starts on, nan and hex included; other
// scripts' digits are no numbers.
TEST(SharedValidator, AcceptsTextsThatStartWithANumber) {
  const wchar_t* accepted[] = {L"12.5", L"-3",  L"1e3",  L"12abc", L"  7 ",       L"-.5",
                               L"+5",   L"nan", L"0x1A", L"1.5r",  L"45\u00B030'"};
  const wchar_t* refused[] = {L"",         L"abc",          L"-",           L".",
                              L"+",        L"- 5",          L"e5",          L"'",
                              L"\u00B030", L"\u0661\u0662", L"\uFF11\uFF12"};
  const int codes[][2] = {{1009, 0}, {3101, 0},    {3201, 0},   {3300, 0},
                          {2000, 0}, {2000, 2005}, {2000, 2007}};
  for (const auto& code : codes) {
    const pelunits::UnitPtr unit = newUnit(code[0], code[1]);
    SCOPED_TRACE(std::to_string(code[0]) + "/" + std::to_string(code[1]));
    for (const wchar_t* text : accepted) EXPECT_EQ(unit->isValidString(text), 1) << narrow(text);
    for (const wchar_t* text : refused) EXPECT_EQ(unit->isValidString(text), 0) << narrow(text);
  }
}
