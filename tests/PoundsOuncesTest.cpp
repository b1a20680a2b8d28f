#include <gtest/gtest.h>

#include <string>

#include "units/imperial/KovUnitLbsOunces.h"

namespace {

constexpr double kOunce = KovUnitLbsOunces::kGramsPerOunce;

std::wstring shown(const KovUnitLbsOunces& unit, double grams, int trim) {
  return unit.getDisplayString(grams, trim, 0, 0, 0, L' ').getStringW();
}

KovUnitLbsOunces unitWithPrecision(int setting) {
  KovUnitLbsOunces unit;
  unit.setPrecision(setting);
  return unit;
}

TEST(PoundsOunces, ShowsPoundsAndOuncesWithOneSignForTheWholeText) {
  const KovUnitLbsOunces hundredths = unitWithPrecision(100);
  const KovUnitLbsOunces whole = unitWithPrecision(1);
  struct Case {
    const KovUnitLbsOunces* unit;
    double grams;
    int trim;
    const wchar_t* text;
  };
  const Case cases[] = {
      {&hundredths, 680.38848, 1, L"1 lb 8.00 oz"},  // ends in "oz": nothing is trimmed
      {&hundredths, 453.59232, 0, L"1 lb"},
      {&hundredths, 907, 0, L"1 lb 15.99 oz"},
      {&hundredths, 1000, 0, L"2 lb 3.27 oz"},
      {&hundredths, 453.5, 0, L"1 lb"},      // 15.99675 ounces make a full pound
      {&hundredths, 907.13464, 0, L"2 lb"},  // 1 lb 15.998 oz carries
      {&hundredths, 100, 0, L"3.53oz"},
      {&hundredths, 28.34952, 0, L"1.00oz"},
      {&hundredths, 0, 0, L" 0.00"},
      {&hundredths, 0, 1, L" 0"},
      {&whole, 907, 0, L"2 lb"},
      {&whole, 1000, 0, L"2 lb 3 oz"},
      {&whole, 100, 0, L"4oz"},
      // Negative weights: the sign stands once, in front, and reads back as such.
      {&hundredths, -680.38848, 0, L"-1 lb 8.00 oz"},
      {&hundredths, -453.5, 0, L"-1 lb"},      // a full pound below zero
      {&hundredths, -907.13464, 0, L"-2 lb"},  // the carry grows the pounds away from zero
      {&hundredths, -100, 0, L"-3.53oz"},
      {&hundredths, -0.1, 1, L" 0"},  // rounds to nothing: no sign
      {&whole, -1000, 0, L"-2 lb 3 oz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "grams " << c.grams << " trim " << c.trim);
    EXPECT_EQ(shown(*c.unit, c.grams, c.trim), c.text);
  }
}

TEST(PoundsOunces, ReadsPoundsAndOuncesIntoGrams) {
  struct Case {
    const wchar_t* text;
    double ounces;
  };
  const Case cases[] = {
      {L"2 lb 3 oz", 35},
      {L"5", 5},  // a bare number is ounces
      {L"1.5 lb", 24},
      {L"2 lb 3", 35},
      {L"  2lb  ", 32},
      {L"3.53oz", 3.53},
      {L"-1 lb 8 oz", -24},  // the leading '-' is the sign of the whole weight
      {L"1 lb -8 oz", 8},
      {L"-3.53oz", -3.53},
      {L"lb 3 oz", 3},
      {L"", 0},
      {L"-", 0},
      {L"oz", 0},
      {L"\u0663 lb", 0},
  };
  const KovUnitLbsOunces unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    EXPECT_DOUBLE_EQ(unit.getGrams(KovString(c.text)), c.ounces * kOunce);
  }
}

TEST(PoundsOunces, LargeFactorSwitchesToTheDecimalTextWithItsSymbol) {
  KovUnitLbsOunces tonnes;
  tonnes.setFactor(1000000.0);
  tonnes.setSymbol(KovString(L"t"));
  KovUnitLbsOunces kilograms;
  kilograms.setFactor(1000.0);
  kilograms.setSymbol(KovString(L"kg"));
  KovUnitLbsOunces tiny;
  tiny.setFactor(1e-307);
  struct Case {
    const KovUnitLbsOunces* unit;
    double grams;
    int trim;
    const wchar_t* withUnits;
  };
  const Case cases[] = {
      {&tonnes, 2000000, 0, L"2.00 t (2.00 t)"},
      {&tonnes, 2000000, 1, L"2 t (2 t)"},
      {&tonnes, -1, 0, L"-0.00 t (-0.00 t)"},  // this text keeps "-0.00"
      {&kilograms, 680.38848, 0, L"1 lb 8.00 oz (0.68 kg)"},
      {&kilograms, -680.38848, 1, L"-1 lb 8.00 oz (-0.68 kg)"},
      {&tiny, 453.59232, 0, L"1 lb (inf)"},  // the quotient overflows
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "grams " << c.grams << " trim " << c.trim);
    EXPECT_EQ(std::wstring(c.unit->getDisplayStringWithUnits(c.grams, c.trim).getStringW()),
              c.withUnits);
  }
  EXPECT_EQ(shown(tonnes, 2000000, 0), L"2.00 t");
}

TEST(PoundsOunces, ValidatorChecksPoundsBeforeOuncesAndTheirNumbers) {
  struct Case {
    const wchar_t* text;
    int valid;
  };
  const Case cases[] = {
      {L" 1 lb 8.00 oz ", 1}, {L"2lb", 1},       {L"1.5 lb", 1},    {L"8.5oz", 1},
      {L"-1 lb 8.00 oz", 1},  {L"5", 1},  // a bare number is read as ounces, so it is valid
      {L"8 oz 1 lb", 0},                  // order
      {L"lb 3 oz", 0},                    // no pounds
      {L"1 lb 8oz", 0},                   // the examined ounce text is the single blank
      {L"1 lb x oz", 0},      {L"oz", 0},        {L"", 0},          {L"abc", 0},
      {L"- 1 lb", 0},         {L"\u0661 lb", 0}, {L"\uFF18 oz", 0},
  };
  const KovUnitLbsOunces unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    EXPECT_EQ(unit.isValidString(KovString(c.text)), c.valid);
  }
}

}  // namespace
