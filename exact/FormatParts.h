#pragma once

#include <cstdint>

#include "KovString.h"
#include "PelUnitsFormat.h"

// The texts of format()'s compound and fraction forms, from a rounded count of their
// smallest part: feet and inches, degrees, minutes and seconds, pounds and ounces, and
// a whole number with a fraction. Signs are the caller's.
namespace pelunits {
namespace exact {

// A magnitude in the smallest part (inches, seconds, ounces, display units): whole
// parts and a rest of rest / scale, below one.
struct PartCount {
  std::uint64_t whole = 0;
  std::uint64_t rest = 0;
  std::uint64_t scale = 1;  // 10^decimals for a decimal rest, else the denominator
  int decimals = 0;         // digits of a decimal rest
  bool fraction = false;    // the rest is written as a fraction
};

// The step in whole smallest parts when it is whole (12 for a foot), else 0: the parts
// below it are left out (‹5'›, ‹10°15'›, ‹2 lb›).
void appendFeetInches(KovString& text, const PartCount& count, std::uint64_t wholeStep,
                      const FormatOptions& options);
void appendDegreesMinutesSeconds(KovString& text, const PartCount& count, std::uint64_t wholeStep,
                                 const FormatOptions& options);
void appendPoundsOunces(KovString& text, const PartCount& count, std::uint64_t wholeStep,
                        const FormatOptions& options);
// ‹3 1/4›, ‹3-1/4› with another separator, ‹1/4›, ‹3›; typographic ‹3¼›.
void appendWholeAndFraction(KovString& text, const PartCount& count, const FormatOptions& options);

}  // namespace exact
}  // namespace pelunits
