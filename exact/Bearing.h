#pragma once

#include <cstddef>

#include "FieldOfUnit.h"
#include "PelUnitsAngles.h"
#include "PelUnitsRead.h"
#include "units/core/Definitions.h"

// Bearings and azimuths (PelUnitsAngles.h): the host's internal angles placed on the
// compass, and the reading of the texts format() writes for them.
namespace pelunits {
namespace exact {

constexpr double kDegreesPerTurn = definitions::kDegreesPerCircle.value();
constexpr double kDegreesPerQuarter = kDegreesPerTurn / 4;

// std::fmod(degrees, a turn), bit for bit, without the division where none is needed: an
// angle within two turns either way is at most one turn from its remainder, and taking
// that turn away is exact (the two differ by a factor of two at most). Angles on the
// plan are mostly within one turn already.
double turnRemainder(double degrees) noexcept;

// The azimuth of a finite internal angle (degrees), 0 up to 360.
double azimuthOf(double internalDegrees, const AngleConvention& convention) noexcept;

// A direction as a bearing: the angle from north or south toward east or west.
struct Quadrant {
  wchar_t from = L'N';    // 'N' or 'S'
  wchar_t toward = L'E';  // 'E' or 'W'
  double angle = 0.0;     // degrees, 0 to 90
};
Quadrant quadrantOf(double azimuth) noexcept;

// Whether plain text (TypedText.h) starts as a bearing does: after blanks and a '~', a
// quadrant letter, N S E W in either case, not followed by another letter ("nan" is not
// one).
bool looksLikeBearing(const wchar_t* text, std::size_t length) noexcept;

// Reads plain text that looks like a bearing, in an angle field, as the internal angle
// under `convention`, 0 up to 360.
ReadResult readBearing(const wchar_t* text, std::size_t length, const Field& field,
                       const AngleConvention& convention) noexcept;

// Reads plain text in an angle field for `style`: bearings always, a plain angle as an
// azimuth under AngleStyle::azimuth and as itself otherwise.
ReadResult readDirection(const wchar_t* text, std::size_t length, const Field& field,
                         AngleStyle style, const AngleConvention& convention) noexcept;

}  // namespace exact
}  // namespace pelunits
