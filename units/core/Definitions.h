#pragma once

#include <cstdint>

// The exact sizes the units are defined by, each written once, as ratios of integers in
// the library's internal units (mm, degrees, g, kN). The unit classes and the catalogue
// take their nearest doubles; the exact reader takes the ratios themselves.
namespace pelunits {

struct ExactRatio {
  std::uint64_t numerator = 0;
  std::uint64_t denominator = 1;
  // The nearest double: both integers are exact as doubles, and one division of them
  // rounds correctly.
  constexpr double value() const {
    return static_cast<double>(numerator) / static_cast<double>(denominator);
  }
};

namespace definitions {

// The international inch of 1959, its foot and yard, in millimetres.
constexpr ExactRatio kInch{254, 10};
constexpr ExactRatio kFoot{3048, 10};
constexpr ExactRatio kYard{9144, 10};

// The international avoirdupois pound of 1959 and its ounce, a sixteenth, in grams.
constexpr ExactRatio kPound{45359237, 100000};
constexpr ExactRatio kOunce{45359237, 1600000};

// The pounds-and-ounces unit's ounce, in which its displays are written, and its pound
// of 16 of them, in grams.
constexpr ExactRatio kUnitOunce{2834952, 100000};
constexpr ExactRatio kUnitPound{45359232, 100000};

// Forces in kilonewtons from standard gravity, 9.80665 m/s²: the kilogram-force, the
// tonne-force, the pound-force (0.45359237 kg × 9.80665 m/s²) and the kip (1000 lbf).
constexpr ExactRatio kKilogramForce{980665, 100000000};
constexpr ExactRatio kTonneForce{980665, 100000};
constexpr ExactRatio kPoundForce{44482216152605ull, 10000000000000000ull};
constexpr ExactRatio kKip{44482216152605ull, 10000000000000ull};

// The gon, a four-hundredth of a circle, in degrees.
constexpr ExactRatio kGon{9, 10};

// The doubles the unit classes were written with.
static_assert(kInch.value() == 25.4 && kUnitOunce.value() == 28.34952 &&
                  kUnitPound.value() == 453.59232 && kPoundForce.value() == 4.4482216152605e-3,
              "a definition's double is the literal it stands for");

}  // namespace definitions
}  // namespace pelunits
