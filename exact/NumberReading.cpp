#include "NumberReading.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

#include "NumberScan.h"
#include "TypedText.h"
#include "UserLocale.h"

namespace pelunits {
namespace exact {

namespace {

// The neutral copy of a number, on the stack for any number a person types. A longer
// one grows on the heap without throwing: when memory runs out, or the digits pass
// what the double scanner's int length holds, lost() says so and the scan refuses the
// number (the readers are noexcept).
class NeutralDigits {
 public:
  NeutralDigits() = default;
  NeutralDigits(const NeutralDigits&) = delete;
  NeutralDigits& operator=(const NeutralDigits&) = delete;

  void push(wchar_t c) noexcept {
    if (size_ < kInline) {
      inline_[size_++] = c;
      return;
    }
    if (lost_) return;
    if (size_ >= capacity_ && !grow()) return;
    if (size_ == kInline) std::copy(inline_, inline_ + kInline, overflow_.get());
    overflow_[size_++] = c;
  }
  bool lost() const noexcept { return lost_; }

  // The exact value of the neutral digits: up to 19 significant digits and a power
  // of ten within the exact numbers' range, else inexact.
  ExactNumber exactValue() const {
    const wchar_t* digits = this->digits();
    std::uint64_t mantissa = 0;
    int significant = 0;
    int fractionDigits = 0;
    bool point = false;
    std::size_t i = 0;
    for (; i < size_ && digits[i] != L'e'; ++i) {
      if (digits[i] == L'.') {
        point = true;
        continue;
      }
      if (significant == 0 && digits[i] == L'0') {
        if (point) ++fractionDigits;
        continue;
      }
      if (++significant > 19) return ExactNumber::inexact();
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(digits[i] - L'0');
      if (point) ++fractionDigits;
    }
    int exponent = 0;
    if (i < size_) {
      bool negative = false;
      ++i;
      if (i < size_ && digits[i] == L'-') {
        negative = true;
        ++i;
      }
      for (; i < size_; ++i) {
        if (exponent > 1000) return ExactNumber::inexact();
        exponent = exponent * 10 + (digits[i] - L'0');
      }
      if (negative) exponent = -exponent;
    }
    if (mantissa == 0) return ExactNumber::ofInteger(0);
    return ExactNumber::decimal(mantissa, exponent - fractionDigits);
  }

  double value() const { return scanDouble(digits(), static_cast<int>(size_)).value; }

 private:
  // Room for twice as many digits, and one place more for the terminating NUL.
  bool grow() noexcept {
    const std::size_t capacity = capacity_ == 0 ? 4 * kInline : 2 * capacity_;
    if (capacity > static_cast<std::size_t>(INT_MAX)) {
      lost_ = true;
      return false;
    }
    std::unique_ptr<wchar_t[]> larger(new (std::nothrow) wchar_t[capacity + 1]);
    if (!larger) {
      lost_ = true;
      return false;
    }
    if (capacity_ != 0) std::copy(overflow_.get(), overflow_.get() + size_, larger.get());
    overflow_ = std::move(larger);
    capacity_ = capacity;
    return true;
  }
  const wchar_t* digits() const noexcept {
    if (size_ <= kInline) return inline_;
    overflow_[size_] = L'\0';
    return overflow_.get();
  }

  static constexpr std::size_t kInline = 48;
  wchar_t inline_[kInline];
  std::size_t size_ = 0;
  std::unique_ptr<wchar_t[]> overflow_;
  std::size_t capacity_ = 0;
  bool lost_ = false;
};

bool isGroupCharacter(wchar_t c, wchar_t group) { return group != 0 && c == group; }

// A group separator at `at` followed by exactly groupSize digits and no further digit.
bool groupAt(const wchar_t* text, std::size_t length, std::size_t at, const NumberStyle& style) {
  if (style.groupSize <= 0 || !isGroupCharacter(text[at], style.group)) return false;
  const std::size_t end = at + 1 + static_cast<std::size_t>(style.groupSize);
  if (end > length) return false;
  for (std::size_t i = at + 1; i < end; ++i) {
    if (!isDigit(text[i])) return false;
  }
  return end == length || !isDigit(text[end]);
}

ScannedNumber failed(Scan scan, std::size_t at, const char* message) {
  return ScannedNumber{scan, 0.0, at, message, false, {}};
}

// The steps of scanNumber over the text at `i`, each copying what it reads into the
// neutral digits. False when the text does not fit the style, with `failure` saying
// where and why.
struct NumberScanner {
  NumberScanner(const wchar_t* typed, std::size_t size, std::size_t at, const NumberStyle& form)
      : text(typed), length(size), style(form), start(at), i(at) {}

  const wchar_t* const text;
  const std::size_t length;
  const NumberStyle& style;
  const std::size_t start;
  std::size_t i;
  NeutralDigits digits;
  ScannedNumber failure;

  bool fail(Scan scan, std::size_t where, const char* message) {
    failure = failed(scan, where, message);
    return false;
  }
  bool groupAfter() const {
    return i < length && style.group != 0 && text[i] == style.group && style.group != L' ' &&
           style.group != L'\'';
  }

  // The integer digits, with whole groups after the first few: "1.234.567" under de_DE.
  bool integerPart(std::size_t& integerDigits, bool& grouped) {
    while (i < length && isDigit(text[i])) digits.push(text[i++]);
    integerDigits = i - start;
    grouped = false;
    const auto groupSize = static_cast<std::size_t>(style.groupSize);
    while (i < length && groupAt(text, length, i, style)) {
      if (!grouped && (integerDigits > groupSize || integerDigits == 0)) {
        return fail(Scan::invalid, i, "digit group out of place");
      }
      grouped = true;
      for (std::size_t k = 0; k < groupSize; ++k) digits.push(text[i + 1 + k]);
      i += 1 + groupSize;
    }
    // A group separator that starts no whole group: "12.3" under de_DE.
    if (groupAfter() && integerDigits > 0) {
      return fail(Scan::invalid, i, "digit group of the wrong length");
    }
    return true;
  }

  // The decimal separator and the digits after it; whether any digit followed.
  bool fractionPart(bool& point) {
    point = i < length && text[i] == style.decimal;
    if (!point) return false;
    digits.push(L'.');
    const std::size_t first = ++i;
    while (i < length && isDigit(text[i])) digits.push(text[i++]);
    return i > first;
  }

  // After the digits: the other separator ("1,5" in the neutral form, "1.5" under
  // de_DE) or a group separator means the text does not fit the form, rather than
  // being a number and junk.
  bool nothingMisplacedAfter() {
    if (i < length && (text[i] == L',' || text[i] == L'.') && text[i] != style.decimal &&
        !(style.group == text[i])) {
      return fail(Scan::invalid, i,
                  style.decimal == L'.' ? "',' is not the decimal separator here"
                                        : "'.' is not the decimal separator here");
    }
    if (groupAfter()) return fail(Scan::invalid, i, "digit group of the wrong length");
    return true;
  }

  // An exponent, when a mark with digits stands here; "5e" followed by a letter is
  // left to the unit words.
  bool exponentPart(bool& read) {
    read = false;
    if (!(i < length && (text[i] == L'e' || text[i] == L'E'))) return true;
    std::size_t j = i + 1;
    if (j < length && (text[j] == L'+' || text[j] == L'-')) ++j;
    if (j >= length) return fail(Scan::incomplete, j, "the exponent has no digits");
    if (isDigit(text[j])) {
      read = true;
      digits.push(L'e');
      if (text[i + 1] == L'-') digits.push(L'-');
      while (j < length && isDigit(text[j])) digits.push(text[j++]);
      i = j;
    } else if (j > i + 1) {
      return fail(Scan::invalid, j, "the exponent has no digits");
    }
    return true;
  }
};

}  // namespace

ScannedNumber scanNumber(const wchar_t* text, std::size_t length, std::size_t at,
                         const NumberStyle& style) noexcept {
  NumberScanner scan(text, length, at, style);
  std::size_t integerDigits = 0;
  bool grouped = false;
  if (!scan.integerPart(integerDigits, grouped)) return scan.failure;
  bool point = false;
  const bool fractionDigits = scan.fractionPart(point);
  if (integerDigits == 0 && !fractionDigits) {
    if (scan.i == at) return ScannedNumber{};
    if (scan.i >= length) return failed(Scan::incomplete, scan.i, "a digit is missing");
    return failed(Scan::invalid, scan.i, "a digit is missing");
  }
  bool exponent = false;
  if (!scan.nothingMisplacedAfter() || !scan.exponentPart(exponent)) return scan.failure;
  if (scan.digits.lost()) return failed(Scan::invalid, at, "number too long to read");
  ScannedNumber result;
  result.scan = Scan::read;
  result.value = scan.digits.value();
  result.exact = scan.digits.exactValue();
  result.end = scan.i;
  result.integer = !point && !exponent && !grouped;
  return result;
}

NumberStyle userNumberStyle() noexcept {
  NumberStyle style;
  NumberSettings settings;
  if (!platform::readUserNumberSettings(settings)) return style;
  if (settings.decimalSeparator.length() != 1) return style;
  style.decimal = plainCharacter(settings.decimalSeparator[0]);
  if (settings.thousandSeparator.length() == 1 && settings.grouping > 0) {
    style.group = plainCharacter(settings.thousandSeparator[0]);
    style.groupSize = settings.grouping;
  }
  if (style.group == style.decimal) style.group = 0;
  return style;
}

}  // namespace exact
}  // namespace pelunits
