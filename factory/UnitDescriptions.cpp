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
    {UnitClass::fractalInch, PELUNITS_CLASS(KovUnitFractalInch), UnitKind::feetInch,
     Quantity::length, "mm", length, fractionalInch, &fractalInchPrototype, L"' \"",
     FieldForm::feetInch, false},
    {UnitClass::inch, PELUNITS_CLASS(KovUnitInch), UnitKind::feetInch, Quantity::length, "mm",
     length, decimalInch, &inchPrototype, L"' \"", FieldForm::feetInch, false},
    {UnitClass::decimal, PELUNITS_CLASS(KovUnitDecimal), UnitKind::decimalLength, Quantity::length,
     "mm", length, decimal, &decimalPrototype, L"", FieldForm::factor, true},
    {UnitClass::fractalDecimal, PELUNITS_CLASS(KovUnitFractalDecimal), UnitKind::fractionalDecimal,
     Quantity::length, "mm", length, fractionalDecimal, &fractalDecimalPrototype, L"",
     FieldForm::factor, false},
    {UnitClass::degree, PELUNITS_CLASS(KovUnitDegree), UnitKind::degrees, Quantity::angle, "\u00B0",
     angle, anyRepresentation, &degreePrototype, L"", FieldForm::degree, true},
    {UnitClass::gradMinSec, PELUNITS_CLASS(KovUnitGradMinSec), UnitKind::degreesMinutesSeconds,
     Quantity::angle, "\u00B0", angle, degreesMinutesSeconds, &gradMinSecPrototype, L"\u00B0 ' \"",
     FieldForm::degree, false},
    {UnitClass::radian, PELUNITS_CLASS(KovUnitRadian), UnitKind::radians, Quantity::angle, "\u00B0",
     angle, radians, &radianPrototype, L"", FieldForm::circlePart, true},
    {UnitClass::gon, PELUNITS_CLASS(KovUnitGon), UnitKind::gon, Quantity::angle, "\u00B0", angle,
     gon, &gonPrototype, L"", FieldForm::circlePart, true},
    {UnitClass::lbsOunces, PELUNITS_CLASS(KovUnitLbsOunces), UnitKind::poundsOunces,
     Quantity::weight, "g", imperialWeight, anyRepresentation, &lbsOuncesPrototype, L"lb oz",
     FieldForm::poundsOunces, true},
    {UnitClass::gram, PELUNITS_CLASS(KovUnitGram), UnitKind::grams, Quantity::weight, "g", weight,
     anyRepresentation, &gramPrototype, L"", FieldForm::factor, true},
    {UnitClass::kiloNewton, PELUNITS_CLASS(KovUnitKiloNewton), UnitKind::force, Quantity::force,
     "kN", force, anyRepresentation, &kiloNewtonPrototype, L"", FieldForm::factor, true},
    {UnitClass::kiloNewtonMeter, PELUNITS_CLASS(KovUnitKiloNewtonMeter), UnitKind::moment,
     Quantity::moment, "kN\u00B7m", moment, anyRepresentation, &kiloNewtonMeterPrototype, L"",
     FieldForm::factor, true},
    {UnitClass::newtonPerSquareMm, PELUNITS_CLASS(KovUnitNewtonPerSquareMm), UnitKind::stress,
     Quantity::stress, "N/mm\u00B2", stress, anyRepresentation, &newtonPerSquareMmPrototype, L"",
     FieldForm::factor, true},
};

#undef PELUNITS_CLASS

constexpr std::size_t kCount = sizeof(kDescriptions) / sizeof(kDescriptions[0]);

constexpr bool inClassOrder() {
  for (std::size_t i = 0; i < kCount; ++i) {
    if (static_cast<std::size_t>(kDescriptions[i].unitClass) != i) return false;
  }
  return true;
}
static_assert(inClassOrder(), "a row stands at the place of its class");

}  // namespace

const UnitDescription* unitDescriptions(std::size_t& count) noexcept {
  count = kCount;
  return kDescriptions;
}

const UnitDescription& describe(UnitClass unitClass) noexcept {
  return kDescriptions[static_cast<std::size_t>(unitClass)];
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
  return describe(UnitClass::decimal);
}

}  // namespace pelunits
