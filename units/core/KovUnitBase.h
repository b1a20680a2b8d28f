#pragma once

#include <new>

#include "KovUnitTransform.h"
#include "units/core/NumberText.h"

// KovUnitBase: the common base of every concrete unit. It adds the virtual
// destructor (slot 19), the `noDecimals` switch and the power-of-ten precision
// (100 means two decimals) that most units use, and the shared display and
// reading steps of the unit families.
class KovUnitBase : public KovUnitTransform {
 public:
  KovUnitBase();
  KovUnitBase(const KovUnitBase& other) = default;
  KovUnitBase& operator=(const KovUnitBase& other) = default;
  virtual ~KovUnitBase();

  // 10 raised to the number of decimals (1 to 1e9).
  int getPrecision() const override;
  // Decimals = log10(value) truncated; below 10 (also 0 and negative): no decimals.
  void setPrecision(int value) override;
  // One more decimal, up to 9; returns 1.
  int incrementPrecision() override;

  int getNoDecimals() const { return noDecimals; }

  // Reads "3/4", "1 3/4", "1-3/4", "-1 3/4" into one numerator and one denominator
  // (the whole number folded into the numerator). Returns the integer value of the
  // text after the '/' (0 when it is 0 or not a number), having written both outputs;
  // returns 0 without writing when the text holds '.' or ',' or no '/' after its
  // first character.
  int parseFraction(const KovString& text, double* numeratorOut, double* denominatorOut) const;
  // The same for the characters [begin, end) of the text, read in place.
  int parseFraction(const KovString& text, int begin, int end, double* numeratorOut,
                    double* denominatorOut) const;

 protected:
  // Decimals of the number displays: 0 when noDecimals is set.
  int displayDecimals() const { return noDecimals != 0 ? 0 : precision; }

  // The number display sequence shared by the decimal displays: `number` written
  // with displayDecimals() decimals, negative zero without its '-', the regional
  // form when useRegionalSettings is set, trailing zeros removed on request.
  KovString displayNumber(double number, int trimTrailingZeros) const;

  // The end of the number display sequence for a neutral number text: the regional
  // form when useRegionalSettings is set, then trailing zeros removed on request
  // (as removeTrailingZeros does), with the user's settings read once.
  void finishNumber(KovString& text, int trimTrailingZeros) const;

  // When trimTrailingZeros is set and the text has a decimal separator, removes
  // trailing '0's and then trailing '.' and ','. The separator looked for is the
  // user's when useRegionalSettings is exactly 1, else '.' or ','.
  void removeTrailingZeros(KovString& text, int trimTrailingZeros) const;

  // Steps shared by the metric decimal displays and the angle validators:
  // value / factor through the number display sequence; a value that is not
  // finite shows as "nan", "inf" or "-inf" whatever the factor, and so does a
  // quotient that is not finite.
  KovString displayScaledNumber(double value, int trimTrailingZeros) const;
  // 1 when the text, blanks trimmed, starts with a number ("12abc", "1e3", "-.5",
  // "inf"); 0 for an empty text or one that starts with anything else ("-", "abc").
  int startsWithNumber(const KovString& text) const;

  // The shared body of every clone(): a heap copy, or null when no memory is left.
  template <class Unit>
  static KovUnitTransform* cloneUnit(const Unit& unit) {
    return new (std::nothrow) Unit(unit);
  }

  int noDecimals;
};
