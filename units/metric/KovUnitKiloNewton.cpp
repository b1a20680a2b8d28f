#include "units/metric/KovUnitKiloNewton.h"

double KovUnitKiloNewton::getKiloNewton(const KovString& text) const {
  return readScaledNumber(text);
}

double KovUnitKiloNewton::getNewtonPerSquareMm(const KovString& text) const {
  return readScaledNumber(text);
}
