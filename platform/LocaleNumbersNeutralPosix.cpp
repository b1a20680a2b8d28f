#include "LocaleNumbers.h"

// A build for a C library that offers no per-thread locale reading: no locale can be
// read, so regional texts stay neutral, as they do for a locale that is not installed.

namespace pelunits {
namespace platform {

LocaleNumbers readLocaleNumbers(const char*) { return LocaleNumbers(); }

}  // namespace platform
}  // namespace pelunits
