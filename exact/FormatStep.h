#pragma once

#include <cstdint>

#include "PelUnitsFormat.h"

// The rounding step of format(), in the unit of the part it rounds (the display unit,
// inches, seconds or ounces), and the rounding to it.
namespace pelunits {
namespace exact {

// units × 10^exponent10 for a decimal step, units / denominator for a fraction step
// (one of the two is 0 or 1 respectively).
struct Step {
  std::uint64_t units = 1;
  std::uint64_t denominator = 1;
  int exponent10 = 0;

  bool isDecimal() const noexcept { return denominator == 1; }
  // Decimals of a decimal step's multiples: 2 for 0.25, 0 for 5 or 500.
  int decimals() const noexcept { return exponent10 < 0 ? -exponent10 : 0; }
  // x counted in steps, with as few roundings as the step allows.
  double count(double x) const noexcept;
  // `steps` steps as a double, for comparisons.
  double times(double steps) const noexcept;
};

// The largest power of ten not above `size` (> 0 and finite).
Step powerOfTenBelow(double size) noexcept;

// The step of `size` (> 0 and finite) as the shortest decimal of up to 9 digits that
// holds it within 1e-12 relative; else powerOfTenBelow(size).
Step decimalStep(double size) noexcept;

// The same as a fraction of a denominator up to 4096 (5 mm in inches is 25/127);
// else powerOfTenBelow(size) as a fraction.
Step fractionStep(double size) noexcept;

// The decimal steps' powers of ten, correctly rounded on every runtime: from a table for
// e from -22 to 22, which costs far less than the rest of a decimal format(), else read
// from their text.
double tenToThe(int e) noexcept;

// floor(log10(size)) for a positive finite size, exact at the powers of ten: estimated
// from the binary exponent and settled by comparing with tenToThe, which costs less than
// the logarithm; the second form takes the logarithm, for the tests that hold them equal.
int decimalExponentOf(double size) noexcept;
int decimalExponentOfByLog(double size) noexcept;

// 10^exponent10 as a step.
Step powerOfTen(int exponent10) noexcept;

// The whole number of steps that `steps` rounds to (see Rounding in PelUnitsFormat.h).
// A count within 8 units in its last place of a whole number or a tie counts as one. Counts
// past 2^52 are whole already and come back as they are, non-finite ones too.
double roundSteps(double steps, Rounding rounding) noexcept;

}  // namespace exact
}  // namespace pelunits
