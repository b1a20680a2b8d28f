#include "units/angle/KovUnitRadian.h"

#include <cmath>

KovString KovUnitRadian::getDisplayString(double value, int trimTrailingZeros,
                                          int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                          int /*hideZeroInches*/, wchar_t /*separator*/) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  return angleNumberText(scaleAngle(value, factor, kDegreesPerCircle), trimTrailingZeros);
}

double KovUnitRadian::getDegreesDecimal(const KovString& text) const {
  const double x = text.toDouble();
  // No letter is needed for radians; any letter other than 'g' is ignored.
  const double degrees = text.find(L'g') > 0 ? gonToDegrees(x) : radiansToDegrees(x);
  return pelunits::remainderOf(degrees, kDegreesPerCircle);
}
