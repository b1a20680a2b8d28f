#include "units/metric/KovUnitKiloNewton.h"

KovString KovUnitKiloNewton::getDisplayString(double value, int trimTrailingZeros,
                                              int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                              int /*hideZeroInches*/, wchar_t /*separator*/) const {
  return displayScaledNumber(value, trimTrailingZeros);
}

int KovUnitKiloNewton::isValidString(const KovString& text) const { return startsWithNumber(text); }

double KovUnitKiloNewton::getKiloNewton(const KovString& text) const {
  return readScaledNumber(text);
}

double KovUnitKiloNewton::getNewtonPerSquareMm(const KovString& text) const {
  return readScaledNumber(text);
}
