#include <langinfo.h>
#include <locale.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "UserLocale.h"

// The user's number format on POSIX systems: the numeric locale that the process
// environment names (LC_ALL, else LC_NUMERIC, else LANG; "C" when none is set),
// read from the system's locale data with newlocale. The process's global locale
// is never read or changed, so a host that calls setlocale does not move it.

// The process environment, which POSIX asks programs to declare themselves.
extern char** environ;

namespace pelunits {
namespace platform {

namespace {

constexpr int kNameCapacity = 128;      // longer locale names are read at every call
constexpr int kSeparatorCapacity = 16;  // wide characters, terminator included

struct LocaleNumbers {
  bool readable = false;
  int grouping = 0;
  wchar_t decimal[kSeparatorCapacity] = {};
  int decimalLength = 0;
  wchar_t thousand[kSeparatorCapacity] = {};
  int thousandLength = 0;
};

// The last locale read on this thread, keyed by its name, so that a call costs a
// look at the environment and a compare until it names another locale.
struct CachedLocaleNumbers {
  bool filled = false;
  char name[kNameCapacity] = {};
  LocaleNumbers numbers;
};

thread_local CachedLocaleNumbers cache;

// The value of `entry` when it assigns the variable named by `prefix` (its name and
// '='), else nullptr. Compared in line: the prefixes are a few characters.
template <std::size_t N>
const char* valueAfter(const char* entry, const char (&prefix)[N]) {
  for (std::size_t i = 0; i + 1 < N; ++i) {
    if (entry[i] != prefix[i]) return nullptr;  // also at the end of a shorter entry
  }
  return entry + (N - 1);
}

// strncmp(cached, name, kNameCapacity) == 0, in line for names of a dozen characters.
bool sameName(const char* cached, const char* name) {
  for (int i = 0; i < kNameCapacity; ++i) {
    if (cached[i] != name[i]) return false;
    if (name[i] == 0) return true;
  }
  return true;
}

// One pass over the environment finds the three variables together, with the answer
// of getenv for each (its first entry) and their precedence: LC_ALL, else
// LC_NUMERIC, else LANG, an empty value counting as unset; "C" when none is set.
const char* numericLocaleName() {
  bool allSeen = false;
  const char* numeric = nullptr;
  const char* lang = nullptr;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const char* text = *entry;
    if (text[0] != 'L') continue;
    if (text[1] == 'C' && text[2] == '_') {
      const char* all = valueAfter(text + 3, "ALL=");
      if (all != nullptr) {
        if (!allSeen && all[0] != 0) return all;  // nothing takes precedence over it
        allSeen = true;
      } else if (numeric == nullptr) {
        numeric = valueAfter(text + 3, "NUMERIC=");
      }
    } else if (lang == nullptr) {
      lang = valueAfter(text + 1, "ANG=");
    }
  }
  if (numeric != nullptr && numeric[0] != 0) return numeric;
  if (lang != nullptr && lang[0] != 0) return lang;
  return "C";
}

// Decodes a locale string with the calling thread's current locale.
bool widen(const char* text, wchar_t* out, int& length) {
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

LocaleNumbers readLocaleNumbers(const char* name) {
  LocaleNumbers numbers;
  // LC_CTYPE from the same name: the separators are encoded in that locale's codeset.
  const locale_t locale = newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, name, nullptr);
  if (locale == nullptr) return numbers;
  const locale_t previous = uselocale(locale);
  const bool decoded =
      widen(nl_langinfo_l(RADIXCHAR, locale), numbers.decimal, numbers.decimalLength) &&
      widen(nl_langinfo_l(THOUSEP, locale), numbers.thousand, numbers.thousandLength);
  uselocale(previous);
  // "\3\3" gives 3; an empty grouping or CHAR_MAX means no grouping.
  const char* grouping = nl_langinfo_l(GROUPING, locale);
  const int leading = grouping != nullptr ? static_cast<unsigned char>(grouping[0]) : 0;
  numbers.grouping = leading >= CHAR_MAX ? 0 : leading;
  freelocale(locale);
  numbers.readable = decoded;
  return numbers;
}

// The numbers of a locale whose name is too long to cache, read again at each call.
// Kept per thread rather than built by every caller, which would clear it each time.
thread_local LocaleNumbers uncached;

// The numbers of the locale in force now, valid until the next call on this thread.
const LocaleNumbers& currentLocaleNumbers() {
  const char* name = numericLocaleName();
  CachedLocaleNumbers& cached = cache;
  if (cached.filled && sameName(cached.name, name)) {
    return cached.numbers;
  }
  const std::size_t length = std::strlen(name);
  if (length >= static_cast<std::size_t>(kNameCapacity)) {
    uncached = readLocaleNumbers(name);
    return uncached;
  }
  std::memcpy(cached.name, name, length + 1);
  cached.numbers = readLocaleNumbers(name);
  cached.filled = true;
  return cached.numbers;
}

// Separators are copied in place: no temporary text per call.
void assign(KovString& target, const wchar_t* text, int length) {
  target.clear();
  target.append(text, length);
}

}  // namespace

bool readUserNumberSettings(UserNumberSettings& out) {
  const LocaleNumbers& numbers = currentLocaleNumbers();
  if (!numbers.readable) return false;
  out.leadingZero = 1;
  out.grouping = numbers.grouping;
  assign(out.decimalSeparator, numbers.decimal, numbers.decimalLength);
  assign(out.thousandSeparator, numbers.thousand, numbers.thousandLength);
  out.negativeOrder = 1;
  return true;
}

bool readUserSeparators(KovString& decimalSeparator, KovString& thousandSeparator) {
  const LocaleNumbers& numbers = currentLocaleNumbers();
  if (!numbers.readable) return false;
  assign(decimalSeparator, numbers.decimal, numbers.decimalLength);
  assign(thousandSeparator, numbers.thousand, numbers.thousandLength);
  return true;
}

bool readUserDecimalSeparator(KovString& decimalSeparator) {
  const LocaleNumbers& numbers = currentLocaleNumbers();
  if (!numbers.readable) return false;
  assign(decimalSeparator, numbers.decimal, numbers.decimalLength);
  return true;
}

bool formatUserNumber(const wchar_t* value, const NumberFormatRecord& format, KovString& out) {
  return formatNumberLikeWindows(value, format, out);
}

}  // namespace platform
}  // namespace pelunits
