// The exact reader's short steps must answer, bit for bit, as the general steps
// they stand in front of: the mark step as the table search of the unit words, the
// short-text step as the grammar.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "KovString.h"
#include "PelUnitsRead.h"
#include "TestText.h"
#include "exact/FieldOfUnit.h"
#include "exact/NumberReading.h"
#include "exact/QuantityGrammar.h"
#include "exact/ShortText.h"
#include "exact/TypedText.h"
#include "exact/UnitWords.h"

namespace {

using pelunits::exact::NumberStyle;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

const NumberStyle kStyles[] = {
    {L'.', 0, 0},      // neutral
    {L',', L'.', 3},   // de_DE
    {L',', L' ', 3},   // fr_FR: every blank groups
    {L'.', L'\'', 3},  // de_CH
    {L'.', L',', 3},   // en_US
};

// A text of 1 to `longest` characters drawn from `alphabet` (a literal).
template <std::size_t N>
std::wstring randomText(std::mt19937_64& random, const wchar_t (&alphabet)[N], int longest) {
  std::wstring text;
  const int length = 1 + static_cast<int>(random() % static_cast<unsigned>(longest));
  for (int k = 0; k < length; ++k) text += alphabet[random() % (N - 1)];
  return text;
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

// Texts of the short-text step's own forms and of their near misses, in fields of
// every chain, with the unit's own symbol and the regional forms.
TEST(ExactShortSteps, ShortTextStepReadsAsTheGrammar) {
  static const wchar_t* const kTokens[] = {
      L"0",  L"5",      L"12",     L"104", L"007",    L"15.25",  L"3.",  L".5",     L"1e3",
      L"/",  L"/16",    L"/0",     L" ",   L"  ",     L"'",      L"''",  L"\"",     L"\u00B0",
      L"lb", L"lbs",    L"oz",     L"lbf", L"-",      L"+",      L"x",   L"\u00BD", L"\u2032",
      L"e",  L"\u00A0", L"\u2212", L"(",   L"999999", L"999999", L"1/2", L"12/16",  L"123456789012",
      L"~",  L"\u00B1"};
  static const wchar_t* const kSymbols[] = {L"", L"", L"\u00B0", L"'", L"\"", L"lb", L"mm"};
  struct Recipe {
    int units, representation, power;
    double factor;
  };
  const Recipe recipes[] = {{20, 1, 0, 0},      {20, 5, 0, 1000.0}, {20, 1, 2, 0},
                            {2000, 2008, 0, 0}, {2000, 2007, 0, 0}, {2000, 2005, 0, 0},
                            {1010, 0, 0, 0},    {1009, 0, 0, 1000}, {3101, 0, 0, -1.0}};
  std::vector<pelunits::UnitPtr> units;
  for (const Recipe& r : recipes) {
    units.push_back(newUnit(r.units, r.representation, r.power));
    if (r.factor != 0.0) units.back()->setFactor(r.factor);
  }
  std::mt19937_64 random(29);
  int shortReads = 0;
  for (int n = 0; n < 300000; ++n) {
    std::wstring text;
    const int tokens = 1 + static_cast<int>(random() % 8);
    for (int k = 0; k < tokens; ++k) text += kTokens[random() % std::size(kTokens)];
    const KovUnitTransform& unit = *units[random() % units.size()];
    pelunits::exact::Field field = pelunits::exact::fieldOf(unit);
    double quick = 0.0;
    if (random() % 2 == 0) {
      // Before the field is made: the unit's own field.
      if (!pelunits::exact::readShortNeutralNumber(text.data(), text.size(), unit, quick)) continue;
    } else {
      if (random() % 4 == 0) field.style = kStyles[random() % std::size(kStyles)];
      field.symbol = kSymbols[random() % std::size(kSymbols)];
      field.symbolLength = std::wcslen(field.symbol);
      if (!pelunits::exact::readShortText(text.data(), text.size(), field, quick)) continue;
    }
    ++shortReads;
    const pelunits::exact::PlainText plain(text.data(), text.size());
    const pelunits::ReadResult full =
        pelunits::exact::readQuantity(plain.data(), plain.length(), field);
    const std::string where = narrow(KovString(text.c_str())) + " in field " +
                              std::to_string(static_cast<int>(field.quantity)) + ", symbol " +
                              narrow(KovString(field.symbol));
    ASSERT_EQ(full.status, pelunits::ReadStatus::complete) << where;
    ASSERT_TRUE(sameBits(quick, full.value)) << where << ": " << quick << " against " << full.value;
  }
  EXPECT_GT(shortReads, 15000);  // the step answered often, not only for plain numbers
}

}  // namespace
