#include "units/fraction/KovUnitFractalDecimal.h"

#include <cmath>
#include <cstdlib>

#include "units/fraction/DenominatorPrecision.h"

using pelunits::FractionRounding;

KovUnitFractalDecimal::KovUnitFractalDecimal() : denominator(4) {}

KovUnitTransform* KovUnitFractalDecimal::clone() const { return cloneUnit(*this); }

int KovUnitFractalDecimal::getPrecision() const {
  return pelunits::denominatorPrecision(denominator);
}

void KovUnitFractalDecimal::setPrecision(int value) {
  denominator = pelunits::denominatorFromPrecision(value);
}

int KovUnitFractalDecimal::incrementPrecision() {
  const int before = denominator;
  denominator = pelunits::doubledDenominator(denominator);
  return denominator != before ? 1 : 0;
}

namespace {

void appendFraction(KovString& text, int numerator, int denominator) {
  text.appendInt(numerator);
  text += L'/';
  text.appendInt(denominator);
}

}  // namespace

KovString KovUnitFractalDecimal::getDisplayString(double value, int trimTrailingZeros,
                                                  int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                                  int /*hideZeroInches*/, wchar_t separator) const {
  if (!std::isfinite(value)) return nonFiniteText(value);
  const double x = value / factor;
  if (!std::isfinite(x)) return nonFiniteText(x);
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
        text += separator == L' ' ? L' ' : L'-';
        appendFraction(text, std::abs(rounded.numerator), rounded.denominator);
      }
      return text;
    }
    if (std::fabs(x) > 0.001 && fraction) {
      appendFraction(text, rounded.numerator, rounded.denominator);
      return text;
    }
  }
  text.appendFixed(x, precision);
  dropNegativeZeroSign(text);
  removeTrailingZeros(text, trimTrailingZeros);
  return text;
}

KovString KovUnitFractalDecimal::getDisplayStringArch(
    double value, int /*trimTrailingZeros*/, eFractionRepresentation representation,
    eFractionLineArrangement lineArrangement, double fractionParameter, bool showInchMark,
    bool stackedFlag, bool /*dashAfterFeet*/, bool /*extraFlag*/, int /*trimLeadingZero*/,
    int /*hideZeroFeet*/, int /*hideZeroInches*/, wchar_t separator) const {
  if (!std::isfinite(value)) return nonFiniteText(value);
  const double x = value / factor;
  if (!std::isfinite(x)) return nonFiniteText(x);
  KovString text;
  if (x == 0.0) return text;
  pelunits::RoundedFraction rounded;
  if (!pelunits::roundToFraction(x, denominator, FractionRounding::kNearestStep, rounded)) {
    // A whole part beyond an int: the number rounded to a whole, no fraction.
    text.appendFixed(x, 0);
    if (showInchMark) text += L'"';
    return text;
  }
  const bool fraction = rounded.numerator != 0 && rounded.denominator >= 1;
  if (rounded.whole != 0) {
    text.appendInt(rounded.whole);
    if (fraction) {
      text += separator == L' ' ? L' ' : L'-';
      pelunits::appendFractionMarkup(text, representation, lineArrangement, stackedFlag,
                                     fractionParameter, std::abs(rounded.numerator),
                                     rounded.denominator);
    }
  } else if (std::fabs(x) > 0.001 && fraction) {
    pelunits::appendFractionMarkup(text, representation, lineArrangement, stackedFlag,
                                   fractionParameter, rounded.numerator, rounded.denominator);
  } else {
    return text;
  }
  if (showInchMark) text += L'"';
  return text;
}

int KovUnitFractalDecimal::isValidString(const KovString& text) const {
  // Empty or a plain unsigned decimal number.
  const auto emptyOrNumeric = [](const KovString& piece) {
    return piece.isEmpty() != 0 || piece.IsNumeric();
  };
  // A number with one optional leading '-', which must not be empty.
  const auto signedNumber = [](KovString piece) {
    if (piece[0] == L'-') piece.erase(0, 1);
    return piece.IsNumeric();
  };
  KovString s(text);
  s.Trim();
  if (s.find(L'\'') >= 0 || s.find(L'"') >= 0 || s[0] == L'/') return 0;
  const int slash = s.find(L'/');
  const int blank = s.find(L' ');
  if (blank >= 0) {
    if (slash < 0 || blank > slash) return 0;
    KovString whole = s.left(blank);
    if (whole[0] == L'-') whole.erase(0, 1);
    if (!emptyOrNumeric(whole)) return 0;
    if (!signedNumber(s.mid(blank + 1, slash - blank - 1))) return 0;
    return emptyOrNumeric(s.mid(slash + 1)) ? 1 : 0;
  }
  // A plain number is what a user types first: ‹3›, ‹-2.5› are valid.
  if (slash < 0) return signedNumber(s) ? 1 : 0;
  if (!signedNumber(s.left(slash))) return 0;
  return emptyOrNumeric(s.mid(slash + 1)) ? 1 : 0;
}
