#pragma once

#include "units/angle/KovUnitDegreeBase.h"

// KovUnitGradMinSec: angles shown as degrees, minutes and seconds ("10°30'15\"").
// How far the text goes is set by `denominator`, which takes the place of the
// decimal precision: 0 or noDecimals whole degrees, 60 minutes, 3600 whole
// seconds, 36000 seconds with one decimal, each further factor of 10 roughly one
// more decimal. `factor`, `precision` and the regional flag are not read: the
// display reduces modulo 360 and always writes '.' in the seconds.
class KovUnitGradMinSec : public KovUnitDegreeBase {
 public:
  KovUnitGradMinSec() = default;
  KovUnitGradMinSec(const KovUnitGradMinSec& other) = default;

  // Blanks around the text ignored. The marks present must stand in the order
  // ° ' "; the text in front of ° must start with an integer, between ° and ' an
  // integer, in front of ' (without °) an integer, and in front of " a real number.
  // A text without marks is valid ("", "abc" included); the letter 'd' is no mark
  // here; text after the last mark is not examined.
  int isValidString(const KovString& text) const override;

  // fmod(value, 360) as degrees, minutes and seconds with their marks; the sign is
  // written once, on the degrees, and a degrees text that reads 0 has none
  // (-0.5 -> "0°30'"). Minutes are cut, seconds rounded but never carried
  // (10.99999 -> "10°59'60\"" at 3600). Non-finite values give "nan", "inf", "-inf".
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  // Returns `denominator`.
  int getPrecision() const override;
  // value > 0 becomes the denominator; 0 and below mean whole degrees (denominator
  // 1 with noDecimals set).
  void setPrecision(int value) override;
  // 1 -> 60 (clearing noDecimals), 60 -> 3600, anything else times 10 (0 stays 0),
  // saturating at the largest int. Returns 1.
  int incrementPrecision() override;

  KovUnitTransform* clone() const override { return cloneUnit(*this); }

 protected:
  int denominator = 0;
};
