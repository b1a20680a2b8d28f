#include "units/angle/KovUnitGon.h"

#include <cmath>

KovString KovUnitGon::getDisplayString(double value, int trimTrailingZeros, int /*trimLeadingZero*/,
                                       int /*hideZeroFeet*/, int /*hideZeroInches*/,
                                       wchar_t /*separator*/) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  // Whole turns go first, while the angle is still in degrees: fmod is exact, so a
  // huge angle keeps its fraction of a turn, which the scaled value would have lost.
  const double degrees = std::fmod(value, kDegreesPerCircle);
  // The product first, then the division, then the reduction: 90 degrees make
  // exactly 100 gon.
  double gon = factor * degrees / kDegreesPerCircle;
  // A factor so large that the product overflows: divided first instead.
  if (!std::isfinite(gon)) gon = degrees / kDegreesPerCircle * factor;
  return angleNumberText(pelunits::remainderOf(gon, factor), trimTrailingZeros);
}
