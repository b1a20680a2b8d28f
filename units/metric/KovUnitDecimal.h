#pragma once

#include "units/metric/KovUnitDecimalBase.h"

// KovUnitDecimal: a length, area, volume or fourth power shown as one decimal number
// in the display unit given by `factor` (internal millimetres per display unit:
// 1000 shows metres). Typed numbers and fractions are read by KovUnitDecimalBase.
//
// Areas whose factor is not a power of ten (645.16 for square inches) carry the
// suffix " \u00B2" in the display, and the validator accepts it.
class KovUnitDecimal : public KovUnitDecimalBase {
 public:
  // Factor 1.0, two decimals, power 1.
  KovUnitDecimal() = default;
  KovUnitDecimal(const KovUnitDecimal& other) = default;
  KovUnitDecimal& operator=(const KovUnitDecimal& other) = default;

  // value / factor with `precision` decimals (none when noDecimals is set), in the
  // regional form when useRegionalSettings is set, trailing zeros removed on request,
  // then the area suffix when it applies. Only value and trimTrailingZeros are read.
  // A quotient that is not finite shows as "nan", "inf" or "-inf".
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  // 1 for a plain decimal number or one being typed, blanks around it ignored:
  // "12.5", "-12,5", ".5", "5.", "-", "-.5", "1.2.3". 0 for "", ".", blanks inside,
  // fractions, exponents, '+', letters and "-5.". With the area suffix in force the
  // last two characters of a text longer than two are dropped unseen. With the
  // regional flag on, the user's group separator is accepted as well, as the display
  // writes it ("1’234.568" de_CH, "1 234,568" fr_FR).
  int isValidString(const KovString& text) const override;

  int isMetric() const override { return 1; }
  int isFractional() const override { return 0; }
  KovUnitTransform* clone() const override { return cloneUnit(*this); }

 private:
  // Power 2 and a factor that is not an integral power of ten (log10 below 28).
  bool hasAreaSuffix() const;
  // The user's thousands separator, 0 when the locale has none or cannot be read.
  static wchar_t userGroupSeparator();
  static bool sameGroupSeparator(wchar_t c, wchar_t group);
};
