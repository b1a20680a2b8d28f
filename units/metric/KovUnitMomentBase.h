#pragma once

#include "units/metric/KovUnitScaledNumber.h"

// Family base of the moment units, so that the family shares one type.
class KovUnitMomentBase : public KovUnitScaledNumber {
 public:
  KovUnitMomentBase() = default;
  KovUnitMomentBase(const KovUnitMomentBase& other) = default;
  // Defined out of line, so that the class has one home for its virtual table.
  ~KovUnitMomentBase() override;
};
