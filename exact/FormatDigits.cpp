#include "FormatDigits.h"

#include <cmath>

namespace pelunits {
namespace exact {

namespace {

constexpr double kTwo53 = 9007199254740992.0;
// The exponents the short form writes in its own buffer.
constexpr int kMostShortExponent = 22;

// Appends the `length` digits at `digits` (no leading zeros but a lone "0") with the
// decimal point that 10^exponent10 puts in them.
void appendPlaced(KovString& text, const wchar_t* digits, int length, int exponent10) {
  const bool zero = length == 1 && digits[0] == L'0';
  if (exponent10 >= 0) {
    text.append(digits, length);
    if (!zero) {
      for (int i = 0; i < exponent10; ++i) text += L'0';
    }
    return;
  }
  const int decimals = -exponent10;
  if (length <= decimals) {
    text += L'0';
    text += L'.';
    for (int i = length; i < decimals; ++i) text += L'0';
    text.append(digits, length);
    return;
  }
  text.append(digits, length - decimals);
  text += L'.';
  text.append(digits + length - decimals, decimals);
}

}  // namespace

void appendMultiple(KovString& text, double count, std::uint64_t units, int exponent10) {
  if (!appendShortMultiple(text, count, units, exponent10)) {
    appendMultipleByDigits(text, count, units, exponent10);
  }
}

bool appendShortMultiple(KovString& text, double count, std::uint64_t units, int exponent10) {
  const double magnitude = std::fabs(count);
  if (!(magnitude < kTwo53) || exponent10 > kMostShortExponent ||
      exponent10 < -kMostShortExponent) {
    return false;
  }
  const auto n = static_cast<std::uint64_t>(magnitude);
  // Two factors below 2^32 never overflow, and spare the division.
  if (((n | units) >> 32) != 0 && n != 0 && units > UINT64_MAX / n) return false;
  std::uint64_t product = n * units;
  // The text right-aligned in `out`: trailing zeros, then the digits from the last, with
  // the point after `decimals` of them and zeros up to it when the product has fewer.
  constexpr int kRoom = 20 + kMostShortExponent + 2;
  wchar_t out[kRoom];
  int first = kRoom;
  if (product != 0) {
    for (int i = 0; i < exponent10; ++i) out[--first] = L'0';
  }
  const int decimals = exponent10 < 0 ? -exponent10 : 0;
  for (int i = 0; i < decimals; ++i) {
    out[--first] = static_cast<wchar_t>(L'0' + product % 10);
    product /= 10;
  }
  if (decimals > 0) out[--first] = L'.';
  // The whole digits two at a time: half the divisions.
  while (product >= 100) {
    const auto pair = static_cast<unsigned>(product % 100);
    product /= 100;
    out[--first] = static_cast<wchar_t>(L'0' + pair % 10);
    out[--first] = static_cast<wchar_t>(L'0' + pair / 10);
  }
  if (product >= 10) {
    out[--first] = static_cast<wchar_t>(L'0' + product % 10);
    product /= 10;
  }
  out[--first] = static_cast<wchar_t>(L'0' + product);
  text.append(out + first, kRoom - first);
  return true;
}

void appendMultipleByDigits(KovString& text, double count, std::uint64_t units, int exponent10) {
  // The digits of the count, exact as appendFixed writes them (309 at most), then the
  // product by `units` from the last digit on, right-aligned in the buffer.
  KovString whole;
  whole.appendFixed(std::fabs(count), 0);
  constexpr int kRoom = 360;
  wchar_t digits[kRoom];
  int first = kRoom;
  std::uint64_t carry = 0;
  for (int i = whole.length() - 1; i >= 0 && first > 0; --i) {
    const std::uint64_t product = static_cast<std::uint64_t>(whole[i] - L'0') * units + carry;
    digits[--first] = static_cast<wchar_t>(L'0' + product % 10);
    carry = product / 10;
  }
  for (; carry != 0 && first > 0; carry /= 10) {
    digits[--first] = static_cast<wchar_t>(L'0' + carry % 10);
  }
  while (first < kRoom - 1 && digits[first] == L'0') ++first;
  appendPlaced(text, digits + first, kRoom - first, exponent10);
}

}  // namespace exact
}  // namespace pelunits
