#include "units/metric/KovUnitKiloNewtonMeter.h"

double KovUnitKiloNewtonMeter::getKiloNewtonMeter(const KovString& text) const {
  return readScaledNumber(text);
}
