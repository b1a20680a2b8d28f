#include "units/fraction/FractionArithmetic.h"

#include <cmath>
#include <cstdlib>

#include "units/core/IntRange.h"

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

int greatestCommonDivisor(int a, int b) noexcept {
  if (a == 0 || b == 0) return 1;
  long long larger = std::llabs(static_cast<long long>(a));
  long long smaller = std::llabs(static_cast<long long>(b));
  if (larger < smaller) std::swap(larger, smaller);
  for (;;) {
    const long long rest = larger % smaller;
    if (rest == 0) break;
    larger = smaller;
    smaller = rest;
  }
  // Only gcd(INT_MIN, INT_MIN) = 2^31 does not fit; leaving that pair unreduced is
  // still a correct fraction.
  return smaller <= 2147483647LL ? static_cast<int>(smaller) : 1;
}

bool roundToFraction(double x, int denominator, FractionRounding rounding,
                     RoundedFraction& out) noexcept {
  out = RoundedFraction{};
  // The margin of one keeps the carry of step 7 inside the int range too.
  if (!(std::fabs(x) < 2147483647.0)) return false;
  const int n = denominator < 1 ? 1 : denominator;  // below 1: whole units only
  int whole = 0;
  truncateToInt(x, whole);  // in range by the test above
  const double f = std::fmod(x, 1.0);
  const double resolution = fractionResolution(n);
  const long long p = static_cast<long long>(resolution);
  // |n x f| < 2^31 and p <= 10^6, so s fits 64 bits exactly. The product is formed
  // as (n x f) x P: that order decides which side of a step a value lands on.
  long long s = static_cast<long long>((static_cast<double>(n) * f) * resolution);
  const long long r = s % p;  // the sign of s, like fmod
  if (rounding == FractionRounding::kNearestStep) {
    if (2 * std::llabs(r) >= p) {
      s = s + (f > 0 ? p : -p) - r;
    } else {
      s -= r;
    }
  } else {
    s = 2 * r >= p ? s + p - r : s - r;
  }
  int numerator = static_cast<int>(s / p);  // |s / p| <= n
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
  out.numerator = numerator / divisor;
  out.denominator = resultDenominator / divisor;
  return true;
}

void appendFractionMarkup(KovString& text, KovUnitTransform::eFractionRepresentation representation,
                          KovUnitTransform::eFractionLineArrangement lineArrangement,
                          bool stackedFlag, double fractionParameter, int numerator,
                          int denominator) {
  text.append(L"#fraction(", 10);
  text.appendInt(representation);
  text += L',';
  text.appendInt(lineArrangement);
  text += stackedFlag ? L",1," : L",0,";
  text.appendFixed(fractionParameter, 6);
  text += L',';
  text.appendInt(numerator);
  text += L',';
  text.appendInt(denominator);
  text += L')';
}

}  // namespace pelunits
