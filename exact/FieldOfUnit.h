#pragma once

#include <cstddef>

#include "ExactNumber.h"
#include "KovUnitTransform.h"
#include "NumberReading.h"
#include "PelUnitsRead.h"
#include "factory/UnitDescriptions.h"

// What a unit object means for the exact reader: its quantity, the size of a bare
// number (the unit's own display unit), the number form of its display, and the
// decorations its displays write around the number.
namespace pelunits {
namespace exact {

struct Field {
  UnitKind kind = UnitKind::decimalLength;  // of the unit's class, as kindOf gives it
  Quantity quantity = Quantity::length;
  int power = 1;                                         // of a length field
  double displaySize = 1.0;                              // internal units per bare number
  ExactNumber displayExact = ExactNumber::ofInteger(1);  // the same, exactly
  // displayExact as 64-bit integers, when they hold it, for the short-text step.
  Ratio displayRatio{1, 1};
  bool displayRatioNegative = false;
  bool displayRatioSmall = true;
  NumberStyle style;         // numbers of the main text
  bool styleIsUser = false;  // `style` is the user's regional form
  // The pound-and-ounce display with units adds the decimal text in parentheses:
  // "1 lb 8.00 oz (0.68 kg)". Its numbers follow `echoStyle`, a bare one counts
  // `echoSize`.
  bool echo = false;
  double echoSize = 1.0;
  ExactNumber echoExact = ExactNumber::ofInteger(1);
  NumberStyle echoStyle;
  const wchar_t* symbol = L"";  // the unit's own symbol, standing for its display unit
  std::size_t symbolLength = 0;
  bool unitOunce = false;  // lb and oz are the pound-and-ounce unit's own
};

Field fieldOf(const KovUnitTransform& unit) noexcept;

// The same field without the unit's symbol and with the neutral number forms, as this
// thread keeps it for the unit's class, factor and power: what a plain number needs,
// without a copy. The reference holds until the next call of either on this thread.
const Field& fieldFactsOf(const KovUnitTransform& unit) noexcept;

}  // namespace exact
}  // namespace pelunits
