#include "units/metric/KovUnitMomentBase.h"

KovUnitMomentBase::~KovUnitMomentBase() = default;
