#pragma once

// CMake reads the version from this line; keep its form.
#define PELUNITS_VERSION_STRING "1.0.0"
