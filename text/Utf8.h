#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 to and from the library's wide characters, independent of the process
// locale: UTF-32 where wchar_t has 32 bits, UTF-16 (with surrogate pairs) where it
// has 16.
namespace pelunits {

// Decodes the UTF-8 sequence at `pos` (which must be inside `text`) into `codePoint`;
// returns its length in bytes, or 0 when it is malformed (as utf8ToWide refuses it).
std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t& codePoint);

// Writes the UTF-8 form of a code point up to U+10FFFF into `out` (room for 4 bytes);
// returns the number of bytes.
std::size_t encodeUtf8(char32_t codePoint, char* out);

// The code point of wide text at `i`, advancing `i` past it: a surrogate pair where
// wchar_t has 16 bits is one code point; a lone surrogate, or a value above U+10FFFF,
// is U+FFFD.
char32_t nextCodePoint(const wchar_t* text, std::size_t length, std::size_t& i);

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
