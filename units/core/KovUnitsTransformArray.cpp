#include "KovUnitsTransformArray.h"

#include <new>

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

enum class UnitClass {
  None,
  FractalInch,
  Inch,
  Decimal,
  FractalDecimal,
  Degree,
  GradMinSec,
  Radian,
  Gon,
  LbsOunces,
  Gram,
  KiloNewton,
  KiloNewtonMeter,
  NewtonPerSquareMm
};

constexpr int kNoCode = -1;  // unused code slot (no real code is negative)
constexpr int kNoWrite = -1;
constexpr int kNoPower = 0;

struct RepresentationCase {
  int representation;
  UnitClass unitClass;
};

// One row of the factory's decision table: the quantity codes it serves, the
// representations it knows, the class for every other representation, the
// representation written back in that fallback case and the power set afterwards.
struct FactoryRow {
  int systemUnits[2];
  RepresentationCase cases[3];
  UnitClass otherwise;
  int writeBack;
  int power;
};

constexpr RepresentationCase kNoCase{kNoCode, UnitClass::None};

constexpr FactoryRow kRows[] = {
    {{20, kNoCode},
     {{1, UnitClass::FractalInch}, {5, UnitClass::Decimal}, {5006, UnitClass::FractalDecimal}},
     UnitClass::Inch,
     2,
     kNoPower},
    {{1009, kNoCode}, {kNoCase, kNoCase, kNoCase}, UnitClass::Gram, kNoWrite, kNoPower},
    {{1010, kNoCode}, {kNoCase, kNoCase, kNoCase}, UnitClass::LbsOunces, kNoWrite, kNoPower},
    {{2000, kNoCode},
     {{2005, UnitClass::Radian}, {2007, UnitClass::Gon}, {2008, UnitClass::GradMinSec}},
     UnitClass::Degree,
     kNoWrite,
     kNoPower},
    {{3005, kNoCode},
     {{3004, UnitClass::FractalDecimal}, kNoCase, kNoCase},
     UnitClass::Decimal,
     3003,
     2},
    {{3020, kNoCode},
     {{3001, UnitClass::FractalInch}, {3005, UnitClass::Decimal}, kNoCase},
     UnitClass::Inch,
     3002,
     2},
    {{3101, 3102}, {kNoCase, kNoCase, kNoCase}, UnitClass::KiloNewton, kNoWrite, kNoPower},
    {{3201, 3202}, {kNoCase, kNoCase, kNoCase}, UnitClass::KiloNewtonMeter, kNoWrite, kNoPower},
    {{3300, 3301}, {kNoCase, kNoCase, kNoCase}, UnitClass::NewtonPerSquareMm, kNoWrite, kNoPower},
    {{5003, kNoCode},
     {{4003, UnitClass::Decimal}, {4004, UnitClass::FractalDecimal}, kNoCase},
     UnitClass::None,
     kNoWrite,
     3},
    {{5004, kNoCode},
     {{4001, UnitClass::FractalInch}, {4005, UnitClass::Decimal}, kNoCase},
     UnitClass::Inch,
     4002,
     3},
    {{5103, kNoCode},
     {{5003, UnitClass::Decimal}, {5004, UnitClass::FractalDecimal}, kNoCase},
     UnitClass::None,
     kNoWrite,
     4},
    {{5104, kNoCode},
     {{5001, UnitClass::FractalInch}, {5005, UnitClass::Decimal}, kNoCase},
     UnitClass::Inch,
     5002,
     4},
};

// Every quantity code that no row names.
constexpr FactoryRow kOtherCodesRow{
    {kNoCode, kNoCode},
    {{4, UnitClass::FractalDecimal}, {2006, UnitClass::Degree}, kNoCase},
    UnitClass::Decimal,
    3,
    kNoPower};

const FactoryRow& rowFor(int systemUnits) {
  for (const FactoryRow& row : kRows) {
    if (row.systemUnits[0] == systemUnits || row.systemUnits[1] == systemUnits) return row;
  }
  return kOtherCodesRow;
}

// A heap copy of the class's prototype, or null when no memory is left.
KovUnitTransform* copyOfPrototype(UnitClass unitClass) {
  switch (unitClass) {
    case UnitClass::FractalInch:
      return new (std::nothrow) KovUnitFractalInch(fractalInchPrototype);
    case UnitClass::Inch:
      return new (std::nothrow) KovUnitInch(inchPrototype);
    case UnitClass::Decimal:
      return new (std::nothrow) KovUnitDecimal(decimalPrototype);
    case UnitClass::FractalDecimal:
      return new (std::nothrow) KovUnitFractalDecimal(fractalDecimalPrototype);
    case UnitClass::Degree:
      return new (std::nothrow) KovUnitDegree(degreePrototype);
    case UnitClass::GradMinSec:
      return new (std::nothrow) KovUnitGradMinSec(gradMinSecPrototype);
    case UnitClass::Radian:
      return new (std::nothrow) KovUnitRadian(radianPrototype);
    case UnitClass::Gon:
      return new (std::nothrow) KovUnitGon(gonPrototype);
    case UnitClass::LbsOunces:
      return new (std::nothrow) KovUnitLbsOunces(lbsOuncesPrototype);
    case UnitClass::Gram:
      return new (std::nothrow) KovUnitGram(gramPrototype);
    case UnitClass::KiloNewton:
      return new (std::nothrow) KovUnitKiloNewton(kiloNewtonPrototype);
    case UnitClass::KiloNewtonMeter:
      return new (std::nothrow) KovUnitKiloNewtonMeter(kiloNewtonMeterPrototype);
    case UnitClass::NewtonPerSquareMm:
      return new (std::nothrow) KovUnitNewtonPerSquareMm(newtonPerSquareMmPrototype);
    case UnitClass::None:
      break;
  }
  return nullptr;
}

}  // namespace

KovUnitTransform* KovUnitsTransformArray::getNewUnit(
    KovUnitTransform::eSystemUnits systemUnits,
    KovUnitTransform::eSystemRepresentation& systemRepresentation) {
  const FactoryRow& row = rowFor(static_cast<int>(systemUnits));
  const int representation = static_cast<int>(systemRepresentation);

  UnitClass unitClass = row.otherwise;
  bool fellBack = true;
  for (const RepresentationCase& known : row.cases) {
    if (known.unitClass != UnitClass::None && known.representation == representation) {
      unitClass = known.unitClass;
      fellBack = false;
      break;
    }
  }

  KovUnitTransform* unit = copyOfPrototype(unitClass);
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
