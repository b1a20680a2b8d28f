#pragma once

#include "units/fraction/FractionArithmetic.h"
#include "units/imperial/KovUnitInchBase.h"

// KovUnitFractalInch: an imperial length shown in whole feet, whole inches and a
// fraction of an inch, ‹5'-3 1/2"›, with a step of 1/denominator inch (1/4 unless
// set). Reads typed text with the feet-inch parser of KovUnitInchBase.
class KovUnitFractalInch : public KovUnitInchBase {
 public:
  // factor 25.4 (stored, not read), denominator 4, power 1.
  KovUnitFractalInch();
  KovUnitFractalInch(const KovUnitFractalInch& other) = default;

  // The denominator (16 for sixteenths); a denominator below 1 is stored as 1.
  int getPrecision() const override;
  void setPrecision(int value) override;
  // Twice the denominator; a doubling past the int range leaves it. Returns 1.
  int incrementPrecision() override;

  // Whole feet, whole inches and the nearest fraction (halves away from zero):
  // ‹5'-3 1/2"›, ‹5' 3 1/2"› (blank separator), ‹1'-0"› (11.99" carries into a
  // foot), ‹-5'-3 1/2"›; with the feet hidden when there are none ‹-3 1/2"›,
  // ‹1/2"›; with zero inches hidden ‹5'›. Between -1 and 0 inch with the feet shown
  // the sign sits on the fraction behind a zero: ‹0'-0 -1/2"›. Power 2 appends
  // " ²". Lengths whose feet do not fit an int show as whole inches alone; non-finite
  // values show "nan", "inf" or "-inf".
  KovString getDisplayString(double value, int trimTrailingZeros, int trimLeadingZero,
                             int hideZeroFeet, int hideZeroInches,
                             wchar_t separator) const override;

  // As getDisplayString, but the fraction is the markup "#fraction(...)" right
  // behind the inch number (‹5'-3#fraction(0,0,0,1.000000,1,2)"›), rounded with
  // positive halves up and negative rests toward zero; a dash after the feet and the
  // inch mark only on request; zero with the feet hidden gives an empty text. No
  // trailing-zero step and no area suffix.
  KovString getDisplayStringArch(double value, int trimTrailingZeros,
                                 eFractionRepresentation representation,
                                 eFractionLineArrangement lineArrangement, double fractionParameter,
                                 bool showInchMark, bool stackedFlag, bool dashAfterFeet,
                                 bool extraFlag, int trimLeadingZero, int hideZeroFeet,
                                 int hideZeroInches, wchar_t separator) const override;

  // Accepts the shapes of a typed feet-inch-fraction length: ‹5'›, ‹5.5'›,
  // ‹5' 6 1/2"›, ‹5'-6"›, ‹5'6›, ‹6 1/2"›, ‹1/2›, ‹-1/2"› (numbers are plain decimals
  // with an optional '-'; text after the first inch mark is not examined; with power
  // 2 the last two characters are dropped first). Refuses an inch mark before the
  // feet mark, a mark that is not last, a '/' at either end of its piece, letters,
  // '+', a dash between inches and fraction, a fraction in the feet.
  int isValidString(const KovString& text) const override;

  int isAngle() const override { return 0; }
  int isMetric() const override { return 0; }
  int isFractional() const override { return 1; }
  KovUnitTransform* clone() const override;

  // Slot 20: an optional leading '-', then decimal digits with at most one '.',
  // blanks around it ignored. The empty text and a lone '-' pass; a lone '.' does
  // not.
  virtual bool isDecimalNumber(const KovString& text) const;

 protected:
  int denominator;

 private:
  struct Parts {
    long long feet = 0;
    int inches = 0;
    int numerator = 0;
    int denominator = 0;
  };
  // Inches from the value, the foot split, the rounding and the foot carry shared
  // by both displays, for a length of power lengthPower. False when the feet do not
  // fit an int: `wholeInches` then holds the value in inch units for the
  // inches-only text.
  bool splitValue(double value, int lengthPower, pelunits::FractionRounding rounding,
                  bool roundZero, Parts& parts, double& wholeInches) const;
};
