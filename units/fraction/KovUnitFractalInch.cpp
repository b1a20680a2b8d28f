#include "units/fraction/KovUnitFractalInch.h"

#include <cmath>

#include "NumberScan.h"
#include "TextRange.h"
#include "units/core/DisplayParts.h"

using pelunits::FractionRounding;

KovUnitFractalInch::KovUnitFractalInch() : denominator(4) { factor = kMillimetresPerInch; }

KovUnitTransform* KovUnitFractalInch::clone() const { return cloneUnit(*this); }

int KovUnitFractalInch::getPrecision() const { return denominator; }

void KovUnitFractalInch::setPrecision(int value) {
  denominator = pelunits::denominatorFromPrecision(value);
}

int KovUnitFractalInch::incrementPrecision() { return pelunits::doubleDenominator(denominator); }

bool KovUnitFractalInch::splitValue(double value, int p, FractionRounding rounding, bool roundZero,
                                    Parts& parts, double& wholeInches) const {
  // Repeated multiplication here, unlike the squaring of the foot split: from power
  // 4 on the two differ in the last bit, and the displayed values follow this one.
  // 1.0 x 25.4 is 25.4 exactly: power 1 skips the loop, not a step.
  wholeInches =
      value / (p == 1 ? kMillimetresPerInch : powerByMultiplication(kMillimetresPerInch, p));
  if (!std::isfinite(wholeInches)) return false;
  const Scales s = scalesOfPower(p);
  int feet = 0;
  double inches = wholeInches;
  normalizeFeetInches(feet, inches, s);
  if (feetDidNotFit(feet, inches, s)) return false;
  pelunits::RoundedFraction rounded;
  if (roundZero || inches != 0.0) {
    // Fails only when one foot holds more inches than an int (power 9 and up).
    if (!pelunits::roundToFraction(inches, denominator, rounding, rounded)) return false;
  }
  parts.feet = feet;
  parts.inches = rounded.whole;
  parts.numerator = rounded.numerator;
  parts.denominator = rounded.denominator;
  // A rest that rounded up to a whole foot carries into the feet, away from zero.
  // A negative rest (no feet) that reaches minus one foot stays in the inches.
  if (static_cast<double>(parts.inches) == s.inchesPerFoot) {
    parts.feet += parts.feet < 0 ? -1 : 1;
    parts.inches = 0;
  }
  return true;
}

namespace {

// The text for a length whose feet do not fit an int: whole inches alone.
void appendWholeInches(KovString& text, double inches) {
  text.appendFixed(inches, 0);
  pelunits::dropNegativeZeroSign(text);
}

}  // namespace

KovString KovUnitFractalInch::getDisplayString(double value, int /*trimTrailingZeros*/,
                                               int /*trimLeadingZero*/, int hideZeroFeet,
                                               int hideZeroInches, wchar_t separator) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  const int lengthPower = getPower();
  Parts parts;
  double wholeInches = 0.0;
  if (!splitValue(value, lengthPower, FractionRounding::kNearestStep, false, parts, wholeInches)) {
    if (!std::isfinite(wholeInches)) return pelunits::nonFiniteText(wholeInches);
    KovString text;
    appendWholeInches(text, wholeInches);
    text += L'"';
    if (lengthPower == 2) pelunits::appendAreaSuffix(text);
    return text;
  }
  pelunits::DisplayText text;
  const long long feet = parts.feet;
  const int inches = parts.inches;
  const int numerator = parts.numerator;
  const bool showFeet = feet != 0 || hideZeroFeet == 0;
  const bool noInches = inches == 0 && hideZeroInches != 0;
  const bool fraction = numerator != 0 && parts.denominator != 0;
  if (showFeet) {
    text.appendInt(feet);
    text += L'\'';
    if (!noInches || fraction) {
      text += pelunits::partSeparator(separator);
      if (fraction && inches == 0) {
        // Between -1 and 0 inch the zero inches are written so that the sign sits
        // on the fraction: ‹0'-0 -1/2"› reads back negative, ‹0'--1/2"› would not.
        if (!noInches || (feet == 0 && numerator < 0)) text.append(L"0 ", 2);
        pelunits::appendFraction(text, numerator, parts.denominator);
      } else if (fraction) {
        text.appendInt(inches);
        text += L' ';
        pelunits::appendFraction(text, std::abs(numerator), parts.denominator);
      } else {
        text.appendInt(inches);
      }
      text += L'"';
    }
  } else if (fraction) {
    if (inches != 0 && !noInches) {
      text.appendInt(inches);
      text += L' ';
      pelunits::appendFraction(text, std::abs(numerator), parts.denominator);
    } else {
      pelunits::appendFraction(text, numerator, parts.denominator);
    }
    text += L'"';
  } else {
    text.appendInt(inches);
    text += L'"';
  }
  // No trailing-zero step: every text above ends in a foot or inch mark, and that
  // step removes only zeros and separators from the end.
  if (lengthPower == 2) pelunits::appendAreaSuffix(text);
  return text.finish();
}

KovString KovUnitFractalInch::getDisplayStringArch(
    double value, int /*trimTrailingZeros*/, eFractionRepresentation representation,
    eFractionLineArrangement lineArrangement, double fractionParameter, bool showInchMark,
    bool stackedFlag, bool dashAfterFeet, bool /*extraFlag*/, int /*trimLeadingZero*/,
    int hideZeroFeet, int hideZeroInches, wchar_t /*separator*/) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  Parts parts;
  double wholeInches = 0.0;
  if (!splitValue(value, getPower(), FractionRounding::kPositiveHalfUp, true, parts, wholeInches)) {
    if (!std::isfinite(wholeInches)) return pelunits::nonFiniteText(wholeInches);
    KovString text;
    appendWholeInches(text, wholeInches);
    if (showInchMark) text += L'"';
    return text;
  }
  pelunits::DisplayText text;
  const bool feetShown = parts.feet != 0 || hideZeroFeet == 0;
  if (feetShown) {
    text.appendInt(parts.feet);
    text += L'\'';
  }
  const bool fraction = parts.numerator != 0 && parts.denominator != 0;
  if (parts.inches == 0 && !fraction && (hideZeroInches != 0 || !feetShown)) return text.finish();
  if (feetShown && dashAfterFeet) text += L'-';
  if (parts.inches != 0 || feetShown) text.appendInt(parts.inches);
  if (fraction) {
    pelunits::appendFractionMarkup(text, representation, lineArrangement, stackedFlag,
                                   fractionParameter, parts.numerator, parts.denominator);
  }
  if (showInchMark) text += L'"';
  return text.finish();
}

namespace {

// An optional leading '-', then decimal digits with at most one '.', blanks around
// the characters [begin, end) ignored; an empty stretch and a lone '-' pass, a lone
// '.' does not.
bool decimalNumberIn(const KovString& text, int begin, int end) {
  const pelunits::TextRange trimmed = pelunits::trimmedRange(text, begin, end);
  const int length = trimmed.end - trimmed.begin;
  int points = 0;
  for (int i = length > 0 && text[trimmed.begin] == L'-' ? trimmed.begin + 1 : trimmed.begin;
       i < trimmed.end; ++i) {
    if (pelunits::isAsciiDigit(text[i])) continue;
    if (text[i] != L'.') return false;
    ++points;
    if (points > 1 || length == 1) return false;
  }
  return true;
}

// [begin, end) without one leading '-'.
int afterSign(const KovString& text, int begin, int end) {
  return begin < end && text[begin] == L'-' ? begin + 1 : begin;
}

// A fraction or a number: with a '/', both sides must be numbers (one sign skipped
// in the numerator); without, the sign is skipped only on request.
bool fractionOrNumberIn(const KovString& text, int begin, int end, bool skipSign) {
  const int slash = pelunits::findIn(text, L'/', begin, end);
  if (slash >= 0) {
    if (slash == begin || slash == end - 1) return false;
    return decimalNumberIn(text, afterSign(text, begin, slash), slash) &&
           decimalNumberIn(text, slash + 1, end);
  }
  return decimalNumberIn(text, skipSign ? afterSign(text, begin, end) : begin, end);
}

// Whole inches, a blank and a fraction-or-number, or a fraction-or-number alone.
bool inchPartIn(const KovString& text, int begin, int end, bool skipSign) {
  const int blank = pelunits::findIn(text, L' ', begin, end);
  if (blank < 0) return fractionOrNumberIn(text, begin, end, skipSign);
  return decimalNumberIn(text, afterSign(text, begin, blank), blank) &&
         fractionOrNumberIn(text, blank + 1, end, skipSign);
}

// The first position at or after `begin` that is not a blank, up to `end`.
int skipBlanks(const KovString& text, int begin, int end) {
  while (begin < end && pelunits::isBlank(text[begin])) ++begin;
  return begin;
}

}  // namespace

bool KovUnitFractalInch::isDecimalNumber(const KovString& text) const {
  return decimalNumberIn(text, 0, text.length());
}

int KovUnitFractalInch::isValidString(const KovString& text) const {
  // Read in place between the outer blanks.
  const pelunits::TextRange trimmed = pelunits::trimmedRange(text);
  const int begin = trimmed.begin;
  int end = trimmed.end;
  if (getPower() == 2) end = pelunits::endWithoutAreaSuffix(begin, end);
  if (end == begin) return 1;
  // A text that ends in neither mark is read as if an inch mark followed it: a bare
  // number counts as inches. `markedEnd` is the end of the text with that mark.
  const wchar_t last = text[end - 1];
  const bool inchMarkAdded = last != L'"' && last != L'\'';
  const int markedEnd = inchMarkAdded ? end + 1 : end;
  const int footPos = pelunits::findIn(text, L'\'', begin, end);
  int inchPos = pelunits::findIn(text, L'"', begin, end);
  if (inchPos < 0 && inchMarkAdded) inchPos = end;

  if (footPos >= 0) {
    if (inchPos >= 0 && inchPos < footPos) return 0;
    const int feetBegin = skipBlanks(text, begin, footPos);
    if (!decimalNumberIn(text, afterSign(text, feetBegin, footPos), footPos)) return 0;
    if (inchPos < 0) return footPos == markedEnd - 1 ? 1 : 0;
    return inchPartIn(text, skipBlanks(text, footPos + 1, inchPos), inchPos, false) ? 1 : 0;
  }
  if (inchPos != markedEnd - 1) return 0;
  return inchPartIn(text, begin, inchPos, true) ? 1 : 0;
}
