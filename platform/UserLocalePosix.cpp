#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <initializer_list>

#include "HostLocale.h"
#include "LocaleNumbers.h"
#include "UserLocale.h"

// The user's number format on POSIX systems: the locale the host chose, else the
// numeric locale that the process environment names (LC_ALL, else LC_NUMERIC, else LANG; "C" when
// none is set), read from the system's locale data by the step of LocaleNumbers.h that the build
// chose. The process's global locale is never read or changed, so a host that calls setlocale does
// not move it.

namespace pelunits {
namespace platform {

namespace {

constexpr int kNameCapacity = 128;  // longer locale names are read at every call

// The locale the host chose (setRegionalLocale), else the one the environment names:
// LC_ALL, else LC_NUMERIC, else LANG, an empty value counting as unset; "C" when none
// is set.
const char* numericLocaleName() {
  const std::string& chosen = hostLocaleName();
  if (!chosen.empty()) return chosen.c_str();
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != 0) return value;
  }
  return "C";
}

// The settings of a locale's numbers; false when they cannot be read.
bool settingsOf(const LocaleNumbers& numbers, NumberSettings& out) {
  if (!numbers.readable) return false;
  out.leadingZero = 1;
  out.grouping = numbers.grouping;
  out.decimalSeparator = KovString(numbers.decimal, numbers.decimalLength);
  out.thousandSeparator = KovString(numbers.thousand, numbers.thousandLength);
  out.negativeOrder = 1;
  return true;
}

// The settings of the locale read last on this thread, keyed by its name. Reading a
// locale's data (newlocale and its queries) costs many times a whole display, and the
// name rarely changes between calls, so a call costs a look at the environment and
// a compare until the name changes; the settings are kept whole, so that a display
// reads them where they are. A name too long for the key is read each time.
struct LocaleCache {
  bool filled = false;
  char name[kNameCapacity] = {};
  bool readable = false;
  NumberSettings settings;
};

thread_local LocaleCache cache;
thread_local NumberSettings uncached;  // the settings of a name too long for the key

const NumberSettings* cachedLocaleSettings(const char* name) {
  LocaleCache& cached = cache;
  if (cached.filled && std::strncmp(cached.name, name, kNameCapacity) == 0) {
    return cached.readable ? &cached.settings : nullptr;
  }
  const std::size_t length = std::strlen(name);
  if (length >= static_cast<std::size_t>(kNameCapacity)) {
    return settingsOf(readLocaleNumbers(name), uncached) ? &uncached : nullptr;
  }
  cached.filled = false;  // until the settings are whole: building them may throw
  cached.readable = settingsOf(readLocaleNumbers(name), cached.settings);
  std::memcpy(cached.name, name, length + 1);
  cached.filled = true;
  return cached.readable ? &cached.settings : nullptr;
}

}  // namespace

bool widenLocaleText(const char* text, wchar_t* out, int& length) {
  length = 0;
  if (text == nullptr) return false;
  std::mbstate_t state{};
  std::size_t remaining = std::strlen(text);
  while (remaining > 0) {
    wchar_t c = 0;
    const std::size_t used = std::mbrtowc(&c, text, remaining, &state);
    if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2)) {
      return false;
    }
    if (used == 0 || length + 1 >= kSeparatorCapacity) return false;
    out[length++] = c;
    text += used;
    remaining -= used;
  }
  out[length] = 0;
  return true;
}

int leadingGroupSize(const char* grouping) {
  const int leading = grouping != nullptr ? static_cast<unsigned char>(grouping[0]) : 0;
  return leading >= CHAR_MAX ? 0 : leading;
}

const NumberSettings* systemNumberSettings() { return cachedLocaleSettings(numericLocaleName()); }

bool readLocaleSettingsUncached(NumberSettings& out) {
  return settingsOf(readLocaleNumbers(numericLocaleName()), out);
}

bool formatUserNumber(const wchar_t* value, const NumberFormatRecord& format, KovString& out) {
  return formatNumberLikeWindows(value, format, out);
}

}  // namespace platform
}  // namespace pelunits
