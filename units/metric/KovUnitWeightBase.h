#pragma once

#include "units/core/KovUnitBase.h"

// Family base of the weight units; it adds nothing to KovUnitBase and exists so
// that the family shares one type.
class KovUnitWeightBase : public KovUnitBase {};
