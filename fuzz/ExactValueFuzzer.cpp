// Fuzzes the exact reader's values: the input's bytes choose a unit and build a typed
// text from parts whose exact value is known (feet, inches and fractions, degrees,
// minutes and seconds, pounds and ounces, decimals with every kind of unit word, sums,
// products, quotients and parentheses, typographic marks). GMP's rationals give the
// text's exact value and, independently of the library, the double nearest to it (ties
// to even). Property: the text reads complete, to exactly that double, as wide text and
// as UTF-8.

#include <gmpxx.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "PelUnitsRead.h"
#include "Utf8.h"
#include "fuzz/FuzzInput.h"

namespace {

using pelunits::fuzz::ByteReader;

// A piece of text and its exact value.
struct Part {
  std::wstring text;
  mpq_class value;
};

// GMP computes with rationals in lowest terms only: every one made here is reduced.
mpq_class ratio(const char* text) {
  mpq_class q(text);
  q.canonicalize();
  return q;
}
mpq_class ratio(long numerator, long denominator) {
  mpq_class q(numerator, denominator);
  q.canonicalize();
  return q;
}

// The double nearest to q, ties to the even significand: the truncated double and its
// neighbour away from zero, compared exactly.
double nearest(const mpq_class& q) {
  if (q == 0) return 0.0;
  const double toward = q.get_d();  // truncates toward zero
  const double away = std::nextafter(toward, q > 0 ? HUGE_VAL : -HUGE_VAL);
  const mpq_class distanceToward = abs(q - mpq_class(toward));
  const mpq_class distanceAway = abs(q - mpq_class(away));
  if (distanceToward < distanceAway) return toward;
  if (distanceAway < distanceToward) return away;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &toward, sizeof bits);
  return (bits & 1) == 0 ? toward : away;
}

std::wstring widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::uint64_t tenTo(int n) {
  std::uint64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// A decimal of up to `wholeDigits` whole digits and `places` places.
Part decimal(ByteReader& in, int wholeDigits, int places) {
  const std::uint64_t whole = in.u64() % tenTo(wholeDigits);
  const int p = static_cast<int>(in.byte() % static_cast<unsigned>(places + 1));
  const std::uint64_t scale = tenTo(p);
  const std::uint64_t fraction = p == 0 ? 0 : in.u64() % scale;
  std::wstring text = std::to_wstring(whole);
  if (p > 0) {
    const std::wstring digits = std::to_wstring(fraction);
    text += L"." + std::wstring(static_cast<std::size_t>(p) - digits.size(), L'0') + digits;
  }
  mpq_class value(mpz_class(std::to_string(whole)) * mpz_class(std::to_string(scale)) +
                      mpz_class(std::to_string(fraction)),
                  mpz_class(std::to_string(scale)));
  value.canonicalize();
  return {text, value};
}

// A fraction n/d in lowest or any terms, or a vulgar fraction character.
Part fraction(ByteReader& in) {
  static constexpr struct {
    wchar_t c;
    int n, d;
  } kVulgar[] = {{L'\u00BD', 1, 2}, {L'\u00BC', 1, 4}, {L'\u00BE', 3, 4},
                 {L'\u215B', 1, 8}, {L'\u215C', 3, 8}, {L'\u2153', 1, 3}};
  const unsigned pick = in.byte();
  if (pick % 8 == 0) {
    const auto& v = kVulgar[(pick / 8) % (sizeof kVulgar / sizeof kVulgar[0])];
    return {std::wstring(1, v.c), ratio(v.n, v.d)};
  }
  static constexpr int kDenominators[] = {2, 4, 8, 16, 32, 64, 3, 10, 100};
  const int d = kDenominators[in.byte() % (sizeof kDenominators / sizeof kDenominators[0])];
  const int n = 1 + static_cast<int>(in.byte() % static_cast<unsigned>(d * 2));
  return {widen(std::to_string(n) + "/" + std::to_string(d)), ratio(n, d)};
}

const mpq_class kInch = ratio("254/10");

// Feet, inches and a fraction, in the marks or words users type.
Part feetInch(ByteReader& in) {
  const unsigned style = in.byte();
  const unsigned feet = in.u32() % 2000;
  const unsigned inches = in.byte() % 12;
  const Part part = fraction(in);
  const wchar_t* foot = (style & 1) != 0 ? L"\u2032" : L"'";
  const wchar_t* inch = (style & 2) != 0 ? L"\u2033" : L"\"";
  const wchar_t* join = (style & 4) != 0 ? L"-" : L" ";
  const bool vulgar = part.text.size() == 1;
  std::wstring text = std::to_wstring(feet) + foot + join + std::to_wstring(inches);
  if ((style & 8) == 0) text += vulgar ? part.text : L" " + part.text;
  text += inch;
  mpq_class value = feet * 12 + inches;
  if ((style & 8) == 0) value += part.value;
  return {text, value * kInch};
}

struct Word {
  const wchar_t* text;
  const char* size;  // in the field's internal unit
};

// A decimal with a unit word of the field's quantity.
template <std::size_t N>
Part withWord(ByteReader& in, const Word (&words)[N]) {
  Part number = decimal(in, 4, 3);
  const Word& w = words[in.byte() % N];
  const wchar_t* blank = (in.byte() & 1) != 0 ? L" " : L"";
  return {number.text + blank + w.text, number.value * ratio(w.size)};
}

constexpr Word kLengthWords[] = {{L"in", "254/10"},    {L"ft", "3048/10"},   {L"yd", "9144/10"},
                                 {L"mm", "1"},         {L"cm", "10"},        {L"m", "1000"},
                                 {L"'", "3048/10"},    {L"\"", "254/10"},    {L"inches", "254/10"},
                                 {L"feet", "3048/10"}, {L"\u2033", "254/10"}};
constexpr Word kWeightWords[] = {{L"lb", "45359237/100000"},
                                 {L"lbs", "45359237/100000"},
                                 {L"oz", "45359237/1600000"},
                                 {L"kg", "1000"},
                                 {L"g", "1"},
                                 {L"t", "1000000"}};
constexpr Word kForceWords[] = {{L"kN", "1"},
                                {L"N", "1/1000"},
                                {L"kip", "44482216152605/10000000000000"},
                                {L"k", "44482216152605/10000000000000"},
                                {L"lbf", "44482216152605/10000000000000000"},
                                {L"lb", "44482216152605/10000000000000000"},
                                {L"kgf", "980665/100000000"},
                                {L"tf", "980665/100000"}};
constexpr Word kMomentWords[] = {{L"kNm", "1"},
                                 {L"kN*m", "1"},
                                 {L"kip-ft", "13558179483314004/10000000000000000"},
                                 {L"ft-kips", "13558179483314004/10000000000000000"},
                                 {L"in-kip", "11298482902761670/100000000000000000"},
                                 {L"lb-ft", "13558179483314004/10000000000000000000"},
                                 {L"tf\u00B7m", "980665/100000"}};
constexpr Word kStressWords[] = {{L"MPa", "1"},
                                 {L"kPa", "1/1000"},
                                 {L"bar", "1/10"},
                                 {L"psi", "44482216152605/6451600000000000"},
                                 {L"psf", "44482216152605/929030400000000000"},
                                 {L"kgf/cm\u00B2", "980665/10000000"}};

// Degrees, minutes and decimal seconds.
Part sexagesimal(ByteReader& in) {
  const unsigned degrees = in.u32() % 360;
  const unsigned minutes = in.byte() % 60;
  Part seconds = decimal(in, 1, 2);
  const unsigned tens = in.byte() % 6;  // seconds below 60
  seconds.text = std::to_wstring(tens) + seconds.text;
  seconds.value += tens * 10;
  const wchar_t* minute = (in.byte() & 1) != 0 ? L"\u2032" : L"'";
  return {std::to_wstring(degrees) + L"\u00B0" + std::to_wstring(minutes) + minute + seconds.text +
              L"\"",
          degrees + ratio(minutes, 60) + seconds.value / 3600};
}

// Pounds and ounces in the pound-and-ounce field: its own ounce of 28.34952 g.
Part poundsOunces(ByteReader& in) {
  const unsigned pounds = in.u32() % 5000;
  Part ounces = decimal(in, 1, 2);
  return {std::to_wstring(pounds) + L" lb " + ounces.text + L" oz",
          (pounds * 16 + ounces.value) * ratio("2834952/100000")};
}

// Arithmetic on feet and inches: a sum, a product, a quotient, parentheses.
Part arithmetic(ByteReader& in) {
  const Part a = feetInch(in);
  const Part b = withWord(in, kLengthWords);
  const unsigned form = in.byte() % 5;
  const int n = 2 + static_cast<int>(in.byte() % 9);
  const std::wstring k = std::to_wstring(n);
  switch (form) {
    case 0:
      return {a.text + L" + " + b.text, a.value + b.value};
    case 1:
      return {a.text + L" - " + b.text, a.value - b.value};
    case 2:
      return {k + L" \u00D7 " + a.text, n * a.value};
    case 3:
      return {L"(" + a.text + L" + " + b.text + L") / " + k, (a.value + b.value) / n};
    default:
      return {k + L" * (" + b.text + L" - " + a.text + L")", n * (b.value - a.value)};
  }
}

struct Case {
  const char* unit;
  Part (*make)(ByteReader&);
};

const Case kCases[] = {
    {"feet-inch-fraction", feetInch},
    {"feet-inch-fraction", arithmetic},
    {"feet-inch-fraction", [](ByteReader& in) { return withWord(in, kLengthWords); }},
    {"metres", [](ByteReader& in) { return withWord(in, kLengthWords); }},
    {"degrees-minutes-seconds", sexagesimal},
    {"pounds-ounces", poundsOunces},
    {"kilograms", [](ByteReader& in) { return withWord(in, kWeightWords); }},
    {"kilonewtons", [](ByteReader& in) { return withWord(in, kForceWords); }},
    {"kilonewton-metres", [](ByteReader& in) { return withWord(in, kMomentWords); }},
    {"newtons-per-square-mm", [](ByteReader& in) { return withWord(in, kStressWords); }},
    {"metres",
     [](ByteReader& in) {  // a bare number in the display unit
       Part p = decimal(in, 6, 4);
       return Part{p.text, p.value * 1000};
     }},
    {"gon",
     [](ByteReader& in) {
       Part p = decimal(in, 3, 4);
       return Part{p.text, p.value * ratio("9/10")};
     }},
};

void fail(const char* what, const char* unit, const std::wstring& text, double expected,
          double got) {
  std::string utf8;
  pelunits::appendUtf8(text.c_str(), text.size(), utf8);
  std::fprintf(stderr,
               "exact value property broken (%s): unit %s, text \"%s\": expected %a, got %a\n",
               what, unit, utf8.c_str(), expected, got);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const Case& c = kCases[in.byte() % (sizeof kCases / sizeof kCases[0])];
  Part part = c.make(in);
  if ((in.byte() & 3) == 0 && part.value != 0) {  // a leading sign, with a blank or U+2212
    // A sign covers one quantity: arithmetic takes parentheses under it.
    if (c.make == arithmetic) part.text = L"(" + part.text + L")";
    part.text = ((in.byte() & 1) != 0 ? L"- " : L"\u2212") + part.text;
    part.value = -part.value;
  }
  static KovUnitTransform* units[sizeof kCases / sizeof kCases[0]] = {};
  KovUnitTransform*& unit = units[&c - kCases];
  if (unit == nullptr) unit = pelunits::newNamedUnit(*pelunits::findNamedUnit(c.unit));
  const double expected = nearest(part.value);
  const pelunits::ReadResult r = pelunits::readExact(*unit, KovString(part.text.c_str()));
  if (r.status != pelunits::ReadStatus::complete) fail(r.message, c.unit, part.text, expected, 0);
  if (std::memcmp(&r.value, &expected, sizeof expected) != 0) {
    fail("value", c.unit, part.text, expected, r.value);
  }
  std::string utf8;
  pelunits::appendUtf8(part.text.c_str(), part.text.size(), utf8);
  const pelunits::ReadResult u = pelunits::readExactUtf8(*unit, utf8.data(), utf8.size());
  if (u.status != pelunits::ReadStatus::complete ||
      std::memcmp(&u.value, &expected, sizeof expected) != 0) {
    fail("UTF-8", c.unit, part.text, expected, u.value);
  }
  return 0;
}
