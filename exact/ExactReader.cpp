#include "PelUnitsRead.h"
#include "Utf8.h"
#include "units/angle/KovUnitDegreeBase.h"
#include "units/metric/KovUnitKiloNewton.h"
#include "units/metric/KovUnitKiloNewtonMeter.h"
#include "units/metric/KovUnitNewtonPerSquareMm.h"
#include "units/metric/KovUnitWeightBase.h"

namespace pelunits {

Quantity quantityOf(const KovUnitTransform& unit) noexcept {
  if (dynamic_cast<const KovUnitDegreeBase*>(&unit) != nullptr) return Quantity::angle;
  if (dynamic_cast<const KovUnitWeightBase*>(&unit) != nullptr) return Quantity::weight;
  if (dynamic_cast<const KovUnitNewtonPerSquareMm*>(&unit) != nullptr) return Quantity::stress;
  if (dynamic_cast<const KovUnitKiloNewton*>(&unit) != nullptr) return Quantity::force;
  if (dynamic_cast<const KovUnitKiloNewtonMeter*>(&unit) != nullptr) return Quantity::moment;
  return Quantity::length;
}

// Placeholder until the grammar lands: every text is refused at its start.
ReadResult readExact(const KovUnitTransform&, const wchar_t*, std::size_t) noexcept {
  ReadResult result;
  result.message = "not implemented";
  return result;
}

ReadResult readExact(const KovUnitTransform& unit, const KovString& text) noexcept {
  return readExact(unit, text.getStringW(), static_cast<std::size_t>(text.length()));
}

ReadResult readExactUtf8(const KovUnitTransform& unit, const char* text,
                         std::size_t length) noexcept {
  ReadResult result;
  result.message = "not implemented";
  (void)unit;
  (void)text;
  (void)length;
  return result;
}

}  // namespace pelunits
