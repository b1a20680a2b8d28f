#include "units/fraction/FractionArithmetic.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "units/core/IntRange.h"
#include "units/core/NumberText.h"

namespace pelunits {

double fractionResolution(int denominator) noexcept {
  // Widened: ten times a large denominator does not fit an int.
  const long long tenTimes = 10LL * denominator;
  long long power = 10;
  int k = 1;
  while (tenTimes > power && k < 6) {
    power *= 10;
    ++k;
  }
  return static_cast<double>(power);
}

namespace {

// The number of trailing zero bits of a nonzero value.
int trailingZeros(unsigned value) noexcept {
#if defined(__GNUC__)
  return __builtin_ctz(value);
#else
  int count = 0;
  for (; (value & 1U) == 0; value >>= 1) ++count;
  return count;
#endif
}

}  // namespace

unsigned binaryGreatestCommonDivisor(unsigned u, unsigned v) noexcept {
  if (u == 0) return v;
  if (v == 0) return u;
  // A power of two (the inch denominators) shares only factors of two: the divisor
  // is the lowest set bit of u | v, found without the loop whose length, and so
  // whose branches, depend on the numerator.
  if ((v & (v - 1)) == 0) return (u | v) & (0U - (u | v));
  // Stein's algorithm: the common factors of two come out as one count of trailing
  // zeros, and each step is a shift and a subtraction where std::gcd divides; the
  // small denominators of the displays need only a few steps.
  const int shift = trailingZeros(u | v);
  u >>= trailingZeros(u);
  do {
    v >>= trailingZeros(v);
    if (u > v) std::swap(u, v);
    v -= u;
  } while (v != 0);
  return u << shift;
}

long long quotientByResolution(long long s, long long p) noexcept {
  // Each case divides by a constant, which the compiler turns into a multiplication
  // and shifts instead of a 64-bit division.
  switch (p) {
    case 10:
      return s / 10;
    case 100:
      return s / 100;
    case 1000:
      return s / 1000;
    case 10000:
      return s / 10000;
    case 100000:
      return s / 100000;
    case 1000000:
      return s / 1000000;
    default:
      return s / p;
  }
}

int exactQuotient(int value, int divisor) noexcept {
  // The usual divisors are powers of two (the denominators 2 to 64 of the inch
  // fractions): then the division is a shift of the magnitude instead. Exact, so the
  // shift of the magnitude truncates nothing.
  if ((divisor & (divisor - 1)) != 0) return value / divisor;
  const int shift = trailingZeros(static_cast<unsigned>(divisor));
  const unsigned magnitude =
      value < 0 ? 0U - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  // The sign put back in unsigned arithmetic, where INT_MIN / 1 does not overflow.
  const unsigned quotient = magnitude >> shift;
  return static_cast<int>(value < 0 ? 0U - quotient : quotient);
}

int greatestCommonDivisor(int a, int b) noexcept {
  if (a == 0 || b == 0) return 1;
  // Magnitudes in 32-bit unsigned arithmetic, where INT_MIN has one too. Only
  // gcd(INT_MIN, INT_MIN) = 2^31 does not fit an int; leaving that pair unreduced
  // is still a correct fraction.
  const unsigned u = a < 0 ? 0U - static_cast<unsigned>(a) : static_cast<unsigned>(a);
  const unsigned v = b < 0 ? 0U - static_cast<unsigned>(b) : static_cast<unsigned>(b);
  const unsigned divisor = binaryGreatestCommonDivisor(u, v);
  return divisor <= static_cast<unsigned>(INT_MAX) ? static_cast<int>(divisor) : 1;
}

bool roundToFraction(double x, int denominator, FractionRounding rounding,
                     RoundedFraction& out) noexcept {
  out = RoundedFraction{};
  // The margin of one keeps the carry of step 7 inside the int range too.
  if (!(std::fabs(x) < 2147483647.0)) return false;
  const int n = denominator < 1 ? 1 : denominator;  // below 1: whole units only
  int whole = 0;
  truncateToInt(x, whole);  // in range by the test above
  const double f = pelunits::fractionalPart(x);
  const double resolution = fractionResolution(n);
  const long long p = static_cast<long long>(resolution);
  // |n x f| < 2^31 and p <= 10^6, so s fits 64 bits exactly. The product is formed
  // as (n x f) x P: that order decides which side of a step a value lands on.
  const long long s = static_cast<long long>((static_cast<double>(n) * f) * resolution);
  // One division: s = q x P + r with r of the sign of s, like fmod. Moving s to the
  // next multiple of P away from zero (or to q x P) changes q by one (or not at all).
  const long long q = quotientByResolution(s, p);
  const long long r = s - q * p;
  long long steps = q;
  if (rounding == FractionRounding::kNearestStep) {
    if (2 * std::llabs(r) >= p) steps += f > 0 ? 1 : -1;
  } else if (2 * r >= p) {
    ++steps;
  }
  int numerator = static_cast<int>(steps);  // |steps| <= n
  int resultDenominator = n;
  const bool carried = rounding == FractionRounding::kNearestStep
                           ? std::abs(numerator) == resultDenominator
                           : numerator == resultDenominator;
  if (carried) {
    numerator = 0;
    resultDenominator = 0;
    whole += x > 0 ? 1 : -1;
  }
  const int divisor = greatestCommonDivisor(numerator, resultDenominator);
  out.whole = whole;
  out.numerator = exactQuotient(numerator, divisor);
  out.denominator = exactQuotient(resultDenominator, divisor);
  return true;
}

void appendFractionMarkup(DisplayText& text,
                          KovUnitTransform::eFractionRepresentation representation,
                          KovUnitTransform::eFractionLineArrangement lineArrangement,
                          bool stackedFlag, double fractionParameter, int numerator,
                          int denominator) {
  text.append(L"#fraction(", 10);
  text.appendInt(representation);
  text += L',';
  text.appendInt(lineArrangement);
  text.append(stackedFlag ? L",1," : L",0,", 3);
  text.appendFixed(fractionParameter, 6);
  text += L',';
  text.appendInt(numerator);
  text += L',';
  text.appendInt(denominator);
  text += L')';
}

}  // namespace pelunits
