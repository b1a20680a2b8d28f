#pragma once

#include <cstddef>

#include "ExactNumber.h"
#include "PelUnitsRead.h"

// The unit words and marks a typed quantity may carry, and their size in the
// library's internal units.
//
// Lengths: mm cm dm m km in " ft ' yd (and their spelled-out names), raised to a
// power by ² ³ ⁴, by a digit (m2) or by "sq"/"square"/"cu"/"cubic" in front; the
// marks ' and " count in the field's own power. Angles: ° d deg degree(s), gon
// grad g, rad r radian(s), and in an angle field ' and " for minutes and seconds.
// Weights: g gram(s) kg t tonne(s) lb lbs pound(s) oz ounce(s): the legal pound of
// 0.45359237 kg and its sixteenth, except in the pound-and-ounce field, whose pound and
// ounce are those its displays are written in (28.34952 g the ounce). Forces: N kN MN lbf
// kip(s) k kgf tf, and lb lbs in force, moment and stress fields. Moments: a force and
// a length either way round (N·m, kNm, kN*m, kip·ft, ft-kips, in-lb). Stresses: a
// force per square length (N/mm², kgf/cm²), Pa kPa MPa GPa bar psi ksi psf ksf. Words
// of three or more letters match in any case.
namespace pelunits {
namespace exact {

// UnitWord::chain of a word that stands alone, and UnitWord::rank of the smallest
// unit of a chain.
constexpr int kNoChain = 0;
constexpr int kSmallestRank = 1;

struct UnitWord {
  Quantity quantity = Quantity::length;
  int power = 1;           // lengths only: 1 to 4
  bool markPower = false;  // ' or ": counts in the field's power
  double size = 1.0;       // internal units (mm^power, degrees, g, kN, kN·m, N/mm²)
  ExactNumber exact;       // the same size, exactly
  int chain = kNoChain;    // else units that may follow each other
  int rank = 0;            // within a chain, larger first (ft before in)
  std::size_t end = 0;     // after the word
};

enum class WordMatch { found, none, incomplete };

// What a field tells the word matcher: its quantity (the marks ' and " are minutes and
// seconds in an angle field, feet and inches in any other), the unit's own symbol
// (matched first, giving `ownSymbol`; empty for none) and whether lb and oz are the
// pound-and-ounce unit's own.
struct WordField {
  Quantity quantity = Quantity::length;
  const wchar_t* symbol = L"";
  std::size_t symbolLength = 0;
  bool unitOunce = false;
};

// Matches the unit word at `at` of plain text in `field`; `incomplete` when the rest
// of the text is the start of a word.
WordMatch matchUnitWord(const wchar_t* text, std::size_t length, std::size_t at,
                        const WordField& field, UnitWord& word, bool& ownSymbol) noexcept;

// matchUnitWord with every word found through the table search, the marks too;
// the tests hold matchUnitWord's mark step to it.
WordMatch matchUnitWordInTable(const wchar_t* text, std::size_t length, std::size_t at,
                               const WordField& field, UnitWord& word, bool& ownSymbol) noexcept;

// The unit that a bare number after `word` stands for ("5'6": inches, "10°30":
// minutes, "2 lb 3": ounces); false when none follows it.
bool impliedNextUnit(const UnitWord& word, UnitWord& next) noexcept;

}  // namespace exact
}  // namespace pelunits
