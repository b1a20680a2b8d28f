#include "FormatStep.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "NumberScan.h"

namespace pelunits {
namespace exact {

namespace {

// How near a multiple a step's size must lie to count as it: far wider than the few
// roundings between a typed step and its size, far below a unit of its 9 digits.
constexpr double kSlack = 1e-12;
// How near a whole number or a tie a count must lie to count as it: 8 units in the last
// place, wider than the few roundings between a typed value and its count; at most
// 1/1024 of a step, where the count's last place grows coarse.
constexpr double kCountSlack = 1.0 / 1125899906842624.0;  // 2^-50
constexpr double kLargestCountSlack = 1.0 / 1024.0;
constexpr std::uint64_t kMostDecimalUnits = 1000000000;  // 9 digits
constexpr std::uint64_t kLargestDenominator = 4096;
constexpr double kTwo52 = 4503599627370496.0;

bool nearWhole(double x, double& whole) {
  whole = std::round(x);
  return whole >= 1.0 && std::fabs(x - whole) <= kSlack * x;
}

// 10^-22 to 10^22 as literals, each correctly rounded (from 10^0 on exact).
constexpr double kPowersOfTen[] = {1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14,
                                   1e-13, 1e-12, 1e-11, 1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,
                                   1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,
                                   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,
                                   1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21,  1e22};
constexpr unsigned kMostTabledExponent = 22;
// log10(2) in 4096ths: the binary exponent times it is within one of the decimal exponent.
constexpr int kLog10Of2Times4096 = 1233;

// ilogb(size) for a positive finite size, from the bits of a normal number.
int binaryExponentOf(double size) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &size, sizeof bits);
  const auto biased = static_cast<int>(bits >> 52);
  return biased != 0 ? biased - 1023 : std::ilogb(size);
}

// 10^e correctly rounded, read from the text "1e<e>" by the library's number reader:
// the runtime's pow need not round correctly (the Windows one is a unit off at 10^-22).
double readPowerOfTen(int e) noexcept {
  wchar_t text[8] = {L'1', L'e'};
  int length = 2;
  if (e < 0) text[length++] = L'-';
  const unsigned magnitude = e < 0 ? 0u - static_cast<unsigned>(e) : static_cast<unsigned>(e);
  if (magnitude > 999) return e < 0 ? 0.0 : HUGE_VAL;
  for (unsigned place = 100; place != 0; place /= 10) {
    if (magnitude >= place || place == 1)
      text[length++] = static_cast<wchar_t>(L'0' + magnitude / place % 10);
  }
  return pelunits::scanDouble(text, length).value;
}

}  // namespace

double tenToThe(int e) noexcept {
  // One comparison for both ends.
  const unsigned index = static_cast<unsigned>(e) + kMostTabledExponent;
  if (index <= 2 * kMostTabledExponent) return kPowersOfTen[index];
  return readPowerOfTen(e);
}

int decimalExponentOfByLog(double size) noexcept {
  int e = static_cast<int>(std::floor(std::log10(size)));
  if (readPowerOfTen(e) > size) --e;
  if (readPowerOfTen(e + 1) <= size) ++e;
  return e;
}

int decimalExponentOf(double size) noexcept {
  int e = binaryExponentOf(size) * kLog10Of2Times4096 / 4096;
  while (tenToThe(e) > size) --e;
  while (tenToThe(e + 1) <= size) ++e;
  return e;
}

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

Step powerOfTen(int exponent10) noexcept { return Step{1, 1, exponent10}; }

Step powerOfTenBelow(double size) noexcept { return powerOfTen(decimalExponentOf(size)); }

Step decimalStep(double size) noexcept {
  const int top = decimalExponentOf(size);
  for (int e = top; e > top - 9; --e) {
    const double scaled = e < 0 ? size * tenToThe(-e) : size / tenToThe(e);
    double whole = 0.0;
    if (nearWhole(scaled, whole) && whole < static_cast<double>(kMostDecimalUnits)) {
      return Step{static_cast<std::uint64_t>(whole), 1, e};
    }
  }
  return powerOfTen(top);
}

Step fractionStep(double size) noexcept {
  for (std::uint64_t d = 1; d <= kLargestDenominator; ++d) {
    double whole = 0.0;
    if (nearWhole(size * static_cast<double>(d), whole) &&
        whole < static_cast<double>(kMostDecimalUnits)) {
      return Step{static_cast<std::uint64_t>(whole), d, 0};
    }
  }
  const int e = decimalExponentOf(size);
  // Fractions have no exponent: 10^e as 10^e / 1 or 1 / 10^-e, 10^9 at most, which the
  // fraction arithmetic's 32 bits hold.
  const int places = e < -9 ? 9 : (e > 9 ? 9 : (e < 0 ? -e : e));
  const std::uint64_t power = pelunits::kPowersOfTen[places];
  return e >= 0 ? Step{power, 1, 0} : Step{1, power, 0};
}

double roundSteps(double steps, Rounding rounding) noexcept {
  if (!(std::fabs(steps) < kTwo52)) return steps;
  const double scaledSlack = std::fabs(steps) * kCountSlack;
  const double slack = scaledSlack < kLargestCountSlack ? scaledSlack : kLargestCountSlack;
  switch (rounding) {
    case Rounding::up:
      return std::ceil(steps - slack);
    case Rounding::down:
      return std::floor(steps + slack);
    default: {
      const double whole = std::floor(steps);
      const double rest = steps - whole;  // exact below 2^52
      if (std::fabs(rest - 0.5) <= slack) return steps < 0 ? whole : whole + 1.0;
      return rest < 0.5 ? whole : whole + 1.0;
    }
  }
}

}  // namespace exact
}  // namespace pelunits
