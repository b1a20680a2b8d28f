/* PelUnitsCodes.h: names for the factory's codes.
 *
 * KovUnitsTransformArray::getNewUnit, pelunits_unit_new and the bindings take two
 * integers: the quantity code (KovUnitTransform::eSystemUnits) and the wanted
 * representation (KovUnitTransform::eSystemRepresentation). Each code is written once
 * here, as a C macro; C++ has the same names as constexpr ints in pelunits::codes,
 * usable wherever the interface takes an int. Any other value may still be passed: a
 * quantity code of no name gives a metric decimal unit, and a representation a quantity
 * does not name gives that quantity's default class.
 *
 * The imperial area, volume and fourth-power codes make feet-inch units by default;
 * the metric ones decimal units. The two codes of a force, moment or stress make the
 * same unit. Valid C99 and C++, with no includes.
 */
#ifndef PELUNITS_CODES_H
#define PELUNITS_CODES_H

/* Quantity codes (eSystemUnits). */
#define PELUNITS_CODE_LENGTH 20
#define PELUNITS_CODE_WEIGHT 1009          /* grams */
#define PELUNITS_CODE_IMPERIAL_WEIGHT 1010 /* pounds and ounces */
#define PELUNITS_CODE_ANGLE 2000
#define PELUNITS_CODE_AREA 3005
#define PELUNITS_CODE_IMPERIAL_AREA 3020
#define PELUNITS_CODE_FORCE 3101
#define PELUNITS_CODE_FORCE_ALTERNATE 3102
#define PELUNITS_CODE_MOMENT 3201
#define PELUNITS_CODE_MOMENT_ALTERNATE 3202
#define PELUNITS_CODE_STRESS 3300
#define PELUNITS_CODE_STRESS_ALTERNATE 3301
#define PELUNITS_CODE_VOLUME 5003
#define PELUNITS_CODE_IMPERIAL_VOLUME 5004
#define PELUNITS_CODE_FOURTH_POWER 5103
#define PELUNITS_CODE_IMPERIAL_FOURTH_POWER 5104

/* Representation codes (eSystemRepresentation), by the quantity that names them. */
/* Quantities of one class (weights, forces, moments, stresses) and decimal degrees
 * take any representation; this is the one the library passes. */
#define PELUNITS_CODE_ANY_REPRESENTATION 0
/* Lengths: feet-inch-fraction, feet and decimal inches (the default, written back),
 * metric decimal, inches with a fraction. */
#define PELUNITS_CODE_FRACTIONAL_INCH 1
#define PELUNITS_CODE_DECIMAL_INCH 2
#define PELUNITS_CODE_DECIMAL 5
#define PELUNITS_CODE_FRACTIONAL_DECIMAL 5006
/* Angles: decimal degrees otherwise. */
#define PELUNITS_CODE_RADIANS 2005
#define PELUNITS_CODE_GON 2007
#define PELUNITS_CODE_DEGREES_MINUTES_SECONDS 2008
/* Metric areas: decimal (the default, written back), with a fraction. */
#define PELUNITS_CODE_AREA_DECIMAL 3003
#define PELUNITS_CODE_AREA_FRACTIONAL_DECIMAL 3004
/* Imperial areas: feet-inch-fraction, feet and decimal inches (the default, written
 * back), metric decimal. */
#define PELUNITS_CODE_IMPERIAL_AREA_FRACTIONAL_INCH 3001
#define PELUNITS_CODE_IMPERIAL_AREA_DECIMAL_INCH 3002
#define PELUNITS_CODE_IMPERIAL_AREA_DECIMAL 3005
/* Metric volumes: decimal, with a fraction; no unit for any other. */
#define PELUNITS_CODE_VOLUME_DECIMAL 4003
#define PELUNITS_CODE_VOLUME_FRACTIONAL_DECIMAL 4004
/* Imperial volumes, as imperial areas. */
#define PELUNITS_CODE_IMPERIAL_VOLUME_FRACTIONAL_INCH 4001
#define PELUNITS_CODE_IMPERIAL_VOLUME_DECIMAL_INCH 4002
#define PELUNITS_CODE_IMPERIAL_VOLUME_DECIMAL 4005
/* Metric fourth powers: decimal, with a fraction; no unit for any other. */
#define PELUNITS_CODE_FOURTH_POWER_DECIMAL 5003
#define PELUNITS_CODE_FOURTH_POWER_FRACTIONAL_DECIMAL 5004
/* Imperial fourth powers, as imperial areas. */
#define PELUNITS_CODE_IMPERIAL_FOURTH_POWER_FRACTIONAL_INCH 5001
#define PELUNITS_CODE_IMPERIAL_FOURTH_POWER_DECIMAL_INCH 5002
#define PELUNITS_CODE_IMPERIAL_FOURTH_POWER_DECIMAL 5005
/* Quantity codes of no name: metric decimal (the default, written back), with a
 * fraction, decimal degrees. */
#define PELUNITS_CODE_OTHER_DECIMAL 3
#define PELUNITS_CODE_OTHER_FRACTIONAL_DECIMAL 4
#define PELUNITS_CODE_OTHER_DEGREES 2006

#ifdef __cplusplus
namespace pelunits {
namespace codes {

constexpr int length = PELUNITS_CODE_LENGTH;
constexpr int weight = PELUNITS_CODE_WEIGHT;
constexpr int imperialWeight = PELUNITS_CODE_IMPERIAL_WEIGHT;
constexpr int angle = PELUNITS_CODE_ANGLE;
constexpr int area = PELUNITS_CODE_AREA;
constexpr int imperialArea = PELUNITS_CODE_IMPERIAL_AREA;
constexpr int force = PELUNITS_CODE_FORCE;
constexpr int forceAlternate = PELUNITS_CODE_FORCE_ALTERNATE;
constexpr int moment = PELUNITS_CODE_MOMENT;
constexpr int momentAlternate = PELUNITS_CODE_MOMENT_ALTERNATE;
constexpr int stress = PELUNITS_CODE_STRESS;
constexpr int stressAlternate = PELUNITS_CODE_STRESS_ALTERNATE;
constexpr int volume = PELUNITS_CODE_VOLUME;
constexpr int imperialVolume = PELUNITS_CODE_IMPERIAL_VOLUME;
constexpr int fourthPower = PELUNITS_CODE_FOURTH_POWER;
constexpr int imperialFourthPower = PELUNITS_CODE_IMPERIAL_FOURTH_POWER;

constexpr int anyRepresentation = PELUNITS_CODE_ANY_REPRESENTATION;
constexpr int fractionalInch = PELUNITS_CODE_FRACTIONAL_INCH;
constexpr int decimalInch = PELUNITS_CODE_DECIMAL_INCH;
constexpr int decimal = PELUNITS_CODE_DECIMAL;
constexpr int fractionalDecimal = PELUNITS_CODE_FRACTIONAL_DECIMAL;
constexpr int radians = PELUNITS_CODE_RADIANS;
constexpr int gon = PELUNITS_CODE_GON;
constexpr int degreesMinutesSeconds = PELUNITS_CODE_DEGREES_MINUTES_SECONDS;
constexpr int areaDecimal = PELUNITS_CODE_AREA_DECIMAL;
constexpr int areaFractionalDecimal = PELUNITS_CODE_AREA_FRACTIONAL_DECIMAL;
constexpr int imperialAreaFractionalInch = PELUNITS_CODE_IMPERIAL_AREA_FRACTIONAL_INCH;
constexpr int imperialAreaDecimalInch = PELUNITS_CODE_IMPERIAL_AREA_DECIMAL_INCH;
constexpr int imperialAreaDecimal = PELUNITS_CODE_IMPERIAL_AREA_DECIMAL;
constexpr int volumeDecimal = PELUNITS_CODE_VOLUME_DECIMAL;
constexpr int volumeFractionalDecimal = PELUNITS_CODE_VOLUME_FRACTIONAL_DECIMAL;
constexpr int imperialVolumeFractionalInch = PELUNITS_CODE_IMPERIAL_VOLUME_FRACTIONAL_INCH;
constexpr int imperialVolumeDecimalInch = PELUNITS_CODE_IMPERIAL_VOLUME_DECIMAL_INCH;
constexpr int imperialVolumeDecimal = PELUNITS_CODE_IMPERIAL_VOLUME_DECIMAL;
constexpr int fourthPowerDecimal = PELUNITS_CODE_FOURTH_POWER_DECIMAL;
constexpr int fourthPowerFractionalDecimal = PELUNITS_CODE_FOURTH_POWER_FRACTIONAL_DECIMAL;
constexpr int imperialFourthPowerFractionalInch =
    PELUNITS_CODE_IMPERIAL_FOURTH_POWER_FRACTIONAL_INCH;
constexpr int imperialFourthPowerDecimalInch = PELUNITS_CODE_IMPERIAL_FOURTH_POWER_DECIMAL_INCH;
constexpr int imperialFourthPowerDecimal = PELUNITS_CODE_IMPERIAL_FOURTH_POWER_DECIMAL;
constexpr int otherDecimal = PELUNITS_CODE_OTHER_DECIMAL;
constexpr int otherFractionalDecimal = PELUNITS_CODE_OTHER_FRACTIONAL_DECIMAL;
constexpr int otherDegrees = PELUNITS_CODE_OTHER_DEGREES;

}  // namespace codes
}  // namespace pelunits
#endif

#endif
