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
#include "PelUnitsFormat.h"
#include "PelUnitsRead.h"
#include "pelunits.h"

namespace pelbench {
namespace {

const char kCxxRow[] = "c-interface/feet-inch-fraction C++ getDisplayString";
const char kCxxReadRow[] = "c-interface/feet-inch-fraction C++ readExactUtf8";

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

// The C++ text of a value on the C++ unit, as ASCII.
using Reference = std::string (*)(const KovUnitTransform&, double);

// pelunits_display_many (or another batch call) over the same values, in columns of
// kBatch, checked against the C++ text after the loop.
template <class Char, class Call>
void cDisplayMany(benchmark::State& state, Call call, Reference reference = cxxText) {
  constexpr std::size_t kBatch = 256;
  pelunits_unit* unit = newCUnit();
  std::vector<Char> buffer(kBatch * 32);
  std::vector<std::int32_t> offsets(kBatch + 1);
  std::size_t length = 0;
  std::size_t start = 0;
  const AllocationMeter meter;
  for (auto _ : state) {
    benchmark::DoNotOptimize(call(unit, values().data() + start, kBatch, buffer.data(),
                                  buffer.size(), offsets.data(), &length));
    start = (start + kBatch) & kValueMask;
  }
  meter.stop(state);
  state.counters[kValuesPerCall] = static_cast<double>(kBatch);
  KovUnitTransform* cxxUnit = newCxxUnit();
  call(unit, values().data(), kBatch, buffer.data(), buffer.size(), offsets.data(), &length);
  for (std::size_t k = 0; k < kBatch; ++k) {
    const std::string expected = reference(*cxxUnit, values()[k]);
    const auto begin = buffer.begin() + offsets[k];
    if (static_cast<std::size_t>(offsets[k + 1] - offsets[k]) != expected.size() ||
        !std::equal(expected.begin(), expected.end(), begin,
                    [](char a, Char b) { return static_cast<Char>(a) == b; })) {
      state.SkipWithError(("C batch display differs from C++ '" + expected + "'").c_str());
      break;
    }
  }
  KovUnitsTransformArray::removeUnit(cxxUnit);
  pelunits_unit_free(unit);
}

// The display texts of the values, packed with their offsets.
struct PackedTexts {
  std::string bytes;
  std::vector<std::int32_t> offsets{0};
};

const PackedTexts& packedTexts() {
  static const PackedTexts kTexts = [] {
    PackedTexts packed;
    KovUnitTransform* unit = newCxxUnit();
    for (double value : values()) {
      packed.bytes += cxxText(*unit, value);
      packed.offsets.push_back(static_cast<std::int32_t>(packed.bytes.size()));
    }
    KovUnitsTransformArray::removeUnit(unit);
    return packed;
  }();
  return kTexts;
}

void cxxReadExact(benchmark::State& state) {
  KovUnitTransform* unit = newCxxUnit();
  const PackedTexts& texts = packedTexts();
  std::size_t i = 0;
  const AllocationMeter meter;
  for (auto _ : state) {
    const auto start = static_cast<std::size_t>(texts.offsets[i]);
    benchmark::DoNotOptimize(pelunits::readExactUtf8(
        *unit, texts.bytes.data() + start, static_cast<std::size_t>(texts.offsets[i + 1]) - start));
    i = (i + 1) & kValueMask;
  }
  meter.stop(state);
  KovUnitsTransformArray::removeUnit(unit);
}

void cReadMany(benchmark::State& state) {
  constexpr std::size_t kBatch = 256;
  pelunits_unit* unit = newCUnit();
  const PackedTexts& texts = packedTexts();
  std::vector<double> read(kBatch);
  std::vector<pelunits_status> statuses(kBatch);
  std::size_t start = 0;
  const AllocationMeter meter;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pelunits_read_many(unit, texts.bytes.data(),
                                                texts.offsets.data() + start, kBatch, read.data(),
                                                statuses.data(), nullptr));
    start = (start + kBatch) & kValueMask;
  }
  meter.stop(state);
  state.counters[kValuesPerCall] = static_cast<double>(kBatch);
  if (pelunits_read_many(unit, texts.bytes.data(), texts.offsets.data(), kBatch, read.data(),
                         statuses.data(), nullptr) != PELUNITS_OK) {
    state.SkipWithError("C batch read refused a display text");
  }
  pelunits_unit_free(unit);
}

// Rounded to half inches, as the batch format below asks.
std::string cxxHalfInches(const KovUnitTransform& unit, double value) {
  pelunits::FormatOptions options;
  options.increment = L"1/2\"";
  options.hideZeroFeet = false;
  options.separator = L'-';
  return narrow(pelunits::format(unit, value, options).getStringW());
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
  add("c-interface/feet-inch-fraction pelunits_display_many per value", kCxxRow, 1.15, true,
      [](benchmark::State& state) {
        cDisplayMany<char>(state, [](const pelunits_unit* u, const double* v, std::size_t count,
                                     char* b, std::size_t n, std::int32_t* o, std::size_t* l) {
          return pelunits_display_many(u, v, count, 0, '-', b, n, o, l);
        });
      });
  // Its aim is that of format beside the display.
  add("c-interface/feet-inch-fraction pelunits_format_many 1/2\" per value",
      "c-interface/feet-inch-fraction pelunits_display_many per value", 1.5, true,
      [](benchmark::State& state) {
        pelunits_format_options options;
        pelunits_format_options_init(&options);
        options.increment = "1/2\"";
        options.flags = 0;
        options.separator = '-';
        cDisplayMany<char>(
            state,
            [&options](const pelunits_unit* u, const double* v, std::size_t count, char* b,
                       std::size_t n, std::int32_t* o, std::size_t* l) {
              return pelunits_format_many(u, v, count, &options, b, n, o, l);
            },
            cxxHalfInches);
      });
  add(kCxxReadRow, "", 0.0, false, cxxReadExact);
  add("c-interface/feet-inch-fraction pelunits_read_many per value", kCxxReadRow, 1.2, false,
      cReadMany);
  add("c-interface/feet-inch-fraction pelunits_display_many_utf16 per value", kCxxRow, 1.15, true,
      [](benchmark::State& state) {
        cDisplayMany<std::uint16_t>(
            state, [](const pelunits_unit* u, const double* v, std::size_t count, std::uint16_t* b,
                      std::size_t n, std::int32_t* o, std::size_t* l) {
              return pelunits_display_many_utf16(u, v, count, 0, '-', b, n, o, l);
            });
      });
}

}  // namespace pelbench
