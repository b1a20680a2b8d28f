#pragma once

#include "units/fraction/FractionArithmetic.h"
#include "units/metric/KovUnitDecimalBase.h"

// KovUnitFractalDecimal: a quantity in a decimal unit (value / factor) with the part
// below one unit as a fraction of step 1/denominator (1/4 unless set): ‹3 1/4›,
// ‹-1/2›, ‹12›. Values too small for a nonzero fraction fall back to a decimal
// number with `precision` decimals. Typed text is read as by the decimal unit.
class KovUnitFractalDecimal : public KovUnitDecimalBase {
 public:
  // factor 1.0, denominator 4, two decimals for the fallback, power 1.
  KovUnitFractalDecimal();
  KovUnitFractalDecimal(const KovUnitFractalDecimal& other) = default;

  // ‹3 1/4›, ‹3-1/4› (any separator but the blank), ‹-3 1/4›, ‹-1/2›, ‹3› (2.9 at
  // quarters); ‹0.10› for a value with no nonzero step (decimal fallback, trimmed on
  // request). Values whose whole part does not fit an int show the decimal fallback;
  // non-finite values show "nan", "inf" or "-inf". Never regional.
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  // Accepts ‹3 1/2›, ‹-3 1/2›, ‹1/2›, ‹-1/2›, ‹12/16›, the partial ‹3 1/› and a plain
  // number ‹3›, ‹-2.5› (numbers are unsigned decimals with an optional '-'). Refuses
  // feet and inch marks, a leading '/', a blank not followed by a fraction, letters
  // and the empty text.
  int isValidString(const KovString& text) const override;

  // The whole number, the separator and the fraction markup "#fraction(...)" with
  // the numerator's magnitude (‹3 #fraction(1,1,1,0.500000,7,8)"›), or the markup
  // alone with the signed numerator below one unit; the inch mark on request. Zero
  // and values with no nonzero step give an empty text; values whose whole part
  // does not fit an int show as the rounded whole number.
  // (The parameters as KovUnitTransform names them.)
  KovString getDisplayStringArch(double, int, eFractionRepresentation, eFractionLineArrangement,
                                 double, bool, bool, bool, bool, int, int, int,
                                 wchar_t) const override;

  // The precision is the denominator, stepped as in KovUnitFractalInch.
  int getPrecision() const override;
  void setPrecision(int value) override;
  int incrementPrecision() override;

  int isAngle() const override { return 0; }
  int isMetric() const override { return 1; }
  int isFractional() const override { return 1; }
  KovUnitTransform* clone() const override;

 protected:
  int denominator;
};
