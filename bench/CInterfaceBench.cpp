// The C interface's display beside the C++ display it wraps, on the same unit and
// values: what a caller pays for the handle, the flag mapping and the UTF-8 or
// UTF-16 text in its own buffer. Each benchmark checks its texts after its loop.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "pelunits.h"

namespace pelbench {
namespace {

const char kCxxRow[] = "c-interface/feet-inch-fraction C++ getDisplayString";

// Sixteenths over ±100 feet, the unit of the README's example.
const std::vector<double>& values() {
  static const std::vector<double> kValues = uniformValues(0xC0FFEE, -30480.0, 30480.0);
  return kValues;
}

pelunits_unit* newCUnit() {
  pelunits_unit* unit = pelunits_unit_new(20, 1);
  if (unit != nullptr) pelunits_unit_set_precision(unit, 16);
  return unit;
}

KovUnitTransform* newCxxUnit() {
  auto representation = static_cast<KovUnitTransform::eSystemRepresentation>(1);
  KovUnitTransform* unit = KovUnitsTransformArray::getNewUnit(
      static_cast<KovUnitTransform::eSystemUnits>(20), representation);
  if (unit != nullptr) unit->setPrecision(16);
  return unit;
}

// The C++ display of a value, as ASCII (the feet-inch-fraction texts are ASCII).
std::string cxxText(const KovUnitTransform& unit, double value) {
  return narrow(unit.getDisplayString(value, 0, 0, 0, 0, L'-').getStringW());
}

void cxxDisplay(benchmark::State& state) {
  KovUnitTransform* unit = newCxxUnit();
  std::size_t i = 0;
  const AllocationMeter meter;
  for (auto _ : state) {
    benchmark::DoNotOptimize(unit->getDisplayString(values()[i], 0, 0, 0, 0, L'-'));
    i = (i + 1) & kValueMask;
  }
  meter.stop(state);
  KovUnitsTransformArray::removeUnit(unit);
}

template <class Char, class Call>
void cDisplay(benchmark::State& state, Call call) {
  pelunits_unit* unit = newCUnit();
  Char buffer[64];
  std::size_t length = 0;
  std::size_t i = 0;
  const AllocationMeter meter;
  for (auto _ : state) {
    benchmark::DoNotOptimize(call(unit, values()[i], buffer, 64, &length));
    i = (i + 1) & kValueMask;
  }
  meter.stop(state);
  KovUnitTransform* reference = newCxxUnit();
  for (std::size_t k = 0; k < kValueCount; ++k) {
    const std::string expected = cxxText(*reference, values()[k]);
    const bool ok = call(unit, values()[k], buffer, 64, &length) == PELUNITS_OK &&
                    length == expected.size() &&
                    std::equal(expected.begin(), expected.end(), buffer,
                               [](char a, Char b) { return static_cast<Char>(a) == b; });
    if (!ok) {
      state.SkipWithError(("C display differs from C++ '" + expected + "'").c_str());
      break;
    }
  }
  KovUnitsTransformArray::removeUnit(reference);
  pelunits_unit_free(unit);
}

}  // namespace

void registerCInterface() {
  add(kCxxRow, "", 0.0, true, cxxDisplay);
  add("c-interface/feet-inch-fraction pelunits_display", kCxxRow, 0.0, true,
      [](benchmark::State& state) {
        cDisplay<char>(
            state, [](const pelunits_unit* u, double v, char* b, std::size_t n, std::size_t* l) {
              return pelunits_display(u, v, 0, '-', b, n, l);
            });
      });
  add("c-interface/feet-inch-fraction pelunits_display_utf16", kCxxRow, 0.0, true,
      [](benchmark::State& state) {
        cDisplay<std::uint16_t>(
            state, [](const pelunits_unit* u, double v, std::uint16_t* b, std::size_t n,
                      std::size_t* l) { return pelunits_display_utf16(u, v, 0, '-', b, n, l); });
      });
}

}  // namespace pelbench
