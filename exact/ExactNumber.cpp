#include "ExactNumber.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pelunits {
namespace exact {

#if defined(__SIZEOF_INT128__)

namespace {

using Wide = unsigned __int128;

constexpr Wide kTwo53 = static_cast<Wide>(1) << 53;
constexpr Wide kTwo63 = static_cast<Wide>(1) << 63;
constexpr Wide kTwo64 = static_cast<Wide>(1) << 64;

// a × b unless it overflows. Parts that fit 64 bits, as nearly all do, take one
// 64-by-64-bit multiplication that cannot overflow instead of the checked 128-bit one.
bool multiplied(Wide a, Wide b, Wide& out) {
  if (((a | b) >> 64) == 0) {
    out = static_cast<Wide>(static_cast<std::uint64_t>(a)) * static_cast<std::uint64_t>(b);
    return true;
  }
  return !__builtin_mul_overflow(a, b, &out);
}

Wide gcd(Wide a, Wide b) {
  while (b != 0) {
    const Wide r = a % b;
    a = b;
    b = r;
  }
  return a;
}

int bitLength(Wide value) {
  int bits = 0;
  if (value >= kTwo64) {
    value >>= 64;
    bits = 64;
  }
  const auto low = static_cast<std::uint64_t>(value);
  return low == 0 ? bits : bits + 64 - __builtin_clzll(low);
}

// quotient × 2^exponent, with `sticky` for any bits below it, to the nearest double
// (ties to even). The quotient has 64 significant bits.
double rounded(Wide quotient, int exponent, bool sticky) {
  auto kept = static_cast<std::uint64_t>(quotient >> 11);
  const auto dropped = static_cast<std::uint64_t>(quotient & 0x7FF);
  if (dropped > 0x400 || (dropped == 0x400 && (sticky || (kept & 1) != 0))) ++kept;
  return std::ldexp(static_cast<double>(kept), exponent + 11);
}

bool powerOfTen(int exponent, Wide& out) {
  if (exponent < 0 || exponent > 2 * kLargestPowerOfTen64) return false;  // 10^38 < 2^128
  if (exponent <= kLargestPowerOfTen64) {
    out = kPowersOfTen[exponent];
  } else {
    out = static_cast<Wide>(kPowersOfTen[kLargestPowerOfTen64]) *
          kPowersOfTen[exponent - kLargestPowerOfTen64];
  }
  return true;
}

}  // namespace

ExactNumber ExactNumber::of(Ratio ratio) {
  ExactNumber x;
  if (ratio.denominator == 0) return x;
  x.numerator_ = ratio.numerator;
  x.denominator_ = ratio.denominator;
  x.exact_ = true;
  return x;
}

ExactNumber ExactNumber::decimal(std::uint64_t mantissa, int exponent10) {
  ExactNumber x;
  Wide power = 1;
  if (!powerOfTen(exponent10 < 0 ? -exponent10 : exponent10, power)) return x;
  if (exponent10 >= 0) {
    if (!multiplied(mantissa, power, x.numerator_)) return x;
  } else {
    x.numerator_ = mantissa;
    x.denominator_ = power;
  }
  x.exact_ = true;
  return x;
}

ExactNumber ExactNumber::ofDouble(double value) {
  ExactNumber x;
  if (!std::isfinite(value)) return x;
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exponent -= 53;
  if (exponent >= 0) {
    if (exponent > 70) return x;
    x.numerator_ = static_cast<Wide>(mantissa) << exponent;
  } else {
    if (-exponent > 127) return x;
    x.numerator_ = mantissa;
    x.denominator_ = static_cast<Wide>(1) << -exponent;
  }
  x.negative_ = value < 0;
  x.exact_ = true;
  return x;
}

bool ExactNumber::smallRatio(Ratio& out, bool& negative) const {
  if (!exact_ || (numerator_ >> 64) != 0 || (denominator_ >> 64) != 0) return false;
  out = Ratio{static_cast<std::uint64_t>(numerator_), static_cast<std::uint64_t>(denominator_)};
  negative = negative_;
  return true;
}

void ExactNumber::add(const ExactNumber& other) {
  if (!exact_ || !other.exact_) {
    exact_ = false;
    return;
  }
  Wide a = numerator_, b = denominator_, c = other.numerator_, d = other.denominator_;
  Wide left = 0, right = 0, denominator = 0;
  if (b == d) {
    left = a;
    right = c;
    denominator = b;
  } else if (!multiplied(a, d, left) || !multiplied(c, b, right) ||
             !multiplied(b, d, denominator)) {
    // Once more over the least common denominator.
    const Wide g = gcd(b, d);
    if (!multiplied(a, d / g, left) || !multiplied(c, b / g, right) ||
        !multiplied(b / g, d, denominator)) {
      exact_ = false;
      return;
    }
  }
  if (negative_ == other.negative_) {
    numerator_ = left + right;
    if (numerator_ < left) exact_ = false;
  } else if (left >= right) {
    numerator_ = left - right;
  } else {
    numerator_ = right - left;
    negative_ = !negative_;
  }
  denominator_ = denominator;
}

void ExactNumber::multiply(const ExactNumber& other) {
  if (!exact_ || !other.exact_) {
    exact_ = false;
    return;
  }
  Wide numerator = 0, denominator = 0;
  if (!multiplied(numerator_, other.numerator_, numerator) ||
      !multiplied(denominator_, other.denominator_, denominator)) {
    // Cancel across first: (a/b)(c/d) = (a/gcd(a,d))(c/gcd(c,b)) / ...
    const Wide g1 = gcd(numerator_, other.denominator_);
    const Wide g2 = gcd(other.numerator_, denominator_);
    const Wide a = g1 != 0 ? numerator_ / g1 : 0, d = g1 != 0 ? other.denominator_ / g1 : 1;
    const Wide c = g2 != 0 ? other.numerator_ / g2 : 0, b = g2 != 0 ? denominator_ / g2 : 1;
    if (!multiplied(a, c, numerator) || !multiplied(b, d, denominator)) {
      exact_ = false;
      return;
    }
  }
  numerator_ = numerator;
  denominator_ = denominator;
  negative_ = negative_ != other.negative_;
}

void ExactNumber::divide(const ExactNumber& other) {
  if (!other.exact_ || other.numerator_ == 0) {
    exact_ = false;
    return;
  }
  ExactNumber inverse = other;
  inverse.numerator_ = other.denominator_;
  inverse.denominator_ = other.numerator_;
  multiply(inverse);
}

void ExactNumber::raise(int power) {
  const ExactNumber base = *this;
  numerator_ = 1;
  denominator_ = 1;
  negative_ = false;
  for (int i = 0; i < power && exact_; ++i) multiply(base);
}

bool ExactNumber::nearestDouble(double& out) const {
  if (!exact_) return false;
  if (numerator_ == 0) {
    // Zero exactly: the double arithmetic's zero keeps its sign ("-0"); a rounding
    // residue of a difference that is zero ("1248 in - 104'") becomes 0.
    if (out != 0.0) out = 0.0;
    return true;
  }
  double magnitude = 0.0;
  if (numerator_ < kTwo53 && denominator_ < kTwo53) {
    // Both exact in a double: one IEEE division rounds correctly.
    magnitude = static_cast<double>(numerator_) / static_cast<double>(denominator_);
  } else if (numerator_ < kTwo64 && denominator_ < kTwo64) {
    // The quotient to 64 or 65 bits in one division of the shifted numerator, then
    // rounded to 53 with the remainder as the sticky bit.
    const int shift = 64 + bitLength(denominator_) - bitLength(numerator_);
    const Wide shifted = numerator_ << shift;
    Wide quotient = shifted / denominator_;
    bool sticky = shifted % denominator_ != 0;
    int exponent = -shift;
    while (quotient >= kTwo64) {
      sticky = sticky || (quotient & 1) != 0;
      quotient >>= 1;
      ++exponent;
    }
    magnitude = rounded(quotient, exponent, sticky);
  } else {
    // The quotient to 64 bits by long division, then rounded to 53 with the
    // remainder's bits as the sticky bit. The value lies within 2^±128, so it is
    // never subnormal and never overflows.
    Wide quotient = numerator_ / denominator_;
    Wide remainder = numerator_ % denominator_;
    int exponent = 0;
    bool sticky = false;
    while (quotient >= kTwo64) {
      sticky = sticky || (quotient & 1) != 0;
      quotient >>= 1;
      ++exponent;
    }
    while (quotient < kTwo63) {
      quotient <<= 1;
      --exponent;
      if (remainder >= denominator_ - remainder) {
        remainder -= denominator_ - remainder;
        quotient |= 1;
      } else {
        remainder += remainder;
      }
    }
    sticky = sticky || remainder != 0;
    magnitude = rounded(quotient, exponent, sticky);
  }
  out = negative_ ? -magnitude : magnitude;
  return true;
}

#else  // no 128-bit integers: every number is inexact

ExactNumber ExactNumber::of(Ratio) { return ExactNumber(); }
ExactNumber ExactNumber::decimal(std::uint64_t, int) { return ExactNumber(); }
ExactNumber ExactNumber::ofDouble(double) { return ExactNumber(); }
bool ExactNumber::smallRatio(Ratio&, bool&) const { return false; }
void ExactNumber::add(const ExactNumber&) {}
void ExactNumber::multiply(const ExactNumber&) {}
void ExactNumber::divide(const ExactNumber&) {}
void ExactNumber::raise(int) {}
bool ExactNumber::nearestDouble(double&) const { return false; }

#endif

namespace {

// The derived units whose factor no short decimal writes, by their definitions.
constexpr Ratio kDefinedSizes[] = {
    definitions::kPoundForceFoot, definitions::kKipFoot, definitions::kPoundForceInch,
    definitions::kKipInch,        definitions::kPsi,     definitions::kKsi,
};

bool withinTwoUlps(double a, double b) {
  return a == b || std::nextafter(a, b) == b || std::nextafter(std::nextafter(a, b), b) == b;
}

// The shortest decimal of up to 15 significant digits that reads back as `value`.
bool shortDecimal(double value, ExactNumber& out) {
  char text[40];
  for (int digits = 1; digits <= 15; ++digits) {
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    if (std::strtod(text, nullptr) != value) continue;
    std::uint64_t mantissa = 0;
    const char* p = text;
    bool negative = false;
    if (*p == '-') {
      negative = true;
      ++p;
    }
    int fractionDigits = 0;
    bool point = false;
    for (; *p != 'e'; ++p) {
      if (*p == '.') {
        point = true;
        continue;
      }
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
      if (point) ++fractionDigits;
    }
    const int exponent = std::atoi(p + 1);
    out = ExactNumber::decimal(mantissa, exponent - fractionDigits);
    if (negative) out.negate();
    return out.exact();
  }
  return false;
}

}  // namespace

ExactNumber exactFactor(double factor) {
  for (const Ratio& defined : kDefinedSizes) {
    const ExactNumber size = ExactNumber::of(defined);
    double rounded = 0.0;
    if (size.nearestDouble(rounded) && withinTwoUlps(rounded, factor)) return size;
  }
  ExactNumber decimal;
  if (shortDecimal(factor, decimal)) return decimal;
  return ExactNumber::ofDouble(factor);
}

}  // namespace exact
}  // namespace pelunits
