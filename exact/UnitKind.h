#pragma once

#include "KovUnitTransform.h"
#include "PelUnitsRead.h"
#include "factory/UnitDescriptions.h"

// Which of the library's unit classes an object is, for the exact reader and format().
namespace pelunits {
namespace exact {

using pelunits::UnitKind;

// The kind of the unit's class from the unit table; an object of a class the library did
// not write (a host's own subclass) takes the kind of the library's class it derives from.
UnitKind kindOf(const KovUnitTransform& unit) noexcept;

// The quantity that units of the kind show.
Quantity quantityOfKind(UnitKind kind) noexcept;

}  // namespace exact
}  // namespace pelunits
