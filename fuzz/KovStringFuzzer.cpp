// Fuzzes KovString against a plain std::wstring model: substrings, searches,
// trims, removals and replacements must agree with the model, the number readers
// with strtod/strtol in the "C" locale, appendFixed and format with snprintf.
// Any disagreement aborts, so the fuzzer reports it like a crash.

#include <locale.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "KovString.h"
#include "fuzz/FuzzInput.h"

namespace {

using pelunits::fuzz::ByteReader;
using pelunits::fuzz::decodeText;
using pelunits::fuzz::toKovString;

void check(bool condition, const char* what) {
  pelunits::fuzz::requireProperty(condition, "KovString model property", what);
}

std::wstring str(const KovString& s) {
  return std::wstring(s.getStringW(), static_cast<std::size_t>(s.length()));
}

bool isBlankChar(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

// The text as strtod sees it: characters outside ASCII (and NUL) become a byte
// that no number contains, so both readers stop there.
std::string narrowForC(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    out.push_back(c > 0 && c < 0x80 ? static_cast<char>(c) : '\x01');
  }
  return out;
}

locale_t cLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

std::wstring fixedText(double value, int decimals) {
  if (std::isnan(value)) return L"nan";
  if (std::isinf(value)) return value < 0 ? L"-inf" : L"inf";
  char buffer[1600];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return std::wstring(buffer, buffer + std::strlen(buffer));
}

bool sameDouble(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

std::wstring modelTrim(std::wstring s, bool leftSide, const std::wstring* set) {
  auto drop = [&](wchar_t c) {
    return set == nullptr ? isBlankChar(c) : set->find(c) != std::wstring::npos;
  };
  if (leftSide) {
    std::size_t i = 0;
    while (i < s.size() && drop(s[i])) ++i;
    return s.substr(i);
  }
  std::size_t n = s.size();
  while (n > 0 && drop(s[n - 1])) --n;
  return s.substr(0, n);
}

bool modelIsNumeric(const std::wstring& s) {
  int digits = 0;
  int points = 0;
  for (wchar_t c : s) {
    if (c >= L'0' && c <= L'9') {
      ++digits;
    } else if (c == L'.') {
      ++points;
    } else {
      return false;
    }
  }
  return digits > 0 && points <= 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::int32_t n1 = in.i32();
  const std::int32_t n2 = in.i32();
  const wchar_t c = in.wideChar();
  const int splitAt = in.byte() % 32;
  const int decimalsRaw = static_cast<int>(in.i32() % 1200) - 50;
  const double value = in.rawDouble();
  const std::size_t prefix = in.position();
  const std::wstring whole = decodeText(in.from(prefix), in.sizeFrom(prefix));
  const std::size_t cut = std::min(static_cast<std::size_t>(splitAt), whole.size());
  const std::wstring b = whole.substr(0, cut);
  const std::wstring a = whole.substr(cut);
  const KovString ka = toKovString(a);
  const KovString kb = toKovString(b);
  const int len = ka.length();
  check(static_cast<std::size_t>(len) == a.size(), "length");
  check(str(ka) == a, "construction");

  // Positions.
  check(ka.at(n1) == (n1 >= 0 && n1 < len ? a[static_cast<std::size_t>(n1)] : 0), "at");
  if (!b.empty()) {
    const int start = std::max(n1 % (len + 2), 0);
    const std::size_t want =
        start <= len ? a.find(b, static_cast<std::size_t>(start)) : std::wstring::npos;
    const int got = ka.find(kb, n1 % (len + 2));
    check(got == (want == std::wstring::npos ? -1 : static_cast<int>(want)), "find text");
  }
  {
    const int start = std::max(n2 % (len + 2), 0);
    const std::size_t want =
        start <= len ? a.find(c, static_cast<std::size_t>(start)) : std::wstring::npos;
    check(ka.find(c, n2 % (len + 2)) == (want == std::wstring::npos ? -1 : static_cast<int>(want)),
          "find character");
  }

  // Substrings clamp their arguments.
  const auto clampCount = [len](std::int32_t n) {
    return n < 0 ? std::size_t{0}
                 : std::min(static_cast<std::size_t>(n), static_cast<std::size_t>(len));
  };
  check(str(ka.left(n1)) == a.substr(0, clampCount(n1)), "left");
  check(str(ka.right(n1)) == a.substr(a.size() - clampCount(n1)), "right");
  {
    const std::size_t start = clampCount(n1);
    const std::wstring want =
        n2 < 0 ? std::wstring() : a.substr(start, static_cast<std::size_t>(n2));
    check(str(ka.mid(n1, n2)) == want, "mid");
    check(str(ka.mid(n1)) == a.substr(start), "mid to the end");
  }

  // Trims.
  {
    KovString t = ka;
    t.TrimLeft();
    check(str(t) == modelTrim(a, true, nullptr), "TrimLeft");
    t = ka;
    t.TrimRight();
    check(str(t) == modelTrim(a, false, nullptr), "TrimRight");
    t = ka;
    t.Trim();
    check(str(t) == modelTrim(modelTrim(a, false, nullptr), true, nullptr), "Trim");
    t = ka;
    t.TrimLeft(kb);
    check(str(t) == modelTrim(a, true, &b), "TrimLeft of a set");
    t = ka;
    t.TrimRight(kb);
    check(str(t) == modelTrim(a, false, &b), "TrimRight of a set");
  }

  // Removal and replacement.
  {
    KovString t = ka;
    std::wstring want = a;
    const auto removed = std::count(want.begin(), want.end(), c);
    want.erase(std::remove(want.begin(), want.end(), c), want.end());
    check(t.removeAll(c) == static_cast<int>(removed), "removeAll count");
    check(str(t) == want, "removeAll");
  }
  {
    const std::wstring to =
        b.substr(0, b.size() / 2) + std::wstring(static_cast<std::size_t>(n2 & 3), c);
    const std::wstring from = b.substr(b.size() / 2);
    KovString t = ka;
    const int count = t.replace(toKovString(from), toKovString(to));
    std::wstring want;
    int wantCount = 0;
    if (from.empty()) {
      want = a;
    } else {
      std::size_t pos = 0;
      for (;;) {
        const std::size_t hit = a.find(from, pos);
        if (hit == std::wstring::npos) break;
        want += a.substr(pos, hit - pos) + to;
        pos = hit + from.size();
        ++wantCount;
      }
      want += a.substr(pos);
    }
    check(count == wantCount, "replace count");
    check(str(t) == want, "replace");
  }

  // Number reading, against the C runtime in the "C" locale.
  {
    const std::string narrow = narrowForC(a);
    check(sameDouble(ka.toDouble(), strtod_l(narrow.c_str(), nullptr, cLocale())), "toDouble");
    long long wide = std::strtoll(narrow.c_str(), nullptr, 10);
    wide = std::min<long long>(std::max<long long>(wide, INT32_MIN), INT32_MAX);
    check(ka.toLong() == wide, "toLong");
    check(ka.IsNumeric() == modelIsNumeric(a), "IsNumeric");
  }

  // Number writing.
  {
    const int decimals = std::min(std::max(decimalsRaw, 0), KovString::kMaxDecimals);
    KovString t = ka;
    t.appendFixed(value, decimalsRaw);
    check(str(t) == a + fixedText(value, decimals), "appendFixed");
    KovString i = kb;
    i.appendInt(static_cast<long long>(n1) * n2);
    check(str(i) == b + std::to_wstring(static_cast<long long>(n1) * n2), "appendInt");
  }
  {
    // Safe patterns only: the fuzzer's text goes into the literal parts with its
    // '%' removed and into the arguments.
    std::wstring literal = b;
    literal.erase(std::remove(literal.begin(), literal.end(), L'%'), literal.end());
    literal.erase(std::find(literal.begin(), literal.end(), L'\0'), literal.end());
    const std::wstring pattern = literal + L"%d|%.*f|%s|%f%%" + literal;
    const int decimals = std::min(std::max(decimalsRaw, 0), 40);
    KovString f;
    f.format(pattern.c_str(), n1, decimals, value, ka.getStringW(), value);
    const std::wstring shownA = a.substr(0, std::min(a.find(L'\0'), a.size()));
    const std::wstring want = literal + std::to_wstring(n1) + L"|" + fixedText(value, decimals) +
                              L"|" + shownA + L"|" + fixedText(value, 6) + L"%" + literal;
    check(str(f) == want, "format");
  }

  // Joining, comparing, copying, shortening.
  {
    KovString joined = ka + kb;
    check(str(joined) == a + b, "operator+");
    KovString appended = ka;
    appended += kb;
    check(appended == joined, "operator+=");
    check((ka == kb) == (a == b), "operator==");
    KovString moved = std::move(appended);
    check(str(moved) == a + b, "move");
    const KovString& alias = moved;
    moved = alias;  // self-assignment keeps the text
    check(str(moved) == a + b, "self-assignment");
    KovString cut1 = ka;
    cut1.truncate(n2);
    if (n2 >= 0) check(str(cut1) == a.substr(0, clampCount(n2)), "truncate");
    KovString cut2 = ka;
    cut2.erase(n1, n2);
    if (n1 >= 0 && n2 >= 0) {
      std::wstring want = a;
      if (static_cast<std::size_t>(n1) < want.size())
        want.erase(static_cast<std::size_t>(n1), static_cast<std::size_t>(n2));
      check(str(cut2) == want, "erase");
    }
    check(cut2.getStringW()[cut2.length()] == 0, "terminating zero");
  }
  return 0;
}
