#include "TypedText.h"

#include <new>

namespace pelunits {
namespace exact {

wchar_t plainCharacter(wchar_t c) noexcept {
  if (c > L' ' && c < 0x7F) return c;  // printable ASCII is plain already
  switch (c) {
    case L'\t':
    case L'\n':
    case L'\v':
    case L'\f':
    case L'\r':
    case L'\u00A0':  // no-break space
    case L'\u2002':
    case L'\u2003':
    case L'\u2004':
    case L'\u2005':
    case L'\u2006':
    case L'\u2007':  // figure space
    case L'\u2008':
    case L'\u2009':  // thin space
    case L'\u200A':
    case L'\u202F':  // narrow no-break space
      return L' ';
    case L'\u2032':  // prime
    case L'\u2019':  // right single quotation mark
    case L'\u00B4':  // acute accent
      return L'\'';
    case L'\u2033':  // double prime
    case L'\u201D':  // right double quotation mark
    case L'\u02DD':  // double acute accent
      return L'"';
    case L'\u00BA':  // masculine ordinal, typed for a degree
    case L'\u02DA':  // ring above
      return L'\u00B0';
    case L'\u2212':  // minus sign
      return L'-';
    case L'\u2044':  // fraction slash
    case L'\u00F7':
      return L'/';
    case L'\u00D7':
      return L'*';
    default:
      return c;
  }
}

namespace {

// The vulgar fractions of Unicode and their values, for reading and for writing.
struct VulgarFraction {
  wchar_t c;
  signed char numerator;
  signed char denominator;
};
constexpr VulgarFraction kVulgarFractions[] = {
    {L'\u00BC', 1, 4},  {L'\u00BD', 1, 2}, {L'\u00BE', 3, 4}, {L'\u2150', 1, 7}, {L'\u2151', 1, 9},
    {L'\u2152', 1, 10}, {L'\u2153', 1, 3}, {L'\u2154', 2, 3}, {L'\u2155', 1, 5}, {L'\u2156', 2, 5},
    {L'\u2157', 3, 5},  {L'\u2158', 4, 5}, {L'\u2159', 1, 6}, {L'\u215A', 5, 6}, {L'\u215B', 1, 8},
    {L'\u215C', 3, 8},  {L'\u215D', 5, 8}, {L'\u215E', 7, 8},
};

}  // namespace

bool vulgarFractionValue(wchar_t c, int& numerator, int& denominator) noexcept {
  for (const VulgarFraction& e : kVulgarFractions) {
    if (e.c == c) {
      numerator = e.numerator;
      denominator = e.denominator;
      return true;
    }
  }
  return false;
}

wchar_t vulgarFractionCharacter(long long numerator, long long denominator) noexcept {
  for (const VulgarFraction& e : kVulgarFractions) {
    if (e.numerator == numerator && e.denominator == denominator) return e.c;
  }
  return 0;
}

PlainText::PlainText(const wchar_t* text, std::size_t length) : data_(inline_), length_(length) {
  if (length > kInline) data_ = new (std::nothrow) wchar_t[length];
  if (data_ == nullptr) {
    length_ = 0;
    return;
  }
  for (std::size_t i = 0; i < length; ++i) data_[i] = plainCharacter(text[i]);
}

PlainText::~PlainText() {
  if (data_ != inline_) delete[] data_;
}

}  // namespace exact
}  // namespace pelunits
