#include "units/imperial/KovUnitLbsOunces.h"

#include <algorithm>
#include <cmath>

#include "TextRange.h"

int KovUnitLbsOunces::parsePoundsOunces(const KovString& text, double& pounds,
                                        double& ounces) const {
  pounds = 0.0;
  ounces = 0.0;
  // Read in place between the outer blanks, so that a long text is never copied.
  const pelunits::TextRange trimmed = pelunits::trimmedRange(text);
  int begin = trimmed.begin;
  const int end = trimmed.end;
  // A leading '-' is the sign of the whole weight, as the display writes it.
  const bool negative = begin < end && text[begin] == L'-';
  if (negative) ++begin;

  const int lb = text.find(KovString(L"lb"), begin);
  if (lb >= 0 && lb + 2 <= end) {
    pounds = pelunits::numberIn(text, begin, lb);
    begin = lb + 2;
  }
  int oz = text.find(KovString(L"oz"), begin);
  if (oz < 0 || oz + 2 > end) oz = end;
  ounces = pelunits::numberIn(text, begin, oz);

  if (negative) {
    pounds = -pounds;
    ounces = -ounces;
  }
  return 1;
}

double KovUnitLbsOunces::getGrams(const KovString& text) const {
  double pounds = 0.0;
  double ounces = 0.0;
  parsePoundsOunces(text, pounds, ounces);
  return (pounds * kOuncesPerPound + ounces) * kGramsPerOunce;
}

KovString KovUnitLbsOunces::getDisplayStringDecimal(double value, int trimTrailingZeros) const {
  const double shown = value / factor;
  if (!std::isfinite(shown)) return pelunits::nonFiniteText(shown);
  // The number display sequence without its negative-zero step.
  KovString text;
  text.appendFixed(shown, displayDecimals());
  finishNumber(text, trimTrailingZeros);
  if (!symbol.isEmpty()) {
    text += L' ';
    text += symbol;
  }
  return text;
}

KovString KovUnitLbsOunces::poundsOuncesText(double grams) const {
  const int decimals = displayDecimals();
  // Half a step of the last decimal shown, and a small slack around it.
  const double step = pelunits::powerOfTen(precision);
  const double half = 1.0 / (step * 2.0);
  const double slack = 1.0 / (step * 100.0);

  const double ounces = grams / kGramsPerOunce;
  double g = ounces * kGramsPerOunce;
  if (!std::isfinite(g)) g = grams;  // the round trip overflowed at the top of the range
  // Whole pounds stay a double: beyond the range of int they are written in full.
  const double pounds = std::trunc(g / kGramsPerPound);
  double rest = pounds != 0.0 ? g / kGramsPerOunce - pounds * kOuncesPerPound : g / kGramsPerOunce;
  // Past 2^53 ounces the subtraction leaves a rounding residue of either sign.
  rest = std::min(std::max(rest, 0.0), kOuncesPerPound);
  const bool fullPound = std::fabs(kOuncesPerPound - rest) < half + slack;

  KovString text;
  if (pounds != 0.0) {
    if (rest < half - slack) {
      text.appendFixed(pounds, 0);
      text += kPoundsMark;
    } else if (fullPound) {
      text.appendFixed(pounds + 1.0, 0);
      text += kPoundsMark;
    } else {
      text.appendFixed(pounds, 0);
      text += kPoundsMark;
      text += L' ';
      pelunits::appendNumber(text, rest, decimals);
      text += kOuncesMark;
    }
  } else if (rest <= half - slack) {
    text += L' ';
    pelunits::appendNumber(text, ounces, decimals);
  } else if (fullPound) {
    text += L"1 lb";
  } else {
    pelunits::appendNumber(text, rest, decimals);
    text += L"oz";
  }
  return text;
}

KovString KovUnitLbsOunces::getDisplayString(double value, int trimTrailingZeros,
                                             int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                             int /*hideZeroInches*/, wchar_t /*separator*/) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  if (factor > kDecimalDisplayThreshold) return getDisplayStringDecimal(value, trimTrailingZeros);
  KovString text = poundsOuncesText(std::fabs(value));
  // One sign for the whole text, and none on a weight that shows as zero.
  if (value < 0.0 && !pelunits::numberTextIsZero(text)) {
    KovString withSign(L"-");
    withSign += text;
    text = std::move(withSign);
  }
  removeTrailingZeros(text, trimTrailingZeros);
  return text;
}

KovString KovUnitLbsOunces::getDisplayStringWithUnits(double value, int trimTrailingZeros) const {
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  KovString text = getDisplayString(value, trimTrailingZeros, 0, 1, 1, L' ');
  text += L" (";
  text += getDisplayStringDecimal(value, trimTrailingZeros);
  text += L')';
  return text;
}

int KovUnitLbsOunces::isValidString(const KovString& text) const {
  // Read in place: the scans skip leading blanks and stop before trailing ones, so
  // trimming the text first would change no answer.
  const int lb = text.find(KovString(L"lb"));
  const int oz = text.find(KovString(L"oz"));
  if (lb >= 0) {
    if (oz >= 0 && oz < lb) return 0;
    if (!pelunits::startsWithInteger(text, 0, lb)) return 0;
    if (oz < 0) return 1;
    // The ounces run from after "lb" to before the character in front of "oz"
    // (the blank of " oz").
    return pelunits::startsWithReal(text, lb + 2, oz - 1) ? 1 : 0;
  }
  // A bare number is read as ounces, so it is valid input.
  return pelunits::startsWithReal(text, 0, oz >= 0 ? oz : text.length()) ? 1 : 0;
}
