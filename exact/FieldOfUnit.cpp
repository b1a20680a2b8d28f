#include "FieldOfUnit.h"

#include "UnitKind.h"
#include "units/imperial/KovUnitInchBase.h"
#include "units/imperial/KovUnitLbsOunces.h"

namespace pelunits {
namespace exact {

namespace {

double raised(double base, int power) {
  double result = 1.0;
  for (int i = 0; i < power && i < 64; ++i) result *= base;
  return result;
}

}  // namespace

Field fieldOf(const KovUnitTransform& unit) noexcept {
  Field field;
  const UnitKind kind = kindOf(unit);
  field.quantity = quantityOfKind(kind);
  field.power = unit.getPower();
  field.symbol = unit.getSymbol().getStringW();
  field.symbolLength = static_cast<std::size_t>(unit.getSymbol().length());
  // The displays that follow the user's number format do so only with the flag on.
  bool regionalDisplay = true;
  const double factor = unit.getFactor();
  field.displaySize = factor;
  switch (kind) {
    case UnitKind::feetInch:
      field.displaySize = raised(KovUnitInchBase::kMillimetresPerInch, field.power);
      regionalDisplay = false;
      break;
    case UnitKind::fractionalDecimal:
      regionalDisplay = false;
      break;
    case UnitKind::degreesMinutesSeconds:
      field.displaySize = 1.0;
      regionalDisplay = false;
      break;
    case UnitKind::gon:
    case UnitKind::radians:
      field.displaySize = 360.0 / factor;
      break;
    case UnitKind::degrees:
      field.displaySize = 1.0;  // decimal degrees show the angle itself, reduced
      break;
    case UnitKind::poundsOunces:
      field.echo = true;
      field.echoSize = factor;
      if (unit.getUseRegionalSettings() != 0) field.echoStyle = userNumberStyle();
      if (!(factor > KovUnitLbsOunces::kDecimalDisplayThreshold)) {
        field.displaySize = KovUnitLbsOunces::kGramsPerOunce;  // a bare number is ounces
        regionalDisplay = false;
      } else {
        field.style = field.echoStyle;  // the locale is read once
        regionalDisplay = false;
      }
      break;
    default:
      break;
  }
  if (regionalDisplay && unit.getUseRegionalSettings() != 0) field.style = userNumberStyle();
  return field;
}

}  // namespace exact
}  // namespace pelunits
