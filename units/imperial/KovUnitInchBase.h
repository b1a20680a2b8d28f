#pragma once

#include "units/core/KovUnitBase.h"

// Family base of the imperial length units (KovUnitInch, KovUnitFractalInch): both
// read typed feet-and-inch text the same way and split lengths into whole feet and
// the inches left below one foot.
//
// Powers: a length of power p is kept in millimetres^p and split in foot units of
// 12^p inch units, each inch unit being 25.4^p millimetre units (p = 2: square feet,
// square inches, square millimetres). `factor` is not read: the constant 25.4 is.
class KovUnitInchBase : public KovUnitBase {
 public:
  static constexpr double kMillimetresPerInch = 25.4;
  static constexpr double kInchesPerFoot = 12.0;
  // Tolerance of the foot split, in foot units, added away from zero before
  // truncation: 11.99999 inches count as one foot.
  static constexpr double kFootSplitTolerance = 1e-5;

  // Typed imperial length to millimetres raised to the power. Never refuses a text:
  // ‹5' 6 1/2"›, ‹5'-6.5"›, ‹5'6›, ‹6 1/2›, ‹-6.5"›, ‹5.5'› (decimal feet) and
  // ‹1 1/2'› (fractional feet) are read; text after decimal or fractional feet is
  // ignored; a text that holds no number, starts with the feet mark or with '/'
  // reads as 0. The sign of a feet-and-inch text is the sign of the feet number
  // ("-0' 6"" is +6 inches: a '-' behind the feet mark is a separator). Numbers too
  // large for the feet to fit an int are kept whole in inches; "1e400"" gives inf.
  double getMillimeters(const KovString& text) const override;

  // Rewrites (feet, inches) of any signs into whole feet and the inches left below
  // one foot unit: when feet is not 0 it carries the sign and inches is the
  // magnitude of the rest (a hair below 0 when the tolerance rounded up a foot);
  // when feet is 0, inches carries the sign. When the whole feet of the length do
  // not fit an int (or the length is not finite), feet becomes 0 and inches holds
  // the whole length; callers recognise this by |inches| not below one foot unit.
  void normalizeFeetInches(int& feet, double& inches) const;

  // Readers of typed text with and without a fraction; 1 when read, 0 when not.
  // A reader that gives up leaves what it had read so far (0 and 0 unless the
  // feet of a feet-and-inch text were already read).
  int parseFeetInchFraction(const KovString& text, int& feet, double& inches) const;
  int parseFeetInchDecimal(const KovString& text, int& feet, double& inches) const;

 protected:
  // 12^power (inch units per foot unit) and 25.4^power (millimetre units per inch
  // unit) by repeated squaring, the scales of every feet-inch conversion; computed
  // once per call and handed to the steps.
  struct Scales {
    double inchesPerFoot;
    double millimetresPerInch;
  };
  Scales scales() const;
  void normalizeFeetInches(int& feet, double& inches, const Scales& scales) const;
  // The foot split overflowed: the whole length was left in inches (see above).
  static bool feetDidNotFit(int feet, double inches, const Scales& scales);
};

// base^exponent by repeated squaring: the result is multiplied by the running
// power for each set bit of |exponent|; a negative exponent gives 1 / result.
double powerBySquaring(double base, int exponent) noexcept;
// base^exponent by repeated multiplication. From exponent 4 on it can differ from
// powerBySquaring in the last bit; each conversion keeps the one it has always used.
double powerByMultiplication(double base, int exponent) noexcept;
