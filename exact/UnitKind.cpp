#include "UnitKind.h"

#include <atomic>
#include <typeinfo>

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

// The classes seen so far and their kinds; the library has 13 concrete classes,
// and a class beyond the table is classified at every call. Readers take a slot
// whose type is published; one writer at a time fills the next free slot, the kind
// before the type.
constexpr int kSlots = 32;
std::atomic<const std::type_info*> gTypes[kSlots];
std::atomic<int> gKinds[kSlots];
std::atomic_flag gWriting = ATOMIC_FLAG_INIT;

}  // namespace

UnitKind kindOf(const KovUnitTransform& unit) noexcept {
  const std::type_info* type = &typeid(unit);
  for (int i = 0; i < kSlots; ++i) {
    const std::type_info* seen = gTypes[i].load(std::memory_order_acquire);
    if (seen == type) return static_cast<UnitKind>(gKinds[i].load(std::memory_order_relaxed));
    if (seen == nullptr) break;
  }
  const UnitKind kind = classify(unit);
  while (gWriting.test_and_set(std::memory_order_acquire)) {
  }
  for (int i = 0; i < kSlots; ++i) {
    const std::type_info* seen = gTypes[i].load(std::memory_order_relaxed);
    if (seen == type) break;
    if (seen == nullptr) {
      gKinds[i].store(static_cast<int>(kind), std::memory_order_relaxed);
      gTypes[i].store(type, std::memory_order_release);
      break;
    }
  }
  gWriting.clear(std::memory_order_release);
  return kind;
}

Quantity quantityOfKind(UnitKind kind) noexcept {
  switch (kind) {
    case UnitKind::degrees:
    case UnitKind::gon:
    case UnitKind::radians:
    case UnitKind::degreesMinutesSeconds:
      return Quantity::angle;
    case UnitKind::grams:
    case UnitKind::poundsOunces:
      return Quantity::weight;
    case UnitKind::force:
      return Quantity::force;
    case UnitKind::moment:
      return Quantity::moment;
    case UnitKind::stress:
      return Quantity::stress;
    default:
      return Quantity::length;
  }
}

}  // namespace exact
}  // namespace pelunits
