#pragma once

#include "IntegerText.h"
#include "KovString.h"

namespace pelunits {

// A display text put together on the stack and made into one KovString at the end.
// Why it is fast: the pieces are copied without KovString's per-append storage
// checks, and a text longer than the inline storage of KovString is allocated once,
// at its final length, instead of inline first and then moved to a grown heap
// block. The rare text that passes kCapacity continues in a KovString.
class DisplayText {
 public:
  // Beyond every feet-inch-fraction text and every fraction markup with the usual
  // fraction parameters.
  static constexpr int kCapacity = 96;

  // The same spellings as KovString, so that the shared piece writers take either.
  DisplayText& operator+=(wchar_t c) {
    if (!spilled_ && length_ < kCapacity) {
      chars_[length_++] = c;
    } else {
      spill(&c, 1);
    }
    return *this;
  }
  void append(const wchar_t* text, int length) {
    if (!spilled_ && length <= kCapacity - length_) {
      for (int i = 0; i < length; ++i) chars_[length_ + i] = text[i];
      length_ += length;
    } else {
      spill(text, length);
    }
  }
  void appendInt(long long value) {
    // Feet, inches, numerators and denominators are mostly one or two digits:
    // written in place, without a copy from a digit buffer.
    if (value >= 0 && value < 100 && !spilled_ && length_ <= kCapacity - 2) {
      if (value >= 10) chars_[length_++] = static_cast<wchar_t>(L'0' + value / 10);
      chars_[length_++] = static_cast<wchar_t>(L'0' + value % 10);
      return;
    }
    wchar_t digits[kIntegerTextLength];
    wchar_t* const end = digits + kIntegerTextLength;
    const wchar_t* const begin = writeInteger(value, end);
    append(begin, static_cast<int>(end - begin));
  }
  // As KovString::appendFixed.
  void appendFixed(double value, int decimals) {
    KovString number;  // inline for every finite number of up to 31 characters
    number.appendFixed(value, decimals);
    append(number.getStringW(), number.length());
  }

  KovString finish() const { return spilled_ ? spill_ : KovString(chars_, length_); }

 private:
  void spill(const wchar_t* text, int length) {
    if (!spilled_) {
      spill_.append(chars_, length_);
      spilled_ = true;
    }
    spill_.append(text, length);
  }

  wchar_t chars_[kCapacity];
  int length_ = 0;
  bool spilled_ = false;
  KovString spill_;
};

}  // namespace pelunits
