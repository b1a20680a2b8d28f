#pragma once

#include "units/angle/KovUnitDegreeBase.h"

// KovUnitDegree: angles shown as decimal degrees. `factor` is the full circle in
// degrees (set it to 360; a new unit carries 1.0) and the display reduces modulo
// it. `precision` counts decimals (power-of-ten precision of KovUnitBase).
class KovUnitDegree : public KovUnitDegreeBase {
 public:
  KovUnitDegree() = default;
  KovUnitDegree(const KovUnitDegree& other) = default;

  // fmod(value, factor) with the sign of value, shown with `precision` decimals
  // (none when noDecimals is set), never as negative zero, in the user's regional
  // form when useRegionalSettings is set: 45.5 -> "45.50", -370 -> "-10.00" with
  // factor 360. No degree sign. Only value and trimTrailingZeros are read;
  // non-finite values give "nan", "inf", "-inf".
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};
