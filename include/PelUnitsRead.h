#pragma once

#include <cstddef>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "PelUnitsAngles.h"
#include "PelUnitsExport.h"

// The exact reader: reads typed text for a unit and says what it understood.
//
// Unlike the unit's own readers (getMillimeters, getDegrees, ...), which read as much
// as they can and give 0 for the rest, the exact reader accepts a text only when all
// of it makes sense for the unit's quantity, and otherwise says where and why it
// stopped. The unit objects are only read, never changed.
//
// What it reads (the README's "Reading typed text exactly" has the grammar):
// - everything the unit displays, with and without units, in every setting;
// - a bare number in the unit's display unit (factor and power applied; inches in the
//   feet-inch units, degrees in degrees-minutes-seconds, ounces in pounds and ounces);
// - quantities with units of the same quantity, which convert: 5'6", 5' 6 1/2",
//   5 ft 6 in, 1.5 m, 10°30'15", 100 gon, 2 lb 3 oz, 2 kg, 1500 N, 2 kNm, 355 MPa;
//   a unit of another quantity is invalid;
// - typographic marks (′ ″ ’ ” º ˚, the minus sign, no-break and thin spaces),
//   vulgar fractions (½ ⅜ ...) and the fraction slash;
// - + and - between quantities (a binary '-' has blanks on both sides; a '-' touching
//   a foot mark joins feet and inches; a leading '-' is the sign of the whole
//   quantity), * (or ×) and / by plain numbers, and parentheses around a sum where a
//   quantity begins: (5'6") / 2, 2 * (3' + 4 1/2");
// - lb and oz as the legal pound of 0.45359237 kg and its sixteenth, except in the
//   pound-and-ounce unit, which keeps the ounce of 28.34952 g its displays are written
//   in; lb and lbs as the pound-force in force, moment and stress units;
// - with the unit's regional flag on, the numbers of the decimal units in the user's
//   form: the decimal separator, and the group separator only where whole groups stand
//   (1.234,5 de_DE; 12.3 there is invalid, never 123); with the flag off, the neutral
//   form only (1,5 is invalid).
// - a leading '~', the mark of a display that rounding made inexact (format() in
//   PelUnitsFormat.h writes it), which changes nothing; and a leading '±' before a
//   quantity that is zero ("±0.000"), where before any other it is invalid;
// - in an angle field, bearings (PelUnitsAngles.h) as format() writes them, in either
//   case, with the angle in any form the field reads: ‹N 45°30' E› in a degree field is
//   44.5 (counterclockwise from east), ‹S 30° W› 240, ‹n 45.5 e› 44.5; a letter alone is
//   its axis (‹N› is 90, ‹E› 0); the angle lies within 0 to 90 degrees (‹N 95° E› is
//   invalid at the angle) and the letters name a quadrant (‹N 45° N› is invalid at the
//   second N); a bearing reads as 0 up to 360;
// "nan", "inf" and "-inf" read as themselves. Texts under 32 characters are read
// without heap allocation. Every function may be called from several threads at once.
namespace pelunits {

// What a text is for the unit.
enum class ReadStatus : int {
  complete = 0,    // the whole text is a quantity; `value` holds it
  incomplete = 1,  // a prefix of a complete text ("", "-", "5' 6 1/", "1e")
  invalid = 2      // no continuation can make it complete
};

// The quantity a unit object shows, and so the internal unit of `ReadResult::value`.
enum class Quantity : int {
  length = 0,  // millimetres raised to the unit's power
  angle = 1,   // degrees
  weight = 2,  // grams
  force = 3,   // kilonewtons
  moment = 4,  // kilonewton-metres
  stress = 5   // newtons per square millimetre
};

struct ReadResult {
  ReadStatus status = ReadStatus::invalid;
  // In the unit's internal quantity; 0 unless complete. The double nearest to the
  // text's exact value, the units' sizes taken by their definitions (radians by the
  // doubles nearest to 180/π and 2π). Past the range of the reader's exact 128-bit
  // rationals (more than 19 significant digits, exponents beyond ±38) it is computed in
  // double arithmetic instead: within a few units in the last place.
  double value = 0.0;
  std::size_t position = 0;  // where reading stopped, for a text that is not complete
  const char* message = "";  // short lowercase reason (static storage), "" when complete
};

// The quantity of a unit object made by this library.
PELUNITS_API Quantity quantityOf(const KovUnitTransform& unit) noexcept;

// Reads wide text; `position` counts wide characters.
PELUNITS_API ReadResult readExact(const KovUnitTransform& unit, const wchar_t* text,
                                  std::size_t length) noexcept;
PELUNITS_API ReadResult readExact(const KovUnitTransform& unit, const KovString& text) noexcept;
// Reads UTF-8 text; `position` counts bytes. Malformed UTF-8 is invalid.
PELUNITS_API ReadResult readExactUtf8(const KovUnitTransform& unit, const char* text,
                                      std::size_t length) noexcept;

// Reads text of an angle field as format() writes it with `style` under `convention`,
// so that every text it writes reads back to the value it came from, up to whole turns:
// a bearing under the convention; a plain angle as an azimuth (clockwise from north)
// under AngleStyle::azimuth, and as itself under the other styles. Bearings and
// azimuths read as 0 up to 360 degrees, exactly placed before the one rounding. Fields
// of other quantities read as readExact reads them.
PELUNITS_API ReadResult readExact(const KovUnitTransform& unit, const wchar_t* text,
                                  std::size_t length, AngleStyle style,
                                  const AngleConvention& convention) noexcept;
PELUNITS_API ReadResult readExact(const KovUnitTransform& unit, const KovString& text,
                                  AngleStyle style, const AngleConvention& convention) noexcept;
PELUNITS_API ReadResult readExactUtf8(const KovUnitTransform& unit, const char* text,
                                      std::size_t length, AngleStyle style,
                                      const AngleConvention& convention) noexcept;

}  // namespace pelunits
