// The C interface: every entry point catches what the C++ layer may throw (only
// std::bad_alloc from the texts) and answers with a status or its neutral answer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "PelUnitsFormat.h"
#include "PelUnitsLocale.h"
#include "PelUnitsRead.h"
#include "PelUnitsVersion.h"
#include "Utf8.h"
#include "capi/CText.h"
#include "pelunits.h"
#include "units/core/KovUnitBase.h"

struct pelunits_unit {
  KovUnitTransform* unit;
  pelunits::ParseOperation parse;
  std::int32_t systemUnits;
  std::int32_t representation;
};

namespace {

using pelunits::capi::TextOut;

constexpr unsigned kDisplayFlags = PELUNITS_TRIM_TRAILING_ZEROS | PELUNITS_TRIM_LEADING_ZERO |
                                   PELUNITS_HIDE_ZERO_FEET | PELUNITS_HIDE_ZERO_INCHES |
                                   PELUNITS_WITH_UNITS;
constexpr unsigned kArchFlags = (kDisplayFlags & ~PELUNITS_WITH_UNITS) | PELUNITS_ARCH_INCH_MARK |
                                PELUNITS_ARCH_STACKED | PELUNITS_ARCH_DASH_AFTER_FEET |
                                PELUNITS_ARCH_EXTRA;

int flag(unsigned flags, unsigned bit) { return (flags & bit) != 0 ? 1 : 0; }

// Wraps a unit object in a handle; releases the object when no handle can be had.
pelunits_unit* wrap(KovUnitTransform* unit, std::int32_t systemUnits, std::int32_t representation) {
  if (unit == nullptr) return nullptr;
  auto* handle = new (std::nothrow) pelunits_unit{
      unit, pelunits::parseOperationFor(systemUnits, *unit), systemUnits, representation};
  if (handle == nullptr) KovUnitsTransformArray::removeUnit(unit);
  return handle;
}

// The separator as the displays take it. They only tell a blank from anything else,
// so a code point that a 16-bit wchar_t cannot hold passes as U+FFFD.
bool separatorChar(std::uint32_t separator, wchar_t& out) {
  if (separator > 0x10FFFF || (separator >= 0xD800 && separator <= 0xDFFF)) return false;
  if (sizeof(wchar_t) < 4 && separator > 0xFFFF) separator = 0xFFFD;
  out = static_cast<wchar_t>(separator);
  return true;
}

template <class Char>
TextOut writeText(const KovString& text, Char* buffer, std::size_t size, std::size_t& length) {
  if constexpr (sizeof(Char) == 1) {
    return pelunits::capi::writeUtf8(text, buffer, size, length);
  } else {
    return pelunits::capi::writeUtf16(text, buffer, size, length);
  }
}

template <class Char>
pelunits_status finishText(const KovString& text, Char* buffer, std::size_t size,
                           std::size_t* length) {
  std::size_t needed = 0;
  const TextOut out = writeText(text, buffer, size, needed);
  *length = needed;
  return out == TextOut::fits ? PELUNITS_OK : PELUNITS_BUFFER_TOO_SMALL;
}

// Runs `body` and turns what escapes it into a status.
template <class Body>
pelunits_status guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return PELUNITS_NO_MEMORY;
  } catch (...) {
    return PELUNITS_INTERNAL_ERROR;
  }
}

template <class Char>
bool bufferArgumentsValid(const pelunits_unit* unit, Char* buffer, std::size_t size,
                          std::size_t* length) {
  return unit != nullptr && length != nullptr && (buffer != nullptr || size == 0);
}

// The text of pelunits_display, flags and separator checked.
KovString displayText(const pelunits_unit& unit, double value, unsigned flags, wchar_t separator) {
  const KovUnitTransform& u = *unit.unit;
  const int trim = flag(flags, PELUNITS_TRIM_TRAILING_ZEROS);
  if ((flags & PELUNITS_WITH_UNITS) != 0) return u.getDisplayStringWithUnits(value, trim);
  return u.getDisplayString(value, trim, flag(flags, PELUNITS_TRIM_LEADING_ZERO),
                            flag(flags, PELUNITS_HIDE_ZERO_FEET),
                            flag(flags, PELUNITS_HIDE_ZERO_INCHES), separator);
}

template <class Char>
pelunits_status display(const pelunits_unit* unit, double value, unsigned flags,
                        std::uint32_t separator, Char* buffer, std::size_t size,
                        std::size_t* length) noexcept {
  wchar_t sep = L' ';
  if (!bufferArgumentsValid(unit, buffer, size, length) || (flags & ~kDisplayFlags) != 0 ||
      !separatorChar(separator, sep)) {
    return PELUNITS_BAD_ARGUMENT;
  }
  return guarded(
      [&] { return finishText(displayText(*unit, value, flags, sep), buffer, size, length); });
}

template <class Char>
pelunits_status displayArch(const pelunits_unit* unit, double value, unsigned flags,
                            std::int32_t representation, std::int32_t lineArrangement,
                            double fractionParameter, std::uint32_t separator, Char* buffer,
                            std::size_t size, std::size_t* length) noexcept {
  wchar_t sep = L' ';
  if (!bufferArgumentsValid(unit, buffer, size, length) || (flags & ~kArchFlags) != 0 ||
      !separatorChar(separator, sep)) {
    return PELUNITS_BAD_ARGUMENT;
  }
  return guarded([&] {
    const KovString text = unit->unit->getDisplayStringArch(
        value, flag(flags, PELUNITS_TRIM_TRAILING_ZEROS),
        static_cast<KovUnitTransform::eFractionRepresentation>(representation),
        static_cast<KovUnitTransform::eFractionLineArrangement>(lineArrangement), fractionParameter,
        (flags & PELUNITS_ARCH_INCH_MARK) != 0, (flags & PELUNITS_ARCH_STACKED) != 0,
        (flags & PELUNITS_ARCH_DASH_AFTER_FEET) != 0, (flags & PELUNITS_ARCH_EXTRA) != 0,
        flag(flags, PELUNITS_TRIM_LEADING_ZERO), flag(flags, PELUNITS_HIDE_ZERO_FEET),
        flag(flags, PELUNITS_HIDE_ZERO_INCHES), sep);
    return finishText(text, buffer, size, length);
  });
}

pelunits_status statusOf(pelunits::ReadStatus status) {
  switch (status) {
    case pelunits::ReadStatus::complete:
      return PELUNITS_OK;
    case pelunits::ReadStatus::incomplete:
      return PELUNITS_INCOMPLETE;
    case pelunits::ReadStatus::invalid:
      break;
  }
  return PELUNITS_INVALID;
}

// Writes the outputs of a read that did not reach the exact reader.
pelunits_status refuseRead(pelunits_status status, std::size_t offset, double* value,
                           std::size_t* errorOffset, const char** message) {
  if (value != nullptr) *value = 0.0;
  if (errorOffset != nullptr) *errorOffset = offset;
  if (message != nullptr) *message = pelunits_status_message(status);
  return status;
}

pelunits_status reportRead(const pelunits::ReadResult& result, std::size_t offset, double* value,
                           std::size_t* errorOffset, const char** message) {
  const pelunits_status status = statusOf(result.status);
  if (value != nullptr) *value = status == PELUNITS_OK ? result.value : 0.0;
  if (errorOffset != nullptr) *errorOffset = status == PELUNITS_OK ? 0 : offset;
  if (message != nullptr) {
    *message = status == PELUNITS_OK || result.message == nullptr ? "" : result.message;
  }
  return status;
}

// The typed text of a unit's own reader and validator; false for malformed text.
bool typedText(const char* utf8, std::size_t length, KovString& text) {
  std::size_t bad = 0;
  return pelunits::capi::utf8ToKov(utf8, length, text, bad);
}

bool typedText(const std::uint16_t* utf16, std::size_t length, KovString& text) {
  std::size_t bad = 0;
  return pelunits::capi::utf16ToKov(utf16, length, text, bad);
}

std::size_t lengthOf(const char* utf8) { return std::strlen(utf8); }
std::size_t lengthOf(const std::uint16_t* utf16) { return pelunits::capi::utf16Length(utf16); }

template <class Char>
bool typedText(const Char* input, KovString& text) {
  return typedText(input, lengthOf(input), text);
}

template <class Char>
double readAsTyped(const pelunits_unit* unit, const Char* input, std::size_t length) noexcept {
  if (unit == nullptr || (input == nullptr && length != 0)) return 0.0;
  try {
    KovString text;
    if (length != 0 && !typedText(input, length, text)) return 0.0;
    return pelunits::parseWith(unit->parse, *unit->unit, text);
  } catch (...) {
    return 0.0;
  }
}

template <class Char>
int isValid(const pelunits_unit* unit, const Char* input, std::size_t length) noexcept {
  if (unit == nullptr || (input == nullptr && length != 0)) return 0;
  try {
    KovString text;
    if (length != 0 && !typedText(input, length, text)) return 0;
    return unit->unit->isValidString(text) != 0 ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

constexpr unsigned kFormatFlags = PELUNITS_TRIM_TRAILING_ZEROS | PELUNITS_HIDE_ZERO_FEET |
                                  PELUNITS_HIDE_ZERO_INCHES | PELUNITS_WITH_UNITS |
                                  PELUNITS_FORMAT_PLUS_SIGN | PELUNITS_FORMAT_TYPOGRAPHIC |
                                  PELUNITS_FORMAT_INEXACT_MARKER;

// The record's first version ends before the angle fields.
constexpr std::size_t kFirstFormatOptionsSize = offsetof(pelunits_format_options, angle_style);

// The angle style and convention of C values; false for values this library does not know.
bool angleReadingOf(std::int32_t style, std::int32_t zero, std::int32_t sense,
                    pelunits::AngleStyle& angleStyle, pelunits::AngleConvention& convention) {
  if (style < PELUNITS_ANGLE_PLAIN || style > PELUNITS_ANGLE_AZIMUTH || zero < PELUNITS_ZERO_EAST ||
      zero > PELUNITS_ZERO_SOUTH ||
      (sense != PELUNITS_COUNTERCLOCKWISE && sense != PELUNITS_CLOCKWISE)) {
    return false;
  }
  angleStyle = static_cast<pelunits::AngleStyle>(style);
  convention.zero = static_cast<pelunits::AngleZero>(zero);
  convention.sense = static_cast<pelunits::AngleSense>(sense);
  return true;
}

// The C++ options of a record, checked; `increment` holds the text that
// options.increment points into. `batchFlags` are the flags a batch call takes beside the
// options' own.
bool formatOptionsOf(const pelunits_format_options& record, pelunits::FormatOptions& options,
                     KovString& increment, unsigned batchFlags = 0) {
  const bool first = record.struct_size == kFirstFormatOptionsSize;
  if ((!first && record.struct_size != sizeof(pelunits_format_options)) ||
      (!first && !angleReadingOf(record.angle_style, record.angle_zero, record.angle_sense,
                                 options.angleStyle, options.angleConvention)) ||
      (record.flags & ~(kFormatFlags | batchFlags)) != 0 ||
      record.rounding < PELUNITS_ROUND_NEAREST || record.rounding > PELUNITS_ROUND_DOWN ||
      !separatorChar(record.separator, options.separator)) {
    return false;
  }
  if (record.increment != nullptr) {
    if (!typedText(record.increment, increment)) return false;
    options.increment = increment.getStringW();
  }
  options.incrementValue = record.increment_value;
  options.rounding = static_cast<pelunits::Rounding>(record.rounding);
  options.significantDigits = record.significant_digits;
  const unsigned flags = record.flags;
  options.plusSign = (flags & PELUNITS_FORMAT_PLUS_SIGN) != 0;
  options.typographic = (flags & PELUNITS_FORMAT_TYPOGRAPHIC) != 0;
  options.inexactMarker = (flags & PELUNITS_FORMAT_INEXACT_MARKER) != 0;
  options.trimTrailingZeros = (flags & PELUNITS_TRIM_TRAILING_ZEROS) != 0;
  options.hideZeroFeet = (flags & PELUNITS_HIDE_ZERO_FEET) != 0;
  options.hideZeroInches = (flags & PELUNITS_HIDE_ZERO_INCHES) != 0;
  options.withSymbol = (flags & PELUNITS_WITH_UNITS) != 0;
  return true;
}

template <class Char>
pelunits_status formatValue(const pelunits_unit* unit, double value,
                            const pelunits_format_options* record, Char* buffer, std::size_t size,
                            std::size_t* length) noexcept {
  if (!bufferArgumentsValid(unit, buffer, size, length)) return PELUNITS_BAD_ARGUMENT;
  return guarded([&]() -> pelunits_status {
    pelunits_format_options defaults;
    pelunits_format_options_init(&defaults);
    pelunits::FormatOptions options;
    KovString increment;
    if (!formatOptionsOf(record != nullptr ? *record : defaults, options, increment)) {
      return PELUNITS_BAD_ARGUMENT;
    }
    return finishText(pelunits::format(*unit->unit, value, options), buffer, size, length);
  });
}

template <class Char>
pelunits_status setSymbol(pelunits_unit* unit, const Char* input) noexcept {
  if (unit == nullptr || input == nullptr) return PELUNITS_BAD_ARGUMENT;
  return guarded([&] {
    KovString text;
    if (!typedText(input, text)) return PELUNITS_BAD_ARGUMENT;
    unit->unit->setSymbol(text);
    return PELUNITS_OK;
  });
}

template <class Char>
pelunits_status getSymbol(const pelunits_unit* unit, Char* buffer, std::size_t size,
                          std::size_t* length) noexcept {
  if (!bufferArgumentsValid(unit, buffer, size, length)) return PELUNITS_BAD_ARGUMENT;
  return guarded([&] { return finishText(unit->unit->getSymbol(), buffer, size, length); });
}

const pelunits::NamedUnit* namedUnit(std::size_t index) {
  std::size_t count = 0;
  const pelunits::NamedUnit* units = pelunits::namedUnits(count);
  return index < count ? &units[index] : nullptr;
}

// The exact reader on one text that is there (`length` units from `text`).
// UTF-8 text checked, then read by `read`.
template <class Read>
pelunits_status readCheckedUtf8(const char* utf8, std::size_t length, double* value,
                                std::size_t* errorOffset, const char** message,
                                const Read& read) noexcept {
  // Checked here, so that malformed text is a bad argument whatever the reader makes of it.
  const std::string_view text(utf8, length);
  for (std::size_t pos = 0; pos < length;) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80u) {
      ++pos;
      continue;
    }
    char32_t codePoint = 0;
    const std::size_t step = pelunits::decodeUtf8(text, pos, codePoint);
    if (step == 0) return refuseRead(PELUNITS_BAD_ARGUMENT, pos, value, errorOffset, message);
    pos += step;
  }
  const pelunits::ReadResult result = read(utf8, length);
  return reportRead(result, result.position, value, errorOffset, message);
}

pelunits_status readText(const pelunits_unit& unit, const char* utf8, std::size_t length,
                         double* value, std::size_t* errorOffset, const char** message) noexcept {
  return readCheckedUtf8(utf8, length, value, errorOffset, message,
                         [&unit](const char* text, std::size_t n) {
                           return pelunits::readExactUtf8(*unit.unit, text, n);
                         });
}

// UTF-16 text checked, then read by `read` as wide text.
template <class Read>
pelunits_status readCheckedUtf16(const std::uint16_t* utf16, std::size_t length, double* value,
                                 std::size_t* errorOffset, const char** message,
                                 const Read& read) noexcept {
  try {
    KovString text;
    std::size_t bad = 0;
    if (length != 0 && !pelunits::capi::utf16ToKov(utf16, length, text, bad)) {
      return refuseRead(PELUNITS_BAD_ARGUMENT, bad, value, errorOffset, message);
    }
    const pelunits::ReadResult result = read(text);
    const std::size_t offset = pelunits::capi::utf16Units(text.getStringW(), result.position);
    return reportRead(result, offset, value, errorOffset, message);
  } catch (const std::bad_alloc&) {
    return refuseRead(PELUNITS_NO_MEMORY, 0, value, errorOffset, message);
  } catch (...) {
    return refuseRead(PELUNITS_INTERNAL_ERROR, 0, value, errorOffset, message);
  }
}

pelunits_status readText(const pelunits_unit& unit, const std::uint16_t* utf16, std::size_t length,
                         double* value, std::size_t* errorOffset, const char** message) noexcept {
  return readCheckedUtf16(
      utf16, length, value, errorOffset, message,
      [&unit](const KovString& text) { return pelunits::readExact(*unit.unit, text); });
}

template <class Char>
const Char* emptyText() {
  static const Char empty[1] = {0};
  return empty;
}

// A count of texts whose count + 1 offsets can be addressed.
bool countFits(std::size_t count) {
  return count < std::numeric_limits<std::size_t>::max() / sizeof(std::int32_t);
}

// Appends one display text to a packed column at `end`. Once the buffer has proved too
// small, the texts are only measured, so that `end` ends as the room the column needs.
template <class Char>
bool appendPacked(const KovString& text, Char* buffer, std::size_t size, std::size_t& end,
                  bool fits) {
  std::size_t written = 0;
  if (!fits) {
    writeText(text, static_cast<Char*>(nullptr), 0, written);
  } else if (writeText(text, buffer + end, size - end, written) == TextOut::tooSmall) {
    // No room for the NUL that the single display writes; the packed text needs none.
    fits = size - end >= written;
    if (fits) {
      pelunits::capi::encodeAll(text.getStringW(), static_cast<std::size_t>(text.length()),
                                buffer + end);
    }
  }
  end += written;
  return fits;
}

// The texts of `count` values, packed; `textOf(value)` gives each.
template <class Char, class TextOf>
pelunits_status packMany(const double* values, std::size_t count, bool nulAfterEach, Char* buffer,
                         std::size_t size, std::int32_t* offsets, std::size_t* length,
                         TextOf&& textOf) {
  constexpr auto kMostOffset = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  std::size_t end = 0;
  bool fits = true;
  offsets[0] = 0;
  for (std::size_t i = 0; i < count; ++i) {
    fits = appendPacked(textOf(values[i]), buffer, size, end, fits);
    if (nulAfterEach) {
      fits = fits && end < size;
      if (fits) buffer[end] = 0;
      ++end;
    }
    if (end > kMostOffset) return PELUNITS_BAD_ARGUMENT;
    offsets[i + 1] = static_cast<std::int32_t>(end);
  }
  *length = end;
  return fits ? PELUNITS_OK : PELUNITS_BUFFER_TOO_SMALL;
}

template <class Char>
bool batchArgumentsValid(const pelunits_unit* unit, const double* values, std::size_t count,
                         Char* buffer, std::size_t size, std::int32_t* offsets,
                         std::size_t* length) {
  return bufferArgumentsValid(unit, buffer, size, length) && offsets != nullptr &&
         (values != nullptr || count == 0) && countFits(count);
}

template <class Char>
pelunits_status displayMany(const pelunits_unit* unit, const double* values, std::size_t count,
                            unsigned flags, std::uint32_t separator, Char* buffer, std::size_t size,
                            std::int32_t* offsets, std::size_t* length) noexcept {
  wchar_t sep = L' ';
  if (!batchArgumentsValid(unit, values, count, buffer, size, offsets, length) ||
      (flags & ~(kDisplayFlags | PELUNITS_NUL_AFTER_EACH)) != 0 || !separatorChar(separator, sep)) {
    return PELUNITS_BAD_ARGUMENT;
  }
  return guarded([&] {
    const bool nulAfterEach = (flags & PELUNITS_NUL_AFTER_EACH) != 0;
    const unsigned displayFlags = flags & ~PELUNITS_NUL_AFTER_EACH;
    return packMany(values, count, nulAfterEach, buffer, size, offsets, length,
                    [&](double value) { return displayText(*unit, value, displayFlags, sep); });
  });
}

template <class Char>
pelunits_status formatMany(const pelunits_unit* unit, const double* values, std::size_t count,
                           const pelunits_format_options* record, Char* buffer, std::size_t size,
                           std::int32_t* offsets, std::size_t* length) noexcept {
  if (!batchArgumentsValid(unit, values, count, buffer, size, offsets, length)) {
    return PELUNITS_BAD_ARGUMENT;
  }
  return guarded([&]() -> pelunits_status {
    pelunits_format_options defaults;
    pelunits_format_options_init(&defaults);
    const pelunits_format_options& given = record != nullptr ? *record : defaults;
    pelunits::FormatOptions options;
    KovString increment;
    if (!formatOptionsOf(given, options, increment, PELUNITS_NUL_AFTER_EACH)) {
      return PELUNITS_BAD_ARGUMENT;
    }
    const bool nulAfterEach = (given.flags & PELUNITS_NUL_AFTER_EACH) != 0;
    return packMany(values, count, nulAfterEach, buffer, size, offsets, length,
                    [&](double value) { return pelunits::format(*unit->unit, value, options); });
  });
}

template <class Char>
pelunits_status readMany(const pelunits_unit* unit, const Char* buffer, const std::int32_t* offsets,
                         std::size_t count, double* values, pelunits_status* statuses,
                         std::size_t* positions) noexcept {
  if (unit == nullptr || offsets == nullptr || (values == nullptr && count != 0) ||
      !countFits(count) || offsets[0] < 0) {
    return PELUNITS_BAD_ARGUMENT;
  }
  // Every offset is checked before any text is read, so that bad offsets read nothing.
  for (std::size_t i = 0; i < count; ++i) {
    if (offsets[i + 1] < offsets[i]) return PELUNITS_BAD_ARGUMENT;
  }
  if (buffer == nullptr && offsets[count] != offsets[0]) return PELUNITS_BAD_ARGUMENT;
  pelunits_status first = PELUNITS_OK;
  for (std::size_t i = 0; i < count; ++i) {
    const auto start = static_cast<std::size_t>(offsets[i]);
    const auto textLength = static_cast<std::size_t>(offsets[i + 1] - offsets[i]);
    std::size_t position = 0;
    const Char* text = buffer != nullptr ? buffer + start : emptyText<Char>();
    const pelunits_status status =
        readText(*unit, text, textLength, &values[i], &position, nullptr);
    if (statuses != nullptr) statuses[i] = status;
    if (positions != nullptr) positions[i] = position;
    if (first == PELUNITS_OK) first = status;
  }
  return first;
}

// A setting of the unit behind a handle; a null handle is a bad argument.
template <class Value>
pelunits_status setOf(pelunits_unit* unit, void (KovUnitTransform::*set)(Value), Value value) {
  if (unit == nullptr) return PELUNITS_BAD_ARGUMENT;
  (unit->unit->*set)(value);
  return PELUNITS_OK;
}

// A setting read back, or `none` for a null handle.
template <class Value>
Value getOf(const pelunits_unit* unit, Value (KovUnitTransform::*get)() const, Value none) {
  return unit != nullptr ? (unit->unit->*get)() : none;
}

// A yes-or-no of the unit as 1 or 0; 0 for a null handle.
int whetherOf(const pelunits_unit* unit, int (KovUnitTransform::*ask)() const) {
  return getOf(unit, ask, 0) != 0 ? 1 : 0;
}

}  // namespace

extern "C" {

const char* pelunits_version(void) { return PELUNITS_VERSION_STRING; }

void pelunits_set_locale(const char* name) { pelunits::setRegionalLocale(name); }

int pelunits_locale_available(void) { return pelunits::regionalLocaleAvailable() ? 1 : 0; }

pelunits_status pelunits_set_number_format(const pelunits_number_format* format) {
  if (format == nullptr) {
    pelunits::clearRegionalFormat();
    return PELUNITS_OK;
  }
  // The first version of the record is the only one so far.
  if (format->struct_size != sizeof(pelunits_number_format)) return PELUNITS_BAD_ARGUMENT;
  if (format->decimal_separator == nullptr || format->group_separator == nullptr ||
      format->grouping > 9 || (format->leading_zero != 0 && format->leading_zero != 1)) {
    return PELUNITS_BAD_ARGUMENT;
  }
  return guarded([&] {
    pelunits::RegionalFormat regional;
    regional.decimalSeparator = format->decimal_separator;
    regional.groupSeparator = format->group_separator;
    regional.grouping = static_cast<int>(format->grouping);
    regional.negativeForm = format->negative_form;
    regional.leadingZero = format->leading_zero == 1;
    if (!pelunits::isValidRegionalFormat(regional)) return PELUNITS_BAD_ARGUMENT;
    return pelunits::setRegionalFormat(regional) ? PELUNITS_OK : PELUNITS_NO_MEMORY;
  });
}

const char* pelunits_status_message(pelunits_status status) {
  switch (status) {
    case PELUNITS_OK:
      return "ok";
    case PELUNITS_INCOMPLETE:
      return "incomplete text";
    case PELUNITS_INVALID:
      return "invalid text";
    case PELUNITS_BUFFER_TOO_SMALL:
      return "buffer too small";
    case PELUNITS_BAD_ARGUMENT:
      return "bad argument";
    case PELUNITS_NO_MEMORY:
      return "no memory left";
    case PELUNITS_INTERNAL_ERROR:
      return "internal error";
  }
  return "unknown status";
}

pelunits_unit* pelunits_unit_new(std::int32_t system_units, std::int32_t representation) {
  auto chosen = static_cast<KovUnitTransform::eSystemRepresentation>(representation);
  KovUnitTransform* unit = KovUnitsTransformArray::getNewUnit(
      static_cast<KovUnitTransform::eSystemUnits>(system_units), chosen);
  return wrap(unit, system_units, chosen);
}

pelunits_unit* pelunits_unit_from_name(const char* name) {
  if (name == nullptr) return nullptr;
  const pelunits::NamedUnit* named = pelunits::findNamedUnit(name);
  if (named == nullptr) return nullptr;
  int chosen = named->representation;
  KovUnitTransform* unit = pelunits::newNamedUnit(*named, &chosen);
  return wrap(unit, named->systemUnits, chosen);
}

pelunits_unit* pelunits_unit_clone(const pelunits_unit* unit) {
  if (unit == nullptr) return nullptr;
  return wrap(unit->unit->clone(), unit->systemUnits, unit->representation);
}

void pelunits_unit_free(pelunits_unit* unit) {
  if (unit == nullptr) return;
  KovUnitsTransformArray::removeUnit(unit->unit);
  delete unit;
}

size_t pelunits_named_unit_count(void) {
  std::size_t count = 0;
  pelunits::namedUnits(count);
  return count;
}

const char* pelunits_named_unit_name(size_t index) {
  const pelunits::NamedUnit* named = namedUnit(index);
  return named != nullptr ? named->name : nullptr;
}

const char* pelunits_named_unit_description(size_t index) {
  const pelunits::NamedUnit* named = namedUnit(index);
  return named != nullptr ? named->shows : nullptr;
}

std::int32_t pelunits_unit_system_units(const pelunits_unit* unit) {
  return unit != nullptr ? unit->systemUnits : 0;
}

std::int32_t pelunits_unit_representation(const pelunits_unit* unit) {
  return unit != nullptr ? unit->representation : 0;
}

int pelunits_unit_quantity(const pelunits_unit* unit) {
  return unit != nullptr ? static_cast<int>(pelunits::quantityOf(*unit->unit)) : -1;
}

pelunits_status pelunits_unit_set_precision(pelunits_unit* unit, int precision) {
  return setOf(unit, &KovUnitTransform::setPrecision, precision);
}

int pelunits_unit_get_precision(const pelunits_unit* unit) {
  return getOf(unit, &KovUnitTransform::getPrecision, 0);
}

pelunits_status pelunits_unit_set_factor(pelunits_unit* unit, double factor) {
  return setOf(unit, &KovUnitTransform::setFactor, factor);
}

double pelunits_unit_get_factor(const pelunits_unit* unit) {
  return getOf(unit, &KovUnitTransform::getFactor, 0.0);
}

pelunits_status pelunits_unit_set_power(pelunits_unit* unit, int power) {
  return setOf(unit, &KovUnitTransform::setPower, power);
}

int pelunits_unit_get_power(const pelunits_unit* unit) {
  return getOf(unit, &KovUnitTransform::getPower, 0);
}

pelunits_status pelunits_unit_set_regional(pelunits_unit* unit, int regional) {
  return setOf(unit, &KovUnitTransform::setUseRegionalSettings, regional);
}

int pelunits_unit_get_regional(const pelunits_unit* unit) {
  return getOf(unit, &KovUnitTransform::getUseRegionalSettings, 0);
}

int pelunits_unit_increment_precision(pelunits_unit* unit) {
  return unit != nullptr && unit->unit->incrementPrecision() != 0 ? 1 : 0;
}

int pelunits_unit_get_no_decimals(const pelunits_unit* unit) {
  if (unit == nullptr) return 0;
  const auto* base = dynamic_cast<const KovUnitBase*>(unit->unit);
  return base != nullptr && base->getNoDecimals() != 0 ? 1 : 0;
}

int pelunits_unit_is_metric(const pelunits_unit* unit) {
  return whetherOf(unit, &KovUnitTransform::isMetric);
}

int pelunits_unit_is_fractional(const pelunits_unit* unit) {
  return whetherOf(unit, &KovUnitTransform::isFractional);
}

int pelunits_unit_is_angle(const pelunits_unit* unit) {
  return whetherOf(unit, &KovUnitTransform::isAngle);
}

pelunits_status pelunits_unit_set_symbol(pelunits_unit* unit, const char* utf8) {
  return setSymbol(unit, utf8);
}

pelunits_status pelunits_unit_set_symbol_utf16(pelunits_unit* unit, const std::uint16_t* utf16) {
  return setSymbol(unit, utf16);
}

pelunits_status pelunits_unit_get_symbol(const pelunits_unit* unit, char* buffer, size_t size,
                                         size_t* length) {
  return getSymbol(unit, buffer, size, length);
}

pelunits_status pelunits_unit_get_symbol_utf16(const pelunits_unit* unit, std::uint16_t* buffer,
                                               size_t size, size_t* length) {
  return getSymbol(unit, buffer, size, length);
}

pelunits_status pelunits_display(const pelunits_unit* unit, double value, unsigned flags,
                                 std::uint32_t separator, char* buffer, size_t size,
                                 size_t* length) {
  return display(unit, value, flags, separator, buffer, size, length);
}

pelunits_status pelunits_display_utf16(const pelunits_unit* unit, double value, unsigned flags,
                                       std::uint32_t separator, std::uint16_t* buffer, size_t size,
                                       size_t* length) {
  return display(unit, value, flags, separator, buffer, size, length);
}

pelunits_status pelunits_display_arch(const pelunits_unit* unit, double value, unsigned flags,
                                      std::int32_t representation, std::int32_t line_arrangement,
                                      double fraction_parameter, std::uint32_t separator,
                                      char* buffer, size_t size, size_t* length) {
  return displayArch(unit, value, flags, representation, line_arrangement, fraction_parameter,
                     separator, buffer, size, length);
}

pelunits_status pelunits_display_arch_utf16(const pelunits_unit* unit, double value, unsigned flags,
                                            std::int32_t representation,
                                            std::int32_t line_arrangement,
                                            double fraction_parameter, std::uint32_t separator,
                                            std::uint16_t* buffer, size_t size, size_t* length) {
  return displayArch(unit, value, flags, representation, line_arrangement, fraction_parameter,
                     separator, buffer, size, length);
}

// The name in parentheses: the header's macro of the same name would expand here.
void(pelunits_format_options_init)(pelunits_format_options* options) {
  pelunits_format_options_init_size(options, kFirstFormatOptionsSize);
}

void pelunits_format_options_init_size(pelunits_format_options* options, size_t size) {
  if (options == nullptr || size < kFirstFormatOptionsSize) return;
  pelunits_format_options defaults{};
  defaults.struct_size = std::min(size, sizeof defaults);
  defaults.rounding = PELUNITS_ROUND_NEAREST;
  defaults.flags = PELUNITS_HIDE_ZERO_FEET;
  defaults.separator = ' ';
  defaults.angle_style = PELUNITS_ANGLE_PLAIN;
  defaults.angle_zero = PELUNITS_ZERO_EAST;
  defaults.angle_sense = PELUNITS_COUNTERCLOCKWISE;
  // The caller's record may be shorter than this version's: no byte past `size` is
  // written, and it is written as bytes.
  std::memcpy(options, &defaults, defaults.struct_size);
}

pelunits_status pelunits_format(const pelunits_unit* unit, double value,
                                const pelunits_format_options* options, char* buffer, size_t size,
                                size_t* length) {
  return formatValue(unit, value, options, buffer, size, length);
}

pelunits_status pelunits_format_utf16(const pelunits_unit* unit, double value,
                                      const pelunits_format_options* options, std::uint16_t* buffer,
                                      size_t size, size_t* length) {
  return formatValue(unit, value, options, buffer, size, length);
}

pelunits_status pelunits_read_ex(const pelunits_unit* unit, const char* utf8, size_t length,
                                 double* value, size_t* error_offset, const char** message) {
  if (unit == nullptr || (utf8 == nullptr && length != 0)) {
    return refuseRead(PELUNITS_BAD_ARGUMENT, 0, value, error_offset, message);
  }
  return readText(*unit, utf8 != nullptr ? utf8 : "", length, value, error_offset, message);
}

pelunits_status pelunits_read_angle(const pelunits_unit* unit, const char* utf8, size_t length,
                                    std::int32_t angle_style, std::int32_t angle_zero,
                                    std::int32_t angle_sense, double* value, size_t* error_offset,
                                    const char** message) {
  pelunits::AngleStyle style = pelunits::AngleStyle::plain;
  pelunits::AngleConvention convention;
  if (unit == nullptr || (utf8 == nullptr && length != 0) ||
      !angleReadingOf(angle_style, angle_zero, angle_sense, style, convention)) {
    return refuseRead(PELUNITS_BAD_ARGUMENT, 0, value, error_offset, message);
  }
  return readCheckedUtf8(utf8 != nullptr ? utf8 : "", length, value, error_offset, message,
                         [&](const char* text, std::size_t n) {
                           return pelunits::readExactUtf8(*unit->unit, text, n, style, convention);
                         });
}

pelunits_status pelunits_read_angle_utf16(const pelunits_unit* unit, const std::uint16_t* utf16,
                                          size_t length, std::int32_t angle_style,
                                          std::int32_t angle_zero, std::int32_t angle_sense,
                                          double* value, size_t* error_offset,
                                          const char** message) {
  pelunits::AngleStyle style = pelunits::AngleStyle::plain;
  pelunits::AngleConvention convention;
  if (unit == nullptr || (utf16 == nullptr && length != 0) ||
      !angleReadingOf(angle_style, angle_zero, angle_sense, style, convention)) {
    return refuseRead(PELUNITS_BAD_ARGUMENT, 0, value, error_offset, message);
  }
  return readCheckedUtf16(utf16, length, value, error_offset, message, [&](const KovString& text) {
    return pelunits::readExact(*unit->unit, text, style, convention);
  });
}

pelunits_status pelunits_read_utf16_ex(const pelunits_unit* unit, const std::uint16_t* utf16,
                                       size_t length, double* value, size_t* error_offset,
                                       const char** message) {
  if (unit == nullptr || (utf16 == nullptr && length != 0)) {
    return refuseRead(PELUNITS_BAD_ARGUMENT, 0, value, error_offset, message);
  }
  return readText(*unit, utf16, length, value, error_offset, message);
}

pelunits_status pelunits_read(const pelunits_unit* unit, const char* utf8, double* value,
                              size_t* error_offset) {
  if (utf8 == nullptr) return refuseRead(PELUNITS_BAD_ARGUMENT, 0, value, error_offset, nullptr);
  return pelunits_read_ex(unit, utf8, std::strlen(utf8), value, error_offset, nullptr);
}

pelunits_status pelunits_read_utf16(const pelunits_unit* unit, const std::uint16_t* utf16,
                                    double* value, size_t* error_offset) {
  if (utf16 == nullptr) {
    return refuseRead(PELUNITS_BAD_ARGUMENT, 0, value, error_offset, nullptr);
  }
  return pelunits_read_utf16_ex(unit, utf16, pelunits::capi::utf16Length(utf16), value,
                                error_offset, nullptr);
}

double pelunits_read_as_typed(const pelunits_unit* unit, const char* utf8) {
  return utf8 != nullptr ? readAsTyped(unit, utf8, lengthOf(utf8)) : 0.0;
}

double pelunits_read_as_typed_utf16(const pelunits_unit* unit, const std::uint16_t* utf16) {
  return utf16 != nullptr ? readAsTyped(unit, utf16, lengthOf(utf16)) : 0.0;
}

double pelunits_read_as_typed_ex(const pelunits_unit* unit, const char* utf8, size_t length) {
  return readAsTyped(unit, utf8, length);
}

double pelunits_read_as_typed_utf16_ex(const pelunits_unit* unit, const std::uint16_t* utf16,
                                       size_t length) {
  return readAsTyped(unit, utf16, length);
}

int pelunits_is_valid(const pelunits_unit* unit, const char* utf8) {
  return utf8 != nullptr ? isValid(unit, utf8, lengthOf(utf8)) : 0;
}

int pelunits_is_valid_utf16(const pelunits_unit* unit, const std::uint16_t* utf16) {
  return utf16 != nullptr ? isValid(unit, utf16, lengthOf(utf16)) : 0;
}

int pelunits_is_valid_ex(const pelunits_unit* unit, const char* utf8, size_t length) {
  return isValid(unit, utf8, length);
}

int pelunits_is_valid_utf16_ex(const pelunits_unit* unit, const std::uint16_t* utf16,
                               size_t length) {
  return isValid(unit, utf16, length);
}

pelunits_status pelunits_display_many(const pelunits_unit* unit, const double* values, size_t count,
                                      unsigned flags, std::uint32_t separator, char* buffer,
                                      size_t size, std::int32_t* offsets, size_t* length) {
  return displayMany(unit, values, count, flags, separator, buffer, size, offsets, length);
}

pelunits_status pelunits_display_many_utf16(const pelunits_unit* unit, const double* values,
                                            size_t count, unsigned flags, std::uint32_t separator,
                                            std::uint16_t* buffer, size_t size,
                                            std::int32_t* offsets, size_t* length) {
  return displayMany(unit, values, count, flags, separator, buffer, size, offsets, length);
}

pelunits_status pelunits_format_many(const pelunits_unit* unit, const double* values, size_t count,
                                     const pelunits_format_options* options, char* buffer,
                                     size_t size, std::int32_t* offsets, size_t* length) {
  return formatMany(unit, values, count, options, buffer, size, offsets, length);
}

pelunits_status pelunits_format_many_utf16(const pelunits_unit* unit, const double* values,
                                           size_t count, const pelunits_format_options* options,
                                           std::uint16_t* buffer, size_t size,
                                           std::int32_t* offsets, size_t* length) {
  return formatMany(unit, values, count, options, buffer, size, offsets, length);
}

pelunits_status pelunits_read_many(const pelunits_unit* unit, const char* buffer,
                                   const std::int32_t* offsets, size_t count, double* values,
                                   pelunits_status* statuses, size_t* positions) {
  return readMany(unit, buffer, offsets, count, values, statuses, positions);
}

pelunits_status pelunits_read_many_utf16(const pelunits_unit* unit, const std::uint16_t* buffer,
                                         const std::int32_t* offsets, size_t count, double* values,
                                         pelunits_status* statuses, size_t* positions) {
  return readMany(unit, buffer, offsets, count, values, statuses, positions);
}

}  // extern "C"
