#include "units/angle/KovUnitGon.h"

#include <cmath>

KovString KovUnitGon::getDisplayString(double value, int trimTrailingZeros, int /*trimLeadingZero*/,
                                       int /*hideZeroFeet*/, int /*hideZeroInches*/,
                                       wchar_t /*separator*/) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  // The product first, then the division, then the reduction: 90 degrees make
  // exactly 100 gon.
  double gon = factor * value / kDegreesPerCircle;
  // Where that overflows, whole turns are dropped first: the same angle.
  if (!std::isfinite(gon)) gon = std::fmod(value, kDegreesPerCircle) / kDegreesPerCircle * factor;
  return angleNumberText(pelunits::remainderOf(gon, factor), trimTrailingZeros);
}
