// The regional locale chosen by the host through setRegionalLocale: it overrides the
// environment, an empty name returns to it, and it may change while other threads
// display (this last test also runs under ThreadSanitizer).

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "KovUnitsTransformArray.h"
#include "LocaleEnvironment.h"
#include "PelUnitsLocale.h"
#include "TestText.h"

namespace {

#if defined(_WIN32)
const char* const kGerman = "de-DE";
const char* const kAmerican = "en-US";
#else
const char* const kGerman = "de_DE.UTF-8";
const char* const kAmerican = "en_US.UTF-8";
#endif

// Chooses a locale for the life of the object, then returns to the default.
struct ChosenLocale {
  explicit ChosenLocale(const char* name) { pelunits::setRegionalLocale(name); }
  ~ChosenLocale() { pelunits::setRegionalLocale(nullptr); }
  ChosenLocale(const ChosenLocale&) = delete;
  ChosenLocale& operator=(const ChosenLocale&) = delete;
};

// Metres with two decimals in the regional form.
pelunits::UnitPtr regionalMetres() {
  pelunits::UnitPtr unit = newUnit(20, 5);
  unit->setFactor(1000.0);
  unit->setPrecision(100);
  unit->setUseRegionalSettings(1);
  return unit;
}

std::wstring shown(const KovUnitTransform& unit, double value) {
  const KovString text = unit.getDisplayString(value, 0, 0, 0, 0, L' ');
  return std::wstring(text.getStringW(), static_cast<std::size_t>(text.length()));
}

TEST(RegionalLocale, TheHostsChoiceOverridesTheDefaultUntilAnEmptyName) {
#if !defined(_WIN32)
  const ScopedNumericLocale environment("C");
#endif
  const pelunits::UnitPtr unit = regionalMetres();
  struct Case {
    const char* chosen;  // null and "" return to the default
    const wchar_t* text;
  } cases[] = {
    {kGerman, L"1.234,50"},
    {kAmerican, L"1,234.50"},
    {"xx_NOWHERE", L"1234.50"},  // a locale that is not installed leaves the text neutral
#if !defined(_WIN32)
    {"", L"1234.50"},  // the environment's "C" again
    {nullptr, L"1234.50"},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen != nullptr ? c.chosen : "(null)");
    const ChosenLocale chosen(c.chosen);
    EXPECT_EQ(shown(*unit, 1234500.0), c.text);
    if (c.chosen != nullptr && std::string(c.chosen) == kGerman) {
      EXPECT_DOUBLE_EQ(unit->getMillimeters(KovString(L"1.234,5")), 1234500.0);
    }
  }
}

TEST(RegionalLocaleThreads, ChoosesTheLocaleWhileOtherThreadsDisplay) {
  constexpr int kDisplayThreads = 3;
  constexpr int kDisplays = 3000;  // at the least, over all threads
  std::atomic<bool> done{false};
  std::atomic<int> displays{0};
  std::atomic<int> unexpected{0};
  pelunits::setRegionalLocale(kGerman);
  std::vector<std::thread> threads;
  for (int t = 0; t < kDisplayThreads; ++t) {
    threads.emplace_back([&] {
      const pelunits::UnitPtr unit = regionalMetres();
      while (!done.load()) {
        // Each call sees one locale whole: the one before a switch or the one after.
        const std::wstring text = shown(*unit, 1234500.0);
        if (text != L"1.234,50" && text != L"1,234.50") ++unexpected;
        ++displays;
      }
    });
  }
  for (int i = 0; displays.load() < kDisplays; ++i) {
    pelunits::setRegionalLocale(i % 2 == 0 ? kAmerican : kGerman);
    std::this_thread::yield();
  }
  done = true;
  for (std::thread& thread : threads) thread.join();
  pelunits::setRegionalLocale(nullptr);
  EXPECT_EQ(unexpected.load(), 0);
}

}  // namespace
