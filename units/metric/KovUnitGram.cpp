#include "units/metric/KovUnitGram.h"

KovString KovUnitGram::getDisplayString(double value, int trimTrailingZeros,
                                        int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                        int /*hideZeroInches*/, wchar_t /*separator*/) const {
  return displayScaledNumber(value, trimTrailingZeros);
}

int KovUnitGram::isValidString(const KovString& text) const { return startsWithNumber(text); }

double KovUnitGram::getGrams(const KovString& text) const { return readScaledNumber(text); }
