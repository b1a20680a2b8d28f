#include "FormatStep.h"

#include <cmath>
#include <cstdint>

#include "NumberScan.h"

namespace pelunits {
namespace exact {

namespace {

// How near a multiple a step's size must lie to count as it: far wider than the few
// roundings between a typed step and its size, far below a unit of its 9 digits.
constexpr double kSlack = 1e-12;
constexpr std::uint64_t kMostDecimalUnits = 1000000000;  // 9 digits
constexpr std::uint64_t kLargestDenominator = 4096;

bool nearWhole(double x, double& whole) {
  whole = std::round(x);
  return whole >= 1.0 && std::fabs(x - whole) <= kSlack * x;
}

}  // namespace

double powerOfTenFromText(int e) noexcept {
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

int decimalExponentOfByLog(double size) noexcept {
  int e = static_cast<int>(std::floor(std::log10(size)));
  if (powerOfTenFromText(e) > size) --e;
  if (powerOfTenFromText(e + 1) <= size) ++e;
  return e;
}

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

}  // namespace exact
}  // namespace pelunits
