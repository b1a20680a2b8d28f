#include <langinfo.h>
#include <locale.h>

#include "LocaleNumbers.h"

// The locale's numbers through nl_langinfo_l, which answers for a locale object directly
// and is safe while other threads read their own locales.

namespace pelunits {
namespace platform {

LocaleNumbers readLocaleNumbers(const char* name) {
  LocaleNumbers numbers;
  // LC_CTYPE from the same name: the separators are encoded in that locale's codeset.
  const locale_t locale = newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, name, nullptr);
  if (locale == nullptr) return numbers;
  const locale_t previous = uselocale(locale);
  const bool decoded =
      widenLocaleText(nl_langinfo_l(RADIXCHAR, locale), numbers.decimal, numbers.decimalLength) &&
      widenLocaleText(nl_langinfo_l(THOUSEP, locale), numbers.thousand, numbers.thousandLength);
  uselocale(previous);
  numbers.grouping = leadingGroupSize(nl_langinfo_l(GROUPING, locale));
  freelocale(locale);
  numbers.readable = decoded;
  return numbers;
}

}  // namespace platform
}  // namespace pelunits
