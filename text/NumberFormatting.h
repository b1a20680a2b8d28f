#pragma once

#include "KovString.h"

// The regional number format as data, and the library's own formatter for it.
namespace pelunits {

// The user's number format, as the Windows locale values LOCALE_ILZERO,
// LOCALE_SGROUPING (leading integer), LOCALE_SDECIMAL, LOCALE_STHOUSAND and
// LOCALE_INEGNUMBER give it. Read once per call (platform/UserLocale.h) and handed
// to the steps that need it.
struct NumberSettings {
  int leadingZero = 1;
  int grouping = 3;
  KovString decimalSeparator;
  KovString thousandSeparator;
  int negativeOrder = 1;
};

// The number format record handed to the system formatter (NUMBERFMTW).
struct NumberFormatRecord {
  int numDigits = 0;
  int leadingZero = 1;
  int grouping = 3;
  const wchar_t* decimalSeparator = L".";
  const wchar_t* thousandSeparator = L",";
  int negativeOrder = 1;
};

// The record for `settings` at `decimals` decimals; it points into `settings`.
NumberFormatRecord numberFormatRecord(const NumberSettings& settings, int decimals);

// Formats a neutral number text ("-1234.5": an optional leading '-', digits, an
// optional '.' and digits) as GetNumberFormatW does for a locale with flags 0:
// rounds or pads to numDigits decimals, groups the integer digits, and writes the
// separators, leading zero and negative form of the record. Returns false, leaving
// `out` as it was, for any other text or an invalid record. `value` may be the text
// of `out`: `out` is written only once the result is complete. The POSIX build
// formats with it; the Windows tests prove it writes what the system writes.
bool formatNumberLikeWindows(const wchar_t* value, const NumberFormatRecord& format,
                             KovString& out);

// The same result as formatNumberLikeWindows, always built character by character
// in a new text, where formatNumberLikeWindows writes short results into a stack
// buffer first. The reference the tests hold that buffer against.
bool formatNumberIntoNewText(const wchar_t* value, const NumberFormatRecord& format,
                             KovString& out);

// Typed regional text in the neutral form: the first character of the thousands
// separator removed everywhere first ("1.234,5" becomes "1234,5"), then every
// decimal separator in what is left replaced by '.', left to right. One pass and
// one new text, however long the typed one.
KovString neutralNumber(const KovString& text, const NumberSettings& settings);

}  // namespace pelunits
