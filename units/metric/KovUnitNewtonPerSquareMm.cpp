#include "units/metric/KovUnitNewtonPerSquareMm.h"

double KovUnitNewtonPerSquareMm::getKiloNewton(const KovString& text) const {
  return readScaledNumber(text);
}

double KovUnitNewtonPerSquareMm::getNewtonPerSquareMm(const KovString& text) const {
  return readScaledNumber(text);
}
