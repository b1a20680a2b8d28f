#pragma once

// PELUNITS_API marks what the shared library exports. Everything else is hidden,
// so the exported surface is exactly the classes and functions marked here.
#if defined(_WIN32) || defined(__CYGWIN__)
#if defined(PELUNITS_BUILDING)
#define PELUNITS_API __declspec(dllexport)
#else
#define PELUNITS_API __declspec(dllimport)
#endif
#else
#define PELUNITS_API __attribute__((visibility("default")))
#endif
