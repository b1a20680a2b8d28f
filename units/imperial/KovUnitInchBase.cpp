#include "units/imperial/KovUnitInchBase.h"

#include <cmath>

#include "NumberScan.h"
#include "TextRange.h"
#include "units/core/IntRange.h"

double powerBySquaring(double base, int exponent) noexcept {
  // Widened so that the magnitude of INT_MIN is representable.
  long long remaining = exponent < 0 ? -static_cast<long long>(exponent) : exponent;
  double result = 1.0;
  while (remaining > 0) {
    if ((remaining & 1) != 0) result *= base;
    base *= base;
    remaining >>= 1;
  }
  return exponent < 0 ? 1.0 / result : result;
}

double powerByMultiplication(double base, int exponent) noexcept {
  long long remaining = exponent < 0 ? -static_cast<long long>(exponent) : exponent;
  double result = 1.0;
  // Once the product has overflowed or vanished it no longer changes: stop there
  // rather than loop up to 2^31 times for an absurd power.
  for (; remaining > 0 && std::isfinite(result) && result != 0.0; --remaining) result *= base;
  return exponent < 0 ? 1.0 / result : result;
}

namespace {

// The inch part of a feet-and-inch text: behind the feet mark up to the inch mark
// (or the end when there is none), leading blanks and then leading '-' skipped, so
// that the '-' of ‹5'-6"› is a separator. Empty when the inch mark comes first.
pelunits::TextRange inchPartBehindFeetMark(const KovString& text, int footMark) {
  const int inchMark = text.find(L'"');
  pelunits::TextRange part{footMark + 1, footMark + 1};
  if (inchMark < 0) {
    part.end = text.length();
  } else if (inchMark > footMark) {
    part.end = inchMark;
  }
  while (part.begin < part.end && pelunits::isBlank(text[part.begin])) ++part.begin;
  while (part.begin < part.end && text[part.begin] == L'-') ++part.begin;
  return part;
}

}  // namespace

KovUnitInchBase::Scales KovUnitInchBase::scales() const { return scalesOfPower(getPower()); }

KovUnitInchBase::Scales KovUnitInchBase::scalesOfOtherPower(int power) noexcept {
  return Scales{powerBySquaring(kInchesPerFoot, power),
                powerBySquaring(kMillimetresPerInch, power)};
}

void KovUnitInchBase::normalizeFeetInches(int& feet, double& inches) const {
  normalizeFeetInches(feet, inches, scales());
}

double KovUnitInchBase::getMillimeters(const KovString& text) const {
  int feet = 0;
  double inches = 0.0;
  // Trimming cannot add or remove a '/', so the untrimmed text decides the reader.
  // A reader that gives up has left a usable partial value: it is not looked at.
  if (text.find(L'/') >= 0) {
    parseFeetInchFraction(text, feet, inches);
  } else {
    parseFeetInchDecimal(text, feet, inches);
  }
  const Scales s = scales();
  pelunits::splitFeetInches(feet, inches, s.inchesPerFoot, s.millimetresPerInch);
  return s.millimetresPerInch * pelunits::totalInches(feet, inches, s.inchesPerFoot);
}

int KovUnitInchBase::parseFeetInchDecimal(const KovString& text, int& feet, double& inches) const {
  feet = 0;
  inches = 0.0;
  int separator = text.find(L'.');
  if (separator < 0) separator = text.find(L',');
  const int footMark = text.find(L'\'');
  if (footMark == 0) return 0;
  if (footMark > 0) {
    if (separator >= 0 && separator < footMark) {
      // Decimal feet (‹5.5'›): whatever follows the feet mark is ignored.
      inches = pelunits::numberIn(text, 0, footMark) * scales().inchesPerFoot;
      return 1;
    }
    // integerIn saturates at the 32-bit range, so the narrowing is exact.
    feet = static_cast<int>(pelunits::integerIn(text, 0, footMark));
    const pelunits::TextRange inchPart = inchPartBehindFeetMark(text, footMark);
    inches = pelunits::numberIn(text, inchPart.begin, inchPart.end);
    return 1;
  }
  int inchMark = text.find(L'"');
  if (inchMark < 0) inchMark = text.length();
  inches = pelunits::numberIn(text, 0, inchMark);
  return 1;
}

int KovUnitInchBase::parseFeetInchFraction(const KovString& text, int& feet, double& inches) const {
  feet = 0;
  inches = 0.0;
  double numerator = 0.0;
  double denominator = 1.0;
  const int slash = text.find(L'/');
  if (slash < 1) return 0;
  const int footMark = text.find(L'\'');
  if (footMark == 0) return 0;
  if (footMark > 0) {
    if (slash < footMark) {
      // Fractional feet (‹1 1/2'›): whatever follows the feet mark is ignored.
      if (parseFraction(text, 0, footMark, &numerator, &denominator) == 0) return 0;
      const double s12 = scales().inchesPerFoot;
      int wholeFeet = 0;
      if (!truncateToInt(numerator / denominator, wholeFeet)) {
        // Too many feet for an int: the whole value in inches; the split keeps it so.
        inches = s12 * (numerator / denominator);
        return 1;
      }
      feet = wholeFeet;
      inches = s12 * (numerator - wholeFeet * denominator) / denominator;
      return 1;
    }
    feet = static_cast<int>(pelunits::integerIn(text, 0, footMark));
    const pelunits::TextRange inchPart = inchPartBehindFeetMark(text, footMark);
    if (parseFraction(text, inchPart.begin, inchPart.end, &numerator, &denominator) == 0) {
      return 0;
    }
    inches = numerator / denominator;
    return 1;
  }
  int inchMark = text.find(L'"');
  if (inchMark < 0) inchMark = text.length();
  if (parseFraction(text, 0, inchMark, &numerator, &denominator) == 0) return 0;
  inches = numerator / denominator;
  return 1;
}
