// The exact short paths of the number writer and reader must give, bit for bit
// and character for character, what the general paths give: std::to_chars for
// "%.*f", strtod in the "C" locale for reading.

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "KovString.h"
#include "NumberScan.h"
#include "units/core/NumberText.h"

#if defined(__GLIBC__)
#include <locale.h>
#endif

namespace {

// The tests never set a locale, so printf writes '.'.
std::wstring fixedOracle(double value, int decimals) {
  char buffer[2000];
#if defined(PELUNITS_HAVE_FLOAT_TO_CHARS)
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::wstring(buffer, result.ptr);
#else
  const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return std::wstring(buffer, buffer + length);
#endif
}

void expectFixedLikeToChars(double value, int decimals) {
  KovString text;
  text.appendFixed(value, decimals);
  ASSERT_EQ(std::wstring(text.getStringW()), fixedOracle(value, decimals))
      << value << " at " << decimals << " decimals";
}

TEST(AppendFixed, RoundsTiesToEvenAndKeepsTheSignOfZeroAsPrintfDoes) {
  struct Case {
    double value;
    int decimals;
    const wchar_t* text;
  } cases[] = {
      {0.125, 2, L"0.12"},  // an exact binary tie goes to the even digit
      {0.375, 2, L"0.38"},
      {2.5, 0, L"2"},
      {3.5, 0, L"4"},
      {0.5, 0, L"0"},
      {-0.0, 2, L"-0.00"},  // the displays drop this sign themselves
      {-0.001, 2, L"-0.00"},
      {1.005, 2, L"1.00"},  // 1.005 is stored a little below the tie
      {1234.5, 3, L"1234.500"},
      {-1689.1, 0, L"-1689"},
      {0.000000001, 9, L"0.000000001"},
      {18446744073709551615.0, 0, L"18446744073709551616"},  // 2^64: the general path
  };
  for (const Case& c : cases) {
    KovString text;
    text.appendFixed(c.value, c.decimals);
    EXPECT_EQ(std::wstring(text.getStringW()), c.text) << c.value << " at " << c.decimals;
  }
}

TEST(AppendFixed, WritesWhatToCharsWritesAcrossMagnitudesAndDecimals) {
  const double edges[] = {0.0,    DBL_MIN, DBL_TRUE_MIN, DBL_MAX, 1e22, 1e15,  9.5e18,
                          1.8e19, 4.5e14,  0.49999999,   0.5,     1.5,  1e-10, 5e-10};
  for (int decimals = 0; decimals <= 12; ++decimals) {
    for (const double edge : edges) {
      expectFixedLikeToChars(edge, decimals);
      expectFixedLikeToChars(-edge, decimals);
    }
  }
  std::mt19937_64 rng(2024);
  std::uniform_int_distribution<int> exponent(-40, 70);
  std::uniform_int_distribution<int> decimalsPick(0, 10);
  std::uniform_int_distribution<std::uint64_t> mantissa(0, (1ULL << 53) - 1);
  std::uniform_int_distribution<int> dyadicShift(0, 14);
  for (int n = 0; n < 300000; ++n) {
    const int decimals = decimalsPick(rng);
    // Half the values are dyadic fractions with short expansions, which land on ties.
    const double value =
        (n % 2 == 0) ? std::ldexp(static_cast<double>(mantissa(rng)), exponent(rng) - 53)
                     : std::ldexp(static_cast<double>(mantissa(rng) % 100000), -dyadicShift(rng));
    expectFixedLikeToChars(n % 3 == 0 ? -value : value, decimals);
  }
}

bool sameBits(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(SharedSteps, FractionalPartAndRemainderGiveFmodBitForBit) {
  const double magnitudes[] = {0.0,   0.25,    1.0,         3.0,    10.504166666666666,   359.99,
                               360.0, 370.25,  725.0,       1e-300, 9.007199254740993e15, 4.5e15,
                               1e300, DBL_MAX, DBL_TRUE_MIN};
  const double periods[] = {1.0, 360.0, 400.0, 6.283185307179586, -360.0, 1e-3, DBL_MAX};
  for (const double magnitude : magnitudes) {
    for (const double x : {magnitude, -magnitude}) {
      EXPECT_TRUE(sameBits(pelunits::fractionalPart(x), std::fmod(x, 1.0))) << x;
      for (const double y : periods) {
        EXPECT_TRUE(sameBits(pelunits::remainderOf(x, y), std::fmod(x, y))) << x << " mod " << y;
      }
    }
  }
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> spread(-1e6, 1e6);
  for (int n = 0; n < 100000; ++n) {
    const double x = spread(rng) / (1 + n % 1000);
    ASSERT_TRUE(sameBits(pelunits::fractionalPart(x), std::fmod(x, 1.0))) << x;
    ASSERT_TRUE(sameBits(pelunits::remainderOf(x, 360.0), std::fmod(x, 360.0))) << x;
  }
}

TEST(SharedSteps, PowerOfTenIsThePowOfTheRuntime) {
  for (int n = -30; n <= 30; ++n)
    EXPECT_TRUE(sameBits(pelunits::powerOfTen(n), std::pow(10.0, n))) << n;
}

TEST(SharedSteps, AppendNumberWritesTheNumberWithoutTheSignOfZero) {
  struct Case {
    const wchar_t* before;
    double number;
    int decimals;
    const wchar_t* text;
  } cases[] = {
      {L"10\u00B0", -0.0, 0, L"10\u00B00"},
      {L"", -0.004, 2, L"0.00"},
      {L"1 lb ", 3.265, 2, L"1 lb 3.27"},  // 3.265 is stored a little above the tie
      {L"", -12.5, 1, L"-12.5"},
      {L"x", -0.006, 2, L"x-0.01"},
  };
  for (const Case& c : cases) {
    KovString text(c.before);
    pelunits::appendNumber(text, c.number, c.decimals);
    EXPECT_EQ(std::wstring(text.getStringW()), c.text) << c.number;
  }
}

#if defined(__GLIBC__)
// Typed decimals up to 17 integer and 25 fraction digits, with the tails that units
// leave behind.
TEST(ScanDouble, ReadsTypedDecimalsExactlyAsStrtod) {
  locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  std::mt19937_64 rng(77);
  const char* tails[] = {"", "\"", "'", " lb", "e3", "x"};
  for (int n = 0; n < 200000; ++n) {
    std::string text = n % 4 == 0 ? "-" : "";
    const int whole = static_cast<int>(rng() % 18);
    for (int k = 0; k < whole; ++k) text += static_cast<char>('0' + rng() % 10);
    const int fraction = static_cast<int>(rng() % 27) - 1;  // -1: no point at all
    if (fraction >= 0) text += '.';
    for (int k = 0; k < fraction; ++k) text += static_cast<char>('0' + rng() % 10);
    text += tails[rng() % 6];
    char* end = nullptr;
    const double expected = strtod_l(text.c_str(), &end, cLocale);
    const std::wstring wide(text.begin(), text.end());
    const auto got = pelunits::scanDouble(wide.c_str(), static_cast<int>(wide.size()));
    ASSERT_EQ(got.consumed, static_cast<int>(end - text.c_str())) << text;
    ASSERT_EQ(std::memcmp(&got.value, &expected, sizeof expected), 0) << text;
  }
  freelocale(cLocale);
}
#endif

}  // namespace
