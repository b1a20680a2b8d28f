#pragma once

#include "units/core/KovUnitBase.h"

// Family base of the metric decimal length units (KovUnitDecimal and
// KovUnitFractalDecimal), which read typed lengths the same way.
class KovUnitDecimalBase : public KovUnitBase {
 public:
  // A typed number or fraction times `factor`: "1 1/2", "3/4" and "-1 1/2" are read
  // as fractions; anything else, after the regional form is turned back into the
  // neutral one, as the leading number (0 when there is none). A fraction that
  // cannot be read ("3/0") falls back to the number before its '/'.
  double getMillimeters(const KovString& text) const override;
};
