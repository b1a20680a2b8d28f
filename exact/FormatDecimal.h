#pragma once

#include <cmath>

#include "FormatStep.h"
#include "KovString.h"
#include "KovUnitTransform.h"
#include "PelUnitsFormat.h"

// format()'s decimal form: the rounding to its step and the marks before its number,
// which both of its routes take.
namespace pelunits {
namespace exact {

// How far a shown value may lie from the value, relative to it, before the inexact
// marker shows.
constexpr double kInexact = 1e-9;
constexpr wchar_t kInexactMark = L'~';
constexpr wchar_t kMinusSign = L'\u2212';
constexpr wchar_t kPlusMinus = L'\u00B1';
// The marks before a number: the inexact marker and a sign.
constexpr int kMostMarks = 2;

inline bool exceedsTolerance(double shown, double value) noexcept {
  return std::fabs(shown - value) > kInexact * std::fabs(value);
}

inline bool asksSignificantDigits(const FormatOptions& options) noexcept {
  return options.significantDigits >= 1 && options.significantDigits <= 17;
}

// The step of the last of `digits` significant digits of `parts`.
inline Step significantStep(double parts, int digits) noexcept {
  return parts == 0.0 ? powerOfTen(0)
                      : powerOfTen(powerOfTenBelow(std::fabs(parts)).exponent10 - digits + 1);
}

// A decimal number rounded: the step it shows (the significant digits' step when the
// options ask for them), and the whole number of steps; not counted when the step lies
// far below the value's own resolution and the value shows its own digits.
struct DecimalRounding {
  Step step;
  double steps = 0.0;
  bool counted = false;
};

inline DecimalRounding roundDecimalSteps(double parts, Step step,
                                         const FormatOptions& options) noexcept {
  const bool significant = asksSignificantDigits(options);
  if (significant) step = significantStep(parts, options.significantDigits);
  DecimalRounding rounded;
  const double count = step.count(parts);
  rounded.counted = std::isfinite(count);
  if (rounded.counted) {
    rounded.steps = roundSteps(count, options.rounding);
    // 9.996 at three digits rounds to 10.00: one digit too many, and one step of ten more.
    if (significant && std::fabs(rounded.steps) >= tenToThe(options.significantDigits)) {
      rounded.steps /= 10.0;
      ++step.exponent10;
    }
  }
  rounded.step = step;
  return rounded;
}

// Writes the marks before a shown number at `out` (kMostMarks characters of room): '~'
// when it is inexact and the options ask for the marker, then the sign of a negative
// number that does not show as zero, or the plus sign the options ask for ('±' at zero).
// Returns how many it wrote.
inline int writeMarks(wchar_t* out, bool inexact, bool negative, bool zero,
                      const FormatOptions& options) noexcept {
  int n = 0;
  if (options.inexactMarker && inexact) out[n++] = kInexactMark;
  if (negative && !zero) {
    out[n++] = options.typographic ? kMinusSign : L'-';
  } else if (options.plusSign) {
    out[n++] = zero ? kPlusMinus : L'+';
  }
  return n;
}

// format() by the general route alone, without the one-buffer step that stands in front
// of it for decimal numbers: for the tests that hold the two equal.
KovString formatByGeneralRoute(const KovUnitTransform& unit, double internalValue,
                               const FormatOptions& options);

}  // namespace exact
}  // namespace pelunits
