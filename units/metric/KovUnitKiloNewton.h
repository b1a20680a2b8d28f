#pragma once

#include "units/metric/KovUnitForceBase.h"

// KovUnitKiloNewton: a force (internal unit: kilonewton) shown as one decimal number in the display
// unit given by `factor`, internal units per display unit (0.001 shows newtons).
class KovUnitKiloNewton : public KovUnitForceBase {
 public:
  // Factor 1.0, two decimals, power 1.
  KovUnitKiloNewton() = default;
  KovUnitKiloNewton(const KovUnitKiloNewton& other) = default;

  // value / factor with `precision` decimals (none when noDecimals is set), in the
  // regional form when useRegionalSettings is set, trailing zeros removed on request;
  // no symbol. Only value and trimTrailingZeros are read. A quotient that is not
  // finite shows as "nan", "inf" or "-inf".
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  // 1 when the text, blanks trimmed, starts with a number ("12.5", "-3", "1e3",
  // "12abc"); 0 for "", "abc", "-".
  int isValidString(const KovString& text) const override;

  // The leading number of the typed text times factor (0 when there is none). The
  // text is not trimmed and never read in the regional form.
  double getKiloNewton(const KovString& text) const override;
  double getNewtonPerSquareMm(const KovString& text) const override;

  int isMetric() const override { return 1; }
  int isFractional() const override { return 0; }
  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};
