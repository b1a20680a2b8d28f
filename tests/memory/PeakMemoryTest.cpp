// The readers and validators work on the typed text in place or copy it at most
// once: the memory that one call allocates stays below twice the text's size plus a
// constant, also for a text of 50 million characters.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"

namespace {

// Every allocation carries its size and whether it was counted in front of it.
constexpr std::size_t kHeader = 2 * sizeof(std::max_align_t);
std::atomic<bool> counting{false};
std::atomic<long long> current{0};
std::atomic<long long> peak{0};

void* allocate(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (block == nullptr) throw std::bad_alloc();
  auto* header = static_cast<std::size_t*>(block);
  header[0] = size;
  header[1] = counting.load() ? 1 : 0;
  if (header[1] != 0) {
    const long long now = current += static_cast<long long>(size);
    long long seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
  }
  return static_cast<char*>(block) + kHeader;
}

void release(void* pointer) noexcept {
  if (pointer == nullptr) return;
  auto* header = reinterpret_cast<std::size_t*>(static_cast<char*>(pointer) - kHeader);
  if (header[1] != 0) current -= static_cast<long long>(header[0]);
  std::free(header);
}

// The most that `call` had allocated at once, in bytes.
template <class Call>
long long peakBytesOf(Call call) {
  current = 0;
  peak = 0;
  counting = true;
  call();
  counting = false;
  return peak.load();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* pointer) noexcept { release(pointer); }
void operator delete[](void* pointer) noexcept { release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { release(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { release(pointer); }
// The library's clones use the nothrow form; a sanitizer's runtime would otherwise
// answer it with an allocation of its own.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept { release(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { release(pointer); }

namespace {

constexpr int kLength = 50000000;

// "1 1/" and fifty million digits: a fraction that the feet-inch-fraction, the
// fractional decimal and the metric units all read and check to its end. Built
// once, in place.
const KovString& longFraction() {
  static const KovString text = [] {
    const KovString head(L"1 1/");
    KovString built;
    built.reserve(head.length() + kLength);
    built += head;
    const std::wstring block(4096, L'2');
    for (int left = kLength; left > 0; left -= 4096) {
      built.append(block.c_str(), left < 4096 ? left : 4096);
    }
    return built;
  }();
  return text;
}

TEST(PeakMemory, OneCallOnALongTextAllocatesLessThanTwiceTheText) {
  using Unit = KovUnitTransform;
  struct Case {
    const char* what;
    int units;
    int representation;
    bool validate;  // else read (the value, 1 + inf / inf, is not looked at)
  } cases[] = {
      {"feet-inch-fraction check", 20, 1, true},
      {"feet-inch-fraction read", 20, 1, false},
      {"fractional decimal check", 20, 5006, true},
      {"metric fraction read", 20, 5, false},
  };
  const KovString& text = longFraction();
  const long long textBytes =
      static_cast<long long>(text.length()) * static_cast<long long>(sizeof(wchar_t));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto representation = static_cast<Unit::eSystemRepresentation>(c.representation);
    const pelunits::UnitPtr unit(KovUnitsTransformArray::getNewUnit(
        static_cast<Unit::eSystemUnits>(c.units), representation));
    ASSERT_NE(unit, nullptr);
    const long long used = peakBytesOf([&] {
      if (c.validate) {
        EXPECT_EQ(unit->isValidString(text), 1);
      } else {
        unit->getMillimeters(text);
      }
    });
    EXPECT_LT(used, 2 * textBytes + (1 << 20)) << used << " bytes for a text of " << textBytes;
  }
}

}  // namespace
