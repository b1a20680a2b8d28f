#pragma once

#include "KovUnitsTransformArray.h"

namespace pelbench {

using pelunits::UnitPtr;

// A unit as a host obtains it: from the factory, by its quantity and
// representation codes, released through removeUnit.
UnitPtr newUnit(int systemUnits, int representation);

}  // namespace pelbench
