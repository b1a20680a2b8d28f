#pragma once

#include <memory>

#include "KovUnitTransform.h"
#include "PelUnitsCodes.h"
#include "PelUnitsExport.h"

// The factory of unit objects.
//
// getNewUnit picks the unit class for a quantity code and a wanted representation,
// returns a new object owned by the caller and, where it fell back to the default
// class of the quantity, writes the representation it chose back into
// systemRepresentation. PelUnitsCodes.h names the codes: lengths, areas, volumes and
// fourth powers (metric and imperial), grams, pounds and ounces, angles, forces,
// moments, stresses; any other quantity code gives a metric decimal unit.
//
// All three operations may be called from several threads at once.
class PELUNITS_API KovUnitsTransformArray {
 public:
  static KovUnitTransform* getNewUnit(
      KovUnitTransform::eSystemUnits systemUnits,
      KovUnitTransform::eSystemRepresentation& systemRepresentation);
  // Releases `old` (when not null) as removeUnit does, then returns getNewUnit.
  static KovUnitTransform* changeUnit(
      KovUnitTransform* old, KovUnitTransform::eSystemUnits systemUnits,
      KovUnitTransform::eSystemRepresentation& systemRepresentation);
  // Destroys an object made by this library (by getNewUnit, changeUnit or clone) and
  // returns 1. Null destroys nothing and also returns 1. An object of a class that
  // the library did not make is not destroyed: the call returns 0 and the object
  // stays the caller's.
  static int removeUnit(KovUnitTransform* unit);
};

namespace pelunits {

// Returns a unit to the library through KovUnitsTransformArray::removeUnit.
struct UnitDeleter {
  void operator()(KovUnitTransform* unit) const noexcept {
    KovUnitsTransformArray::removeUnit(unit);
  }
};

// A unit owned by the caller and returned to the library when the pointer goes:
//   pelunits::UnitPtr unit(KovUnitsTransformArray::getNewUnit(units, representation));
using UnitPtr = std::unique_ptr<KovUnitTransform, UnitDeleter>;

}  // namespace pelunits
