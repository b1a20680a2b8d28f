#pragma once

#include <string>

#include "PelUnitsExport.h"

// The regional number format of the displays and readers, chosen by the host: a
// format of its own (setRegionalFormat), else a locale (setRegionalLocale), else the
// user's locale.
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

// A number format given by the host, for a host whose numbers follow its own UI
// language rather than the system's. Texts are UTF-8.
struct RegionalFormat {
  std::string decimalSeparator = ".";  // 1 to 3 characters
  std::string groupSeparator = ",";    // 0 to 3 characters; empty for no grouping
  int grouping = 3;                    // digits per group, 0 to 9; 0 for no grouping
  int negativeForm = 1;                // 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -"
  bool leadingZero = true;             // "0.5" rather than ".5"
};

// True when `format` can be used: valid UTF-8 separators of the lengths above, of
// characters of the BMP that are no digit, sign, parenthesis or control character,
// the group separator not starting with the decimal separator's first character
// (typed text would lose its decimal separator), and the numbers in their ranges.
PELUNITS_API bool isValidRegionalFormat(const RegionalFormat& format) noexcept;

// Sets the number format of every regional display and reading for the whole process,
// from any thread, as setRegionalLocale does; it takes precedence over the chosen
// locale and the user's locale. Returns false, changing nothing, for an invalid
// format (isValidRegionalFormat) or when no memory is left for it.
PELUNITS_API bool setRegionalFormat(const RegionalFormat& format) noexcept;

// Returns to the chosen locale, else the user's locale.
PELUNITS_API void clearRegionalFormat() noexcept;

}  // namespace pelunits
