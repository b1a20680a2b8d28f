#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <locale.h>

#include "EnvironmentLocalePosix.h"
extern char** environ;
#endif

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "HostLocale.h"
#include "LocaleEnvironment.h"
#include "NumberFormatting.h"
#include "RegionalSource.h"
#include "TestText.h"
#include "units/metric/KovUnitDecimal.h"
#include "units/metric/KovUnitKiloNewton.h"

using pelunits::formatNumberIntoNewText;
using pelunits::formatNumberLikeWindows;
using pelunits::NumberFormatRecord;

// The user's locale comes from the environment only on POSIX; the Windows build
// runs its own regional tests under several locales (WindowsLocaleTest.cpp).
#if !defined(_WIN32)
namespace {

KovUnitDecimal regionalDecimal(int regional, int precisionSteps) {
  KovUnitDecimal unit;
  unit.setUseRegionalSettings(regional);
  unit.setPrecision(precisionSteps);
  return unit;
}

}  // namespace

TEST(RegionalNumberFormat, ShowsNumbersInTheFormOfTheEnvironmentsNumericLocale) {
  struct Case {
    const char* locale;
    double value;
    int precisionSteps;
    int trimTrailingZeros;
    const wchar_t* expected;
  };
  // Without decimals the '.' of "1.000" is a thousands separator, so the zeros stay.
  const Case cases[] = {
      {"de_DE.UTF-8", 1234.5, 100, 0, L"1.234,50"},
      {"de_DE.UTF-8", 1234.5, 100, 1, L"1.234,5"},
      {"de_DE.UTF-8", 1000.0, 1, 1, L"1.000"},
      {"de_DE.UTF-8", -1234567.125, 1000, 0, L"-1.234.567,125"},
      {"en_US.UTF-8", 1234.5, 100, 0, L"1,234.50"},
      {"fr_FR.UTF-8", 1234.5, 100, 0, L"1\u202F234,50"},
      {"fr_FR.UTF-8", 1234567.0, 100, 1, L"1\u202F234\u202F567"},
      {"de_CH.UTF-8", 1234.5, 100, 0, L"1\u2019234.50"},
      {"C", 1234.5, 100, 0, L"1234.50"},
      {"POSIX", 1234567.0, 1, 0, L"1234567"},
  };
  for (const RegionalSource source : kRegionalSources) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.locale) + " " + std::to_string(c.value) + " " + nameOf(source));
      const ScopedRegional regional(c.locale, source);
      const KovUnitDecimal unit = regionalDecimal(1, c.precisionSteps);
      EXPECT_EQ(narrow(unit.getDisplayString(c.value, c.trimTrailingZeros, 0, 0, 0, L' ')),
                narrow(KovString(c.expected)));
    }
  }
}

// Every decimal display follows it: angles, weights, forces, moments and stresses, and
// the decimal text of the pound-and-ounce unit, whose pounds and ounces stay neutral.
TEST(RegionalNumberFormat, EveryDecimalDisplayFollowsIt) {
  struct Case {
    int units, representation;
    double factor;
    double value;
    int trim;
    const wchar_t* expected;
    const wchar_t* symbol = L"";  // with a symbol: the display with units
  };
  const Case cases[] = {
      {2000, 0, 3600.0, 45.5, 0, L"45,50"},
      {2000, 0, 3600.0, 45.5, 1, L"45,5"},
      {2000, 0, 3600.0, 1234.5, 0, L"1.234,50"},
      {2000, 0, 3600.0, 45.0, 1, L"45"},
      {2000, 2007, 400.0, 90.0, 0, L"100,00"},
      {2000, 2005, 6.283185307179586, 180.0, 0, L"3,14"},
      {1010, 0, 1e6, 2000000, 0, L"2,00 t (2,00 t)", L"t"},
      {1010, 0, 1e6, 2500000, 1, L"2,5 t (2,5 t)", L"t"},
      {1010, 0, 1000.0, 680.38848, 0, L"1 lb 8.00 oz (0,68 kg)", L"kg"},
  };
  for (const RegionalSource source : kRegionalSources) {
    SCOPED_TRACE(nameOf(source));
    const ScopedRegional regional("de_DE.UTF-8", source);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.value);
      const pelunits::UnitPtr unit = newUnit(c.units, c.representation);
      unit->setFactor(c.factor);
      unit->setSymbol(KovString(c.symbol));
      unit->setUseRegionalSettings(1);
      EXPECT_EQ(narrow(c.symbol[0] != 0 ? unit->getDisplayStringWithUnits(c.value, c.trim)
                                        : unit->getDisplayString(c.value, c.trim, 0, 0, 0, L' ')),
                narrow(KovString(c.expected)));
    }
    // Weights, forces, moments and stresses, each with its own factor of 1.
    for (const int units : {1009, 3101, 3201, 3300}) {
      SCOPED_TRACE(units);
      const pelunits::UnitPtr unit = newUnit(units, 0);
      unit->setUseRegionalSettings(1);
      EXPECT_EQ(unit->getDisplayString(1.5, 0, 0, 0, 0, L' '), L"1,50");
      EXPECT_EQ(unit->getDisplayString(-0.0001, 1, 0, 0, 0, L' '), L"0");
      EXPECT_EQ(unit->getDisplayString(-12345.678, 1, 0, 0, 0, L' '), L"-12.345,68");
    }
  }
}

TEST(RegionalNumberFormat, ReadsTypedRegionalNumbersBackInTheNeutralForm) {
  struct Case {
    const char* locale;
    const wchar_t* typed;
    double expected;
  };
  // Under de_DE the '.' of "1.5" is taken for a thousands separator.
  const Case cases[] = {
      {"de_DE.UTF-8", L"1.234,5", 1234.5},      {"de_DE.UTF-8", L"1.5", 15.0},
      {"en_US.UTF-8", L"1,234.5", 1234.5},      {"fr_FR.UTF-8", L"1\u202F234,5", 1234.5},
      {"de_CH.UTF-8", L"1\u2019234.5", 1234.5}, {"C", L"1234.5", 1234.5},
      {"de_DE.UTF-8", L"1 1/2", 1.5},
  };
  for (const RegionalSource source : kRegionalSources) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.locale) + " " + narrow(KovString(c.typed)) + " " + nameOf(source));
      const ScopedRegional regional(c.locale, source);
      const KovUnitDecimal unit = regionalDecimal(1, 100);
      EXPECT_DOUBLE_EQ(unit.getMillimeters(KovString(c.typed)), c.expected);
    }
  }
}

TEST(RegionalNumberFormat, TakesTheLocaleFromLcAllThenLcNumericThenLang) {
  struct Case {
    const char* lcAll;
    const char* lcNumeric;
    const char* lang;
    const wchar_t* expected;
  };
  // An empty value counts as unset.
  const Case cases[] = {
      {"de_DE.UTF-8", "en_US.UTF-8", "en_US.UTF-8", L"1.234,50"},
      {nullptr, "de_DE.UTF-8", "en_US.UTF-8", L"1.234,50"},
      {nullptr, nullptr, "de_DE.UTF-8", L"1.234,50"},
      {"", "", "en_US.UTF-8", L"1,234.50"},
      {"", "de_DE.UTF-8", "en_US.UTF-8", L"1.234,50"},
      {nullptr, "", "de_DE.UTF-8", L"1.234,50"},
      {"", nullptr, nullptr, L"1234.50"},
      {nullptr, nullptr, nullptr, L"1234.50"},
  };
  const auto shown = [](const char* value) { return value == nullptr ? "(unset)" : value; };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "LC_ALL=" << shown(c.lcAll) << " LC_NUMERIC="
                                      << shown(c.lcNumeric) << " LANG=" << shown(c.lang));
    ScopedNumericLocale locale(c.lcAll, c.lcNumeric, c.lang);
    const KovUnitDecimal unit = regionalDecimal(1, 100);
    EXPECT_EQ(unit.getDisplayString(1234.5, 0, 0, 0, 0, L' '), c.expected);
  }
}

TEST(RegionalNumberFormat, IgnoresVariablesWhoseNamesOnlyBeginLikeTheLocaleVariables) {
  const char* const names[] = {"LC_ALLX", "LC_ALL_", "LC_NUMERICS", "LANGUAGE", "LANG_", "LC_"};
  ScopedNumericLocale locale(nullptr, nullptr, "en_US.UTF-8");
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const std::optional<std::string> saved =
        std::getenv(name) != nullptr ? std::optional<std::string>(std::getenv(name)) : std::nullopt;
    ScopedNumericLocale::set(name, "de_DE.UTF-8");
    const KovUnitDecimal unit = regionalDecimal(1, 100);
    EXPECT_EQ(unit.getDisplayString(1234.5, 0, 0, 0, 0, L' '), L"1,234.50");
    ScopedNumericLocale::set(name, saved ? saved->c_str() : nullptr);
  }
}

// The metric validator accepts the user's own group separator (the round-trip test
// checks every regional display), never another locale's.
TEST(RegionalNumberFormat, TheValidatorRefusesAnotherLocalesGroupSeparator) {
  for (const char* locale : {"en_US.UTF-8", "de_DE.UTF-8", "de_CH.UTF-8", "fr_FR.UTF-8"}) {
    ScopedNumericLocale scoped(locale);
    const wchar_t* foreign = std::string(locale) == "de_CH.UTF-8" ? L"1 234.5" : L"1\u2019234";
    EXPECT_EQ(regionalDecimal(1, 1000).isValidString(KovString(foreign)), 0) << locale;
  }
}

TEST(RegionalNumberFormat, FollowsAChangeOfTheEnvironmentAtTheNextCall) {
  ScopedNumericLocale locale("de_DE.UTF-8");
  const KovUnitDecimal unit = regionalDecimal(1, 100);
  EXPECT_EQ(unit.getDisplayString(1234.5, 0, 0, 0, 0, L' '), L"1.234,50");
  ScopedNumericLocale::set("LC_ALL", "en_US.UTF-8");
  EXPECT_EQ(unit.getDisplayString(1234.5, 0, 0, 0, 0, L' '), L"1,234.50");
  EXPECT_DOUBLE_EQ(unit.getMillimeters(L"1,234.5"), 1234.5);
  ScopedNumericLocale::set("LC_ALL", "de_DE.UTF-8");
  EXPECT_EQ(unit.getDisplayString(1234.5, 0, 0, 0, 0, L' '), L"1.234,50");
}

// A named locale that is missing, and a unit with the flag off, leave the texts as
// they are; the trailing-zero step then trims at the neutral '.'.
TEST(RegionalNumberFormat, LeavesTextsUnchangedWhenTheLocaleIsMissingOrTheFlagIsOff) {
  for (const bool missing : {true, false}) {
    SCOPED_TRACE(missing ? "missing locale" : "flag off");
    ScopedNumericLocale locale(missing ? "xx_NOWHERE.UTF-8" : "de_DE.UTF-8", "de_DE.UTF-8",
                               "de_DE.UTF-8");
    const KovUnitDecimal unit = regionalDecimal(missing ? 1 : 0, 100);
    KovString text(L"1234.50");
    unit.setInternationalNumberFormat(text);
    EXPECT_EQ(text, L"1234.50");
    KovString typed(L"1.234,5");
    unit.setInternationalNumberFormatBack(typed);
    EXPECT_EQ(typed, L"1.234,5");
    EXPECT_EQ(unit.getDisplayString(1234.5, 0, 0, 0, 0, L' '), L"1234.50");
    EXPECT_EQ(unit.getDisplayString(1234.5, 1, 0, 0, 0, L' '), L"1234.5");
    EXPECT_DOUBLE_EQ(unit.getMillimeters(L"1.234,5"), 1.234);
  }
}

TEST(RegionalNumberFormat, IgnoresTheProcessLocaleThatTheHostSet) {
  ScopedNumericLocale locale("en_US.UTF-8");
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
  const KovUnitDecimal neutral = regionalDecimal(0, 100);
  const KovUnitDecimal regional = regionalDecimal(1, 100);
  const std::wstring neutralText = neutral.getDisplayString(1234.5, 0, 0, 0, 0, L' ').getStringW();
  const std::wstring regionalText =
      regional.getDisplayString(1234.5, 0, 0, 0, 0, L' ').getStringW();
  const double typed = neutral.getMillimeters(L"1234.5");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(neutralText, L"1234.50");
  EXPECT_EQ(regionalText, L"1,234.50");
  EXPECT_DOUBLE_EQ(typed, 1234.5);
}

TEST(RegionalNumberFormat, FlagTwoFormatsButTrimsAtEitherNeutralSeparator) {
  struct Case {
    int regional;
    double value;
    int precisionSteps;
    const wchar_t* expected;
  };
  // With 2 the '.' of the grouping is taken for a decimal separator.
  const Case cases[] = {
      {1, 1000.0, 1, L"1.000"}, {2, 1000.0, 1, L"1"},        {2, 1234.5, 100, L"1.234,5"},
      {0, 1000.0, 1, L"1000"},  {0, 1234.5, 100, L"1234.5"},
  };
  ScopedNumericLocale locale("de_DE.UTF-8");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.regional);
    const KovUnitDecimal unit = regionalDecimal(c.regional, c.precisionSteps);
    EXPECT_EQ(unit.getDisplayString(c.value, 1, 0, 0, 0, L' '), c.expected);
  }
}

// The settings that the displays read where the last locale's are kept, against the
// same settings read afresh, over a run of locales that comes back to earlier ones.
TEST(RegionalNumberFormat, KeptSettingsMatchTheSettingsReadAfresh) {
  const std::string tooLongForTheKey = "de_DE.UTF-8" + std::string(200, '@');
  const char* const names[] = {
      "de_DE.UTF-8",      "de_DE.UTF-8", "fr_FR.UTF-8", "C",
      "xx_NOWHERE.UTF-8", "de_CH.UTF-8", "de_DE.UTF-8", tooLongForTheKey.c_str(),
      "en_US.UTF-8"};
  for (const char* name : names) {
    SCOPED_TRACE(std::string(name).substr(0, 20));
    ScopedNumericLocale locale(name);
    pelunits::NumberSettings fresh;
    const bool readable = pelunits::platform::readLocaleSettingsUncached(fresh);
    const pelunits::NumberSettings* kept = pelunits::platform::systemNumberSettings();
    ASSERT_EQ(kept != nullptr, readable);
    if (!readable) continue;
    EXPECT_EQ(narrow(kept->decimalSeparator), narrow(fresh.decimalSeparator));
    EXPECT_EQ(narrow(kept->thousandSeparator), narrow(fresh.thousandSeparator));
    EXPECT_EQ(kept->grouping, fresh.grouping);
    EXPECT_EQ(kept->leadingZero, fresh.leadingZero);
    EXPECT_EQ(kept->negativeOrder, fresh.negativeOrder);
  }
}

// The name that the kept places of the locale variables give, against getenv, after each
// way a host changes the environment: every step must take effect at the next call.
TEST(RegionalNumberFormat, KeptEnvironmentNameMatchesGetenvAfterEveryChange) {
  char buffer[] = "LC_ALL=de_DE.UTF-8";  // handed to putenv, then rewritten in place
  char** saved = nullptr;                // the process's array, taken when it is replaced
  char langOnly[] = "LANG=de_CH.UTF-8";
  char allFirst[] = "LC_ALL=fr_FR.UTF-8";
  char* arrays[][3] = {{langOnly, nullptr, nullptr}, {allFirst, langOnly, nullptr}};
  const ScopedNumericLocale locale("de_DE.UTF-8", "de_CH.UTF-8", "en_US.UTF-8");
  const auto set = ScopedNumericLocale::set;
  const struct {
    const char* change;
    std::function<void()> apply;
  } steps[] = {
      {"as set", [] {}},
      {"LC_ALL replaced", [&] { set("LC_ALL", "fr_FR.UTF-8"); }},
      {"LC_ALL empty", [&] { set("LC_ALL", ""); }},
      {"LC_NUMERIC removed", [&] { set("LC_NUMERIC", nullptr); }},
      {"another variable added", [&] { set("PELUNITS_OTHER", "1"); }},
      {"another variable removed", [&] { set("PELUNITS_OTHER", nullptr); }},
      {"LANG removed", [&] { set("LANG", nullptr); }},
      {"LC_ALL removed", [&] { set("LC_ALL", nullptr); }},
      {"LANG added", [&] { set("LANG", "fr_FR.UTF-8"); }},
      {"LC_ALL put", [&] { putenv(buffer); }},
      {"put value rewritten", [&] { std::memcpy(buffer + 7, "fr", 2); }},
      {"put name rewritten", [&] { buffer[5] = 'X'; }},
      {"put entry removed", [&] { set("LC_ALX", nullptr); }},
      {"environ replaced",
       [&] {
         saved = environ;
         environ = arrays[0];
       }},
      {"environ replaced again", [&] { environ = arrays[1]; }},
      {"array rewritten",
       [&] {
         arrays[1][0] = langOnly;
         arrays[1][1] = nullptr;
       }},
      {"no environment", [&] { environ = nullptr; }},
      {"environ restored", [&] { environ = saved; }},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.change);
    step.apply();
    EXPECT_STREQ(pelunits::platform::environmentLocaleName(),
                 pelunits::platform::environmentLocaleNameByGetenv());
  }
}

// Reading a locale's numbers switches the calling thread's locale for a moment: the
// thread's own locale, a locale object or the global one, is in force again afterwards,
// with its own separator, whatever locale was read and whether it could be read.
TEST(RegionalNumberFormat, ReadingALocaleLeavesTheThreadsOwnLocaleInForce) {
  const locale_t german = newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, "de_DE.UTF-8", nullptr);
  ASSERT_NE(german, nullptr);
  struct Case {
    locale_t own;
    const char* ownDecimal;
  };
  const Case owns[] = {{LC_GLOBAL_LOCALE, "."}, {german, ","}};
  const char* const read[] = {"fr_FR.UTF-8", "de_CH.UTF-8", "C", "xx_NOWHERE.UTF-8"};
  for (const Case& own : owns) {
    const locale_t before = uselocale(own.own);
    for (const char* name : read) {
      SCOPED_TRACE(std::string(own.ownDecimal) + " " + name);
      ScopedNumericLocale locale(name);
      pelunits::NumberSettings settings;
      pelunits::platform::readLocaleSettingsUncached(settings);
      EXPECT_EQ(uselocale(nullptr), own.own);
      EXPECT_STREQ(localeconv()->decimal_point, own.ownDecimal);
    }
    uselocale(before);
  }
  freelocale(german);
}

#endif

TEST(WindowsNumberFormatting, FormatsNeutralNumbersByTheRecord) {
  struct Case {
    const wchar_t* value;
    const wchar_t* expected;  // null: the call fails
    int numDigits = 2;
    int leadingZero = 1;
    int grouping = 3;
    int negativeOrder = 1;
    const wchar_t* decimalSeparator = L"?";
    const wchar_t* thousandSeparator = L"~";
  };
  // Unless a row says otherwise: two digits, the leading zero, groups of three and
  // the '-' in front. Rows: rounding half away from zero with carries; padding;
  // without the leading zero a zero integer part writes no digit, as Windows does; the
  // negative forms; a value that rounds to zero keeps its sign, as Windows does (the
  // displays drop a negative zero's sign before they format); invalid records; texts
  // without digits stand for zero, as Windows reads them; refused input; 8000 digits
  // fit the system's 8192 characters, grouped by three they do not.
  const std::wstring fits(8000, L'7'), huge = L"1." + std::wstring(100000, L'4'),
                                       hugeInteger(100000, L'4');
  const Case cases[] = {
      {L"1234.5", L"1~234?50"},
      {L"123", L"123", 0},
      {L"123456", L"123~456", 0},
      {L"1234567", L"1234567", 0, 1, 0},
      {L"1234567", L"1~23~45~67", 0, 1, 2},
      {L"1234567890", L"1~234567890", 0, 1, 9},
      {L"9.995", L"10?00"},
      {L"999.995", L"1~000?00"},
      {L"0.994", L"0?99"},
      {L"-2.5", L"-3", 0},
      {L"0.5", L"1", 0},
      {L"1.0049999", L"1?00"},
      {L"1.5", L"1?500", 3},
      {L"7.", L"7?0", 1},
      {L".5", L"0?50"},
      {L"00012.30", L"12?30"},
      {L"000", L"0", 0},
      {L".5", L"?50", 2, 0},
      {L"-0.5", L"-?5", 1, 0},
      {L"0", L"", 0, 0},
      {L"0.4", L"", 0, 0},
      {L"0.999", L"1?00", 2, 0},
      {L"-1234.5", L"(1~234?50)", 2, 1, 3, 0},
      {L"-1234.5", L"-1~234?50"},
      {L"-1234.5", L"- 1~234?50", 2, 1, 3, 2},
      {L"-1234.5", L"1~234?50-", 2, 1, 3, 3},
      {L"-1234.5", L"1~234?50 -", 2, 1, 3, 4},
      {L"1234.5", L"1~234?50", 2, 1, 3, 0},
      {L"-0.001", L"(0?00)", 2, 1, 3, 0},
      {L"-0", L"-0", 0},
      {L"-0.4", L"-", 0, 0},
      {L"-1234.5", nullptr, 2, 1, 3, 5},
      {L"-1234.5", nullptr, 2, 1, 3, -1},
      {L"1234.5", nullptr, 2, 1, 10},
      {L"1234.5", nullptr, 2, 1, -1},
      {L"1234.5", nullptr, -1},
      {L"", L"0?00"},
      {L"-", L"-0?00"},
      {L".", L"0", 0},
      {L"-.", L"(?00)", 2, 0, 3, 0},
      {L"+1", nullptr},
      {L" 1", nullptr},
      {L"1.2.3", nullptr},
      {L"1,5", nullptr},
      {L"1e3", nullptr},
      {L"--1", nullptr},
      {L"nan", nullptr},
      {L"\u0661\u0662", nullptr},
      // Separators of any length, none at all, or a missing one.
      {L"1234567.25", L"1234567<dec>3", 1, 1, 3, 1, L"<dec>", L""},
      {L"1234567.25", L"1\u202F\u202F234\u202F\u202F567<dec>3", 1, 1, 3, 1, L"<dec>",
       L"\u202F\u202F"},
      {L"1", nullptr, 2, 1, 3, 1, nullptr},
      {fits.c_str(), fits.c_str(), 0, 1, 0},
      {fits.c_str(), nullptr, 0, 1, 3},
      {huge.c_str(), L"1?44"},
      {hugeInteger.c_str(), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(narrow(KovString(c.value)) + " digits " + std::to_string(c.numDigits) + " order " +
                 std::to_string(c.negativeOrder));
    NumberFormatRecord record;
    record.numDigits = c.numDigits;
    record.leadingZero = c.leadingZero;
    record.grouping = c.grouping;
    record.decimalSeparator = c.decimalSeparator;
    record.thousandSeparator = c.thousandSeparator;
    record.negativeOrder = c.negativeOrder;
    KovString out(L"untouched");
    const bool ok = formatNumberLikeWindows(c.value, record, out);
    if (c.expected == nullptr) {
      EXPECT_FALSE(ok) << narrow(out);
    } else {
      ASSERT_TRUE(ok);
      EXPECT_EQ(out, c.expected);
    }
    // In place, as the displays call it; a refused text is left unchanged.
    KovString text(c.value);
    formatNumberLikeWindows(text.getStringW(), record, text);
    EXPECT_EQ(text, c.expected != nullptr ? c.expected : c.value);
  }
}

TEST(WindowsNumberFormatting, ShortResultsMatchTheTextBuiltCharacterByCharacter) {
  // Generated numbers and records on both sides of the stack buffer's 64
  // characters and of the display numbers' bounds, against the result built in a
  // new text.
  std::mt19937 rng(31);
  const auto pick = [&rng](int from, int to) {
    return from + static_cast<int>(rng() % static_cast<unsigned>(to - from + 1));
  };
  const wchar_t* separators[] = {L"", L".", L",", L"\u00A0", L"\u202F\u202F", L"<dec>"};
  const auto digit = [&pick] { return static_cast<wchar_t>(L'0' + pick(0, 9)); };
  for (int n = 0; n < 100000; ++n) {
    std::wstring value = pick(0, 2) == 0 ? L"-" : L"";
    const int integerDigits = pick(0, 40);
    // Leading zeros, and runs of nines that carry when rounded.
    const wchar_t fill = pick(0, 3) == 0 ? L'9' : L'\0';
    for (int k = 0; k < integerDigits; ++k) {
      value += k == 0 && pick(0, 4) == 0 ? L'0' : fill != 0 ? fill : digit();
    }
    const int fractionDigits = pick(-1, 12);  // -1: no point
    if (fractionDigits >= 0) value += L'.';
    for (int k = 0; k < fractionDigits; ++k) value += fill != 0 ? fill : digit();
    NumberFormatRecord record;
    // Half of them with the decimals the text has, as the displays hand them in.
    record.numDigits = fractionDigits >= 0 && pick(0, 1) == 0 ? fractionDigits : pick(0, 12);
    record.leadingZero = pick(0, 1);
    record.grouping = pick(0, 9);
    record.decimalSeparator = separators[pick(0, 5)];
    record.thousandSeparator = separators[pick(0, 5)];
    record.negativeOrder = pick(0, 4);
    SCOPED_TRACE(testing::PrintToString(value) + " digits " + std::to_string(record.numDigits) +
                 " grouping " + std::to_string(record.grouping) + " order " +
                 std::to_string(record.negativeOrder) + " zero " +
                 std::to_string(record.leadingZero));
    KovString expected(L"before");
    KovString got(L"before");
    const bool expectedOk = formatNumberIntoNewText(value.c_str(), record, expected);
    ASSERT_EQ(formatNumberLikeWindows(value.c_str(), record, got), expectedOk);
    ASSERT_EQ(got, expected);
    // In place, as the displays call it.
    KovString inPlace(value.c_str());
    formatNumberLikeWindows(inPlace.getStringW(), record, inPlace);
    ASSERT_EQ(inPlace, expectedOk ? expected : KovString(value.c_str()));
  }
}
