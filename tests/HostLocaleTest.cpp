// The regional locale and number format chosen by the host through setRegionalLocale
// and setRegionalFormat: the format overrides the locale, which overrides the
// environment; a reset returns to the next; and either may change while other threads
// display (the threads test also runs under ThreadSanitizer).

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

// A host format as the tests write it.
pelunits::RegionalFormat hostFormat(const char* decimal, const char* group, int grouping = 3,
                                    int negativeForm = 1, bool leadingZero = true) {
  pelunits::RegionalFormat format;
  format.decimalSeparator = decimal;
  format.groupSeparator = group;
  format.grouping = grouping;
  format.negativeForm = negativeForm;
  format.leadingZero = leadingZero;
  return format;
}

// Gives a format for the life of the object, then returns to the system's.
struct GivenFormat {
  explicit GivenFormat(const pelunits::RegionalFormat& format)
      : accepted(pelunits::setRegionalFormat(format)) {}
  ~GivenFormat() { pelunits::clearRegionalFormat(); }
  GivenFormat(const GivenFormat&) = delete;
  GivenFormat& operator=(const GivenFormat&) = delete;
  const bool accepted;
};

TEST(RegionalFormat, ShowsAndReadsNumbersInTheHostsFormat) {
  struct Case {
    pelunits::RegionalFormat format;
    double millimetres;
    const wchar_t* text;
  } cases[] = {
      {hostFormat(",", ".", 3, 0), -1234500.0, L"(1.234,50)"},
      {hostFormat(",", ".", 3, 1), -1234500.0, L"-1.234,50"},
      {hostFormat(",", ".", 3, 2), -1234500.0, L"- 1.234,50"},
      {hostFormat(",", ".", 3, 3), -1234500.0, L"1.234,50-"},
      {hostFormat(",", ".", 3, 4), -1234500.0, L"1.234,50 -"},
      {hostFormat(",", ".", 3, 0), 1234500.0, L"1.234,50"},  // the form is for negatives only
      {hostFormat(".", ",", 3, 1, false), 500.0, L".50"},
      {hostFormat(".", ",", 3, 1, true), 500.0, L"0.50"},
      {hostFormat(".", ",", 2), 1234567000.0, L"1,23,45,67.00"},
      {hostFormat(".", ",", 0), 1234567000.0, L"1234567.00"},
      {hostFormat(".", "", 3), 1234567000.0, L"1234567.00"},
      {hostFormat("٫", "٬"), 1234500.0, L"1٬234٫50"},
      {hostFormat("·", "'"), 1234500.0, L"1'234·50"},
      {hostFormat("dec", " "), 1234500.0, L"1 234dec50"},  // longer separators whole
  };
#if !defined(_WIN32)
  const ScopedNumericLocale environment("de_CH.UTF-8");  // neither of the rows' forms
#endif
  const pelunits::UnitPtr unit = regionalMetres();
  for (const Case& c : cases) {
    SCOPED_TRACE(narrow(KovString(c.text)));
    const GivenFormat given(c.format);
    ASSERT_TRUE(given.accepted);
    EXPECT_EQ(shown(*unit, c.millimetres), c.text);
    if (c.millimetres > 0) {
      EXPECT_DOUBLE_EQ(unit->getMillimeters(KovString(c.text)), c.millimetres);
    }
  }
}

TEST(RegionalFormat, TakesPrecedenceOverTheChosenLocaleUntilCleared) {
#if !defined(_WIN32)
  const ScopedNumericLocale environment("C");
#endif
  const pelunits::UnitPtr unit = regionalMetres();
  {
    const ChosenLocale chosen(kGerman);
    {
      const GivenFormat given(hostFormat(".", " "));
      EXPECT_EQ(shown(*unit, 1234500.0), L"1 234.50");
    }
    EXPECT_EQ(shown(*unit, 1234500.0), L"1.234,50");  // the chosen locale again
  }
  {
    // A format makes the regional texts readable even where the named locale is not.
    const ChosenLocale missing("xx_NOWHERE");
    EXPECT_FALSE(pelunits::regionalLocaleAvailable());
    const GivenFormat given(hostFormat(",", "."));
    EXPECT_TRUE(pelunits::regionalLocaleAvailable());
    EXPECT_EQ(shown(*unit, 1234500.0), L"1.234,50");
  }
#if !defined(_WIN32)
  EXPECT_EQ(shown(*unit, 1234500.0), L"1234.50");  // the environment's "C"
#endif
}

TEST(RegionalFormat, RefusesAnInvalidFormatAndKeepsTheOneInForce) {
  struct Case {
    const char* why;
    pelunits::RegionalFormat format;
    bool valid;
  } cases[] = {
      {"no decimal separator", hostFormat("", ","), false},
      {"malformed UTF-8", hostFormat("\xFF", ","), false},
      {"four characters", hostFormat("abcd", ","), false},
      {"three characters", hostFormat("abc", "xyz"), true},
      {"a digit", hostFormat(".", "0"), false},
      {"a sign", hostFormat("-", ","), false},
      {"a plus", hostFormat(".", "+"), false},
      {"a parenthesis", hostFormat(".", "("), false},
      {"a control character", hostFormat("\t", ","), false},
      {"beyond the BMP", hostFormat("\U0001F600", ","), false},
      {"group starts like decimal", hostFormat(",", ",,"), false},
      {"group ends like decimal", hostFormat(",", " ,"), true},
      {"grouping below 0", hostFormat(".", ",", -1), false},
      {"grouping above 9", hostFormat(".", ",", 10), false},
      {"grouping 9", hostFormat(".", ",", 9), true},
      {"negative form below 0", hostFormat(".", ",", 3, -1), false},
      {"negative form above 4", hostFormat(".", ",", 3, 5), false},
      {"no grouping", hostFormat(".", "", 0), true},
  };
  const pelunits::UnitPtr unit = regionalMetres();
  const GivenFormat inForce(hostFormat("_", "~"));
  ASSERT_TRUE(inForce.accepted);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(pelunits::isValidRegionalFormat(c.format), c.valid);
    if (c.valid) continue;
    EXPECT_FALSE(pelunits::setRegionalFormat(c.format));
    EXPECT_EQ(shown(*unit, 1234500.0), L"1~234_50");
  }
}

// Switches the locale, or the host's format, back and forth.
struct Switch {
  const char* what;
  void (*to)(bool german);
};
const Switch kSwitches[] = {
    {"locale", [](bool german) { pelunits::setRegionalLocale(german ? kGerman : kAmerican); }},
    {"format",
     [](bool german) {
       pelunits::setRegionalFormat(german ? hostFormat(",", ".") : hostFormat(".", ","));
     }},
};

TEST(RegionalLocaleThreads, ChoosesTheLocaleWhileOtherThreadsDisplay) {
  for (const Switch& change : kSwitches) {
    SCOPED_TRACE(change.what);
    constexpr int kDisplayThreads = 3;
    constexpr int kDisplays = 3000;  // at the least, over all threads
    std::atomic<bool> done{false};
    std::atomic<int> displays{0};
    std::atomic<int> unexpected{0};
    change.to(true);
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
      change.to(i % 2 != 0);
      std::this_thread::yield();
    }
    done = true;
    for (std::thread& thread : threads) thread.join();
    pelunits::setRegionalLocale(nullptr);
    pelunits::clearRegionalFormat();
    EXPECT_EQ(unexpected.load(), 0);
  }
}

}  // namespace
