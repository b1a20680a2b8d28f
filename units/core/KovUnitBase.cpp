#include "units/core/KovUnitBase.h"

#include <climits>
#include <cmath>

#include "NumberScan.h"
#include "TextRange.h"
#include "UserLocale.h"

KovUnitBase::KovUnitBase() : noDecimals(0) {}

KovUnitBase::~KovUnitBase() = default;

int KovUnitBase::getPrecision() const {
  // 10^precision by repeated squaring in double precision: exact for the 0 to 9
  // decimals that setPrecision gives.
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
  pelunits::dropNegativeZeroSign(text);
  finishNumber(text, trimTrailingZeros);
  return text;
}

void KovUnitBase::finishNumber(KovString& text, int trimTrailingZeros) const {
  if (useRegionalSettings == 0) {
    if (trimTrailingZeros != 0) pelunits::removeTrailingZeros(text, KovString());
    return;
  }
  // The user's settings, read once for both steps.
  const pelunits::NumberSettings* settings = pelunits::platform::userNumberSettings();
  if (settings != nullptr) pelunits::toRegionalNumber(text, *settings, precision);
  if (trimTrailingZeros == 0) return;
  // Also when the locale cannot be read: the neutral separators are the best guess.
  const KovString neutral;
  pelunits::removeTrailingZeros(
      text, settings != nullptr && useRegionalSettings == 1 ? settings->decimalSeparator : neutral);
}

KovString KovUnitBase::displayScaledNumber(double value, int trimTrailingZeros) const {
  // The value decides first: inf / inf would make a NaN, and a negative factor
  // would turn "-inf" into "inf".
  if (!std::isfinite(value)) return pelunits::nonFiniteText(value);
  const double shown = value / factor;
  if (!std::isfinite(shown)) return pelunits::nonFiniteText(shown);
  return displayNumber(shown, trimTrailingZeros);
}

int KovUnitBase::startsWithNumber(const KovString& text) const {
  // Read in place: the scan skips the same leading blanks that trimming removes, and
  // trailing blanks never decide whether a number starts the text.
  return pelunits::scansAsDouble(text.getStringW(), text.length());
}

void KovUnitBase::removeTrailingZeros(KovString& text, int trimTrailingZeros) const {
  // Nothing is removed unless asked, so the locale is read only then.
  if (trimTrailingZeros == 0) return;
  pelunits::NumberSettings settings;
  const bool regional =
      useRegionalSettings == 1 && pelunits::platform::readUserNumberSettings(settings);
  pelunits::removeTrailingZeros(text, regional ? settings.decimalSeparator : KovString());
}

int KovUnitBase::parseFraction(const KovString& text, double* numeratorOut,
                               double* denominatorOut) const {
  return parseFraction(text, 0, text.length(), numeratorOut, denominatorOut);
}

int KovUnitBase::parseFraction(const KovString& text, int begin, int end, double* numeratorOut,
                               double* denominatorOut) const {
  using pelunits::findIn;
  if (findIn(text, L'.', begin, end) >= 0 || findIn(text, L',', begin, end) >= 0) return 0;
  const int slash = findIn(text, L'/', begin, end);
  if (slash <= begin) return 0;

  pelunits::TextRange head = pelunits::trimmedRange(text, begin, slash);
  const int blank = findIn(text, L' ', head.begin, head.end);
  int dash = findIn(text, L'-', head.begin, head.end);
  // A leading minus is a sign, not a separator.
  if (dash == head.begin) dash = findIn(text, L'-', head.begin + 1, head.end);

  int split = -1;
  if (blank > head.begin) {
    split = (dash > head.begin && dash < blank) ? dash : blank;
  } else if (dash > head.begin) {
    split = dash;
  }
  long whole = 0;
  if (split > head.begin) {
    whole = pelunits::integerIn(text, head.begin, split);
    head.begin = split + 1;
  }

  double numerator = pelunits::numberIn(text, head.begin, head.end);
  double denominator = pelunits::numberIn(text, slash + 1, end);
  if (whole != 0) {
    if (whole < 0) numerator = -numerator;
    numerator += static_cast<double>(whole) * denominator;
  } else if (denominator < -0.001) {
    denominator = -denominator;
    numerator = -numerator;
  }
  *numeratorOut = numerator;
  *denominatorOut = denominator;
  return static_cast<int>(pelunits::integerIn(text, slash + 1, end));
}
