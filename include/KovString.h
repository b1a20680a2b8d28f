#pragma once

#include "PelUnitsExport.h"

// KovString: the wide-character text that crosses every interface of the library.
//
// Positions and lengths count wchar_t units from 0. Texts of up to
// kInlineCapacity characters live inside the object, so the short texts that the
// displays return by value cost no heap allocation.
//
// Number reading is the library's own and does not depend on the C runtime or on
// any locale the host has set: toDouble() reads what strtod reads in the "C"
// locale (leading blanks, sign, decimal and hexadecimal forms, exponents, inf,
// nan), toLong() an optionally signed decimal integer.
class PELUNITS_API KovString {
 public:
  static constexpr int kInlineCapacity = 31;
  // The longest text: longer input is cut here.
  static constexpr int kMaxLength = 0x7FFFFFFF / 2;

  // Inline: the displays build many short texts and only the first character of
  // the inline storage needs a value.
  KovString() noexcept { inline_[0] = 0; }
  KovString(const KovString& other);
  KovString(KovString&& other) noexcept
      : length_(other.length_), capacity_(other.capacity_), heap_(other.heap_) {
    if (heap_ != nullptr) {
      other.heap_ = nullptr;
      other.capacity_ = kInlineCapacity;
    } else {
      for (int i = 0; i <= length_; ++i) inline_[i] = other.inline_[i];
    }
    other.length_ = 0;
    other.inline_[0] = 0;
  }
  KovString(const wchar_t* text);  // NOLINT: implicit on purpose, texts are passed as literals
  KovString(const wchar_t* text, int length);
  // Widens byte by byte as the Windows ANSI code page 1252 does (0xB2 becomes U+00B2).
  KovString(const char* text);  // NOLINT
  ~KovString() { delete[] heap_; }

  KovString& operator=(const KovString& other);
  KovString& operator=(KovString&& other) noexcept;
  KovString& operator=(const wchar_t* text);
  KovString& operator=(const char* text);

  // Appending a text to itself is safe: append copies before it reallocates.
  KovString& operator+=(const KovString& other) {
    return append(other.getStringW(), other.length_);
  }
  KovString& operator+=(const wchar_t* text) {
    int n = 0;
    if (text != nullptr) {
      while (text[n] != 0 && n < kMaxLength) ++n;
    }
    return append(text, n);
  }
  KovString& operator+=(wchar_t c) {
    if (length_ < capacity_) {
      wchar_t* out = data();
      out[length_++] = c;
      out[length_] = 0;
      return *this;
    }
    return appendGrowing(&c, 1);
  }
  KovString operator+(const KovString& other) const;

  bool operator==(const KovString& other) const noexcept;
  bool operator!=(const KovString& other) const noexcept { return !(*this == other); }
  bool operator==(const wchar_t* text) const noexcept;
  bool operator!=(const wchar_t* text) const noexcept { return !(*this == text); }

  // The character at a position; 0 for any position outside the text (position 0
  // of an empty text yields the terminating 0).
  wchar_t operator[](int position) const noexcept { return at(position); }
  wchar_t at(int position) const noexcept {
    return position >= 0 && position < length_ ? getStringW()[position] : 0;
  }

  int length() const noexcept { return length_; }
  int isEmpty() const noexcept { return length_ == 0 ? 1 : 0; }

  // Position of the first occurrence at or after `start`, or -1. An empty part is
  // found at `start` when start lies within the text.
  int find(const KovString& part, int start = 0) const noexcept;
  int find(wchar_t c, int start = 0) const noexcept {
    const wchar_t* text = getStringW();
    for (int i = start < 0 ? 0 : start; i < length_; ++i) {
      if (text[i] == c) return i;
    }
    return -1;
  }

  // Substrings. Counts below 0 give an empty text; counts past the end stop there;
  // a negative start counts as 0.
  KovString left(int count) const;
  KovString right(int count) const;
  KovString mid(int start, int count) const;
  KovString mid(int start) const;

  // White space is ' ', '\t', '\n', '\v', '\f' and '\r'.
  KovString& TrimLeft() noexcept;
  KovString& TrimRight() noexcept;
  KovString& Trim() noexcept { return TrimRight().TrimLeft(); }
  KovString& TrimLeft(const KovString& set) noexcept;
  KovString& TrimRight(const KovString& set) noexcept;

  // Removes every occurrence of c; returns how many were removed.
  int removeAll(const wchar_t& c) noexcept;
  // Replaces every occurrence of `from` (left to right, not overlapping) by `to`;
  // returns the number of replacements. An empty `from` replaces nothing.
  int replace(const KovString& from, const KovString& to);

  // The leading number, as strtod reads it in the "C" locale; 0.0 when the text
  // does not start with one. Out-of-range numbers give +-inf or 0 as strtod does.
  double toDouble() const noexcept;
  // The leading optionally signed decimal integer; 0 when there is none.
  // Saturates at the 32-bit range, the width of `long` on every platform we ship.
  long toLong() const noexcept;
  // True when the whole text is a plain unsigned decimal number: one or more ASCII
  // digits with at most one '.' among them ("12", "1.5", ".5", "5."). No sign, no
  // blanks, no exponent, no ',' and no other script's digits; "" and "." are not numeric.
  bool IsNumeric() const noexcept;

  const wchar_t* getStringW() const noexcept { return heap_ != nullptr ? heap_ : inline_; }

  // printf-style formatting that replaces the content; returns this text. Understood:
  // %d %i %ld %lld %u (integers), %f %.Nf %.*f (fixed, locale-independent '.'),
  // %s (a wide text), %c, %%; flags '-' '0' '+' ' ' and a width. Anything else is
  // copied as it stands. Non-finite doubles are written "nan", "inf" or "-inf".
  KovString& format(const wchar_t* pattern, ...);

  // Direct appends for the hot display paths (no pattern to interpret).
  // Inline while the text fits the storage it has, which is nearly always.
  KovString& append(const wchar_t* text, int length) {
    if (text == nullptr || length <= 0) return *this;
    if (length > capacity_ - length_) return appendGrowing(text, length);
    // A text inside this one ends at its end, so a forward copy never overlaps.
    wchar_t* out = data() + length_;
    for (int i = 0; i < length; ++i) out[i] = text[i];
    length_ += length;
    out[length] = 0;
    return *this;
  }
  KovString& appendInt(long long value);
  // value with "%.*f" semantics; decimals are clamped to 0..kMaxDecimals.
  KovString& appendFixed(double value, int decimals);
  static constexpr int kMaxDecimals = 1100;

  void clear() noexcept {
    length_ = 0;
    data()[0] = 0;
  }
  void reserve(int capacity);
  // Keeps the first `count` characters (no-op when count >= length).
  void truncate(int count) noexcept;
  // Removes `count` characters starting at `start` (clamped to the text).
  void erase(int start, int count) noexcept;

 private:
  wchar_t* data() noexcept { return heap_ != nullptr ? heap_ : inline_; }
  void growTo(int capacity);
  KovString& appendGrowing(const wchar_t* text, int length);

  int length_ = 0;
  int capacity_ = kInlineCapacity;
  wchar_t* heap_ = nullptr;
  wchar_t inline_[kInlineCapacity + 1];  // valid up to length_ and its terminating 0
};
