#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numeric>
#include <random>
#include <string>

#include "units/core/DisplayParts.h"
#include "units/core/DisplayText.h"
#include "units/fraction/FractionArithmetic.h"

using pelunits::FractionRounding;
using pelunits::RoundedFraction;

namespace {

struct RoundCase {
  double x;
  int denominator;
  int whole;
  int numerator;
  int resultDenominator;  // 0 with the numerator when the fraction carried
};

void expectRounding(const RoundCase& c, FractionRounding rounding) {
  RoundedFraction r;
  ASSERT_TRUE(pelunits::roundToFraction(c.x, c.denominator, rounding, r));
  EXPECT_EQ(r.whole, c.whole);
  EXPECT_EQ(r.numerator, c.numerator);
  if (c.numerator != 0) {
    EXPECT_EQ(r.denominator, c.resultDenominator);
  }
}

}  // namespace

TEST(FractionArithmetic, PicksTheSmallestPowerOfTenNotBelowTenTimesTheDenominator) {
  const struct {
    int denominator;
    double resolution;
  } cases[] = {{1, 10},      {4, 100},        {10, 100},    {16, 1000}, {64, 1000}, {100, 1000},
               {128, 10000}, {10000, 100000}, {10001, 1e6}, {0, 10},    {-7, 10},   {INT_MAX, 1e6}};
  for (const auto& c : cases) {
    EXPECT_EQ(pelunits::fractionResolution(c.denominator), c.resolution) << c.denominator;
  }
}

TEST(FractionArithmetic, BinaryDivisorAgreesWithStdGcd) {
  const auto check = [](unsigned u, unsigned v) {
    ASSERT_EQ(pelunits::binaryGreatestCommonDivisor(u, v), std::gcd(u, v)) << u << ", " << v;
  };
  for (unsigned u = 0; u <= 300; ++u) {
    for (unsigned v = 0; v <= 300; ++v) check(u, v);
  }
  const unsigned edges[] = {0U,         1U,      2U,       3U << 20,   1U << 30,   1U << 31,
                            0x7FFFFFFF, 999983U, 1000000U, 0xFFFFFFFF, 4294967291U};
  for (const unsigned u : edges) {
    for (const unsigned v : edges) check(u, v);
  }
  std::mt19937 rng(2024);
  for (int n = 0; n < 200000; ++n) {
    // Shared powers of two and small factors, as the display denominators have.
    const unsigned common = 1U << (rng() % 12);
    check(static_cast<unsigned>(rng()) * (n % 3 == 0 ? 1 : common) / (n % 5 == 0 ? 1 : 997),
          n % 2 == 0 ? static_cast<unsigned>(rng()) : (rng() % 4096) * common);
  }
}

TEST(FractionArithmetic, DivisorOfTheSignedValuesIsStdGcdOfTheirMagnitudes) {
  const auto reference = [](int a, int b) {
    if (a == 0 || b == 0) return 1;
    const long long g = std::gcd(static_cast<long long>(a), static_cast<long long>(b));
    return g <= INT_MAX ? static_cast<int>(g) : 1;
  };
  for (int a = -300; a <= 300; ++a) {
    for (int b = -300; b <= 300; ++b) {
      ASSERT_EQ(pelunits::greatestCommonDivisor(a, b), reference(a, b)) << a << ", " << b;
    }
  }
  const int edges[] = {INT_MIN, INT_MIN + 1, -1, 1, INT_MAX, 1 << 30, 3 << 20, 1000000, 999983};
  for (const int a : edges) {
    for (const int b : edges) {
      EXPECT_EQ(pelunits::greatestCommonDivisor(a, b), reference(a, b)) << a << ", " << b;
    }
  }
  // A zero argument gives 1, so a fraction never divides by 0.
  EXPECT_EQ(pelunits::greatestCommonDivisor(0, 5), 1);
  // 2^31 does not fit an int: the pair stays unreduced.
  EXPECT_EQ(pelunits::greatestCommonDivisor(INT_MIN, INT_MIN), 1);
}

TEST(FractionArithmetic, ExactQuotientIsTheDivisionForEveryDivisor) {
  const auto check = [](int value, int divisor) {
    ASSERT_EQ(pelunits::exactQuotient(value, divisor), value / divisor)
        << value << " / " << divisor;
  };
  for (int divisor = 1; divisor <= 1100; ++divisor) {
    for (int k = -300; k <= 300; ++k) check(k * divisor, divisor);
    check(INT_MAX / divisor * divisor, divisor);
    check(-(INT_MAX / divisor * divisor), divisor);
  }
  for (int shift = 0; shift <= 30; ++shift) {
    const int divisor = 1 << shift;
    check(divisor, divisor);
    check(-divisor, divisor);
    check(INT_MIN / divisor * divisor, divisor);
    check(0, divisor);
  }
}

TEST(FractionArithmetic, QuotientByResolutionIsTheTruncatingDivision) {
  const long long resolutions[] = {1, 7, 10, 100, 1000, 10000, 100000, 1000000, 1000001};
  std::mt19937_64 rng(7);
  for (const long long p : resolutions) {
    const long long edges[] = {0,      1,      -1,        p - 1,     p,         p + 1,        -p,
                               -p - 1, -p + 1, 1LL << 52, LLONG_MAX, LLONG_MIN, LLONG_MIN + 1};
    for (const long long s : edges) {
      EXPECT_EQ(pelunits::quotientByResolution(s, p), s / p) << s << " / " << p;
    }
    for (int n = 0; n < 20000; ++n) {
      const long long s = static_cast<long long>(rng() >> (rng() % 64));
      const long long signedS = n % 2 == 0 ? s : -s;
      ASSERT_EQ(pelunits::quotientByResolution(signedS, p), signedS / p) << signedS << " / " << p;
    }
  }
}

TEST(FractionArithmetic, RoundsToTheNearestStepWithHalvesAwayFromZero) {
  const RoundCase cases[] = {
      {2.90, 16, 2, 7, 8},    {2.97, 16, 3, 0, 0},  {5.3, 16, 5, 5, 16},  {0.03, 16, 0, 0, 0},
      {0.5, 4, 0, 1, 2},      {-2.5, 2, -2, -1, 2}, {-0.99, 4, -1, 0, 0}, {3.99, 4, 4, 0, 0},
      {1.0 / 3, 3, 0, 1, 3},  {-0.2, 4, 0, -1, 4},  {0.125, 4, 0, 1, 4},  {-0.125, 4, 0, -1, 4},
      {6.5, 16, 6, 1, 2},     {0.0, 16, 0, 0, 0},   {-0.0, 16, 0, 0, 0},  {7.0, 8, 7, 0, 0},
      {0.3, 10000, 0, 3, 10}, {2.75, 1, 3, 0, 0},
  };
  for (const RoundCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << " at 1/" << c.denominator);
    expectRounding(c, FractionRounding::kNearestStep);
  }
}

TEST(FractionArithmetic, RoundsPositiveHalvesUpAndNegativeRestsTowardZero) {
  const RoundCase cases[] = {
      {3.99, 4, 4, 0, 0},   {-3.99, 16, -3, -15, 16}, {-0.2, 4, 0, 0, 0},  {0.125, 4, 0, 1, 4},
      {-0.125, 4, 0, 0, 0}, {-0.5, 16, 0, -1, 2},     {2.90, 16, 2, 7, 8}, {-0.99, 4, 0, -3, 4},
  };
  for (const RoundCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << " at 1/" << c.denominator);
    expectRounding(c, FractionRounding::kPositiveHalfUp);
  }
}

TEST(FractionArithmetic, RoundsEveryStepOfEveryDenominatorBackToItself) {
  // Oracle: k/n plus or minus a quarter step rounds to k/n, reduced; a step at or
  // above a whole carries. Checked for denominators up to 1,024 and beyond 10,000.
  for (int n : {1, 2, 3, 4, 7, 8, 16, 32, 64, 100, 128, 1024, 16384, 1 << 30}) {
    const int stride = n > 2048 ? n / 512 : 1;
    for (long long k = -3LL * n; k <= 3LL * n; k += stride) {
      for (double nudge : {-0.25, 0.0, 0.25}) {
        const double x = (static_cast<double>(k) + nudge) / n;
        if (x == 0.0) continue;
        RoundedFraction r;
        ASSERT_TRUE(pelunits::roundToFraction(x, n, FractionRounding::kNearestStep, r));
        const double shown =
            r.whole + (r.denominator != 0 ? static_cast<double>(r.numerator) / r.denominator : 0.0);
        ASSERT_NEAR(shown, static_cast<double>(k) / n, 1e-12) << x << " at 1/" << n;
        if (r.numerator != 0) {
          ASSERT_EQ(pelunits::greatestCommonDivisor(r.numerator, r.denominator), 1);
          ASSERT_LT(std::abs(r.numerator), r.denominator);
        }
      }
    }
  }
}

TEST(FractionArithmetic, RefusesValuesWhoseWholePartDoesNotFitAnInt) {
  RoundedFraction r;
  const double refused[] = {NAN, INFINITY, -INFINITY, 2147483647.0, -2147483648.5, 1e300};
  for (double x : refused) {
    EXPECT_FALSE(pelunits::roundToFraction(x, 16, FractionRounding::kNearestStep, r)) << x;
    EXPECT_EQ(r.whole, 0);
    EXPECT_FALSE(r.hasFraction());
  }
  // The carry of the largest accepted whole part still fits.
  ASSERT_TRUE(pelunits::roundToFraction(2147483646.99, 4, FractionRounding::kNearestStep, r));
  EXPECT_EQ(r.whole, INT_MAX);
  // Denominators below 1 (out of reach of setPrecision) round to whole units.
  ASSERT_TRUE(pelunits::roundToFraction(2.6, INT_MIN, FractionRounding::kNearestStep, r));
  EXPECT_EQ(r.whole, 3);
  EXPECT_FALSE(r.hasFraction());
}

TEST(FractionArithmetic, WritesTheFractionMarkupFieldsInOrder) {
  const struct {
    int representation, line;
    bool stacked;
    double parameter;
    int numerator, denominator;
    const char* text;
  } cases[] = {
      {1, 0, true, 0.8, 3, 4, "#fraction(1,0,1,0.800000,3,4)"},
      {2, 1, false, 1.0, -1, 2, "#fraction(2,1,0,1.000000,-1,2)"},
      {-7, 99, false, -0.0000004, 15, 16, "#fraction(-7,99,0,-0.000000,15,16)"},
      {0, 0, false, NAN, 1, 2, "#fraction(0,0,0,nan,1,2)"},
  };
  for (const auto& c : cases) {
    pelunits::DisplayText markup;
    markup += L'x';
    pelunits::appendFractionMarkup(
        markup, static_cast<KovUnitTransform::eFractionRepresentation>(c.representation),
        static_cast<KovUnitTransform::eFractionLineArrangement>(c.line), c.stacked, c.parameter,
        c.numerator, c.denominator);
    const KovString text = markup.finish();
    std::string narrow;
    for (int i = 0; i < text.length(); ++i) narrow += static_cast<char>(text[i]);
    EXPECT_EQ(narrow, std::string("x") + c.text);
  }
}

TEST(FractionArithmetic, StackTextWritesWhatKovStringAppends) {
  // Each row's pieces go to both, enough of them to pass the stack capacity.
  const struct {
    long long integer;
    double number;
    int decimals;
  } cases[] = {{0, 1.0, 6},    {7, -0.0, 2},   {42, 0.125, 3},      {99, 1e30, 6},
               {100, -2.5, 0}, {-1, 1e300, 2}, {LLONG_MIN, NAN, 2}, {LLONG_MAX, -INFINITY, 1}};
  for (const int repeats : {1, 4}) {
    pelunits::DisplayText text;
    KovString plain;
    for (int r = 0; r < repeats; ++r) {
      for (const auto& c : cases) {
        text.appendInt(c.integer);
        plain.appendInt(c.integer);
        text += L'\'';
        plain += L'\'';
        text.appendFixed(c.number, c.decimals);
        plain.appendFixed(c.number, c.decimals);
        text.append(L"#x", 2);
        plain.append(L"#x", 2);
      }
    }
    EXPECT_TRUE(text.finish() == plain) << repeats;
  }
}

TEST(FractionArithmetic, DoublesTheDenominatorWithoutLeavingTheIntRange) {
  // Saturation: the last doubling that fits an int stays (2^30 from 4, 3 x 2^29 from 3).
  const struct {
    int start, afterManyDoublings;
  } cases[] = {{4, 1 << 30}, {3, 3 << 29}, {1, 1 << 30}, {INT_MAX, INT_MAX}};
  for (const auto& c : cases) {
    int d = c.start;
    for (int i = 0; i < 40; ++i) pelunits::doubleDenominator(d);
    EXPECT_EQ(d, c.afterManyDoublings) << c.start;
    EXPECT_EQ(pelunits::doubleDenominator(d), 0) << "a saturated step changes nothing";
  }
  int d = 4;
  EXPECT_EQ(pelunits::doubleDenominator(d), 1);
  EXPECT_EQ(d, 8);
  d = -3;
  EXPECT_EQ(pelunits::doubleDenominator(d), 1);
  EXPECT_EQ(d, 1);
  EXPECT_EQ(pelunits::denominatorFromPrecision(0), 1);
  EXPECT_EQ(pelunits::denominatorFromPrecision(INT_MIN), 1);
  EXPECT_EQ(pelunits::denominatorFromPrecision(50000), 50000);
}
