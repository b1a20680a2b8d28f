// The shared steps that every display and reader runs: KovString's fixed-point
// writer and number reader, timed against the same floors as the units.

#include <cstdio>
#include <string>
#include <vector>

#include "BenchCases.h"
#include "BenchSupport.h"
#include "KovString.h"

namespace pelbench {
namespace {

void registerAppendFixed(const DisplayCase& c) {
  add("step/KovString::appendFixed/" + c.name, toCharsFloor(c.name), 1.2, true,
      [&c](benchmark::State& state) {
        std::size_t i = 0;
        const AllocationMeter meter;
        for (auto _ : state) {
          KovString text;
          text.appendFixed(c.shown[i], c.decimals);
          benchmark::DoNotOptimize(text);
          i = (i + 1) & kValueMask;
        }
        meter.stop(state);
        for (std::size_t k = 0; k < kValueCount; ++k) {
          KovString text;
          text.appendFixed(c.shown[k], c.decimals);
          char expected[64];
          std::snprintf(expected, sizeof expected, "%.*f", c.decimals, c.shown[k]);
          if (narrow(text.getStringW()) != expected) {
            state.SkipWithError(("appendFixed wrote " + narrow(text.getStringW())).c_str());
            return;
          }
        }
      });
}

void registerToDouble(const TextCase& c, double factor) {
  add("step/KovString::toDouble/" + c.name, fromCharsFloor(c.name), 1.5, true,
      [&c, factor](benchmark::State& state) {
        std::vector<KovString> texts;
        for (const std::wstring& text : c.texts) texts.emplace_back(text.c_str());
        std::size_t i = 0;
        const AllocationMeter meter;
        for (auto _ : state) {
          benchmark::DoNotOptimize(texts[i].toDouble());
          i = (i + 1) & kValueMask;
        }
        meter.stop(state);
        for (std::size_t k = 0; k < kValueCount; ++k) {
          if (factor * texts[k].toDouble() != c.expected[k]) {
            state.SkipWithError("toDouble read a different number");
            return;
          }
        }
      });
}

}  // namespace

void registerSteps() {
  registerAppendFixed(displayCase("metres3"));
  registerAppendFixed(displayCase("kiloNewton2"));
  registerToDouble(textCase("metresText"), 1000.0);
  registerToDouble(textCase("kiloNewtonText"), 1.0);
}

}  // namespace pelbench
