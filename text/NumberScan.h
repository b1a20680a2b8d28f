#pragma once

// The library's own number readers. They replace the C runtime's wcstod, _wtof,
// _wtol and the "%lf", "%d" and "%ld" conversions of swscanf, whose behaviour
// differs between runtimes and follows whatever locale the host has set.
// Both are locale-independent and never allocate for numbers under 128 characters.

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

// 10^0 to 10^22: the powers of ten that a double holds exactly.
constexpr int kLargestExactPowerOfTen = 22;
inline constexpr double kExactPowersOfTen[kLargestExactPowerOfTen + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// True when the `length` characters are one or more ASCII digits with at most one
// '.' among them: no sign, no blank, no exponent.
bool isUnsignedDecimal(const wchar_t* text, int length) noexcept;

inline bool isAsciiDigit(wchar_t c) noexcept { return c >= L'0' && c <= L'9'; }
inline bool isBlank(wchar_t c) noexcept {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

}  // namespace pelunits
