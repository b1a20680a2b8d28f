// Fuzzes the C interface on arbitrary bytes: every text entry point in UTF-8 and in
// UTF-16 (malformed sequences and lone surrogates included), every display with raw
// flags, separators, values and buffer sizes. Properties: every call returns a known
// status; malformed text and only malformed text is refused; the UTF-8 and UTF-16
// forms agree with each other and with the C++ unit; buffers are never overrun and
// texts come back well-formed; the batch calls answer as the single ones.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "Utf8.h"
#include "fuzz/FuzzInput.h"
#include "pelunits.h"

namespace {

void check(bool condition, const char* what) {
  pelunits::fuzz::requireProperty(condition, "C interface property", what);
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// An independent UTF-16 view of text: the code units, or false for a lone surrogate.
bool wellFormedUtf16(const std::vector<std::uint16_t>& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

std::vector<std::uint16_t> toUtf16(const std::wstring& wide) {
  std::vector<std::uint16_t> out;
  for (wchar_t c : wide) {
    const auto cp = static_cast<std::uint32_t>(c);
    if (cp >= 0x10000) {
      out.push_back(static_cast<std::uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<std::uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<std::uint16_t>(cp));
    }
  }
  return out;
}

bool isReadStatus(pelunits_status s) {
  return s == PELUNITS_OK || s == PELUNITS_INCOMPLETE || s == PELUNITS_INVALID;
}

void fuzzReading(pelunits_unit* unit, const std::string& bytes) {
  std::wstring wide;
  const bool wellFormed = pelunits::utf8ToWide(bytes, wide);

  double value = 0;
  std::size_t offset = 0;
  const char* message = nullptr;
  const pelunits_status status =
      pelunits_read_ex(unit, bytes.data(), bytes.size(), &value, &offset, &message);
  check(wellFormed ? isReadStatus(status) : status == PELUNITS_BAD_ARGUMENT,
        "exact reader status of UTF-8 text");
  check(offset <= bytes.size() && message != nullptr, "exact reader offset or message");
  check(status == PELUNITS_OK || value == 0.0, "a value for a text that did not read");

  const double typed = pelunits_read_as_typed_ex(unit, bytes.data(), bytes.size());
  const int valid = pelunits_is_valid_ex(unit, bytes.data(), bytes.size());
  check(valid == 0 || valid == 1, "validator answered neither 0 nor 1");
  if (!wellFormed) {
    check(typed == 0.0 && valid == 0, "malformed UTF-8 got an answer other than the neutral one");
    return;
  }

  // The UTF-16 form of the same text answers alike, offsets in code units.
  const std::vector<std::uint16_t> text16 = toUtf16(wide);
  double value16 = 0;
  std::size_t offset16 = 0;
  const pelunits_status status16 =
      pelunits_read_utf16_ex(unit, text16.data(), text16.size(), &value16, &offset16, nullptr);
  check(status16 == status && sameBits(value16, value), "UTF-16 reading differs from UTF-8");
  std::wstring prefix;
  check(pelunits::utf8ToWide(bytes.substr(0, offset), prefix), "offset inside a sequence");
  check(offset16 == toUtf16(prefix).size(), "UTF-16 offset differs from the UTF-8 one");
  check(sameBits(pelunits_read_as_typed_utf16_ex(unit, text16.data(), text16.size()), typed),
        "UTF-16 typed reading differs");
  check(pelunits_is_valid_utf16_ex(unit, text16.data(), text16.size()) == valid,
        "UTF-16 validation differs");
}

void fuzzRawUtf16(pelunits_unit* unit, const std::string& bytes) {
  std::vector<std::uint16_t> text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  std::size_t offset = 0;
  const pelunits_status status =
      pelunits_read_utf16_ex(unit, text.data(), text.size(), nullptr, &offset, nullptr);
  check(wellFormedUtf16(text) ? isReadStatus(status) : status == PELUNITS_BAD_ARGUMENT,
        "exact reader status of UTF-16 text");
  check(offset <= text.size(), "UTF-16 offset past the end");
  const int valid = pelunits_is_valid_utf16_ex(unit, text.data(), text.size());
  check(valid == 0 || valid == 1, "UTF-16 validator answered neither 0 nor 1");
}

void fuzzSymbol(pelunits_unit* unit, const std::string& bytes) {
  const std::string symbol = bytes.substr(0, bytes.find('\0'));
  std::wstring wide;
  const bool wellFormed = pelunits::utf8ToWide(symbol, wide);
  const pelunits_status status = pelunits_unit_set_symbol(unit, symbol.c_str());
  check(status == (wellFormed ? PELUNITS_OK : PELUNITS_BAD_ARGUMENT), "symbol status");
  if (!wellFormed) return;
  std::string back(symbol.size() + 1, '\0');
  std::size_t length = 0;
  check(pelunits_unit_get_symbol(unit, &back[0], back.size(), &length) == PELUNITS_OK &&
            back.compare(0, length, symbol) == 0 && length == symbol.size(),
        "symbol does not come back as given");
}

template <class Char, class Call>
std::vector<Char> displayInto(Call call, std::size_t size, pelunits_status& status) {
  // A guard after the buffer's end shows an overrun even without AddressSanitizer.
  std::vector<Char> buffer(size + 8, Char(0x5A));
  std::size_t length = 0;
  status = call(size == 0 ? nullptr : buffer.data(), size, &length);
  for (std::size_t i = size; i < buffer.size(); ++i) {
    check(buffer[i] == Char(0x5A), "display wrote past the buffer");
  }
  if (status == PELUNITS_BUFFER_TOO_SMALL) {
    check(length >= size, "too small although it fitted");
    for (std::size_t i = 0; i < size; ++i) check(buffer[i] == Char(0x5A), "wrote when too small");
    buffer.assign(length + 1, Char(0));
    status = call(buffer.data(), buffer.size(), &length);
    check(status == PELUNITS_OK, "the repeated call with the size asked for failed");
  }
  if (status != PELUNITS_OK) return {};
  check(buffer[length] == 0, "no terminating NUL");
  buffer.resize(length);
  return buffer;
}

void fuzzDisplay(pelunits_unit* unit, pelunits::fuzz::ByteReader& in) {
  const std::uint32_t flags = in.u32();
  const unsigned chosenFlags = (flags & 0x80000000u) != 0 ? flags : flags & 0x1FFu;
  const std::uint32_t rawSeparator = in.u32();
  const std::uint32_t separator = (rawSeparator & 0x80000000u) != 0 ? rawSeparator
                                  : (rawSeparator & 1u) != 0        ? ' '
                                                                    : rawSeparator & 0x1FFFFFu;
  const double value = in.rawDouble();
  const std::size_t size = in.byte() % 48;
  const bool arch = (flags & 0x40000000u) != 0;
  const std::int32_t representation = in.i32();
  const std::int32_t lineArrangement = in.i32();
  const double parameter = in.rawDouble();

  pelunits_status status8 = PELUNITS_OK;
  pelunits_status status16 = PELUNITS_OK;
  const std::vector<char> text8 = displayInto<char>(
      [&](char* b, std::size_t n, std::size_t* l) {
        return arch ? pelunits_display_arch(unit, value, chosenFlags, representation,
                                            lineArrangement, parameter, separator, b, n, l)
                    : pelunits_display(unit, value, chosenFlags, separator, b, n, l);
      },
      size, status8);
  const std::vector<std::uint16_t> text16 = displayInto<std::uint16_t>(
      [&](std::uint16_t* out, std::size_t n, std::size_t* l) {
        return arch ? pelunits_display_arch_utf16(unit, value, chosenFlags, representation,
                                                  lineArrangement, parameter, separator, out, n, l)
                    : pelunits_display_utf16(unit, value, chosenFlags, separator, out, n, l);
      },
      size, status16);
  check(status8 == status16, "UTF-8 and UTF-16 displays answered differently");
  check(status8 == PELUNITS_OK || status8 == PELUNITS_BAD_ARGUMENT, "display status");
  if (status8 != PELUNITS_OK) return;
  std::wstring wide;
  check(pelunits::utf8ToWide(std::string(text8.begin(), text8.end()), wide),
        "display is not well-formed UTF-8");
  check(toUtf16(wide) == text16, "UTF-16 display is not the UTF-8 one");
}

// The batch calls on a column of up to 8 items whose counts, offsets, flags and buffer
// sizes come from the bytes: they answer as the single calls do, refuse bad offsets
// before reading, and never write past the buffer they were given.
void fuzzBatch(pelunits_unit* unit, const std::string& bytes) {
  pelunits::fuzz::ByteReader in(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  const std::size_t count = in.byte() % 9;
  const unsigned flags = in.byte() & 0x3FFu;
  const std::size_t size = in.byte() % 96;
  std::vector<double> values(count);
  for (double& value : values) value = in.rawDouble();

  constexpr char kGuard = 0x5A;
  std::vector<char> buffer(size + 16, kGuard);
  std::vector<std::int32_t> offsets(count + 2, -7);
  std::size_t length = 0;
  const pelunits_status shown = pelunits_display_many(unit, values.data(), count, flags, ' ',
                                                      buffer.data(), size, offsets.data(), &length);
  check(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(size), buffer.end(),
                    [](char c) { return c == kGuard; }),
        "batch display wrote past its buffer");
  check(offsets[count + 1] == -7, "batch display wrote past its offsets");
  check(
      shown == PELUNITS_OK || shown == PELUNITS_BUFFER_TOO_SMALL || shown == PELUNITS_BAD_ARGUMENT,
      "batch display status");
  if (shown == PELUNITS_OK) {
    const bool nulAfterEach = (flags & PELUNITS_NUL_AFTER_EACH) != 0;
    for (std::size_t i = 0; i < count; ++i) {
      char single[512];
      std::size_t singleLength = 0;
      const pelunits_status one =
          pelunits_display(unit, values[i], flags & ~PELUNITS_NUL_AFTER_EACH, ' ', single,
                           sizeof single, &singleLength);
      const auto span = static_cast<std::size_t>(offsets[i + 1] - offsets[i]);
      check(one != PELUNITS_OK ||
                (span == singleLength + (nulAfterEach ? 1 : 0) &&
                 std::memcmp(buffer.data() + offsets[i], single, singleLength) == 0),
            "batch display differs from the single display");
    }
  }

  // Offsets from the bytes, some out of order or past the text: checked before use.
  const std::string_view text(bytes);
  std::vector<std::int32_t> readOffsets(count + 1);
  bool inOrder = true;
  for (std::size_t i = 0; i <= count; ++i) {
    const std::uint8_t raw = in.byte();
    readOffsets[i] = (raw & 0x80u) != 0 ? -static_cast<std::int32_t>(raw & 3u)
                                        : static_cast<std::int32_t>(raw % (text.size() + 1));
    inOrder = inOrder && readOffsets[i] >= 0 && (i == 0 || readOffsets[i] >= readOffsets[i - 1]);
  }
  std::vector<double> read(count, -1.0);
  std::vector<pelunits_status> statuses(count, -1);
  std::vector<std::size_t> positions(count, 99);
  const pelunits_status status = pelunits_read_many(unit, text.data(), readOffsets.data(), count,
                                                    read.data(), statuses.data(), positions.data());
  if (!inOrder) {
    check(status == PELUNITS_BAD_ARGUMENT && (count == 0 || (statuses[0] == -1 && read[0] == -1.0)),
          "bad offsets were not refused before reading");
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {
    double value = 0;
    std::size_t position = 0;
    const auto start = static_cast<std::size_t>(readOffsets[i]);
    const pelunits_status one = pelunits_read_ex(
        unit, text.data() + start, static_cast<std::size_t>(readOffsets[i + 1]) - start, &value,
        &position, nullptr);
    check(one == statuses[i] && sameBits(value, read[i]) && position == positions[i],
          "batch read differs from the single read");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pelunits::fuzz::ByteReader in(data, size);
  const pelunits::fuzz::UnitSetup setup = pelunits::fuzz::readUnitSetup(in);
  pelunits::fuzz::useLocale(setup.locale);
  pelunits_unit* unit = pelunits_unit_new(setup.systemUnits, setup.representation);
  if (unit == nullptr) return 0;
  if (setup.power != 0) pelunits_unit_set_power(unit, setup.power);
  if (setup.setFactor) pelunits_unit_set_factor(unit, setup.factor);
  if (setup.setPrecision) pelunits_unit_set_precision(unit, setup.precision);
  for (int i = 0; i < setup.increments; ++i) pelunits_unit_increment_precision(unit);
  pelunits_unit_set_regional(unit, setup.regional);

  fuzzDisplay(unit, in);
  const std::size_t start = in.position();
  std::string bytes;
  if (in.sizeFrom(start) > 0) {
    bytes.assign(reinterpret_cast<const char*>(in.from(start)), in.sizeFrom(start));
  }
  fuzzReading(unit, bytes);
  fuzzRawUtf16(unit, bytes);
  fuzzSymbol(unit, bytes);
  fuzzBatch(unit, bytes);

  // A clone displays alike, the symbol just set included.
  pelunits_unit* copy = pelunits_unit_clone(unit);
  if (copy != nullptr) {
    char a[128];
    char b[128];
    std::size_t la = 0;
    std::size_t lb = 0;
    const pelunits_status sa =
        pelunits_display(unit, 1689.1, PELUNITS_WITH_UNITS, ' ', a, 128, &la);
    const pelunits_status sb =
        pelunits_display(copy, 1689.1, PELUNITS_WITH_UNITS, ' ', b, 128, &lb);
    check(sa == sb && la == lb && (sa != PELUNITS_OK || std::memcmp(a, b, la) == 0),
          "a clone displays differently");
    pelunits_unit_free(copy);
  }
  pelunits_unit_free(unit);
  return 0;
}
