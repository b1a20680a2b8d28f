#include "HostLocale.h"

#include <atomic>
#include <mutex>

#include "PelUnitsLocale.h"
#include "UserLocale.h"

namespace pelunits {
namespace platform {
namespace {

std::mutex chosenMutex;
std::string chosenName;  // guarded by chosenMutex
// Counts the choices, so that a thread takes the lock only after a change.
std::atomic<unsigned> chosenGeneration{0};

// This thread's copy of the choice and the generation it was copied at.
struct ThreadCopy {
  unsigned generation = 0;
  std::string name;
};
thread_local ThreadCopy threadCopy;

}  // namespace

const std::string& hostLocaleName() noexcept {
  ThreadCopy& copy = threadCopy;
  if (copy.generation != chosenGeneration.load(std::memory_order_acquire)) {
    try {
      const std::lock_guard<std::mutex> lock(chosenMutex);
      copy.name = chosenName;
      copy.generation = chosenGeneration.load(std::memory_order_relaxed);
    } catch (...) {
      // No memory for the copy: the default locale answers this call.
      copy.name.clear();
    }
  }
  return copy.name;
}

}  // namespace platform

void setRegionalLocale(const char* name) noexcept {
  try {
    const std::lock_guard<std::mutex> lock(platform::chosenMutex);
    platform::chosenName = name != nullptr ? name : "";
    platform::chosenGeneration.fetch_add(1, std::memory_order_release);
  } catch (...) {
    // No memory for the name: the choice stays as it was.
  }
}

bool regionalLocaleAvailable() noexcept {
  try {
    NumberSettings settings;
    return platform::readUserNumberSettings(settings);
  } catch (...) {
    return false;
  }
}

}  // namespace pelunits
