#pragma once

// POSIX only, as LocaleEnvironment.h.
#if !defined(_WIN32)

#include <cstring>
#include <optional>
#include <string>

#include "LocaleEnvironment.h"
#include "PelUnitsLocale.h"

// Where a regional test takes a locale's number format from: the environment naming
// the locale, or the host giving the same separators and grouping itself through
// setRegionalFormat while the environment names "C". A regional test that passes from
// both sources shows that the displays and readers use a host's format as they use a
// locale's data.
enum class RegionalSource { Environment, HostFormat };

inline const char* nameOf(RegionalSource source) {
  return source == RegionalSource::Environment ? "environment" : "host format";
}

constexpr RegionalSource kRegionalSources[] = {RegionalSource::Environment,
                                               RegionalSource::HostFormat};

// The number formats of the locales the tests name, written out from the locales'
// data as the system shows it (`LC_ALL=de_DE.UTF-8 locale -k LC_NUMERIC`).
inline pelunits::RegionalFormat formatOfLocale(const char* locale) {
  struct Row {
    const char* locale;
    const char* decimal;
    const char* group;
    int grouping;
  };
  static const Row rows[] = {
      {"de_DE.UTF-8", ",", ".", 3},
      {"en_US.UTF-8", ".", ",", 3},
      {"fr_FR.UTF-8", ",", "\u202F", 3},
      {"de_CH.UTF-8", ".", "\u2019", 3},
  };
  pelunits::RegionalFormat format;  // "C" and "POSIX": '.', no grouping
  format.groupSeparator = "";
  format.grouping = 0;
  for (const Row& row : rows) {
    if (std::strcmp(row.locale, locale) != 0) continue;
    format.decimalSeparator = row.decimal;
    format.groupSeparator = row.group;
    format.grouping = row.grouping;
  }
  return format;
}

// The number format of `locale` from `source` for the life of the object.
class ScopedRegional {
 public:
  ScopedRegional(const char* locale, RegionalSource source)
      : environment_(source == RegionalSource::Environment ? locale : "C") {
    if (source == RegionalSource::HostFormat) pelunits::setRegionalFormat(formatOfLocale(locale));
  }
  ScopedRegional(const ScopedRegional&) = delete;
  ScopedRegional& operator=(const ScopedRegional&) = delete;
  ~ScopedRegional() { pelunits::clearRegionalFormat(); }

 private:
  ScopedNumericLocale environment_;
};

#endif
