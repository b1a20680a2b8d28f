#include "FieldOfUnit.h"

#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitGradMinSec.h"
#include "units/angle/KovUnitRadian.h"
#include "units/fraction/KovUnitFractalDecimal.h"
#include "units/imperial/KovUnitInchBase.h"
#include "units/imperial/KovUnitLbsOunces.h"

namespace pelunits {
namespace exact {

namespace {

template <class Unit>
bool is(const KovUnitTransform& unit) {
  return dynamic_cast<const Unit*>(&unit) != nullptr;
}

double raised(double base, int power) {
  double result = 1.0;
  for (int i = 0; i < power && i < 64; ++i) result *= base;
  return result;
}

}  // namespace

Field fieldOf(const KovUnitTransform& unit) noexcept {
  Field field;
  field.quantity = quantityOf(unit);
  field.power = unit.getPower();
  field.symbol = unit.getSymbol().getStringW();
  field.symbolLength = static_cast<std::size_t>(unit.getSymbol().length());
  // The displays that follow the user's number format do so only with the flag on.
  bool regionalDisplay = true;
  const double factor = unit.getFactor();
  field.displaySize = factor;
  if (is<KovUnitInchBase>(unit)) {
    field.displaySize = raised(KovUnitInchBase::kMillimetresPerInch, field.power);
    regionalDisplay = false;
  } else if (is<KovUnitFractalDecimal>(unit)) {
    regionalDisplay = false;
  } else if (is<KovUnitGradMinSec>(unit)) {
    field.displaySize = 1.0;
    regionalDisplay = false;
  } else if (is<KovUnitGon>(unit) || is<KovUnitRadian>(unit)) {
    field.displaySize = 360.0 / factor;
  } else if (field.quantity == Quantity::angle) {
    field.displaySize = 1.0;  // decimal degrees show the angle itself, reduced
  } else if (is<KovUnitLbsOunces>(unit)) {
    const bool decimalText = factor > KovUnitLbsOunces::kDecimalDisplayThreshold;
    field.echo = true;
    field.echoSize = factor;
    if (unit.getUseRegionalSettings() != 0) field.echoStyle = userNumberStyle();
    if (!decimalText) {
      field.displaySize = KovUnitLbsOunces::kGramsPerOunce;  // a bare number is ounces
      regionalDisplay = false;
    }
  }
  if (regionalDisplay && unit.getUseRegionalSettings() != 0) field.style = userNumberStyle();
  return field;
}

}  // namespace exact
}  // namespace pelunits
