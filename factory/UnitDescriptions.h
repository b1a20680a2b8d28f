#pragma once

#include <cstddef>
#include <typeinfo>

#include "KovUnitTransform.h"
#include "PelUnitsRead.h"

// What each of the library's unit classes is, one row per class: how the exact reader
// and format() treat its text, the quantity it measures in which internal unit, the
// factory codes that make it and the prototype it is copied from, the words its
// displays write, and how a bare number typed into its field counts. The factory, the
// catalogue, the exact reader and format() all take these facts from here.
namespace pelunits {

// How the exact reader and format() read and write a unit's text.
enum class UnitKind {
  decimalLength,      // KovUnitDecimal and any other length unit
  fractionalDecimal,  // KovUnitFractalDecimal
  feetInch,           // KovUnitInch, KovUnitFractalInch
  degrees,            // KovUnitDegree and any other angle unit
  gon,
  radians,
  degreesMinutesSeconds,
  grams,
  poundsOunces,
  force,
  moment,
  stress,
};

// What a field of the unit is for the exact reader: above all, what a bare number typed
// into it counts in internal units.
enum class FieldForm {
  factor,      // the unit's factor
  feetInch,    // an inch to the unit's power: the feet-inch units do not read the factor
  degree,      // one degree: decimal degrees and degrees-minutes-seconds show the angle
  circlePart,  // 360 / factor degrees: the factor is the full circle in display units
  // An ounce of the unit's own (lb and oz are its own words too), or the factor once
  // the display turns decimal; the display with units echoes the decimal text.
  poundsOunces,
};

// How a pair of factory codes picks a class.
enum class Pick : unsigned char {
  none,            // an unused slot of a row
  representation,  // the quantity code with exactly this representation
  // The quantity code's default: every representation that no class of the code picks.
  // The factory writes `representation` back to the caller then, unless it is
  // codes::anyRepresentation (the classes that take every representation).
  byDefault,
};

// One pair of codes that makes a class. The power of the unit made follows from the
// quantity code alone (areas 2, volumes 3, fourth powers 4), not from the class.
struct FactoryCode {
  Pick pick;
  bool forOtherQuantities;  // for every quantity code that no row names
  int systemUnits;
  int representation;
};

constexpr FactoryCode picked(int systemUnits, int representation) {
  return {Pick::representation, false, systemUnits, representation};
}
constexpr FactoryCode byDefault(int systemUnits, int writtenBack) {
  return {Pick::byDefault, false, systemUnits, writtenBack};
}
constexpr FactoryCode pickedForOtherQuantities(int representation) {
  return {Pick::representation, true, 0, representation};
}
constexpr FactoryCode byDefaultForOtherQuantities(int writtenBack) {
  return {Pick::byDefault, true, 0, writtenBack};
}

// The most code pairs of one class (the metric decimal unit has them all).
constexpr int kMostFactoryCodes = 8;

struct UnitDescription {
  const std::type_info* type;
  const char* className;
  UnitKind kind;
  Quantity quantity;         // lengths to the unit's power
  const char* internalUnit;  // UTF-8
  // The prototype the factory copies, and every code pair it copies it for; the first
  // pair makes the class at power 1.
  const KovUnitTransform* prototype;
  FactoryCode makes[kMostFactoryCodes];
  const wchar_t* words;  // the unit words and marks its displays write, blank-separated
  FieldForm field;
  // Whether the numbers of its main text take the user's regional form when the unit's
  // regional flag is on (the pound-and-ounce display only once it turns decimal).
  bool regional;
};

// Every class's row, in the order the prototypes are built.
const UnitDescription* unitDescriptions(std::size_t& count) noexcept;

// The row of the unit's exact class; null for a class the library did not write.
const UnitDescription* descriptionOfType(const KovUnitTransform& unit) noexcept;

// The first row of the kind (the feet-inch rows share all their facts but the class).
const UnitDescription& describeKind(UnitKind kind) noexcept;

// The quantity of the classes the factory makes for the quantity code; false, with
// `quantity` untouched, for a code it does not know.
bool factoryQuantity(int systemUnits, Quantity& quantity) noexcept;

}  // namespace pelunits
