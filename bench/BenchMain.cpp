// Entry point of pelunits_bench: counts heap allocations with a replaced global
// operator new (and the C allocation functions, for ICU and the C library), runs the registered
// benchmarks and ends with one table of every operation's median time, its ratio to the floor of
// the same run and its allocations per call.
//
//   pelunits_bench [--table_only] [benchmark flags]
//
// --table_only leaves out the per-run console lines and prints the table alone.
// --benchmark_filter keeps the floors whatever it names.

#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "BenchSupport.h"

// glibc's own allocator entry points, so that the C allocation functions below can
// count and forward without calling themselves.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
}

namespace {

std::atomic<long long> gAllocations{0};

void* countedAllocation(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (size == 0) size = 1;
  return __libc_malloc(size);
}

void* countedAlignedAllocation(std::size_t size, std::size_t alignment) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (size == 0) size = 1;
  void* memory = nullptr;
  if (posix_memalign(&memory, alignment < sizeof(void*) ? sizeof(void*) : alignment, size) != 0) {
    return nullptr;
  }
  return memory;
}

}  // namespace

// ICU and the C library allocate with malloc, not operator new: count those calls
// too, so that the baselines' allocations are seen.
extern "C" {
void* malloc(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(count, size);
}
void* realloc(void* memory, std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(memory, size);
}
}

void* operator new(std::size_t size) {
  if (void* memory = countedAllocation(size)) return memory;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  if (void* memory = countedAllocation(size)) return memory;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return countedAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return countedAllocation(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  if (void* memory = countedAlignedAllocation(size, static_cast<std::size_t>(alignment))) {
    return memory;
  }
  throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  if (void* memory = countedAlignedAllocation(size, static_cast<std::size_t>(alignment))) {
    return memory;
  }
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }

namespace pelbench {

long long allocationCount() noexcept { return gAllocations.load(std::memory_order_relaxed); }

std::vector<double> uniformValues(std::uint64_t seed, double low, double high) {
  std::vector<double> values;
  values.reserve(kValueCount);
  std::uint64_t state = seed;
  for (std::size_t i = 0; i < kValueCount; ++i) {
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    const double unit = static_cast<double>(z >> 11) * 0x1.0p-53;
    values.push_back(low + (high - low) * unit);
  }
  return values;
}

std::string fixedText(double value, int decimals) {
  char buffer[400];
  const int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text(buffer, n > 0 ? static_cast<std::size_t>(n) : 0U);
  if (!text.empty() && text[0] == '-' && text.find_first_of("123456789") == std::string::npos) {
    text.erase(0, 1);
  }
  return text;
}

std::wstring widen(const std::string& text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (const char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

std::string narrow(const wchar_t* text) {
  std::string out;
  for (; *text != 0; ++text) {
    const auto c = static_cast<unsigned long>(*text);
    out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  }
  return out;
}

std::string germanText(const std::string& neutral) {
  std::string sign;
  std::string body = neutral;
  if (!body.empty() && body[0] == '-') {
    sign = "-";
    body.erase(0, 1);
  }
  const std::size_t point = body.find('.');
  std::string integer = body.substr(0, point);
  const std::string fraction = point == std::string::npos ? "" : body.substr(point + 1);
  std::string grouped;
  for (std::size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0) grouped.push_back('.');
    grouped.push_back(integer[i]);
  }
  return sign + grouped + (point == std::string::npos ? "" : "," + fraction);
}

namespace {
std::vector<RowInfo>& rowTable() {
  static std::vector<RowInfo> table;
  return table;
}
}  // namespace

void describe(const std::string& name, const std::string& floor, double target,
              bool mustNotAllocate) {
  rowTable().push_back(RowInfo{name, floor, target, mustNotAllocate});
}

const std::vector<RowInfo>& rows() { return rowTable(); }

namespace {

struct Result {
  double nanoseconds = 0.0;
  double allocations = 0.0;
  bool failed = false;
  std::string message;
};

// Keeps the medians (or the single run when there are no repetitions) and prints
// the table when the run is over.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  explicit TableReporter(bool tableOnly) : tableOnly_(tableOnly) {}

  bool ReportContext(const Context& context) override {
    return tableOnly_ ? true : ConsoleReporter::ReportContext(context);
  }

  void ReportRuns(const std::vector<Run>& runs) override {
    if (!tableOnly_) ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string name = run.run_name.function_name;
      const bool median = run.aggregate_name == "median";
      if (!median && !run.aggregate_name.empty()) continue;
      Result& result = results_[name];
      if (run.error_occurred) {
        result.failed = true;
        result.message = run.error_message;
        continue;
      }
      if (!median && haveMedian_.count(name) != 0) continue;
      if (median) haveMedian_[name] = true;
      result.nanoseconds = run.GetAdjustedCPUTime() * timeUnitToNanoseconds(run.time_unit);
      const auto allocs = run.counters.find("allocs");
      result.allocations = allocs != run.counters.end() ? allocs->second.value : 0.0;
      // A batch benchmark reports per value, to stand beside the single calls.
      const auto batch = run.counters.find(kValuesPerCall);
      if (batch != run.counters.end() && batch->second.value > 0) {
        result.nanoseconds /= batch->second.value;
        result.allocations /= batch->second.value;
      }
    }
  }

  void Finalize() override {
    if (!tableOnly_) ConsoleReporter::Finalize();
    std::printf("\n%-44s %9s %9s %7s %7s %7s  %s\n", "operation", "ns/call", "floor ns", "ratio",
                "target", "allocs", "verdict");
    for (const RowInfo& row : rows()) {
      const auto found = results_.find(row.name);
      if (found == results_.end()) continue;  // filtered out
      const Result& result = found->second;
      if (result.failed) {
        std::printf("%-44s FAILED: %s\n", row.name.c_str(), result.message.c_str());
        continue;
      }
      const auto floor = results_.find(row.floor);
      const bool haveFloor = !row.floor.empty() && floor != results_.end() &&
                             !floor->second.failed && floor->second.nanoseconds > 0.0;
      const double ratio = haveFloor ? result.nanoseconds / floor->second.nanoseconds : 0.0;
      char floorText[16] = "-";
      char ratioText[16] = "-";
      char targetText[16] = "-";
      if (haveFloor) {
        std::snprintf(floorText, sizeof floorText, "%.1f", floor->second.nanoseconds);
        std::snprintf(ratioText, sizeof ratioText, "%.2f", ratio);
      }
      if (row.target > 0.0) std::snprintf(targetText, sizeof targetText, "%.1f", row.target);
      std::string verdict;
      if (row.target > 0.0 && haveFloor) verdict = ratio <= row.target ? "ok" : "SLOW";
      if (row.mustNotAllocate) {
        if (!verdict.empty()) verdict += ", ";
        verdict += result.allocations < 0.005 ? "no alloc" : "ALLOCATES";
      }
      std::printf("%-44s %9.1f %9s %7s %7s %7.2f  %s\n", row.name.c_str(), result.nanoseconds,
                  floorText, ratioText, targetText, result.allocations, verdict.c_str());
    }
    std::fflush(stdout);
  }

 private:
  static double timeUnitToNanoseconds(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond:
        return 1e9;
      case benchmark::kMillisecond:
        return 1e6;
      case benchmark::kMicrosecond:
        return 1e3;
      case benchmark::kNanosecond:
        break;
    }
    return 1.0;
  }

  bool tableOnly_;
  std::map<std::string, Result> results_;
  std::map<std::string, bool> haveMedian_;
};

}  // namespace
}  // namespace pelbench

int main(int argc, char** argv) {
  bool tableOnly = false;
  std::vector<char*> arguments;
  // A filter always keeps the floors: a ratio needs its floor in the same run.
  static const char kFilterFlag[] = "--benchmark_filter=";
  std::string filter;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--table_only") == 0) {
      tableOnly = true;
    } else if (std::strncmp(argv[i], kFilterFlag, sizeof kFilterFlag - 1) == 0) {
      filter = std::string(kFilterFlag) + "(" + (argv[i] + sizeof kFilterFlag - 1) + ")|^floor/";
      arguments.push_back(filter.data());
    } else {
      arguments.push_back(argv[i]);
    }
  }
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;

  pelbench::registerFloors();
  pelbench::registerBaselines();
  pelbench::registerSteps();
  pelbench::registerDisplays();
  pelbench::registerFormats();
  pelbench::registerReaders();
  pelbench::registerCInterface();

  pelbench::TableReporter reporter(tableOnly);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
