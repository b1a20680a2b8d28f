#pragma once

#include <climits>

// The precision of the units that keep a `denominator` instead of a number of
// decimals (the two fractional units and degrees-minutes-seconds): their public
// precision is the denominator itself. One implementation, used by each of them.
namespace pelunits {

// getPrecision: the denominator as it stands.
inline int denominatorPrecision(int denominator) noexcept { return denominator; }

// setPrecision of the fractional units: a denominator below 1 becomes 1.
inline int denominatorFromPrecision(int requested) noexcept {
  return requested < 1 ? 1 : requested;
}

// incrementPrecision of the fractional units: twice the denominator. A doubling
// that would pass the int range leaves it where it is (saturation at the last
// doubling, 2^30 from 4), so repeated steps never overflow.
inline int doubledDenominator(int denominator) noexcept {
  if (denominator < 1) return 1;
  return denominator > INT_MAX / 2 ? denominator : denominator * 2;
}

}  // namespace pelunits
