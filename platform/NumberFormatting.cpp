#include "UserLocale.h"

namespace pelunits {
namespace platform {

bool formatNumberLikeWindows(const wchar_t*, const NumberFormatRecord&, KovString&) {
  return false;
}

}  // namespace platform
}  // namespace pelunits
