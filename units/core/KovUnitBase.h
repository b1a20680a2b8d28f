#pragma once

#include <cmath>
#include <new>

#include "KovUnitTransform.h"

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

 protected:
  // Decimals of the number displays: 0 when noDecimals is set.
  int displayDecimals() const { return noDecimals != 0 ? 0 : precision; }

  // The number display sequence shared by the decimal displays: `number` written
  // with displayDecimals() decimals, negative zero without its '-', the regional
  // form when useRegionalSettings is set, trailing zeros removed on request.
  KovString displayNumber(double number, int trimTrailingZeros) const;

  // When trimTrailingZeros is set and the text has a decimal separator, removes
  // trailing '0's and then trailing '.' and ','. The separator looked for is the
  // user's when useRegionalSettings is exactly 1, else '.' or ','.
  void removeTrailingZeros(KovString& text, int trimTrailingZeros) const;

  // Steps shared by the metric decimal displays and readers (decimal length, weight,
  // force, moment, stress):
  // value / factor through the number display sequence; a value that is not
  // finite shows as "nan", "inf" or "-inf" whatever the factor, and so does a
  // quotient that is not finite.
  KovString displayScaledNumber(double value, int trimTrailingZeros) const;
  // 1 when the text, blanks trimmed, starts with a number ("12abc", "1e3", "-.5",
  // "inf"); 0 for an empty text or one that starts with anything else ("-", "abc").
  int startsWithNumber(const KovString& text) const;
  // The leading number of the text (untrimmed, never regional) times factor; 0 when
  // the text starts with no number.
  double readScaledNumber(const KovString& text) const;

  int noDecimals;
};

// A number text made by KovString::appendFixed that reads back as 0 loses its
// leading '-' characters: negative zero shows as "0.00".
void dropNegativeZeroSign(KovString& text);

// True when a number text made by KovString::appendFixed reads back as exactly 0.
bool numberTextIsZero(const KovString& text);

// Appends `number` written with `decimals` decimals, without the '-' of a number
// text that reads back as 0: the same characters as a separate text passed
// through dropNegativeZeroSign, without the separate text.
void appendNumber(KovString& text, double number, int decimals);

// std::fmod(x, 1.0), bit for bit, without the division loop of fmod: x - trunc(x)
// is exact for every finite x, and the sign of a zero result is that of x as fmod
// gives it.
inline double fractionalPart(double x) noexcept { return std::copysign(x - std::trunc(x), x); }

// std::fmod(x, y), bit for bit: a value already inside the period is its own
// remainder, and only the others go through fmod.
inline double remainderOf(double x, double y) noexcept {
  return std::fabs(x) < std::fabs(y) ? x : std::fmod(x, y);
}

// 10 raised to n, the same double as std::pow(10.0, n); from a table for 0 to 22,
// whose powers of ten doubles hold exactly.
double powerOfTen(int n) noexcept;

// The display of a non-finite value, the same in every unit: "nan", "inf", "-inf".
KovString nonFiniteText(double value);

// The shared body of every clone(): a heap copy, or null when no memory is left.
template <class Unit>
KovUnitTransform* cloneUnit(const Unit& unit) {
  return new (std::nothrow) Unit(unit);
}
