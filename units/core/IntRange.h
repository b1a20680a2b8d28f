#pragma once

// Conversions of doubles to int that never leave the int range: a cast of a double
// outside it is undefined, and displays meet such values (1e300 mm, 1e400 typed).

// Truncates toward zero into `out` and returns true when the result fits an int;
// returns false (and leaves `out` alone) for NaN, infinities and values outside.
inline bool truncateToInt(double value, int& out) noexcept {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return false;
  out = static_cast<int>(value);
  return true;
}
