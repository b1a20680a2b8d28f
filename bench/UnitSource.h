#pragma once

#include <memory>

#include "KovUnitTransform.h"

namespace pelbench {

struct UnitDeleter {
  void operator()(KovUnitTransform* unit) const;
};
using UnitPtr = std::unique_ptr<KovUnitTransform, UnitDeleter>;

// A unit as a host obtains it: from the factory, by its quantity and
// representation codes, released through removeUnit.
UnitPtr newUnit(int systemUnits, int representation);

}  // namespace pelbench
