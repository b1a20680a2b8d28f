#include "UnitWords.h"

#include "TypedText.h"

namespace pelunits {
namespace exact {

namespace {

enum Kind : unsigned char {
  kPlain,      // a unit of its quantity
  kLength,     // a length: may take a power, may follow a force
  kFootMark,   // ' : feet, or minutes in an angle field
  kInchMark,   // " : inches, or seconds in an angle field
  kForce,      // a force: may make a moment or a stress
  kAngleOnly,  // a letter that names an angle unit only in an angle field
};

// One spelling of a unit word, as the matcher reads the table.
struct Entry {
  const wchar_t* text;
  Quantity quantity;
  Ratio exact;  // the size in internal units
  int chain;
  int rank;
  Kind kind;
};

constexpr std::size_t kMostSpellings = 5;

constexpr int kImperialLength = 1;
constexpr int kSexagesimal = 2;
constexpr int kImperialWeight = 3;
// 180/π for radians, as the double nearest to it: its exact binary value.
constexpr Ratio kDegreesPerRadian{1007958012753983ull, 17592186044416ull};
using definitions::kFoot;
using definitions::kInch;
using definitions::kYard;
constexpr Ratio kGramsPerPound = definitions::kPound;
constexpr Ratio kGramsPerOunce = definitions::kOunce;
constexpr Ratio kUnitGramsPerOunce = definitions::kUnitOunce;
constexpr Ratio kUnitGramsPerPound = definitions::kUnitPound;
constexpr Ratio kKiloNewtonsPerPoundForce = definitions::kPoundForce;
constexpr Ratio kKiloNewtonsPerKip = definitions::kKip;
constexpr Ratio kKiloNewtonsPerKilogramForce = definitions::kKilogramForce;
constexpr Ratio kKiloNewtonsPerTonneForce = definitions::kTonneForce;
using definitions::kKsf;
using definitions::kKsi;
using definitions::kPsf;
using definitions::kPsi;

// A unit the reader knows, under each of its spellings.
struct Word {
  const wchar_t* spellings[kMostSpellings];  // the places after the last one null
  Quantity quantity;
  Ratio exact;
  int chain;
  int rank;
  Kind kind;
};

// One row per unit, its spellings first.
// clang-format off
constexpr Word kUnitWords[] = {
    {{L"mm", L"millimetre", L"millimetres", L"millimeter", L"millimeters"},
     Quantity::length, {1, 1}, kNoChain, 0, kLength},
    {{L"cm"}, Quantity::length, {10, 1}, kNoChain, 0, kLength},
    {{L"dm"}, Quantity::length, {100, 1}, kNoChain, 0, kLength},
    {{L"m", L"metre", L"metres", L"meter", L"meters"},
     Quantity::length, {1000, 1}, kNoChain, 0, kLength},
    {{L"km"}, Quantity::length, {1000000, 1}, kNoChain, 0, kLength},
    {{L"in", L"inch", L"inches"}, Quantity::length, kInch, kImperialLength, 1, kLength},
    {{L"ft", L"foot", L"feet"}, Quantity::length, kFoot, kImperialLength, 2, kLength},
    {{L"yd", L"yard", L"yards"}, Quantity::length, kYard, kImperialLength, 3, kLength},
    {{L"'"}, Quantity::length, kFoot, kImperialLength, 2, kFootMark},
    {{L"''", L"\""}, Quantity::length, kInch, kImperialLength, 1, kInchMark},
    {{L"\u00B0"}, Quantity::angle, {1, 1}, kSexagesimal, 3, kPlain},
    {{L"d"}, Quantity::angle, {1, 1}, kSexagesimal, 3, kAngleOnly},
    {{L"deg", L"degree", L"degrees"}, Quantity::angle, {1, 1}, kSexagesimal, 3, kPlain},
    {{L"gon", L"grad"}, Quantity::angle, definitions::kGon, kNoChain, 0, kPlain},
    {{L"g"}, Quantity::angle, definitions::kGon, kNoChain, 0, kAngleOnly},
    {{L"rad", L"radian", L"radians"}, Quantity::angle, kDegreesPerRadian, kNoChain, 0, kPlain},
    {{L"r"}, Quantity::angle, kDegreesPerRadian, kNoChain, 0, kAngleOnly},
    {{L"g", L"gram", L"grams"}, Quantity::weight, {1, 1}, kNoChain, 0, kPlain},
    {{L"kg"}, Quantity::weight, {1000, 1}, kNoChain, 0, kPlain},
    {{L"t", L"tonne", L"tonnes"}, Quantity::weight, {1000000, 1}, kNoChain, 0, kPlain},
    {{L"lb", L"lbs", L"pound", L"pounds"},
     Quantity::weight, kGramsPerPound, kImperialWeight, 2, kPlain},
    {{L"oz", L"ounce", L"ounces"}, Quantity::weight, kGramsPerOunce, kImperialWeight, 1, kPlain},
    {{L"N"}, Quantity::force, {1, 1000}, kNoChain, 0, kForce},
    {{L"kN"}, Quantity::force, {1, 1}, kNoChain, 0, kForce},
    {{L"MN"}, Quantity::force, {1000, 1}, kNoChain, 0, kForce},
    {{L"lbf"}, Quantity::force, kKiloNewtonsPerPoundForce, kNoChain, 0, kForce},
    // k: a kip, in US practice
    {{L"kip", L"kips", L"k"}, Quantity::force, kKiloNewtonsPerKip, kNoChain, 0, kForce},
    {{L"kgf"}, Quantity::force, kKiloNewtonsPerKilogramForce, kNoChain, 0, kForce},
    {{L"tf"}, Quantity::force, kKiloNewtonsPerTonneForce, kNoChain, 0, kForce},
    {{L"Pa"}, Quantity::stress, {1, 1000000}, kNoChain, 0, kPlain},
    {{L"kPa"}, Quantity::stress, {1, 1000}, kNoChain, 0, kPlain},
    {{L"MPa"}, Quantity::stress, {1, 1}, kNoChain, 0, kPlain},
    {{L"GPa"}, Quantity::stress, {1000, 1}, kNoChain, 0, kPlain},
    {{L"bar"}, Quantity::stress, {1, 10}, kNoChain, 0, kPlain},
    {{L"psf"}, Quantity::stress, kPsf, kNoChain, 0, kPlain},  // area loads
    {{L"ksf"}, Quantity::stress, kKsf, kNoChain, 0, kPlain},
    {{L"psi"}, Quantity::stress, kPsi, kNoChain, 0, kPlain},
    {{L"ksi"}, Quantity::stress, kKsi, kNoChain, 0, kPlain},
};
// clang-format on

wchar_t lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

constexpr std::size_t textLength(const wchar_t* s) {
  std::size_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

constexpr std::size_t kWordCount = [] {
  std::size_t count = 0;
  for (const Word& word : kUnitWords) {
    for (const wchar_t* spelling : word.spellings) count += spelling != nullptr ? 1 : 0;
  }
  return count;
}();

// One entry per spelling, in the order of the words above.
struct Entries {
  Entry of[kWordCount];
};
constexpr Entries kEntries = [] {
  Entries entries{};
  std::size_t i = 0;
  for (const Word& word : kUnitWords) {
    for (const wchar_t* spelling : word.spellings) {
      if (spelling == nullptr) break;
      entries.of[i++] =
          Entry{spelling, word.quantity, word.exact, word.chain, word.rank, word.kind};
    }
  }
  return entries;
}();
constexpr const Entry* kWords = kEntries.of;

// The length of every word of the table, counted when the library is compiled.
struct WordLengths {
  unsigned char of[kWordCount] = {};
};
constexpr WordLengths kWordLengths = [] {
  WordLengths lengths;
  for (std::size_t i = 0; i < kWordCount; ++i) {
    lengths.of[i] = static_cast<unsigned char>(textLength(kWords[i].text));
  }
  return lengths;
}();

std::size_t lengthOf(const Entry& e) { return kWordLengths.of[&e - kWords]; }

constexpr bool sameText(const wchar_t* a, const wchar_t* b) {
  std::size_t i = 0;
  while (a[i] != 0 && a[i] == b[i]) ++i;
  return a[i] == b[i];
}

constexpr std::size_t entryIndex(const wchar_t* text) {
  for (std::size_t i = 0; i < kWordCount; ++i) {
    if (sameText(kWords[i].text, text)) return i;
  }
  return kWordCount;
}

constexpr std::size_t kFootMarkEntry = entryIndex(L"'");
constexpr std::size_t kPoundForceEntry = entryIndex(L"lbf");
constexpr std::size_t kTwoPrimesEntry = entryIndex(L"''");
constexpr std::size_t kInchMarkEntry = entryIndex(L"\"");
constexpr std::size_t kDegreeEntry = entryIndex(L"\u00B0");
static_assert(kFootMarkEntry < kWordCount && kTwoPrimesEntry < kWordCount &&
                  kInchMarkEntry < kWordCount && kDegreeEntry < kWordCount,
              "the marks are words of the table");
static_assert(kPoundForceEntry < kWordCount, "lbf is a word of the table");

// US practice writes the pound-force as lb or lbs: in a force, moment or stress field,
// and beside a length in a moment, the pound is a force.
bool isPound(const Entry& e) {
  return e.quantity == Quantity::weight && e.chain == kImperialWeight && e.rank == 2;
}

bool joinsUnits(wchar_t c) {
  return c == L'\u00B7' || c == L'\u22C5' || c == L'-' || c == L'.' || c == L'*';
}

// The mark step: the marks ' '' " and ° are the only words that start with their
// character, and feet-inch and angle texts carry one in nearly every part. Their
// entry follows from the character and the next one, where the table search walks
// the bucket and compares word by word. Gives null for any other character.
const Entry* markEntry(const wchar_t* text, std::size_t length, std::size_t at) {
  switch (text[at]) {
    case L'\'':
      return &kWords[at + 1 < length && text[at + 1] == L'\'' ? kTwoPrimesEntry : kFootMarkEntry];
    case L'"':
      return &kWords[kInchMarkEntry];
    case L'\u00B0':
      return &kWords[kDegreeEntry];
    default:
      return nullptr;
  }
}

// How far `word` matches the text at `at`: its length when all of it matches,
// else 0; `partial` when the text ends inside the word.
std::size_t matchWord(const wchar_t* text, std::size_t length, std::size_t at, const wchar_t* word,
                      std::size_t wordLength, bool& partial) {
  const bool anyCase = wordLength >= 3;
  std::size_t i = 0;
  for (; i < wordLength; ++i) {
    if (at + i >= length) {
      if (i > 0) partial = true;
      return 0;
    }
    const wchar_t a = text[at + i];
    const wchar_t b = word[i];
    if (a != b && !(anyCase && lower(a) == lower(b))) return 0;
  }
  return wordLength;
}

bool boundaryAt(const wchar_t* text, std::size_t length, std::size_t at) {
  return at >= length || !isAsciiLetter(text[at]);
}

// A power after a length word: ², ³, ⁴ or the digits 2 to 4 standing alone.
int powerAt(const wchar_t* text, std::size_t length, std::size_t& at) {
  if (at >= length) return 1;
  const wchar_t c = text[at];
  int power = 1;
  if (c == L'\u00B2') power = 2;
  if (c == L'\u00B3') power = 3;
  if (c == L'\u2074') power = 4;
  if (c >= L'2' && c <= L'4' && (at + 1 >= length || !isDigit(text[at + 1]))) power = c - L'0';
  if (power != 1) ++at;
  return power;
}

// Gives the word its exact size and the double nearest to it.
void setSize(UnitWord& word, ExactNumber exact) {
  word.exact = exact;
  word.size = 0.0;
  exact.nearestDouble(word.size);
}

ExactNumber exactPower(Ratio size, int power) {
  ExactNumber result = ExactNumber::of(size);
  result.raise(power);
  return result;
}

constexpr Ratio kMinute{1, 60};
constexpr Ratio kSecond{1, 3600};

// The entries by the first character of their word, in any case (the marks ' and "
// and the degree sign under their own buckets), built once.
struct FirstCharacterIndex {
  static constexpr int kBuckets = 129;  // ASCII, then one for the degree sign
  unsigned char begin[kBuckets + 1] = {};
  unsigned char entries[kWordCount] = {};
};

int bucketOf(wchar_t c) {
  c = lower(c);
  if (c == L'\u00B0') return 128;
  const auto code = static_cast<unsigned long>(c);  // wchar_t is signed on some systems
  return code < 128 ? static_cast<int>(code) : -1;
}

const FirstCharacterIndex& firstCharacterIndex() {
  static const FirstCharacterIndex index = [] {
    FirstCharacterIndex x;
    constexpr int kCount = static_cast<int>(kWordCount);
    int counts[FirstCharacterIndex::kBuckets] = {};
    for (int i = 0; i < kCount; ++i) ++counts[bucketOf(kWords[i].text[0])];
    for (int b = 0; b < FirstCharacterIndex::kBuckets; ++b) {
      x.begin[b + 1] = static_cast<unsigned char>(x.begin[b] + counts[b]);
    }
    int filled[FirstCharacterIndex::kBuckets] = {};
    for (int i = 0; i < kCount; ++i) {
      const int b = bucketOf(kWords[i].text[0]);
      x.entries[x.begin[b] + filled[b]++] = static_cast<unsigned char>(i);
    }
    return x;
  }();
  return index;
}

// The longest entry of the table at `at` that `accept` takes.
template <class Accept>
const Entry* longestEntry(const wchar_t* text, std::size_t length, std::size_t at, bool& partial,
                          Accept accept) {
  const Entry* best = nullptr;
  std::size_t bestLength = 0;
  if (at >= length) return nullptr;
  const int bucket = bucketOf(text[at]);
  if (bucket < 0) return nullptr;
  const FirstCharacterIndex& index = firstCharacterIndex();
  for (int k = index.begin[bucket]; k < index.begin[bucket + 1]; ++k) {
    const Entry& e = kWords[index.entries[k]];
    if (!accept(e)) continue;
    const std::size_t n = lengthOf(e);
    if (n <= bestLength) continue;
    if (matchWord(text, length, at, e.text, n, partial) == n) {
      best = &e;
      bestLength = n;
    }
  }
  return best;
}

// A length word at `at` with its power; false when none stands there.
bool lengthWord(const wchar_t* text, std::size_t length, std::size_t at, bool& partial,
                UnitWord& word) {
  const Entry* e =
      longestEntry(text, length, at, partial, [](const Entry& x) { return x.kind == kLength; });
  if (e == nullptr) return false;
  std::size_t end = at + lengthOf(*e);
  word.power = powerAt(text, length, end);
  word.quantity = Quantity::length;
  setSize(word, exactPower(e->exact, word.power));
  word.chain = word.power == 1 ? e->chain : kNoChain;
  word.rank = e->rank;
  word.markPower = false;
  word.end = end;
  return true;
}

// A force word at `at`, the pound counting as a pound-force, and the length of its
// text; null when none stands there.
const Entry* forceEntryAt(const wchar_t* text, std::size_t length, std::size_t at,
                          std::size_t& matched) {
  bool partial = false;
  const Entry* e = longestEntry(text, length, at, partial,
                                [](const Entry& x) { return x.kind == kForce || isPound(x); });
  if (e == nullptr) return nullptr;
  matched = lengthOf(*e);
  return isPound(*e) ? &kWords[kPoundForceEntry] : e;
}

// A moment written length first, from the end of a length word: "in-kips", "ft·lb",
// "ftkip" (the words touch or are joined by - · * ×). True, with the word filled in
// and `end` after the force, when a force word follows.
bool momentAfterLength(const wchar_t* text, std::size_t length, std::size_t& end,
                       const Entry& lengthEntry, UnitWord& word) {
  std::size_t next = end;
  if (next < length && joinsUnits(text[next])) ++next;
  std::size_t matched = 0;
  const Entry* force = forceEntryAt(text, length, next, matched);
  if (force == nullptr || !boundaryAt(text, length, next + matched)) return false;
  ExactNumber size = ExactNumber::of(force->exact);
  size.multiply(ExactNumber::of(lengthEntry.exact));
  size.divide(ExactNumber::ofInteger(1000));
  word.quantity = Quantity::moment;
  word.chain = kNoChain;
  word.rank = 0;
  setSize(word, size);
  end = next + matched;
  return true;
}

// The field's own symbol at `at`, standing alone: a word of no size of its own.
bool ownSymbolAt(const wchar_t* text, std::size_t length, std::size_t at, const WordField& field,
                 bool& partial, UnitWord& word) {
  const std::size_t n = field.symbolLength;
  if (n == 0) return false;
  std::size_t i = 0;
  while (i < n && at + i < length && plainCharacter(field.symbol[i]) == text[at + i]) ++i;
  if (i == n && boundaryAt(text, length, at + i)) {
    word = UnitWord{};
    word.end = at + i;
    return true;
  }
  if (i > 0 && at + i >= length) partial = true;
  return false;
}

// Every unit word starts with a letter or a mark.
bool startsWord(wchar_t c) { return isAsciiLetter(c) || c == L'\'' || c == L'"' || c == L'\u00B0'; }

// A length raised by the word in front of it: "sq ft", "square metres", "cu in",
// "cubic feet".
bool prefixedLengthWord(const wchar_t* text, std::size_t length, std::size_t at, bool& partial,
                        UnitWord& word) {
  const wchar_t first = lower(text[at]);
  if (first != L's' && first != L'c') return false;
  static constexpr struct {
    const wchar_t* text;
    int power;
  } kPrefixes[] = {{L"sq", 2}, {L"square", 2}, {L"cu", 3}, {L"cubic", 3}};
  for (const auto& prefix : kPrefixes) {
    const std::size_t n = textLength(prefix.text);
    if (matchWord(text, length, at, prefix.text, n, partial) != n) continue;
    std::size_t next = at + n;
    if (next < length && text[next] == L'.') ++next;
    next = afterBlanks(text, next, length);
    if (next >= length) partial = true;
    UnitWord base;
    if (next > at + n && lengthWord(text, length, next, partial, base) && base.power == 1 &&
        boundaryAt(text, length, base.end)) {
      word = base;
      word.power = prefix.power;
      ExactNumber size = base.exact;
      size.raise(prefix.power);
      setSize(word, size);
      word.chain = kNoChain;
      return true;
    }
  }
  return false;
}

// The longest entry at `at` that the field reads. "g" is gon in an angle field and
// grams elsewhere: the field's meaning first.
const Entry* fieldEntry(const wchar_t* text, std::size_t length, std::size_t at, Quantity field,
                        bool& partial) {
  const Entry* e = longestEntry(text, length, at, partial, [field](const Entry& x) {
    return x.kind != kAngleOnly || field == Quantity::angle;
  });
  if (e != nullptr && field == Quantity::angle && e->quantity == Quantity::weight) {
    const Entry* angle = longestEntry(text, length, at, partial,
                                      [](const Entry& x) { return x.quantity == Quantity::angle; });
    if (angle != nullptr && lengthOf(*angle) == lengthOf(*e)) e = angle;
  }
  return e;
}

// The word an entry stands for in the field, before any compound: the pound-and-ounce
// field's lb and oz are the unit's own.
UnitWord entryWord(const Entry& e, const WordField& field) {
  UnitWord word;
  word.quantity = e.quantity;
  Ratio entrySize = e.exact;
  if (field.unitOunce && e.chain == kImperialWeight) {
    entrySize = e.rank == 2 ? kUnitGramsPerPound : kUnitGramsPerOunce;
  }
  setSize(word, ExactNumber::of(entrySize));
  word.chain = e.chain;
  word.rank = e.rank;
  return word;
}

// ' and ": minutes and seconds in an angle field, else feet and inches in the field's
// power.
void markWord(const Entry& mark, Quantity field, UnitWord& word) {
  if (field != Quantity::angle) {
    word.markPower = true;
    return;
  }
  word.quantity = Quantity::angle;
  setSize(word, ExactNumber::of(mark.kind == kFootMark ? kMinute : kSecond));
  word.chain = kSexagesimal;
  word.rank = mark.kind == kFootMark ? 2 : 1;
}

// A force word ending at `end` with a length after it: per square length a stress
// ("N/mm²", "kgf/cm²"), joined to it a moment ("kN·m", "kNm"); `end` then moves past
// the length. Incomplete when the text ends inside such a compound.
WordMatch forceCompound(const wchar_t* text, std::size_t length, const Entry& force,
                        std::size_t& end, UnitWord& word) {
  std::size_t next = end;
  const bool perArea = next < length && text[next] == L'/';
  if (next < length && (joinsUnits(text[next]) || text[next] == L'/')) ++next;
  UnitWord length2;
  bool lengthPartial = false;
  if (lengthWord(text, length, next, lengthPartial, length2) &&
      boundaryAt(text, length, length2.end)) {
    if (perArea && length2.power == 2) {
      word.quantity = Quantity::stress;
      ExactNumber size = ExactNumber::of(force.exact);
      size.multiply(ExactNumber::ofInteger(1000));
      size.divide(length2.exact);
      setSize(word, size);
      end = length2.end;
    } else if (perArea && length2.end >= length) {
      return WordMatch::incomplete;  // "N/mm" before its ²
    } else if (!perArea && length2.power == 1) {
      word.quantity = Quantity::moment;
      ExactNumber size = ExactNumber::of(force.exact);
      size.multiply(length2.exact);
      size.divide(ExactNumber::ofInteger(1000));
      setSize(word, size);
      end = length2.end;
    }
  } else if ((lengthPartial || next >= length) && next > end) {
    return WordMatch::incomplete;  // "kN·" or "N/m" at the end
  }
  return WordMatch::found;
}

// matchUnitWord, with or without the mark step.
WordMatch matchWordAt(const wchar_t* text, std::size_t length, std::size_t at,
                      const WordField& wordField, UnitWord& word, bool& ownSymbol,
                      bool markStep) noexcept {
  const Quantity field = wordField.quantity;
  bool partial = false;
  ownSymbol = ownSymbolAt(text, length, at, wordField, partial, word);
  if (ownSymbol) return WordMatch::found;
  if (!startsWord(at < length ? text[at] : L' ')) {
    return partial ? WordMatch::incomplete : WordMatch::none;
  }
  const Entry* e = markStep ? markEntry(text, length, at) : nullptr;
  if (e == nullptr) {
    if (prefixedLengthWord(text, length, at, partial, word)) return WordMatch::found;
    e = fieldEntry(text, length, at, field, partial);
  }
  if (e == nullptr) return partial ? WordMatch::incomplete : WordMatch::none;
  std::size_t end = at + lengthOf(*e);
  if (isPound(*e) &&
      (field == Quantity::force || field == Quantity::moment || field == Quantity::stress)) {
    e = &kWords[kPoundForceEntry];  // its own length stays: "lb", "lbs", "pounds"
  }
  word = entryWord(*e, wordField);
  if (e->kind == kFootMark || e->kind == kInchMark) {
    markWord(*e, field, word);
  } else if (e->kind == kLength && momentAfterLength(text, length, end, *e, word)) {
    // "in-kips", "ft-lb", "ft·kip": the length first, as US practice writes moments.
  } else if (e->kind == kLength) {
    word.power = powerAt(text, length, end);
    setSize(word, exactPower(e->exact, word.power));
    if (word.power != 1) word.chain = kNoChain;
  } else if (e->kind == kForce &&
             forceCompound(text, length, *e, end, word) == WordMatch::incomplete) {
    return WordMatch::incomplete;
  }
  if (!boundaryAt(text, length, end)) return partial ? WordMatch::incomplete : WordMatch::none;
  word.end = end;
  return WordMatch::found;
}

}  // namespace

WordMatch matchUnitWord(const wchar_t* text, std::size_t length, std::size_t at,
                        const WordField& field, UnitWord& word, bool& ownSymbol) noexcept {
  return matchWordAt(text, length, at, field, word, ownSymbol, true);
}

WordMatch matchUnitWordInTable(const wchar_t* text, std::size_t length, std::size_t at,
                               const WordField& field, UnitWord& word, bool& ownSymbol) noexcept {
  return matchWordAt(text, length, at, field, word, ownSymbol, false);
}

bool impliedNextUnit(const UnitWord& word, UnitWord& next) noexcept {
  if (word.chain == kNoChain || word.rank <= kSmallestRank) return false;
  next = word;
  next.rank = word.rank - 1;
  if (word.chain == kImperialLength) {
    setSize(next, ExactNumber::of(word.rank == 3 ? kFoot : kInch));
    next.power = word.power;
  } else if (word.chain == kSexagesimal) {
    setSize(next, ExactNumber::of(word.rank == 3 ? kMinute : kSecond));
  } else if (word.chain == kImperialWeight) {
    ExactNumber ounce = word.exact;  // a sixteenth of the pound, legal or the unit's own
    ounce.divide(ExactNumber::ofInteger(16));
    setSize(next, ounce);
  }
  return true;
}

}  // namespace exact
}  // namespace pelunits
