#include "NumberFormatting.h"

#include <cwchar>
#include <utility>

#include "NumberScan.h"

namespace pelunits {

namespace {

// The system formatter writes into a caller's buffer of this many characters
// (terminator included); a longer result fails there, so it fails here too.
constexpr int kOutputCapacity = 8192;

int wideLength(const wchar_t* text) {
  int n = 0;
  while (text[n] != 0 && n < kOutputCapacity) ++n;
  return n;
}

// The accepted input: an optional leading '-', digits, an optional '.' and digits;
// the digits may be missing. Leading zeros of the integer part are skipped here.
struct NeutralNumber {
  bool negative = false;
  const wchar_t* integerDigits = nullptr;
  int integerLength = 0;
  const wchar_t* fractionDigits = nullptr;
  int fractionLength = 0;
};

bool scanNeutralNumber(const wchar_t* text, NeutralNumber& number) {
  const wchar_t* p = text;
  if (*p == L'-') {
    number.negative = true;
    ++p;
  }
  const wchar_t* integerBegin = p;
  while (isAsciiDigit(*p)) ++p;
  const wchar_t* integerEnd = p;
  const wchar_t* fractionBegin = p;
  if (*p == L'.') {
    ++p;
    fractionBegin = p;
    while (isAsciiDigit(*p)) ++p;
  }
  const wchar_t* fractionEnd = p;
  // A text without digits ("", "-", ".") stands for zero, as the system reads it.
  if (*p != 0) return false;
  while (integerBegin < integerEnd && *integerBegin == L'0') ++integerBegin;
  number.integerDigits = integerBegin;
  number.integerLength = static_cast<int>(integerEnd - integerBegin);
  number.fractionDigits = fractionBegin;
  number.fractionLength = static_cast<int>(fractionEnd - fractionBegin);
  return true;
}

// The digits kept after rounding to `decimals` places, half away from zero, worked
// on the digit text itself so that no binary rounding enters.
class RoundedDigits {
 public:
  RoundedDigits(const NeutralNumber& number, int decimals)
      : number_(&number), kept_(number.integerLength + decimals) {
    const bool roundUp =
        number.fractionLength > decimals && number.fractionDigits[decimals] >= L'5';
    if (roundUp) {
      incremented_ = kept_ - 1;
      while (incremented_ >= 0 && keptDigit(incremented_) == L'9') --incremented_;
      carry_ = incremented_ < 0;
    }
    roundUp_ = roundUp;
  }

  // Integer digits of the result: none when the integer part is 0.
  int integerLength() const { return number_->integerLength + (carry_ ? 1 : 0); }

  // True when nothing was rounded: the digits are the input's own.
  bool unchanged() const { return !roundUp_; }

  // Digit `i` of the result, integer digits first and then the decimals.
  wchar_t digit(int i) const {
    if (carry_) return i == 0 ? L'1' : L'0';
    if (!roundUp_ || i < incremented_) return keptDigit(i);
    if (i == incremented_) return static_cast<wchar_t>(keptDigit(i) + 1);
    return L'0';
  }

 private:
  // The input's digits up to the kept length, decimals padded with zeros.
  wchar_t keptDigit(int i) const {
    if (i < number_->integerLength) return number_->integerDigits[i];
    const int f = i - number_->integerLength;
    return f < number_->fractionLength ? number_->fractionDigits[f] : L'0';
  }

  const NeutralNumber* number_;
  int kept_;
  bool roundUp_ = false;
  bool carry_ = false;
  int incremented_ = -1;
};

// Everything about a result except its characters: checked input and record, the
// rounded digits and the lengths of the parts.
struct Layout {
  explicit Layout(const NumberFormatRecord& record) : format(record) {}
  const NumberFormatRecord& format;
  NeutralNumber number;
  RoundedDigits digits{number, 0};
  int decimals = 0;
  int integerLength = 0;
  bool writeInteger = false;
  bool negative = false;
  int decimalLength = 0;
  int thousandLength = 0;
  int groups = 0;
  int total = 0;  // characters of the result
};

// Fills `layout` for `value`; false for an invalid text or record, or a result the
// system's buffer would not hold.
bool layOut(const wchar_t* value, Layout& layout) {
  const NumberFormatRecord& format = layout.format;
  if (value == nullptr || format.decimalSeparator == nullptr ||
      format.thousandSeparator == nullptr) {
    return false;
  }
  if (format.numDigits < 0 || format.numDigits >= kOutputCapacity) return false;
  if (format.grouping < 0 || format.grouping > 9) return false;
  if (format.negativeOrder < 0 || format.negativeOrder > 4) return false;
  NeutralNumber& number = layout.number;
  if (!scanNeutralNumber(value, number)) return false;
  if (number.integerLength >= kOutputCapacity) return false;

  const int decimals = format.numDigits;
  layout.decimals = decimals;
  layout.digits = RoundedDigits(number, decimals);
  const int integerLength = layout.digits.integerLength();
  layout.integerLength = integerLength;
  // As the system does: without the leading zero a zero integer part writes no digit
  // at all, even when no decimals follow, and the sign stays on a value that rounds
  // to zero. The library's displays remove a negative zero's sign before formatting.
  layout.writeInteger = integerLength > 0 || format.leadingZero != 0;
  layout.negative = number.negative;

  layout.decimalLength = wideLength(format.decimalSeparator);
  layout.thousandLength = wideLength(format.thousandSeparator);
  layout.groups =
      format.grouping > 0 && integerLength > 0 ? (integerLength - 1) / format.grouping : 0;
  const long long total = (layout.writeInteger ? (integerLength > 0 ? integerLength : 1) : 0) +
                          static_cast<long long>(layout.groups) * layout.thousandLength +
                          (decimals > 0 ? layout.decimalLength + decimals : 0) +
                          (layout.negative ? 2 : 0);
  if (total + 1 > kOutputCapacity) return false;
  layout.total = static_cast<int>(total);
  return true;
}

// The result character by character in a new text, moved into `out` at the end:
// `value` may be the text of `out`.
void writeIntoNewText(const Layout& layout, KovString& out) {
  const NumberFormatRecord& format = layout.format;
  const int integerLength = layout.integerLength;
  KovString result;
  result.reserve(layout.total);
  if (layout.negative) {
    if (format.negativeOrder == 0) result += L'(';
    if (format.negativeOrder == 1) result += L'-';
    if (format.negativeOrder == 2) result.append(L"- ", 2);
  }
  if (integerLength == 0) {
    if (layout.writeInteger) result += L'0';
  } else {
    // A separator goes before digit i (i > 0) when the digits left from i are a
    // whole number of groups.
    for (int i = 0; i < integerLength; ++i) {
      if (layout.groups > 0 && i > 0 && (integerLength - i) % format.grouping == 0) {
        result.append(format.thousandSeparator, layout.thousandLength);
      }
      result += layout.digits.digit(i);
    }
  }
  if (layout.decimals > 0) {
    result.append(format.decimalSeparator, layout.decimalLength);
    for (int i = 0; i < layout.decimals; ++i) result += layout.digits.digit(integerLength + i);
  }
  if (layout.negative) {
    if (format.negativeOrder == 0) result += L')';
    if (format.negativeOrder == 3) result += L'-';
    if (format.negativeOrder == 4) result.append(L" -", 2);
  }
  out = std::move(result);
}

// Results shorter than this are written by writeShortResult.
constexpr int kShortResult = 64;

wchar_t* copyText(wchar_t* to, const wchar_t* text, int length) {
  for (int i = 0; i < length; ++i) *to++ = text[i];
  return to;
}

// The characters of the negative form before the number.
wchar_t* writeNegativeOpening(int negativeOrder, wchar_t* end) {
  if (negativeOrder == 0) *end++ = L'(';
  if (negativeOrder == 1) *end++ = L'-';
  if (negativeOrder == 2) end = copyText(end, L"- ", 2);
  return end;
}

// The characters of the negative form after the number.
wchar_t* writeNegativeClosing(int negativeOrder, wchar_t* end) {
  if (negativeOrder == 0) *end++ = L')';
  if (negativeOrder == 3) *end++ = L'-';
  if (negativeOrder == 4) end = copyText(end, L" -", 2);
  return end;
}

// `length` (> 0) integer digits, digit(i) for each, with the thousands separator
// between groups of `grouping` (> 0) counted from the right. The groups are counted
// down instead of taking a remainder per digit.
template <class Digit>
wchar_t* writeGroupedDigits(int length, int grouping, const wchar_t* separator, int separatorLength,
                            Digit digit, wchar_t* end) {
  int untilSeparator = length % grouping;
  if (untilSeparator == 0) untilSeparator = grouping;
  for (int i = 0; i < length; ++i) {
    if (untilSeparator == 0) {
      end = copyText(end, separator, separatorLength);
      untilSeparator = grouping;
    }
    *end++ = digit(i);
    --untilSeparator;
  }
  return end;
}

// The same characters as writeIntoNewText, for a result of fewer than kShortResult
// characters, into `buffer` on the caller's stack; returns the length. Faster than
// building a text: no capacity check or length update per character, digits that
// need no rounding copied straight from the input. The caller copies the buffer into
// its text once, which also leaves `value` intact until the end.
int writeShortResult(const Layout& layout, wchar_t* buffer) {
  const NumberFormatRecord& format = layout.format;
  const NeutralNumber& number = layout.number;
  const RoundedDigits& digits = layout.digits;
  const int integerLength = layout.integerLength;
  const int decimals = layout.decimals;
  // The usual case: the text already has the decimals asked for, so its digits are
  // copied as they stand.
  const bool unrounded = digits.unchanged() && number.fractionLength == decimals;
  wchar_t* end = buffer;
  if (layout.negative) end = writeNegativeOpening(format.negativeOrder, end);
  if (integerLength == 0) {
    if (layout.writeInteger) *end++ = L'0';
  } else if (layout.groups == 0) {
    if (unrounded) {
      end = copyText(end, number.integerDigits, integerLength);
    } else {
      for (int i = 0; i < integerLength; ++i) *end++ = digits.digit(i);
    }
  } else {
    const wchar_t* integerDigits = number.integerDigits;
    end = writeGroupedDigits(
        integerLength, format.grouping, format.thousandSeparator, layout.thousandLength,
        [unrounded, integerDigits, &digits](int i) {
          return unrounded ? integerDigits[i] : digits.digit(i);
        },
        end);
  }
  if (decimals > 0) {
    end = copyText(end, format.decimalSeparator, layout.decimalLength);
    if (unrounded) {
      end = copyText(end, number.fractionDigits, decimals);
    } else {
      for (int i = 0; i < decimals; ++i) *end++ = digits.digit(integerLength + i);
    }
  }
  if (layout.negative) end = writeNegativeClosing(format.negativeOrder, end);
  return static_cast<int>(end - buffer);
}

// The bounds of formatDisplayNumber: with them every result fits its buffer.
constexpr int kDisplayIntegerDigits = 24;
constexpr int kDisplayDecimals = 12;
constexpr int kDisplaySeparatorLength = 3;
constexpr int kDisplayCapacity = 2 + kDisplayIntegerDigits +
                                 (kDisplayIntegerDigits - 1) * kDisplaySeparatorLength +
                                 kDisplaySeparatorLength + kDisplayDecimals + 2;

// The length of a separator of at most kDisplaySeparatorLength characters; -1 for
// a longer one.
int shortSeparatorLength(const wchar_t* separator) {
  for (int n = 0; n <= kDisplaySeparatorLength; ++n) {
    if (separator[n] == 0) return n;
  }
  return -1;
}

// The fast path of formatNumberLikeWindows for the numbers the displays hand it: a
// text as KovString::appendFixed writes it (an optional '-', at least one digit, an
// optional '.' and digits) with exactly numDigits decimals, so that nothing rounds,
// within the bounds above. It finds the parts in one pass and copies the digits as
// they stand, where layOut also prepares the rounding and measures texts of any
// length. Returns false, writing nothing, for any other text or record; the general
// steps then answer (the test holds both against the text built in a new text).
bool formatDisplayNumber(const wchar_t* value, const NumberFormatRecord& format, KovString& out) {
  if (value == nullptr || format.decimalSeparator == nullptr ||
      format.thousandSeparator == nullptr || format.grouping < 0 || format.grouping > 9 ||
      format.negativeOrder < 0 || format.negativeOrder > 4) {
    return false;
  }
  const wchar_t* p = value;
  const bool negative = *p == L'-';
  if (negative) ++p;
  const wchar_t* integer = p;
  while (isAsciiDigit(*p)) ++p;
  const wchar_t* const integerEnd = p;
  if (integerEnd == integer) return false;
  const wchar_t* fraction = p;
  if (*p == L'.') {
    fraction = ++p;
    while (isAsciiDigit(*p)) ++p;
  }
  const int decimals = format.numDigits;
  if (*p != 0 || p - fraction != decimals || decimals > kDisplayDecimals) return false;
  while (integer < integerEnd && *integer == L'0') ++integer;
  const int integerLength = static_cast<int>(integerEnd - integer);
  const int decimalLength = shortSeparatorLength(format.decimalSeparator);
  const int thousandLength = shortSeparatorLength(format.thousandSeparator);
  if (integerLength > kDisplayIntegerDigits || decimalLength < 0 || thousandLength < 0) {
    return false;
  }
  wchar_t buffer[kDisplayCapacity];
  wchar_t* end = buffer;
  if (negative) end = writeNegativeOpening(format.negativeOrder, end);
  if (integerLength == 0) {
    // Without the leading zero a zero integer part writes no digit, as in layOut.
    if (format.leadingZero != 0) *end++ = L'0';
  } else if (format.grouping == 0 || integerLength <= format.grouping) {
    end = copyText(end, integer, integerLength);
  } else {
    end = writeGroupedDigits(
        integerLength, format.grouping, format.thousandSeparator, thousandLength,
        [integer](int i) { return integer[i]; }, end);
  }
  if (decimals > 0) {
    end = copyText(end, format.decimalSeparator, decimalLength);
    end = copyText(end, fraction, decimals);
  }
  if (negative) end = writeNegativeClosing(format.negativeOrder, end);
  out.clear();
  out.append(buffer, static_cast<int>(end - buffer));
  return true;
}

}  // namespace

bool formatNumberLikeWindows(const wchar_t* value, const NumberFormatRecord& format,
                             KovString& out) {
  if (formatDisplayNumber(value, format, out)) return true;
  Layout layout(format);
  if (!layOut(value, layout)) return false;
  if (layout.total < kShortResult) {
    wchar_t buffer[kShortResult];
    const int length = writeShortResult(layout, buffer);
    out.clear();
    out.append(buffer, length);
  } else {
    writeIntoNewText(layout, out);
  }
  return true;
}

bool formatNumberIntoNewText(const wchar_t* value, const NumberFormatRecord& format,
                             KovString& out) {
  Layout layout(format);
  if (!layOut(value, layout)) return false;
  writeIntoNewText(layout, out);
  return true;
}

NumberFormatRecord numberFormatRecord(const NumberSettings& settings, int decimals) {
  NumberFormatRecord record;
  record.numDigits = decimals;
  record.leadingZero = settings.leadingZero;
  record.grouping = settings.grouping;
  record.decimalSeparator = settings.decimalSeparator.getStringW();
  record.thousandSeparator = settings.thousandSeparator.getStringW();
  record.negativeOrder = settings.negativeOrder;
  return record;
}

KovString neutralNumber(const KovString& text, const NumberSettings& settings) {
  const bool dropThousands = !settings.thousandSeparator.isEmpty();
  const wchar_t thousand = settings.thousandSeparator[0];
  const wchar_t* decimal = settings.decimalSeparator.getStringW();
  const int decimalLength = settings.decimalSeparator.length();
  KovString neutral;
  neutral.reserve(text.length());
  // Where the text written so far may next hold a decimal separator: replacements
  // do not overlap. The separators are all the same length, so the one that ends
  // first is also the leftmost.
  int searchFrom = 0;
  for (int i = 0; i < text.length(); ++i) {
    const wchar_t c = text[i];
    if (dropThousands && c == thousand) continue;
    neutral += c;
    const int start = neutral.length() - decimalLength;
    if (decimalLength == 0 || start < searchFrom || c != decimal[decimalLength - 1]) continue;
    if (std::wmemcmp(neutral.getStringW() + start, decimal,
                     static_cast<std::size_t>(decimalLength)) != 0) {
      continue;
    }
    neutral.truncate(start);
    neutral += L'.';
    searchFrom = neutral.length();
  }
  return neutral;
}

}  // namespace pelunits
