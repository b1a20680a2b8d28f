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

// Writes `text` as UTF-8 or UTF-16 with a terminating NUL when `size` leaves room for
// it; `length` receives the length of the text in bytes or code units either way.
TextOut writeUtf8(const KovString& text, char* buffer, std::size_t size, std::size_t& length);
TextOut writeUtf16(const KovString& text, std::uint16_t* buffer, std::size_t size,
                   std::size_t& length);

// The number of UTF-16 code units of the first `count` wide characters of `text`.
std::size_t utf16Units(const wchar_t* text, std::size_t count);

}  // namespace capi
}  // namespace pelunits
