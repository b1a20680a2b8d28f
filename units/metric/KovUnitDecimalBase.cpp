#include "units/metric/KovUnitDecimalBase.h"

double KovUnitDecimalBase::getMillimeters(const KovString& text) const {
  KovString trimmed(text);
  trimmed.Trim();
  if (trimmed.find(L'/') > 0) {
    double numerator = 0.0;
    double denominator = 1.0;
    if (parseFraction(trimmed, &numerator, &denominator) != 0) {
      return factor * numerator / denominator;
    }
  }
  KovString neutral(text);
  setInternationalNumberFormatBack(neutral);
  return factor * neutral.toDouble();
}
