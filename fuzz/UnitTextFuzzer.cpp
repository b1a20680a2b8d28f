// Fuzzes every reading and validating operation of every unit the factory makes,
// under every kind of setting, on arbitrary text. Properties: every call returns,
// validators answer 0 or 1, the same text gives the same answer twice, and no
// reading or validation changes the unit. A text the validator accepts reads as a
// finite value through the unit's own reader unless the text spells a non-finite or
// huge number, or the factor makes it huge. The exact reader's status agrees with its value,
// position and message, and UTF-8 reads as the same wide text does.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "NumberScan.h"
#include "PelUnitsRead.h"
#include "Utf8.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/UnitProbes.h"

namespace {

void check(bool condition, const char* what) {
  pelunits::fuzz::requireProperty(condition, "unit text property", what);
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Snapshot {
  int precision;
  double factor;
  int power;
  int regional;
  KovString symbol;
  explicit Snapshot(const KovUnitTransform& u)
      : precision(u.getPrecision()),
        factor(u.getFactor()),
        power(u.getPower()),
        regional(u.getUseRegionalSettings()),
        symbol(u.getSymbol()) {}
  bool operator==(const Snapshot& o) const {
    return precision == o.precision && sameBits(factor, o.factor) && power == o.power &&
           regional == o.regional && symbol == o.symbol;
  }
};

// The exact reader: a complete text has a value and no message; any other has the
// value 0, a message and a position inside the text. UTF-8 text reads alike, with
// the position counted in bytes.
template <class Add>
void checkExactReader(const KovUnitTransform& unit, const KovString& text, Add add) {
  using pelunits::ReadStatus;
  const auto length = static_cast<std::size_t>(text.length());
  const pelunits::ReadResult r = pelunits::readExact(unit, text);
  check(r.status == ReadStatus::complete || r.status == ReadStatus::incomplete ||
            r.status == ReadStatus::invalid,
        "exact reader: unknown status");
  check(r.message != nullptr, "exact reader: no message");
  if (r.status == ReadStatus::complete) {
    check(r.message[0] == 0, "exact reader: a complete text with a message");
  } else {
    check(sameBits(r.value, 0.0), "exact reader: a value for a text that is not complete");
    check(r.message[0] != 0, "exact reader: no reason given");
    check(r.position <= length, "exact reader: position past the end");
  }
  add(static_cast<double>(r.status));
  add(r.value);
  add(static_cast<double>(r.position));
  std::string utf8;
  pelunits::appendUtf8(text.getStringW(), length, utf8);
  const pelunits::ReadResult u = pelunits::readExactUtf8(unit, utf8.data(), utf8.size());
  // Lone surrogates become U+FFFD on the way to UTF-8; other texts read the same.
  bool surrogates = false;
  for (std::size_t i = 0; i < length; ++i) {
    const wchar_t c = text.getStringW()[i];
    surrogates = surrogates || (c >= 0xD800 && c <= 0xDFFF);
  }
  if (!surrogates) {
    check(u.status == r.status, "exact reader: UTF-8 and wide text differ");
    check(sameBits(u.value, r.value) || (std::isnan(u.value) && std::isnan(r.value)),
          "exact reader: UTF-8 and wide values differ");
  }
}

// The reader of the unit's own quantity, as a host calls it.
double readOwnQuantity(const KovUnitTransform& unit, const KovString& text) {
  switch (pelunits::quantityOf(unit)) {
    case pelunits::Quantity::angle:
      return unit.getDegrees(text);
    case pelunits::Quantity::weight:
      return unit.getGrams(text);
    case pelunits::Quantity::force:
      return unit.getKiloNewton(text);
    case pelunits::Quantity::moment:
      return unit.getKiloNewtonMeter(text);
    case pelunits::Quantity::stress:
      return unit.getNewtonPerSquareMm(text);
    case pelunits::Quantity::length:
      break;
  }
  return unit.getMillimeters(text);
}

// True when some number in the text is non-finite ("inf", "nan", an overflow), so
// large that scaling it to internal units, by the unit's factor and up to a fourth
// power of feet, may overflow, or written with more digits than a double has range.
bool spellsAHugeOrNonFiniteNumber(const KovUnitTransform& unit, const KovString& text) {
  const double kHuge = 1e290 / std::fmax(1.0, unit.getFactor());
  // The unit readers scale parts by powers of ten of their lengths, which overflow
  // for long runs of digits: texts with that many digits are left out.
  constexpr int kMostDigits = 100;
  const wchar_t* characters = text.getStringW();
  const int length = text.length();
  int digits = 0;
  for (int i = 0; i < length; ++i) digits += pelunits::isAsciiDigit(characters[i]) ? 1 : 0;
  if (digits > kMostDigits) return true;
  for (int i = 0; i < length;) {
    const pelunits::ScannedDouble number = pelunits::scanDouble(characters + i, length - i);
    if (number.consumed == 0) {
      ++i;
      continue;
    }
    if (!(std::fabs(number.value) < kHuge)) return true;
    i += number.consumed;
  }
  return false;
}

// Every reader of the unit, public slots and the family's own steps, folded into
// one list of numbers so that two runs can be compared.
std::string readAll(const KovUnitTransform& unit, const KovString& text) {
  std::string trace;
  auto add = [&trace](double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%a;", v);
    trace += buffer;
  };
  const int valid = unit.isValidString(text);
  check(valid == 0 || valid == 1, "isValidString answered neither 0 nor 1");
  add(valid);
  if (valid == 1) {
    check(std::isfinite(readOwnQuantity(unit, text)) || spellsAHugeOrNonFiniteNumber(unit, text),
          "a valid text reads as a non-finite value");
  }
  add(unit.getMillimeters(text));
  add(unit.getDegrees(text));
  add(unit.getGrams(text));
  add(unit.getKiloNewton(text));
  add(unit.getKiloNewtonMeter(text));
  add(unit.getNewtonPerSquareMm(text));
  KovString forward = text;
  unit.setInternationalNumberFormat(forward);
  KovString backward = text;
  unit.setInternationalNumberFormatBack(backward);
  add(forward.length());
  add(backward.length());
  pelunits::fuzz::probeFamilyReaders(unit, text, add);
  checkExactReader(unit, text, add);
  return trace;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pelunits::fuzz::ByteReader in(data, size);
  const pelunits::fuzz::UnitSetup setup = pelunits::fuzz::readUnitSetup(in);
  pelunits::fuzz::useLocale(setup.locale);
  KovUnitTransform* unit = pelunits::fuzz::makeUnit(setup);
  if (unit == nullptr) return 0;
  const std::size_t prefix = in.position();
  const KovString text =
      pelunits::fuzz::toKovString(pelunits::fuzz::decodeText(in.from(prefix), in.sizeFrom(prefix)));

  const Snapshot before(*unit);
  const std::string first = readAll(*unit, text);
  check(Snapshot(*unit) == before, "a reader changed the unit");
  const std::string second = readAll(*unit, text);
  check(first == second, "the same text read differently twice");

  // A clone reads alike.
  KovUnitTransform* copy = unit->clone();
  if (copy != nullptr) {
    check(readAll(*copy, text) == first, "a clone reads differently");
    KovUnitsTransformArray::removeUnit(copy);
  }
  KovUnitsTransformArray::removeUnit(unit);
  return 0;
}
