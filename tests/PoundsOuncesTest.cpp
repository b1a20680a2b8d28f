#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "LocaleEnvironment.h"
#include "units/imperial/KovUnitLbsOunces.h"

namespace {

constexpr double kOunce = KovUnitLbsOunces::kGramsPerOunce;

std::wstring shown(const KovUnitLbsOunces& unit, double value, int trim = 0) {
  return unit.getDisplayString(value, trim, 0, 0, 0, L' ').getStringW();
}

struct DisplayCase {
  double grams;
  int trim;
  const wchar_t* text;
};

void expectShows(const KovUnitLbsOunces& unit, const DisplayCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(::testing::Message() << "grams " << cases[i].grams << " trim " << cases[i].trim);
    EXPECT_EQ(shown(unit, cases[i].grams, cases[i].trim), cases[i].text);
  }
}

TEST(PoundsOunces, ConstantsAreTheLibraryOunceAndSixteenOfThem) {
  EXPECT_EQ(KovUnitLbsOunces::kGramsPerOunce, 28.34952);
  EXPECT_EQ(KovUnitLbsOunces::kGramsPerPound, 453.59232);
  EXPECT_EQ(KovUnitLbsOunces::kOuncesPerPound * KovUnitLbsOunces::kGramsPerOunce,
            KovUnitLbsOunces::kGramsPerPound);
}

TEST(PoundsOunces, ShowsPoundsAndOuncesToTwoDecimals) {
  const DisplayCase cases[] = {
      {680.38848, 0, L"1 lb 8.00 oz"},
      {680.38848, 1, L"1 lb 8.00 oz"},  // the text ends in "oz", so nothing is trimmed
      {453.59232, 0, L"1 lb"},
      {907, 0, L"1 lb 15.99 oz"},
      {1000, 0, L"2 lb 3.27 oz"},
      {453.5, 0, L"1 lb"},      // 15.99675 ounces make a full pound
      {907.13464, 0, L"2 lb"},  // 1 lb 15.998 oz carries into the next pound
      {100, 0, L"3.53oz"},
      {28.34952, 0, L"1.00oz"},
      {0, 0, L" 0.00"},
      {0, 1, L" 0"},
      {0.1, 0, L" 0.00"},
      {4535.9232, 0, L"10 lb"},
  };
  KovUnitLbsOunces unit;
  expectShows(unit, cases, sizeof cases / sizeof cases[0]);
}

TEST(PoundsOunces, WholeNumberPrecisionRoundsTheOunces) {
  const DisplayCase cases[] = {
      {907, 0, L"2 lb"}, {1000, 0, L"2 lb 3 oz"},   {100, 0, L"4oz"},
      {0, 0, L" 0"},     {-1000, 0, L"-2 lb 3 oz"},
  };
  KovUnitLbsOunces unit;
  unit.setPrecision(1);
  expectShows(unit, cases, sizeof cases / sizeof cases[0]);
}

TEST(PoundsOunces, NegativeWeightsCarryOneSignForTheWholeText) {
  const DisplayCase cases[] = {
      {-680.38848, 0, L"-1 lb 8.00 oz"},
      {-907, 0, L"-1 lb 15.99 oz"},
      {-453.5, 0, L"-1 lb"},      // a full pound below zero, not "-16.00oz"
      {-907.13464, 0, L"-2 lb"},  // the carry grows the pounds away from zero
      {-100, 0, L"-3.53oz"},
      {-0.1, 0, L" 0.00"},  // rounds to nothing: no sign
      {-0.1, 1, L" 0"},
      {-0.0, 0, L" 0.00"},
  };
  KovUnitLbsOunces unit;
  expectShows(unit, cases, sizeof cases / sizeof cases[0]);
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
      {L"1 lb 8.00 oz", 24},
      {L"-1 lb 8 oz", -24},  // the leading '-' is the sign of the whole weight
      {L"-3.53oz", -3.53},
      {L"-2 lb", -32},
      {L"lb 3 oz", 3},
      {L"", 0},
      {L"abc", 0},
      {L"-", 0},
      {L"lb", 0},
      {L"oz", 0},
      {L"\u0663 lb", 0},  // Arabic-Indic digits are not read
  };
  KovUnitLbsOunces unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    EXPECT_DOUBLE_EQ(unit.getGrams(KovString(c.text)), c.ounces * kOunce);
  }
}

TEST(PoundsOunces, SplitsTextIntoPoundsAndOunces) {
  struct Case {
    const wchar_t* text;
    double pounds, ounces;
  };
  const Case cases[] = {
      {L"2 lb 3 oz", 2, 3},
      {L"7", 0, 7},
      {L"-1 lb 8 oz", -1, -8},
      {L"1 lb -8 oz", 1, -8},
  };
  KovUnitLbsOunces unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    double pounds = -99, ounces = -99;
    EXPECT_EQ(unit.parsePoundsOunces(KovString(c.text), pounds, ounces), 1);
    EXPECT_EQ(pounds, c.pounds);
    EXPECT_EQ(ounces, c.ounces);
  }
}

TEST(PoundsOunces, DisplayedWeightsReadBackWithinHalfAStep) {
  struct Precision {
    int setting;
    double halfStepOunces;  // half a step, plus the slack of the full-pound test
  };
  const Precision precisions[] = {{100, 0.005 + 0.0001}, {1, 0.5 + 0.01}, {1000, 0.0005 + 0.00001}};
  const double grams[] = {0.0,       0.1,        28.0,      100.0,      453.5,     453.59232,
                          680.38848, 907.0,      907.13464, 1000.0,     12345.678, 1e6,
                          1e12,      -0.1,       -28.0,     -100.0,     -453.5,    -680.38848,
                          -907.0,    -907.13464, -1000.0,   -12345.678, -1e6,      -1e12};
  for (const Precision& p : precisions) {
    KovUnitLbsOunces unit;
    unit.setPrecision(p.setting);
    for (double g : grams) {
      SCOPED_TRACE(::testing::Message() << "precision " << p.setting << " grams " << g);
      const KovString text = unit.getDisplayString(g, 1, 0, 0, 0, L' ');
      ASSERT_EQ(unit.isValidString(text), 1) << text.getStringW();
      EXPECT_NEAR(unit.getGrams(text), g,
                  p.halfStepOunces * kOunce * (1 + 1e-9) + std::fabs(g) * 1e-15)
          << text.getStringW();
    }
  }
  // A sweep across the pound boundaries, both signs.
  KovUnitLbsOunces unit;
  for (int i = -4000; i <= 4000; ++i) {
    const double g = i * 0.5671;
    const KovString text = unit.getDisplayString(g, 0, 0, 0, 0, L' ');
    ASSERT_NEAR(unit.getGrams(text), g, 0.0051 * kOunce) << g << " shows " << text.getStringW();
  }
}

TEST(PoundsOunces, HugeWeightsShowWholePoundsBeyondTheIntRange) {
  KovUnitLbsOunces unit;
  // 1e12 grams are 2204622864.87 pounds of 453.59232 grams, more than an int holds.
  EXPECT_EQ(shown(unit, 1e12).substr(0, 11), L"2204622864 ");
  for (double g : {1e20, -1e20, 1e308, -1e308}) {
    SCOPED_TRACE(g);
    const KovString text = unit.getDisplayString(g, 1, 0, 0, 0, L' ');
    const std::wstring s = text.getStringW();
    EXPECT_TRUE(s.size() > 3 && (s.compare(s.size() - 3, 3, L" lb") == 0 ||
                                 s.compare(s.size() - 3, 3, L" oz") == 0))
        << s;
    EXPECT_EQ(s[0] == L'-', g < 0) << s;
    EXPECT_NEAR(unit.getGrams(text) / g, 1.0, 1e-12) << s;
  }
}

TEST(PoundsOunces, LargeFactorSwitchesToTheDecimalTextWithItsSymbol) {
  KovUnitLbsOunces tonnes;
  tonnes.setFactor(1000000.0);
  tonnes.setSymbol(KovString(L"t"));
  KovUnitLbsOunces kilograms;
  kilograms.setFactor(1000.0);
  kilograms.setSymbol(KovString(L"kg"));
  KovUnitLbsOunces bare;
  bare.setFactor(1000000.0);
  struct Case {
    const KovUnitLbsOunces* unit;
    double grams;
    int trim;
    const wchar_t* display;
    const wchar_t* withUnits;
  };
  const Case cases[] = {
      {&tonnes, 2000000, 0, L"2.00 t", L"2.00 t (2.00 t)"},
      {&tonnes, 2000000, 1, L"2 t", L"2 t (2 t)"},
      {&tonnes, -1, 0, L"-0.00 t", L"-0.00 t (-0.00 t)"},  // this text keeps "-0.00"
      {&kilograms, 680.38848, 0, L"1 lb 8.00 oz", L"1 lb 8.00 oz (0.68 kg)"},
      {&kilograms, -680.38848, 1, L"-1 lb 8.00 oz", L"-1 lb 8.00 oz (-0.68 kg)"},
      {&bare, 2500000, 1, L"2.5", L"2.5 (2.5)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "grams " << c.grams << " trim " << c.trim);
    EXPECT_EQ(shown(*c.unit, c.grams, c.trim), c.display);
    EXPECT_EQ(std::wstring(c.unit->getDisplayStringWithUnits(c.grams, c.trim).getStringW()),
              c.withUnits);
  }
}

TEST(PoundsOunces, NonFiniteValuesShowAsNanAndInfinity) {
  KovUnitLbsOunces ounces;
  KovUnitLbsOunces tonnes;
  tonnes.setFactor(1000000.0);
  tonnes.setSymbol(KovString(L"t"));
  struct Case {
    double value;
    const wchar_t* text;
  };
  const Case cases[] = {{NAN, L"nan"}, {INFINITY, L"inf"}, {-INFINITY, L"-inf"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    for (const KovUnitLbsOunces* unit : {&ounces, &tonnes}) {
      EXPECT_EQ(shown(*unit, c.value), c.text);
      EXPECT_EQ(std::wstring(unit->getDisplayStringWithUnits(c.value, 0).getStringW()), c.text);
      EXPECT_EQ(std::wstring(unit->getDisplayStringDecimal(c.value, 0).getStringW()), c.text);
    }
  }
  // A finite weight whose quotient overflows is infinite in the decimal text.
  KovUnitLbsOunces tiny;
  tiny.setFactor(1e-300);
  EXPECT_EQ(std::wstring(tiny.getDisplayStringDecimal(1e300, 0).getStringW()), L"inf");
}

TEST(PoundsOunces, ValidatorChecksPoundsBeforeOuncesAndTheirNumbers) {
  struct Case {
    const wchar_t* text;
    int valid;
  };
  const Case cases[] = {
      {L"1 lb 8.00 oz", 1},
      {L"2 lb", 1},
      {L"2lb", 1},
      {L"1.5 lb", 1},  // the integer at the start counts
      {L"8 oz", 1},
      {L"8.5oz", 1},
      {L" 1 lb 8.00 oz ", 1},
      {L"-1 lb 8.00 oz", 1},
      {L"-3.53oz", 1},
      {L"5", 1},          // a bare number is read as ounces, so it is valid
      {L" 0.00", 1},      // the zero display reads back
      {L"8 oz 1 lb", 0},  // order
      {L"lb 3 oz", 0},    // no pounds
      {L"1 lb 8oz", 0},   // the examined ounce text is the single blank
      {L"1 lb oz", 0},
      {L"1 lb x oz", 0},
      {L"oz", 0},
      {L"lb", 0},
      {L"", 0},
      {L"   ", 0},
      {L"abc", 0},
      {L"- 1 lb", 0},
      {L"\u0661 lb", 0},  // Arabic-Indic digit
      {L"\uFF18 oz", 0},  // full-width digit
  };
  KovUnitLbsOunces unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::wstring(L"text: ") + c.text);
    EXPECT_EQ(unit.isValidString(KovString(c.text)), c.valid);
  }
}

TEST(PoundsOunces, LongTextsAreAnsweredWithoutFailing) {
  const int n = 100000;
  struct Case {
    std::wstring text;
    double grams;
    int valid;
  };
  std::wstring manyPounds;
  for (int i = 0; i < n / 2; ++i) manyPounds += L"lb";
  const Case cases[] = {
      {std::wstring(n, L' '), 0.0, 0},
      {std::wstring(n, L'-'), 0.0, 0},
      {manyPounds, 0.0, 0},
      {L"1 lb" + std::wstring(n, L' ') + L"2 oz", 18 * kOunce, 1},
      {std::wstring(n, L'0') + L"3 oz", 3 * kOunce, 1},
  };
  KovUnitLbsOunces unit;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 8));
    const KovString text(c.text.c_str());
    EXPECT_DOUBLE_EQ(unit.getGrams(text), c.grams);
    EXPECT_EQ(unit.isValidString(text), c.valid);
  }
  EXPECT_EQ(unit.getGrams(KovString(std::wstring(n, L'9').c_str())), INFINITY);
}

TEST(PoundsOunces, OnlyTheDecimalTextFollowsTheRegionalNumberFormat) {
  ScopedNumericLocale german("de_DE.UTF-8");
  KovUnitLbsOunces tonnes;
  tonnes.setUseRegionalSettings(1);
  tonnes.setFactor(1000000.0);
  tonnes.setSymbol(KovString(L"t"));
  KovUnitLbsOunces kilograms;
  kilograms.setUseRegionalSettings(1);
  kilograms.setFactor(1000.0);
  kilograms.setSymbol(KovString(L"kg"));
  EXPECT_EQ(shown(tonnes, 2000000), L"2,00 t");
  EXPECT_EQ(shown(tonnes, 2500000, 1), L"2,5 t");
  EXPECT_EQ(std::wstring(kilograms.getDisplayStringWithUnits(680.38848, 0).getStringW()),
            L"1 lb 8.00 oz (0,68 kg)");
}

}  // namespace

namespace {

TEST(PoundsOunces, RandomTextsAndValuesAreAnswered) {
  const wchar_t alphabet[] = L"0123456789.- eElbozx\u0661";
  const int letters = static_cast<int>(sizeof alphabet / sizeof alphabet[0]) - 1;
  KovUnitLbsOunces unit;
  unsigned state = 54321u;
  for (int i = 0; i < 20000; ++i) {
    std::wstring text;
    state = state * 1103515245u + 12345u;
    const int length = static_cast<int>((state >> 16) % 14u);
    for (int k = 0; k < length; ++k) {
      state = state * 1103515245u + 12345u;
      text += alphabet[(state >> 16) % static_cast<unsigned>(letters)];
    }
    const KovString typed(text.c_str());
    const double grams = unit.getGrams(typed);
    ASSERT_GE(unit.isValidString(typed), 0);
    ASSERT_FALSE(unit.getDisplayString(grams, 1, 0, 0, 0, L' ').isEmpty()) << text;
  }
  for (double value : {DBL_MAX, -DBL_MAX, DBL_MIN, -DBL_MIN, 5e-324, -0.0, 2147483648.0 * 453.6}) {
    SCOPED_TRACE(value);
    EXPECT_FALSE(unit.getDisplayString(value, 0, 0, 0, 0, L' ').isEmpty());
    EXPECT_FALSE(unit.getDisplayStringWithUnits(value, 1).isEmpty());
  }
}

}  // namespace
