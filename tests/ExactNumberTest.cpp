#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "exact/ExactNumber.h"

// The exact numbers' rounding against strtod, which rounds a decimal text to the
// nearest double: every path of the rounding (both parts below 2^53, below 2^64, and
// the long division beyond) meets decimals of every length.

namespace {

using pelunits::exact::ExactNumber;

TEST(ExactNumber, RoundsDecimalsAsStrtodDoes) {
#if defined(__SIZEOF_INT128__)
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 19);
    std::uint64_t mantissa = 1 + random() % 9;
    for (int d = 1; d < digits; ++d) mantissa = mantissa * 10 + random() % 10;
    const int exponent = static_cast<int>(random() % 60) - 38;
    const ExactNumber x = ExactNumber::decimal(mantissa, exponent);
    double got = 0.0;
    if (!x.nearestDouble(got)) {
      // Only a numerator past 128 bits is inexact.
      EXPECT_GT(exponent + digits, 38) << mantissa << "e" << exponent;
      continue;
    }
    const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
    ASSERT_EQ(got, std::strtod(text.c_str(), nullptr)) << text;
  }
#else
  GTEST_SKIP() << "no 128-bit integers: the reader keeps its double arithmetic";
#endif
}

// Sums and quotients whose exact value a decimal text writes.
TEST(ExactNumber, KeepsSumsAndQuotientsExact) {
  struct Case {
    ExactNumber a;
    ExactNumber b;
    char op;
    const char* exact;
  };
  const Case cases[] = {
      {ExactNumber::decimal(1, -1), ExactNumber::decimal(2, -1), '+', "0.3"},
      {ExactNumber::decimal(104, 0), ExactNumber::decimal(3048, -1), '*', "31699.2"},
      {ExactNumber::ofInteger(1), ExactNumber::ofInteger(3), '/', "0.333333333333333333333333"},
      {ExactNumber::decimal(4994967, -2), ExactNumber::ofInteger(10), '*', "499496.7"},
      {ExactNumber::decimal(5, -1), ExactNumber::decimal(7, -1), '-', "-0.2"},
  };
  for (const Case& c : cases) {
    ExactNumber x = c.a;
    ExactNumber b = c.b;
    if (c.op == '-') b.negate();
    if (c.op == '*')
      x.multiply(b);
    else if (c.op == '/')
      x.divide(b);
    else
      x.add(b);
#if defined(__SIZEOF_INT128__)
    double got = 0.0;
    ASSERT_TRUE(x.nearestDouble(got)) << c.exact;
    EXPECT_EQ(got, std::strtod(c.exact, nullptr)) << c.exact;
#endif
  }
}

}  // namespace
