#include "units/core/NumberText.h"

#include "NumberScan.h"
#include "UserLocale.h"

namespace pelunits {
namespace {

// True when the characters [begin, end) hold a '0' and no other nonzero digit.
bool digitsAreZero(const wchar_t* begin, const wchar_t* end) {
  bool sawZero = false;
  for (const wchar_t* p = begin; p != end; ++p) {
    if (*p >= L'1' && *p <= L'9') return false;
    if (*p == L'0') sawZero = true;
  }
  return sawZero;
}

}  // namespace

KovString nonFiniteText(double value) {
  if (std::isnan(value)) return KovString(L"nan");
  return value < 0 ? KovString(L"-inf") : KovString(L"inf");
}

bool numberTextIsZero(const KovString& text) {
  return digitsAreZero(text.getStringW(), text.getStringW() + text.length());
}

void dropNegativeZeroSign(KovString& text) {
  if (text[0] == L'-' && numberTextIsZero(text)) text.TrimLeft(KovString(L"-"));
}

void appendNumber(KovString& text, double number, int decimals) {
  const int start = text.length();
  text.appendFixed(number, decimals);
  const wchar_t* written = text.getStringW() + start;
  if (written[0] == L'-' && digitsAreZero(written + 1, text.getStringW() + text.length())) {
    text.erase(start, 1);
  }
}

bool holdsDecimalSeparator(const KovString& text, const KovString& decimalSeparator) {
  if (!decimalSeparator.isEmpty()) return text.find(decimalSeparator) >= 0;
  return text.find(L'.') >= 0 || text.find(L',') >= 0;
}

void removeTrailingZeros(KovString& text, const KovString& decimalSeparator) {
  if (!holdsDecimalSeparator(text, decimalSeparator)) return;
  text.TrimRight(KovString(L"0"));
  text.TrimRight(KovString(L".,"));
}

void toRegionalNumber(KovString& text, const NumberSettings& settings, int decimals) {
  // Formatted in place: the formatter reads the neutral text before it writes.
  platform::formatUserNumber(text.getStringW(), numberFormatRecord(settings, decimals), text);
}

double powerOfTen(int n) noexcept {
  if (n >= 0 && n <= kLargestExactPowerOfTen) return kExactPowersOfTen[n];
  return std::pow(10.0, n);
}

}  // namespace pelunits
