#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

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

// Copies the leading characters of `wide` while they are below U+0080, eight and then
// four at a time: a load, a test and a pack per block instead of a test and a store per
// character. Returns how many it copied, a multiple of four; the caller goes on one by
// one from there.
template <class Char>
std::size_t narrowAsciiBlocks(const wchar_t* wide, std::size_t count, Char* out) {
  std::size_t i = 0;
#if defined(__SSE2__) || defined(_M_X64)
  if constexpr (sizeof(wchar_t) == 4) {
    const __m128i highBits = _mm_set1_epi32(~0x7F);
    for (; i + 4 <= count; i += 4) {
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(wide + i));
      const __m128i high = _mm_and_si128(block, highBits);
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(high, _mm_setzero_si128())) != 0xFFFF) break;
      const __m128i units16 = _mm_packs_epi32(block, block);
      if constexpr (sizeof(Char) == 1) {
        const int bytes = _mm_cvtsi128_si32(_mm_packus_epi16(units16, units16));
        std::memcpy(out + i, &bytes, 4);
      } else {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), units16);
      }
    }
  }
#endif
  return i;
}

// Encodes wide text into `out`, which has room for it; returns the end. The leading
// characters below U+0080 (every character of most displays) are stored as they are,
// inline, since the displays are called for every cell a host shows.
template <class Char>
Char* encodeAll(const wchar_t* wide, std::size_t count, Char* out) {
  std::size_t i = narrowAsciiBlocks(wide, count, out);
  while (i < count && static_cast<std::uint32_t>(wide[i]) < 0x80u) {
    out[i] = static_cast<Char>(wide[i]);
    ++i;
  }
  return i == count ? out + i : encodeRest(wide, count, i, out + i);
}

// Writes `count` wide characters as UTF-8 or UTF-16 after counting their length
// first, so that nothing is written into a buffer that turns out too small.
TextOut writeMeasured(const wchar_t* wide, std::size_t count, char* buffer, std::size_t size,
                      std::size_t& length);
TextOut writeMeasured(const wchar_t* wide, std::size_t count, std::uint16_t* buffer,
                      std::size_t size, std::size_t& length);

// Writes `text` as UTF-8 or UTF-16 with a terminating NUL when `size` leaves room for
// it; `length` receives the length of the text in bytes or code units either way.
// Inline and in one pass when the buffer holds the longest possible encoding of the
// text (`kWidest` units per wide character), as the buffers of displays do; else
// through writeMeasured. `kWidest` is a constant, so that the room test is a shift.
template <std::size_t kWidest, class Char>
TextOut writeEncoded(const KovString& text, Char* buffer, std::size_t size, std::size_t& length) {
  const wchar_t* wide = text.getStringW();
  const auto count = static_cast<std::size_t>(text.length());
  if (buffer != nullptr && size / kWidest > count) {
    Char* end = encodeAll(wide, count, buffer);
    *end = 0;
    length = static_cast<std::size_t>(end - buffer);
    return TextOut::fits;
  }
  return writeMeasured(wide, count, buffer, size, length);
}

inline TextOut writeUtf8(const KovString& text, char* buffer, std::size_t size,
                         std::size_t& length) {
  return writeEncoded<4>(text, buffer, size, length);
}

// The number of UTF-16 code units of the first `count` wide characters of `text`.
std::size_t utf16Units(const wchar_t* text, std::size_t count);

inline TextOut writeUtf16(const KovString& text, std::uint16_t* buffer, std::size_t size,
                          std::size_t& length) {
  return writeEncoded<2>(text, buffer, size, length);
}

}  // namespace capi
}  // namespace pelunits
