#pragma once

#include <cstddef>
#include <string_view>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "PelUnitsExport.h"

// The readable unit names shared by the command-line tool and the C interface:
// each is a code pair for the factory plus the settings a host would give the unit (factor,
// precision, symbol).
namespace pelunits {

// How typed text of a quantity is read back into the internal unit.
enum class ParseOperation {
  Millimeters,
  Degrees,
  Grams,
  KiloNewton,
  KiloNewtonMeter,
  NewtonPerSquareMm
};

struct NamedUnit {
  const char* name;
  int systemUnits;
  int representation;
  double factor;       // 0: keep the factory's value
  int precision;       // kKeepPrecision: keep the factory's value
  const char* symbol;  // UTF-8; shown by --with-units
  const char* shows;   // one line for `pelunits units`
};

constexpr int kKeepPrecision = -1;

// All named units, in the order `pelunits units` lists them.
PELUNITS_API const NamedUnit* namedUnits(std::size_t& count);

// The unit of that name, or null.
PELUNITS_API const NamedUnit* findNamedUnit(std::string_view name);

// A new unit object from the factory with the named unit's settings applied (factor,
// precision, symbol); released through KovUnitsTransformArray::removeUnit. Null only
// when no memory is left. `representation`, when given, receives the representation
// the factory chose.
PELUNITS_API KovUnitTransform* newNamedUnit(const NamedUnit& named, int* representation = nullptr);

// The reader that fits the quantity code; codes of no known quantity read lengths,
// or angles when the factory made an angle unit for them.
PELUNITS_API ParseOperation parseOperationFor(int systemUnits, const KovUnitTransform& unit);

PELUNITS_API double parseWith(ParseOperation operation, const KovUnitTransform& unit,
                              const KovString& text);

}  // namespace pelunits
