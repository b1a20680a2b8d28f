#pragma once

#include <ostream>
#include <string>

#include "KovString.h"

// Readable test output: ASCII as it stands, anything else as <U+hex>.
inline std::string narrow(const KovString& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (int i = 0; i < text.length() && out.size() < 200; ++i) {
    const wchar_t c = text[i];
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
      continue;
    }
    out += "<U+";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
    out += ">";
  }
  return out;
}

inline void PrintTo(const KovString& text, std::ostream* os) { *os << '"' << narrow(text) << '"'; }
