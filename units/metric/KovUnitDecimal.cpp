#include "units/metric/KovUnitDecimal.h"

#include <cmath>

#include "NumberScan.h"
#include "units/core/DisplayParts.h"

namespace {

bool allDigits(const KovString& text, int begin, int end) {
  for (int i = begin; i < end; ++i) {
    if (!pelunits::isAsciiDigit(text[i])) return false;
  }
  return true;
}

bool isDecimalSeparator(wchar_t c) { return c == L'.' || c == L','; }

}  // namespace

bool KovUnitDecimal::hasAreaSuffix() const {
  if (getPower() != 2) return false;
  const double exponent = std::log10(factor);
  double whole = 0.0;
  // A NaN exponent (negative factor) fails the last test and gets no suffix.
  return std::modf(exponent, &whole) != 0.0 && exponent < 28.0;
}

KovString KovUnitDecimal::getDisplayString(double value, int trimTrailingZeros,
                                           int /*trimLeadingZero*/, int /*hideZeroFeet*/,
                                           int /*hideZeroInches*/, wchar_t /*separator*/) const {
  KovString text = displayScaledNumber(value, trimTrailingZeros);
  // "nan", "inf" and "-inf" stand alone in every unit.
  if (hasAreaSuffix() && std::isfinite(value / factor)) {
    pelunits::appendAreaSuffix(text);
  }
  return text;
}

int KovUnitDecimal::isValidString(const KovString& text) const {
  KovString trimmed(text);
  trimmed.Trim();
  int length = trimmed.length();
  if (hasAreaSuffix()) length = pelunits::endWithoutAreaSuffix(0, length);
  if (length == 0) return 0;
  if (isDecimalSeparator(trimmed[0])) {
    return length > 1 && allDigits(trimmed, 1, length) ? 1 : 0;
  }
  if (isDecimalSeparator(trimmed[length - 1])) {
    return allDigits(trimmed, 0, length - 1) ? 1 : 0;
  }
  for (int i = trimmed[0] == L'-' ? 1 : 0; i < length; ++i) {
    const wchar_t c = trimmed[i];
    if (!pelunits::isAsciiDigit(c) && !isDecimalSeparator(c)) return 0;
  }
  return 1;
}
