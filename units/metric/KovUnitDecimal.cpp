#include "units/metric/KovUnitDecimal.h"

#include <cmath>

#include "NumberScan.h"
#include "TextRange.h"
#include "UserLocale.h"
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
  // Read in place between the outer blanks.
  const pelunits::TextRange trimmed = pelunits::trimmedRange(text);
  const int begin = trimmed.begin;
  int end = trimmed.end;
  if (hasAreaSuffix()) end = pelunits::endWithoutAreaSuffix(begin, end);
  if (end == begin) return 0;
  if (isDecimalSeparator(text[begin])) {
    return end - begin > 1 && allDigits(text, begin + 1, end) ? 1 : 0;
  }
  if (isDecimalSeparator(text[end - 1])) {
    return allDigits(text, begin, end - 1) ? 1 : 0;
  }
  // With the regional flag on, the display groups digits with the user's separator
  // ("1’234.568", "1 234,568"); the locale is read only for a text that needs it.
  wchar_t group = 0;
  bool groupRead = false;
  for (int i = text[begin] == L'-' ? begin + 1 : begin; i < end; ++i) {
    const wchar_t c = text[i];
    if (pelunits::isAsciiDigit(c) || isDecimalSeparator(c)) continue;
    if (useRegionalSettings == 0) return 0;
    if (!groupRead) {
      group = userGroupSeparator();
      groupRead = true;
    }
    if (group == 0 || !sameGroupSeparator(c, group)) return 0;
  }
  return 1;
}

wchar_t KovUnitDecimal::userGroupSeparator() {
  pelunits::NumberSettings settings;
  if (!pelunits::platform::readUserNumberSettings(settings) ||
      settings.thousandSeparator.length() != 1) {
    return 0;
  }
  return settings.thousandSeparator[0];
}

bool KovUnitDecimal::sameGroupSeparator(wchar_t c, wchar_t group) {
  // The blanks a user may type for a blank group separator count as one.
  const auto blank = [](wchar_t x) { return x == L' ' || x == L'\u00A0' || x == L'\u202F'; };
  return c == group || (blank(c) && blank(group));
}
