#include "FieldOfUnit.h"

#include <cstring>

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

// exactFactor of the factor read last on this thread: a unit's factor rarely changes
// between reads, and finding its decimal costs many times a read.
ExactNumber cachedExactFactor(double factor) {
  struct Last {
    bool filled = false;
    double factor = 0.0;
    ExactNumber exact;
  };
  thread_local Last last[2];
  // Compared bit for bit, so that a NaN factor is found again too.
  for (Last& l : last) {
    if (l.filled && std::memcmp(&l.factor, &factor, sizeof factor) == 0) return l.exact;
  }
  last[1] = last[0];
  last[0].factor = factor;
  last[0].exact = exactFactor(factor);
  last[0].filled = true;
  return last[0].exact;
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
  field.displayExact = cachedExactFactor(factor);
  switch (kind) {
    case UnitKind::feetInch:
      field.displaySize = raised(KovUnitInchBase::kMillimetresPerInch, field.power);
      field.displayExact = cachedExactFactor(KovUnitInchBase::kMillimetresPerInch);
      field.displayExact.raise(field.power);
      regionalDisplay = false;
      break;
    case UnitKind::fractionalDecimal:
      regionalDisplay = false;
      break;
    case UnitKind::degreesMinutesSeconds:
      field.displaySize = 1.0;
      field.displayExact = ExactNumber::ofInteger(1);
      regionalDisplay = false;
      break;
    case UnitKind::gon:
    case UnitKind::radians:
      field.displaySize = 360.0 / factor;
      field.displayExact = ExactNumber::ofInteger(360);
      field.displayExact.divide(cachedExactFactor(factor));
      break;
    case UnitKind::degrees:
      field.displaySize = 1.0;  // decimal degrees show the angle itself, reduced
      field.displayExact = ExactNumber::ofInteger(1);
      break;
    case UnitKind::poundsOunces:
      field.unitOunce = true;
      field.echo = true;
      field.echoSize = factor;
      field.echoExact = field.displayExact;
      if (unit.getUseRegionalSettings() != 0) field.echoStyle = userNumberStyle();
      if (!(factor > KovUnitLbsOunces::kDecimalDisplayThreshold)) {
        field.displaySize = KovUnitLbsOunces::kGramsPerOunce;  // a bare number is ounces
        field.displayExact = cachedExactFactor(KovUnitLbsOunces::kGramsPerOunce);
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
