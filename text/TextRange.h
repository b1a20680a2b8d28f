#pragma once

#include "KovString.h"
#include "NumberScan.h"

// Stretches of a text, read in place: the readers and validators look at a part of
// the typed text without copying it. Inline, as the scanner's character tests are:
// a validator calls them several times in every call.
namespace pelunits {

// The characters [begin, end) of a text.
struct TextRange {
  int begin = 0;
  int end = 0;
};

// [begin, end) clamped to the text; false when nothing is left.
inline bool clampToText(const KovString& text, int& begin, int& end) noexcept {
  if (begin < 0) begin = 0;
  if (end > text.length()) end = text.length();
  return end > begin;
}

// [begin, end) clamped to the text without its leading and trailing blanks.
inline TextRange trimmedRange(const KovString& text, int begin, int end) noexcept {
  if (!clampToText(text, begin, end)) return TextRange{begin, begin};
  const wchar_t* characters = text.getStringW();
  TextRange range{begin, end};
  while (range.begin < range.end && isBlank(characters[range.begin])) ++range.begin;
  while (range.end > range.begin && isBlank(characters[range.end - 1])) --range.end;
  return range;
}

// The whole text without its leading and trailing blanks.
inline TextRange trimmedRange(const KovString& text) noexcept {
  return trimmedRange(text, 0, text.length());
}

// The first position of `c` in [begin, end), or -1.
inline int findIn(const KovString& text, wchar_t c, int begin, int end) noexcept {
  if (!clampToText(text, begin, end)) return -1;
  const int found = text.find(c, begin);
  return found >= 0 && found < end ? found : -1;
}

// The integer at the start of [begin, end), leading blanks skipped, saturated at the
// 32-bit range as KovString::toLong gives it; 0 when there is none.
inline long integerIn(const KovString& text, int begin, int end) noexcept {
  if (!clampToText(text, begin, end)) return 0;
  const long long value = scanInteger(text.getStringW() + begin, end - begin).value;
  if (value > 2147483647LL) return 2147483647L;
  if (value < -2147483648LL) return -2147483647L - 1;
  return static_cast<long>(value);
}

// True when [begin, end) is a plain unsigned decimal number, as KovString::IsNumeric
// decides for a whole text.
inline bool numericIn(const KovString& text, int begin, int end) noexcept {
  return clampToText(text, begin, end) && isUnsignedDecimal(text.getStringW() + begin, end - begin);
}

// The number at the start of [begin, end), leading blanks skipped, read as strtod
// reads it; 0 when there is none or the stretch is empty. The stretch is clamped
// to the text.
inline double numberIn(const KovString& text, int begin, int end) noexcept {
  if (!clampToText(text, begin, end)) return 0.0;
  return scanDouble(text.getStringW() + begin, end - begin).value;
}

// True when [begin, end) starts with an integer ("%d") or with a real number
// ("%lf"), leading blanks skipped; false for an empty stretch.
inline bool startsWithInteger(const KovString& text, int begin, int end) noexcept {
  return clampToText(text, begin, end) &&
         scansAsInteger(text.getStringW() + begin, end - begin) != 0;
}
inline bool startsWithReal(const KovString& text, int begin, int end) noexcept {
  return clampToText(text, begin, end) &&
         scansAsDouble(text.getStringW() + begin, end - begin) != 0;
}

}  // namespace pelunits
