#include "units/fraction/FractionArithmetic.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <numeric>

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

int greatestCommonDivisor(int a, int b) noexcept {
  if (a == 0 || b == 0) return 1;
  // In 64 bits, where the magnitude of INT_MIN fits. Only gcd(INT_MIN, INT_MIN) =
  // 2^31 does not fit an int; leaving that pair unreduced is still a correct fraction.
  const long long divisor = std::gcd(static_cast<long long>(a), static_cast<long long>(b));
  return divisor <= INT_MAX ? static_cast<int>(divisor) : 1;
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
  const long long q = s / p;
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
