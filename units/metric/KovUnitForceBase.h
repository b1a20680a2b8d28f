#pragma once

#include "units/metric/KovUnitScaledNumber.h"

// Family base of the force units, so that the family shares one type.
class KovUnitForceBase : public KovUnitScaledNumber {
 public:
  KovUnitForceBase() = default;
  KovUnitForceBase(const KovUnitForceBase& other) = default;
  // Defined out of line, so that the class has one home for its virtual table.
  ~KovUnitForceBase() override;
};
