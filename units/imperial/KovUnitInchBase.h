#pragma once

#include <cmath>

#include "units/core/Definitions.h"
#include "units/core/IntRange.h"
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
  static constexpr double kMillimetresPerInch = pelunits::definitions::kInch.value();
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
  // The scales of a given power; power 1, the usual one, is read without computing.
  static Scales scalesOfPower(int power) noexcept;
  static void normalizeFeetInches(int& feet, double& inches, const Scales& scales) noexcept;
  // The foot split overflowed: the whole length was left in inches (see above).
  static bool feetDidNotFit(int feet, double inches, const Scales& scales) noexcept;

 private:
  static Scales scalesOfOtherPower(int power) noexcept;
};

// base^exponent by repeated squaring: the result is multiplied by the running
// power for each set bit of |exponent|; a negative exponent gives 1 / result.
double powerBySquaring(double base, int exponent) noexcept;
// base^exponent by repeated multiplication. From exponent 4 on it can differ from
// powerBySquaring in the last bit, and the fractional display's values follow it.
double powerByMultiplication(double base, int exponent) noexcept;

// The foot split, inline because every feet-inch display runs it once per value.
namespace pelunits {

// The value of a (feet, inches) pair in inch units; a negative feet count makes the
// inches count away from zero whatever their own sign ("-5' 6"" is -66 inches).
inline double totalInches(int feet, double inches, double s12) noexcept {
  // A zero feet count adds nothing, also when an absurd power made s12 infinite.
  const double feetInches = feet != 0 ? static_cast<double>(feet) * s12 : 0.0;
  return feet < 0 ? feetInches - std::fabs(inches) : feetInches + inches;
}

inline void splitFeetInches(int& feet, double& inches, double s12, double s254) noexcept {
  // The order of these steps fixes the last bit of every documented value
  // (5'6 reads as 1676.3999999999999): do not fold or reorder them.
  const double millimetres = s254 * totalInches(feet, inches, s12);
  const double tolerance = millimetres < 0 ? -KovUnitInchBase::kFootSplitTolerance
                                           : KovUnitInchBase::kFootSplitTolerance;
  int wholeFeet = 0;
  if (!truncateToInt(millimetres / (s12 * s254) + tolerance, wholeFeet)) {
    // More feet than an int holds (or no finite length): keep it whole in inches.
    feet = 0;
    inches = millimetres / s254;
    return;
  }
  feet = wholeFeet;
  if (feet == 0) {
    inches = millimetres / s254;
  } else {
    inches = std::fabs(millimetres) / s254 - std::fabs(static_cast<double>(feet)) * s12;
  }
}

}  // namespace pelunits

inline KovUnitInchBase::Scales KovUnitInchBase::scalesOfPower(int power) noexcept {
  // 1.0 x base is base exactly, so power 1 needs no loop.
  if (power == 1) return Scales{kInchesPerFoot, kMillimetresPerInch};
  return scalesOfOtherPower(power);
}

inline void KovUnitInchBase::normalizeFeetInches(int& feet, double& inches,
                                                 const Scales& scales) noexcept {
  pelunits::splitFeetInches(feet, inches, scales.inchesPerFoot, scales.millimetresPerInch);
}

inline bool KovUnitInchBase::feetDidNotFit(int feet, double inches, const Scales& scales) noexcept {
  return feet == 0 && !(std::fabs(inches) < scales.inchesPerFoot);
}
