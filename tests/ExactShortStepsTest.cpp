// The exact reader's short steps must answer, bit for bit, as the general steps
// they stand in front of: the short number scan as scanNumber, the mark step as the
// table search of the unit words.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "KovString.h"
#include "PelUnitsRead.h"
#include "TestText.h"
#include "exact/NumberReading.h"
#include "exact/UnitWords.h"

namespace {

using pelunits::exact::NumberStyle;
using pelunits::exact::ScannedNumber;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

const NumberStyle kStyles[] = {
    {L'.', 0, 0},      // neutral
    {L',', L'.', 3},   // de_DE
    {L',', L' ', 3},   // fr_FR: every blank groups
    {L'.', L'\'', 3},  // de_CH
    {L'.', L',', 3},   // en_US
};

std::string describe(const std::wstring& text, std::size_t at, const NumberStyle& style) {
  return narrow(KovString(text.c_str())) + " at " + std::to_string(at) + ", decimal " +
         narrow(KovString(std::wstring(1, style.decimal).c_str()));
}

// A text of 1 to `longest` characters drawn from `alphabet` (a literal).
template <std::size_t N>
std::wstring randomText(std::mt19937_64& random, const wchar_t (&alphabet)[N], int longest) {
  std::wstring text;
  const int length = 1 + static_cast<int>(random() % static_cast<unsigned>(longest));
  for (int k = 0; k < length; ++k) text += alphabet[random() % (N - 1)];
  return text;
}

// Returns whether the short scan read the number.
bool expectShortScanAsGeneral(const std::wstring& text, std::size_t at, const NumberStyle& style) {
  ScannedNumber quick;
  if (!pelunits::exact::scanShortNumber(text.data(), text.size(), at, style, quick)) return false;
  const ScannedNumber full = pelunits::exact::scanNumber(text.data(), text.size(), at, style);
  EXPECT_EQ(static_cast<int>(quick.scan), static_cast<int>(full.scan)) << describe(text, at, style);
  EXPECT_TRUE(sameBits(quick.value, full.value))
      << describe(text, at, style) << ": " << quick.value << " against " << full.value;
  EXPECT_EQ(quick.end, full.end) << describe(text, at, style);
  EXPECT_EQ(quick.integer, full.integer) << describe(text, at, style);
  EXPECT_STREQ(quick.message, full.message) << describe(text, at, style);
  return true;
}

TEST(ExactShortSteps, ShortNumberScanAnswersAsTheGeneralScanOnEdges) {
  struct Edge {
    const wchar_t* text;
    bool shortScan;  // whether the short scan reads it under the neutral form
  };
  const Edge edges[] = {
      {L"123456789012345", true},    // 15 digits
      {L"1234567890123456", false},  // 16 digits: the general scan
      {L"12345678.9012345", true},
      {L"0.000000000000001", false},  // 16 digits counting the zeros
      {L"5.", true},
      {L".5", true},
      {L".", false},
      {L"1.5e3", false},  // an exponent
      {L"1,5", false},    // the other separator
      {L"1.2.3", false},
      {L"10\u00B030'", true},
      {L"5 lb", true},
      {L"007", true},
  };
  for (const Edge& e : edges) {
    EXPECT_EQ(expectShortScanAsGeneral(e.text, 0, kStyles[0]), e.shortScan)
        << narrow(KovString(e.text));
  }
}

TEST(ExactShortSteps, ShortNumberScanAnswersAsTheGeneralScanOnGeneratedTexts) {
  static const wchar_t kAlphabet[] = L"0123456789012345678901234567890123456789..,,' eE-/x\u00B0";
  std::mt19937_64 random(17);
  int shortReads = 0;
  for (int n = 0; n < 200000; ++n) {
    const std::wstring text = randomText(random, kAlphabet, 24);
    const std::size_t at = random() % text.size();
    const NumberStyle& style = kStyles[random() % (sizeof kStyles / sizeof kStyles[0])];
    if (expectShortScanAsGeneral(text, at, style)) ++shortReads;
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(shortReads, 20000);  // the short scan was exercised, not bypassed
}

using pelunits::Quantity;
using pelunits::exact::UnitWord;
using pelunits::exact::WordMatch;

TEST(ExactShortSteps, MarkStepFindsTheWordTheTableSearchFinds) {
  static const wchar_t kAlphabet[] = L"''''\"\"\u00B0\u00B0 mftinkgNlbozd2-x";
  static const wchar_t* const kSymbols[] = {L"", L"\u00B0", L"'x", L"mm", L"\"", L"''"};
  const Quantity fields[] = {Quantity::length, Quantity::angle,  Quantity::weight,
                             Quantity::force,  Quantity::moment, Quantity::stress};
  std::mt19937_64 random(23);
  int marks = 0;
  for (int n = 0; n < 200000; ++n) {
    const std::wstring text = randomText(random, kAlphabet, 6);
    const std::size_t at = random() % text.size();
    const Quantity field = fields[random() % 6];
    const wchar_t* symbol = kSymbols[random() % (sizeof kSymbols / sizeof kSymbols[0])];
    const std::size_t symbolLength = std::wcslen(symbol);
    UnitWord quick;
    UnitWord table;
    bool quickOwn = true;
    bool tableOwn = true;
    const pelunits::exact::WordField words{field, symbol, symbolLength, random() % 2 == 0};
    const WordMatch a =
        pelunits::exact::matchUnitWord(text.data(), text.size(), at, words, quick, quickOwn);
    const WordMatch b =
        pelunits::exact::matchUnitWordInTable(text.data(), text.size(), at, words, table, tableOwn);
    const std::string where = narrow(KovString(text.c_str())) + " at " + std::to_string(at) +
                              ", field " + std::to_string(static_cast<int>(field)) + ", symbol " +
                              narrow(KovString(symbol));
    ASSERT_EQ(static_cast<int>(a), static_cast<int>(b)) << where;
    ASSERT_EQ(quickOwn, tableOwn) << where;
    ASSERT_EQ(static_cast<int>(quick.quantity), static_cast<int>(table.quantity)) << where;
    ASSERT_EQ(quick.power, table.power) << where;
    ASSERT_EQ(quick.markPower, table.markPower) << where;
    ASSERT_TRUE(sameBits(quick.size, table.size)) << where;
    ASSERT_EQ(quick.chain, table.chain) << where;
    ASSERT_EQ(quick.rank, table.rank) << where;
    ASSERT_EQ(quick.end, table.end) << where;
    const wchar_t c = text[at];
    if (a == WordMatch::found && !quickOwn && (c == L'\'' || c == L'"' || c == L'\u00B0')) ++marks;
  }
  EXPECT_GT(marks, 20000);  // the mark step answered often
}

}  // namespace
