#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "EnvironmentLocalePosix.h"
#include "HostLocale.h"
#include "LocaleNumbers.h"
#include "UserLocale.h"

#if defined(__APPLE__)
#include <crt_externs.h>
#else
extern char** environ;  // POSIX: the application declares it
#endif

// The user's number format on POSIX systems: the locale the host chose, else the
// numeric locale that the process environment names (LC_ALL, else LC_NUMERIC, else LANG; "C" when
// none is set), read from the system's locale data by the step of LocaleNumbers.h that the build
// chose. The process's global locale is never read or changed, so a host that calls setlocale does
// not move it.

namespace pelunits {
namespace platform {

namespace {

constexpr int kNameCapacity = 128;  // longer locale names are read at every call

// The variables that name the numeric locale, the first set one deciding.
constexpr const char* kLocaleVariables[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
constexpr int kLocaleVariableCount = 3;

// The value of `entry` ("NAME=value") when its name is `name`, else null.
const char* valueOf(const char* entry, const char* name) {
  while (*name != 0) {
    if (*entry++ != *name++) return nullptr;
  }
  return *entry == '=' ? entry + 1 : nullptr;
}

// The process's environment: `environ`, which a shared library on macOS reaches through
// _NSGetEnviron.
char* const* processEnvironment() {
#if defined(__APPLE__)
  return *_NSGetEnviron();
#else
  return environ;
#endif
}

// Where the environment held the locale variables when this thread last read them: the
// array, its length and last entry, and the first entry of each variable. setenv, putenv
// and unsetenv change one of these whenever they change the answer (they replace the entry
// of the name, append a new one at the end, or shift the entries after a removed one, and
// may move the array), and so does a host that points `environ` at another array.
struct EnvironmentKey {
  bool filled = false;
  char* const* environment = nullptr;
  std::size_t length = 0;
  const char* last = nullptr;
  const char* entries[kLocaleVariableCount] = {};  // null: the variable is not set
  std::size_t slots[kLocaleVariableCount] = {};
};

thread_local EnvironmentKey environmentKey;

// The name that the entries of the key give: the first non-empty value in the order of
// kLocaleVariables, "C" when there is none; null when an entry no longer starts with its
// variable's name (a buffer given to putenv and then rewritten).
const char* nameOfEntries(const EnvironmentKey& key) {
  for (int i = 0; i < kLocaleVariableCount; ++i) {
    if (key.entries[i] == nullptr) continue;
    const char* value = valueOf(key.entries[i], kLocaleVariables[i]);
    if (value == nullptr) return nullptr;
    if (value[0] != 0) return value;
  }
  return "C";
}

// One pass over the environment that fills the key: the first entry of each variable
// counts, as with getenv.
void fillEnvironmentKey(char* const* environment, EnvironmentKey& key) {
  key = EnvironmentKey{};
  key.environment = environment;
  std::size_t i = 0;
  for (; environment != nullptr && environment[i] != nullptr; ++i) {
    const char* entry = environment[i];
    // Every locale variable starts with 'L': one compare passes over the rest.
    if (entry[0] != 'L') continue;
    for (int v = 0; v < kLocaleVariableCount; ++v) {
      if (key.entries[v] != nullptr || valueOf(entry, kLocaleVariables[v]) == nullptr) continue;
      key.entries[v] = entry;
      key.slots[v] = i;
      break;
    }
  }
  key.length = i;
  key.last = i > 0 ? environment[i - 1] : nullptr;
  key.filled = true;
}

// Whether the environment still has the array, the length, the last entry and the entries
// of the locale variables that the key holds. Only slots below the key's length are read,
// and the terminator's: an array that shrank in place still holds them.
bool keyHolds(const EnvironmentKey& key, char* const* environment) {
  if (!key.filled || environment != key.environment) return false;
  if (environment == nullptr) return true;
  if (key.length > 0 && environment[key.length - 1] != key.last) return false;
  if (environment[key.length] != nullptr) return false;
  for (int i = 0; i < kLocaleVariableCount; ++i) {
    if (key.entries[i] != nullptr && environment[key.slots[i]] != key.entries[i]) return false;
  }
  return true;
}

}  // namespace

const char* environmentLocaleName() {
  char* const* environment = processEnvironment();
  EnvironmentKey& key = environmentKey;
  if (keyHolds(key, environment)) {
    if (const char* name = nameOfEntries(key)) return name;
  }
  fillEnvironmentKey(environment, key);
  const char* name = nameOfEntries(key);
  return name != nullptr ? name : "C";  // every entry was read just now: never null
}

const char* environmentLocaleNameByGetenv() {
  for (const char* variable : kLocaleVariables) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != 0) return value;
  }
  return "C";
}

namespace {

// The locale the host chose (setRegionalLocale), else the one the environment names.
const char* numericLocaleName() {
  const std::string& chosen = hostLocaleName();
  if (!chosen.empty()) return chosen.c_str();
  return environmentLocaleName();
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
