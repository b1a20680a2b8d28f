#pragma once

#include "units/core/KovUnitBase.h"

// Family base of the force units; it adds nothing to KovUnitBase and exists so
// that the family shares one type.
class KovUnitForceBase : public KovUnitBase {};
