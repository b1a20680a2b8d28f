#include <string>

#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "Utf8.h"
#include "units/core/Definitions.h"

namespace pelunits {

namespace {

constexpr double kFullCircleRadians = 6.283185307179586;

// Imperial engineering units by their definitions: the inch is 25.4 mm and the
// pound-force 4.4482216152605 N, both exactly; the kip is 1000 lbf. Each factor is
// written as the nearest double to its exact value, not as a product of rounded ones.
constexpr double kInch = definitions::kInch.value();              // mm
constexpr double kFoot = definitions::kFoot.value();              // mm
constexpr double kSquareInch = 645.16;                            // mm²
constexpr double kCubicInch = 16387.064;                          // mm³
constexpr double kCubicFoot = 28316846.592;                       // mm³
constexpr double kPoundForce = definitions::kPoundForce.value();  // kN
constexpr double kKip = definitions::kKip.value();                // kN
constexpr double kPoundForceFoot = 1.3558179483314004e-3;         // kNm
constexpr double kKipFoot = 1.3558179483314003;                   // kNm
constexpr double kPsi = 6.894757293168362e-3;  // N/mm²: 4.4482216152605 N / 645.16 mm²
constexpr double kKsi = 6.894757293168361;     // N/mm²

// Example values: one per quantity, chosen to show the imperial units as round numbers.
constexpr double kLength = 1689.1;  // 5' 6 1/2"
constexpr double kArea = 92903.04;  // one square foot
constexpr double kVolume = kCubicFoot;
constexpr double kFourthPower = 1.0e8;  // 10000 cm⁴
constexpr double kAngle = 10.5;         // 10°30'
constexpr double kWeight = 1000.0;      // 1 kg
constexpr double kForce = kKip;
constexpr double kMoment = kKipFoot;
constexpr double kStress = kKsi;

// Factors are internal units per display unit (millimetres, grams, ...), except for
// the angle units, whose factor is the full circle in display units.
constexpr NamedUnit kUnits[] = {
    {"millimetres", 20, 5, 1.0, kKeepPrecision, "mm", "length in millimetres", kLength},
    {"centimetres", 20, 5, 10.0, kKeepPrecision, "cm", "length in centimetres", kLength},
    {"metres", 20, 5, 1000.0, 1000, "m", "length in metres, 3 decimals", kLength},
    {"feet-inch-fraction", 20, 1, 0.0, 16, "", "feet, inches and sixteenths: 5'-6 1/2\"", kLength},
    {"feet-decimal-inch", 20, 2, 0.0, kKeepPrecision, "", "feet and decimal inches: 5' 6.50\"",
     kLength},
    {"fractional-decimal", 20, 5006, kInch, 16, "in", "inches with sixteenths: 66 1/2", kLength},
    {"decimal-feet", 20, 5, kFoot, kKeepPrecision, "ft", "length in decimal feet", kLength},
    {"square-millimetres", 3005, 3003, 1.0, kKeepPrecision, "mm²", "area in square millimetres",
     kArea},
    {"square-metres", 3005, 3003, 1000000.0, kKeepPrecision, "m²", "area in square metres", kArea},
    {"square-inches", 3005, 3003, kSquareInch, kKeepPrecision, "", "area in square inches", kArea},
    {"square-feet-fraction", 3020, 3001, 0.0, 16, "", "area in square feet and inches", kArea},
    {"square-feet-decimal-inch", 3020, 3002, 0.0, kKeepPrecision, "",
     "area in square feet and decimal square inches", kArea},
    {"cubic-centimetres", 5003, 4003, 1000.0, kKeepPrecision, "cm³", "volume in cubic centimetres",
     kVolume},
    {"cubic-metres", 5003, 4003, 1.0e9, 1000, "m³", "volume in cubic metres, 3 decimals", kVolume},
    {"cubic-inches", 5003, 4003, kCubicInch, kKeepPrecision, "in³", "volume in cubic inches",
     kVolume},
    {"cubic-feet", 5003, 4003, kCubicFoot, kKeepPrecision, "ft³", "volume in cubic feet", kVolume},
    {"cubic-feet-decimal-inch", 5004, 4002, 0.0, kKeepPrecision, "",
     "volume in cubic feet and decimal cubic inches", kVolume},
    {"centimetres-to-the-fourth", 5103, 5003, 10000.0, kKeepPrecision, "cm⁴",
     "fourth power of a length (second moments of area)", kFourthPower},
    {"kilonewtons", 3101, 0, 1.0, kKeepPrecision, "kN", "force in kilonewtons", kForce},
    {"newtons", 3101, 0, 0.001, kKeepPrecision, "N", "force in newtons", kForce},
    {"kips", 3101, 0, kKip, kKeepPrecision, "kip", "force in kips (1000 lbf)", kForce},
    {"pounds-force", 3101, 0, kPoundForce, kKeepPrecision, "lbf", "force in pounds-force", kForce},
    {"kilonewton-metres", 3201, 0, 1.0, kKeepPrecision, "kNm", "moment in kilonewton-metres",
     kMoment},
    {"kip-feet", 3201, 0, kKipFoot, kKeepPrecision, "kip·ft", "moment in kip-feet", kMoment},
    {"pound-force-feet", 3201, 0, kPoundForceFoot, kKeepPrecision, "lbf·ft",
     "moment in pound-force-feet", kMoment},
    {"newtons-per-square-mm", 3300, 0, 1.0, kKeepPrecision, "N/mm²", "stress in N/mm²", kStress},
    {"psi", 3300, 0, kPsi, kKeepPrecision, "psi", "stress in pounds-force per square inch",
     kStress},
    {"ksi", 3300, 0, kKsi, kKeepPrecision, "ksi", "stress in kips per square inch", kStress},
    {"grams", 1009, 0, 1.0, kKeepPrecision, "g", "weight in grams", kWeight},
    {"kilograms", 1009, 0, 1000.0, kKeepPrecision, "kg", "weight in kilograms", kWeight},
    {"tonnes", 1009, 0, 1000000.0, 1000, "t", "weight in tonnes, 3 decimals", kWeight},
    {"pounds-ounces", 1010, 0, 0.0, kKeepPrecision, "", "weight in pounds and ounces", kWeight},
    {"degrees", 2000, 0, 360.0, kKeepPrecision, "°", "angle in decimal degrees, full circle 360",
     kAngle},
    {"gon", 2000, 2007, 400.0, kKeepPrecision, "gon", "angle in gon, full circle 400", kAngle},
    {"radians", 2000, 2005, kFullCircleRadians, 10000, "rad", "angle in radians, 4 decimals",
     kAngle},
    {"degrees-minutes-seconds", 2000, 2008, 0.0, 3600, "", "angle as 10°30'15\"", kAngle},
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
