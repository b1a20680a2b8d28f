#pragma once

#include "units/metric/KovUnitMomentBase.h"

// KovUnitKiloNewtonMeter: a moment (internal unit: kilonewton-metre) shown as one decimal number
// (KovUnitScaledNumber), factor 0.001 shows newton-metres.
class KovUnitKiloNewtonMeter : public KovUnitMomentBase {
 public:
  // Factor 1.0, two decimals, power 1.
  KovUnitKiloNewtonMeter() = default;
  KovUnitKiloNewtonMeter(const KovUnitKiloNewtonMeter& other) = default;

  // The leading number of the typed text times factor (0 when there is none).
  double getKiloNewtonMeter(const KovString& text) const override;

  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};
