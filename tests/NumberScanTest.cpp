#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <random>
#include <string>

#include "KovString.h"
#include "NumberScan.h"
#include "TestText.h"
#include "TextRange.h"

#if defined(__GLIBC__)
#include <locale.h>
#endif

namespace {

#if defined(__GLIBC__)
std::wstring widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

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
  // The generated texts below cover the short mixtures; these are the rows a
  // random draw rarely makes: long exponents, subnormals, the edges of the range.
  const char* cases[] = {
      "",         " ",        "-0",         "\t\n-3",     "-.5",       ".",       "+-1",
      "1e+",      "1e-x",     "2.5e+10xyz", "1,5",        "0x1p4",     "0x1.8p1", "0x.8",
      "0x.p1",    "0xg",      "-0x10",      "infinity",   "Infinityx", "infin",   "-nan",
      "nan(123)", "nan(",     "nan()",      "nan(abc_9)", "1e400",     "-1e400",  "1e-400",
      "4.9e-324", "2.4e-324", "0e99999",    "0x1p-1080",  "0x1p1030",  "12 ²",    "3.14159r",
  };
  // A sign sequence after the exponent mark that starts no exponent ends the number
  // before the mark, in both bases.
  const char* exponentSigns[] = {"0x1p+-2", "0x1p-+2", "0x1p--2",   "0x1p++2",          "0x1p-",
                                 "1e+-2",   "1e-+2",   "0x1.8p+-1", "0x1aaaaaa15p+-222"};
  const char* longCases[] = {"1.7976931348623157e308", "1.7976931348623159e308",
                             "1e99999999999999999999", "1e-99999999999999999999",
                             "0.000000000000000000000000000000000000000000000001e-300"};
  // The library's own hexadecimal reader: halfway cases to even, a sticky digit far
  // beyond the 53 bits, more digits than 64 bits hold, subnormal rounding, and the carry
  // past the largest double.
  const char* hexRounding[] = {"0x1.00000000000008p0",
                               "0x1.00000000000018p0",
                               "0x1.000000000000080000000000000001p0",
                               "0x1.0000000000000fffffffffffffffffp0",
                               "0x123456789abcdef0123456789p-40",
                               "0x0.0000000000001p-1022",
                               "0x0.00000000000008p-1022",
                               "0x0.00000000000018p-1022",
                               "0x1.fffffffffffff8p1023",
                               "0x1.fffffffffffff7ffp1023",
                               "0x1p-1075",
                               "0x1.000001p-1075",
                               "0x00000000000000000000001p0",
                               "0x.0000000000000000000000001p100"};
  CLocaleStrtod oracle;
  for (const char* text : cases) expectSameAsStrtod(text, oracle);
  for (const char* text : exponentSigns) expectSameAsStrtod(text, oracle);
  for (const char* text : longCases) expectSameAsStrtod(text, oracle);
  for (const char* text : hexRounding) expectSameAsStrtod(text, oracle);
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

TEST(TextRange, TrimsAndReadsStretchesInPlaceClampedToTheText) {
  struct Case {
    const wchar_t* text;
    int begin;
    int end;
    int trimmedBegin;
    int trimmedEnd;
    double number;  // numberIn(begin, end)
    bool integer;   // startsWithInteger(begin, end)
    bool real;      // startsWithReal(begin, end)
  } cases[] = {
      {L"", 0, 0, 0, 0, 0.0, false, false},
      {L" \t ", 0, 3, 3, 3, 0.0, false, false},
      {L"  12.5 lb ", 0, 10, 2, 9, 12.5, true, true},
      {L"  12.5 lb ", 3, 6, 2, 9, 2.5, true, true},  // the stretch alone is read
      {L"1234", 1, 3, 0, 4, 23.0, true, true},       // the end cuts the number
      {L"7", -5, 99, 0, 1, 7.0, true, true},         // out-of-range bounds are clamped
      {L"7", 1, 0, 0, 1, 0.0, false, false},         // an empty stretch holds no number
      {L" .5\"", 0, 4, 1, 4, 0.5, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << '"' << narrow(c.text) << "\" [" << c.begin << ", " << c.end << ")");
    const KovString text(c.text);
    const pelunits::TextRange trimmed = pelunits::trimmedRange(text);
    EXPECT_EQ(trimmed.begin, c.trimmedBegin);
    EXPECT_EQ(trimmed.end, c.trimmedEnd);
    EXPECT_EQ(pelunits::numberIn(text, c.begin, c.end), c.number);
    EXPECT_EQ(pelunits::startsWithInteger(text, c.begin, c.end), c.integer);
    EXPECT_EQ(pelunits::startsWithReal(text, c.begin, c.end), c.real);
  }
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

// Texts with the values and lengths that strtod reads from them in the "C" locale,
// worked out by hand. The same table runs in every build, whatever C runtime the
// platform has (Windows runtimes read neither inf, nan nor hexadecimal numbers).
// ',' is never a decimal point, whatever the host's locale; other scripts' digits
// are no digits (U+0665 is an Arabic-Indic five).
struct PortableCase {
  const wchar_t* text;
  double value;
  int consumed;
};
const PortableCase kPortableCases[] = {
    {L"1234.50", 1234.5, 7},
    {L"  -12.5e2x", -1250.0, 9},
    {L"1,5", 1.0, 1},
    {L"+.25", 0.25, 4},
    {L"2.5E-3", 0.0025, 6},
    {L"0.1", 0.1, 3},
    {L"5'6\"", 5.0, 1},
    {L"1.5 lb", 1.5, 3},
    {L"0x1.8p1", 3.0, 7},
    {L"0x10", 16.0, 4},
    {L"1e400", HUGE_VAL, 5},
    {L"-1e400", -HUGE_VAL, 6},
    {L"1e-400", 0.0, 6},
    {L"inf", HUGE_VAL, 3},
    {L"-Infinity", -HUGE_VAL, 9},
    {L"nan", NAN, 3},
    {L"", 0.0, 0},
    {L"-", 0.0, 0},
    {L"abc", 0.0, 0},
    {L"\u0665", 0.0, 0},
    {L"\uFF11", 0.0, 0},  // a fullwidth one
};

void expectPortableTable() {
  for (const auto& c : kPortableCases) {
    SCOPED_TRACE(testing::Message() << "text \"" << c.text << '"');
    const int length = static_cast<int>(std::wcslen(c.text));
    const auto r = pelunits::scanDouble(c.text, length);
    EXPECT_EQ(r.consumed, c.consumed);
    EXPECT_EQ(pelunits::scansAsDouble(c.text, length), c.consumed > 0 ? 1 : 0);
    const double viaString = KovString(c.text).toDouble();
    if (std::isnan(c.value)) {
      EXPECT_TRUE(std::isnan(r.value));
      EXPECT_TRUE(std::isnan(viaString));
    } else {
      EXPECT_EQ(r.value, c.value);
      EXPECT_EQ(viaString, c.value);
    }
  }
}

TEST(ScanDouble, ReadsTheSameTableOnEveryPlatform) { expectPortableTable(); }

#if defined(_WIN32)
// The host may switch the C runtime to a locale with a decimal comma; the
// library's readers must not notice.
TEST(ScanDouble, IgnoresAGermanRuntimeLocaleOnWindows) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  // msvcrt knows the language name, the universal runtime also the locale name.
  int switched = 0;
  for (const char* name : {"German", "de-DE"}) {
    SCOPED_TRACE(name);
    if (std::setlocale(LC_ALL, name) == nullptr) continue;
    ++switched;
    ASSERT_EQ(std::wcstod(L"1,5", nullptr), 1.5) << "the runtime does not use the locale";
    expectPortableTable();
    EXPECT_EQ(KovString(L"-42,7").toLong(), -42);
  }
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_GT(switched, 0);
}
#endif

}  // namespace
