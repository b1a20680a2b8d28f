#include "Utf8.h"

namespace pelunits {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0u) == 0x80u; }

// Decodes one sequence at `pos`; returns its length, or 0 when it is malformed.
std::size_t decodeOne(std::string_view text, std::size_t pos, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80u) {
    codePoint = lead;
    return 1;
  } else if (lead >= 0xC2u && lead <= 0xDFu) {
    length = 2;
    codePoint = lead & 0x1Fu;
    minimum = 0x80;
  } else if (lead >= 0xE0u && lead <= 0xEFu) {
    length = 3;
    codePoint = lead & 0x0Fu;
    minimum = 0x800;
  } else if (lead >= 0xF0u && lead <= 0xF4u) {
    length = 4;
    codePoint = lead & 0x07u;
    minimum = 0x10000;
  } else {
    return 0;  // continuation byte, overlong two-byte lead (C0, C1) or F5..FF
  }
  if (text.size() - pos < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    if (!isContinuation(byte)) return 0;
    codePoint = (codePoint << 6) | (byte & 0x3Fu);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF) return 0;
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
  return length;
}

void appendWide(char32_t codePoint, std::wstring& out) {
  if constexpr (sizeof(wchar_t) >= 4) {
    out.push_back(static_cast<wchar_t>(codePoint));
  } else {
    if (codePoint < 0x10000) {
      out.push_back(static_cast<wchar_t>(codePoint));
    } else {
      const char32_t offset = codePoint - 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (offset >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (offset & 0x3FF)));
    }
  }
}

}  // namespace

std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t& codePoint) {
  return decodeOne(text, pos, codePoint);
}

std::size_t encodeUtf8(char32_t codePoint, char* out) {
  if (codePoint < 0x80) {
    out[0] = static_cast<char>(codePoint);
    return 1;
  }
  if (codePoint < 0x800) {
    out[0] = static_cast<char>(0xC0 | (codePoint >> 6));
    out[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 2;
  }
  if (codePoint < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (codePoint >> 12));
    out[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (codePoint >> 18));
  out[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
  return 4;
}

char32_t nextCodePoint(const wchar_t* text, std::size_t length, std::size_t& i) {
  auto unit = static_cast<char32_t>(text[i++]);
  if constexpr (sizeof(wchar_t) < 4) {
    unit &= 0xFFFF;
    if (unit >= 0xD800 && unit <= 0xDBFF && i < length) {
      const auto low = static_cast<char32_t>(text[i]) & 0xFFFF;
      if (low >= 0xDC00 && low <= 0xDFFF) {
        ++i;
        return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
      }
    }
  }
  if ((unit >= 0xD800 && unit <= 0xDFFF) || unit > 0x10FFFF) return kReplacement;
  return unit;
}

bool utf8ToWide(std::string_view text, std::wstring& out) {
  out.clear();
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t codePoint = 0;
    const std::size_t length = decodeOne(text, pos, codePoint);
    if (length == 0) return false;
    appendWide(codePoint, out);
    pos += length;
  }
  return true;
}

void appendUtf8(const wchar_t* text, std::size_t length, std::string& out) {
  char bytes[4];
  std::size_t i = 0;
  while (i < length) out.append(bytes, encodeUtf8(nextCodePoint(text, length, i), bytes));
}

std::string quotedForMessage(std::string_view text, std::size_t limit) {
  static const char kHex[] = "0123456789abcdef";
  const bool cut = text.size() > limit;
  if (cut) text = text.substr(0, limit);
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    char32_t codePoint = 0;
    const std::size_t length = byte >= 0x80u ? decodeOne(text, pos, codePoint) : 0;
    if (length > 0) {
      out.append(text.substr(pos, length));
      pos += length;
    } else if (byte >= 0x20u && byte < 0x7Fu) {
      out.push_back(static_cast<char>(byte));
      ++pos;
    } else {
      out += "\\x";
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0x0Fu]);
      ++pos;
    }
  }
  if (cut) out += "...";
  return out;
}

}  // namespace pelunits
