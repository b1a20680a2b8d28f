#pragma once

#include <cstddef>
#include <cstdint>

#include "KovString.h"

// Text across the C interface: UTF-8 and UTF-16 in from the caller, and the library's
// wide text out into the caller's buffers. The lengths of the outgoing texts never
// include the terminating NUL.
namespace pelunits {
namespace capi {

enum class TextOut { fits, tooSmall };

// Decodes `length` bytes into `out`. False at the first malformed sequence (its byte
// offset in `badOffset`) or for a text longer than a KovString holds.
bool utf8ToKov(const char* text, std::size_t length, KovString& out, std::size_t& badOffset);
// Decodes `length` UTF-16 code units into `out`. False at the first lone surrogate
// (its offset in `badOffset`) or for a text longer than a KovString holds.
bool utf16ToKov(const std::uint16_t* text, std::size_t length, KovString& out,
                std::size_t& badOffset);

std::size_t utf16Length(const std::uint16_t* text);

// The number of UTF-8 bytes of `count` wide characters.
std::size_t utf8Bytes(const wchar_t* wide, std::size_t count);

// Encodes the wide characters from `i` on into `out`, which has room for them;
// returns the end.
char* encodeRest(const wchar_t* wide, std::size_t count, std::size_t i, char* out);
std::uint16_t* encodeRest(const wchar_t* wide, std::size_t count, std::size_t i,
                          std::uint16_t* out);

// Encodes wide text into `out`, which has room for it; returns the end. The leading
// characters below U+0080 (every character of most displays) are stored as they are,
// inline, since the displays are called for every cell a host shows.
template <class Char>
Char* encodeAll(const wchar_t* wide, std::size_t count, Char* out) {
  std::size_t i = 0;
  while (i < count && static_cast<std::uint32_t>(wide[i]) < 0x80u) {
    out[i] = static_cast<Char>(wide[i]);
    ++i;
  }
  return i == count ? out + i : encodeRest(wide, count, i, out + i);
}

// Writes `text` as UTF-8 or UTF-16 with a terminating NUL when `size` leaves room for
// it; `length` receives the length of the text in bytes or code units either way.
// One pass when the buffer holds the longest possible encoding of the text (`widest`
// units per wide character); else the length is counted first, so that nothing is
// written into a buffer that turns out too small.
template <class Char>
TextOut writeEncoded(const KovString& text, Char* buffer, std::size_t size, std::size_t& length,
                     std::size_t widest, std::size_t (*measure)(const wchar_t*, std::size_t)) {
  const wchar_t* wide = text.getStringW();
  const auto count = static_cast<std::size_t>(text.length());
  if (buffer != nullptr && size / widest > count) {
    Char* end = encodeAll(wide, count, buffer);
    *end = 0;
    length = static_cast<std::size_t>(end - buffer);
    return TextOut::fits;
  }
  length = measure(wide, count);
  if (buffer == nullptr || size <= length) return TextOut::tooSmall;
  buffer[length] = 0;
  encodeAll(wide, count, buffer);
  return TextOut::fits;
}

inline TextOut writeUtf8(const KovString& text, char* buffer, std::size_t size,
                         std::size_t& length) {
  return writeEncoded(text, buffer, size, length, 4, utf8Bytes);
}

// The number of UTF-16 code units of the first `count` wide characters of `text`.
std::size_t utf16Units(const wchar_t* text, std::size_t count);

inline TextOut writeUtf16(const KovString& text, std::uint16_t* buffer, std::size_t size,
                          std::size_t& length) {
  return writeEncoded(text, buffer, size, length, 2, utf16Units);
}

}  // namespace capi
}  // namespace pelunits
