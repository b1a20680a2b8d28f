#include "units/metric/KovUnitKiloNewtonMeter.h"

KovString KovUnitKiloNewtonMeter::getDisplayString(double value, int trimTrailingZeros,
                                                   int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                                   int /*hideZeroInches*/,
                                                   wchar_t /*separator*/) const {
  return displayScaledNumber(value, trimTrailingZeros);
}

int KovUnitKiloNewtonMeter::isValidString(const KovString& text) const {
  return startsWithNumber(text);
}

double KovUnitKiloNewtonMeter::getKiloNewtonMeter(const KovString& text) const {
  return readScaledNumber(text);
}
