#include "units/metric/KovUnitNewtonPerSquareMm.h"

KovString KovUnitNewtonPerSquareMm::getDisplayString(double value, int trimTrailingZeros,
                                                     int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                                     int /*hideZeroInches*/,
                                                     wchar_t /*separator*/) const {
  return displayScaledNumber(value, trimTrailingZeros);
}

int KovUnitNewtonPerSquareMm::isValidString(const KovString& text) const {
  return startsWithNumber(text);
}

double KovUnitNewtonPerSquareMm::getKiloNewton(const KovString& text) const {
  return readScaledNumber(text);
}

double KovUnitNewtonPerSquareMm::getNewtonPerSquareMm(const KovString& text) const {
  return readScaledNumber(text);
}
