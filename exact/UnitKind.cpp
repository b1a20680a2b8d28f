#include "UnitKind.h"

#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitGradMinSec.h"
#include "units/angle/KovUnitRadian.h"
#include "units/fraction/KovUnitFractalDecimal.h"
#include "units/imperial/KovUnitInchBase.h"
#include "units/imperial/KovUnitLbsOunces.h"
#include "units/metric/KovUnitGram.h"
#include "units/metric/KovUnitKiloNewton.h"
#include "units/metric/KovUnitKiloNewtonMeter.h"
#include "units/metric/KovUnitNewtonPerSquareMm.h"

namespace pelunits {
namespace exact {

namespace {

// The kind of a host's own subclass, by the library's class it derives from.
template <class Unit>
bool is(const KovUnitTransform& unit) {
  return dynamic_cast<const Unit*>(&unit) != nullptr;
}

UnitKind classify(const KovUnitTransform& unit) {
  if (is<KovUnitGradMinSec>(unit)) return UnitKind::degreesMinutesSeconds;
  if (is<KovUnitGon>(unit)) return UnitKind::gon;
  if (is<KovUnitRadian>(unit)) return UnitKind::radians;
  if (is<KovUnitDegreeBase>(unit)) return UnitKind::degrees;
  if (is<KovUnitLbsOunces>(unit)) return UnitKind::poundsOunces;
  if (is<KovUnitWeightBase>(unit)) return UnitKind::grams;
  if (is<KovUnitNewtonPerSquareMm>(unit)) return UnitKind::stress;
  if (is<KovUnitKiloNewton>(unit)) return UnitKind::force;
  if (is<KovUnitKiloNewtonMeter>(unit)) return UnitKind::moment;
  if (is<KovUnitInchBase>(unit)) return UnitKind::feetInch;
  if (is<KovUnitFractalDecimal>(unit)) return UnitKind::fractionalDecimal;
  return UnitKind::decimalLength;
}

}  // namespace

UnitKind kindOf(const KovUnitTransform& unit) noexcept {
  const UnitDescription* description = descriptionOfType(unit);
  return description != nullptr ? description->kind : classify(unit);
}

Quantity quantityOfKind(UnitKind kind) noexcept { return describeKind(kind).quantity; }

}  // namespace exact
}  // namespace pelunits
