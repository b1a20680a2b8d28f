#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "KovString.h"

// For the steps inlined into the display entry points, which a host calls once per text
// it shows: calls between the steps would cost about as much as the steps themselves.
#if defined(__GNUC__)
#define PELUNITS_HOT_INLINE inline __attribute__((always_inline))
#elif defined(_MSC_VER)
#define PELUNITS_HOT_INLINE __forceinline
#else
#define PELUNITS_HOT_INLINE inline
#endif

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

#if defined(__SSE2__) || defined(_M_X64)
namespace ascii {

// The narrowing of wide characters below U+0080 four to sixteen at a time: loads
// of four wchar_t, one test over all of them, and packs that turn them into bytes or
// UTF-16 units, instead of a test and a store per character. Only for a 32-bit
// wchar_t.
inline bool allBelow80(__m128i blocksOred) {
  const __m128i high = _mm_and_si128(blocksOred, _mm_set1_epi32(~0x7F));
  return _mm_movemask_epi8(_mm_cmpeq_epi32(high, _mm_setzero_si128())) == 0xFFFF;
}

inline __m128i load4(const wchar_t* wide) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(wide));
}

inline void store4(__m128i block, char* out) {
  const __m128i units = _mm_packs_epi32(block, block);
  const int bytes = _mm_cvtsi128_si32(_mm_packus_epi16(units, units));
  std::memcpy(out, &bytes, 4);
}
inline void store4(__m128i block, std::uint16_t* out) {
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packs_epi32(block, block));
}

inline void store8(__m128i first, __m128i second, char* out) {
  const __m128i units = _mm_packs_epi32(first, second);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(units, units));
}
inline void store8(__m128i first, __m128i second, std::uint16_t* out) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packs_epi32(first, second));
}

// Narrows the sixteen characters at `wide` when all are below U+0080.
template <class Char>
bool narrow16(const wchar_t* wide, Char* out) {
  const __m128i a = load4(wide), b = load4(wide + 4), c = load4(wide + 8), d = load4(wide + 12);
  if (!allBelow80(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d)))) return false;
  store8(a, b, out);
  store8(c, d, out + 8);
  return true;
}

}  // namespace ascii
#endif

// Copies `wide` into `out` when all its characters are below U+0080, as they are in
// nearly every display, and returns `count`; else returns how many leading characters
// it copied, from which the caller goes on one by one. A text of 4 to 16 characters
// is covered by two overlapping halves, loaded and tested at once and stored without
// a loop, so that the texts' varying lengths cost no mispredicted branch; longer texts
// go sixteen at a time, the last sixteen overlapping.
// Kept for bench row c-interface/feet-inch-fraction pelunits_display_many per value.
template <class Char>
PELUNITS_HOT_INLINE std::size_t narrowAscii(const wchar_t* wide, std::size_t count, Char* out) {
#if defined(__SSE2__) || defined(_M_X64)
  if constexpr (sizeof(wchar_t) == 4) {
    using namespace ascii;
    if (count < 4) return 0;
    if (count <= 8) {
      const __m128i front = load4(wide), back = load4(wide + count - 4);
      if (!allBelow80(_mm_or_si128(front, back))) return 0;
      store4(front, out);
      store4(back, out + count - 4);
      return count;
    }
    if (count <= 16) {
      const __m128i a = load4(wide), b = load4(wide + 4);
      const __m128i c = load4(wide + count - 8), d = load4(wide + count - 4);
      if (!allBelow80(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d)))) return 0;
      store8(a, b, out);
      store8(c, d, out + count - 8);
      return count;
    }
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
      if (!narrow16(wide + i, out + i)) return i;
    }
    return i == count || narrow16(wide + count - 16, out + count - 16) ? count : i;
  }
#endif
  static_cast<void>(wide);
  static_cast<void>(count);
  static_cast<void>(out);
  return 0;
}

// Encodes wide text into `out`, which has room for it; returns the end. The leading
// characters below U+0080 (every character of most displays) are stored as they are,
// inline, since the displays are called for every cell a host shows.
template <class Char>
PELUNITS_HOT_INLINE Char* encodeAll(const wchar_t* wide, std::size_t count, Char* out) {
  std::size_t i = narrowAscii(wide, count, out);
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
PELUNITS_HOT_INLINE TextOut writeEncoded(const KovString& text, Char* buffer, std::size_t size,
                                         std::size_t& length) {
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
