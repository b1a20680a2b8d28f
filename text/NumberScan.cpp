#include "NumberScan.h"

#include <fast_float/fast_float.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>
#include <vector>

namespace pelunits {
namespace {

bool isNumberChar(wchar_t c) noexcept {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
         c == L'.' || c == L'+' || c == L'-' || c == L'(' || c == L')' || c == L'_';
}

bool isHexDigit(char c) noexcept {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The decimal exponent after its mark ("+12", "-3", "7"), saturated far beyond any
// double's. Returns its end.
const char* readExponent(const char* p, const char* last, long long& exponent) noexcept {
  bool negative = false;
  if (p != last && (*p == '+' || *p == '-')) negative = *p++ == '-';
  exponent = 0;
  for (; p != last && *p >= '0' && *p <= '9'; ++p) {
    if (exponent < LLONG_MAX / 16) exponent = exponent * 10 + (*p - '0');
  }
  if (negative) exponent = -exponent;
  return p;
}

// A reader may report a number out of range without a value; strtod gives +-inf
// on overflow and 0 on underflow. Decide which from the position of the first
// significant digit plus the exponent (saturated), in the number's own base.
bool overflows(const char* first, const char* last, bool hex) noexcept {
  const char exponentMark = hex ? 'p' : 'e';
  long long magnitude = 0;  // position of the leading significant digit
  bool seenSignificant = false;
  bool afterPoint = false;
  long long leadingZerosAfterPoint = 0;
  long long integerDigits = 0;
  const char* p = first;
  for (; p != last; ++p) {
    char c = *p;
    if (c == '.') {
      afterPoint = true;
      continue;
    }
    if ((c | 0x20) == exponentMark) break;
    if (!(hex ? isHexDigit(c) : (c >= '0' && c <= '9'))) break;
    if (!seenSignificant && c == '0') {
      if (afterPoint) ++leadingZerosAfterPoint;
      continue;
    }
    seenSignificant = true;
    if (!afterPoint && integerDigits < LLONG_MAX / 8) ++integerDigits;
  }
  if (!seenSignificant) return false;
  magnitude = integerDigits > 0 ? integerDigits - 1 : -(leadingZerosAfterPoint + 1);
  if (hex) magnitude = magnitude * 4;
  long long exponent = 0;
  if (p != last && (*p | 0x20) == exponentMark) readExponent(p + 1, last, exponent);
  return magnitude + exponent >= 0;
}

// Plain decimal numbers as typed ("12.345", "-0.5", "7.") take readPlainDecimal, which
// needs no copy into a narrow buffer and no general conversion. Returns the characters
// read from `start`, or 0 when the text needs the general reader (more digits, an
// exponent, a hexadecimal prefix, no digit at all). NumberScanTest and
// NumberFastPathTest compare it with strtod.
// Kept for bench row step/KovString::toDouble/metresText, which misses its target without it.
int scanPlainDecimal(const wchar_t* text, int start, int length, double& value) noexcept {
  PlainDecimal number;
  const auto end = static_cast<std::size_t>(length);
  if (!readPlainDecimal(text, end, static_cast<std::size_t>(start), L'.', number)) return 0;
  if (number.end < end) {
    const wchar_t next = text[number.end];
    if (next == L'e' || next == L'E' || next == L'x' || next == L'X') return 0;
  }
  value = number.value();
  return static_cast<int>(number.end) - start;
}

// strtod takes an exponent only when the mark is followed by an optional single
// sign and a digit; otherwise the number ends before the mark. The span handed to
// the readers is cut at a mark that starts no exponent, in both bases. Returns the
// new end of the span.
const char* endBeforeBadExponent(const char* first, const char* last, bool hex) noexcept {
  const char exponentMark = hex ? 'p' : 'e';
  const char* p = first;
  bool digits = false;
  for (; p != last; ++p) {
    if (hex ? isHexDigit(*p) : (*p >= '0' && *p <= '9')) {
      digits = true;
    } else if (*p != '.') {
      break;
    }
  }
  if (!digits || p == last || (*p | 0x20) != exponentMark) return last;
  const char* q = p + 1;
  if (q != last && (*q == '+' || *q == '-')) ++q;
  return q != last && *q >= '0' && *q <= '9' ? last : p;
}

int hexDigitValue(char c) noexcept {
  if (c >= '0' && c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}

constexpr int kMantissaBits = std::numeric_limits<std::uint64_t>::digits;
constexpr int kBitsPerHexDigit = 4;

// The digits of a hexadecimal number: the first 16 significant ones exactly, the rest
// only as a sticky bit.
struct HexMantissa {
  std::uint64_t digits = 0;
  bool sticky = false;
  long long scale = 0;  // the power of two the digits are worth
};

// The digits and point of a hexadecimal number from `first`; `digits` tells whether
// there was one. Returns the end of the digits.
const char* readHexMantissa(const char* first, const char* last, HexMantissa& mantissa,
                            bool& digits) noexcept {
  bool afterPoint = false;
  const char* p = first;
  for (; p != last; ++p) {
    if (*p == '.' && !afterPoint) {
      afterPoint = true;
      continue;
    }
    if (!isHexDigit(*p)) break;
    digits = true;
    const int digit = hexDigitValue(*p);
    if (mantissa.digits >> (kMantissaBits - kBitsPerHexDigit) == 0) {
      mantissa.digits = mantissa.digits << kBitsPerHexDigit | static_cast<std::uint64_t>(digit);
      if (afterPoint) mantissa.scale -= kBitsPerHexDigit;
    } else {
      mantissa.sticky = mantissa.sticky || digit != 0;
      if (!afterPoint && mantissa.scale < LLONG_MAX / 8) mantissa.scale += kBitsPerHexDigit;
    }
  }
  return p;
}

// The double nearest to the mantissa, ties to even: infinity above the largest, 0
// below half the smallest subnormal.
double nearestDouble(const HexMantissa& mantissa) noexcept {
  using limits = std::numeric_limits<double>;
  constexpr long long kLargestExponent = limits::max_exponent - 1;
  constexpr long long kSmallestNormalExponent = limits::min_exponent - 1;
  const std::uint64_t digits = mantissa.digits;
  if (digits == 0) return 0.0;
  int bits = kMantissaBits;
  while ((digits >> (bits - 1)) == 0) --bits;
  const long long top = mantissa.scale + bits - 1;  // the value lies in [2^top, 2^(top+1))
  if (top > kLargestExponent) return limits::infinity();
  // 53 bits for a normal result, fewer for a subnormal one.
  const long long keep = top >= kSmallestNormalExponent
                             ? limits::digits
                             : limits::digits - (kSmallestNormalExponent - top);
  if (keep < 0) return 0.0;
  const int shift = bits - static_cast<int>(keep);
  if (shift <= 0) return std::ldexp(static_cast<double>(digits), static_cast<int>(mantissa.scale));
  const std::uint64_t kept = shift == kMantissaBits ? 0 : digits >> shift;
  const bool half = (digits >> (shift - 1) & 1) != 0;
  const bool rest = mantissa.sticky || (digits & ((std::uint64_t{1} << (shift - 1)) - 1)) != 0;
  const std::uint64_t rounded = kept + (half && (rest || (kept & 1) != 0) ? 1 : 0);
  // ldexp is exact here, and gives infinity when rounding carries past the largest double.
  return std::ldexp(static_cast<double>(rounded), static_cast<int>(mantissa.scale + shift));
}

// Hexadecimal numbers after the "0x" ("1.8p3", "ff", ".1"), correctly rounded to
// nearest, ties to even, as strtod reads them (fast_float has no hexadecimal
// form). The first 16 significant digits are kept exactly and the rest only as a
// sticky bit, which is all the rounding of a 53-bit result needs. Returns the end
// of the number, or `first` when it has no digit.
const char* readHex(const char* first, const char* last, double& value) noexcept {
  HexMantissa mantissa;
  bool digits = false;
  const char* p = readHexMantissa(first, last, mantissa, digits);
  if (!digits) return first;
  if (p != last && (*p | 0x20) == 'p') {
    // The span ends before a mark that starts no exponent, so digits follow.
    long long exponent = 0;
    p = readExponent(p + 1, last, exponent);
    mantissa.scale += exponent;
  }
  value = nearestDouble(mantissa);
  return p;
}

// Where a number's digits start: after the leading blanks and an optional sign.
int afterBlanksAndSign(const wchar_t* text, int length, bool& negative) noexcept {
  int i = 0;
  while (i < length && isBlank(text[i])) ++i;
  negative = false;
  if (i < length && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  return i;
}
}  // namespace

ScannedDouble scanDouble(const wchar_t* text, int length) noexcept {
  ScannedDouble result;
  if (text == nullptr || length <= 0) return result;
  bool negative = false;
  int i = afterBlanksAndSign(text, length, negative);
  if (i >= length) return result;
  // A second sign never starts a number; fast_float would accept '-'.
  if (text[i] == L'+' || text[i] == L'-') return result;

  double plain = 0.0;
  const int plainLength = scanPlainDecimal(text, i, length, plain);
  if (plainLength > 0) {
    result.value = negative ? -plain : plain;
    result.consumed = i + plainLength;
    return result;
  }

  int end = i;
  while (end < length && isNumberChar(text[end])) ++end;
  const int span = end - i;
  if (span == 0) return result;

  char small[128];
  std::vector<char> large;
  char* buffer = small;
  if (span > static_cast<int>(sizeof small)) {
    try {
      large.resize(static_cast<std::size_t>(span));
    } catch (...) {
      return result;
    }
    buffer = large.data();
  }
  for (int k = 0; k < span; ++k) buffer[k] = static_cast<char>(text[i + k]);
  const char* first = buffer;
  const bool hex = span >= 2 && first[0] == '0' && (first[1] | 0x20) == 'x';
  const char* last = endBeforeBadExponent(hex ? first + 2 : first, buffer + span, hex);

  double value = 0.0;
  const char* stop = first;
  if (hex) {
    // strtod takes no sign after the prefix.
    const bool signAfterPrefix = last - first > 2 && (first[2] == '-' || first[2] == '+');
    stop = signAfterPrefix ? first : readHex(first + 2, last, value);
    if (stop == first || stop == first + 2) {
      // "0x" without hex digits: strtod reads the "0" alone.
      value = 0.0;
      stop = first + 1;
    }
  } else {
    const auto [ptr, ec] = fast_float::from_chars(first, last, value);
    if (ec == std::errc::invalid_argument) return result;
    stop = ptr;
    if (ec == std::errc::result_out_of_range) {
      value = overflows(first, ptr, false) ? std::numeric_limits<double>::infinity() : 0.0;
    }
  }
  result.value = negative ? -value : value;
  result.consumed = i + static_cast<int>(stop - first);
  return result;
}

bool isUnsignedDecimal(const wchar_t* text, int length) noexcept {
  int digits = 0;
  int points = 0;
  for (int i = 0; i < length; ++i) {
    if (isAsciiDigit(text[i])) {
      ++digits;
    } else if (text[i] == L'.' && points == 0) {
      ++points;
    } else {
      return false;
    }
  }
  return digits > 0;
}

ScannedInteger scanInteger(const wchar_t* text, int length) noexcept {
  ScannedInteger result;
  if (text == nullptr || length <= 0) return result;
  bool negative = false;
  int i = afterBlanksAndSign(text, length, negative);
  const int digitsStart = i;
  unsigned long long magnitude = 0;
  const unsigned long long limit = negative ? static_cast<unsigned long long>(LLONG_MAX) + 1ULL
                                            : static_cast<unsigned long long>(LLONG_MAX);
  for (; i < length && isAsciiDigit(text[i]); ++i) {
    const auto digit = static_cast<unsigned long long>(text[i] - L'0');
    if (magnitude > (limit - digit) / 10ULL) {
      magnitude = limit;
    } else {
      magnitude = magnitude * 10ULL + digit;
    }
  }
  if (i == digitsStart) return result;
  if (negative) {
    result.value = magnitude == static_cast<unsigned long long>(LLONG_MAX) + 1ULL
                       ? LLONG_MIN
                       : -static_cast<long long>(magnitude);
  } else {
    result.value = static_cast<long long>(magnitude);
  }
  result.consumed = i;
  return result;
}

}  // namespace pelunits
