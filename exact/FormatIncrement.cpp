#include "FormatIncrement.h"

#include <cmath>
#include <cstring>
#include <cwchar>
#include <typeinfo>

#include "OutOfLine.h"
#include "PelUnitsRead.h"

namespace pelunits {
namespace exact {

namespace {

// What the reading of a text depends on: the unit's class, factor (bit for bit) and
// power, which give its field, its symbol, and the text. A unit with its regional flag on
// reads numbers in the user's form, which may change between calls, and is read afresh,
// as are texts and symbols longer than the key holds. Plain data, which a thread finds
// without a guard for its first use.
constexpr std::size_t kKeyRoom = 32;
struct IncrementKey {
  const std::type_info* type;
  double factor;
  int power;
  std::size_t symbolLength;
  wchar_t symbol[kKeyRoom];
  std::size_t textLength;
  wchar_t text[kKeyRoom];
  double value;
};
thread_local IncrementKey tLastIncrement;

// A loop rather than wmemcmp: the texts are a few characters, shorter than the call.
bool sameText(const wchar_t* kept, std::size_t keptLength, const wchar_t* text,
              std::size_t length) {
  if (keptLength != length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (kept[i] != text[i]) return false;
  }
  return true;
}

// The NUL-terminated `text` is the kept one: no character past a difference is read.
bool sameTerminatedText(const wchar_t* kept, std::size_t keptLength, const wchar_t* text) {
  for (std::size_t i = 0; i < keptLength; ++i) {
    if (kept[i] != text[i]) return false;
  }
  return text[keptLength] == 0;
}

PELUNITS_OUT_OF_LINE double readAndKeep(const KovUnitTransform& unit, const wchar_t* text,
                                        std::size_t length) {
  const double value = readIncrement(unit, text, length);
  const KovString& symbol = unit.getSymbol();
  const auto symbolLength = static_cast<std::size_t>(symbol.length());
  if (unit.getUseRegionalSettings() != 0 || length > kKeyRoom || symbolLength > kKeyRoom) {
    return value;
  }
  IncrementKey& key = tLastIncrement;
  key.type = &typeid(unit);
  key.factor = unit.getFactor();
  key.power = unit.getPower();
  key.symbolLength = symbolLength;
  std::wmemcpy(key.symbol, symbol.getStringW(), symbolLength);
  key.textLength = length;
  std::wmemcpy(key.text, text, length);
  key.value = value;
  return value;
}

}  // namespace

double readIncrement(const KovUnitTransform& unit, const wchar_t* text,
                     std::size_t length) noexcept {
  const ReadResult read = readExact(unit, text, length);
  return read.status == ReadStatus::complete ? read.value : std::nan("");
}

double readIncrementKept(const KovUnitTransform& unit, const wchar_t* text) noexcept {
  const IncrementKey& key = tLastIncrement;
  const double factor = unit.getFactor();
  const KovString& symbol = unit.getSymbol();
  if (key.type == &typeid(unit) && key.power == unit.getPower() &&
      std::memcmp(&key.factor, &factor, sizeof factor) == 0 && unit.getUseRegionalSettings() == 0 &&
      sameText(key.symbol, key.symbolLength, symbol.getStringW(),
               static_cast<std::size_t>(symbol.length())) &&
      sameTerminatedText(key.text, key.textLength, text)) {
    return key.value;
  }
  return readAndKeep(unit, text, std::wcslen(text));
}

}  // namespace exact
}  // namespace pelunits
