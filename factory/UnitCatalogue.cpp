#include <string>

#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "Utf8.h"

namespace pelunits {

namespace {

constexpr double kFullCircleRadians = 6.283185307179586;

// Factors are internal units per display unit (millimetres, grams, ...), except for
// the angle units, whose factor is the full circle in display units.
constexpr NamedUnit kUnits[] = {
    {"millimetres", 20, 5, 1.0, kKeepPrecision, "mm", "length in millimetres"},
    {"centimetres", 20, 5, 10.0, kKeepPrecision, "cm", "length in centimetres"},
    {"metres", 20, 5, 1000.0, 1000, "m", "length in metres, 3 decimals"},
    {"feet-inch-fraction", 20, 1, 0.0, 16, "", "feet, inches and sixteenths: 5'-6 1/2\""},
    {"feet-decimal-inch", 20, 2, 0.0, kKeepPrecision, "", "feet and decimal inches: 5' 6.50\""},
    {"fractional-decimal", 20, 5006, 25.4, 16, "in", "inches with sixteenths: 66 1/2"},
    {"square-millimetres", 3005, 3003, 1.0, kKeepPrecision, "mm²", "area in square millimetres"},
    {"square-metres", 3005, 3003, 1000000.0, kKeepPrecision, "m²", "area in square metres"},
    {"square-inches", 3005, 3003, 645.16, kKeepPrecision, "", "area in square inches: 1.00 ²"},
    {"square-feet-fraction", 3020, 3001, 0.0, 16, "", "area in square feet and inches"},
    {"square-feet-decimal-inch", 3020, 3002, 0.0, kKeepPrecision, "",
     "area in square feet and decimal square inches"},
    {"cubic-centimetres", 5003, 4003, 1000.0, kKeepPrecision, "cm³", "volume in cubic centimetres"},
    {"cubic-metres", 5003, 4003, 1.0e9, 1000, "m³", "volume in cubic metres, 3 decimals"},
    {"cubic-feet-decimal-inch", 5004, 4002, 0.0, kKeepPrecision, "",
     "volume in cubic feet and decimal cubic inches"},
    {"centimetres-to-the-fourth", 5103, 5003, 10000.0, kKeepPrecision, "cm⁴",
     "fourth power of a length (second moments of area)"},
    {"kilonewtons", 3101, 0, 1.0, kKeepPrecision, "kN", "force in kilonewtons"},
    {"newtons", 3101, 0, 0.001, kKeepPrecision, "N", "force in newtons"},
    {"kilonewton-metres", 3201, 0, 1.0, kKeepPrecision, "kNm", "moment in kilonewton-metres"},
    {"newtons-per-square-mm", 3300, 0, 1.0, kKeepPrecision, "N/mm²", "stress in N/mm²"},
    {"grams", 1009, 0, 1.0, kKeepPrecision, "g", "weight in grams"},
    {"kilograms", 1009, 0, 1000.0, kKeepPrecision, "kg", "weight in kilograms"},
    {"tonnes", 1009, 0, 1000000.0, 1000, "t", "weight in tonnes, 3 decimals"},
    {"pounds-ounces", 1010, 0, 0.0, kKeepPrecision, "",
     "weight in pounds and ounces: 2 lb 3.27 oz"},
    {"degrees", 2000, 0, 360.0, kKeepPrecision, "°", "angle in decimal degrees, full circle 360"},
    {"gon", 2000, 2007, 400.0, kKeepPrecision, "gon", "angle in gon, full circle 400"},
    {"radians", 2000, 2005, kFullCircleRadians, 10000, "rad", "angle in radians, 4 decimals"},
    {"degrees-minutes-seconds", 2000, 2008, 0.0, 3600, "", "angle as 10°30'15\""},
};

}  // namespace

const NamedUnit* namedUnits(std::size_t& count) {
  count = sizeof(kUnits) / sizeof(kUnits[0]);
  return kUnits;
}

const NamedUnit* findNamedUnit(std::string_view name) {
  for (const NamedUnit& unit : kUnits) {
    if (name == unit.name) return &unit;
  }
  return nullptr;
}

KovUnitTransform* newNamedUnit(const NamedUnit& named, int* representation) {
  auto chosen = static_cast<KovUnitTransform::eSystemRepresentation>(named.representation);
  KovUnitTransform* unit = KovUnitsTransformArray::getNewUnit(
      static_cast<KovUnitTransform::eSystemUnits>(named.systemUnits), chosen);
  if (representation != nullptr) *representation = chosen;
  if (unit == nullptr) return nullptr;
  if (named.factor != 0.0) unit->setFactor(named.factor);
  if (named.precision != kKeepPrecision) unit->setPrecision(named.precision);
  std::wstring symbol;
  if (utf8ToWide(named.symbol, symbol) && !symbol.empty()) {
    unit->setSymbol(KovString(symbol.c_str()));
  }
  return unit;
}

ParseOperation parseOperationFor(int systemUnits, const KovUnitTransform& unit) {
  switch (systemUnits) {
    case 1009:
    case 1010:
      return ParseOperation::Grams;
    case 2000:
      return ParseOperation::Degrees;
    case 3101:
    case 3102:
      return ParseOperation::KiloNewton;
    case 3201:
    case 3202:
      return ParseOperation::KiloNewtonMeter;
    case 3300:
    case 3301:
      return ParseOperation::NewtonPerSquareMm;
    default:
      return unit.isAngle() != 0 ? ParseOperation::Degrees : ParseOperation::Millimeters;
  }
}

double parseWith(ParseOperation operation, const KovUnitTransform& unit, const KovString& text) {
  switch (operation) {
    case ParseOperation::Degrees:
      return unit.getDegrees(text);
    case ParseOperation::Grams:
      return unit.getGrams(text);
    case ParseOperation::KiloNewton:
      return unit.getKiloNewton(text);
    case ParseOperation::KiloNewtonMeter:
      return unit.getKiloNewtonMeter(text);
    case ParseOperation::NewtonPerSquareMm:
      return unit.getNewtonPerSquareMm(text);
    case ParseOperation::Millimeters:
      break;
  }
  return unit.getMillimeters(text);
}

}  // namespace pelunits
