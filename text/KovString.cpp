#include "KovString.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>
#include <utility>

#include "IntegerText.h"
#include "NumberScan.h"
#include "PowersOfTen.h"

namespace {

int wideLength(const wchar_t* text) noexcept {
  if (text == nullptr) return 0;
  const std::size_t n = std::wcslen(text);
  return n > static_cast<std::size_t>(INT_MAX / 2) ? INT_MAX / 2 : static_cast<int>(n);
}

// Code page 1252 for the bytes 0x80 to 0x9F; the five undefined bytes map to
// the control character of the same value, as the Windows conversion does.
constexpr wchar_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

wchar_t widenCp1252(unsigned char byte) noexcept {
  if (byte >= 0x80 && byte <= 0x9F) return kCp1252High[byte - 0x80];
  return static_cast<wchar_t>(byte);
}

bool inSet(wchar_t c, const KovString& set) noexcept { return set.find(c) >= 0; }

// The fixed-point texts of the displays fit in 20 digits, a sign and a point.
constexpr int kFixedFastLength = 24;
constexpr int kFixedFastMaxDecimals = 9;

// "%.*f" of a finite value whose scaled magnitude value x 10^decimals stays below
// 2^64, written exactly: the double is m x 2^e, so value x 10^decimals is the
// integer m x 10^decimals shifted by e, and the bits shifted out decide the
// rounding, halves to even as printf rounds the exact binary value. Returns the
// length written at the end of the buffer `out` (kFixedFastLength characters), or 0
// when the value is outside that range (the caller then uses std::to_chars, which
// gives the same text); NumberFastPathTest compares the two.
// Kept for bench row display/GradMinSec/seconds3600, which misses its target without it.
int writeFixedFast(double value, int decimals, wchar_t* out) noexcept {
#if !defined(__SIZEOF_INT128__)
  // Without a 128-bit integer type (MSVC) every value takes the general path.
  (void)value;
  (void)decimals;
  (void)out;
  return 0;
#else
  if (decimals > kFixedFastMaxDecimals) return 0;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((1ULL << 52) - 1);
  const std::uint64_t mantissa = biased == 0 ? fraction : (fraction | (1ULL << 52));
  const int exponent = (biased == 0 ? 1 : biased) - 1075;
  using Wide = unsigned __int128;
  const Wide scaled = static_cast<Wide>(mantissa) * pelunits::kPowersOfTen[decimals];  // below 2^83
  std::uint64_t digits = 0;
  if (exponent >= 0) {
    if (exponent > 63 || scaled > (static_cast<Wide>(~0ULL) >> exponent)) return 0;
    digits = static_cast<std::uint64_t>(scaled << exponent);
  } else if (exponent > -90) {
    const int shift = -exponent;
    const Wide whole = scaled >> shift;
    if ((whole >> 64) != 0) return 0;
    digits = static_cast<std::uint64_t>(whole);
    const Wide rest = scaled - (whole << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest > half || (rest == half && (digits & 1ULL) != 0)) {
      if (digits == ~0ULL) return 0;
      ++digits;
    }
  }
  // else: below half a unit of the last decimal (scaled < 2^83 <= half), rounds to 0.

  // Written backwards from the end of the buffer: the decimals, the point, then the
  // integer digits (at least one) and the sign.
  wchar_t* const end = out + kFixedFastLength;
  wchar_t* p = end;
  for (int i = 0; i < decimals; ++i) {
    *--p = static_cast<wchar_t>(L'0' + static_cast<int>(digits % 10));
    digits /= 10;
  }
  if (decimals > 0) *--p = L'.';
  do {
    *--p = static_cast<wchar_t>(L'0' + static_cast<int>(digits % 10));
    digits /= 10;
  } while (digits != 0);
  if (negative) *--p = L'-';  // printf keeps the sign of -0.0 and of -0.001 at 2 decimals
  return static_cast<int>(end - p);
#endif
}

}  // namespace

KovString::KovString(const KovString& other) : KovString() {
  append(other.getStringW(), other.length_);
}

KovString::KovString(const wchar_t* text) : KovString() { append(text, wideLength(text)); }

KovString::KovString(const wchar_t* text, int length) : KovString() { append(text, length); }

KovString::KovString(const char* text) : KovString() { *this = text; }

KovString& KovString::operator=(const KovString& other) {
  if (this != &other) {
    // Terminated here: appending an empty text writes nothing.
    length_ = 0;
    data()[0] = 0;
    append(other.getStringW(), other.length_);
  }
  return *this;
}

KovString& KovString::operator=(KovString&& other) noexcept {
  if (this == &other) return *this;
  if (other.heap_ != nullptr) {
    delete[] heap_;
    heap_ = other.heap_;
    capacity_ = other.capacity_;
    length_ = other.length_;
    other.heap_ = nullptr;
    other.capacity_ = kInlineCapacity;
  } else {
    // Short texts fit our own storage whatever it is.
    std::wmemcpy(data(), other.inline_, static_cast<std::size_t>(other.length_));
    length_ = other.length_;
    data()[length_] = 0;
  }
  other.length_ = 0;
  other.inline_[0] = 0;
  return *this;
}

KovString& KovString::operator=(const wchar_t* text) {
  if (text != nullptr && text >= getStringW() && text <= getStringW() + length_) {
    KovString copy(text);
    return *this = std::move(copy);
  }
  length_ = 0;
  data()[0] = 0;
  return append(text, wideLength(text));
}

KovString& KovString::operator=(const char* text) {
  clear();
  if (text == nullptr) return *this;
  const std::size_t n = std::strlen(text);
  const int count = n > static_cast<std::size_t>(INT_MAX / 2) ? INT_MAX / 2 : static_cast<int>(n);
  reserve(count);
  wchar_t* out = data();
  for (int i = 0; i < count; ++i) out[i] = widenCp1252(static_cast<unsigned char>(text[i]));
  length_ = count;
  out[count] = 0;
  return *this;
}

KovString KovString::operator+(const KovString& other) const {
  KovString joined;
  joined.reserve(length_ + other.length_);
  joined.append(getStringW(), length_);
  joined.append(other.getStringW(), other.length_);
  return joined;
}

bool KovString::operator==(const KovString& other) const noexcept {
  return length_ == other.length_ &&
         std::wmemcmp(getStringW(), other.getStringW(), static_cast<std::size_t>(length_)) == 0;
}

bool KovString::operator==(const wchar_t* text) const noexcept {
  const int n = wideLength(text);
  return n == length_ && std::wmemcmp(getStringW(), text, static_cast<std::size_t>(length_)) == 0;
}

int KovString::find(const KovString& part, int start) const noexcept {
  if (start < 0) start = 0;
  const int n = part.length_;
  if (start > length_ || n > length_ - start) return -1;
  if (n == 0) return start;
  const wchar_t* text = getStringW();
  const wchar_t* p = part.getStringW();
  const wchar_t first = p[0];
  for (int i = start; i <= length_ - n; ++i) {
    if (text[i] == first &&
        std::wmemcmp(text + i + 1, p + 1, static_cast<std::size_t>(n - 1)) == 0) {
      return i;
    }
  }
  return -1;
}

KovString KovString::left(int count) const {
  if (count <= 0) return KovString();
  if (count > length_) count = length_;
  return KovString(getStringW(), count);
}

KovString KovString::right(int count) const {
  if (count <= 0) return KovString();
  if (count > length_) count = length_;
  return KovString(getStringW() + (length_ - count), count);
}

KovString KovString::mid(int start, int count) const {
  if (start < 0) start = 0;
  if (count <= 0 || start >= length_) return KovString();
  if (count > length_ - start) count = length_ - start;
  return KovString(getStringW() + start, count);
}

KovString KovString::mid(int start) const { return mid(start, length_); }

KovString& KovString::TrimLeft() noexcept {
  int skip = 0;
  const wchar_t* text = getStringW();
  while (skip < length_ && pelunits::isBlank(text[skip])) ++skip;
  erase(0, skip);
  return *this;
}

KovString& KovString::TrimRight() noexcept {
  const wchar_t* text = getStringW();
  int n = length_;
  while (n > 0 && pelunits::isBlank(text[n - 1])) --n;
  truncate(n);
  return *this;
}

KovString& KovString::TrimLeft(const KovString& set) noexcept {
  int skip = 0;
  const wchar_t* text = getStringW();
  while (skip < length_ && inSet(text[skip], set)) ++skip;
  erase(0, skip);
  return *this;
}

KovString& KovString::TrimRight(const KovString& set) noexcept {
  const wchar_t* text = getStringW();
  int n = length_;
  while (n > 0 && inSet(text[n - 1], set)) --n;
  truncate(n);
  return *this;
}

int KovString::removeAll(const wchar_t& c) noexcept {
  const wchar_t target = c;  // c may live inside this text
  wchar_t* text = data();
  int kept = 0;
  for (int i = 0; i < length_; ++i) {
    if (text[i] != target) text[kept++] = text[i];
  }
  const int removed = length_ - kept;
  length_ = kept;
  text[kept] = 0;
  return removed;
}

int KovString::replace(const KovString& from, const KovString& to) {
  if (from.length_ == 0 || length_ == 0) return 0;
  int position = find(from, 0);
  if (position < 0) return 0;
  KovString result;
  result.reserve(length_);
  int count = 0;
  int copied = 0;
  const wchar_t* text = getStringW();
  while (position >= 0) {
    result.append(text + copied, position - copied);
    result.append(to.getStringW(), to.length_);
    copied = position + from.length_;
    ++count;
    position = find(from, copied);
  }
  result.append(text + copied, length_ - copied);
  *this = std::move(result);
  return count;
}

double KovString::toDouble() const noexcept {
  return pelunits::scanDouble(getStringW(), length_).value;
}

long KovString::toLong() const noexcept {
  const long long v = pelunits::scanInteger(getStringW(), length_).value;
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<long>(v);
}

bool KovString::IsNumeric() const noexcept {
  return pelunits::isUnsignedDecimal(getStringW(), length_);
}

KovString& KovString::appendGrowing(const wchar_t* text, int length) {
  if (length > INT_MAX / 2 - length_) length = INT_MAX / 2 - length_;
  if (length_ + length > capacity_) {
    // text may point into this string; keep it alive across the reallocation.
    const wchar_t* old = getStringW();
    if (text >= old && text < old + capacity_ + 1) {
      KovString copy(text, length);
      return append(copy.getStringW(), copy.length_);
    }
    growTo(length_ + length);
  }
  wchar_t* out = data();
  std::wmemmove(out + length_, text, static_cast<std::size_t>(length));
  length_ += length;
  out[length_] = 0;
  return *this;
}

KovString& KovString::appendInt(long long value) {
  // Feet, inches, numerators and denominators are mostly one or two digits.
  if (value >= 0 && value < 100) {
    const wchar_t digits[2] = {static_cast<wchar_t>(L'0' + value / 10),
                               static_cast<wchar_t>(L'0' + value % 10)};
    return value < 10 ? append(digits + 1, 1) : append(digits, 2);
  }
  wchar_t buffer[pelunits::kIntegerTextLength];
  wchar_t* const end = buffer + pelunits::kIntegerTextLength;
  const wchar_t* const p = pelunits::writeInteger(value, end);
  return append(p, static_cast<int>(end - p));
}

namespace {

// The exact fixed text of `value` with `decimals` decimals, '.' as the point, into
// `buffer` (large enough); returns its length. Without the floating-point
// std::to_chars the C library's printf gives the same digits (it rounds exactly),
// with the point of the current C locale, which is put back to '.'.
int formatFixed(char* buffer, int size, double value, int decimals) noexcept {
#if defined(PELUNITS_HAVE_FLOAT_TO_CHARS)
  const auto result =
      std::to_chars(buffer, buffer + size, value, std::chars_format::fixed, decimals);
  return static_cast<int>(result.ptr - buffer);
#else
  const int written =
      std::snprintf(buffer, static_cast<std::size_t>(size), "%.*f", decimals, value);
  if (written <= 0 || written >= size) return 0;
  // [-]digits[point digits]: whatever stands between the two runs of digits is the point.
  int i = buffer[0] == '-' ? 1 : 0;
  while (i < written && buffer[i] >= '0' && buffer[i] <= '9') ++i;
  if (i == written) return written;
  int next = i;
  while (next < written && !(buffer[next] >= '0' && buffer[next] <= '9')) ++next;
  buffer[i] = '.';
  std::memmove(buffer + i + 1, buffer + next, static_cast<std::size_t>(written - next));
  return written - (next - i - 1);
#endif
}

}  // namespace

KovString& KovString::appendFixed(double value, int decimals) {
  if (std::isnan(value)) return append(L"nan", 3);
  if (std::isinf(value)) return value < 0 ? append(L"-inf", 4) : append(L"inf", 3);
  if (decimals < 0) decimals = 0;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;
  wchar_t fast[kFixedFastLength];
  const int fastLength = writeFixedFast(value, decimals, fast);
  if (fastLength > 0) return append(fast + kFixedFastLength - fastLength, fastLength);
  // The widest fixed text: 309 integer digits, sign, point and the decimals.
  constexpr int kBufferSize = 320 + kMaxDecimals;
  char buffer[kBufferSize];
  const int n = formatFixed(buffer, kBufferSize, value, decimals);
  const int start = length_;
  reserve(length_ + n);
  wchar_t* out = data() + start;
  for (int i = 0; i < n; ++i) out[i] = static_cast<wchar_t>(buffer[i]);
  length_ += n;
  data()[length_] = 0;
  return *this;
}

namespace {

struct Conversion {
  bool leftAlign = false;
  bool zeroPad = false;
  bool plus = false;
  bool space = false;
  int width = 0;
  int precision = -1;
  int longs = 0;  // the 'l's before the conversion letter
};

void appendPadded(KovString& out, const KovString& body, const Conversion& conversion,
                  bool numeric) {
  const int pad = conversion.width - body.length();
  if (pad <= 0) {
    out += body;
    return;
  }
  if (conversion.leftAlign) {
    out += body;
    for (int i = 0; i < pad; ++i) out += L' ';
    return;
  }
  if (conversion.zeroPad && numeric) {
    int signLength = (body[0] == L'-' || body[0] == L'+' || body[0] == L' ') ? 1 : 0;
    out.append(body.getStringW(), signLength);
    for (int i = 0; i < pad; ++i) out += L'0';
    out.append(body.getStringW() + signLength, body.length() - signLength);
    return;
  }
  for (int i = 0; i < pad; ++i) out += L' ';
  out += body;
}

void addSign(KovString& body, const Conversion& conversion) {
  if (body[0] == L'-' || body[0] == L'n' || body[0] == L'i') return;
  if (conversion.plus) {
    body = KovString(L"+") + body;
  } else if (conversion.space) {
    body = KovString(L" ") + body;
  }
}

// Reads the flags, width, precision and length of a conversion from `p`, just after
// its '%'; returns where its conversion letter stands.
const wchar_t* readConversion(const wchar_t* p, va_list* args, Conversion& conversion) {
  for (;; ++p) {
    if (*p == L'-') {
      conversion.leftAlign = true;
    } else if (*p == L'0') {
      conversion.zeroPad = true;
    } else if (*p == L'+') {
      conversion.plus = true;
    } else if (*p == L' ') {
      conversion.space = true;
    } else {
      break;
    }
  }
  if (*p == L'*') {
    conversion.width = va_arg(*args, int);
    if (conversion.width < 0) {
      conversion.leftAlign = true;
      conversion.width = conversion.width == INT_MIN ? 0 : -conversion.width;
    }
    ++p;
  } else {
    while (pelunits::isAsciiDigit(*p)) {
      if (conversion.width < 100000) conversion.width = conversion.width * 10 + (*p - L'0');
      ++p;
    }
  }
  if (*p == L'.') {
    ++p;
    conversion.precision = 0;
    if (*p == L'*') {
      conversion.precision = va_arg(*args, int);
      ++p;
    } else {
      while (pelunits::isAsciiDigit(*p)) {
        if (conversion.precision < 100000)
          conversion.precision = conversion.precision * 10 + (*p - L'0');
        ++p;
      }
    }
  }
  while (*p == L'l') {
    ++conversion.longs;
    ++p;
  }
  return p;
}

// Appends the argument of the conversion `letter`; false for a letter it does not know.
bool appendArgument(KovString& out, wchar_t letter, const Conversion& conversion, va_list* args) {
  const int longs = conversion.longs;
  KovString body;
  switch (letter) {
    case L'd':
    case L'i': {
      long long v = longs >= 2   ? va_arg(*args, long long)
                    : longs == 1 ? va_arg(*args, long)
                                 : va_arg(*args, int);
      body.appendInt(v);
      addSign(body, conversion);
      appendPadded(out, body, conversion, true);
      return true;
    }
    case L'u': {
      unsigned long long v = longs >= 2   ? va_arg(*args, unsigned long long)
                             : longs == 1 ? va_arg(*args, unsigned long)
                                          : va_arg(*args, unsigned int);
      body.appendInt(v > static_cast<unsigned long long>(LLONG_MAX) ? LLONG_MAX
                                                                    : static_cast<long long>(v));
      appendPadded(out, body, conversion, true);
      return true;
    }
    case L'f':
    case L'F': {
      const double v = va_arg(*args, double);
      body.appendFixed(v, conversion.precision < 0 ? 6 : conversion.precision);
      addSign(body, conversion);
      appendPadded(out, body, conversion, std::isfinite(v));
      return true;
    }
    case L's': {
      const wchar_t* s = va_arg(*args, const wchar_t*);
      body = s != nullptr ? s : L"(null)";
      if (conversion.precision >= 0 && conversion.precision < body.length())
        body.truncate(conversion.precision);
      appendPadded(out, body, conversion, false);
      return true;
    }
    case L'c': {
      body += static_cast<wchar_t>(va_arg(*args, int));
      appendPadded(out, body, conversion, false);
      return true;
    }
    case L'%':
      out += L'%';
      return true;
    default:
      return false;
  }
}

}  // namespace

KovString& KovString::format(const wchar_t* pattern, ...) {
  KovString out;
  if (pattern == nullptr) {
    *this = std::move(out);
    return *this;
  }
  va_list args;
  va_start(args, pattern);
  for (const wchar_t* p = pattern; *p != 0; ++p) {
    if (*p != L'%') {
      out += *p;
      continue;
    }
    const wchar_t* start = p++;
    Conversion conversion;
    p = readConversion(p, &args, conversion);
    if (!appendArgument(out, *p, conversion, &args)) {
      // Not a conversion we know: keep the text as written.
      out.append(start, static_cast<int>(p - start) + (*p != 0 ? 1 : 0));
      if (*p == 0) --p;
    }
  }
  va_end(args);
  *this = std::move(out);
  return *this;
}

void KovString::reserve(int capacity) {
  if (capacity > capacity_) growTo(capacity);
}

void KovString::truncate(int count) noexcept {
  if (count < 0) count = 0;
  if (count >= length_) return;
  length_ = count;
  data()[count] = 0;
}

void KovString::erase(int start, int count) noexcept {
  if (start < 0) start = 0;
  if (count <= 0 || start >= length_) return;
  if (count > length_ - start) count = length_ - start;
  wchar_t* text = data();
  std::wmemmove(text + start, text + start + count,
                static_cast<std::size_t>(length_ - start - count + 1));
  length_ -= count;
}

void KovString::growTo(int capacity) {
  int next = capacity_ * 2;
  if (next < capacity) next = capacity;
  if (next > INT_MAX / 2) next = INT_MAX / 2;
  auto* fresh = new wchar_t[static_cast<std::size_t>(next) + 1];
  std::wmemcpy(fresh, getStringW(), static_cast<std::size_t>(length_) + 1);
  delete[] heap_;
  heap_ = fresh;
  capacity_ = next;
}
