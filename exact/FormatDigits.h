#pragma once

#include <cstdint>

#include "KovString.h"

// The digits of format()'s decimal forms, written exactly: a multiple of a step never
// passes through a double, so 3 × 0.1 shows "0.3" and 10^20 steps of 5 show every digit.
namespace pelunits {
namespace exact {

// Appends |count| × units × 10^exponent10 in plain decimal digits, with a '.' and
// exactly -exponent10 decimals when exponent10 is negative ("0.005" for 5 × 10^-3,
// "12300" for 123 × 10^2). `count` is a whole finite double and units at most 10^15.
void appendMultiple(KovString& text, double count, std::uint64_t units, int exponent10);

// The two ways appendMultiple takes, for the tests that hold them equal. The general one
// multiplies the count's decimal digits by `units` one by one; the short one, for a count
// below 2^53 whose product with `units` fits 64 bits and an exponent from -22 to 22 (the
// common case, a display's number), multiplies once in integers, exactly, and writes the
// product's digits in one append. It returns false, writing nothing, otherwise.
void appendMultipleByDigits(KovString& text, double count, std::uint64_t units, int exponent10);
bool appendShortMultiple(KovString& text, double count, std::uint64_t units, int exponent10);

}  // namespace exact
}  // namespace pelunits
