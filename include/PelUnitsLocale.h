#pragma once

#include "PelUnitsExport.h"

// The regional locale of the number displays and readers, chosen by the host.
//
// By default the library follows the user's locale: on POSIX systems the numeric
// locale that the environment names (LC_ALL, else LC_NUMERIC, else LANG), read at
// every call; on Windows the user's default locale. Changing the environment while
// another thread calls the library is undefined in POSIX (setenv and getenv are not
// safe together), so a host with threads chooses the locale here instead.
namespace pelunits {

// Chooses the regional locale for the whole process, from any thread, also while
// other threads call the library: each call uses either the locale before or the one
// after the change. On POSIX `name` is a locale name such as "de_DE.UTF-8"; on
// Windows a locale name for the national-language support calls, such as "de-DE".
// A null or empty name returns to the default above. A name that is not installed
// leaves regional texts neutral, as an unknown locale in the environment does.
PELUNITS_API void setRegionalLocale(const char* name) noexcept;

// True when the number settings of the locale in force (the chosen one, else the
// default above) can be read; false for a locale that is named but not installed,
// whose regional texts stay neutral.
PELUNITS_API bool regionalLocaleAvailable() noexcept;

}  // namespace pelunits
