#include <windows.h>

#include <string>

#include "HostLocale.h"
#include "UserLocale.h"

// The Windows backend: the locale the host chose, else the user's default locale,
// through the national-language support calls. Nothing is cached; every call asks the system again,
// so a change of the regional settings takes effect at the next call.
namespace pelunits {
namespace platform {
namespace {

constexpr int kLocaleValueCapacity = 1024;
constexpr int kFormattedCapacity = 8192;

// Some implementations of GetNumberFormatW (Wine's among them) build the text in a
// fixed buffer of 256 characters and overrun it for longer results: garbage, then a
// crash. Numbers whose result could reach that length (1e308 with its 309 digits)
// are formatted by the library's own implementation, which gives the same text.
constexpr long long kSystemFormatterSafeLength = 255;

int textLength(const wchar_t* text, int limit) {
  int n = 0;
  while (n < limit && text[n] != 0) ++n;
  return n;
}

// The longest text the system could produce for `value` under `format`: every
// character of the value a digit followed by a thousands separator, the separator,
// the decimals and the widest negative form.
long long longestResult(const wchar_t* value, const NumberFormatRecord& format) {
  const long long cap = kSystemFormatterSafeLength + 1;
  const long long digits = textLength(value, static_cast<int>(cap));
  const long long thousand = textLength(format.thousandSeparator, static_cast<int>(cap));
  const long long decimal = textLength(format.decimalSeparator, static_cast<int>(cap));
  return digits * (1 + thousand) + decimal + format.numDigits + 3;
}

// The locale the calls answer for: the host's choice (setRegionalLocale), else the
// user's default. A chosen name too long for a locale name is unusable: the calls
// then fail, and the texts stay neutral.
struct Locale {
  bool chosen = false;
  bool usable = true;
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
};

Locale currentLocale() {
  Locale locale;
  const std::string& name = hostLocaleName();
  if (name.empty()) return locale;
  locale.chosen = true;
  if (name.size() >= static_cast<std::size_t>(LOCALE_NAME_MAX_LENGTH)) {
    locale.usable = false;
    return locale;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    locale.name[i] = static_cast<wchar_t>(static_cast<unsigned char>(name[i]));
  }
  return locale;
}

// One locale value as text; false when the system cannot give it.
bool readLocaleText(const Locale& locale, LCTYPE type, KovString& out) {
  if (!locale.usable) return false;
  wchar_t buffer[kLocaleValueCapacity];
  const int written = locale.chosen
                          ? GetLocaleInfoEx(locale.name, type, buffer, kLocaleValueCapacity)
                          : GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, kLocaleValueCapacity);
  if (written <= 0) return false;
  out.clear();
  out.append(buffer, written - 1);  // `written` counts the terminating 0
  return true;
}

// One locale value read as _wtoi reads it: the leading integer, 0 when there is
// none, so a grouping "3;2;0" gives 3.
bool readLocaleInteger(const Locale& locale, LCTYPE type, int& out) {
  KovString text;
  if (!readLocaleText(locale, type, text)) return false;
  out = static_cast<int>(text.toLong());
  return true;
}

}  // namespace

const NumberSettings* systemNumberSettings() {
  thread_local NumberSettings settings;
  return readLocaleSettingsUncached(settings) ? &settings : nullptr;
}

bool readLocaleSettingsUncached(NumberSettings& out) {
  const Locale locale = currentLocale();
  return readLocaleInteger(locale, LOCALE_ILZERO, out.leadingZero) &&
         readLocaleInteger(locale, LOCALE_SGROUPING, out.grouping) &&
         readLocaleText(locale, LOCALE_SDECIMAL, out.decimalSeparator) &&
         readLocaleText(locale, LOCALE_STHOUSAND, out.thousandSeparator) &&
         readLocaleInteger(locale, LOCALE_INEGNUMBER, out.negativeOrder);
}

bool formatUserNumber(const wchar_t* value, const NumberFormatRecord& format, KovString& out) {
  if (value == nullptr || format.decimalSeparator == nullptr ||
      format.thousandSeparator == nullptr || format.numDigits < 0 || format.leadingZero < 0 ||
      format.grouping < 0 || format.negativeOrder < 0) {
    return false;
  }
  if (longestResult(value, format) > kSystemFormatterSafeLength) {
    return formatNumberLikeWindows(value, format, out);
  }
  // The record's separators are only read by the system; the structure is not const-correct.
  NUMBERFMTW record = {};
  record.NumDigits = static_cast<UINT>(format.numDigits);
  record.LeadingZero = static_cast<UINT>(format.leadingZero);
  record.Grouping = static_cast<UINT>(format.grouping);
  record.lpDecimalSep = const_cast<LPWSTR>(format.decimalSeparator);
  record.lpThousandSep = const_cast<LPWSTR>(format.thousandSeparator);
  record.NegativeOrder = static_cast<UINT>(format.negativeOrder);
  wchar_t buffer[kFormattedCapacity];
  // The record carries every setting, so under a host-given format the user's default
  // locale formats it, also when the chosen locale name is unusable.
  const bool hostFormat = hostNumberFormat() != nullptr;
  const Locale locale = hostFormat ? Locale{} : currentLocale();
  if (!locale.usable) return false;
  const int written =
      locale.chosen
          ? GetNumberFormatEx(locale.name, 0, value, &record, buffer, kFormattedCapacity)
          : GetNumberFormatW(LOCALE_USER_DEFAULT, 0, value, &record, buffer, kFormattedCapacity);
  if (written <= 0) return false;
  out.clear();
  out.append(buffer, written - 1);  // `written` counts the terminating 0
  return true;
}

}  // namespace platform
}  // namespace pelunits
