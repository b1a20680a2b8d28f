#pragma once

#include "KovString.h"

// The boundary to the operating system's regional number settings. One backend
// is compiled in: UserLocalePosix.cpp or UserLocaleWindows.cpp. Nothing here is
// cached across a change of the user's settings: every call answers for the
// settings in force at that moment.

namespace pelunits {
namespace platform {

// The user's number format, as the Windows locale values LOCALE_ILZERO,
// LOCALE_SGROUPING (leading integer), LOCALE_SDECIMAL, LOCALE_STHOUSAND and
// LOCALE_INEGNUMBER give it.
struct UserNumberSettings {
  int leadingZero = 1;
  int grouping = 3;
  KovString decimalSeparator;
  KovString thousandSeparator;
  int negativeOrder = 1;
};

// Reads the five values in the order above; false when any read fails, and then
// `out` is left in an unspecified state.
bool readUserNumberSettings(UserNumberSettings& out);

// Reads the decimal separator, then the thousands separator; false when either fails.
bool readUserSeparators(KovString& decimalSeparator, KovString& thousandSeparator);

// Reads the decimal separator alone; false when it fails.
bool readUserDecimalSeparator(KovString& decimalSeparator);

// The number format record handed to the system formatter (NUMBERFMTW).
struct NumberFormatRecord {
  int numDigits = 0;
  int leadingZero = 1;
  int grouping = 3;
  const wchar_t* decimalSeparator = L".";
  const wchar_t* thousandSeparator = L",";
  int negativeOrder = 1;
};

// Formats a neutral number text ("-1234.5": an optional leading '-', digits, an
// optional '.' and digits) as GetNumberFormatW does for the user's locale with
// flags 0: rounds or pads to numDigits decimals, groups the integer digits, and
// writes the separators, leading zero and negative form of the record. Returns
// false, leaving `out` as it was, for any other text or an invalid record. `value`
// may be the text of `out`: `out` is written only once the result is complete.
bool formatUserNumber(const wchar_t* value, const NumberFormatRecord& format, KovString& out);

// The library's own implementation of that formatting, used by the POSIX backend
// and compiled into the Windows tests to prove both give the same texts.
bool formatNumberLikeWindows(const wchar_t* value, const NumberFormatRecord& format,
                             KovString& out);

}  // namespace platform
}  // namespace pelunits
