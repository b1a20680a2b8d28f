#pragma once

#include "KovUnitTransform.h"
#include "PelUnitsRead.h"

// Which of the library's unit classes an object is, found once per class: the
// exact reader asks at every call, and a chain of dynamic_casts costs more than
// reading a short text.
namespace pelunits {
namespace exact {

enum class UnitKind {
  decimalLength,      // KovUnitDecimal and any other length unit
  fractionalDecimal,  // KovUnitFractalDecimal
  feetInch,           // KovUnitInch, KovUnitFractalInch
  degrees,            // KovUnitDegree and any other angle unit
  gon,
  radians,
  degreesMinutesSeconds,
  grams,
  poundsOunces,
  force,
  moment,
  stress,
};

UnitKind kindOf(const KovUnitTransform& unit) noexcept;

// The quantity that units of the kind show.
Quantity quantityOfKind(UnitKind kind) noexcept;

}  // namespace exact
}  // namespace pelunits
