#pragma once

// The numeric locale that the POSIX process environment names, for UserLocalePosix.cpp
// and the tests that hold its fast step to the plain form.

namespace pelunits {
namespace platform {

// The numeric locale that the environment names: LC_ALL, else LC_NUMERIC, else LANG, an
// empty value counting as unset; "C" when none is set. The fast step of every regional
// display: it keeps, per thread, where the environment held these variables at the last
// call, and while the array, its length, its last entry and those entries stay as they
// were, it reads only those entries instead of scanning the whole environment (as each
// getenv does). The text stays valid until the environment changes.
const char* environmentLocaleName();

// The same name read with getenv: the plain form of environmentLocaleName.
const char* environmentLocaleNameByGetenv();

}  // namespace platform
}  // namespace pelunits
