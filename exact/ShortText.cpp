#include "ShortText.h"

#include <cstdint>

#include "NumberReading.h"
#include "TypedText.h"

namespace pelunits {
namespace exact {

namespace {

constexpr std::uint64_t kTwo53 = std::uint64_t{1} << 53;

// The step gives the exact numbers' values; a toolchain without 128-bit integers has
// none and reads every text in double arithmetic, through the grammar (ExactNumber.h).
#if defined(__SIZEOF_INT128__)
constexpr bool kExactIntegers = true;

// a × b when it stays below 2^53: one multiplication, no division to test for room.
bool productBelow53(std::uint64_t a, std::uint64_t b, std::uint64_t& out) {
  const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
  if (product >= kTwo53) return false;
  out = static_cast<std::uint64_t>(product);
  return true;
}
#else
constexpr bool kExactIntegers = false;
bool productBelow53(std::uint64_t, std::uint64_t, std::uint64_t&) { return false; }
#endif

// numerator / denominator, both below 2^53 and so exact as doubles: one IEEE division
// rounds the quotient correctly.
double quotient(std::uint64_t numerator, std::uint64_t denominator, bool negative) {
  // Through the signed type, which converts in one instruction: both fit it.
  const double q = static_cast<double>(static_cast<std::int64_t>(numerator)) /
                   static_cast<double>(static_cast<std::int64_t>(denominator));
  return negative ? -q : q;
}

// A count of the chain's smallest unit: numerator / denominator, both below 2^53.
struct Count {
  std::uint64_t numerator = 0;
  std::uint64_t denominator = 1;

  // Adds numerator / denominator × multiple; false when the integers would pass 2^53.
  bool add(std::uint64_t n, std::uint64_t d, std::uint64_t multiple) {
    std::uint64_t scaled = 0;
    if (!productBelow53(n, multiple, scaled)) return false;
    if (d == denominator) {
      numerator += scaled;
      return numerator < kTwo53;
    }
    std::uint64_t left = 0, right = 0;
    if (!productBelow53(numerator, d, left) || !productBelow53(scaled, denominator, right) ||
        !productBelow53(denominator, d, denominator)) {
      return false;
    }
    numerator = left + right;
    return numerator < kTwo53;
  }
};

// A unit of the field's chain: how many of the smallest unit it counts, and its rank
// (larger units first, each rank at most once).
struct ChainUnit {
  std::uint64_t multiple;
  int rank;
};

// The chains: each unit's multiple of the smallest, and the smallest unit's size in
// internal units.
constexpr ChainUnit kFoot{12, 2}, kInch{1, 1};
constexpr ChainUnit kDegree{3600, 3}, kMinute{60, 2}, kSecond{1, 1};
constexpr ChainUnit kPound{16, 2}, kOunce{1, 1};
constexpr Ratio kMillimetresPerInch = definitions::kInch;
constexpr Ratio kDegreesPerSecond{1, 3600};
constexpr Ratio kGramsPerLegalOunce = definitions::kOunce;
constexpr Ratio kGramsPerUnitOunce = definitions::kUnitOunce;

// n / (d × 10^places) in the display unit.
inline bool plainValue(const Field& field, std::uint64_t n, std::uint64_t d, int places,
                       bool negative, double& value) {
  std::uint64_t numerator = 0, denominator = 0;
  if (!field.displayRatioSmall || !productBelow53(n, field.displayRatio.numerator, numerator) ||
      !productBelow53(d * kPowersOfTen[places], field.displayRatio.denominator, denominator)) {
    return false;
  }
  if (numerator == 0) {
    // The grammar's double product keeps the signs of a zero.
    const double magnitude = n == 0 ? 0.0 : 1.0;
    value = (negative ? -magnitude : magnitude) * field.displaySize;
  } else {
    value = quotient(numerator, denominator, negative != field.displayRatioNegative);
  }
  return true;
}

bool chainValue(const Count& count, Ratio smallest, bool negative, double& value) {
  std::uint64_t numerator = 0, denominator = 0;
  if (!productBelow53(count.numerator, smallest.numerator, numerator) ||
      !productBelow53(count.denominator, smallest.denominator, denominator)) {
    return false;
  }
  value = numerator == 0 ? (negative ? -0.0 : 0.0) : quotient(numerator, denominator, negative);
  return true;
}

// A plain number as its digits, the count of them after the separator, and its sign;
// `read` false for a text that is no such number.
struct ShortDecimal {
  std::uint64_t mantissa = 0;
  int fractionDigits = 0;
  bool negative = false;
  bool read = false;
};

// A whole text that is a plain number of up to 15 digits with an optional sign and
// the style's decimal separator ("-12.345", " 5 "); false for anything else. One pass:
// the separator is tested only where a character is not a digit.
inline ShortDecimal plainNumber(const wchar_t* text, std::size_t length, wchar_t decimal) {
  ShortDecimal number;
  std::size_t begin = 0;
  std::size_t end = length;
  while (begin < end && text[begin] == L' ') ++begin;
  while (end > begin && text[end - 1] == L' ') --end;
  if (end == begin || end - begin > 17) return number;
  // A plain number ends in a digit or the separator: texts in units leave here.
  const auto last = static_cast<unsigned long>(text[end - 1]);
  if (last - L'0' > 9 && text[end - 1] != decimal) return number;
  number.negative = text[begin] == L'-';
  if (number.negative || text[begin] == L'+') ++begin;
  std::uint64_t mantissa = 0;
  std::size_t point = end;
  for (std::size_t i = begin; i < end; ++i) {
    const auto digit = static_cast<std::uint64_t>(static_cast<unsigned long>(text[i]) - L'0');
    if (digit < 10) {
      mantissa = mantissa * 10 + digit;
    } else if (text[i] == decimal && point == end) {
      point = i;
    } else {
      return number;
    }
  }
  const std::size_t digits = end - begin - (point < end ? 1 : 0);
  if (digits == 0 || digits > 15) return number;
  number.mantissa = mantissa;
  number.fractionDigits = point < end ? static_cast<int>(end - point - 1) : 0;
  number.read = true;
  return number;
}

enum class Chain { none, imperialLength, sexagesimal, imperialWeight };

// Printable ASCII and the degree sign map to themselves; other characters go through
// the plain table.
wchar_t plainAt(wchar_t c) {
  return (c > L' ' && c < 0x7F) || c == L'\u00B0' ? c : plainCharacter(c);
}

class ShortReader {
 public:
  ShortReader(const wchar_t* text, std::size_t length, const Field& field)
      : t_(text), n_(length), field_(field) {
    while (n_ > 0 && plainAt(t_[n_ - 1]) == L' ') --n_;
  }

  bool read(double& value) {
    Chain chain = Chain::none;
    Ratio smallest{1, 1};
    if (field_.quantity == Quantity::length && field_.power == 1) {
      chain = Chain::imperialLength;
      smallest = kMillimetresPerInch;
    } else if (field_.quantity == Quantity::angle) {
      chain = Chain::sexagesimal;
      smallest = kDegreesPerSecond;
    } else if (field_.quantity == Quantity::weight) {
      chain = Chain::imperialWeight;
      smallest = field_.unitOunce ? kGramsPerUnitOunce : kGramsPerLegalOunce;
    }
    skipBlanks();
    bool negative = false;
    if (at(L'-') || at(L'+')) {
      negative = at(L'-');
      ++pos_;
      skipBlanks();
    }
    Count count;
    int previousRank = 0;
    for (;;) {
      std::uint64_t n = 0, d = 1;
      if (!magnitude(n, d)) return false;
      skipBlanks();
      if (pos_ >= n_) {
        if (previousRank == 0) return plainValue(field_, n, d, 0, negative, value);
        if (previousRank == 1) return false;  // "a unit is missing": the grammar says so
        // The last part's unit may go unwritten: "5'6", "10°30", "2 lb 3".
        return count.add(n, d, impliedMultiple(chain, previousRank)) &&
               chainValue(count, smallest, negative, value);
      }
      ChainUnit unit{0, 0};
      if (chain == Chain::none || ownSymbolAt(pos_) || !unitAt(chain, unit)) return false;
      if (previousRank != 0 && unit.rank >= previousRank) return false;
      if (!count.add(n, d, unit.multiple)) return false;
      previousRank = unit.rank;
      // The next part follows blanks, or a '-' that touches the foot mark ("5'-6\"").
      if (chain == Chain::imperialLength && unit.rank == 2 && at(L'-') && digitAt(pos_ + 1)) {
        ++pos_;
      } else {
        skipBlanks();
        if (pos_ >= n_) return chainValue(count, smallest, negative, value);
      }
      if (unit.rank == 1 || !digitAt(pos_)) return false;
    }
  }

 private:
  // The plain character at pos_, 0 at the end; read once per decision.
  wchar_t peek() const { return pos_ < n_ ? plainAt(t_[pos_]) : 0; }
  bool at(wchar_t c) const { return peek() == c; }
  bool digitAt(std::size_t i) const { return i < n_ && isDigit(t_[i]); }
  void skipBlanks() {
    while (pos_ < n_ && plainAt(t_[pos_]) == L' ') ++pos_;
  }

  // Up to 15 digits at pos_, read into `out`; false when none or more stand there.
  bool digits(std::uint64_t& out, int& count) {
    const std::size_t start = pos_;
    out = 0;
    while (digitAt(pos_)) out = out * 10 + static_cast<std::uint64_t>(t_[pos_++] - L'0');
    count = static_cast<int>(pos_ - start);
    return count > 0 && count <= 15;
  }

  // A magnitude as n / d: "12", "12.25", "12/16", "4 12/16". Anything the grammar
  // reads in another way (a second separator, an exponent, a sign, a vulgar fraction)
  // leaves it to the grammar.
  bool magnitude(std::uint64_t& n, std::uint64_t& d) {
    int count = 0;
    if (!digits(n, count)) return false;
    d = 1;
    const wchar_t next = peek();
    if (next == L'.') {
      ++pos_;
      std::uint64_t fraction = 0;
      int places = 0;
      if (!digits(fraction, places) || count + places > 15) return false;
      d = kPowersOfTen[places];
      n = n * d + fraction;
      return !endsNumberAnotherWay(peek());
    }
    if (next == L'/') {
      ++pos_;
      return denominator(d) && n < kTwo53;
    }
    if (next == L'e' || next == L'E') return false;
    // A whole number, then a fraction after blanks: "4 12/16".
    const std::size_t afterWhole = pos_;
    skipBlanks();
    if (pos_ == afterWhole || !digitAt(pos_)) {
      pos_ = afterWhole;
      return true;
    }
    std::uint64_t top = 0;
    if (!digits(top, count) || !at(L'/')) return false;
    ++pos_;
    std::uint64_t whole = n;
    return denominator(d) && productBelow53(whole, d, whole) && (n = whole + top) < kTwo53;
  }

  bool denominator(std::uint64_t& d) {
    int count = 0;
    return digits(d, count) && d != 0 && !endsNumberAnotherWay(peek()) && peek() != L'/';
  }

  // A second separator or an exponent: the general number scan reads those.
  static bool endsNumberAnotherWay(wchar_t c) { return c == L'.' || c == L'e' || c == L'E'; }

  // The unit's own symbol at `i`: the grammar gives it a meaning of its own.
  bool ownSymbolAt(std::size_t i) const {
    if (field_.symbolLength == 0) return false;
    std::size_t k = 0;
    while (k < field_.symbolLength && i + k < n_ &&
           plainCharacter(field_.symbol[k]) == plainAt(t_[i + k])) {
      ++k;
    }
    return k == field_.symbolLength && (i + k >= n_ || !isAsciiLetter(t_[i + k]));
  }

  // The chain's mark or word at pos_, which it passes; false for anything else,
  // and for a word that runs on into letters.
  bool unitAt(Chain chain, ChainUnit& unit) {
    const wchar_t c = peek();
    std::size_t length = 1;
    if (chain == Chain::imperialWeight) {
      if (c == L'l' && charIs(pos_ + 1, L'b')) {
        unit = kPound;
        length = charIs(pos_ + 2, L's') ? 3 : 2;
      } else if (c == L'o' && charIs(pos_ + 1, L'z')) {
        unit = kOunce;
        length = 2;
      } else {
        return false;
      }
    } else if (c == L'\'') {
      const bool twoPrimes = pos_ + 1 < n_ && plainAt(t_[pos_ + 1]) == L'\'';
      length = twoPrimes ? 2 : 1;
      if (chain == Chain::sexagesimal) {
        unit = twoPrimes ? kSecond : kMinute;
      } else {
        unit = twoPrimes ? kInch : kFoot;
      }
    } else if (c == L'"') {
      unit = chain == Chain::sexagesimal ? kSecond : kInch;
    } else if (c == L'\u00B0' && chain == Chain::sexagesimal) {
      unit = kDegree;
    } else {
      return false;
    }
    pos_ += length;
    return pos_ >= n_ || !isAsciiLetter(t_[pos_]);
  }

  bool charIs(std::size_t i, wchar_t c) const { return i < n_ && t_[i] == c; }

  static std::uint64_t impliedMultiple(Chain chain, int previousRank) {
    if (chain == Chain::sexagesimal && previousRank == 3) return kMinute.multiple;
    return 1;  // seconds after minutes, inches after feet, ounces after pounds
  }

  const wchar_t* t_;
  std::size_t n_;
  const Field& field_;
  std::size_t pos_ = 0;
};

}  // namespace

bool readShortText(const wchar_t* text, std::size_t length, const Field& field,
                   double& value) noexcept {
  if (!kExactIntegers) return false;
  const ShortDecimal number = plainNumber(text, length, field.style.decimal);
  if (number.read) {
    return plainValue(field, number.mantissa, 1, number.fractionDigits, number.negative, value);
  }
  // Compounds and fractions in the neutral form only: the regional forms' separators
  // and groups are the grammar's.
  if (field.style.decimal != L'.' || field.style.group != 0) return false;
  return ShortReader(text, length, field).read(value);
}

bool readShortNeutralNumber(const wchar_t* text, std::size_t length, const KovUnitTransform& unit,
                            double& value) noexcept {
  if (!kExactIntegers || unit.getUseRegionalSettings() != 0) return false;
  const ShortDecimal number = plainNumber(text, length, L'.');
  if (!number.read) return false;
  return plainValue(fieldFactsOf(unit), number.mantissa, 1, number.fractionDigits, number.negative,
                    value);
}

}  // namespace exact
}  // namespace pelunits
