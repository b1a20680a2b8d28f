#include "units/metric/KovUnitWeightBase.h"

KovUnitWeightBase::~KovUnitWeightBase() = default;
