#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "KovString.h"

namespace {

std::wstring str(const KovString& s) { return std::wstring(s.getStringW()); }

TEST(KovString, NarrowTextWidensAsCodePage1252) {
  EXPECT_EQ(str(KovString("1.00 \xB2")), L"1.00 \u00B2");
  EXPECT_EQ(str(KovString("\x80\x99\x81\xFF")), L"\u20AC\u2122\u0081\u00FF");
  EXPECT_EQ(KovString(static_cast<const char*>(nullptr)).length(), 0);
}

TEST(KovString, PositionsOutsideTheTextReadAsZero) {
  const KovString empty;
  EXPECT_EQ(empty[0], L'\0');
  const KovString abc(L"abc");
  EXPECT_EQ(abc[3], L'\0');
  EXPECT_EQ(abc[-1], L'\0');
  EXPECT_EQ(abc.at(INT_MAX), L'\0');
}

TEST(KovString, SubstringsClampTheirArguments) {
  const KovString s(L"5' 6 1/2\"");
  struct Case {
    KovString got;
    const wchar_t* want;
  } cases[] = {
      {s.left(2), L"5'"},
      {s.left(0), L""},
      {s.left(-1), L""},
      {s.left(99), s.getStringW()},
      {s.right(2), L"2\""},
      {s.right(-3), L""},
      {s.right(99), s.getStringW()},
      {s.mid(3, 1), L"6"},
      {s.mid(5, 99), L"1/2\""},
      {s.mid(-2, 2), L"5'"},
      {s.mid(99, 1), L""},
      {s.mid(2, -1), L""},
      {s.mid(3), L"6 1/2\""},
  };
  for (const auto& c : cases) EXPECT_EQ(str(c.got), c.want);
}

TEST(KovString, FindReportsMinusOneWhenAbsent) {
  const KovString s(L"10d30'15\"");
  EXPECT_EQ(s.find(KovString(L"30"), 0), 3);
  EXPECT_EQ(s.find(KovString(L"30"), 4), -1);
  EXPECT_EQ(s.find(KovString(L"\""), -5), 8);
  EXPECT_EQ(s.find(KovString(L"x")), -1);
  EXPECT_EQ(s.find(KovString(L"'"), 100), -1);
  EXPECT_EQ(KovString().find(KovString(L"a")), -1);
}

TEST(KovString, TrimsBlanksAndCharacterSets) {
  KovString s(L" \t 0.500 \n");
  s.Trim();
  EXPECT_EQ(str(s), L"0.500");
  s.TrimRight(KovString(L"0"));
  EXPECT_EQ(str(s), L"0.5");
  s.TrimLeft(KovString(L"0"));
  EXPECT_EQ(str(s), L".5");
  KovString dashes(L"--5-");
  dashes.TrimLeft(KovString(L"-"));
  EXPECT_EQ(str(dashes), L"5-");
  KovString all(L"000");
  all.TrimRight(KovString(L"0"));
  EXPECT_EQ(all.length(), 0);
}

TEST(KovString, RemoveAllAndReplace) {
  KovString s(L"1.234.567,5");
  EXPECT_EQ(s.removeAll(L'.'), 2);
  EXPECT_EQ(s.replace(KovString(L","), KovString(L".")), 1);
  EXPECT_EQ(str(s), L"1234567.5");
  KovString grow(L"aXa");
  grow.replace(KovString(L"a"), KovString(L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"));
  EXPECT_EQ(grow.length(), 69);
  KovString same(L"aa");
  EXPECT_EQ(same.replace(KovString(L""), KovString(L"b")), 0);
}

// toLong reads the leading integer and saturates; toDouble is held against the
// scanner's portable table (NumberScanTest).
TEST(KovString, ToLongReadsTheLeadingIntegerAndSaturates) {
  struct Case {
    const wchar_t* text;
    long asLong;
  } cases[] = {
      {L"abc", 0},
      {L"  -12.5x", -12},
      {L"5,5", 5},
      {L"1e3", 1},
      {L"+3", 3},
      {L"-", 0},
      {L"99999999999", INT_MAX},
      {L"-99999999999", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(KovString(c.text).toLong(), c.asLong) << c.text;
}

TEST(KovString, IsNumericAcceptsPlainUnsignedDecimals) {
  // Digits with at most one '.', nothing else: the validators strip signs themselves.
  struct Case {
    const wchar_t* text;
    bool numeric;
  } cases[] = {
      {L"1.5", true}, {L".5", true},  {L"5.", true},   {L"007", true},     {L"", false},
      {L".", false},  {L"-5", false}, {L"+5", false},  {L"1.2.3", false},  {L"1,5", false},
      {L" 5", false}, {L"5 ", false}, {L"1e3", false}, {L"\u0665", false},
  };
  for (const auto& c : cases) EXPECT_EQ(KovString(c.text).IsNumeric(), c.numeric) << c.text;
}

TEST(KovString, FormatWritesTheNeutralForm) {
  struct Case {
    KovString got;
    const wchar_t* want;
  } cases[] = {
      {KovString().format(L"%.*f", 2, 1234.5), L"1234.50"},
      {KovString().format(L"%.*f", 0, 2.5), L"2"},  // round half to even, as printf
      {KovString().format(L"%.*f", 2, -0.001), L"-0.00"},
      {KovString().format(L"%d'%s%d %d/%d\"", 5, L"-", 6, 1, 2), L"5'-6 1/2\""},
      {KovString().format(L"#fraction(%d,%d,%d,%f,%d,%d)", 2, 1, 0, 1.0, -1, 2),
       L"#fraction(2,1,0,1.000000,-1,2)"},
      {KovString().format(L"%.0f", 1e20), L"100000000000000000000"},
      {KovString().format(L"%f", NAN), L"nan"},
      {KovString().format(L"%.2f", -INFINITY), L"-inf"},
      {KovString().format(L"%5d|%-3d|%03d", 42, 7, -5), L"   42|7  |-05"},
      {KovString().format(L"100%% %q"), L"100% %q"},
      {KovString().format(L"%ld %lld", 123456L, -9000000000LL), L"123456 -9000000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(str(c.got), c.want);
}

TEST(KovString, ShortTextsStayInlineAndLongOnesGrow) {
  KovString s;
  for (int i = 0; i < 1000; ++i) s += L'x';
  EXPECT_EQ(s.length(), 1000);
  KovString copy = s;
  EXPECT_TRUE(copy == s);
  KovString moved = std::move(copy);
  EXPECT_EQ(moved.length(), 1000);
  s += s;  // appending itself
  EXPECT_EQ(s.length(), 2000);
  KovString shortText(L"0.00");
  KovString shortMoved = std::move(shortText);
  EXPECT_EQ(str(shortMoved), L"0.00");
  shortMoved = shortMoved.getStringW() + 1;  // assigning a pointer into itself
  EXPECT_EQ(str(shortMoved), L".00");
  // An empty text assigned over another ends its characters too, as a C string.
  const KovString empty;
  shortMoved = empty;
  EXPECT_STREQ(shortMoved.getStringW(), L"");
}

}  // namespace
