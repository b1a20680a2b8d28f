#include "UnitDescriptions.h"

#include "PelUnitsCodes.h"
#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitGradMinSec.h"
#include "units/angle/KovUnitRadian.h"
#include "units/fraction/KovUnitFractalDecimal.h"
#include "units/fraction/KovUnitFractalInch.h"
#include "units/imperial/KovUnitInch.h"
#include "units/imperial/KovUnitLbsOunces.h"
#include "units/metric/KovUnitDecimal.h"
#include "units/metric/KovUnitGram.h"
#include "units/metric/KovUnitKiloNewton.h"
#include "units/metric/KovUnitKiloNewtonMeter.h"
#include "units/metric/KovUnitNewtonPerSquareMm.h"

namespace pelunits {

namespace {

// One prototype per unit class, built when the library loads in exactly this order
// and destroyed in the reverse order when it unloads. They are never written after
// construction, which is what lets the factory run on several threads at once.
const KovUnitFractalInch fractalInchPrototype{};
const KovUnitInch inchPrototype{};
const KovUnitDecimal decimalPrototype{};
const KovUnitFractalDecimal fractalDecimalPrototype{};
const KovUnitDegree degreePrototype{};
const KovUnitGradMinSec gradMinSecPrototype{};
const KovUnitRadian radianPrototype{};
const KovUnitGon gonPrototype{};
const KovUnitLbsOunces lbsOuncesPrototype{};
const KovUnitGram gramPrototype{};
const KovUnitKiloNewton kiloNewtonPrototype{};
const KovUnitKiloNewtonMeter kiloNewtonMeterPrototype{};
const KovUnitNewtonPerSquareMm newtonPerSquareMmPrototype{};

using namespace codes;

#define PELUNITS_CLASS(name) &typeid(name), #name

constexpr UnitDescription kDescriptions[] = {
    {PELUNITS_CLASS(KovUnitFractalInch),
     UnitKind::feetInch,
     Quantity::length,
     "mm",
     &fractalInchPrototype,
     {picked(length, fractionalInch), picked(imperialArea, imperialAreaFractionalInch),
      picked(imperialVolume, imperialVolumeFractionalInch),
      picked(imperialFourthPower, imperialFourthPowerFractionalInch)},
     L"' \"",
     FieldForm::feetInch,
     false},
    {PELUNITS_CLASS(KovUnitInch),
     UnitKind::feetInch,
     Quantity::length,
     "mm",
     &inchPrototype,
     {byDefault(length, decimalInch), byDefault(imperialArea, imperialAreaDecimalInch),
      byDefault(imperialVolume, imperialVolumeDecimalInch),
      byDefault(imperialFourthPower, imperialFourthPowerDecimalInch)},
     L"' \"",
     FieldForm::feetInch,
     false},
    {PELUNITS_CLASS(KovUnitDecimal),
     UnitKind::decimalLength,
     Quantity::length,
     "mm",
     &decimalPrototype,
     {picked(length, decimal), byDefault(area, areaDecimal),
      picked(imperialArea, imperialAreaDecimal), picked(volume, volumeDecimal),
      picked(imperialVolume, imperialVolumeDecimal), picked(fourthPower, fourthPowerDecimal),
      picked(imperialFourthPower, imperialFourthPowerDecimal),
      byDefaultForOtherQuantities(otherDecimal)},
     L"",
     FieldForm::factor,
     true},
    {PELUNITS_CLASS(KovUnitFractalDecimal),
     UnitKind::fractionalDecimal,
     Quantity::length,
     "mm",
     &fractalDecimalPrototype,
     {picked(length, fractionalDecimal), picked(area, areaFractionalDecimal),
      picked(volume, volumeFractionalDecimal), picked(fourthPower, fourthPowerFractionalDecimal),
      pickedForOtherQuantities(otherFractionalDecimal)},
     L"",
     FieldForm::factor,
     false},
    {PELUNITS_CLASS(KovUnitDegree),
     UnitKind::degrees,
     Quantity::angle,
     "\u00B0",
     &degreePrototype,
     {byDefault(angle, anyRepresentation), pickedForOtherQuantities(otherDegrees)},
     L"",
     FieldForm::degree,
     true},
    {PELUNITS_CLASS(KovUnitGradMinSec),
     UnitKind::degreesMinutesSeconds,
     Quantity::angle,
     "\u00B0",
     &gradMinSecPrototype,
     {picked(angle, degreesMinutesSeconds)},
     L"\u00B0 ' \"",
     FieldForm::degree,
     false},
    {PELUNITS_CLASS(KovUnitRadian),
     UnitKind::radians,
     Quantity::angle,
     "\u00B0",
     &radianPrototype,
     {picked(angle, radians)},
     L"",
     FieldForm::circlePart,
     true},
    {PELUNITS_CLASS(KovUnitGon),
     UnitKind::gon,
     Quantity::angle,
     "\u00B0",
     &gonPrototype,
     {picked(angle, gon)},
     L"",
     FieldForm::circlePart,
     true},
    {PELUNITS_CLASS(KovUnitLbsOunces),
     UnitKind::poundsOunces,
     Quantity::weight,
     "g",
     &lbsOuncesPrototype,
     {byDefault(imperialWeight, anyRepresentation)},
     L"lb oz",
     FieldForm::poundsOunces,
     true},
    {PELUNITS_CLASS(KovUnitGram),
     UnitKind::grams,
     Quantity::weight,
     "g",
     &gramPrototype,
     {byDefault(weight, anyRepresentation)},
     L"",
     FieldForm::factor,
     true},
    {PELUNITS_CLASS(KovUnitKiloNewton),
     UnitKind::force,
     Quantity::force,
     "kN",
     &kiloNewtonPrototype,
     {byDefault(force, anyRepresentation), byDefault(forceAlternate, anyRepresentation)},
     L"",
     FieldForm::factor,
     true},
    {PELUNITS_CLASS(KovUnitKiloNewtonMeter),
     UnitKind::moment,
     Quantity::moment,
     "kN\u00B7m",
     &kiloNewtonMeterPrototype,
     {byDefault(moment, anyRepresentation), byDefault(momentAlternate, anyRepresentation)},
     L"",
     FieldForm::factor,
     true},
    {PELUNITS_CLASS(KovUnitNewtonPerSquareMm),
     UnitKind::stress,
     Quantity::stress,
     "N/mm\u00B2",
     &newtonPerSquareMmPrototype,
     {byDefault(stress, anyRepresentation), byDefault(stressAlternate, anyRepresentation)},
     L"",
     FieldForm::factor,
     true},
};

#undef PELUNITS_CLASS

constexpr std::size_t kCount = sizeof(kDescriptions) / sizeof(kDescriptions[0]);

constexpr bool sameQuantityCode(const FactoryCode& a, const FactoryCode& b) {
  return a.forOtherQuantities == b.forOtherQuantities &&
         (a.forOtherQuantities || a.systemUnits == b.systemUnits);
}

// Whether two slots of the table claim the same choice: one representation of a
// quantity code picked twice, or two defaults of one code.
constexpr bool clash(const FactoryCode& a, const FactoryCode& b) {
  if (a.pick == Pick::none || a.pick != b.pick || !sameQuantityCode(a, b)) return false;
  return a.pick == Pick::byDefault || a.representation == b.representation;
}

constexpr bool everyCodePairMakesOneClass() {
  for (std::size_t i = 0; i < kCount * kMostFactoryCodes; ++i) {
    const FactoryCode& a = kDescriptions[i / kMostFactoryCodes].makes[i % kMostFactoryCodes];
    for (std::size_t j = i + 1; j < kCount * kMostFactoryCodes; ++j) {
      if (clash(a, kDescriptions[j / kMostFactoryCodes].makes[j % kMostFactoryCodes])) {
        return false;
      }
    }
  }
  return true;
}
static_assert(everyCodePairMakesOneClass(), "the factory's choice for a code pair is one class");

constexpr bool everyKindHasARow() {
  for (int kind = 0; kind <= static_cast<int>(UnitKind::stress); ++kind) {
    bool found = false;
    for (const UnitDescription& row : kDescriptions) found |= static_cast<int>(row.kind) == kind;
    if (!found) return false;
  }
  return true;
}
static_assert(everyKindHasARow(), "describeKind finds every kind");

}  // namespace

const UnitDescription* unitDescriptions(std::size_t& count) noexcept {
  count = kCount;
  return kDescriptions;
}

const UnitDescription* descriptionOfType(const KovUnitTransform& unit) noexcept {
  // By address: a class of the host, or one whose type_info a module boundary doubled,
  // is not found, and the caller classifies it by its bases instead.
  const std::type_info* type = &typeid(unit);
  for (const UnitDescription& row : kDescriptions) {
    if (row.type == type) return &row;
  }
  return nullptr;
}

const UnitDescription& describeKind(UnitKind kind) noexcept {
  for (const UnitDescription& row : kDescriptions) {
    if (row.kind == kind) return row;
  }
  return kDescriptions[0];  // not reached: every kind has a row, as checked above
}

}  // namespace pelunits
