#include <string>

#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "PelUnitsCodes.h"
#include "UnitDescriptions.h"
#include "Utf8.h"
#include "units/core/Definitions.h"

namespace pelunits {

namespace {

using namespace codes;

constexpr double kFullCircleRadians = 6.283185307179586;

// Imperial engineering units as the nearest doubles to their exact sizes, not as
// products of rounded ones.
constexpr double kInch = definitions::kInch.value();                      // mm
constexpr double kFoot = definitions::kFoot.value();                      // mm
constexpr double kSquareInch = definitions::kSquareInch.value();          // mm²
constexpr double kCubicInch = definitions::kCubicInch.value();            // mm³
constexpr double kCubicFoot = definitions::kCubicFoot.value();            // mm³
constexpr double kPoundForce = definitions::kPoundForce.value();          // kN
constexpr double kKip = definitions::kKip.value();                        // kN
constexpr double kPoundForceFoot = definitions::kPoundForceFoot.value();  // kNm
constexpr double kKipFoot = definitions::kKipFoot.value();                // kNm
constexpr double kPsi = definitions::kPsi.value();                        // N/mm²
constexpr double kKsi = definitions::kKsi.value();                        // N/mm²
constexpr double kDegreesPerCircle = definitions::kDegreesPerCircle.value();
constexpr double kGonPerCircle = definitions::kGonPerCircle.value();

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
    {"millimetres", length, decimal, 1.0, kKeepPrecision, "mm", "length in millimetres", kLength},
    {"centimetres", length, decimal, 10.0, kKeepPrecision, "cm", "length in centimetres", kLength},
    {"metres", length, decimal, 1000.0, 1000, "m", "length in metres, 3 decimals", kLength},
    {"feet-inch-fraction", length, fractionalInch, 0.0, 16, "",
     "feet, inches and sixteenths: 5'-6 1/2\"", kLength},
    {"feet-decimal-inch", length, decimalInch, 0.0, kKeepPrecision, "",
     "feet and decimal inches: 5' 6.50\"", kLength},
    {"fractional-decimal", length, fractionalDecimal, kInch, 16, "in",
     "inches with sixteenths: 66 1/2", kLength},
    {"decimal-feet", length, decimal, kFoot, kKeepPrecision, "ft", "length in decimal feet",
     kLength},
    {"square-millimetres", area, areaDecimal, 1.0, kKeepPrecision, "mm²",
     "area in square millimetres", kArea},
    {"square-metres", area, areaDecimal, 1000000.0, kKeepPrecision, "m²", "area in square metres",
     kArea},
    {"square-inches", area, areaDecimal, kSquareInch, kKeepPrecision, "", "area in square inches",
     kArea},
    {"square-feet-fraction", imperialArea, imperialAreaFractionalInch, 0.0, 16, "",
     "area in square feet and inches", kArea},
    {"square-feet-decimal-inch", imperialArea, imperialAreaDecimalInch, 0.0, kKeepPrecision, "",
     "area in square feet and decimal square inches", kArea},
    {"cubic-centimetres", volume, volumeDecimal, 1000.0, kKeepPrecision, "cm³",
     "volume in cubic centimetres", kVolume},
    {"cubic-metres", volume, volumeDecimal, 1.0e9, 1000, "m³", "volume in cubic metres, 3 decimals",
     kVolume},
    {"cubic-inches", volume, volumeDecimal, kCubicInch, kKeepPrecision, "in³",
     "volume in cubic inches", kVolume},
    {"cubic-feet", volume, volumeDecimal, kCubicFoot, kKeepPrecision, "ft³", "volume in cubic feet",
     kVolume},
    {"cubic-feet-decimal-inch", imperialVolume, imperialVolumeDecimalInch, 0.0, kKeepPrecision, "",
     "volume in cubic feet and decimal cubic inches", kVolume},
    {"centimetres-to-the-fourth", fourthPower, fourthPowerDecimal, 10000.0, kKeepPrecision, "cm⁴",
     "fourth power of a length (second moments of area)", kFourthPower},
    {"kilonewtons", force, anyRepresentation, 1.0, kKeepPrecision, "kN", "force in kilonewtons",
     kForce},
    {"newtons", force, anyRepresentation, 0.001, kKeepPrecision, "N", "force in newtons", kForce},
    {"kips", force, anyRepresentation, kKip, kKeepPrecision, "kip", "force in kips (1000 lbf)",
     kForce},
    {"pounds-force", force, anyRepresentation, kPoundForce, kKeepPrecision, "lbf",
     "force in pounds-force", kForce},
    {"kilonewton-metres", moment, anyRepresentation, 1.0, kKeepPrecision, "kNm",
     "moment in kilonewton-metres", kMoment},
    {"kip-feet", moment, anyRepresentation, kKipFoot, kKeepPrecision, "kip·ft",
     "moment in kip-feet", kMoment},
    {"pound-force-feet", moment, anyRepresentation, kPoundForceFoot, kKeepPrecision, "lbf·ft",
     "moment in pound-force-feet", kMoment},
    {"newtons-per-square-mm", stress, anyRepresentation, 1.0, kKeepPrecision, "N/mm²",
     "stress in N/mm²", kStress},
    {"psi", stress, anyRepresentation, kPsi, kKeepPrecision, "psi",
     "stress in pounds-force per square inch", kStress},
    {"ksi", stress, anyRepresentation, kKsi, kKeepPrecision, "ksi",
     "stress in kips per square inch", kStress},
    {"grams", weight, anyRepresentation, 1.0, kKeepPrecision, "g", "weight in grams", kWeight},
    {"kilograms", weight, anyRepresentation, 1000.0, kKeepPrecision, "kg", "weight in kilograms",
     kWeight},
    {"tonnes", weight, anyRepresentation, 1000000.0, 1000, "t", "weight in tonnes, 3 decimals",
     kWeight},
    {"pounds-ounces", imperialWeight, anyRepresentation, 0.0, kKeepPrecision, "",
     "weight in pounds and ounces", kWeight},
    {"degrees", angle, anyRepresentation, kDegreesPerCircle, kKeepPrecision, "°",
     "angle in decimal degrees, full circle 360", kAngle},
    {"gon", angle, gon, kGonPerCircle, kKeepPrecision, "gon", "angle in gon, full circle 400",
     kAngle},
    {"radians", angle, radians, kFullCircleRadians, 10000, "rad", "angle in radians, 4 decimals",
     kAngle},
    {"degrees-minutes-seconds", angle, degreesMinutesSeconds, 0.0, 3600, "", "angle as 10°30'15\"",
     kAngle},
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
  Quantity quantity = Quantity::length;
  // Lengths and unknown codes read as the unit is: an angle unit reads angles.
  if (!factoryQuantity(systemUnits, quantity) || quantity == Quantity::length) {
    quantity = unit.isAngle() != 0 ? Quantity::angle : Quantity::length;
  }
  switch (quantity) {
    case Quantity::angle:
      return ParseOperation::Degrees;
    case Quantity::weight:
      return ParseOperation::Grams;
    case Quantity::force:
      return ParseOperation::KiloNewton;
    case Quantity::moment:
      return ParseOperation::KiloNewtonMeter;
    case Quantity::stress:
      return ParseOperation::NewtonPerSquareMm;
    case Quantity::length:
      break;
  }
  return ParseOperation::Millimeters;
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
