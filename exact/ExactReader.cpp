#include <cwchar>
#include <new>

#include "FieldOfUnit.h"
#include "NumberReading.h"
#include "OutOfLine.h"
#include "PelUnitsRead.h"
#include "QuantityGrammar.h"
#include "ShortText.h"
#include "TypedText.h"
#include "UnitKind.h"

namespace pelunits {

Quantity quantityOf(const KovUnitTransform& unit) noexcept {
  return exact::quantityOfKind(exact::kindOf(unit));
}

namespace {

ReadResult outOfMemory() {
  ReadResult result;
  result.message = "out of memory";
  return result;
}

// UTF-8 decoded with the byte offset of every character, on the stack for short texts.
class DecodedUtf8 {
 public:
  static constexpr std::size_t kInline = 64;

  DecodedUtf8(const char* text, std::size_t length) {
    if (length > kInline) {
      wide_ = new (std::nothrow) wchar_t[length];
      offsets_ = new (std::nothrow) std::size_t[length + 1];
      if (wide_ == nullptr || offsets_ == nullptr) {
        failed_ = true;
        return;
      }
    }
    decode(reinterpret_cast<const unsigned char*>(text), length);
  }
  ~DecodedUtf8() {
    if (wide_ != inlineWide_) delete[] wide_;
    if (offsets_ != inlineOffsets_) delete[] offsets_;
  }
  DecodedUtf8(const DecodedUtf8&) = delete;
  DecodedUtf8& operator=(const DecodedUtf8&) = delete;

  bool outOfMemory() const { return failed_; }
  bool malformed() const { return malformed_; }
  std::size_t malformedAt() const { return malformedAt_; }
  const wchar_t* wide() const { return wide_; }
  std::size_t length() const { return count_; }
  // The byte offset of character i (i up to length()).
  std::size_t byteOffset(std::size_t i) const { return offsets_[i < count_ ? i : count_]; }

 private:
  void push(unsigned long c, std::size_t at) {
    offsets_[count_] = at;
    if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
      // A surrogate pair: both halves start at the same byte.
      c -= 0x10000;
      wide_[count_++] = static_cast<wchar_t>(0xD800 + (c >> 10));
      offsets_[count_] = at;
      wide_[count_++] = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
      return;
    }
    wide_[count_++] = static_cast<wchar_t>(c);
  }
  void decode(const unsigned char* s, std::size_t length) {
    std::size_t i = 0;
    while (i < length) {
      const unsigned char b = s[i];
      std::size_t extra = 0;
      unsigned long c = 0;
      unsigned long minimum = 0;
      if (b < 0x80) {
        c = b;
      } else if ((b & 0xE0) == 0xC0) {
        extra = 1;
        c = b & 0x1F;
        minimum = 0x80;
      } else if ((b & 0xF0) == 0xE0) {
        extra = 2;
        c = b & 0x0F;
        minimum = 0x800;
      } else if ((b & 0xF8) == 0xF0) {
        extra = 3;
        c = b & 0x07;
        minimum = 0x10000;
      } else {
        return stop(i);
      }
      for (std::size_t k = 1; k <= extra; ++k) {
        if (i + k >= length || (s[i + k] & 0xC0) != 0x80) return stop(i);
        c = (c << 6) | (s[i + k] & 0x3F);
      }
      if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return stop(i);
      push(c, i);
      i += extra + 1;
    }
    offsets_[count_] = length;
  }
  void stop(std::size_t at) {
    malformed_ = true;
    malformedAt_ = at;
  }

  wchar_t inlineWide_[kInline];
  std::size_t inlineOffsets_[kInline + 1];
  wchar_t* wide_ = inlineWide_;
  std::size_t* offsets_ = inlineOffsets_;
  std::size_t count_ = 0;
  bool failed_ = false;
  bool malformed_ = false;
  std::size_t malformedAt_ = 0;
};

// Every text but the plain neutral number: its field, then the short-text step or the
// grammar. Kept out of readExact, whose plain numbers then need no room for a field.
PELUNITS_OUT_OF_LINE ReadResult readInField(const KovUnitTransform& unit, const wchar_t* text,
                                            std::size_t length) {
  double value = 0.0;
  const exact::Field field = exact::fieldOf(unit);
  if (exact::readShortText(text, length, field, value)) {
    return ReadResult{ReadStatus::complete, value, length, ""};
  }
  const exact::PlainText plain(text != nullptr ? text : L"", length);
  if (!plain.ok()) return outOfMemory();
  return exact::readQuantity(plain.data(), plain.length(), field);
}

}  // namespace

ReadResult readExact(const KovUnitTransform& unit, const wchar_t* text,
                     std::size_t length) noexcept {
  if (text == nullptr) length = 0;
  double value = 0.0;
  if (exact::readShortNeutralNumber(text, length, unit, value)) {
    return ReadResult{ReadStatus::complete, value, length, ""};
  }
  return readInField(unit, text, length);
}

ReadResult readExact(const KovUnitTransform& unit, const KovString& text) noexcept {
  return readExact(unit, text.getStringW(), static_cast<std::size_t>(text.length()));
}

ReadResult readExactUtf8(const KovUnitTransform& unit, const char* text,
                         std::size_t length) noexcept {
  if (text == nullptr) length = 0;
  const DecodedUtf8 decoded(text != nullptr ? text : "", length);
  if (decoded.outOfMemory()) return outOfMemory();
  if (decoded.malformed()) {
    ReadResult result;
    result.position = decoded.malformedAt();
    result.message = "malformed UTF-8";
    return result;
  }
  ReadResult result = readExact(unit, decoded.wide(), decoded.length());
  result.position = decoded.byteOffset(result.position);
  return result;
}

}  // namespace pelunits
