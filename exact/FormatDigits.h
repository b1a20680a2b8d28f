#pragma once

#include <cmath>
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

// The counts the short form takes are below 2^53.
constexpr double kTwo53 = 9007199254740992.0;
// The exponents it takes, and the characters it writes at most: 20 digits, 22 zeros and
// the point, or a "0." before them.
constexpr int kMostShortExponent = 22;
constexpr int kShortMultipleRoom = 20 + kMostShortExponent + 2;

// The digits of 0 to 99 in pairs, "00" to "99": a pair is written without the division
// of a pair into its digits.
inline constexpr wchar_t kDigitPairs[] =
    L"0001020304050607080910111213141516171819"
    L"2021222324252627282930313233343536373839"
    L"4041424344454647484950515253545556575859"
    L"6061626364656667686970717273747576777879"
    L"8081828384858687888990919293949596979899";

// The short form's text written right-aligned before `end`, in a buffer that holds
// kShortMultipleRoom characters before it: its first character, or null when the short
// form declines, writing nothing. Inline, for the route that writes a whole decimal text
// in one buffer.
inline wchar_t* writeShortMultiple(wchar_t* end, double count, std::uint64_t units,
                                   int exponent10) noexcept {
  const double magnitude = std::fabs(count);
  if (!(magnitude < kTwo53) || exponent10 > kMostShortExponent ||
      exponent10 < -kMostShortExponent) {
    return nullptr;
  }
  const auto n = static_cast<std::uint64_t>(magnitude);
  // Two factors below 2^32 never overflow, and spare the division.
  if (((n | units) >> 32) != 0 && n != 0 && units > UINT64_MAX / n) return nullptr;
  std::uint64_t product = n * units;
  // Trailing zeros, then the digits from the last, with the point after `decimals` of
  // them and zeros up to it when the product has fewer.
  wchar_t* first = end;
  if (product != 0) {
    for (int i = 0; i < exponent10; ++i) *--first = L'0';
  }
  const int decimals = exponent10 < 0 ? -exponent10 : 0;
  for (int i = 0; i < decimals; ++i) {
    *--first = static_cast<wchar_t>(L'0' + product % 10);
    product /= 10;
  }
  if (decimals > 0) *--first = L'.';
  // The whole digits two at a time: half the divisions.
  while (product >= 100) {
    const auto pair = static_cast<unsigned>(product % 100);
    product /= 100;
    first -= 2;
    first[0] = kDigitPairs[2 * pair];
    first[1] = kDigitPairs[2 * pair + 1];
  }
  if (product >= 10) {
    *--first = static_cast<wchar_t>(L'0' + product % 10);
    product /= 10;
  }
  *--first = static_cast<wchar_t>(L'0' + product);
  return first;
}

}  // namespace exact
}  // namespace pelunits
