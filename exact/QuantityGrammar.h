#pragma once

#include <cstddef>

#include "FieldOfUnit.h"
#include "PelUnitsRead.h"

// The grammar of typed quantities, read and evaluated in one pass over plain text
// (TypedText.h). See the README's "Typed text the exact reader accepts":
//
//   text      = [ "~" ] [ "±" ] sum [ "(" sum ")" ]   "~" inexact, "±" before zero only
//   sum       = term { ("+" | " - ") term }    a binary '-' has blanks on both sides
//   term      = signed { ("*" | "/") signed }  one side of '*', the right of '/' plain
//   signed    = [ ("-" | "+") [ blanks ] ] (compound | "(" sum ")")   32 levels at most
//
// Grouping parentheses stand where a quantity begins; the echo's follow a quantity
// with no operator between ("1 lb 8.00 oz (0.68 kg)"), so the two never meet.
//   compound  = "nan" | "inf" | "infinity"
//             | part { [ blanks | "-" after a foot mark ] part }   larger units first
//   part      = magnitude [ unit ]             the last part may omit the next unit
//   magnitude = number [ vulgar ] | number "/" integer
//             | integer (blanks | "-") fraction | vulgar
//
// A bare number (no unit) is in the field's display unit.
namespace pelunits {
namespace exact {

// offset + the value read, or offset - the value with `negate`, taken exactly before the
// one rounding: a direction placed on the host's circle (Bearing.h).
struct Placement {
  double offset = 0.0;  // a whole number of internal units
  bool negate = false;
};

// Reads the whole of `text` (plain, `length` characters) for `field`.
ReadResult readQuantity(const wchar_t* text, std::size_t length, const Field& field,
                        const Placement& placement = Placement()) noexcept;

}  // namespace exact
}  // namespace pelunits
