#include "units/metric/KovUnitScaledNumber.h"

KovString KovUnitScaledNumber::getDisplayString(double value, int trimTrailingZeros,
                                                int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                                int /*hideZeroInches*/,
                                                wchar_t /*separator*/) const {
  return displayScaledNumber(value, trimTrailingZeros);
}

int KovUnitScaledNumber::isValidString(const KovString& text) const {
  return startsWithNumber(text);
}

double KovUnitScaledNumber::readScaledNumber(const KovString& text) const {
  return text.toDouble() * factor;
}
