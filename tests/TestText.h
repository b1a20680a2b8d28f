#pragma once

#include <ostream>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"

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

inline bool holds(const KovString& text, const wchar_t* part) {
  return text.find(KovString(part)) >= 0;
}

// A unit the factory makes for one code pair (and power, 0: the factory's).
inline pelunits::UnitPtr newUnit(int units, int representation, int power = 0) {
  auto r = static_cast<KovUnitTransform::eSystemRepresentation>(representation);
  pelunits::UnitPtr unit(
      KovUnitsTransformArray::getNewUnit(static_cast<KovUnitTransform::eSystemUnits>(units), r));
  if (unit != nullptr && power != 0) unit->setPower(power);
  return unit;
}
