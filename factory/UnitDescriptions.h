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

// The library's unit classes, in the order their prototypes are built.
enum class UnitClass {
  fractalInch,
  inch,
  decimal,
  fractalDecimal,
  degree,
  gradMinSec,
  radian,
  gon,
  lbsOunces,
  gram,
  kiloNewton,
  kiloNewtonMeter,
  newtonPerSquareMm,
};

struct UnitDescription {
  UnitClass unitClass;
  const std::type_info* type;
  const char* className;
  UnitKind kind;
  Quantity quantity;         // lengths to the unit's power
  const char* internalUnit;  // UTF-8
  // The codes that make the class at power 1, and the prototype the factory copies.
  int systemUnits;
  int representation;
  const KovUnitTransform* prototype;
  const wchar_t* words;  // the unit words and marks its displays write, blank-separated
  FieldForm field;
  // Whether the numbers of its main text take the user's regional form when the unit's
  // regional flag is on (the pound-and-ounce display only once it turns decimal).
  bool regional;
};

// Every class's row, in UnitClass order.
const UnitDescription* unitDescriptions(std::size_t& count) noexcept;

const UnitDescription& describe(UnitClass unitClass) noexcept;

// The row of the unit's exact class; null for a class the library did not write.
const UnitDescription* descriptionOfType(const KovUnitTransform& unit) noexcept;

// The first row of the kind (the feet-inch rows share all their facts but the class).
const UnitDescription& describeKind(UnitKind kind) noexcept;

// The quantity of the classes the factory makes for the quantity code; false, with
// `quantity` untouched, for a code it does not know.
bool factoryQuantity(int systemUnits, Quantity& quantity) noexcept;

}  // namespace pelunits
