// Placeholder until the unit classes land.
#include "BenchSupport.h"

namespace pelbench {
void registerDisplays() {}
void registerReaders() {}
}  // namespace pelbench
