#pragma once

#include "CommandLine.h"

namespace pelunits {
namespace tool {

// The text of `pelunits --help` (Command::None) or `pelunits <command> --help`.
const char* helpText(Command command);

}  // namespace tool
}  // namespace pelunits
