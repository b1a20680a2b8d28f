#include "KovUnitsTransformArray.h"

#include <cstddef>

#include "PelUnitsCatalogue.h"
#include "UnitDescriptions.h"
#include "units/core/KovUnitBase.h"

namespace {

using pelunits::FactoryCode;
using pelunits::Pick;
using pelunits::UnitDescription;
using namespace pelunits::codes;

// The power a quantity code sets on the unit made; every other code keeps the
// prototype's power 1.
struct PoweredQuantity {
  int systemUnits;
  int power;
};
constexpr PoweredQuantity kPoweredQuantities[] = {
    {area, 2},           {imperialArea, 2}, {volume, 3},
    {imperialVolume, 3}, {fourthPower, 4},  {imperialFourthPower, 4},
};

int powerOf(int systemUnits) {
  for (const PoweredQuantity& powered : kPoweredQuantities) {
    if (powered.systemUnits == systemUnits) return powered.power;
  }
  return 1;
}

// What the unit table makes of a code pair.
struct Choice {
  bool quantityKnown = false;  // a row names the quantity code
  bool picked = false;         // a class picks this very representation
  bool anyPicks = false;       // some class of the code picks a representation of its own
  const UnitDescription* unit = nullptr;  // null: the code has no class for it
  int writtenBack = anyRepresentation;    // what a default's choice writes back
};

bool namesQuantity(const FactoryCode& code, int systemUnits) {
  return code.pick != Pick::none && !code.forOtherQuantities && code.systemUnits == systemUnits;
}

bool servesQuantity(const FactoryCode& code, bool quantityKnown, int systemUnits) {
  if (code.pick == Pick::none) return false;
  return quantityKnown ? namesQuantity(code, systemUnits) : code.forOtherQuantities;
}

// The first row with a code pair of the quantity code; null for a code no row names.
const UnitDescription* firstRowNaming(int systemUnits) {
  std::size_t count = 0;
  const UnitDescription* const rows = pelunits::unitDescriptions(count);
  for (std::size_t i = 0; i < count; ++i) {
    for (const FactoryCode& code : rows[i].makes) {
      if (namesQuantity(code, systemUnits)) return &rows[i];
    }
  }
  return nullptr;
}

Choice choose(int systemUnits, int representation) {
  std::size_t count = 0;
  const UnitDescription* const rows = pelunits::unitDescriptions(count);
  Choice choice;
  choice.quantityKnown = firstRowNaming(systemUnits) != nullptr;
  const UnitDescription* fallback = nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    for (const FactoryCode& code : rows[i].makes) {
      if (!servesQuantity(code, choice.quantityKnown, systemUnits)) continue;
      if (code.pick == Pick::byDefault) {
        fallback = &rows[i];
        choice.writtenBack = code.representation;
      } else {
        choice.anyPicks = true;
        if (code.representation == representation) {
          choice.unit = &rows[i];
          choice.picked = true;
        }
      }
    }
  }
  if (!choice.picked) choice.unit = fallback;
  return choice;
}

}  // namespace

KovUnitTransform* KovUnitsTransformArray::getNewUnit(
    KovUnitTransform::eSystemUnits systemUnits,
    KovUnitTransform::eSystemRepresentation& systemRepresentation) {
  const Choice choice =
      choose(static_cast<int>(systemUnits), static_cast<int>(systemRepresentation));
  // clone() copies the prototype onto the heap, or gives null when no memory is left.
  KovUnitTransform* unit = choice.unit != nullptr ? choice.unit->prototype->clone() : nullptr;
  // The caller learns the representation really chosen, even when no memory was left.
  if (!choice.picked && choice.writtenBack != anyRepresentation) {
    systemRepresentation = static_cast<KovUnitTransform::eSystemRepresentation>(choice.writtenBack);
  }
  const int power = powerOf(static_cast<int>(systemUnits));
  if (unit != nullptr && power != 1) unit->setPower(power);
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

bool factoryKnowsQuantity(int systemUnits) { return firstRowNaming(systemUnits) != nullptr; }

bool factoryKnowsRepresentation(int systemUnits, int representation) {
  const Choice choice = choose(systemUnits, representation);
  if (!choice.quantityKnown) return false;
  // The code a default writes back names the class it gives, so it is known too.
  return choice.picked || !choice.anyPicks ||
         (choice.writtenBack != anyRepresentation && choice.writtenBack == representation);
}

bool factoryQuantity(int systemUnits, Quantity& quantity) noexcept {
  // Every class of a code measures its quantity: any one of them tells it.
  const UnitDescription* row = firstRowNaming(systemUnits);
  if (row == nullptr) return false;
  quantity = row->quantity;
  return true;
}

}  // namespace pelunits
