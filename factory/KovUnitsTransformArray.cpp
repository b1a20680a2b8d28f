#include "KovUnitsTransformArray.h"

#include <new>

#include "PelUnitsCatalogue.h"
#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitGradMinSec.h"
#include "units/angle/KovUnitRadian.h"
#include "units/core/KovUnitBase.h"
#include "units/fraction/KovUnitFractalDecimal.h"
#include "units/fraction/KovUnitFractalInch.h"
#include "units/imperial/KovUnitInch.h"
#include "units/imperial/KovUnitLbsOunces.h"
#include "units/metric/KovUnitDecimal.h"
#include "units/metric/KovUnitGram.h"
#include "units/metric/KovUnitKiloNewton.h"
#include "units/metric/KovUnitKiloNewtonMeter.h"
#include "units/metric/KovUnitNewtonPerSquareMm.h"

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

constexpr int kNoCode = -1;  // unused code slot (no real code is negative)
constexpr int kNoWrite = -1;
constexpr int kNoPower = 0;

// The prototype stands for its class: a new unit is a clone of it.
struct RepresentationCase {
  int representation;
  const KovUnitTransform* prototype;
};

// One row of the factory's decision table: the quantity codes it serves, the
// representations it knows, the class for every other representation, the
// representation written back in that fallback case and the power set afterwards.
struct FactoryRow {
  int systemUnits[2];
  RepresentationCase cases[3];
  const KovUnitTransform* otherwise;  // null: no object
  int writeBack;
  int power;
};

constexpr RepresentationCase kNoCase{kNoCode, nullptr};

using namespace pelunits::codes;

constexpr FactoryRow kRows[] = {
    {{length, kNoCode},
     {{fractionalInch, &fractalInchPrototype},
      {decimal, &decimalPrototype},
      {fractionalDecimal, &fractalDecimalPrototype}},
     &inchPrototype,
     decimalInch,
     kNoPower},
    {{weight, kNoCode}, {kNoCase, kNoCase, kNoCase}, &gramPrototype, kNoWrite, kNoPower},
    {{imperialWeight, kNoCode},
     {kNoCase, kNoCase, kNoCase},
     &lbsOuncesPrototype,
     kNoWrite,
     kNoPower},
    {{angle, kNoCode},
     {{radians, &radianPrototype},
      {gon, &gonPrototype},
      {degreesMinutesSeconds, &gradMinSecPrototype}},
     &degreePrototype,
     kNoWrite,
     kNoPower},
    {{area, kNoCode},
     {{areaFractionalDecimal, &fractalDecimalPrototype}, kNoCase, kNoCase},
     &decimalPrototype,
     areaDecimal,
     2},
    {{imperialArea, kNoCode},
     {{imperialAreaFractionalInch, &fractalInchPrototype},
      {imperialAreaDecimal, &decimalPrototype},
      kNoCase},
     &inchPrototype,
     imperialAreaDecimalInch,
     2},
    {{force, forceAlternate},
     {kNoCase, kNoCase, kNoCase},
     &kiloNewtonPrototype,
     kNoWrite,
     kNoPower},
    {{moment, momentAlternate},
     {kNoCase, kNoCase, kNoCase},
     &kiloNewtonMeterPrototype,
     kNoWrite,
     kNoPower},
    {{stress, stressAlternate},
     {kNoCase, kNoCase, kNoCase},
     &newtonPerSquareMmPrototype,
     kNoWrite,
     kNoPower},
    {{volume, kNoCode},
     {{volumeDecimal, &decimalPrototype},
      {volumeFractionalDecimal, &fractalDecimalPrototype},
      kNoCase},
     nullptr,
     kNoWrite,
     3},
    {{imperialVolume, kNoCode},
     {{imperialVolumeFractionalInch, &fractalInchPrototype},
      {imperialVolumeDecimal, &decimalPrototype},
      kNoCase},
     &inchPrototype,
     imperialVolumeDecimalInch,
     3},
    {{fourthPower, kNoCode},
     {{fourthPowerDecimal, &decimalPrototype},
      {fourthPowerFractionalDecimal, &fractalDecimalPrototype},
      kNoCase},
     nullptr,
     kNoWrite,
     4},
    {{imperialFourthPower, kNoCode},
     {{imperialFourthPowerFractionalInch, &fractalInchPrototype},
      {imperialFourthPowerDecimal, &decimalPrototype},
      kNoCase},
     &inchPrototype,
     imperialFourthPowerDecimalInch,
     4},
};

// Every quantity code that no row names.
constexpr FactoryRow kOtherCodesRow{
    {kNoCode, kNoCode},
    {{otherFractionalDecimal, &fractalDecimalPrototype}, {otherDegrees, &degreePrototype}, kNoCase},
    &decimalPrototype,
    otherDecimal,
    kNoPower};

const FactoryRow& rowFor(int systemUnits) {
  for (const FactoryRow& row : kRows) {
    if (row.systemUnits[0] == systemUnits || row.systemUnits[1] == systemUnits) return row;
  }
  return kOtherCodesRow;
}

}  // namespace

KovUnitTransform* KovUnitsTransformArray::getNewUnit(
    KovUnitTransform::eSystemUnits systemUnits,
    KovUnitTransform::eSystemRepresentation& systemRepresentation) {
  const FactoryRow& row = rowFor(static_cast<int>(systemUnits));
  const int representation = static_cast<int>(systemRepresentation);

  const KovUnitTransform* prototype = row.otherwise;
  bool fellBack = true;
  for (const RepresentationCase& known : row.cases) {
    if (known.prototype != nullptr && known.representation == representation) {
      prototype = known.prototype;
      fellBack = false;
      break;
    }
  }

  // clone() copies the prototype onto the heap, or gives null when no memory is left.
  KovUnitTransform* unit = prototype != nullptr ? prototype->clone() : nullptr;
  // The caller learns the representation really chosen, even when no memory was left.
  if (fellBack && row.writeBack != kNoWrite) {
    systemRepresentation = static_cast<KovUnitTransform::eSystemRepresentation>(row.writeBack);
  }
  if (unit != nullptr && row.power != kNoPower) unit->setPower(row.power);
  return unit;
}

KovUnitTransform* KovUnitsTransformArray::changeUnit(
    KovUnitTransform* old, KovUnitTransform::eSystemUnits systemUnits,
    KovUnitTransform::eSystemRepresentation& systemRepresentation) {
  if (old != nullptr) removeUnit(old);
  return getNewUnit(systemUnits, systemRepresentation);
}

int KovUnitsTransformArray::removeUnit(KovUnitTransform* unit) {
  // Null: nothing to destroy, and the call still counts as done.
  if (unit == nullptr) return 1;
  // ~KovUnitTransform is not virtual, so deleting through it would run the wrong
  // destructor and free the block with the wrong size. Every object this library
  // makes is a KovUnitBase, whose destructor is virtual: delete through that.
  KovUnitBase* ours = dynamic_cast<KovUnitBase*>(unit);
  // An object of the caller's own class was not made here; it is left untouched
  // and stays the caller's to destroy.
  if (ours == nullptr) return 0;
  delete ours;
  return 1;
}

namespace pelunits {

bool factoryKnowsQuantity(int systemUnits) { return &rowFor(systemUnits) != &kOtherCodesRow; }

bool factoryKnowsRepresentation(int systemUnits, int representation) {
  const FactoryRow& row = rowFor(systemUnits);
  bool single = true;
  for (const RepresentationCase& known : row.cases) {
    if (known.prototype == nullptr) continue;
    if (known.representation == representation) return true;
    single = false;
  }
  return single && &row != &kOtherCodesRow;
}

}  // namespace pelunits
