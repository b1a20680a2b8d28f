#pragma once

#include <string>

// The locale the host chose with setRegionalLocale (include/PelUnitsLocale.h).
namespace pelunits {
namespace platform {

// The chosen name, as this thread last saw it; empty when the host chose none. The
// reference stays valid on this thread until its next call.
const std::string& hostLocaleName() noexcept;

}  // namespace platform
}  // namespace pelunits
