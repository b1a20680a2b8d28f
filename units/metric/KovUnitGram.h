#pragma once

#include "units/metric/KovUnitWeightBase.h"

// KovUnitGram: a weight (internal unit: gram) shown as one decimal number (KovUnitScaledNumber),
// factor 1000 shows kilograms.
class KovUnitGram : public KovUnitWeightBase {
 public:
  // Factor 1.0, two decimals, power 1.
  KovUnitGram() = default;
  KovUnitGram(const KovUnitGram& other) = default;

  // The leading number of the typed text times factor (0 when there is none).
  double getGrams(const KovString& text) const override;

  KovUnitTransform* clone() const override { return cloneUnit(*this); }
};
