#include "FieldOfUnit.h"

#include <cstring>
#include <typeinfo>

#include "OutOfLine.h"
#include "UnitKind.h"
#include "units/angle/KovUnitDegreeBase.h"
#include "units/core/Definitions.h"
#include "units/imperial/KovUnitInchBase.h"
#include "units/imperial/KovUnitLbsOunces.h"

namespace pelunits {
namespace exact {

namespace {

// What a field's unit class, factor and power decide: everything but the symbol and
// the user's number form, and whether the main text's and the echo's numbers follow
// that form when the unit's regional flag is on.
struct FieldFacts {
  Field field;
  bool mainFollowsUser = true;
  bool echoFollowsUser = false;
};

FieldFacts factsOf(UnitKind kind, double factor, int power) {
  const UnitDescription& description = describeKind(kind);
  FieldFacts facts;
  Field& field = facts.field;
  field.kind = kind;
  field.quantity = description.quantity;
  field.power = power;
  field.displaySize = factor;
  field.displayExact = exactFactor(factor);
  facts.mainFollowsUser = description.regional;
  switch (description.field) {
    case FieldForm::factor:
      break;
    case FieldForm::feetInch:
      field.displaySize = raised(KovUnitInchBase::kMillimetresPerInch, power);
      field.displayExact = exactFactor(KovUnitInchBase::kMillimetresPerInch);
      field.displayExact.raise(power);
      break;
    case FieldForm::degree:
      field.displaySize = 1.0;  // the displays are in degrees (decimal ones reduced)
      field.displayExact = ExactNumber::ofInteger(1);
      break;
    case FieldForm::circlePart:
      field.displaySize = KovUnitDegreeBase::kDegreesPerCircle / factor;
      field.displayExact = ExactNumber::of(definitions::kDegreesPerCircle);
      field.displayExact.divide(exactFactor(factor));
      break;
    case FieldForm::poundsOunces:
      field.unitOunce = true;
      field.echo = true;
      field.echoSize = factor;
      field.echoExact = field.displayExact;
      facts.echoFollowsUser = true;
      // Above the threshold the main text is the decimal text of the echo.
      facts.mainFollowsUser = factor > KovUnitLbsOunces::kDecimalDisplayThreshold;
      if (!facts.mainFollowsUser) {
        field.displaySize = KovUnitLbsOunces::kGramsPerOunce;  // a bare number is ounces
        field.displayExact = exactFactor(KovUnitLbsOunces::kGramsPerOunce);
      }
      break;
  }
  field.displayRatioSmall =
      field.displayExact.smallRatio(field.displayRatio, field.displayRatioNegative);
  return facts;
}

// factsOf for the units read last on this thread, by class, factor (bit for bit, so
// that a NaN factor is found again) and power: finding a factor's exact size costs many
// times a read, and a host reads many texts into the same few units. The keys are plain
// data, which a thread finds without a guard for its first use.
struct FactsKey {
  const std::type_info* type;
  double factor;
  int power;
  const FieldFacts* facts;
};
constexpr int kFactsSlots = 4;
thread_local FactsKey tFactsKeys[kFactsSlots];
thread_local int tNextFactsSlot;

PELUNITS_OUT_OF_LINE const FieldFacts& newFacts(const KovUnitTransform& unit,
                                                const std::type_info* type, double factor,
                                                int power) {
  thread_local FieldFacts facts[kFactsSlots];
  const int slot = tNextFactsSlot;
  tNextFactsSlot = (slot + 1) % kFactsSlots;
  facts[slot] = factsOf(kindOf(unit), factor, power);
  tFactsKeys[slot] = FactsKey{type, factor, power, &facts[slot]};
  return facts[slot];
}

const FieldFacts& cachedFacts(const KovUnitTransform& unit) {
  const std::type_info* type = &typeid(unit);
  const double factor = unit.getFactor();
  const int power = unit.getPower();
  for (const FactsKey& key : tFactsKeys) {
    if (key.type == type && key.power == power &&
        std::memcmp(&key.factor, &factor, sizeof factor) == 0) {
      return *key.facts;
    }
  }
  return newFacts(unit, type, factor, power);
}

}  // namespace

const Field& fieldFactsOf(const KovUnitTransform& unit) noexcept { return cachedFacts(unit).field; }

Field fieldOf(const KovUnitTransform& unit) noexcept {
  const FieldFacts& facts = cachedFacts(unit);
  Field field = facts.field;
  field.symbol = unit.getSymbol().getStringW();
  field.symbolLength = static_cast<std::size_t>(unit.getSymbol().length());
  // The displays that follow the user's number format do so only with the flag on; the
  // locale is read once per call.
  if (unit.getUseRegionalSettings() != 0 && (facts.mainFollowsUser || facts.echoFollowsUser)) {
    const NumberStyle user = userNumberStyle();
    if (facts.mainFollowsUser) {
      field.style = user;
      field.styleIsUser = true;
    }
    if (facts.echoFollowsUser) field.echoStyle = user;
  }
  return field;
}

}  // namespace exact
}  // namespace pelunits
