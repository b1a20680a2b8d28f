#pragma once

#include "units/metric/KovUnitScaledNumber.h"

// Family base of the weight units, so that the family shares one type.
class KovUnitWeightBase : public KovUnitScaledNumber {
 public:
  KovUnitWeightBase() = default;
  KovUnitWeightBase(const KovUnitWeightBase& other) = default;
  // Defined out of line, so that the class has one home for its virtual table.
  ~KovUnitWeightBase() override;
};
