#include <locale.h>
#if defined(PELUNITS_HAVE_XLOCALE_H)
#include <xlocale.h>
#endif

#include "LocaleNumbers.h"

#if !defined(PELUNITS_HAVE_LOCALECONV_L)
#include <mutex>
#endif

// The locale's numbers through the portable calls: newlocale, then localeconv_l where the
// C library declares it, else localeconv under uselocale on this thread. The previous
// locale of the thread is restored before returning.

namespace pelunits {
namespace platform {

namespace {

// Copies the separators and grouping of a locale's conventions into `numbers` before the
// conventions change: localeconv's answer lives only until the next call, and the decoding
// needs the locale's codeset in force. False when they cannot be decoded.
bool copyConventions(const lconv* conventions, LocaleNumbers& numbers) {
  if (conventions == nullptr) return false;
  numbers.grouping = leadingGroupSize(conventions->grouping);
  return widenLocaleText(conventions->decimal_point, numbers.decimal, numbers.decimalLength) &&
         widenLocaleText(conventions->thousands_sep, numbers.thousand, numbers.thousandLength);
}

#if !defined(PELUNITS_HAVE_LOCALECONV_L)
// localeconv may answer in storage shared by every thread (POSIX does not require it to
// be thread-safe), so the library's own threads take turns at reading a locale.
std::mutex& localeconvTurn() {
  static std::mutex turn;
  return turn;
}
#endif

}  // namespace

LocaleNumbers readLocaleNumbers(const char* name) {
#if !defined(PELUNITS_HAVE_LOCALECONV_L)
  const std::lock_guard<std::mutex> lock(localeconvTurn());  // before any state changes
#endif
  LocaleNumbers numbers;
  // LC_CTYPE from the same name: the separators are encoded in that locale's codeset.
  const locale_t locale = newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, name, nullptr);
  if (locale == nullptr) return numbers;
  const locale_t previous = uselocale(locale);
#if defined(PELUNITS_HAVE_LOCALECONV_L)
  const bool decoded = copyConventions(localeconv_l(locale), numbers);
#else
  const bool decoded = copyConventions(localeconv(), numbers);
#endif
  uselocale(previous);
  freelocale(locale);
  numbers.readable = decoded;
  return numbers;
}

}  // namespace platform
}  // namespace pelunits
