#pragma once

#include <climits>

#include "KovString.h"

// The pieces that the feet-inch, fractional and area displays put together: the
// precision of the units that keep a denominator, the fraction text, the separator
// between parts and the area suffix.
namespace pelunits {

// setPrecision of the fractional units: a denominator below 1 becomes 1.
inline int denominatorFromPrecision(int requested) noexcept {
  return requested < 1 ? 1 : requested;
}

// incrementPrecision of the fractional units: twice the denominator, and 1 when it
// changed. A doubling that would pass the int range leaves it where it is
// (saturation at the last doubling, 2^30 from 4), so repeated steps never overflow.
inline int doubleDenominator(int& denominator) noexcept {
  const int before = denominator;
  if (denominator < 1) {
    denominator = 1;
  } else if (denominator <= INT_MAX / 2) {
    denominator *= 2;
  }
  return denominator != before ? 1 : 0;
}

// Appends "numerator/denominator" to a KovString or a DisplayText.
template <class Text>
void appendFraction(Text& text, int numerator, int denominator) {
  text.appendInt(numerator);
  text += L'/';
  text.appendInt(denominator);
}

// The character between feet and inches, or between a whole number and its
// fraction: the blank when the caller asks for it, '-' for any other character.
inline wchar_t partSeparator(wchar_t requested) noexcept { return requested == L' ' ? L' ' : L'-'; }

// The suffix of an area display, " ²", and its length.
constexpr wchar_t kAreaSuffix[] = L" \u00B2";
constexpr int kAreaSuffixLength = 2;

template <class Text>
void appendAreaSuffix(Text& text) {
  text.append(kAreaSuffix, kAreaSuffixLength);
}

// The end of the typed stretch [begin, end) without an area suffix: a validator of
// an area drops the last two characters of a stretch longer than that, unseen.
inline int endWithoutAreaSuffix(int begin, int end) noexcept {
  return end - begin > kAreaSuffixLength ? end - kAreaSuffixLength : end;
}

}  // namespace pelunits
