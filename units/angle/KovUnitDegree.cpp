#include "units/angle/KovUnitDegree.h"

#include <cmath>

KovString KovUnitDegree::getDisplayString(double value, int trimTrailingZeros,
                                          int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                          int /*hideZeroInches*/, wchar_t /*separator*/) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  return angleNumberText(pelunits::remainderOf(value, factor), trimTrailingZeros);
}
