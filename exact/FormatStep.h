#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "PelUnitsFormat.h"
#include "units/core/NumberText.h"

// The rounding step of format(), in the unit of the part it rounds (the display unit,
// inches, seconds or ounces), and the rounding to it. The steps that every decimal
// format() takes are inline: each is a few instructions, and their calls cost a tenth
// of that format() in bench/report.
namespace pelunits {
namespace exact {

namespace stepTables {
// 10^-22 to 10^22 as literals, each correctly rounded (from 10^0 on exact).
inline constexpr double kPowersOfTen[] = {
    1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11,
    1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,
    1e2,   1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,
    1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21,  1e22};
inline constexpr unsigned kMostTabledExponent = 22;
// How near a whole number or a tie a count must lie to count as it: 8 units in the last
// place, wider than the few roundings between a typed value and its count; at most
// 1/1024 of a step, where the count's last place grows coarse.
inline constexpr double kCountSlack = 1.0 / 1125899906842624.0;  // 2^-50
inline constexpr double kLargestCountSlack = 1.0 / 1024.0;
inline constexpr double kTwo52 = 4503599627370496.0;
// log10(2) in 4096ths: the binary exponent times it is within one of the decimal exponent.
inline constexpr int kLog10Of2Times4096 = 1233;

// ilogb(size) for a positive finite size, from the bits of a normal number.
inline int binaryExponentOf(double size) noexcept {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &size, sizeof bits);
  const auto biased = static_cast<int>(bits >> 52);
  return biased != 0 ? biased - 1023 : std::ilogb(size);
}
}  // namespace stepTables

// units × 10^exponent10 for a decimal step, units / denominator for a fraction step
// (one of the two is 0 or 1 respectively).
struct Step {
  std::uint64_t units = 1;
  std::uint64_t denominator = 1;
  int exponent10 = 0;

  bool isDecimal() const noexcept { return denominator == 1; }
  // Decimals of a decimal step's multiples: 2 for 0.25, 0 for 5 or 500.
  int decimals() const noexcept { return exponent10 < 0 ? -exponent10 : 0; }
  // x counted in steps, with as few roundings as the step allows.
  inline double count(double x) const noexcept;
  // `steps` steps as a double, for comparisons.
  inline double times(double steps) const noexcept;
};

// The largest power of ten not above `size` (> 0 and finite).
inline Step powerOfTenBelow(double size) noexcept;

// The step of `size` (> 0 and finite) as the shortest decimal of up to 9 digits that
// holds it within 1e-12 relative; else powerOfTenBelow(size).
Step decimalStep(double size) noexcept;

// The same as a fraction of a denominator up to 4096 (5 mm in inches is 25/127);
// else powerOfTenBelow(size) as a fraction.
Step fractionStep(double size) noexcept;

// 10^e correctly rounded, read from the text "1e<e>" by the library's number reader:
// the runtime's pow need not round correctly (the Windows one is a unit off at 10^-22).
double powerOfTenFromText(int e) noexcept;

// The decimal steps' powers of ten, correctly rounded on every runtime: from a table for
// e from -22 to 22, which costs far less than the rest of a decimal format(), else read
// from their text.
inline double tenToThe(int e) noexcept {
  // One comparison for both ends.
  const unsigned index = static_cast<unsigned>(e) + stepTables::kMostTabledExponent;
  if (index <= 2 * stepTables::kMostTabledExponent) return stepTables::kPowersOfTen[index];
  return powerOfTenFromText(e);
}

// floor(log10(size)) for a positive finite size, exact at the powers of ten: estimated
// from the binary exponent and settled by comparing with tenToThe, which costs less than
// the logarithm; the second form takes the logarithm, for the tests that hold them equal.
inline int decimalExponentOf(double size) noexcept;
int decimalExponentOfByLog(double size) noexcept;

// 10^exponent10 as a step.
inline Step powerOfTen(int exponent10) noexcept { return Step{1, 1, exponent10}; }

// The whole number of steps that `steps` rounds to (see Rounding in PelUnitsFormat.h).
// A count within 8 units in its last place of a whole number or a tie counts as one. Counts
// past 2^52 are whole already and come back as they are, non-finite ones too.
//
// Its floor and ceiling convert to a 64-bit integer, which truncates in one instruction,
// where std::floor and std::ceil are library calls on the baseline x86-64 (it has no
// rounding instruction before SSE4.1): a tenth of a decimal format() in bench/report. For
// counts below 2^52 they give the number std::floor and std::ceil give, which a test holds;
// a zero may lose its sign, which no caller reads.
inline double floorOfCount(double count) noexcept {
  const double truncated = static_cast<double>(static_cast<std::int64_t>(count));
  return truncated > count ? truncated - 1.0 : truncated;
}
inline double ceilOfCount(double count) noexcept {
  const double truncated = static_cast<double>(static_cast<std::int64_t>(count));
  return truncated < count ? truncated + 1.0 : truncated;
}

inline double roundSteps(double steps, Rounding rounding) noexcept {
  if (!(std::fabs(steps) < stepTables::kTwo52)) return steps;
  const double scaledSlack = std::fabs(steps) * stepTables::kCountSlack;
  const double slack =
      scaledSlack < stepTables::kLargestCountSlack ? scaledSlack : stepTables::kLargestCountSlack;
  switch (rounding) {
    case Rounding::up:
      return ceilOfCount(steps - slack);
    case Rounding::down:
      return floorOfCount(steps + slack);
    default: {
      const double whole = floorOfCount(steps);
      const double rest = steps - whole;  // exact below 2^52
      if (std::fabs(rest - 0.5) <= slack) return steps < 0 ? whole : whole + 1.0;
      return rest < 0.5 ? whole : whole + 1.0;
    }
  }
}

int decimalExponentOf(double size) noexcept {
  int e = stepTables::binaryExponentOf(size) * stepTables::kLog10Of2Times4096 / 4096;
  while (tenToThe(e) > size) --e;
  while (tenToThe(e + 1) <= size) ++e;
  return e;
}

Step powerOfTenBelow(double size) noexcept { return powerOfTen(decimalExponentOf(size)); }

double Step::count(double x) const noexcept {
  const double perUnit = static_cast<double>(units);
  if (!isDecimal()) return x * static_cast<double>(denominator) / perUnit;
  // Multiplying by 10^3 is exact where dividing by 0.001 is not. A division by 1 is left
  // out, the same double at no cost.
  const double scaled = exponent10 < 0    ? x * tenToThe(-exponent10)
                        : exponent10 == 0 ? x
                                          : x / tenToThe(exponent10);
  return units == 1 ? scaled : scaled / perUnit;
}

double Step::times(double steps) const noexcept {
  const double size = isDecimal() ? static_cast<double>(units) * tenToThe(exponent10)
                                  : static_cast<double>(units) / static_cast<double>(denominator);
  return steps * size;
}

}  // namespace exact
}  // namespace pelunits
