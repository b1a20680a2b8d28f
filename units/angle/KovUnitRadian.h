#pragma once

#include "units/angle/KovUnitDegreeBase.h"

// KovUnitRadian: angles shown in radians. `factor` is the full circle in radians
// (set it to 2 pi; a new unit carries 1.0). A plain typed number is read in
// radians; sexagesimal text ("90°", "90d") is read as degrees.
class KovUnitRadian : public KovUnitDegreeBase {
 public:
  KovUnitRadian() = default;
  KovUnitRadian(const KovUnitRadian& other) = default;

  // factor * value / 360, not reduced (540 -> "9.42" with factor 2 pi), shown like
  // the decimal degrees. Non-finite values give "nan", "inf", "-inf".
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  // The number at the start of the text in radians ("1.5708" -> 90.0002...), or in
  // gon when a 'g' follows the first character; reduced modulo 360 with its sign.
  double getDegreesDecimal(const KovString& text) const override;

  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};
