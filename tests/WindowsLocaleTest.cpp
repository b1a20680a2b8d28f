// Windows only: the regional number format through the real national-language
// calls, and the library's own formatter held against the system's.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "KovString.h"
#include "UserLocale.h"
#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitRadian.h"
#include "units/imperial/KovUnitLbsOunces.h"
#include "units/metric/KovUnitDecimal.h"

namespace {

using pelunits::formatNumberLikeWindows;
using pelunits::NumberFormatRecord;
using pelunits::platform::formatUserNumber;

std::wstring str(const KovString& s) { return std::wstring(s.getStringW()); }

std::wstring localeText(LCTYPE type) {
  wchar_t buffer[1024];
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 1024);
  return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n - 1)) : std::wstring();
}

// The user's number format as the system states it, read independently of the
// backend: the integers by hand, digit by digit.
struct SystemNumberFormat {
  std::wstring decimal = localeText(LOCALE_SDECIMAL);
  std::wstring thousand = localeText(LOCALE_STHOUSAND);
  int grouping = leadingInteger(localeText(LOCALE_SGROUPING));
  int leadingZero = leadingInteger(localeText(LOCALE_ILZERO));
  int negativeOrder = leadingInteger(localeText(LOCALE_INEGNUMBER));

  static int leadingInteger(const std::wstring& text) {
    int value = 0;
    for (wchar_t c : text) {
      if (c < L'0' || c > L'9') break;
      value = value * 10 + (c - L'0');
    }
    return value;
  }

  // Integer digit groups and decimals joined as the locale writes them; the sign
  // in the locale's negative form.
  std::wstring write(const std::vector<std::wstring>& groups, const std::wstring& decimals,
                     bool negative) const {
    std::wstring number;
    for (std::size_t i = 0; i < groups.size(); ++i) {
      if (i > 0) number += thousand;
      number += groups[i];
    }
    if (!decimals.empty()) number += decimal + decimals;
    if (!negative) return number;
    const wchar_t* const before[] = {L"(", L"-", L"- ", L"", L""};
    const wchar_t* const after[] = {L")", L"", L"", L"-", L" -"};
    const int order = negativeOrder >= 0 && negativeOrder <= 4 ? negativeOrder : 1;
    return before[order] + number + after[order];
  }
};

// The ctest entries that run these tests under LC_ALL=de_DE.UTF-8 and the others
// name the Windows locale they expect in PELUNITS_TEST_LOCALE, so that a test run
// that silently fell back to the default locale is caught.
TEST(WindowsLocale, RunsUnderTheLocaleItsTestEntryNames) {
  const char* expected = std::getenv("PELUNITS_TEST_LOCALE");
  if (expected == nullptr) GTEST_SKIP() << "not started by a locale test entry";
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  ASSERT_GT(GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH), 0);
  EXPECT_EQ(std::wstring(name), std::wstring(expected, expected + std::strlen(expected)));
}

TEST(WindowsLocale, BackendReadsTheFiveValuesOfTheUserLocale) {
  const SystemNumberFormat system;
  pelunits::NumberSettings settings;
  ASSERT_TRUE(pelunits::platform::readUserNumberSettings(settings));
  EXPECT_EQ(str(settings.decimalSeparator), system.decimal);
  EXPECT_EQ(str(settings.thousandSeparator), system.thousand);
  EXPECT_EQ(settings.grouping, system.grouping);
  EXPECT_EQ(settings.leadingZero, system.leadingZero);
  EXPECT_EQ(settings.negativeOrder, system.negativeOrder);
}

KovUnitDecimal regionalUnit(int decimals) {
  KovUnitDecimal unit;
  unit.setUseRegionalSettings(1);
  unit.setPrecision(decimals == 0 ? 1 : static_cast<int>(std::pow(10, decimals)));
  return unit;
}

TEST(WindowsLocale, DisplaysNumbersWithTheLocaleSeparatorsGroupingAndSign) {
  const SystemNumberFormat system;
  ASSERT_EQ(system.grouping, 3) << "the rows below group by thousands";
  struct Case {
    double value;
    int decimals;
    int trim;
    std::vector<std::wstring> groups;
    std::wstring fraction;
    bool negative;
  } cases[] = {
      {1234.5, 2, 0, {L"1", L"234"}, L"50", false},
      {1234.5, 2, 1, {L"1", L"234"}, L"5", false},
      {-1234.5, 2, 0, {L"1", L"234"}, L"50", true},
      {1234567.891, 3, 0, {L"1", L"234", L"567"}, L"891", false},
      {1000.0, 0, 1, {L"1", L"000"}, L"", false},  // no separator: the zeros stay
      {999.996, 2, 0, {L"1", L"000"}, L"00", false},
      {-0.001, 2, 0, {L"0"}, L"00", false},  // negative zero loses its sign first
      {12.0, 2, 1, {L"12"}, L"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.value << " with " << c.decimals << " decimals, trim " << c.trim);
    const KovUnitDecimal unit = regionalUnit(c.decimals);
    EXPECT_EQ(str(unit.getDisplayString(c.value, c.trim, 0, 0, 0, L'-')),
              system.write(c.groups, c.fraction, c.negative));
  }
}

// The other displays that follow the regional format: decimal degrees, gon,
// radians and the decimal text of pounds and ounces (never the pounds and ounces).
TEST(WindowsLocale, AnglesAndPoundsShowTheirDecimalTextInTheLocaleForm) {
  const SystemNumberFormat system;
  ASSERT_EQ(system.grouping, 3);
  KovUnitDegree degree;
  degree.setFactor(3600.0);  // a full circle of 3600 keeps 1234.5 as it is
  KovUnitGon gon;
  gon.setFactor(400.0);
  KovUnitRadian radian;
  radian.setFactor(2.0 * 3.14159265358979323846);
  KovUnitLbsOunces kilograms;
  kilograms.setFactor(1000.0);
  kilograms.setSymbol(KovString(L"kg"));
  KovUnitTransform* const regional[] = {&degree, &gon, &radian, &kilograms};
  for (KovUnitTransform* unit : regional) unit->setUseRegionalSettings(1);

  EXPECT_EQ(str(degree.getDisplayString(1234.5, 0, 0, 0, 0, L' ')),
            system.write({L"1", L"234"}, L"50", false));
  EXPECT_EQ(str(gon.getDisplayString(90.0, 0, 0, 0, 0, L' ')),
            system.write({L"100"}, L"00", false));
  EXPECT_EQ(str(radian.getDisplayString(180.0, 0, 0, 0, 0, L' ')),
            system.write({L"3"}, L"14", false));
  // 680.38848 g are 1 lb 8 oz exactly, and 0.68 kg.
  EXPECT_EQ(str(kilograms.getDisplayStringWithUnits(680.38848, 0)),
            L"1 lb 8.00 oz (" + system.write({L"0"}, L"68", false) + L" kg)");
}

// Whatever the locale, what the regional display writes reads back within half a
// step of the shown precision.
TEST(WindowsLocale, RegionalDisplayReadsBackWithinHalfAStep) {
  const double values[] = {0.0, 0.004, 1.5, -2.25, 999.995, 12345.678, -9876543.21, 1e12};
  for (int decimals = 0; decimals <= 4; ++decimals) {
    const KovUnitDecimal unit = regionalUnit(decimals);
    const double halfStep = 0.5 * std::pow(10.0, -decimals);
    for (double value : values) {
      const KovString shown = unit.getDisplayString(value, 1, 0, 0, 0, L'-');
      SCOPED_TRACE(testing::Message() << value << " shown as \"" << shown.getStringW() << '"');
      // A negative form in parentheses or with a trailing sign is display only.
      if (value < 0 && SystemNumberFormat().negativeOrder != 1) continue;
      EXPECT_NEAR(unit.getMillimeters(shown), value, halfStep * (1 + 1e-9) + 1e-9);
    }
  }
}

// The system formatter with a record of its own, as the backend calls it.
bool systemFormat(const wchar_t* value, const NumberFormatRecord& format, std::wstring& out) {
  NUMBERFMTW record = {};
  record.NumDigits = static_cast<UINT>(format.numDigits);
  record.LeadingZero = static_cast<UINT>(format.leadingZero);
  record.Grouping = static_cast<UINT>(format.grouping);
  record.lpDecimalSep = const_cast<LPWSTR>(format.decimalSeparator);
  record.lpThousandSep = const_cast<LPWSTR>(format.thousandSeparator);
  record.NegativeOrder = static_cast<UINT>(format.negativeOrder);
  wchar_t buffer[8192];
  const int n = GetNumberFormatW(LOCALE_USER_DEFAULT, 0, value, &record, buffer, 8192);
  if (n <= 0) return false;
  out.assign(buffer, static_cast<std::size_t>(n - 1));
  return true;
}

// A record for each combination the comparison covers.
std::vector<NumberFormatRecord> comparedRecords() {
  const struct {
    const wchar_t* decimal;
    const wchar_t* thousand;
  } separators[] = {
      {L".", L","}, {L",", L"."}, {L",", L"\u00A0"}, {L".", L"\u2019"}, {L"dec", L"th"}, {L"", L""},
  };
  std::vector<NumberFormatRecord> records;
  for (const auto& sep : separators) {
    for (int numDigits = 0; numDigits <= 3; ++numDigits) {
      for (int leadingZero = 0; leadingZero <= 1; ++leadingZero) {
        for (int grouping = 0; grouping <= 4; ++grouping) {
          for (int negativeOrder = 0; negativeOrder <= 4; ++negativeOrder) {
            NumberFormatRecord format;
            format.numDigits = numDigits;
            format.leadingZero = leadingZero;
            format.grouping = grouping;
            format.decimalSeparator = sep.decimal;
            format.thousandSeparator = sep.thousand;
            format.negativeOrder = negativeOrder;
            records.push_back(format);
          }
        }
      }
    }
  }
  return records;
}

std::wstring describe(const wchar_t* value, const NumberFormatRecord& format) {
  return L"\"" + std::wstring(value) + L"\" digits " + std::to_wstring(format.numDigits) +
         L" leading zero " + std::to_wstring(format.leadingZero) + L" grouping " +
         std::to_wstring(format.grouping) + L" negative " + std::to_wstring(format.negativeOrder) +
         L" separators \"" + format.decimalSeparator + L"\" \"" + format.thousandSeparator + L"\"";
}

// The formatter that the POSIX backend uses must write what Windows writes, for
// every record the library can hand over and every kind of number: rounding half
// away from zero, carries, values that round to zero, missing leading zeros.
TEST(WindowsNumberFormat, LibraryFormatterWritesWhatTheSystemWrites) {
  const wchar_t* values[] = {
      L"0",           L"0.0",    L"-0",      L"0.004",   L"-0.004",
      L"0.005",       L"-0.005", L"0.0049",  L"0.5",     L"-0.5",
      L"0.45",        L"-0.4",   L"0.995",   L"-0.9995", L"1.5",
      L"2.5",         L"1234.5", L"-1234.5", L"12.3456", L"00012.30",
      L"1234567.891", L".5",     L"-.5",     L"5.",      L"12345678901234567890.125",
  };
  int compared = 0;
  for (const NumberFormatRecord& format : comparedRecords()) {
    for (const wchar_t* value : values) {
      std::wstring expected;
      ASSERT_TRUE(systemFormat(value, format, expected)) << describe(value, format);
      KovString own;
      const bool ok = formatNumberLikeWindows(value, format, own);
      KovString backend;
      ASSERT_TRUE(formatUserNumber(value, format, backend));
      ++compared;
      if (ok && str(own) == expected && str(backend) == expected) continue;
      FAIL() << describe(value, format) << L": system \"" << expected << L"\", library "
             << (ok ? L"\"" + str(own) + L"\"" : std::wstring(L"refused")) << L", backend \""
             << str(backend) << L'"';
    }
  }
  EXPECT_EQ(compared, 6 * 4 * 2 * 5 * 5 * 25);
}

// Wine's formatter leaves the digit that a rounding carry adds out of the grouping
// ("999.9995" to 0 decimals gives "1000", "-999999.5" gives "-1000,000"). The
// rounding is therefore worked out by hand here; the system then formats the
// rounded text, which needs no rounding, and the library must agree with that.
TEST(WindowsNumberFormat, LibraryFormatterGroupsTheDigitACarryAdds) {
  struct Case {
    const wchar_t* value;
    const wchar_t* rounded[4];  // to 0, 1, 2 and 3 decimals
  } cases[] = {
      {L"9.995", {L"10", L"10.0", L"10.00", L"9.995"}},
      {L"-9.995", {L"-10", L"-10.0", L"-10.00", L"-9.995"}},
      {L"999.9995", {L"1000", L"1000.0", L"1000.00", L"1000.000"}},
      {L"-999999.5", {L"-1000000", L"-999999.5", L"-999999.50", L"-999999.500"}},
      {L"-9999999.9999", {L"-10000000", L"-10000000.0", L"-10000000.00", L"-10000000.000"}},
  };
  for (const NumberFormatRecord& format : comparedRecords()) {
    for (const Case& c : cases) {
      std::wstring expected;
      ASSERT_TRUE(systemFormat(c.rounded[format.numDigits], format, expected));
      KovString own;
      ASSERT_TRUE(formatNumberLikeWindows(c.value, format, own)) << describe(c.value, format);
      ASSERT_EQ(str(own), expected) << describe(c.value, format);
    }
  }
}

TEST(WindowsNumberFormat, LibraryFormatterRefusesWhatTheSystemRefuses) {
  const wchar_t* texts[] = {L"+5", L" 5",  L"5 ",  L"1e3", L"1,5",  L"1.2.3", L"--1",
                            L"0-", L"0..", L"0x1", L"inf", L"-inf", L"nan",   L"12a"};
  NumberFormatRecord format;
  format.numDigits = 2;
  for (const wchar_t* text : texts) {
    SCOPED_TRACE(testing::Message() << '"' << text << '"');
    std::wstring system;
    EXPECT_FALSE(systemFormat(text, format, system));
    KovString own;
    EXPECT_FALSE(formatNumberLikeWindows(text, format, own));
    EXPECT_FALSE(formatUserNumber(text, format, own));
  }
  // A negative order the system does not know is refused by both.
  format.negativeOrder = 5;
  std::wstring system;
  KovString own;
  EXPECT_FALSE(systemFormat(L"-1", format, system));
  EXPECT_FALSE(formatNumberLikeWindows(L"-1", format, own));
}

// Long numbers: the backend must not hand them to a formatter that may overrun, and
// must still write the grouped text.
TEST(WindowsNumberFormat, BackendFormatsLongNumbersWithoutTheSystemBuffer) {
  NumberFormatRecord format;
  format.numDigits = 2;
  format.grouping = 3;
  format.decimalSeparator = L",";
  format.thousandSeparator = L".";
  for (int digits : {200, 260, 309, 400, 2000}) {
    SCOPED_TRACE(digits);
    const std::wstring value = L"-" + std::wstring(static_cast<std::size_t>(digits), L'7') + L".5";
    std::wstring expected = L"-";
    for (int i = 0; i < digits; ++i) {
      if (i > 0 && (digits - i) % 3 == 0) expected += L'.';
      expected += L'7';
    }
    expected += L",50";
    KovString out;
    ASSERT_TRUE(formatUserNumber(value.c_str(), format, out));
    EXPECT_EQ(str(out), expected);
  }
  // A result longer than the system's 8192-character buffer is refused, as there.
  const std::wstring huge(9000, L'1');
  KovString out;
  EXPECT_FALSE(formatUserNumber(huge.c_str(), format, out));
}

}  // namespace
