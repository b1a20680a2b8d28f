#include "units/metric/KovUnitDecimalBase.h"

#include "TextRange.h"

double KovUnitDecimalBase::getMillimeters(const KovString& text) const {
  // A '/' after the first character of the trimmed text, found in place; the text
  // is copied only for a fraction or a regional number, the others are read as typed.
  const int begin = pelunits::trimmedRange(text).begin;
  if (text.find(L'/', begin) > begin) {
    KovString trimmed(text);
    trimmed.Trim();
    double numerator = 0.0;
    double denominator = 1.0;
    if (parseFraction(trimmed, &numerator, &denominator) != 0) {
      return factor * numerator / denominator;
    }
  }
  if (useRegionalSettings == 0) return factor * text.toDouble();
  KovString neutral(text);
  setInternationalNumberFormatBack(neutral);
  return factor * neutral.toDouble();
}
