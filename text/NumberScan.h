#pragma once

// The library's own number readers. They replace the C runtime's wcstod, _wtof,
// _wtol and the "%lf", "%d" and "%ld" conversions of swscanf, whose behaviour
// differs between runtimes and follows whatever locale the host has set.
// Both are locale-independent and never allocate for numbers under 128 characters.

#include <cstddef>
#include <cstdint>

#include "PowersOfTen.h"

namespace pelunits {

struct ScannedDouble {
  double value = 0.0;  // 0.0 when nothing was read
  int consumed = 0;    // characters read, leading blanks included; 0: no number
};

struct ScannedInteger {
  long long value = 0;  // saturated at the range of long long
  int consumed = 0;     // 0: no number
};

// Reads the longest prefix that strtod would read in the "C" locale: leading
// blanks (' ', '\t', '\n', '\v', '\f', '\r'), an optional sign, then a decimal
// number with optional exponent, a hexadecimal number ("0x1.8p3"), "inf",
// "infinity" or "nan" with an optional "(chars)" tail, case-insensitively.
// Overflow gives +-inf and underflow +-0, as strtod does.
ScannedDouble scanDouble(const wchar_t* text, int length) noexcept;

// Reads leading blanks, an optional sign and decimal digits.
ScannedInteger scanInteger(const wchar_t* text, int length) noexcept;

// What "%lf" / "%d" of swscanf answers: 1 when a number converts, 0 when none does
// (an empty or all-blank text included).
inline int scansAsDouble(const wchar_t* text, int length) noexcept {
  return scanDouble(text, length).consumed > 0 ? 1 : 0;
}
inline int scansAsInteger(const wchar_t* text, int length) noexcept {
  return scanInteger(text, length).consumed > 0 ? 1 : 0;
}

// A plain decimal number: digits with at most one `point` among them. Its digits as
// one whole number stay below 2^53 and it has at most 22 decimals, so that the
// mantissa and the power of ten are exact doubles and value(), one correctly rounded
// division, is what strtod reads from the same digits.
struct PlainDecimal {
  std::uint64_t mantissa = 0;
  int decimals = 0;     // digits after the point
  bool point = false;   // the point was read, digits after it or not
  std::size_t end = 0;  // after the last character read
  double value() const noexcept {
    return static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
  }
};

// True when the `length` characters are one or more ASCII digits with at most one
// '.' among them: no sign, no blank, no exponent.
bool isUnsignedDecimal(const wchar_t* text, int length) noexcept;

inline bool isAsciiDigit(wchar_t c) noexcept { return c >= L'0' && c <= L'9'; }
inline bool isBlank(wchar_t c) noexcept {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

// Reads the plain decimal number at `at`. False when no digit stands there or the
// number passes those limits; the caller then needs a general reader. Inline: both
// number scans start with it.
inline bool readPlainDecimal(const wchar_t* text, std::size_t length, std::size_t at, wchar_t point,
                             PlainDecimal& out) noexcept {
  constexpr std::uint64_t kExactLimit = 1ULL << 53;
  std::uint64_t mantissa = 0;
  int decimals = 0;
  std::size_t i = at;
  for (; i < length && isAsciiDigit(text[i]); ++i) {
    if (mantissa >= kExactLimit / 10) return false;
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - L'0');
  }
  const std::size_t integerDigits = i - at;
  const bool hasPoint = i < length && text[i] == point;
  if (hasPoint) {
    for (++i; i < length && isAsciiDigit(text[i]); ++i) {
      if (mantissa >= kExactLimit / 10 || decimals == kLargestExactPowerOfTen) return false;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - L'0');
      ++decimals;
    }
  }
  if (integerDigits == 0 && decimals == 0) return false;
  out.mantissa = mantissa;
  out.decimals = decimals;
  out.point = hasPoint;
  out.end = i;
  return true;
}

}  // namespace pelunits
