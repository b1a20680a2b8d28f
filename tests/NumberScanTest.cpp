#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <random>
#include <string>

#include "NumberScan.h"

#if defined(__GLIBC__)
#include <locale.h>
#endif

namespace {

std::wstring widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

#if defined(__GLIBC__)
// The oracle: glibc's strtod in the "C" locale, which the scanner must equal.
struct CLocaleStrtod {
  locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  ~CLocaleStrtod() { freelocale(c); }
  pelunits::ScannedDouble operator()(const std::string& s) const {
    char* end = nullptr;
    pelunits::ScannedDouble r;
    r.value = strtod_l(s.c_str(), &end, c);
    r.consumed = static_cast<int>(end - s.c_str());
    return r;
  }
};

void expectSameAsStrtod(const std::string& text, const CLocaleStrtod& oracle) {
  const auto expected = oracle(text);
  const std::wstring wide = widen(text);
  const auto got = pelunits::scanDouble(wide.c_str(), static_cast<int>(wide.size()));
  ASSERT_EQ(got.consumed, expected.consumed) << '"' << text << '"';
  if (std::isnan(expected.value)) {
    ASSERT_TRUE(std::isnan(got.value)) << text;
    ASSERT_EQ(std::signbit(got.value), std::signbit(expected.value)) << text;
  } else {
    ASSERT_EQ(std::memcmp(&got.value, &expected.value, sizeof(double)), 0)
        << '"' << text << "\" got " << got.value << " want " << expected.value;
  }
}

TEST(ScanDouble, ReadsExactlyWhatStrtodReadsInTheCLocale) {
  const char* cases[] = {
      "",
      " ",
      "0",
      "-0",
      "+0",
      "12",
      "12.5",
      "  7 ",
      "\t\n-3",
      ".5",
      "5.",
      "-.5",
      ".",
      "-",
      "+",
      "+-1",
      "-+1",
      "--1",
      "1e3",
      "1E-3",
      "1e",
      "1e+",
      "1e-x",
      "2.5e+10xyz",
      "12abc",
      "1,5",
      "1.2.3",
      "0x",
      "0x1",
      "0X1A",
      "0x1p4",
      "0x1.8p1",
      "0x.8",
      "0x.p1",
      "0xg",
      "-0x10",
      "inf",
      "-inf",
      "INF",
      "infinity",
      "Infinityx",
      "infin",
      "nan",
      "-nan",
      "NaN",
      "nan(123)",
      "nan(",
      "nan()",
      "nan(abc_9)",
      "1e400",
      "-1e400",
      "1e-400",
      "-1e-400",
      "4.9e-324",
      "2.4e-324",
      "1.7976931348623157e308",
      "1.7976931348623159e308",
      "0.000000000000000000000000000000000000000000000001e-300",
      "1e99999999999999999999",
      "1e-99999999999999999999",
      "0e99999",
      "00012",
      "0x1p-1080",
      "0x1p1030",
      "12 ²",
      "5'6\"",
      "1/2",
      "e5",
      "x1",
      "3.14159r",
      "1.5 lb",
  };
  CLocaleStrtod oracle;
  for (const char* text : cases) expectSameAsStrtod(text, oracle);
}

TEST(ScanDouble, AgreesWithStrtodOnManyGeneratedTexts) {
  const std::string alphabet = "0123456789..eE+-xXpPinfatyINF() a_'\"/,";
  std::mt19937 rng(12345);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> len(0, 14);
  CLocaleStrtod oracle;
  for (int n = 0; n < 200000; ++n) {
    std::string text;
    const int l = len(rng);
    for (int k = 0; k < l; ++k) text += alphabet[pick(rng)];
    expectSameAsStrtod(text, oracle);
  }
}

TEST(ScanDouble, IgnoresTheLocaleTheHostSet) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE.UTF-8";
  const auto r = pelunits::scanDouble(L"1234.50", 7);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(r.value, 1234.5);
  EXPECT_EQ(r.consumed, 7);
}
#endif

TEST(ScanDouble, LongTextsStayLinearAndBounded) {
  std::wstring digits(100000, L'1');
  auto r = pelunits::scanDouble(digits.c_str(), static_cast<int>(digits.size()));
  EXPECT_TRUE(std::isinf(r.value));
  EXPECT_EQ(r.consumed, 100000);
  std::wstring zeros = L"0." + std::wstring(100000, L'0') + L"1";
  r = pelunits::scanDouble(zeros.c_str(), static_cast<int>(zeros.size()));
  EXPECT_EQ(r.value, 0.0);
  EXPECT_EQ(r.consumed, static_cast<int>(zeros.size()));
}

TEST(ScanDouble, RefusesOtherScriptsDigits) {
  const wchar_t arabicIndicFive[] = {0x0665, 0};
  EXPECT_EQ(pelunits::scanDouble(arabicIndicFive, 1).consumed, 0);
  const wchar_t fullwidthOne[] = {0xFF11, 0};
  EXPECT_EQ(pelunits::scanDouble(fullwidthOne, 1).consumed, 0);
}

TEST(ScanInteger, ReadsSignedDecimalPrefixes) {
  struct Case {
    const wchar_t* text;
    long long value;
    int consumed;
  } cases[] = {
      {L"", 0, 0},
      {L"  ", 0, 0},
      {L"-", 0, 0},
      {L"+7", 7, 2},
      {L" -12x", -12, 4},
      {L"1.5", 1, 1},
      {L"0012", 12, 4},
      {L"--1", 0, 0},
      {L"x1", 0, 0},
      {L"99999999999999999999", LLONG_MAX, 20},
      {L"-99999999999999999999", LLONG_MIN, 21},
      {L"-9223372036854775808", LLONG_MIN, 20},
  };
  for (const auto& c : cases) {
    const auto r = pelunits::scanInteger(c.text, static_cast<int>(std::wcslen(c.text)));
    EXPECT_EQ(r.value, c.value) << c.text;
    EXPECT_EQ(r.consumed, c.consumed) << c.text;
  }
}

}  // namespace
