#include "units/core/KovUnitBase.h"

#include <climits>
#include <cmath>

#include "NumberScan.h"
#include "UserLocale.h"

KovUnitBase::KovUnitBase() : noDecimals(0) {}

KovUnitBase::~KovUnitBase() = default;

int KovUnitBase::getPrecision() const {
  // Repeated squaring in double precision, as the precision has always been computed.
  double result = 1.0;
  double base = 10.0;
  for (int exponent = precision; exponent > 0; exponent >>= 1) {
    if ((exponent & 1) != 0) result *= base;
    base *= base;
  }
  // More than 9 decimals cannot be set through this class; saturate rather than overflow.
  if (!(result < static_cast<double>(INT_MAX))) return INT_MAX;
  return static_cast<int>(result);
}

void KovUnitBase::setPrecision(int value) {
  noDecimals = 0;
  const double shifted = static_cast<double>(value) + 0.001;
  // log10 of 0 or less has no meaning; such values show whole numbers.
  const int decimals = shifted > 0.0 ? static_cast<int>(std::log10(shifted)) : 0;
  if (decimals <= 0) {
    precision = 0;
    noDecimals = 1;
  } else {
    precision = decimals;
  }
}

int KovUnitBase::incrementPrecision() {
  // Widened: ten times 1e9 does not fit an int, and 9 decimals stay 9.
  const int before = getPrecision();
  const int noDecimalsBefore = noDecimals;
  const long long next = static_cast<long long>(before) * 10LL;
  setPrecision(next > INT_MAX ? INT_MAX : static_cast<int>(next));
  return getPrecision() != before || noDecimals != noDecimalsBefore ? 1 : 0;
}

KovString KovUnitBase::displayNumber(double number, int trimTrailingZeros) const {
  KovString text;
  text.appendFixed(number, displayDecimals());
  dropNegativeZeroSign(text);
  setInternationalNumberFormat(text);
  removeTrailingZeros(text, trimTrailingZeros);
  return text;
}

KovString KovUnitBase::displayScaledNumber(double value, int trimTrailingZeros) const {
  // The value decides first: inf / inf would make a NaN, and a negative factor
  // would turn "-inf" into "inf".
  if (!std::isfinite(value)) return nonFiniteText(value);
  const double shown = value / factor;
  if (!std::isfinite(shown)) return nonFiniteText(shown);
  return displayNumber(shown, trimTrailingZeros);
}

int KovUnitBase::startsWithNumber(const KovString& text) const {
  // Read in place: the scan skips the same leading blanks that trimming removes, and
  // trailing blanks never decide whether a number starts the text.
  return pelunits::scansAsDouble(text.getStringW(), text.length());
}

double KovUnitBase::readScaledNumber(const KovString& text) const {
  return text.toDouble() * factor;
}

void KovUnitBase::removeTrailingZeros(KovString& text, int trimTrailingZeros) const {
  // Nothing is removed unless asked, so the locale is read only then.
  if (trimTrailingZeros == 0) return;
  bool hasSeparator = false;
  KovString decimalSeparator;
  if (useRegionalSettings == 1 && pelunits::platform::readUserDecimalSeparator(decimalSeparator) &&
      !decimalSeparator.isEmpty()) {
    hasSeparator = text.find(decimalSeparator) >= 0;
  } else {
    // Also when the locale cannot be read: the neutral separators are the best guess.
    hasSeparator = text.find(L'.') >= 0 || text.find(L',') >= 0;
  }
  if (!hasSeparator) return;
  text.TrimRight(KovString(L"0"));
  text.TrimRight(KovString(L".,"));
}

bool numberTextIsZero(const KovString& text) {
  bool sawZero = false;
  for (int i = 0; i < text.length(); ++i) {
    const wchar_t c = text[i];
    if (c >= L'1' && c <= L'9') return false;
    if (c == L'0') sawZero = true;
  }
  return sawZero;
}

void appendNumber(KovString& text, double number, int decimals) {
  const int start = text.length();
  text.appendFixed(number, decimals);
  if (text[start] != L'-') return;
  bool sawZero = false;
  for (int i = start + 1; i < text.length(); ++i) {
    const wchar_t c = text[i];
    if (c >= L'1' && c <= L'9') return;
    if (c == L'0') sawZero = true;
  }
  if (sawZero) text.erase(start, 1);
}

double powerOfTen(int n) noexcept {
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (n >= 0 && n <= 22) return kExact[n];
  return std::pow(10.0, n);
}

void dropNegativeZeroSign(KovString& text) {
  if (text[0] == L'-' && numberTextIsZero(text)) text.TrimLeft(KovString(L"-"));
}

KovString nonFiniteText(double value) {
  if (std::isnan(value)) return KovString(L"nan");
  return value < 0 ? KovString(L"-inf") : KovString(L"inf");
}

int KovUnitBase::parseFraction(const KovString& text, double* numeratorOut,
                               double* denominatorOut) const {
  if (text.find(L'.') >= 0 || text.find(L',') >= 0) return 0;
  const int slash = text.find(L'/');
  if (slash <= 0) return 0;

  KovString head = text.left(slash);
  head.Trim();
  const KovString tail = text.mid(slash + 1);

  const int blank = head.find(L' ');
  int dash = head.find(L'-');
  if (dash == 0) dash = head.find(L'-', 1);  // a leading minus is a sign, not a separator

  int split = -1;
  if (blank > 0) {
    split = (dash > 0 && dash < blank) ? dash : blank;
  } else if (dash > 0) {
    split = dash;
  }
  KovString wholeText;
  if (split > 0) {
    wholeText = head.left(split);
    head = head.mid(split + 1);
  }

  const long whole = wholeText.toLong();
  double numerator = head.toDouble();
  double denominator = tail.toDouble();
  if (whole != 0) {
    if (whole < 0) numerator = -numerator;
    numerator += static_cast<double>(whole) * denominator;
  } else if (denominator < -0.001) {
    denominator = -denominator;
    numerator = -numerator;
  }
  *numeratorOut = numerator;
  *denominatorOut = denominator;
  return static_cast<int>(tail.toLong());
}
