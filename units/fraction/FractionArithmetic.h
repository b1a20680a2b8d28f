#pragma once

#include "KovUnitTransform.h"
#include "units/core/DisplayText.h"

// The arithmetic that both fractional units (KovUnitFractalInch,
// KovUnitFractalDecimal) share: rounding a real number to a whole part and a
// reduced fraction of a given denominator, and the fraction markup with which
// getDisplayStringArch hands a fraction to the host's typesetting.
namespace pelunits {

// The working power of ten for a denominator: the smallest of 10, 100, ...,
// 1,000,000 that is not below ten times the denominator (1: 10, 16: 1,000,
// 128: 10,000, above 10,000: 1,000,000).
double fractionResolution(int denominator) noexcept;

// The greatest common divisor of the magnitudes; 1 when either argument is 0, never
// below 1.
int greatestCommonDivisor(int a, int b) noexcept;

// The greatest common divisor of two unsigned values by shifts and subtractions;
// gcd(0, v) is v. The same result as std::gcd, without its divisions.
unsigned binaryGreatestCommonDivisor(unsigned u, unsigned v) noexcept;

// value / divisor for a divisor > 0 that divides value exactly (a fraction's
// numerator or denominator by their common divisor).
int exactQuotient(int value, int divisor) noexcept;

// s / p, truncated toward zero like the operator, for p > 0; the resolutions 10 to
// 10^6 of fractionResolution divide by a constant.
long long quotientByResolution(long long s, long long p) noexcept;

enum class FractionRounding {
  // To the nearest step, halves away from zero (the plain displays).
  kNearestStep,
  // A positive fractional part to the nearest step with halves going up, a
  // negative one always toward zero (the feet-inch-fraction markup display).
  kPositiveHalfUp
};

struct RoundedFraction {
  int whole = 0;
  int numerator = 0;    // sign of the fractional part; |numerator| < denominator
  int denominator = 0;  // 0 together with the numerator when the fraction carried
  bool hasFraction() const noexcept { return numerator != 0 && denominator != 0; }
};

// Splits x into whole units and a reduced fraction of 1/denominator steps,
// computed at the resolution 1/(denominator x fractionResolution). A fraction that
// rounds to a whole unit carries into the whole part. Works for every denominator
// from 1 to the largest int (the steps run in 64 bits); a denominator below 1 is
// taken as 1. Returns false, with whole 0 and no fraction, when x is not finite or
// its whole part (after a carry) would not fit an int.
bool roundToFraction(double x, int denominator, FractionRounding rounding,
                     RoundedFraction& out) noexcept;

// Appends "#fraction(r,l,s,p,n,d)": the two enumerations and stackedFlag (0 or 1)
// as decimal integers, fractionParameter as "%f" (six decimals), then the numerator
// with its sign and the denominator.
void appendFractionMarkup(DisplayText& text,
                          KovUnitTransform::eFractionRepresentation representation,
                          KovUnitTransform::eFractionLineArrangement lineArrangement,
                          bool stackedFlag, double fractionParameter, int numerator,
                          int denominator);

}  // namespace pelunits
