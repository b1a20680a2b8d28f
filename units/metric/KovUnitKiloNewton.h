#pragma once

#include "units/metric/KovUnitForceBase.h"

// KovUnitKiloNewton: a force (internal unit: kilonewton) shown as one decimal number
// (KovUnitScaledNumber), factor 0.001 shows newtons.
class KovUnitKiloNewton : public KovUnitForceBase {
 public:
  // Factor 1.0, two decimals, power 1.
  KovUnitKiloNewton() = default;
  KovUnitKiloNewton(const KovUnitKiloNewton& other) = default;

  // The leading number of the typed text times factor (0 when there is none).
  double getKiloNewton(const KovString& text) const override;
  double getNewtonPerSquareMm(const KovString& text) const override;

  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};
