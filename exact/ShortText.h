#pragma once

#include <cstddef>

#include "FieldOfUnit.h"

// The short-text step of the exact reader: the texts typed most, read straight from
// the typed text with the value the grammar gives them, to the last bit. It takes
//   - a plain number of up to 15 digits in the field's number form ("-12.345",
//     "1.234,5" under de_DE), in the field's display unit;
//   - in the neutral number form, a whole number and a fraction in the display unit
//     ("37 5/8"), and the compounds of the field's own chain of marks and words:
//     feet and inches with ' '' " in a length field ("104' 4 12/16\"", "5'-6 1/2\"",
//     "5'6"), degrees, minutes and seconds with ° ' '' " in an angle field
//     ("294°41'44.5\""), pounds and ounces with lb lbs oz in a weight field
//     ("67 lb 15.25 oz", "2 lb 3"), with an optional leading sign.
// Every other text, and any whose integers would pass 2^53, gives false, and the
// grammar reads it.
//
// Why it is fast: no plain copy of the text, no search of the unit words, no 128-bit
// rational per step. The parts add up as a count of the chain's smallest unit (inches,
// seconds, ounces) over one denominator in 64-bit integers kept below 2^53, so that the
// one division of two doubles at the end is the correctly rounded quotient.
namespace pelunits {
namespace exact {

bool readShortText(const wchar_t* text, std::size_t length, const Field& field,
                   double& value) noexcept;

// The plain number of readShortText for a unit whose regional flag is off, read before
// its field is made: the number's form is the neutral one then, and a plain number
// needs only the size of the display unit.
bool readShortNeutralNumber(const wchar_t* text, std::size_t length, const KovUnitTransform& unit,
                            double& value) noexcept;

}  // namespace exact
}  // namespace pelunits
