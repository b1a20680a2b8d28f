#pragma once

#include <cstddef>

// The first step of the exact reader: typed text brought to one spelling per sign.
//
// Users paste marks from word processors and keyboards of every kind. Each wide
// character is replaced by its plain form, one character for one, so that a
// position in the plain text is the position in the typed text:
//   ′ ’ ´        -> '   (foot, minute)       ″ ” ˝        -> "   (inch, second)
//   º ˚          -> °   (degree)             − (U+2212)   -> -
//   ⁄ (U+2044) ÷ -> /                        ×            -> *
//   tab, no-break, thin and other spaces     -> ' '
// Vulgar fractions (½ ⅜ ...) and superscripts stay as they are: the grammar reads them.
namespace pelunits {
namespace exact {

// The plain form of one typed character.
wchar_t plainCharacter(wchar_t c) noexcept;

// The value of a vulgar fraction character (U+00BC to U+00BE, U+2150 to U+215E),
// as numerator and denominator; false for any other character.
bool vulgarFractionValue(wchar_t c, int& numerator, int& denominator) noexcept;
// The vulgar fraction character of a reduced fraction (L'\u00BD' for 1/2), 0 when
// Unicode has none.
wchar_t vulgarFractionCharacter(long long numerator, long long denominator) noexcept;
inline bool vulgarFraction(wchar_t c, int& numerator, int& denominator) noexcept {
  // Most characters lie outside both ranges; they need no call.
  if (c < L'\u00BC' || (c > L'\u00BE' && c < L'\u2150') || c > L'\u215E') return false;
  return vulgarFractionValue(c, numerator, denominator);
}

// Plain text with room for short texts on the stack: texts under kInline characters
// never touch the heap.
class PlainText {
 public:
  static constexpr std::size_t kInline = 64;

  PlainText(const wchar_t* text, std::size_t length);
  ~PlainText();
  PlainText(const PlainText&) = delete;
  PlainText& operator=(const PlainText&) = delete;

  // False when a longer text found no memory.
  bool ok() const noexcept { return data_ != nullptr; }
  const wchar_t* data() const noexcept { return data_; }
  std::size_t length() const noexcept { return length_; }

 private:
  wchar_t inline_[kInline];
  wchar_t* data_;
  std::size_t length_;
};

inline bool isAsciiLetter(wchar_t c) noexcept {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}
inline bool isDigit(wchar_t c) noexcept { return c >= L'0' && c <= L'9'; }

// The first position from `at` that is no blank of plain text (every blank is ' ' there).
inline std::size_t afterBlanks(const wchar_t* text, std::size_t at, std::size_t length) noexcept {
  while (at < length && text[at] == L' ') ++at;
  return at;
}

}  // namespace exact
}  // namespace pelunits
