// Fuzzes the regional number conversions: formatNumberLikeWindows with every
// number format record on arbitrary texts, and a unit's setInternationalNumberFormat
// and setInternationalNumberFormatBack under several user locales. Properties:
// only neutral numbers are formatted, the output stays bounded, and a number that
// is formatted and converted back reads as the number rounded to its decimals.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "NumberFormatting.h"
#include "fuzz/FuzzInput.h"

namespace {

using pelunits::NumberFormatRecord;
using pelunits::fuzz::ByteReader;
using pelunits::fuzz::countOf;

void check(bool condition, const char* what) {
  pelunits::fuzz::requireProperty(condition, "regional conversion property", what);
}

// The smallest concrete unit: the regional conversions are members of the base.
class PlainUnit : public KovUnitTransform {
 public:
  int isValidString(const KovString&) const override { return 1; }
  int isMetric() const override { return 1; }
  int isFractional() const override { return 0; }
  KovUnitTransform* clone() const override { return nullptr; }
  void setDecimals(int value) { precision = value; }
};

const wchar_t* const kSeparators[] = {L".", L",",      L" ", L"\u00A0", L"\u202F",
                                      L"'", L"\u2019", L"",  L"..",     L"abc",
                                      L"-", L"0",      L"%", L"(",      L",."};

bool isNeutralNumber(const std::wstring& text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == L'-') ++i;
  bool digits = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= L'0' && text[i] <= L'9') {
      digits = true;
    } else if (text[i] == L'.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// Separators that a reader can undo: one character each, different, and not a
// digit, sign or blank that the number itself could hold.
bool separatorsReversible(const wchar_t* decimal, const wchar_t* thousand) {
  const std::wstring d(decimal);
  const std::wstring t(thousand);
  if (d.size() != 1 || t.size() > 1 || d == t) return false;
  for (const std::wstring* s : {&d, &t}) {
    for (wchar_t c : *s) {
      if ((c >= L'0' && c <= L'9') || c == L'-' || c == L'(' || c == L'.' || c == L'%')
        return false;
    }
  }
  return true;
}

double halfStep(int decimals) { return 0.5 * std::pow(10.0, -decimals); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  NumberFormatRecord record;
  static const int kDigits[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 10, 100, INT_MAX, INT_MIN};
  static const int kGroupings[] = {3, 0, 1, 2, 4, 9, -1, 10, 32, INT_MAX};
  static const int kSmall[] = {1, 0, 2, 3, 4, -1, 5, INT_MAX};
  record.numDigits = kDigits[in.byte() % countOf(kDigits)];
  record.leadingZero = kSmall[in.byte() % countOf(kSmall)];
  record.grouping = kGroupings[in.byte() % countOf(kGroupings)];
  record.negativeOrder = kSmall[in.byte() % countOf(kSmall)];
  record.decimalSeparator = kSeparators[in.byte() % countOf(kSeparators)];
  record.thousandSeparator = kSeparators[in.byte() % countOf(kSeparators)];
  const std::uint8_t localeChoice = in.byte();
  const int decimals = in.byte() % 10;
  const double value = in.rawDouble();
  const std::size_t prefix = in.position();
  const std::wstring text = pelunits::fuzz::decodeText(in.from(prefix), in.sizeFrom(prefix));
  // The formatter's input is a zero-terminated text.
  const std::wstring input = text.substr(0, std::min(text.find(L'\0'), text.size()));

  // 1. The formatter on its own.
  {
    KovString out;
    const bool formatted = pelunits::formatNumberLikeWindows(input.c_str(), record, out);
    if (!isNeutralNumber(input)) {
      const bool onlyNumberCharacters = std::all_of(input.begin(), input.end(), [](wchar_t c) {
        return (c >= L'0' && c <= L'9') || c == L'-' || c == L'.';
      });
      if (!onlyNumberCharacters) check(!formatted, "a text that is no number was formatted");
    }
    if (formatted) {
      const std::size_t bound =
          (input.size() + 16) * 8 + static_cast<std::size_t>(std::max(record.numDigits, 0));
      check(static_cast<std::size_t>(out.length()) <= bound, "formatted text too long");
      check(out.getStringW()[out.length()] == 0, "formatted text not terminated");
      if (isNeutralNumber(input) && record.negativeOrder == 1 && record.numDigits <= 9 &&
          separatorsReversible(record.decimalSeparator, record.thousandSeparator)) {
        KovString back = out;
        if (record.thousandSeparator[0] != 0) back.removeAll(record.thousandSeparator[0]);
        back.replace(KovString(record.decimalSeparator), KovString(L"."));
        const double original = KovString(input.c_str()).toDouble();
        const double read = back.toDouble();
        if (std::isfinite(original) && std::fabs(original) < 1e15) {
          const double tolerance =
              halfStep(record.numDigits) * (1 + 1e-9) + std::fabs(original) * 1e-15;
          check(std::fabs(read - original) <= tolerance, "formatted number reads back off");
        }
      }
    }
  }

  // 2. Through a unit, under a user locale.
  PlainUnit unit;
  unit.setDecimals(decimals);
  unit.setUseRegionalSettings(pelunits::fuzz::kRegionalFlags[localeChoice % 4]);
  pelunits::fuzz::useLocale(
      pelunits::fuzz::kLocales[(localeChoice / 4) % countOf(pelunits::fuzz::kLocales)]);
  {
    KovString forward = pelunits::fuzz::toKovString(text);
    unit.setInternationalNumberFormat(forward);
    KovString backward = pelunits::fuzz::toKovString(text);
    unit.setInternationalNumberFormatBack(backward);
    if (unit.getUseRegionalSettings() == 0) {
      check(forward == pelunits::fuzz::toKovString(text), "regional off changed a display");
      check(backward == pelunits::fuzz::toKovString(text), "regional off changed a typed text");
    }
    // Separators are removed or replaced by '.', never added.
    check(backward.length() <= static_cast<int>(text.size()), "typed text grew");
  }
  if (std::isfinite(value) && std::fabs(value) < 1e15) {
    // A number as the displays write it, to the regional form and back.
    KovString shown;
    shown.appendFixed(value, decimals);
    const double written = shown.toDouble();
    unit.setInternationalNumberFormat(shown);
    unit.setInternationalNumberFormatBack(shown);
    const double read = shown.toDouble();
    check(std::fabs(read - written) <= halfStep(decimals) * 1e-6 + std::fabs(written) * 1e-15,
          "regional display does not read back");
  }
  return 0;
}
