#pragma once

#include "units/core/KovUnitBase.h"

// KovUnitScaledNumber: the shared base of the weight, force and moment family bases.
// Their units show a quantity as one decimal number in the display unit given by
// `factor`, internal units per display unit (1000 shows kilograms for grams, 0.001
// newtons for kilonewtons), and read it back as the leading number of the typed text.
// The leaf classes add only their reader.
class KovUnitScaledNumber : public KovUnitBase {
 public:
  int isMetric() const override { return 1; }
  int isFractional() const override { return 0; }

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

 protected:
  // The leading number of the typed text times factor (0 when there is none). The
  // text is not trimmed and never read in the regional form.
  double readScaledNumber(const KovString& text) const;
};
