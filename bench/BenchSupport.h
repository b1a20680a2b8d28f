#pragma once

// Shared pieces of the benchmarks: the value sets, the allocation counter, the
// oracles that check each benchmark's result after its loop, and the table of
// which floor each operation is measured against.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "KovString.h"

namespace pelbench {

// Every benchmark cycles through this many values (a power of two).
constexpr std::size_t kValueCount = 4096;
// The counter by which a batch benchmark tells how many values one of its calls
// handles; the report divides its time and allocations by it.
constexpr char kValuesPerCall[] = "values_per_call";
constexpr std::size_t kValueMask = kValueCount - 1;

// kValueCount values spread uniformly over [low, high), the same on every run
// and every platform (splitmix64 with a fixed seed per set).
std::vector<double> uniformValues(std::uint64_t seed, double low, double high);

// Heap allocations made so far by this process (operator new in every form).
long long allocationCount() noexcept;

// Counts the allocations between its construction and stop(), and reports them
// per iteration as the counter "allocs".
class AllocationMeter {
 public:
  AllocationMeter() : start_(allocationCount()) {}
  void stop(benchmark::State& state) const {
    state.counters["allocs"] = benchmark::Counter(static_cast<double>(allocationCount() - start_),
                                                  benchmark::Counter::kAvgIterations);
  }

 private:
  long long start_;
};

// "%.*f" of value as the C library writes it in the "C" locale, negative zero
// written without its '-' (as every display of the library does).
std::string fixedText(double value, int decimals);
std::wstring widen(const std::string& text);
std::string narrow(const wchar_t* text);

// The German regional form of a neutral number text: ',' as decimal separator and
// '.' between groups of three integer digits.
std::string germanText(const std::string& neutral);

// What the report prints for one operation: its floor (a benchmark name of the
// same run), the target ratio to that floor (0: none) and whether its texts stay
// short enough (under 24 characters) that it must not allocate.
struct RowInfo {
  std::string name;
  std::string floor;
  double target = 0.0;
  bool mustNotAllocate = false;
};
void describe(const std::string& name, const std::string& floor, double target,
              bool mustNotAllocate);
const std::vector<RowInfo>& rows();

// Registers `name` with the benchmark library and with the report table.
template <class Body>
void add(const std::string& name, const std::string& floor, double target, bool mustNotAllocate,
         Body body) {
  describe(name, floor, target, mustNotAllocate);
  benchmark::RegisterBenchmark(name.c_str(), body);
}

// Registration entry points of the benchmark sources.
void registerFloors();
void registerBaselines();
void registerSteps();
void registerDisplays();
void registerFormats();
void registerReaders();
void registerCInterface();

}  // namespace pelbench
