#include "units/metric/KovUnitDecimalBase.h"

#include "TextRange.h"
#include "UserLocale.h"

double KovUnitDecimalBase::getMillimeters(const KovString& text) const {
  // A '/' after the first character of the trimmed text: a fraction, read in place.
  const pelunits::TextRange trimmed = pelunits::trimmedRange(text);
  if (pelunits::findIn(text, L'/', trimmed.begin, trimmed.end) > trimmed.begin) {
    double numerator = 0.0;
    double denominator = 1.0;
    if (parseFraction(text, trimmed.begin, trimmed.end, &numerator, &denominator) != 0) {
      return factor * numerator / denominator;
    }
  }
  pelunits::NumberSettings settings;
  if (useRegionalSettings == 0 || !pelunits::platform::readUserNumberSettings(settings)) {
    return factor * text.toDouble();
  }
  return factor * pelunits::neutralNumber(text, settings).toDouble();
}
