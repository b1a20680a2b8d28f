#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 to and from the library's wide characters, independent of the process
// locale: UTF-32 where wchar_t has 32 bits, UTF-16 (with surrogate pairs) where it
// has 16.
namespace pelunits {

// Decodes `text` into `out` (replacing its content). Returns false at the first
// malformed sequence: a stray continuation byte, a truncated or overlong sequence,
// an encoded surrogate or a code point above U+10FFFF; `out` is then unspecified.
bool utf8ToWide(std::string_view text, std::wstring& out);

// Appends the UTF-8 form of `length` wide characters to `out`. A lone surrogate
// (which no valid text holds) is written as U+FFFD.
void appendUtf8(const wchar_t* text, std::size_t length, std::string& out);

// The text as it may stand in a message: bytes that are not printable ASCII or part
// of valid UTF-8 appear as \xNN, and a text longer than `limit` bytes is cut with "...".
std::string quotedForMessage(std::string_view text, std::size_t limit = 80);

}  // namespace pelunits
