#pragma once

#include "KovString.h"

// Stretches of a text, read in place: the readers and validators look at a part of
// the typed text without copying it.
namespace pelunits {

// The characters [begin, end) of a text.
struct TextRange {
  int begin = 0;
  int end = 0;
};

// The whole text without its leading and trailing blanks (as isBlank decides).
TextRange trimmedRange(const KovString& text) noexcept;

// The number at the start of [begin, end), leading blanks skipped, read as strtod
// reads it; 0 when there is none or the stretch is empty. The stretch is clamped
// to the text.
double numberIn(const KovString& text, int begin, int end) noexcept;

// True when [begin, end) starts with an integer ("%d") or with a real number
// ("%lf"), leading blanks skipped; false for an empty stretch.
bool startsWithInteger(const KovString& text, int begin, int end) noexcept;
bool startsWithReal(const KovString& text, int begin, int end) noexcept;

}  // namespace pelunits
