#include "UserLocale.h"

// Placeholder backend: reads fail, so regional conversions leave texts unchanged.
namespace pelunits {
namespace platform {

bool readUserNumberSettings(UserNumberSettings&) { return false; }
bool readUserSeparators(KovString&, KovString&) { return false; }
bool readUserDecimalSeparator(KovString&) { return false; }
bool formatUserNumber(const wchar_t* value, const NumberFormatRecord& format, KovString& out) {
  return formatNumberLikeWindows(value, format, out);
}

}  // namespace platform
}  // namespace pelunits
