#include "capi/CText.h"

#include <string_view>

#include "Utf8.h"

namespace pelunits {
namespace capi {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendCodePoint(char32_t codePoint, KovString& out) {
  if (sizeof(wchar_t) >= 4 || codePoint < 0x10000) {
    out += static_cast<wchar_t>(codePoint);
  } else {
    const char32_t offset = codePoint - 0x10000;
    out += static_cast<wchar_t>(0xD800 + (offset >> 10));
    out += static_cast<wchar_t>(0xDC00 + (offset & 0x3FF));
  }
}

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The code point of UTF-16 text at `i`, advancing past it; U+FFFD for a lone surrogate
// (which only the text of a well-formed KovString cannot hold).
char32_t nextUtf16(const std::uint16_t* text, std::size_t length, std::size_t& i) {
  const char32_t unit = text[i++];
  if (isHighSurrogate(unit) && i < length && isLowSurrogate(text[i])) {
    return 0x10000 + ((unit - 0xD800) << 10) + (text[i++] - 0xDC00);
  }
  return isHighSurrogate(unit) || isLowSurrogate(unit) ? kReplacement : unit;
}

}  // namespace

bool utf8ToKov(const char* text, std::size_t length, KovString& out, std::size_t& badOffset) {
  out.clear();
  if (length > static_cast<std::size_t>(KovString::kMaxLength)) {
    badOffset = 0;
    return false;
  }
  out.reserve(static_cast<int>(length));
  const std::string_view view(text, length);
  std::size_t pos = 0;
  while (pos < length) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80u) {
      out += static_cast<wchar_t>(byte);
      ++pos;
      continue;
    }
    char32_t codePoint = 0;
    const std::size_t step = decodeUtf8(view, pos, codePoint);
    if (step == 0) {
      badOffset = pos;
      return false;
    }
    appendCodePoint(codePoint, out);
    pos += step;
  }
  return true;
}

bool utf16ToKov(const std::uint16_t* text, std::size_t length, KovString& out,
                std::size_t& badOffset) {
  out.clear();
  if (length > static_cast<std::size_t>(KovString::kMaxLength)) {
    badOffset = 0;
    return false;
  }
  out.reserve(static_cast<int>(length));
  std::size_t i = 0;
  while (i < length) {
    const std::size_t start = i;
    const char32_t codePoint = nextUtf16(text, length, i);
    if (codePoint == kReplacement && text[start] != kReplacement) {
      badOffset = start;
      return false;
    }
    appendCodePoint(codePoint, out);
  }
  return true;
}

std::size_t utf16Length(const std::uint16_t* text) {
  std::size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

std::size_t utf8Bytes(const wchar_t* wide, std::size_t count) {
  std::size_t bytes = 0;
  char scratch[4];
  for (std::size_t i = 0; i < count;) {
    if (static_cast<std::uint32_t>(wide[i]) < 0x80u) {
      ++bytes;
      ++i;
    } else {
      bytes += encodeUtf8(nextCodePoint(wide, count, i), scratch);
    }
  }
  return bytes;
}

char* encodeRest(const wchar_t* wide, std::size_t count, std::size_t i, char* out) {
  while (i < count) out += encodeUtf8(nextCodePoint(wide, count, i), out);
  return out;
}

std::uint16_t* encodeRest(const wchar_t* wide, std::size_t count, std::size_t i,
                          std::uint16_t* out) {
  while (i < count) {
    const char32_t codePoint = nextCodePoint(wide, count, i);
    if (codePoint < 0x10000) {
      *out++ = static_cast<std::uint16_t>(codePoint);
    } else {
      *out++ = static_cast<std::uint16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
      *out++ = static_cast<std::uint16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::size_t utf16Units(const wchar_t* text, std::size_t count) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < count;) units += nextCodePoint(text, count, i) < 0x10000 ? 1 : 2;
  return units;
}

namespace {

template <class Char>
TextOut writeMeasuredAs(const wchar_t* wide, std::size_t count, Char* buffer, std::size_t size,
                        std::size_t& length, std::size_t (*measure)(const wchar_t*, std::size_t)) {
  length = measure(wide, count);
  if (buffer == nullptr || size <= length) return TextOut::tooSmall;
  buffer[length] = 0;
  encodeAll(wide, count, buffer);
  return TextOut::fits;
}

}  // namespace

TextOut writeMeasured(const wchar_t* wide, std::size_t count, char* buffer, std::size_t size,
                      std::size_t& length) {
  return writeMeasuredAs(wide, count, buffer, size, length, utf8Bytes);
}

TextOut writeMeasured(const wchar_t* wide, std::size_t count, std::uint16_t* buffer,
                      std::size_t size, std::size_t& length) {
  return writeMeasuredAs(wide, count, buffer, size, length, utf16Units);
}

}  // namespace capi
}  // namespace pelunits
