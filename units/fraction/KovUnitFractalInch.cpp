#include "units/fraction/KovUnitFractalInch.h"

#include <cmath>

#include "NumberScan.h"
#include "units/fraction/DenominatorPrecision.h"

using pelunits::FractionRounding;

KovUnitFractalInch::KovUnitFractalInch() : denominator(4) { factor = kMillimetresPerInch; }

KovUnitTransform* KovUnitFractalInch::clone() const { return cloneUnit(*this); }

int KovUnitFractalInch::getPrecision() const { return pelunits::denominatorPrecision(denominator); }

void KovUnitFractalInch::setPrecision(int value) {
  denominator = pelunits::denominatorFromPrecision(value);
}

int KovUnitFractalInch::incrementPrecision() {
  const int before = denominator;
  denominator = pelunits::doubledDenominator(denominator);
  return denominator != before ? 1 : 0;
}

bool KovUnitFractalInch::splitValue(double value, FractionRounding rounding, bool roundZero,
                                    Parts& parts, double& wholeInches) const {
  // Repeated multiplication here, unlike the squaring of the foot split: from power
  // 4 on the two differ in the last bit, and each keeps the one it has always used.
  const int p = getPower();
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

void appendFraction(KovString& text, int numerator, int denominator) {
  text.appendInt(numerator);
  text += L'/';
  text.appendInt(denominator);
}

// The text for a length whose feet do not fit an int: whole inches alone.
void appendWholeInches(KovString& text, double inches) {
  text.appendFixed(inches, 0);
  dropNegativeZeroSign(text);
}

}  // namespace

KovString KovUnitFractalInch::getDisplayString(double value, int /*trimTrailingZeros*/,
                                               int /*trimLeadingZero*/, int hideZeroFeet,
                                               int hideZeroInches, wchar_t separator) const {
  // Every path returns `text`, so that it is built in the caller's result.
  KovString text;
  if (!std::isfinite(value)) {
    text = nonFiniteText(value);
    return text;
  }
  Parts parts;
  double wholeInches = 0.0;
  if (!splitValue(value, FractionRounding::kNearestStep, false, parts, wholeInches)) {
    if (!std::isfinite(wholeInches)) {
      text = nonFiniteText(wholeInches);
      return text;
    }
    appendWholeInches(text, wholeInches);
    text += L'"';
  } else {
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
        text += separator == L' ' ? L' ' : L'-';
        if (fraction && inches == 0) {
          // Between -1 and 0 inch the zero inches are written so that the sign sits
          // on the fraction: ‹0'-0 -1/2"› reads back negative, ‹0'--1/2"› would not.
          if (!noInches || (feet == 0 && numerator < 0)) text.append(L"0 ", 2);
          appendFraction(text, numerator, parts.denominator);
        } else if (fraction) {
          text.appendInt(inches);
          text += L' ';
          appendFraction(text, std::abs(numerator), parts.denominator);
        } else {
          text.appendInt(inches);
        }
        text += L'"';
      }
    } else if (fraction) {
      if (inches != 0 && !noInches) {
        text.appendInt(inches);
        text += L' ';
        appendFraction(text, std::abs(numerator), parts.denominator);
      } else {
        appendFraction(text, numerator, parts.denominator);
      }
      text += L'"';
    } else {
      text.appendInt(inches);
      text += L'"';
    }
  }
  // No trailing-zero step: every text above ends in a foot or inch mark, and that
  // step removes only zeros and separators from the end.
  if (getPower() == 2) text += L" \u00B2";
  return text;
}

KovString KovUnitFractalInch::getDisplayStringArch(
    double value, int /*trimTrailingZeros*/, eFractionRepresentation representation,
    eFractionLineArrangement lineArrangement, double fractionParameter, bool showInchMark,
    bool stackedFlag, bool dashAfterFeet, bool /*extraFlag*/, int /*trimLeadingZero*/,
    int hideZeroFeet, int hideZeroInches, wchar_t /*separator*/) const {
  if (!std::isfinite(value)) return nonFiniteText(value);
  Parts parts;
  double wholeInches = 0.0;
  KovString text;
  if (!splitValue(value, FractionRounding::kPositiveHalfUp, true, parts, wholeInches)) {
    if (!std::isfinite(wholeInches)) return nonFiniteText(wholeInches);
    appendWholeInches(text, wholeInches);
    if (showInchMark) text += L'"';
    return text;
  }
  const bool feetShown = parts.feet != 0 || hideZeroFeet == 0;
  if (feetShown) {
    text.appendInt(parts.feet);
    text += L'\'';
  }
  const bool fraction = parts.numerator != 0 && parts.denominator != 0;
  if (parts.inches == 0 && !fraction && (hideZeroInches != 0 || !feetShown)) return text;
  if (feetShown && dashAfterFeet) text += L'-';
  if (parts.inches != 0 || feetShown) text.appendInt(parts.inches);
  if (fraction) {
    pelunits::appendFractionMarkup(text, representation, lineArrangement, stackedFlag,
                                   fractionParameter, parts.numerator, parts.denominator);
  }
  if (showInchMark) text += L'"';
  return text;
}

bool KovUnitFractalInch::isDecimalNumber(const KovString& text) const {
  const wchar_t* characters = text.getStringW();
  int begin = 0;
  int end = text.length();
  while (begin < end && pelunits::isBlank(characters[begin])) ++begin;
  while (end > begin && pelunits::isBlank(characters[end - 1])) --end;
  const int length = end - begin;
  int points = 0;
  for (int i = length > 0 && characters[begin] == L'-' ? begin + 1 : begin; i < end; ++i) {
    if (pelunits::isAsciiDigit(characters[i])) continue;
    if (characters[i] != L'.') return false;
    ++points;
    if (points > 1 || length == 1) return false;
  }
  return true;
}

namespace {

// One leading '-' removed from a piece that has one.
KovString& stripSign(KovString& piece) {
  if (piece[0] == L'-') piece.erase(0, 1);
  return piece;
}

}  // namespace

int KovUnitFractalInch::isValidString(const KovString& text) const {
  // A fraction or a number: with a '/', both sides must be numbers (one sign
  // stripped from the numerator); without, the sign is stripped only on request.
  const auto fractionOrNumber = [this](KovString piece, bool signStrip) {
    const int slash = piece.find(L'/');
    if (slash >= 0) {
      if (slash == 0 || slash == piece.length() - 1) return false;
      KovString numerator = piece.left(slash);
      return isDecimalNumber(stripSign(numerator)) && isDecimalNumber(piece.mid(slash + 1));
    }
    if (signStrip) stripSign(piece);
    return isDecimalNumber(piece);
  };
  // Whole inches, a blank and a fraction-or-number, or a fraction-or-number alone.
  const auto inchPart = [&](const KovString& part, bool signStrip) {
    const int blank = part.find(L' ');
    if (blank < 0) return fractionOrNumber(part, signStrip);
    KovString whole = part.left(blank);
    return isDecimalNumber(stripSign(whole)) && fractionOrNumber(part.mid(blank + 1), signStrip);
  };

  KovString s(text);
  s.Trim();
  if (s.length() > 2 && getPower() == 2) s.truncate(s.length() - 2);
  if (s.isEmpty()) return 1;
  const wchar_t last = s[s.length() - 1];
  if (last != L'"' && last != L'\'') s += L'"';  // a bare number counts as inches
  const int footPos = s.find(L'\'');
  const int inchPos = s.find(L'"');
  const int length = s.length();

  if (footPos >= 0) {
    if (inchPos >= 0 && inchPos < footPos) return 0;
    KovString feet = s.left(footPos);
    feet.TrimLeft();
    if (!isDecimalNumber(stripSign(feet))) return 0;
    if (inchPos < 0) return footPos == length - 1 ? 1 : 0;
    KovString inches = s.mid(footPos + 1, inchPos - footPos - 1);
    inches.TrimLeft();
    return inchPart(inches, false) ? 1 : 0;
  }
  if (inchPos != length - 1) return 0;
  return inchPart(s.left(inchPos), true) ? 1 : 0;
}
