#pragma once

// The family steps behind the public slots, reached through the unit's class, so
// that the fuzz targets drive them directly with any text.

#include "KovString.h"
#include "KovUnitTransform.h"
#include "units/core/KovUnitBase.h"

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
}

}  // namespace fuzz
}  // namespace pelunits
