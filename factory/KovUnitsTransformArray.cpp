#include "KovUnitsTransformArray.h"

#include <new>

#include "PelUnitsCatalogue.h"
#include "UnitDescriptions.h"
#include "units/core/KovUnitBase.h"

namespace {

using pelunits::describe;
using pelunits::UnitClass;

constexpr int kNoCode = -1;  // unused code slot (no real code is negative)
constexpr int kNoWrite = -1;
constexpr int kNoPower = 0;

// A class of the unit table, or none.
struct Made {
  bool any;
  UnitClass unitClass;
};
constexpr Made made(UnitClass unitClass) { return {true, unitClass}; }
constexpr Made kNothing{false, UnitClass::decimal};

struct RepresentationCase {
  int representation;
  Made made;
};

// One row of the factory's decision table: the quantity codes it serves, the
// representations it knows, the class for every other representation, the
// representation written back in that fallback case and the power set afterwards.
struct FactoryRow {
  int systemUnits[2];
  RepresentationCase cases[3];
  Made otherwise;
  int writeBack;
  int power;
};

constexpr RepresentationCase kNoCase{kNoCode, kNothing};

using namespace pelunits::codes;
using C = UnitClass;

constexpr FactoryRow kRows[] = {
    {{length, kNoCode},
     {{fractionalInch, made(C::fractalInch)},
      {decimal, made(C::decimal)},
      {fractionalDecimal, made(C::fractalDecimal)}},
     made(C::inch),
     decimalInch,
     kNoPower},
    {{weight, kNoCode}, {kNoCase, kNoCase, kNoCase}, made(C::gram), kNoWrite, kNoPower},
    {{imperialWeight, kNoCode},
     {kNoCase, kNoCase, kNoCase},
     made(C::lbsOunces),
     kNoWrite,
     kNoPower},
    {{angle, kNoCode},
     {{radians, made(C::radian)},
      {gon, made(C::gon)},
      {degreesMinutesSeconds, made(C::gradMinSec)}},
     made(C::degree),
     kNoWrite,
     kNoPower},
    {{area, kNoCode},
     {{areaFractionalDecimal, made(C::fractalDecimal)}, kNoCase, kNoCase},
     made(C::decimal),
     areaDecimal,
     2},
    {{imperialArea, kNoCode},
     {{imperialAreaFractionalInch, made(C::fractalInch)},
      {imperialAreaDecimal, made(C::decimal)},
      kNoCase},
     made(C::inch),
     imperialAreaDecimalInch,
     2},
    {{force, forceAlternate}, {kNoCase, kNoCase, kNoCase}, made(C::kiloNewton), kNoWrite, kNoPower},
    {{moment, momentAlternate},
     {kNoCase, kNoCase, kNoCase},
     made(C::kiloNewtonMeter),
     kNoWrite,
     kNoPower},
    {{stress, stressAlternate},
     {kNoCase, kNoCase, kNoCase},
     made(C::newtonPerSquareMm),
     kNoWrite,
     kNoPower},
    {{volume, kNoCode},
     {{volumeDecimal, made(C::decimal)},
      {volumeFractionalDecimal, made(C::fractalDecimal)},
      kNoCase},
     kNothing,
     kNoWrite,
     3},
    {{imperialVolume, kNoCode},
     {{imperialVolumeFractionalInch, made(C::fractalInch)},
      {imperialVolumeDecimal, made(C::decimal)},
      kNoCase},
     made(C::inch),
     imperialVolumeDecimalInch,
     3},
    {{fourthPower, kNoCode},
     {{fourthPowerDecimal, made(C::decimal)},
      {fourthPowerFractionalDecimal, made(C::fractalDecimal)},
      kNoCase},
     kNothing,
     kNoWrite,
     4},
    {{imperialFourthPower, kNoCode},
     {{imperialFourthPowerFractionalInch, made(C::fractalInch)},
      {imperialFourthPowerDecimal, made(C::decimal)},
      kNoCase},
     made(C::inch),
     imperialFourthPowerDecimalInch,
     4},
};

// Every quantity code that no row names.
constexpr FactoryRow kOtherCodesRow{
    {kNoCode, kNoCode},
    {{otherFractionalDecimal, made(C::fractalDecimal)}, {otherDegrees, made(C::degree)}, kNoCase},
    made(C::decimal),
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

  Made chosen = row.otherwise;
  bool fellBack = true;
  for (const RepresentationCase& known : row.cases) {
    if (known.made.any && known.representation == representation) {
      chosen = known.made;
      fellBack = false;
      break;
    }
  }

  // clone() copies the prototype onto the heap, or gives null when no memory is left.
  KovUnitTransform* unit = chosen.any ? describe(chosen.unitClass).prototype->clone() : nullptr;
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
    if (!known.made.any) continue;
    if (known.representation == representation) return true;
    single = false;
  }
  return single && &row != &kOtherCodesRow;
}

bool factoryQuantity(int systemUnits, Quantity& quantity) noexcept {
  const FactoryRow& row = rowFor(systemUnits);
  if (&row == &kOtherCodesRow) return false;
  // Every class of a row measures its quantity: any one of them tells it.
  const Made any = row.otherwise.any ? row.otherwise : row.cases[0].made;
  quantity = describe(any.unitClass).quantity;
  return true;
}

}  // namespace pelunits
