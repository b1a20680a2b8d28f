#include "UnitSource.h"

#include "KovUnitsTransformArray.h"

namespace pelbench {

UnitPtr newUnit(int systemUnits, int representation) {
  auto code = static_cast<KovUnitTransform::eSystemRepresentation>(representation);
  return UnitPtr(KovUnitsTransformArray::getNewUnit(
      static_cast<KovUnitTransform::eSystemUnits>(systemUnits), code));
}

}  // namespace pelbench
