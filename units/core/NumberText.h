#pragma once

#include <cmath>

#include "KovString.h"
#include "NumberFormatting.h"

// The steps that every display applies to the number texts it writes: the text of a
// non-finite value, the sign of a number that shows as zero, trailing zeros, powers
// of ten and remainders. One implementation each, shared by every unit family.
namespace pelunits {

// The display of a non-finite value, the same in every unit: "nan", "inf", "-inf".
KovString nonFiniteText(double value);

// True when a number text made by KovString::appendFixed reads back as exactly 0.
bool numberTextIsZero(const KovString& text);

// A number text made by KovString::appendFixed that reads back as 0 loses its
// leading '-' characters: negative zero shows as "0.00".
void dropNegativeZeroSign(KovString& text);

// Appends `number` written with `decimals` decimals, without the '-' of a number
// text that reads back as 0.
void appendNumber(KovString& text, double number, int decimals);

// True when the text holds `decimalSeparator`, or, when that is empty, '.' or ','.
bool holdsDecimalSeparator(const KovString& text, const KovString& decimalSeparator);

// When the text holds a decimal separator (as holdsDecimalSeparator decides),
// removes its trailing '0's and then its trailing '.' and ','.
void removeTrailingZeros(KovString& text, const KovString& decimalSeparator);

// A neutral number text ("-1234.50") in the regional form of `settings` with
// `decimals` decimals, in place; left as it is when the formatter refuses it.
void toRegionalNumber(KovString& text, const NumberSettings& settings, int decimals);

// 10 raised to n, the same double as std::pow(10.0, n).
double powerOfTen(int n) noexcept;

// std::fmod(x, 1.0), bit for bit: x - trunc(x) is exact for every finite x, and
// the sign of a zero result is that of x as fmod gives it.
inline double fractionalPart(double x) noexcept { return std::copysign(x - std::trunc(x), x); }

// std::fmod(x, y), bit for bit: a value already inside the period is its own
// remainder.
inline double remainderOf(double x, double y) noexcept {
  return std::fabs(x) < std::fabs(y) ? x : std::fmod(x, y);
}

}  // namespace pelunits
