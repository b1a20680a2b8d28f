#pragma once

#include <cstddef>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "PelUnitsExport.h"

// The exact reader: reads typed text for a unit and says what it understood.
//
// Unlike the unit's own readers (getMillimeters, getDegrees, ...), which read as much
// as they can and give 0 for the rest, the exact reader accepts a text only when all
// of it makes sense for the unit's quantity, and otherwise says where and why it
// stopped. The unit objects are only read, never changed.
namespace pelunits {

// What a text is for the unit.
enum class ReadStatus : int {
  complete = 0,    // the whole text is a quantity; `value` holds it
  incomplete = 1,  // a prefix of a complete text ("", "-", "5' 6 1/", "1e")
  invalid = 2      // no continuation can make it complete
};

// The quantity a unit object shows, and so the internal unit of `ReadResult::value`.
enum class Quantity : int {
  length = 0,  // millimetres raised to the unit's power
  angle = 1,   // degrees
  weight = 2,  // grams
  force = 3,   // kilonewtons
  moment = 4,  // kilonewton-metres
  stress = 5   // newtons per square millimetre
};

struct ReadResult {
  ReadStatus status = ReadStatus::invalid;
  double value = 0.0;        // in the unit's internal quantity; 0 unless complete
  std::size_t position = 0;  // where reading stopped, for a text that is not complete
  const char* message = "";  // short lowercase reason (static storage), "" when complete
};

// The quantity of a unit object made by this library.
PELUNITS_API Quantity quantityOf(const KovUnitTransform& unit) noexcept;

// Reads wide text; `position` counts wide characters.
PELUNITS_API ReadResult readExact(const KovUnitTransform& unit, const wchar_t* text,
                                  std::size_t length) noexcept;
PELUNITS_API ReadResult readExact(const KovUnitTransform& unit, const KovString& text) noexcept;
// Reads UTF-8 text; `position` counts bytes. Malformed UTF-8 is invalid.
PELUNITS_API ReadResult readExactUtf8(const KovUnitTransform& unit, const char* text,
                                      std::size_t length) noexcept;

}  // namespace pelunits
