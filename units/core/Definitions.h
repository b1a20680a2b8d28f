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

constexpr std::uint64_t greatestCommonDivisor(std::uint64_t a, std::uint64_t b) {
  while (b != 0) {
    const std::uint64_t rest = a % b;
    a = b;
    b = rest;
  }
  return a;
}

constexpr bool productFits(std::uint64_t a, std::uint64_t b) {
  return a == 0 || b <= ~std::uint64_t{0} / a;
}

// a × b in lowest terms; {0, 0} where a product leaves 64 bits, which the checks at the
// end of this header refuse.
constexpr ExactRatio times(ExactRatio a, ExactRatio b) {
  const std::uint64_t g1 = greatestCommonDivisor(a.numerator, b.denominator);
  const std::uint64_t g2 = greatestCommonDivisor(b.numerator, a.denominator);
  const std::uint64_t n1 = a.numerator / g1, d2 = b.denominator / g1;
  const std::uint64_t n2 = b.numerator / g2, d1 = a.denominator / g2;
  if (!productFits(n1, n2) || !productFits(d1, d2)) return {0, 0};
  return {n1 * n2, d1 * d2};
}

constexpr ExactRatio per(ExactRatio a, ExactRatio b) {
  return times(a, {b.denominator, b.numerator});
}

constexpr ExactRatio kThousand{1000, 1};

// The international inch of 1959, its foot and yard, in millimetres.
constexpr ExactRatio kInch{254, 10};
constexpr ExactRatio kFoot = times(kInch, {12, 1});
constexpr ExactRatio kYard = times(kFoot, {3, 1});

// The international avoirdupois pound of 1959 and its ounce, a sixteenth, in grams.
constexpr ExactRatio kPound{45359237, 100000};
constexpr ExactRatio kOunce = per(kPound, {16, 1});

// The pounds-and-ounces unit's ounce, in which its displays are written, and its pound
// of 16 of them, in grams.
constexpr ExactRatio kUnitOunce{2834952, 100000};
constexpr ExactRatio kUnitPound = times(kUnitOunce, {16, 1});

// Forces in kilonewtons from standard gravity, 9.80665 m/s²: the kilogram-force, the
// tonne-force, the pound-force (0.45359237 kg × 9.80665 m/s², 4.4482216152605 N) and
// the kip (1000 lbf).
constexpr ExactRatio kKilogramForce{980665, 100000000};
constexpr ExactRatio kTonneForce = times(kKilogramForce, kThousand);
constexpr ExactRatio kPoundForce = times(per(kPound, kThousand), kKilogramForce);
constexpr ExactRatio kKip = times(kPoundForce, kThousand);

// The gon, a four-hundredth of a circle, in degrees, and the circle in gon.
constexpr ExactRatio kGon{9, 10};
constexpr ExactRatio kDegreesPerCircle{360, 1};
constexpr ExactRatio kGonPerCircle = per(kDegreesPerCircle, kGon);

// The imperial units that follow from these, in mm², mm³, kN·m and N/mm².
constexpr ExactRatio kSquareInch = times(kInch, kInch);
constexpr ExactRatio kCubicInch = times(kSquareInch, kInch);
constexpr ExactRatio kSquareFoot = times(kFoot, kFoot);
constexpr ExactRatio kCubicFoot = times(kSquareFoot, kFoot);
constexpr ExactRatio kPoundForceFoot = per(times(kPoundForce, kFoot), kThousand);
constexpr ExactRatio kKipFoot = per(times(kKip, kFoot), kThousand);
constexpr ExactRatio kPoundForceInch = per(times(kPoundForce, kInch), kThousand);
constexpr ExactRatio kKipInch = per(times(kKip, kInch), kThousand);
constexpr ExactRatio kPsi = per(times(kPoundForce, kThousand), kSquareInch);
constexpr ExactRatio kKsi = per(times(kKip, kThousand), kSquareInch);
constexpr ExactRatio kPsf = per(times(kPoundForce, kThousand), kSquareFoot);
constexpr ExactRatio kKsf = per(times(kKip, kThousand), kSquareFoot);
static_assert(kPoundForce.denominator != 0 && kKip.denominator != 0 &&
                  kGonPerCircle.denominator != 0 && kCubicFoot.denominator != 0 &&
                  kPoundForceFoot.denominator != 0 && kKipFoot.denominator != 0 &&
                  kPoundForceInch.denominator != 0 && kKipInch.denominator != 0 &&
                  kPsi.denominator != 0 && kKsi.denominator != 0 && kPsf.denominator != 0 &&
                  kKsf.denominator != 0,
              "every derived unit fits 64-bit integers");

// The doubles the unit classes were written with.
static_assert(kInch.value() == 25.4 && kUnitOunce.value() == 28.34952 &&
                  kUnitPound.value() == 453.59232 && kPoundForce.value() == 4.4482216152605e-3 &&
                  kGonPerCircle.value() == 400.0,
              "a definition's double is the literal it stands for");

}  // namespace definitions
}  // namespace pelunits
