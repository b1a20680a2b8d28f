#include "QuantityGrammar.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "NumberReading.h"
#include "TypedText.h"
#include "UnitWords.h"

namespace pelunits {
namespace exact {

namespace {

const char* const kOtherQuantity[] = {
    "unit of another quantity: a length is expected",
    "unit of another quantity: an angle is expected",
    "unit of another quantity: a weight is expected",
    "unit of another quantity: a force is expected",
    "unit of another quantity: a moment is expected",
    "unit of another quantity: a stress is expected",
};

bool isSuperscriptPower(wchar_t c, int& power) {
  if (c == L'\u00B2')
    power = 2;
  else if (c == L'\u00B3')
    power = 3;
  else if (c == L'\u2074')
    power = 4;
  else
    return false;
  return true;
}

// A value both exactly and in double arithmetic: the exact one gives the result,
// rounded once, unless it left the exact numbers' range (ExactNumber.h).
struct Value {
  double number = 0.0;
  ExactNumber exact;
  bool plain = true;  // no unit: in the display unit when it stands in a sum
};

// A whole number, as a ratio over 1 where 64 bits hold it.
ExactNumber wholeNumber(double x) {
  const double magnitude = std::fabs(x);
  ExactNumber n = magnitude < 1e19 ? ExactNumber::ofInteger(static_cast<std::uint64_t>(magnitude))
                                   : ExactNumber::ofDouble(magnitude);
  if (x < 0) n.negate();
  return n;
}

ExactNumber withSign(ExactNumber x, double sign) {
  if (sign < 0) x.negate();
  return x;
}

// A word that no smaller unit follows: one outside every chain ("mm") or the smallest
// of its chain ("in", "oz", the seconds mark).
bool endsChain(const UnitWord& word) {
  return word.chain == kNoChain || word.rank <= kSmallestRank;
}

// Feet, inches and yards, the one chain of lengths: a '-' may join its parts.
bool isFeetAndInches(const UnitWord& word) {
  return word.chain != kNoChain && word.quantity == Quantity::length;
}

class Reader {
 public:
  Reader(const wchar_t* text, std::size_t length, const Field& field, const Placement& placement)
      : t_(text),
        n_(length),
        field_(field),
        placement_(placement),
        style_(field.style),
        displaySize_(field.displaySize),
        displayExact_(field.displayExact),
        words_{field.quantity, field.symbol, field.symbolLength, field.unitOunce} {
    while (n_ > 0 && t_[n_ - 1] == L' ') --n_;
  }

  ReadResult read() {
    ReadResult result;
    Value v;
    skipBlanks();
    // '~' marks a display that rounding made inexact: it says nothing of the value.
    if (at(L'~')) {
      ++pos_;
      skipBlanks();
    }
    // '±' stands before a quantity that shows as zero, as on a level at the datum.
    const std::size_t plusMinusAt = pos_;
    const bool plusMinus = at(L'\u00B1');
    if (plusMinus) {
      ++pos_;
      skipBlanks();
      if (at(L'-') || at(L'+') || at(L'\u00B1')) {
        fail(pos_, "a second sign inside a quantity");
        return failure();
      }
    }
    if (!sum(v)) return failure();
    skipBlanks();
    if (field_.echo && at(L'(') && !echo()) return failure();
    if (pos_ < n_) {
      fail(pos_, "unexpected text");
      return failure();
    }
    result.status = ReadStatus::complete;
    result.value = v.plain ? v.number * field_.displaySize : v.number;
    ExactNumber exact = v.exact;
    if (v.plain) exact.multiply(field_.displayExact);
    exact.nearestDouble(result.value);
    if (plusMinus && result.value != 0.0) {
      fail(plusMinusAt, "a plus-minus sign stands only before zero");
      return failure();
    }
    if (placement_.negate || placement_.offset != 0.0) {
      result.value =
          (v.plain ? v.number * field_.displaySize : v.number) * (placement_.negate ? -1.0 : 1.0) +
          placement_.offset;
      if (placement_.negate) exact.negate();
      exact.add(wholeNumber(placement_.offset));
      exact.nearestDouble(result.value);
    }
    result.position = pos_;
    return result;
  }

 private:
  // The echo in parentheses after a quantity, "(0.68 kg)", in the echo's own unit; it
  // changes nothing.
  bool echo() {
    ++pos_;
    style_ = field_.echoStyle;
    displaySize_ = field_.echoSize;
    displayExact_ = field_.echoExact;
    Value echoed;
    skipBlanks();
    if (!sum(echoed)) return false;
    skipBlanks();
    if (!at(L')')) return fail(pos_, "')' is missing");
    ++pos_;
    skipBlanks();
    return true;
  }

  bool at(wchar_t c) const { return pos_ < n_ && t_[pos_] == c; }
  wchar_t charAt(std::size_t i) const { return i < n_ ? t_[i] : 0; }
  bool skipBlanks() {
    const std::size_t start = pos_;
    pos_ = afterBlanks(t_, pos_, n_);
    return pos_ > start;
  }
  bool fail(std::size_t where, const char* message) {
    if (message_ == nullptr) {
      failAt_ = where;
      message_ = message;
    }
    return false;
  }
  ReadResult failure() const {
    ReadResult result;
    result.status = failAt_ >= n_ ? ReadStatus::incomplete : ReadStatus::invalid;
    result.position = failAt_ > n_ ? n_ : failAt_;
    result.message = message_ != nullptr ? message_ : "unreadable";
    return result;
  }
  double inDisplayUnit(const Value& v) const {
    return v.plain ? v.number * displaySize_ : v.number;
  }
  ExactNumber exactInDisplayUnit(const Value& v) const {
    ExactNumber x = v.exact;
    if (v.plain) x.multiply(displayExact_);
    return x;
  }

  bool sum(Value& out) {
    if (!term(out)) return false;
    for (;;) {
      const std::size_t save = pos_;
      const bool blankBefore = skipBlanks();
      double sign = 0.0;
      if (at(L'+')) {
        sign = 1.0;
        ++pos_;
      } else if (at(L'-') && blankBefore) {
        if (pos_ + 1 >= n_) return fail(n_, "a quantity is missing");
        if (t_[pos_ + 1] != L' ') {
          return fail(pos_, "a '-' between quantities needs a blank on both sides");
        }
        sign = -1.0;
        ++pos_;
      } else {
        pos_ = save;
        return true;
      }
      skipBlanks();
      Value right;
      if (!term(right)) return false;
      // A bare number in a sum is in the display unit; so is a sum of bare numbers.
      if (out.plain && right.plain) {
        out.number += sign * right.number;
        out.exact.add(withSign(right.exact, sign));
      } else {
        out.number = inDisplayUnit(out) + sign * inDisplayUnit(right);
        out.exact = exactInDisplayUnit(out);
        out.exact.add(withSign(exactInDisplayUnit(right), sign));
        out.plain = false;
      }
    }
  }

  bool term(Value& out) {
    if (!signedCompound(out)) return false;
    for (;;) {
      const std::size_t save = pos_;
      skipBlanks();
      const bool times = at(L'*');
      if (!times && !at(L'/')) {
        pos_ = save;
        return true;
      }
      ++pos_;
      skipBlanks();
      const std::size_t rightAt = pos_;
      Value right;
      if (!signedCompound(right)) return false;
      if (times) {
        if (!out.plain && !right.plain) return fail(rightAt, "multiply by a plain number");
        out.number *= right.number;
        out.exact.multiply(right.exact);
        out.plain = out.plain && right.plain;
      } else {
        if (!right.plain) return fail(rightAt, "divide by a plain number");
        if (right.number == 0.0) return fail(rightAt, "division by zero");
        out.number /= right.number;
        out.exact.divide(right.exact);
      }
    }
  }

  bool signedCompound(Value& out) {
    skipBlanks();
    double sign = 1.0;
    if (at(L'-') || at(L'+')) {
      sign = at(L'-') ? -1.0 : 1.0;
      ++pos_;
      skipBlanks();  // "- 10 ft", "+ 1e3 mm": blanks may follow a leading sign
    }
    if (pos_ >= n_) return fail(n_, "a number is missing");
    if (at(L'(')) {
      if (!group(out)) return false;
    } else if (!compound(out)) {
      return false;
    }
    out.number *= sign;
    if (sign < 0) out.exact.negate();
    return true;
  }

  // A sum in parentheses where a quantity begins: "(5'6\") / 2", "2 * (3' + 4 1/2\")".
  // The pound-and-ounce echo "(0.68 kg)" follows a quantity instead, with no operator
  // before it: echo() takes that one.
  bool group(Value& out) {
    constexpr int kDeepest = 32;  // far beyond typed arithmetic, well inside the stack
    if (depth_ == kDeepest) return fail(pos_, "parentheses nested too deeply");
    ++pos_;
    ++depth_;
    const bool read = sum(out);
    --depth_;
    if (!read) return false;
    skipBlanks();
    if (!at(L')')) return fail(pos_, "')' is missing");
    ++pos_;
    return true;
  }

  // "nan", "inf", "infinity" as the displays write them.
  bool nonFinite(Value& out) {
    static constexpr struct {
      const wchar_t* word;
      std::size_t length;
      double value;
    } kWords[] = {{L"infinity", 8, std::numeric_limits<double>::infinity()},
                  {L"inf", 3, std::numeric_limits<double>::infinity()},
                  {L"nan", 3, std::numeric_limits<double>::quiet_NaN()}};
    const wchar_t first = static_cast<wchar_t>(charAt(pos_) | 0x20);
    if (first != L'i' && first != L'n') return false;  // numbers leave here
    for (const auto& w : kWords) {
      std::size_t i = 0;
      while (i < w.length && pos_ + i < n_ && (t_[pos_ + i] | 0x20) == w.word[i]) ++i;
      if (i == w.length && !isAsciiLetter(charAt(pos_ + i))) {
        pos_ += i;
        out.number = w.value;
        out.exact = ExactNumber::inexact();
        out.plain = true;
        return true;
      }
    }
    return false;
  }

  ScannedNumber number(std::size_t i, const NumberStyle& style) const {
    return scanNumber(t_, n_, i, style);
  }

  bool startsMagnitude(std::size_t i) const {
    int numerator = 0;
    int denominator = 0;
    const wchar_t c = charAt(i);
    return isDigit(c) || (c == style_.decimal && isDigit(charAt(i + 1))) ||
           vulgarFraction(c, numerator, denominator);
  }

  // An integer fraction "n/d" at `i`; `none` leaves everything as it was.
  enum class Fraction { read, none, failed };
  Fraction fraction(std::size_t i, double& value, ExactNumber& exact, std::size_t& end) {
    int numerator = 0;
    int denominator = 0;
    if (vulgarFraction(charAt(i), numerator, denominator)) {
      value = static_cast<double>(numerator) / denominator;
      exact = vulgarExact(numerator, denominator);
      end = i + 1;
      return Fraction::read;
    }
    if (!isDigit(charAt(i))) return Fraction::none;
    const ScannedNumber top = number(i, NumberStyle{});
    if (top.scan != Scan::read || !top.integer) return Fraction::none;
    if (top.end >= n_) {
      fail(n_, "a fraction is incomplete");
      return Fraction::failed;
    }
    if (t_[top.end] != L'/') return Fraction::none;
    return denominatorAfter(top.value, top.exact, top.end + 1, value, exact, end)
               ? Fraction::read
               : Fraction::failed;
  }

  static ExactNumber vulgarExact(int numerator, int denominator) {
    return ExactNumber::of(
        Ratio{static_cast<std::uint64_t>(numerator), static_cast<std::uint64_t>(denominator)});
  }

  bool denominatorAfter(double numerator, const ExactNumber& numeratorExact, std::size_t i,
                        double& value, ExactNumber& exact, std::size_t& end) {
    if (i >= n_) return fail(n_, "the denominator is missing");
    const ScannedNumber bottom = number(i, NumberStyle{});
    if (bottom.scan != Scan::read || !bottom.integer) return fail(i, "the denominator is missing");
    if (bottom.value == 0.0) return fail(i, "zero denominator");
    value = numerator / bottom.value;
    exact = numeratorExact;
    exact.divide(bottom.exact);
    end = bottom.end;
    return true;
  }

  // A magnitude at pos_: a number, a fraction, a whole number and a fraction.
  // `negativeZero` permits "0 -1/2", whose sign stands on the fraction.
  bool magnitude(double& value, ExactNumber& exact, bool& negative) {
    negative = false;
    int numerator = 0;
    int denominator = 0;
    if (vulgarFraction(charAt(pos_), numerator, denominator)) {
      value = static_cast<double>(numerator) / denominator;
      exact = vulgarExact(numerator, denominator);
      ++pos_;
      return true;
    }
    const ScannedNumber whole = number(pos_, style_);
    if (whole.scan == Scan::none) return fail(pos_, "a number is expected");
    if (whole.scan != Scan::read) return fail(whole.end, whole.message);
    value = whole.value;
    exact = whole.exact;
    pos_ = whole.end;
    if (!whole.integer) return true;
    if (at(L'/')) {
      if (!denominatorAfter(whole.value, whole.exact, pos_ + 1, value, exact, pos_)) return false;
      return true;
    }
    if (vulgarFraction(charAt(pos_), numerator, denominator)) {
      value += static_cast<double>(numerator) / denominator;
      exact.add(vulgarExact(numerator, denominator));
      ++pos_;
      return true;
    }
    // "6 1/2", "6-1/2", "6 ½", and "0 -1/2" with the sign on the fraction.
    std::size_t i = pos_;
    const bool dash = charAt(i) == L'-' && isDigit(charAt(i + 1));
    if (dash) {
      ++i;
    } else {
      i = afterBlanks(t_, i, n_);
      if (i == pos_) return true;
      if (i < n_ && t_[i] == L'-' && whole.value == 0.0 && isDigit(charAt(i + 1))) {
        ++i;
        negative = true;
      }
    }
    double part = 0.0;
    ExactNumber partExact;
    std::size_t end = i;
    const Fraction f = fraction(i, part, partExact, end);
    if (f == Fraction::failed) return false;
    if (f == Fraction::none) {
      negative = false;
      // Two numbers side by side: "10 30 15", "5 6".
      if (!dash && isDigit(charAt(i))) return fail(i, "a number follows a number");
      return true;
    }
    value += part;
    exact.add(partExact);
    pos_ = end;
    return true;
  }

  // An optional power mark after a bare number or a compound in marks: "1.00 ²".
  void powerMark() {
    const std::size_t save = pos_;
    skipBlanks();
    int power = 0;
    if (field_.quantity == Quantity::length && pos_ < n_ && isSuperscriptPower(t_[pos_], power) &&
        power == field_.power) {
      ++pos_;
      return;
    }
    pos_ = save;
  }

  double sizeOf(const UnitWord& word) const {
    return word.markPower ? raised(word.size, field_.power) : word.size;
  }
  ExactNumber exactSizeOf(const UnitWord& word) const {
    ExactNumber size = word.exact;
    if (word.markPower) size.raise(field_.power);
    return size;
  }
  // sign × value × the word's size, exactly.
  ExactNumber exactPart(double sign, const ExactNumber& value, const UnitWord& word) const {
    ExactNumber part = withSign(value, sign);
    part.multiply(exactSizeOf(word));
    return part;
  }

  // A quantity in units, "5' 6 1/2\"" or "10°30'15\"", or a bare number, which stays in
  // the display unit.
  bool compound(Value& out) {
    if (nonFinite(out)) {
      ownSymbolAfter();
      return true;
    }
    double sign = 1.0;
    Part part;
    if (!partNumber(false, sign, part)) return false;
    powerMark();
    skipBlanks();
    // The word of this part and the previous part's, in two slots used in turn, so
    // that matchUnitWord fills each word in place and none is copied.
    UnitWord words[2];
    bool ownSymbol = false;
    const WordMatch match = partWord(words[0], ownSymbol);
    if (match == WordMatch::incomplete) return false;
    if (match == WordMatch::found && ownSymbol) {
      pos_ = words[0].end;
      ownSymbolOnly();  // "0° °": a degree display with the symbol ° appended
      setPlain(out, sign, part);
      return true;
    }
    if (match != WordMatch::found) {
      pos_ = part.afterNumber;
      powerMark();
      setPlain(out, sign, part);
      return true;
    }
    return partsInUnits(out, sign, part, words);
  }

  // One part of a compound: its number and where it stands.
  struct Part {
    double value = 0.0;
    ExactNumber exact;
    std::size_t at = 0;           // where the part starts, its sign included
    std::size_t afterNumber = 0;  // after the number
  };

  void setPlain(Value& out, double sign, const Part& part) const {
    out.number = sign * part.value;
    out.exact = withSign(part.exact, sign);
    out.plain = true;
  }

  // The parts of a compound from the first, whose word is words[0], on.
  bool partsInUnits(Value& out, double sign, Part part, UnitWord (&words)[2]) {
    double total = 0.0;
    ExactNumber totalExact = ExactNumber::ofInteger(0);
    int current = 0;
    const UnitWord* previous = nullptr;
    for (;;) {
      const UnitWord& word = words[current];
      if (!wordFits(word, previous)) return false;
      total += sign * part.value * sizeOf(word);
      totalExact.add(exactPart(sign, part.exact, word));
      pos_ = word.end;
      if (!anotherPartFollows(word)) break;
      previous = &word;
      current ^= 1;
      if (!partNumber(true, sign, part)) return false;
      skipBlanks();
      bool ownSymbol = false;
      const WordMatch match = partWord(words[current], ownSymbol);
      if (match == WordMatch::incomplete) return false;
      if (match != WordMatch::found || ownSymbol) {
        // A bare number after the last unit: "5'6", "10°30", "2 lb 3".
        UnitWord next;
        if (!impliedNextUnit(*previous, next)) return fail(part.at, "a unit is missing");
        pos_ = part.afterNumber;
        total += sign * part.value * sizeOf(next);
        totalExact.add(exactPart(sign, part.exact, next));
        break;
      }
    }
    powerMark();
    ownSymbolOnly();
    out.number = total;
    out.exact = totalExact;
    out.plain = false;
    return true;
  }

  // The number of a part. A sign inside the compound covers the part it stands on and
  // the parts after it: "0' -3 1/2\"" and "0'-0 -1/2\"" as the displays write them,
  // "5' -6\"" is 4'6". Only a part after a unit may carry its own sign.
  bool partNumber(bool afterUnit, double& sign, Part& part) {
    part = Part{};
    part.at = pos_;
    if (afterUnit && at(L'-')) {
      if (sign < 0) return fail(pos_, "a second sign inside a quantity");
      sign = -1.0;
      ++pos_;
    }
    bool negativeFraction = false;
    if (!magnitude(part.value, part.exact, negativeFraction)) return false;
    if (negativeFraction) {
      if (sign < 0) return fail(part.at, "a second sign inside a quantity");
      sign = -1.0;
    }
    part.afterNumber = pos_;
    return true;
  }

  // The unit word of a part at pos_; `incomplete` has failed the read already.
  WordMatch partWord(UnitWord& word, bool& ownSymbol) {
    word = UnitWord{};
    const WordMatch match =
        pos_ < n_ ? matchUnitWord(t_, n_, pos_, words_, word, ownSymbol) : WordMatch::none;
    if (match == WordMatch::incomplete) fail(n_, "the unit is incomplete");
    if (match == WordMatch::found && ownSymbol) preferWordGoingOn(word, ownSymbol);
    return match;
  }

  // A word of the field's quantity and power, smaller than the one before it in the
  // same chain when one stands before it.
  bool wordFits(const UnitWord& word, const UnitWord* previous) {
    if (word.quantity != field_.quantity) {
      return fail(pos_, kOtherQuantity[static_cast<int>(field_.quantity)]);
    }
    if (word.quantity == Quantity::length && !word.markPower && word.power != field_.power) {
      return fail(pos_, "unit of another power of length");
    }
    if (previous != nullptr &&
        (word.chain == kNoChain || word.chain != previous->chain || word.rank >= previous->rank)) {
      return fail(pos_, "units out of order");
    }
    return true;
  }

  // After the word of a part: whether another part follows, after blanks or a '-' that
  // touches the foot mark ("5'-6\""). pos_ is at its start when one does, else where
  // the compound ends.
  bool anotherPartFollows(const UnitWord& word) {
    if (endsChain(word)) return false;
    const std::size_t save = pos_;
    const bool dashJoins = isFeetAndInches(word) && at(L'-');
    if (dashJoins && (pos_ + 1 >= n_ || charAt(pos_ + 1) == L' ')) {
      ++pos_;  // "0'-": the feet display with the zero inches hidden ends in the dash
      return false;
    }
    if (dashJoins && isDigit(charAt(pos_ + 1))) {
      ++pos_;
    } else if (dashJoins && charAt(pos_ + 1) == L'-') {
      ++pos_;  // "0'--3 1/2"": the joining dash, then the sign of the inches
    } else {
      skipBlanks();
    }
    if (!(startsMagnitude(pos_) || (at(L'-') && startsMagnitude(pos_ + 1)))) {
      pos_ = save;
      return false;
    }
    return true;
  }

  // The own symbol is also a unit word that more parts follow ("°" in "10°30'"
  // with the symbol °): the word is read, so that the parts can follow it.
  void preferWordGoingOn(UnitWord& word, bool& ownSymbol) {
    UnitWord tableWord;
    bool own = false;
    WordField withoutSymbol = words_;
    withoutSymbol.symbolLength = 0;
    if (matchUnitWord(t_, n_, pos_, withoutSymbol, tableWord, own) != WordMatch::found ||
        tableWord.end != word.end || endsChain(tableWord)) {
      return;
    }
    const std::size_t next = afterBlanks(t_, tableWord.end, n_);
    if (!startsMagnitude(next)) return;
    word = tableWord;
    ownSymbol = false;
  }

  // The unit's own symbol after a quantity in units, as the display with units
  // writes it ("5' 6\" mm"); it changes nothing.
  void ownSymbolOnly() { skipSymbolAfter(false); }

  // The unit's own symbol after "nan" or "inf", as the display with units writes it
  // ("nan °"), or any unit of the field's quantity: it changes no non-finite value.
  void ownSymbolAfter() { skipSymbolAfter(true); }

  void skipSymbolAfter(bool orUnitOfQuantity) {
    const std::size_t save = pos_;
    skipBlanks();
    UnitWord word;
    bool own = false;
    if (pos_ < n_ && (orUnitOfQuantity || field_.symbolLength > 0) &&
        matchUnitWord(t_, n_, pos_, words_, word, own) == WordMatch::found &&
        (own || (orUnitOfQuantity && word.quantity == field_.quantity))) {
      pos_ = word.end;
      return;
    }
    pos_ = save;
  }

  const wchar_t* t_;
  std::size_t n_;
  const Field& field_;
  const Placement placement_;
  NumberStyle style_;
  double displaySize_;
  ExactNumber displayExact_;
  const WordField words_;
  std::size_t pos_ = 0;
  int depth_ = 0;  // of parentheses
  std::size_t failAt_ = 0;
  const char* message_ = nullptr;
};

}  // namespace

ReadResult readQuantity(const wchar_t* text, std::size_t length, const Field& field,
                        const Placement& placement) noexcept {
  return Reader(text, length, field, placement).read();
}

}  // namespace exact
}  // namespace pelunits
