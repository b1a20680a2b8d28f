#pragma once

#include <cstddef>
#include <cstdint>

#include "ExactNumber.h"

// Numbers of typed text, in the neutral form or in the user's regional form.
//
// Neutral: digits with '.' as the decimal point and no grouping ("1234.5", ".5",
// "5.", "1e-3"). Regional: the user's decimal separator, and the user's group
// separator only where whole groups stand ("1.234,5" de_DE, "1 234,5" fr_FR with a
// blank, U+00A0 or U+202F, "1'234.5" de_CH); digits without groups are read too.
// A text that does not fit the form ("1,5" neutral, "12.3" de_DE) is refused, never
// read in part.
namespace pelunits {
namespace exact {

struct NumberStyle {
  wchar_t decimal = L'.';
  wchar_t group = 0;  // 0: no grouping; ' ' stands for every blank, '\'' for ' and ’
  int groupSize = 0;
};

enum class Scan { read, none, incomplete, invalid };

struct ScannedNumber {
  Scan scan = Scan::none;
  double value = 0.0;
  std::size_t end = 0;       // after the number (read), or where it went wrong
  const char* message = "";  // for incomplete and invalid
  bool integer = false;      // digits only: no separator, no exponent
  ExactNumber exact;         // the number's exact value (read)
};

// Reads the number that starts at `at` in plain text (see TypedText.h); no sign.
// `none` when no digit (or a separator and a digit) starts there.
ScannedNumber scanNumber(const wchar_t* text, std::size_t length, std::size_t at,
                         const NumberStyle& style) noexcept;

// The user's regional number form, read from the system for this call; the
// neutral form when the system has none.
NumberStyle userNumberStyle() noexcept;

}  // namespace exact
}  // namespace pelunits
