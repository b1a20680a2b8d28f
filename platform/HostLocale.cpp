#include "HostLocale.h"

#include <atomic>
#include <cwchar>
#include <mutex>
#include <string_view>

#include "PelUnitsLocale.h"
#include "UserLocale.h"
#include "Utf8.h"

namespace pelunits {
namespace platform {
namespace {

// What the host chose; guarded by chosenMutex.
struct HostChoice {
  std::string localeName;
  bool hasFormat = false;
  NumberSettings format;
};

std::mutex chosenMutex;
HostChoice chosen;
// Counts the choices, so that a thread takes the lock only after a change.
std::atomic<unsigned> chosenGeneration{0};

// This thread's copy of the choice and the generation it was copied at.
struct ThreadCopy {
  unsigned generation = 0;
  HostChoice choice;
};
thread_local ThreadCopy threadCopy;

const HostChoice& currentChoice() noexcept {
  ThreadCopy& copy = threadCopy;
  if (copy.generation != chosenGeneration.load(std::memory_order_acquire)) {
    try {
      const std::lock_guard<std::mutex> lock(chosenMutex);
      copy.choice = chosen;
      copy.generation = chosenGeneration.load(std::memory_order_relaxed);
    } catch (...) {
      // No memory for the copy: the default locale answers this call.
      copy.choice.localeName.clear();
      copy.choice.hasFormat = false;
    }
  }
  return copy.choice;
}

// Applies `change` to the choice and publishes it; false when it threw (no memory),
// and then the choice stays as it was.
template <typename Change>
bool changeChoice(Change change) noexcept {
  try {
    const std::lock_guard<std::mutex> lock(chosenMutex);
    HostChoice next = chosen;
    change(next);
    chosen = std::move(next);
    chosenGeneration.fetch_add(1, std::memory_order_release);
    return true;
  } catch (...) {
    return false;
  }
}

constexpr std::size_t kSeparatorLimit = 3;

// A character outside the Basic Multilingual Plane; a 16-bit wchar_t (Windows) holds
// none, only the surrogate halves of one.
bool beyondBasicPlane(wchar_t c) noexcept {
#if WCHAR_MAX > 0xFFFF
  return static_cast<unsigned long>(c) > 0xFFFF;
#else
  (void)c;
  return false;
#endif
}

// A separator of the host's format in wide characters: valid UTF-8 of at most
// kSeparatorLimit characters, none of which would be taken for part of a number.
bool widenSeparator(const std::string& text, KovString& out) {
  std::wstring wide;
  if (!utf8ToWide(text, wide) || wide.size() > kSeparatorLimit) return false;
  for (const wchar_t c : wide) {
    const bool part = (c >= L'0' && c <= L'9') || c == L'-' || c == L'+' || c == L'(' ||
                      c == L')' || c < 0x20 || (c >= 0x7F && c < 0xA0) ||
                      (c >= 0xD800 && c <= 0xDFFF) || beyondBasicPlane(c);
    if (part) return false;
  }
  out = KovString(wide.c_str(), static_cast<int>(wide.size()));
  return true;
}

// The settings of a valid format; false for an invalid one.
bool settingsOf(const RegionalFormat& format, NumberSettings& out) {
  if (!widenSeparator(format.decimalSeparator, out.decimalSeparator) ||
      out.decimalSeparator.isEmpty() ||
      !widenSeparator(format.groupSeparator, out.thousandSeparator)) {
    return false;
  }
  if (!out.thousandSeparator.isEmpty() && out.thousandSeparator[0] == out.decimalSeparator[0]) {
    return false;
  }
  if (format.grouping < 0 || format.grouping > 9) return false;
  if (format.negativeForm < 0 || format.negativeForm > 4) return false;
  out.grouping = format.grouping;
  out.negativeOrder = format.negativeForm;
  out.leadingZero = format.leadingZero ? 1 : 0;
  return true;
}

}  // namespace

const std::string& hostLocaleName() noexcept { return currentChoice().localeName; }

const NumberSettings* hostNumberFormat() noexcept {
  const HostChoice& choice = currentChoice();
  return choice.hasFormat ? &choice.format : nullptr;
}

const NumberSettings* userNumberSettings() {
  if (const NumberSettings* format = hostNumberFormat()) return format;
  return systemNumberSettings();
}

bool readUserNumberSettings(NumberSettings& out) {
  const NumberSettings* settings = userNumberSettings();
  if (settings == nullptr) return false;
  out = *settings;
  return true;
}

}  // namespace platform

void setRegionalLocale(const char* name) noexcept {
  // No memory for the name: the choice stays as it was.
  platform::changeChoice(
      [name](platform::HostChoice& next) { next.localeName = name != nullptr ? name : ""; });
}

bool regionalLocaleAvailable() noexcept {
  try {
    NumberSettings settings;
    return platform::readUserNumberSettings(settings);
  } catch (...) {
    return false;
  }
}

bool isValidRegionalFormat(const RegionalFormat& format) noexcept {
  try {
    NumberSettings settings;
    return platform::settingsOf(format, settings);
  } catch (...) {
    return false;
  }
}

bool setRegionalFormat(const RegionalFormat& format) noexcept {
  try {
    NumberSettings settings;
    if (!platform::settingsOf(format, settings)) return false;
    return platform::changeChoice([&settings](platform::HostChoice& next) {
      next.format = settings;
      next.hasFormat = true;
    });
  } catch (...) {
    return false;
  }
}

void clearRegionalFormat() noexcept {
  platform::changeChoice([](platform::HostChoice& next) { next.hasFormat = false; });
}

}  // namespace pelunits
