#pragma once

#include "units/metric/KovUnitMomentBase.h"

// KovUnitKiloNewtonMeter: a moment (internal unit: kilonewton-metre) shown as one decimal number in
// the display unit given by `factor`, internal units per display unit (0.001 shows newton-metres).
class KovUnitKiloNewtonMeter : public KovUnitMomentBase {
 public:
  // Factor 1.0, two decimals, power 1.
  KovUnitKiloNewtonMeter() = default;
  KovUnitKiloNewtonMeter(const KovUnitKiloNewtonMeter& other) = default;

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
  double getKiloNewtonMeter(const KovString& text) const override;

  int isMetric() const override { return 1; }
  int isFractional() const override { return 0; }
  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};
