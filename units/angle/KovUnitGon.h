#pragma once

#include "units/angle/KovUnitDegreeBase.h"

// KovUnitGon: angles shown in gon. `factor` is the full circle in gon (set it to
// 400; a new unit carries 1.0). Typed plain numbers are read as degrees, numbers
// followed by 'g' as gon and by 'r' as radians (KovUnitDegreeBase).
class KovUnitGon : public KovUnitDegreeBase {
 public:
  KovUnitGon() = default;
  KovUnitGon(const KovUnitGon& other) = default;

  // fmod(factor * value / 360, factor) with the sign of value, shown like the
  // decimal degrees: 90 -> "100.00", 450 -> "100.00", -90 -> "-100.00" with
  // factor 400. No unit mark. Non-finite values give "nan", "inf", "-inf".
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};
