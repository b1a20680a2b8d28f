#pragma once

// The one step of the POSIX backend that depends on what the C library offers: reading
// the separators and the leading grouping of a named locale. UserLocalePosix.cpp keeps
// everything else (the locale's name, the cache, the settings); the build compiles one
// of LocaleNumbersGlibcPosix.cpp, LocaleNumbersLocaleconvPosix.cpp and
// LocaleNumbersNeutralPosix.cpp, chosen by PELUNITS_LOCALE_BACKEND.

namespace pelunits {
namespace platform {

constexpr int kSeparatorCapacity = 16;  // wide characters, terminator included

struct LocaleNumbers {
  bool readable = false;
  int grouping = 0;
  wchar_t decimal[kSeparatorCapacity] = {};
  int decimalLength = 0;
  wchar_t thousand[kSeparatorCapacity] = {};
  int thousandLength = 0;
};

// The decimal separator, thousands separator and leading group size of the locale
// `name`, read from the system's locale data without reading or changing the process's
// global locale; `readable` is false when the locale is missing, its separators cannot be
// decoded, or the build reads no locale data at all.
LocaleNumbers readLocaleNumbers(const char* name);

// Decodes a separator with the calling thread's current locale into `out` (at most
// kSeparatorCapacity - 1 characters and a terminator); false for a null, undecodable or
// too long text.
bool widenLocaleText(const char* text, wchar_t* out, int& length);

// The leading group size of a locale's grouping string: "\3\3" gives 3; an empty
// string, a null one or CHAR_MAX means no grouping, 0.
int leadingGroupSize(const char* grouping);

}  // namespace platform
}  // namespace pelunits
