#pragma once

// The family steps behind the public slots, reached through the unit's class, so
// that the fuzz targets drive them directly with any text.

#include "KovString.h"
#include "KovUnitTransform.h"
#include "units/angle/KovUnitDegreeBase.h"
#include "units/core/KovUnitBase.h"
#include "units/fraction/KovUnitFractalInch.h"
#include "units/imperial/KovUnitInchBase.h"
#include "units/imperial/KovUnitLbsOunces.h"

namespace pelunits {
namespace fuzz {

// Calls every family reader that the unit's class has and passes each number it
// gives to `add`.
template <class Add>
void probeFamilyReaders(const KovUnitTransform& unit, const KovString& text, Add add) {
  if (const auto* base = dynamic_cast<const KovUnitBase*>(&unit)) {
    double numerator = 0.5;
    double denominator = 0.25;
    add(base->parseFraction(text, &numerator, &denominator));
    add(numerator);
    add(denominator);
  }
  if (const auto* inch = dynamic_cast<const KovUnitInchBase*>(&unit)) {
    int feet = 7;
    double inches = 0.5;
    add(inch->parseFeetInchFraction(text, feet, inches));
    add(feet);
    add(inches);
    feet = 7;
    inches = 0.5;
    add(inch->parseFeetInchDecimal(text, feet, inches));
    add(feet);
    add(inches);
    inch->normalizeFeetInches(feet, inches);
    add(feet);
    add(inches);
  }
  if (const auto* fractal = dynamic_cast<const KovUnitFractalInch*>(&unit)) {
    add(fractal->isDecimalNumber(text) ? 1 : 0);
  }
  if (const auto* angle = dynamic_cast<const KovUnitDegreeBase*>(&unit)) {
    add(angle->getDegreesDecimal(text));
    double degrees = 1;
    double minutes = 2;
    double seconds = 3;
    add(angle->parseDegreesMinutesSeconds(text, degrees, minutes, seconds));
    add(degrees);
    add(minutes);
    add(seconds);
  }
  if (const auto* weight = dynamic_cast<const KovUnitLbsOunces*>(&unit)) {
    double pounds = 1;
    double ounces = 2;
    add(weight->parsePoundsOunces(text, pounds, ounces));
    add(pounds);
    add(ounces);
  }
}

}  // namespace fuzz
}  // namespace pelunits
