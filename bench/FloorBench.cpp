// The floors every operation is measured against, and the baselines a host
// would otherwise use, on the same values and texts as the library benchmarks.

#include <unicode/numberformatter.h>
#include <unicode/unistr.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <system_error>

#include "BenchCases.h"
#include "BenchSupport.h"

namespace pelbench {
namespace {

// Every number of a typed text, read with std::from_chars: one call for a plain
// number, one per piece (and one per mark skipped) for feet-inch, sexagesimal and
// pound-and-ounce texts. The least work any reader of that text has to do.
double readNumbers(const char* first, const char* last) {
  double sum = 0.0;
  while (first < last) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc()) {
      sum += value;
      first = end;
    } else {
      ++first;
    }
  }
  return sum;
}

void registerToCharsFloor(const DisplayCase& c) {
  add(toCharsFloor(c.name), "", 0.0, true, [&c](benchmark::State& state) {
    char buffer[64];
    std::size_t i = 0;
    const AllocationMeter meter;
    for (auto _ : state) {
      const auto result = std::to_chars(buffer, buffer + sizeof buffer, c.shown[i],
                                        std::chars_format::fixed, c.decimals);
      benchmark::DoNotOptimize(result.ptr);
      benchmark::DoNotOptimize(buffer);
      i = (i + 1) & kValueMask;
    }
    meter.stop(state);
    for (std::size_t k = 0; k < kValueCount; ++k) {
      const auto result = std::to_chars(buffer, buffer + sizeof buffer, c.shown[k],
                                        std::chars_format::fixed, c.decimals);
      char expected[64];
      std::snprintf(expected, sizeof expected, "%.*f", c.decimals, c.shown[k]);
      if (std::string(buffer, result.ptr) != expected) {
        state.SkipWithError("std::to_chars differs from printf");
        return;
      }
    }
  });
}

void registerFromCharsFloor(const TextCase& c) {
  add(fromCharsFloor(c.name), "", 0.0, true, [&c](benchmark::State& state) {
    std::size_t i = 0;
    const AllocationMeter meter;
    for (auto _ : state) {
      const std::string& text = c.floorTexts[i];
      benchmark::DoNotOptimize(readNumbers(text.data(), text.data() + text.size()));
      i = (i + 1) & kValueMask;
    }
    meter.stop(state);
    for (const std::string& text : c.floorTexts) {
      if (!std::isfinite(readNumbers(text.data(), text.data() + text.size()))) {
        state.SkipWithError("std::from_chars read no number");
        return;
      }
    }
  });
}

void registerSwprintf(const DisplayCase& c) {
  add("baseline/swprintf+wstring/" + c.name, toCharsFloor(c.name), 0.0, false,
      [&c](benchmark::State& state) {
        std::size_t i = 0;
        const AllocationMeter meter;
        for (auto _ : state) {
          wchar_t buffer[64];
          std::swprintf(buffer, 64, L"%.*f", c.decimals, c.shown[i]);
          std::wstring text(buffer);
          benchmark::DoNotOptimize(text);
          i = (i + 1) & kValueMask;
        }
        meter.stop(state);
        for (std::size_t k = 0; k < kValueCount; ++k) {
          wchar_t buffer[64];
          std::swprintf(buffer, 64, L"%.*f", c.decimals, c.shown[k]);
          char expected[64];
          std::snprintf(expected, sizeof expected, "%.*f", c.decimals, c.shown[k]);
          if (std::wstring(buffer) != widen(expected)) {
            state.SkipWithError("swprintf differs from printf");
            return;
          }
        }
      });
}

void registerWcstod(const TextCase& c, double factor) {
  add("baseline/wcstod/" + c.name, fromCharsFloor(c.name), 0.0, false,
      [&c, factor](benchmark::State& state) {
        std::size_t i = 0;
        const AllocationMeter meter;
        for (auto _ : state) {
          benchmark::DoNotOptimize(std::wcstod(c.texts[i].c_str(), nullptr));
          i = (i + 1) & kValueMask;
        }
        meter.stop(state);
        for (std::size_t k = 0; k < kValueCount; ++k) {
          if (factor * std::wcstod(c.texts[k].c_str(), nullptr) != c.expected[k]) {
            state.SkipWithError("wcstod read a different number");
            return;
          }
        }
      });
}

void registerSwscanf(const TextCase& c, double factor) {
  add("baseline/swscanf%lf/" + c.name, fromCharsFloor(c.name), 0.0, false,
      [&c, factor](benchmark::State& state) {
        std::size_t i = 0;
        const AllocationMeter meter;
        for (auto _ : state) {
          double value = 0.0;
          benchmark::DoNotOptimize(std::swscanf(c.texts[i].c_str(), L"%lf", &value));
          benchmark::DoNotOptimize(value);
          i = (i + 1) & kValueMask;
        }
        meter.stop(state);
        for (std::size_t k = 0; k < kValueCount; ++k) {
          double value = 0.0;
          if (std::swscanf(c.texts[k].c_str(), L"%lf", &value) != 1 ||
              factor * value != c.expected[k]) {
            state.SkipWithError("swscanf read a different number");
            return;
          }
        }
      });
}

// ICU's number formatter for German, made once and reused as a host would.
void registerIcuGerman(const DisplayCase& c) {
  add("baseline/icu_de_DE/" + c.name, toCharsFloor(c.name), 0.0, false,
      [&c](benchmark::State& state) {
        const icu::number::LocalizedNumberFormatter formatter =
            icu::number::NumberFormatter::withLocale(icu::Locale("de", "DE"))
                .precision(icu::number::Precision::fixedFraction(c.decimals));
        UErrorCode status = U_ZERO_ERROR;
        std::size_t i = 0;
        const AllocationMeter meter;
        for (auto _ : state) {
          icu::UnicodeString text = formatter.formatDouble(c.shown[i], status).toString(status);
          benchmark::DoNotOptimize(text);
          i = (i + 1) & kValueMask;
        }
        meter.stop(state);
        for (std::size_t k = 0; k < kValueCount; ++k) {
          std::string text;
          formatter.formatDouble(c.shown[k], status).toString(status).toUTF8String(text);
          if (U_FAILURE(status) || text != germanText(fixedText(c.shown[k], c.decimals))) {
            state.SkipWithError(("ICU wrote " + text).c_str());
            return;
          }
        }
      });
}

}  // namespace

void registerFloors() {
  for (const DisplayCase& c : displayCases()) registerToCharsFloor(c);
  for (const TextCase& c : textCases()) registerFromCharsFloor(c);
}

void registerBaselines() {
  registerSwprintf(displayCase("metres3"));
  registerWcstod(textCase("metresText"), 1000.0);
  registerSwscanf(textCase("metresText"), 1000.0);
  registerIcuGerman(displayCase("regionalMillimetres2"));
}

}  // namespace pelbench
