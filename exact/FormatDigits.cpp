#include "FormatDigits.h"

#include <cmath>

namespace pelunits {
namespace exact {

namespace {

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
  wchar_t out[kShortMultipleRoom];
  const wchar_t* first = writeShortMultiple(out + kShortMultipleRoom, count, units, exponent10);
  if (first == nullptr) return false;
  text.append(first, static_cast<int>(out + kShortMultipleRoom - first));
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
