#pragma once

#include "NumberFormatting.h"

// The boundary to the operating system's regional number settings. One backend
// is compiled in: UserLocalePosix.cpp or UserLocaleWindows.cpp. Every call answers
// for the settings in force at that moment.

namespace pelunits {
namespace platform {

// Reads the user's number format: the host's (setRegionalFormat), else the system's
// (HostLocale.h); false when it cannot be read, and then `out` is left in an
// unspecified state.
bool readUserNumberSettings(NumberSettings& out);

// The same settings without a copy, for the steps of every regional display: null when
// they cannot be read. It points into this thread's storage and stays valid until this
// thread's next call of userNumberSettings or readUserNumberSettings.
const NumberSettings* userNumberSettings();

// Formats a neutral number text for the user's locale with the record, as
// formatNumberLikeWindows describes: the system's formatter on Windows, the
// library's own elsewhere.
bool formatUserNumber(const wchar_t* value, const NumberFormatRecord& format, KovString& out);

}  // namespace platform
}  // namespace pelunits
