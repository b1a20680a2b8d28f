#include "TextRange.h"

#include "NumberScan.h"

namespace pelunits {
namespace {

// [begin, end) clamped to the text; false when nothing is left.
bool clampToText(const KovString& text, int& begin, int& end) noexcept {
  if (begin < 0) begin = 0;
  if (end > text.length()) end = text.length();
  return end > begin;
}

}  // namespace

TextRange trimmedRange(const KovString& text) noexcept {
  const wchar_t* characters = text.getStringW();
  TextRange range{0, text.length()};
  while (range.begin < range.end && isBlank(characters[range.begin])) ++range.begin;
  while (range.end > range.begin && isBlank(characters[range.end - 1])) --range.end;
  return range;
}

double numberIn(const KovString& text, int begin, int end) noexcept {
  if (!clampToText(text, begin, end)) return 0.0;
  return scanDouble(text.getStringW() + begin, end - begin).value;
}

bool startsWithInteger(const KovString& text, int begin, int end) noexcept {
  return clampToText(text, begin, end) &&
         scansAsInteger(text.getStringW() + begin, end - begin) != 0;
}

bool startsWithReal(const KovString& text, int begin, int end) noexcept {
  return clampToText(text, begin, end) &&
         scansAsDouble(text.getStringW() + begin, end - begin) != 0;
}

}  // namespace pelunits
