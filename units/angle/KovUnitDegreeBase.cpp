#include "units/angle/KovUnitDegreeBase.h"

#include <cmath>

#include "TextRange.h"

double KovUnitDegreeBase::getDegrees(const KovString& text) const {
  // Searched in place and in one pass: surrounding blanks hold no mark, so trimming
  // would change nothing.
  bool sexagesimal = false;
  const wchar_t* characters = text.getStringW();
  for (int i = 0; i < text.length() && !sexagesimal; ++i) {
    const wchar_t c = characters[i];
    sexagesimal = c == kMinuteMark || c == kSecondsMark || c == kDegreeLetter || c == kDegreeMark;
  }
  if (!sexagesimal) return getDegreesDecimal(text);
  double degrees = 0.0;
  double minutes = 0.0;
  double seconds = 0.0;
  parseDegreesMinutesSeconds(text, degrees, minutes, seconds);
  // This order of the sum gives the documented values to the last bit.
  return minutes / 60.0 + degrees + seconds / 3600.0;
}

double KovUnitDegreeBase::getDegreesDecimal(const KovString& text) const {
  double x = text.toDouble();
  // The first 'r' and the first 'g', found in one pass; a letter counts only after
  // the first character.
  int radian = -1;
  int gon = -1;
  const wchar_t* characters = text.getStringW();
  for (int i = 0; i < text.length() && (radian < 0 || gon < 0); ++i) {
    if (characters[i] == L'r' && radian < 0) radian = i;
    if (characters[i] == L'g' && gon < 0) gon = i;
  }
  if (radian > 0) {
    x = radiansToDegrees(x);
  } else if (gon > 0) {
    x = gonToDegrees(x);
  }
  return pelunits::remainderOf(x, kDegreesPerCircle);
}

int KovUnitDegreeBase::parseDegreesMinutesSeconds(const KovString& text, double& degrees,
                                                  double& minutes, double& seconds) const {
  degrees = 0.0;
  minutes = 0.0;
  seconds = 0.0;
  // The text is read in place from `start`: leading blanks, then every leading '-'
  // (the sign of the whole angle) are skipped.
  const int length = text.length();
  int start = pelunits::trimmedRange(text).begin;
  const bool negative = text[start] == L'-';
  while (start < length && text[start] == L'-') ++start;

  int d = text.find(kDegreeMark, start);
  if (d < 0) d = text.find(kDegreeLetter, start);
  const int m = text.find(kMinuteMark, start);
  const int s = text.find(kSecondsMark, start);

  if (d == start) return 0;
  if (d > start) {
    degrees = pelunits::numberIn(text, start, length);
    if (m >= 0) {
      if (m > d) {
        minutes = pelunits::numberIn(text, d + 1, length);
        if (!(s >= 0 && s < d)) seconds = pelunits::numberIn(text, m + 1, length);
      }
    } else if (s < 0) {
      minutes = pelunits::numberIn(text, d + 1, length);  // "10°30" is 10 degrees 30 minutes
    } else if (s > d) {
      seconds = pelunits::numberIn(text, d + 1, length);
    }
  } else if (m >= 0) {
    minutes = pelunits::numberIn(text, start, length);
    const int end = s >= 0 ? s : length - 1;
    if (end > m) seconds = pelunits::numberIn(text, m + 1, length);
  } else {
    seconds = pelunits::numberIn(text, start, length);
  }

  if (negative) {
    degrees = -degrees;
    minutes = -minutes;
    seconds = -seconds;
  }
  return 1;
}

int KovUnitDegreeBase::isValidString(const KovString& text) const { return startsWithNumber(text); }

double KovUnitDegreeBase::scaleAngle(double x, double multiplier, double divisor) {
  const double product = x * multiplier;
  if (std::isinf(product) && std::isfinite(x)) return x / divisor * multiplier;
  return product / divisor;
}

double KovUnitDegreeBase::radiansToDegrees(double radians) {
  return scaleAngle(radians, 180.0, std::acos(-1.0));
}

double KovUnitDegreeBase::gonToDegrees(double gon) {
  // A full circle is 400 gon, whatever full circle a gon unit shows: x * 360 / 400.
  return scaleAngle(gon, kDegreesPerCircle, kGonPerCircle);
}

KovString KovUnitDegreeBase::angleNumberText(double number, int trimTrailingZeros) const {
  if (!std::isfinite(number)) return pelunits::nonFiniteText(number);
  return displayNumber(number, trimTrailingZeros);
}
