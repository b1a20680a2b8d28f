// Fuzzes every reading and validating operation of every unit the factory makes,
// under every kind of setting, on arbitrary text. Properties: every call returns,
// validators answer 0 or 1, the same text gives the same answer twice, and no
// reading or validation changes the unit.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/UnitProbes.h"

namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "unit text property broken: %s\n", what);
    std::abort();
  }
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
