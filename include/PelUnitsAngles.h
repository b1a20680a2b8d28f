#pragma once

// Directions on the plan: how the host's internal angles lie on the circle, and the
// styles format() writes them in and the exact reader reads them in (PelUnitsFormat.h,
// PelUnitsRead.h).
//
// An internal angle is measured from the host's zero direction in the host's sense of
// rotation: by default from east, counterclockwise, as in mathematics, so that 90° is
// north. An azimuth is measured from north, clockwise; a bearing is the angle from
// north or south toward east or west, 0 to 90°, between its quadrant letters.
namespace pelunits {

// How format() writes an angle, and how the reader takes a plain angle.
enum class AngleStyle : int {
  plain = 0,    // the angle itself: ‹44°30'›
  bearing = 1,  // quadrant letters: ‹N 45°30' E›
  azimuth = 2   // from north, clockwise, 0 up to a turn: ‹45°30'›
};

// The direction of the internal angle 0.
enum class AngleZero : int { east = 0, north = 1, west = 2, south = 3 };

// The sense in which internal angles grow.
enum class AngleSense : int { counterclockwise = 0, clockwise = 1 };

struct AngleConvention {
  AngleZero zero = AngleZero::east;
  AngleSense sense = AngleSense::counterclockwise;
};

}  // namespace pelunits
