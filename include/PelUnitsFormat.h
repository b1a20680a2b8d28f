#pragma once

#include "KovString.h"
#include "KovUnitTransform.h"
#include "PelUnitsAngles.h"
#include "PelUnitsExport.h"

// Formatting with options: the display of a value in a unit's own form, rounded to a
// step of the host's choosing and marked as drawings and reports need it.
//
// format() starts from what the unit object holds (its class, factor, precision,
// power and regional flag) and does not change it; the unit's own displays are not
// affected. Every text it writes reads back complete through readExact
// (PelUnitsRead.h), to exactly the value the text shows.
//
// The forms, one per unit class:
// - decimal numbers in the display unit (lengths, areas, weights, forces, moments,
//   stresses, decimal degrees, gon, radians): "12.35", "1.234,5" with the regional
//   flag on; angles in degrees and gon reduced by a turn as the units show them;
// - feet, inches and a fraction: ‹5' 6 1/2"›; feet and decimal inches: ‹5' 6.50"›;
// - degrees, minutes and seconds: ‹10°30'15"›;
// - pounds and ounces: ‹2 lb 3.50 oz›, ‹3.50 oz›; above the unit's decimal threshold
//   the decimal number;
// - a decimal unit with a fraction: ‹3 1/4›.
// The sign always leads and stands once, for the whole quantity: ‹-5' 6 1/2"›. A value
// that shows as zero has no sign. Feet and inches of areas and volumes show as the
// decimal number of their inch units. The decimal forms write no area mark, and the
// symbol only on request. Non-finite values show as the units show them: "nan", "inf",
// "-inf", with no marks.
//
// Angle fields show directions on request (angleStyle, PelUnitsAngles.h), the internal
// angle taken by the host's convention, whole turns and signs dropped:
// - a bearing, ‹N 45°30'15" E›, ‹S 12.50° W›: the angle from north or south toward east
//   or west in the unit's own form, a degree mark after decimal degrees; gon and radians
//   in their own number, with no mark (‹N 50.00 E› is half a right angle in gon). The
//   angle rounds with the step and rounding above, up and down meaning the shown angle.
//   An angle that shows as 0 or as a right angle is the axis, the letter alone: ‹N›,
//   ‹E›, ‹S›, ‹W›; so 89°59'59.6" at whole seconds shows ‹E›, never ‹N 90°00'00" E›, and
//   a quadrant form always shows an angle strictly between 0 and 90 degrees.
// - an azimuth: the angle from north, clockwise, in the unit's own form (‹45°30'›,
//   ‹45.50›, ‹50.00› in gon), 0 up to a turn; an angle that rounds to a turn or beyond
//   shows 0.
// The inexact marker measures the shown angle; bearings and azimuths carry no sign,
// and the plus sign does not apply. readExact reads bearings back, and the reading with
// the style and the convention (PelUnitsRead.h) azimuths as well.
namespace pelunits {

// How a value goes to a step. Up and down are directions on the number line, as ceil
// and floor are: up gives -2 mm for -2.4 mm, down gives -3 mm.
enum class Rounding : int {
  nearest = 0,  // the nearest step, ties away from zero: 2.5 mm at 5 mm gives 5 mm
  up = 1,       // the nearest step toward +infinity
  down = 2      // the nearest step toward -infinity
};

// The options; every field has a default that leaves the unit's own form. Fields are
// only ever added at the end.
struct FormatOptions {
  // The rounding step, as text of the unit's quantity that readExact reads for the unit
  // ("5 mm", "1/2\"", "15'" in an angle field, "0.5 oz"); null or "" for none. A text
  // that does not read complete, or reads as zero, a negative or a non-finite value,
  // is no step.
  //
  // Without a step, the unit's precision gives it: 1/100 at two decimals, 1/16" at
  // sixteenths, 1/3600° for whole seconds. The shown number has the decimals the step
  // needs ("5 mm" whole millimetres, "0.005 m" three decimals), the fraction forms the
  // step's fraction (1/2", 1/10"). A step that no decimal of up to 9 digits writes, or
  // in the fraction forms no fraction of a denominator up to 4096 (1/3 mm), becomes the
  // largest power of ten not above it (0.1 mm; 1/10^9 at the finest in the fraction
  // forms). Compound forms round on their smallest part and carry (never 60" seconds
  // or 12" inches), and leave out the parts below the step: 15' in an angle field
  // gives ‹10°15'›.
  const wchar_t* increment = nullptr;
  // The step as a number in the unit's display unit (inches in the feet-inch units,
  // degrees in degrees-minutes-seconds, ounces in pounds-and-ounces), used when
  // `increment` gives none; 0 for none.
  double incrementValue = 0.0;
  // How the value goes to the step. A value within 8 units in the last place of a step
  // or a tie counts as one, so that values read from typed text round as typed.
  Rounding rounding = Rounding::nearest;
  // 1 to 17 significant digits for the decimal forms, in place of the step: 3 gives
  // "12300", "1.23", "0.00123"; zero shows as "0". 0 (or any value outside) for none.
  // The compound and fraction forms ignore it.
  int significantDigits = 0;
  // '+' in front of a positive value and '±' in front of one that shows as zero, as
  // levels are written on sections: "+3.250", "±0.000", "-1.200".
  bool plusSign = false;
  // Typographic marks: ′ and ″ for feet and inches and for minutes and seconds, U+2212
  // for the minus sign, vulgar fractions where Unicode has one (½ ⅓ ¼ ⅛ ...) and else
  // the digits about the fraction slash U+2044: ‹5′ 6½″›, ‹10°30′15″›, ‹−3½″›,
  // ‹6 3⁄32″›.
  bool typographic = false;
  // '~' in front when the shown value differs from the value by more than 1e-9 of it,
  // measured in the display unit (so a turn that an angle display reduces is no
  // difference): "~12.35" for 12.3456 mm at two decimals.
  bool inexactMarker = false;
  // The display flags of the unit's getDisplayString: trailing zeros removed from the
  // decimals of every form ("1.5" for "1.50", ‹5' 6"› for ‹5' 6.00"›); feet left out
  // below one foot (‹6 1/2"› rather than ‹0' 6 1/2"›); zero inches left out (‹5'›
  // rather than ‹5' 0"›); between feet and inches, and between the whole number and the
  // fraction of ‹3 1/4›, a blank, or '-' for any other character (‹5'-6 1/2"›, ‹3-1/4›).
  bool trimTrailingZeros = false;
  bool hideZeroFeet = true;
  bool hideZeroInches = false;
  wchar_t separator = L' ';
  // A blank and the unit's symbol after the decimal forms' number, as
  // getDisplayStringWithUnits writes it ("1.500 m"); nothing when the symbol is empty.
  // The compound and fraction forms carry their marks instead.
  bool withSymbol = false;
  // How an angle field shows the angle, and where the host's internal angles start and
  // which way they grow (east and counterclockwise unless the host says otherwise).
  // Fields of other quantities ignore both.
  AngleStyle angleStyle = AngleStyle::plain;
  AngleConvention angleConvention;
};

// `internalValue` (in the unit's internal quantity) as text of the unit, with the
// options. Every input gets an answer.
PELUNITS_API KovString format(const KovUnitTransform& unit, double internalValue,
                              const FormatOptions& options);

}  // namespace pelunits
