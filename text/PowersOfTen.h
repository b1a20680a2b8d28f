#pragma once

#include <cstdint>

// The powers of ten that the number readers and writers scale by, written once.
namespace pelunits {

// 10^0 to 10^19, every power of ten that 64 bits hold.
constexpr int kLargestPowerOfTen64 = 19;
inline constexpr std::uint64_t kPowersOfTen[kLargestPowerOfTen64 + 1] = {1ULL,
                                                                         10ULL,
                                                                         100ULL,
                                                                         1000ULL,
                                                                         10000ULL,
                                                                         100000ULL,
                                                                         1000000ULL,
                                                                         10000000ULL,
                                                                         100000000ULL,
                                                                         1000000000ULL,
                                                                         10000000000ULL,
                                                                         100000000000ULL,
                                                                         1000000000000ULL,
                                                                         10000000000000ULL,
                                                                         100000000000000ULL,
                                                                         1000000000000000ULL,
                                                                         10000000000000000ULL,
                                                                         100000000000000000ULL,
                                                                         1000000000000000000ULL,
                                                                         10000000000000000000ULL};

// 10^0 to 10^22, the powers of ten that a double holds exactly (5^22 < 2^53). Each is
// the integer power converted, and those past 64 bits ten times the one before: both
// are exact, so no step rounds.
constexpr int kLargestExactPowerOfTen = 22;
struct ExactPowersOfTen {
  double power[kLargestExactPowerOfTen + 1];
};
constexpr ExactPowersOfTen exactPowersOfTen() {
  ExactPowersOfTen table{};
  for (int n = 0; n <= kLargestExactPowerOfTen; ++n) {
    table.power[n] = n <= kLargestPowerOfTen64 ? static_cast<double>(kPowersOfTen[n])
                                               : table.power[n - 1] * 10.0;
  }
  return table;
}
inline constexpr ExactPowersOfTen kExactPowersOfTenTable = exactPowersOfTen();
inline constexpr const double (&kExactPowersOfTen)[kLargestExactPowerOfTen + 1] =
    kExactPowersOfTenTable.power;

}  // namespace pelunits
