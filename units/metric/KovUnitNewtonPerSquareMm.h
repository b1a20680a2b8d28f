#pragma once

#include "units/metric/KovUnitForceBase.h"

// KovUnitNewtonPerSquareMm: a stress (internal unit: newton per square millimetre) shown as one
// decimal number (KovUnitScaledNumber), factor 1000 shows kilonewtons per square millimetre.
class KovUnitNewtonPerSquareMm : public KovUnitForceBase {
 public:
  // Factor 1.0, two decimals, power 1.
  KovUnitNewtonPerSquareMm() = default;
  KovUnitNewtonPerSquareMm(const KovUnitNewtonPerSquareMm& other) = default;

  // The leading number of the typed text times factor (0 when there is none).
  double getKiloNewton(const KovString& text) const override;
  double getNewtonPerSquareMm(const KovString& text) const override;

  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};
