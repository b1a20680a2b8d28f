#pragma once

#include <string>

#include "NumberFormatting.h"

// The locale and the number format the host chose with setRegionalLocale and
// setRegionalFormat (include/PelUnitsLocale.h).
namespace pelunits {
namespace platform {

// The chosen name, as this thread last saw it; empty when the host chose none. The
// reference stays valid on this thread until its next call.
const std::string& hostLocaleName() noexcept;

// The number format the host chose, as this thread last saw it; null when it chose
// none. Valid on this thread until its next call.
const NumberSettings* hostNumberFormat() noexcept;

// The number format of the system (UserLocalePosix.cpp or UserLocaleWindows.cpp):
// the chosen locale's, else the user's; null when it cannot be read. It points into
// this thread's storage and stays valid until this thread's next call.
const NumberSettings* systemNumberSettings();

// The same settings read afresh from the system's locale data: the plain form of
// systemNumberSettings, which keeps the settings of the last locale read.
bool readLocaleSettingsUncached(NumberSettings& out);

}  // namespace platform
}  // namespace pelunits
