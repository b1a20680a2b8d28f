#pragma once

// How the fuzz targets turn the fuzzer's bytes into a unit, its settings and a
// text. The settings come from a fixed-size prefix (missing bytes read as 0), so
// that the fuzzer's mutations of the text never shift the settings; the text is
// the rest of the input.

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "Utf8.h"

namespace pelunits {
namespace fuzz {

// Ends the run when a property does not hold, naming it and the text it broke on.
inline void requireProperty(bool condition, const char* property, const char* what,
                            const KovString* text = nullptr) {
  if (condition) return;
  std::string utf8;
  if (text != nullptr) {
    appendUtf8(text->getStringW(), static_cast<std::size_t>(text->length()), utf8);
  }
  std::fprintf(stderr, "%s broken: %s%s%s%s\n", property, what, text ? ": \"" : "", utf8.c_str(),
               text ? "\"" : "");
  std::abort();
}

// Reads fixed-width fields; bytes past the end read as 0.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t byte() {
    const std::uint8_t b = pos_ < size_ ? data_[pos_] : std::uint8_t{0};
    ++pos_;
    return b;
  }
  std::uint32_t u32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(byte()) << (8 * i);
    return v;
  }
  // A 16-bit code unit, little-endian.
  wchar_t wideChar() {
    const unsigned low = byte();
    const unsigned high = byte();
    return static_cast<wchar_t>(low | (high << 8));
  }
  std::int32_t i32() {
    const std::uint32_t v = u32();
    std::int32_t out;
    std::memcpy(&out, &v, sizeof out);
    return out;
  }
  std::uint64_t u64() {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(byte()) << (8 * i);
    return v;
  }
  // Every bit pattern, NaNs with payloads and infinities included.
  double rawDouble() {
    const std::uint64_t v = u64();
    double out;
    std::memcpy(&out, &v, sizeof out);
    return out;
  }
  std::size_t position() const { return pos_; }
  // The bytes after `offset` (empty when the input is shorter).
  const std::uint8_t* from(std::size_t offset) const {
    return offset < size_ ? data_ + offset : nullptr;
  }
  std::size_t sizeFrom(std::size_t offset) const { return offset < size_ ? size_ - offset : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

template <class T, std::size_t N>
constexpr std::size_t countOf(const T (&)[N]) {
  return N;
}

// Every code pair of the factory's table: each listed representation of each
// quantity, one unlisted representation per quantity (the fallback), and the
// pairs that give no object.
struct UnitCodes {
  std::int32_t systemUnits;
  std::int32_t representation;
};
inline constexpr UnitCodes kUnitCodes[] = {
    {20, 1},      {20, 5},      {20, 5006},   {20, 3},      {1009, 0},    {1010, 0},
    {2000, 2005}, {2000, 2007}, {2000, 2008}, {2000, 0},    {3005, 3004}, {3005, 0},
    {3020, 3001}, {3020, 3005}, {3020, 0},    {3101, 0},    {3102, 0},    {3201, 0},
    {3202, 0},    {3300, 0},    {3301, 0},    {5003, 4003}, {5003, 4004}, {5003, 4001},
    {5004, 4001}, {5004, 4005}, {5004, 0},    {5103, 5003}, {5103, 5004}, {5103, 5001},
    {5104, 5001}, {5104, 5005}, {5104, 0},    {7, 4},       {7, 2006},    {7, 1},
};
// One choice past the table takes both codes raw from the prefix.
inline constexpr std::size_t kUnitChoiceCount = countOf(kUnitCodes) + 1;

// 0: the power the factory set; 1 to 4 the quantity powers; then values no host
// sends, which must still get an answer.
inline constexpr int kPowers[] = {0, 1, 2, 3, 4, -1, -2, 5, 64, 1000, INT_MAX, INT_MIN};

inline constexpr double kPi = 3.14159265358979323846;
// The factors of the families, 0 (stored as 1), negative, tiny and huge ones,
// and the non-finite ones. A NaN here stands for "raw bits from the prefix".
inline constexpr double kFactors[] = {1.0,   0.0,    -1.0,     25.4,   1000.0,   1e6,       645.16,
                                      360.0, 400.0,  2 * kPi,  0.001,  90000.0,  90000.5,   -360.0,
                                      1e308, -1e308, 4.9e-324, 1e-300, HUGE_VAL, -HUGE_VAL, 0.3};

// setPrecision arguments: each unit's steps, the boundaries of the tables, and
// values outside every range. INT_MIN + 1 stands for "raw from the prefix".
inline constexpr int kPrecisions[] = {
    -1,      0,        1,        2,         3,          4,          5,       8,       9,
    10,      16,       32,       50,        60,         64,         100,     128,     999,
    1000,    3600,     7199,     7200,      10000,      10001,      36000,   431999,  432000,
    1000000, 25919999, 25920000, 360000000, 1000000000, 1555200000, INT_MAX, INT_MIN, INT_MIN + 1};

// LC_ALL values for the regional conversions (the POSIX backend reads the
// user's number format from the environment at every call).
inline constexpr const char* kLocales[] = {"C", "en_US.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8",
                                           "de_CH.UTF-8"};
inline constexpr int kRegionalFlags[] = {0, 1, 2, -1};

inline const wchar_t* const kSymbols[] = {
    L"",       L"mm",          L"kg",      L"t",
    L"\u00B0", L"%s %d %f %n", L"m\u00B2", L"a rather long symbol that no host would use"};

// The unit part of the prefix: 32 bytes.
inline constexpr std::size_t kUnitPrefixSize = 32;

struct UnitSetup {
  std::int32_t systemUnits = 0;
  std::int32_t representation = 0;
  int power = 0;  // 0: as the factory set it
  double factor = 1.0;
  bool setFactor = false;
  bool setPrecision = false;
  int precision = 0;
  int increments = 0;
  int regional = 0;
  const char* locale = "C";
  const wchar_t* symbol = L"";
};

// Decodes the 32-byte unit prefix.
inline UnitSetup readUnitSetup(ByteReader& in) {
  UnitSetup s;
  const std::size_t start = in.position();
  const std::size_t unitChoice = in.byte() % kUnitChoiceCount;
  const std::int32_t rawUnits = in.i32();
  const std::int32_t rawRepresentation = in.i32();
  if (unitChoice < countOf(kUnitCodes)) {
    s.systemUnits = kUnitCodes[unitChoice].systemUnits;
    s.representation = kUnitCodes[unitChoice].representation;
  } else {
    s.systemUnits = rawUnits;
    s.representation = rawRepresentation;
  }
  s.power = kPowers[in.byte() % countOf(kPowers)];
  const std::uint8_t factorChoice = in.byte();
  const double rawFactor = in.rawDouble();
  // Choice 0 keeps the prototype's factor; the last choice takes raw bits.
  const std::size_t factorIndex = factorChoice % (countOf(kFactors) + 2);
  if (factorIndex > 0) {
    s.setFactor = true;
    s.factor = factorIndex <= countOf(kFactors) ? kFactors[factorIndex - 1] : rawFactor;
  }
  const std::uint8_t precisionChoice = in.byte();
  const std::int32_t rawPrecision = in.i32();
  const std::size_t precisionIndex = precisionChoice % (countOf(kPrecisions) + 1);
  if (precisionIndex > 0) {
    s.setPrecision = true;
    s.precision = kPrecisions[precisionIndex - 1];
    if (s.precision == INT_MIN + 1) s.precision = rawPrecision;
  }
  s.increments = in.byte() % 48;
  const std::uint8_t regional = in.byte();
  s.regional = kRegionalFlags[regional % countOf(kRegionalFlags)];
  s.locale = kLocales[(regional / countOf(kRegionalFlags)) % countOf(kLocales)];
  s.symbol = kSymbols[in.byte() % countOf(kSymbols)];
  while (in.position() < start + kUnitPrefixSize) in.byte();
  return s;
}

// Makes and configures the unit; null when the factory gives none for the codes.
inline KovUnitTransform* makeUnit(const UnitSetup& s) {
  KovUnitTransform::eSystemRepresentation representation =
      static_cast<KovUnitTransform::eSystemRepresentation>(s.representation);
  KovUnitTransform* unit = KovUnitsTransformArray::getNewUnit(
      static_cast<KovUnitTransform::eSystemUnits>(s.systemUnits), representation);
  if (unit == nullptr) return nullptr;
  if (s.power != 0) unit->setPower(s.power);
  if (s.setFactor) unit->setFactor(s.factor);
  if (s.setPrecision) unit->setPrecision(s.precision);
  for (int i = 0; i < s.increments; ++i) unit->incrementPrecision();
  unit->setUseRegionalSettings(s.regional);
  unit->setSymbol(KovString(s.symbol));
  return unit;
}

// Selects the user's locale for the regional conversions that follow.
#if defined(_WIN32)
// Windows reads the user's locale from the system, not from the environment; the
// variable is still set so that a replay runs the same steps.
inline void useLocale(const char* name) { _putenv_s("LC_ALL", name); }
#else
inline void useLocale(const char* name) { setenv("LC_ALL", name, 1); }
#endif

// The text: the first byte picks the decoding, the rest is decoded as UTF-8
// (bytes that start no valid sequence stand for themselves, so every byte value
// reaches the readers) or as raw little-endian 16-bit units (lone surrogates
// included). NUL characters stay in the text.
inline std::wstring decodeText(const std::uint8_t* data, std::size_t size) {
  std::wstring out;
  if (size == 0) return out;
  const bool raw16 = (data[0] & 1) != 0;
  ++data;
  --size;
  out.reserve(size);
  if (raw16) {
    for (std::size_t i = 0; i + 1 < size; i += 2) {
      out.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }
    return out;
  }
  std::size_t i = 0;
  while (i < size) {
    const std::uint8_t b = data[i];
    int extra = 0;
    std::uint32_t cp = b;
    if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07u;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0Fu;
    } else if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1Fu;
    }
    bool valid = extra > 0 && i + static_cast<std::size_t>(extra) < size;
    for (int k = 1; valid && k <= extra; ++k) {
      const std::uint8_t c = data[i + static_cast<std::size_t>(k)];
      if ((c & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    if (valid && cp <= 0x10FFFF) {
      out.push_back(static_cast<wchar_t>(cp));
      i += static_cast<std::size_t>(extra) + 1;
    } else {
      out.push_back(static_cast<wchar_t>(b));
      ++i;
    }
  }
  return out;
}

inline KovString toKovString(const std::wstring& text) {
  return KovString(text.data(), static_cast<int>(text.size()));
}

}  // namespace fuzz
}  // namespace pelunits
