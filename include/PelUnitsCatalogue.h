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
  double example;      // an internal value that `pelunits units` shows in this unit
};

constexpr int kKeepPrecision = -1;

// All named units, in the order `pelunits units` lists them.
PELUNITS_API const NamedUnit* namedUnits(std::size_t& count);

// The unit of that name, or null.
PELUNITS_API const NamedUnit* findNamedUnit(std::string_view name);

// A unit from the factory with the name's settings (factor, precision, symbol);
// null when no memory is left. The caller returns it with removeUnit. `representation`,
// when given, receives the representation the factory chose.
PELUNITS_API KovUnitTransform* newNamedUnit(const NamedUnit& unit, int* representation = nullptr);

// Whether the factory has a class of its own for this representation of this
// quantity, rather than giving the quantity's fallback unit (or, for a quantity code
// it does not know, its general fallback). Quantities with a single class accept
// every representation.
PELUNITS_API bool factoryKnowsRepresentation(int systemUnits, int representation);

// Whether the factory knows the quantity code.
PELUNITS_API bool factoryKnowsQuantity(int systemUnits);

// The reader that fits the quantity code; codes of no known quantity read lengths,
// or angles when the factory made an angle unit for them.
PELUNITS_API ParseOperation parseOperationFor(int systemUnits, const KovUnitTransform& unit);

PELUNITS_API double parseWith(ParseOperation operation, const KovUnitTransform& unit,
                              const KovString& text);

}  // namespace pelunits
