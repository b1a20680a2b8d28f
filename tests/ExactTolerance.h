#pragma once

// How far the exact reading of a unit's display may lie from the value displayed:
// half a display step by each unit's own rounding rule, stated independently of
// the display code. Shared by the round-trip property test and the display fuzzer.

#include <algorithm>
#include <cmath>
#include <limits>

#include "KovUnitTransform.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitGradMinSec.h"
#include "units/angle/KovUnitRadian.h"
#include "units/core/KovUnitBase.h"
#include "units/fraction/KovUnitFractalDecimal.h"
#include "units/fraction/KovUnitFractalInch.h"
#include "units/imperial/KovUnitInch.h"
#include "units/imperial/KovUnitLbsOunces.h"

namespace exacttest {

inline double fractionResolution(int denominator) {
  double p = 10.0;
  for (int k = 1; 10.0 * denominator > p && k < 6; ++k) p *= 10.0;
  return p;
}

template <class Unit>
bool is(const KovUnitTransform& u) {
  return dynamic_cast<const Unit*>(&u) != nullptr;
}

// The allowed difference in internal units.
inline double tolerance(const KovUnitTransform& u, double value) {
  const double relative = std::fabs(value) * 1e-13;
  const int p = u.getPower();
  const auto* base = dynamic_cast<const KovUnitBase*>(&u);
  const bool noDecimals = base != nullptr && base->getNoDecimals() != 0;
  if (is<KovUnitInch>(u)) {
    const double inchUnit = std::pow(25.4, p);
    const double foot = std::pow(12.0, p);
    const double step = 1.0 / u.getPrecision();
    const double inches = std::fabs(value) / inchUnit;
    const double rest = std::fmod(inches, foot);
    double allowed = 0.5 * step;
    // A rest within a step of a whole foot shows as that foot, the first foot
    // included (11.9999945" at 5 decimals shows as 1').
    if ((inches >= foot && rest < step) || foot - rest < step) allowed = step;
    if (inches <= 0.001) allowed = std::max(allowed, 0.001);
    return allowed * inchUnit * (1 + 1e-9) + relative;
  }
  if (is<KovUnitFractalInch>(u)) {
    const int n = u.getPrecision();
    const double inchUnit = std::pow(25.4, p);
    // Feet beyond an int show as whole inches.
    if (std::fabs(value) / inchUnit / std::pow(12.0, p) > 2147483647.0) {
      return 0.5 * inchUnit + relative;
    }
    return (0.5 / n + 1.0 / (n * fractionResolution(n))) * inchUnit + relative;
  }
  if (is<KovUnitFractalDecimal>(u)) {
    const int n = u.getPrecision();
    const double fraction = 0.5 / n + 1.0 / (n * fractionResolution(n));
    return std::max(fraction, 0.005) * std::fabs(u.getFactor()) + relative;
  }
  if (is<KovUnitGradMinSec>(u)) {
    const int d = u.getPrecision();
    if (d <= 0 || noDecimals) return 0.5 + relative;
    if (d == 60) return 1.0 / 60.0 + relative;  // minutes are cut: within one step
    int k = 0;
    for (long long q = d; q > 1; q /= 60) ++k;
    return 0.5 * std::pow(10.0, -(k > 2 ? k - 2 : 0)) / 3600.0 + relative;
  }
  if (u.isAngle() != 0) {
    const double shown =
        is<KovUnitGon>(u) || is<KovUnitRadian>(u) ? 360.0 / std::fabs(u.getFactor()) : 1.0;
    return 0.5 / u.getPrecision() * shown + relative;
  }
  if (is<KovUnitLbsOunces>(u) && !(u.getFactor() > KovUnitLbsOunces::kDecimalDisplayThreshold)) {
    return 0.51 / u.getPrecision() * KovUnitLbsOunces::kGramsPerOunce + relative;
  }
  return 0.5 * std::fabs(u.getFactor()) / u.getPrecision() + relative;
}

// The circle that the unit's display reduces angles to, in degrees; 0 for none.
inline double circle(const KovUnitTransform& u) {
  if (u.isAngle() == 0 || is<KovUnitRadian>(u)) return 0.0;
  if (is<KovUnitGon>(u) || is<KovUnitGradMinSec>(u)) return 360.0;
  return std::fabs(u.getFactor());  // decimal degrees: the value modulo the factor
}

// read - value, folded into half a circle either way for reduced angles.
inline double difference(const KovUnitTransform& u, double read, double value) {
  const double c = circle(u);
  if (c == 0.0 || !std::isfinite(c)) return read - value;
  double d = std::fmod(read - value, c);
  if (d > c / 2) d -= c;
  if (d <= -c / 2) d += c;
  return d;
}

}  // namespace exacttest
