#include <cwchar>
#include <new>
#include <string_view>

#include "Bearing.h"
#include "FieldOfUnit.h"
#include "NumberReading.h"
#include "OutOfLine.h"
#include "PelUnitsRead.h"
#include "QuantityGrammar.h"
#include "ShortText.h"
#include "TypedText.h"
#include "UnitKind.h"
#include "Utf8.h"

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
    decode(text, length);
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
  // ASCII here; every longer sequence through the library's one UTF-8 decoder.
  void decode(const char* s, std::size_t length) {
    const std::string_view text(s, length);
    std::size_t i = 0;
    while (i < length) {
      const auto b = static_cast<unsigned char>(s[i]);
      if (b < 0x80) {
        push(b, i);
        ++i;
        continue;
      }
      char32_t c = 0;
      const std::size_t step = decodeUtf8(text, i, c);
      if (step == 0) return stop(i);
      push(c, i);
      i += step;
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
  if (field.quantity == Quantity::angle && exact::looksLikeBearing(plain.data(), plain.length())) {
    return exact::readBearing(plain.data(), plain.length(), field, AngleConvention());
  }
  return exact::readQuantity(plain.data(), plain.length(), field);
}

// UTF-8 decoded and read by `read` on wide text, the position brought back to bytes.
template <class Read>
ReadResult readDecoded(const char* text, std::size_t length, const Read& read) noexcept {
  if (text == nullptr) length = 0;
  const DecodedUtf8 decoded(text != nullptr ? text : "", length);
  if (decoded.outOfMemory()) return outOfMemory();
  if (decoded.malformed()) {
    ReadResult result;
    result.position = decoded.malformedAt();
    result.message = "malformed UTF-8";
    return result;
  }
  ReadResult result = read(decoded.wide(), decoded.length());
  result.position = decoded.byteOffset(result.position);
  return result;
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
  return readDecoded(text, length, [&unit](const wchar_t* wide, std::size_t n) {
    return readExact(unit, wide, n);
  });
}

ReadResult readExact(const KovUnitTransform& unit, const wchar_t* text, std::size_t length,
                     AngleStyle style, const AngleConvention& convention) noexcept {
  if (text == nullptr) length = 0;
  const exact::Field field = exact::fieldOf(unit);
  if (field.quantity != Quantity::angle) return readExact(unit, text, length);
  const exact::PlainText plain(text != nullptr ? text : L"", length);
  if (!plain.ok()) return outOfMemory();
  return exact::readDirection(plain.data(), plain.length(), field, style, convention);
}

ReadResult readExact(const KovUnitTransform& unit, const KovString& text, AngleStyle style,
                     const AngleConvention& convention) noexcept {
  return readExact(unit, text.getStringW(), static_cast<std::size_t>(text.length()), style,
                   convention);
}

ReadResult readExactUtf8(const KovUnitTransform& unit, const char* text, std::size_t length,
                         AngleStyle style, const AngleConvention& convention) noexcept {
  return readDecoded(text, length, [&](const wchar_t* wide, std::size_t n) {
    return readExact(unit, wide, n, style, convention);
  });
}

}  // namespace pelunits
