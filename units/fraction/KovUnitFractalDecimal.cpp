#include "units/fraction/KovUnitFractalDecimal.h"

#include <cmath>
#include <cstdlib>

#include "TextRange.h"
#include "units/core/DisplayParts.h"

using pelunits::FractionRounding;

KovUnitFractalDecimal::KovUnitFractalDecimal() : denominator(4) {}

KovUnitTransform* KovUnitFractalDecimal::clone() const { return cloneUnit(*this); }

int KovUnitFractalDecimal::getPrecision() const { return denominator; }

void KovUnitFractalDecimal::setPrecision(int value) {
  denominator = pelunits::denominatorFromPrecision(value);
}

int KovUnitFractalDecimal::incrementPrecision() { return pelunits::doubleDenominator(denominator); }

KovString KovUnitFractalDecimal::getDisplayString(double value, int trimTrailingZeros,
                                                  int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                                  int /*hideZeroInches*/, wchar_t separator) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  const double x = value / factor;
  if (!std::isfinite(x)) return pelunits::nonFiniteText(x);
  KovString text;
  pelunits::RoundedFraction rounded;
  // The decimal text is only made when it is shown: x is 0, has no nonzero step, or
  // its whole part does not fit an int.
  if (x != 0.0 &&
      pelunits::roundToFraction(x, denominator, FractionRounding::kNearestStep, rounded)) {
    const bool fraction = rounded.numerator != 0 && rounded.denominator >= 1;
    if (rounded.whole != 0) {
      text.appendInt(rounded.whole);
      if (fraction) {
        text += pelunits::partSeparator(separator);
        pelunits::appendFraction(text, std::abs(rounded.numerator), rounded.denominator);
      }
      return text;
    }
    if (std::fabs(x) > 0.001 && fraction) {
      pelunits::appendFraction(text, rounded.numerator, rounded.denominator);
      return text;
    }
  }
  text.appendFixed(x, precision);
  pelunits::dropNegativeZeroSign(text);
  removeTrailingZeros(text, trimTrailingZeros);
  return text;
}

KovString KovUnitFractalDecimal::getDisplayStringArch(
    double value, int /*trimTrailingZeros*/, eFractionRepresentation representation,
    eFractionLineArrangement lineArrangement, double fractionParameter, bool showInchMark,
    bool stackedFlag, bool /*dashAfterFeet*/, bool /*extraFlag*/, int /*trimLeadingZero*/,
    int /*hideZeroFeet*/, int /*hideZeroInches*/, wchar_t separator) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  const double x = value / factor;
  if (!std::isfinite(x)) return pelunits::nonFiniteText(x);
  if (x == 0.0) return KovString();
  pelunits::DisplayText text;
  pelunits::RoundedFraction rounded;
  if (!pelunits::roundToFraction(x, denominator, FractionRounding::kNearestStep, rounded)) {
    // A whole part beyond an int: the number rounded to a whole, no fraction.
    text.appendFixed(x, 0);
    if (showInchMark) text += L'"';
    return text.finish();
  }
  const bool fraction = rounded.numerator != 0 && rounded.denominator >= 1;
  if (rounded.whole != 0) {
    text.appendInt(rounded.whole);
    if (fraction) {
      text += pelunits::partSeparator(separator);
      pelunits::appendFractionMarkup(text, representation, lineArrangement, stackedFlag,
                                     fractionParameter, std::abs(rounded.numerator),
                                     rounded.denominator);
    }
  } else if (std::fabs(x) > 0.001 && fraction) {
    pelunits::appendFractionMarkup(text, representation, lineArrangement, stackedFlag,
                                   fractionParameter, rounded.numerator, rounded.denominator);
  } else {
    return KovString();
  }
  if (showInchMark) text += L'"';
  return text.finish();
}

namespace {

// [begin, end) is empty or a plain unsigned decimal number.
bool emptyOrNumericIn(const KovString& text, int begin, int end) {
  return end <= begin || pelunits::numericIn(text, begin, end);
}

// [begin, end) is a number with one optional leading '-'; it must not be empty.
bool signedNumberIn(const KovString& text, int begin, int end) {
  if (begin < end && text[begin] == L'-') ++begin;
  return pelunits::numericIn(text, begin, end);
}

}  // namespace

int KovUnitFractalDecimal::isValidString(const KovString& text) const {
  // Read in place between the outer blanks.
  const auto [begin, end] = pelunits::trimmedRange(text);
  if (pelunits::findIn(text, L'\'', begin, end) >= 0 ||
      pelunits::findIn(text, L'"', begin, end) >= 0 || (begin < end && text[begin] == L'/')) {
    return 0;
  }
  const int slash = pelunits::findIn(text, L'/', begin, end);
  const int blank = pelunits::findIn(text, L' ', begin, end);
  if (blank >= 0) {
    if (slash < 0 || blank > slash) return 0;
    const int wholeBegin = begin < blank && text[begin] == L'-' ? begin + 1 : begin;
    if (!emptyOrNumericIn(text, wholeBegin, blank)) return 0;
    if (!signedNumberIn(text, blank + 1, slash)) return 0;
    return emptyOrNumericIn(text, slash + 1, end) ? 1 : 0;
  }
  // A plain number is what a user types first: ‹3›, ‹-2.5› are valid.
  if (slash < 0) return signedNumberIn(text, begin, end) ? 1 : 0;
  if (!signedNumberIn(text, begin, slash)) return 0;
  return emptyOrNumericIn(text, slash + 1, end) ? 1 : 0;
}
