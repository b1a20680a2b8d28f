#pragma once

#include <cstddef>

#include "KovUnitTransform.h"

// The increment text of format()'s options, read for a unit.
namespace pelunits {
namespace exact {

// The value of `text` (`length` characters) as readExact reads it for `unit`, in internal
// units; NaN when it does not read complete.
double readIncrement(const KovUnitTransform& unit, const wchar_t* text,
                     std::size_t length) noexcept;

// The same for a NUL-terminated text, through the answer this thread kept for the last
// unit and text it read: a host formats a column with one increment, and reading "5 mm"
// costs several times the rest of format(). Equal to readIncrement for every unit and text.
double readIncrementKept(const KovUnitTransform& unit, const wchar_t* text) noexcept;

}  // namespace exact
}  // namespace pelunits
