#pragma once

// The decimal digits of an integer written into a caller's buffer: the one digit
// writer of KovString::appendInt and of the displays' stack texts.
namespace pelunits {

// Room for any long long: 19 digits and a sign.
constexpr int kIntegerTextLength = 20;

// Writes value in decimal, with a '-' when negative, so that it ends just before
// `end`; returns where it begins (at most kIntegerTextLength characters earlier).
inline wchar_t* writeInteger(long long value, wchar_t* end) noexcept {
  wchar_t* p = end;
  // The magnitude in unsigned arithmetic, so that LLONG_MIN has one too.
  unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                           : static_cast<unsigned long long>(value);
  do {
    *--p = static_cast<wchar_t>(L'0' + static_cast<int>(magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = L'-';
  return p;
}

}  // namespace pelunits
