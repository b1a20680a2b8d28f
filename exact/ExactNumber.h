#pragma once

#include <cstdint>

#include "PowersOfTen.h"
#include "units/core/Definitions.h"

// The exact value of a typed quantity: a rational number whose numerator and
// denominator are 128-bit integers, rounded to the nearest double once, at the end.
// The values typed in practice (decimals of up to 19 digits, fractions, feet and
// inches, minutes and seconds, the units' exact definitions) stay far inside these
// integers. An operation whose result would leave them makes the number inexact, and
// the reader then keeps the value it computed beside it in double arithmetic, with
// one rounding per step: within a few units in the last place (n steps of a text give
// at most n half-units, each relative to the step's own result). A toolchain without
// 128-bit integers takes that value always.
namespace pelunits {
namespace exact {

// A small exact size: a unit word's or a factor's size in internal units.
using Ratio = ExactRatio;

class ExactNumber {
 public:
  ExactNumber() = default;
  static ExactNumber of(Ratio ratio);
  static ExactNumber ofInteger(std::uint64_t value) { return of(Ratio{value, 1}); }
  // mantissa × 10^exponent10; inexact beyond 10^±38.
  static ExactNumber decimal(std::uint64_t mantissa, int exponent10);
  // The exact binary value of a finite double.
  static ExactNumber ofDouble(double value);
  static ExactNumber inexact() { return ExactNumber(); }

  bool exact() const { return exact_; }
  // The number as a ratio of 64-bit integers and its sign; false when it is inexact or
  // needs wider integers.
  bool smallRatio(Ratio& out, bool& negative) const;
  void negate() { negative_ = !negative_; }
  void add(const ExactNumber& other);  // this + other
  void multiply(const ExactNumber& other);
  void divide(const ExactNumber& other);  // other is not zero
  void raise(int power);                  // power 1 to 4

  // The nearest double, ties to even; false when inexact. A zero leaves a zero `out`
  // alone, so that the double arithmetic's signed zero stands, and makes any other 0.
  bool nearestDouble(double& out) const;

 private:
#if defined(__SIZEOF_INT128__)
  using Wide = unsigned __int128;
  Wide numerator_ = 0;
  Wide denominator_ = 1;
#endif
  bool negative_ = false;
  bool exact_ = false;
};

// The exact size behind a unit's factor (a double): the definition it was rounded
// from when it is one of the derived units whose size no short decimal writes
// (pounds-force per square inch, kip-feet, ...), else its shortest decimal of up to 15
// digits (304.8, 0.45359237), else the double itself (a full circle in radians: 2π
// rounded to the nearest double).
ExactNumber exactFactor(double factor);

// base^power in double arithmetic, one rounding per multiplication: the size beside the
// exact one, for a text whose exact value leaves the 128-bit range.
inline double raised(double base, int power) {
  double result = 1.0;
  for (int i = 0; i < power && i < 64; ++i) result *= base;
  return result;
}

}  // namespace exact
}  // namespace pelunits
