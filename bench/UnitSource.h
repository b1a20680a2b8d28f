#pragma once

#include <memory>

#include "KovUnitTransform.h"

namespace pelbench {

struct UnitDeleter {
  void operator()(KovUnitTransform* unit) const;
};
using UnitPtr = std::unique_ptr<KovUnitTransform, UnitDeleter>;

// A unit as a host obtains it, by its quantity and representation codes; null
// when that unit is not part of this build.
UnitPtr newUnit(int systemUnits, int representation);

}  // namespace pelbench
