#include "units/metric/KovUnitForceBase.h"

KovUnitForceBase::~KovUnitForceBase() = default;
