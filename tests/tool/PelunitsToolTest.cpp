// Runs the built pelunits tool as a user or a script would, through /bin/sh.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Result {
  std::string out;
  std::string err;
  int status = -1;
};

std::string quoted(const std::string& argument) {
  std::string text = "'";
  for (const char c : argument) {
    if (c == '\'') {
      text += "'\\''";
    } else {
      text.push_back(c);
    }
  }
  return text + "'";
}

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs `command` through /bin/sh, its output and errors caught in files named by `base`.
Result runShell(const std::string& command, const std::string& base) {
  const int raw = std::system(
      (command + " > " + quoted(base + ".out") + " 2> " + quoted(base + ".err")).c_str());
  return {readFile(base + ".out"), readFile(base + ".err"), WIFEXITED(raw) ? WEXITSTATUS(raw) : -1};
}

// Runs pelunits with `arguments`; `input` is piped in when given, else standard
// input is empty. `environment` ("LC_ALL=de_DE.UTF-8") is set for the tool alone.
Result run(const std::vector<std::string>& arguments, const std::string& input = "",
           const std::string& environment = "") {
  const std::string base = testing::TempDir() + "pelunits_" + std::to_string(getpid());
  {
    std::ofstream in(base + ".in", std::ios::binary);
    in << input;
  }
  std::string command = environment + " " + quoted(PELUNITS_TOOL_PATH);
  for (const std::string& argument : arguments) command += " " + quoted(argument);
  return runShell(command + " < " + quoted(base + ".in"), base);
}

std::string describe(const std::vector<std::string>& arguments) {
  std::string text = "pelunits";
  for (const std::string& argument : arguments) text += " " + quoted(argument);
  return text;
}

// Expected texts come from the library's documented examples.
TEST(PelunitsTool, DisplaysValuesInTheNamedOrNumberedUnit) {
  struct Case {
    std::vector<std::string> arguments;
    std::string out;
  };
  const Case cases[] = {
      {{"display", "--unit", "feet-inch-fraction", "--separator", "-", "1689.1"}, "5'-6 1/2\"\n"},
      {{"display", "--units", "20", "--representation", "1", "--precision", "16", "--separator",
        "-", "1689.1"},
       "5'-6 1/2\"\n"},
      {{"display", "--unit", "feet-decimal-inch", "1689.1"}, "5' 6.50\"\n"},
      {{"display", "--unit", "metres", "--precision", "100", "--trim-trailing-zeros", "1500"},
       "1.5\n"},
      {{"display", "--unit", "metres", "-1500"}, "-1.500\n"},  // a negative value, not an option
      {{"display", "--unit", "square-inches", "645.16"}, "1.00 ²\n"},
      {{"display", "--unit", "degrees-minutes-seconds", "10.504166666666666", "370.25"},
       "10°30'15\"\n10°15'0\"\n"},
      {{"display", "--unit", "degrees", "370", "--trim-trailing-zeros", "45.5"}, "10\n45.5\n"},
      {{"display", "--unit", "gon", "90"}, "100.00\n"},
      {{"display", "--unit", "radians", "--precision", "100", "180"}, "3.14\n"},
      {{"display", "--unit", "newtons", "1.5"}, "1500.00\n"},
      {{"display", "--unit", "kilograms", "--precision=10", "2500"}, "2.5\n"},
      {{"display", "--unit", "pounds-ounces", "1000", "453.59232"}, "2 lb 3.27 oz\n1 lb\n"},
      {{"display", "--unit", "metres", "--with-units", "--symbol", "m", "12500"}, "12.500 m\n"},
      {{"display", "--units", "20", "--representation", "5006", "--factor", "1", "--precision", "8",
        "--arch", "--arch-representation", "1", "--line-arrangement", "1", "--stacked",
        "--fraction-parameter", "0.5", "--inch-mark", "3.875"},
       "3 #fraction(1,1,1,0.500000,7,8)\"\n"},
      {{"display", "--unit", "feet-inch-fraction", "--arch", "--inch-mark", "--dash-after-feet",
        "1612.9"},
       "5'-3#fraction(0,0,0,1.000000,1,2)\"\n"},
      {{"display", "--unit", "kilonewtons", "nan", "inf", "-inf"}, "nan\ninf\n-inf\n"},
      // convert reads exactly in one unit and shows in the other.
      {{"convert", "--from", "metres", "--to", "feet-inch-fraction", "--precision", "16", "1.6891"},
       "5' 6 1/2\"\n"},
      {{"convert", "--from", "pounds-ounces", "--to", "kilograms", "2 lb 3 oz", "2 kg"},
       "0.99\n2.00\n"},
      {{"convert", "--from", "gon", "--to", "degrees-minutes-seconds", "100", "50.5 gon"},
       "90°0'0\"\n45°27'0\"\n"},
      {{"check", "--unit", "metres", "12.5", "-.5"}, "valid\nvalid\n"},
      // The format options: steps, rounding, digits and marks.
      {{"display", "--increment", "5 mm", "12.4", "-12.6"}, "10\n-15\n"},
      {{"display", "--unit", "feet-inch-fraction", "--precision", "64", "--increment", "1/2\"",
        "--separator", "-", "1695"},
       "5'-6 1/2\"\n"},
      {{"display", "--increment", "5", "--rounding", "up", "-12.4"}, "-10\n"},
      {{"display", "--unit", "metres", "--significant", "3", "12345", "1.2345"}, "12.3\n0.00123\n"},
      {{"display", "--unit", "metres", "--plus-sign", "3250", "0"}, "+3.250\n±0.000\n"},
      {{"display", "--unit", "feet-inch-fraction", "--typographic", "--hide-zero-feet", "1689.1",
        "-88.9"},
       "5\u2032 6\u00BD\u2033\n\u22123\u00BD\u2033\n"},
      {{"display", "--unit", "metres", "--inexact-marker", "1234.5", "1234"}, "~1.235\n1.234\n"},
      // Directions: bearings and azimuths under the host's convention, and read back.
      {{"display", "--unit", "degrees-minutes-seconds", "--angle-style", "bearing", "44.5", "135.5",
        "-90"},
       "N 45°30'0\" E\nN 45°30'0\" W\nS\n"},
      {{"display", "--unit", "degrees-minutes-seconds", "--angle-style", "azimuth", "--angle-zero",
        "north", "--angle-sense", "clockwise", "45.5", "-10"},
       "45°30'0\"\n350°0'0\"\n"},
      {{"convert", "--from", "degrees-minutes-seconds", "--to", "degrees", "--angle-style",
        "azimuth", "S 30°0'0\" W", "90°"},
       "210.00\n90.00\n"},
      {{"convert", "--from", "metres", "--to", "feet-inch-fraction", "--increment", "1\"",
        "--hide-zero-feet", "0.0762"},
       "3\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments));
    const Result result = run(c.arguments);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, 0);
  }
}

TEST(PelunitsTool, ParsesTypedTextToTheInternalValueOfItsQuantity) {
  struct Case {
    std::vector<std::string> arguments;
    double value;
  };
  const Case cases[] = {
      {{"parse", "--unit", "feet-inch-fraction", "5' 7 1/4\""}, 67.25 * 25.4},
      {{"parse", "--unit", "feet-inch-fraction", "5\u2032 6\u00BD\u2033"}, 1689.1},
      // --as-typed is the unit's own reader: it reads the number and ignores the rest.
      {{"parse", "--as-typed", "--unit", "metres", "1,5"}, 1000.0},
      // The internal value of each quantity: grams, kilonewtons, degrees.
      {{"parse", "--unit", "kilograms", "2.5"}, 2500.0},
      {{"parse", "--unit", "newtons", "1500"}, 1.5},
      {{"parse", "--unit", "degrees-minutes-seconds", "10°30'15\""},
       10.0 + 30.0 / 60 + 15.0 / 3600},
      {{"parse", "--unit", "degrees-minutes-seconds", "N 45°30'0\" E"}, 44.5},
      {{"parse", "--unit", "degrees-minutes-seconds", "--angle-style", "azimuth", "0°0'0\""}, 90.0},
      {{"parse", "--unit", "degrees-minutes-seconds", "--angle-style", "azimuth", "--angle-zero",
        "north", "--angle-sense", "clockwise", "350°0'0\""},
       350.0},
      // Texts that start with '-' are items, not options.
      {{"parse", "--unit", "feet-decimal-inch", "-5' 6\""}, -66 * 25.4},
      {{"parse", "--unit", "pounds-ounces", "-1 lb 8 oz"}, -24 * 28.34952},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments));
    const Result result = run(c.arguments);
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_FALSE(result.out.empty());
    EXPECT_EQ(result.out.back(), '\n');
    EXPECT_NEAR(std::strtod(result.out.c_str(), nullptr), c.value, 1e-9 * std::fabs(c.value));
  }
}

// Usage errors: one lowercase line naming the culprit, exit status 2, no output.
TEST(PelunitsTool, RefusesABadCommandLineWithOneLineAndStatusTwo) {
  struct Case {
    std::vector<std::string> arguments;
    std::string err;
  };
  const Case cases[] = {
      {{"display", "--bogus", "1"}, "pelunits: unknown option: '--bogus'\n"},
      {{"display", "--unit", "furlongs", "1"},
       "pelunits: unknown unit: 'furlongs' (see 'pelunits units')\n"},
      {{"transmute", "1"}, "pelunits: unknown command: 'transmute' (see 'pelunits --help')\n"},
      {{}, "pelunits: no command given (see 'pelunits --help')\n"},
      {{"display", "--precision", "two", "1"}, "pelunits: not an integer for --precision: 'two'\n"},
      {{"display", "--precision", "99999999999", "1"},
       "pelunits: not an integer for --precision: '99999999999'\n"},
      {{"display", "--factor", "1e", "1"}, "pelunits: not a number for --factor: '1e'\n"},
      {{"display", "--separator", "ab", "1"},
       "pelunits: --separator takes one character, not 'ab'\n"},
      {{"display", "1", "--unit"}, "pelunits: option --unit needs a value\n"},
      {{"display", "--regional=1", "1"}, "pelunits: option --regional takes no value\n"},
      {{"display", "--unit", "metres", "--units", "20", "1"},
       "pelunits: give either --unit or --units/--representation, not both\n"},
      {{"display", "--representation", "5", "1"}, "pelunits: --representation needs --units\n"},
      {{"display", "--units", "5003", "--representation", "9", "1"},
       "pelunits: no unit for --units 5003 --representation 9\n"},
      {{"units", "extra"}, "pelunits: units takes no arguments\n"},
      {{"display", "--rounding", "sideways", "1"},
       "pelunits: --rounding takes nearest, up or down, not 'sideways'\n"},
      {{"display", "--significant", "x", "1"}, "pelunits: not an integer for --significant: 'x'\n"},
      {{"display", "--angle-style", "compass", "1"},
       "pelunits: --angle-style takes plain, bearing or azimuth, not 'compass'\n"},
      {{"parse", "--angle-sense", "cw", "1"},
       "pelunits: --angle-sense takes counterclockwise or clockwise, not 'cw'\n"},
      {{"display", "--significant", "18", "1"},
       "pelunits: --significant takes 1 to 17 digits, not '18'\n"},
      {{"display", "--unit", "metres", "--increment", "2 kg", "1"},
       "pelunits: --increment takes a positive quantity of the unit (5 mm, 1/2\"), not '2 kg'\n"},
      {{"display", "--arch", "--plus-sign", "1"},
       "pelunits: --arch cannot be combined with the format options (see 'pelunits display "
       "--help')\n"},
      {{"convert", "--from", "metres", "1"}, "pelunits: convert needs --from UNIT and --to UNIT\n"},
      // Texts read in one quantity cannot show in another.
      {{"convert", "--from", "metres", "--to", "kilograms", "1"},
       "pelunits: cannot convert metres to kilograms: they measure different quantities\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments));
    const Result result = run(c.arguments);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.status, 2);
  }
}

// Bad items: an empty result line keeps the lines aligned, the rest still
// converts, and the exit status is 1.
TEST(PelunitsTool, ReportsABadItemAndConvertsTheRest) {
  struct Case {
    std::vector<std::string> arguments;
    std::string input;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {{"display", "--unit", "metres", "1500", "abc", "2500"},
       "",
       "1.500\n\n2.500\n",
       "pelunits: not a number: 'abc'\n"},
      {{"display", "--unit", "metres"},
       "1500\nabc\n\n2500\r\n-0.0004",
       "1.500\n\n\n2.500\n0.000\n",
       "pelunits: line 2: not a number: 'abc'\n"},
      {{"display", "--unit", "metres"}, "1,5\n", "\n", "pelunits: line 1: not a number: '1,5'\n"},
      {{"parse", "--unit", "metres"},
       "1.5\n\xff\xfe\n2\n",
       "1500\n\n2000\n",
       "pelunits: line 2: not valid UTF-8: '\\xff\\xfe'\n"},
      {{"parse", "--unit", "degrees", "10\xc2"},
       "",
       "\n",
       "pelunits: not valid UTF-8: '10\\xc2'\n"},
      {{"check", "--unit", "metres"}, "12.5\nabc\n", "valid\ninvalid\n", ""},
      {{"check", "--unit", "feet-inch-fraction", "5' 6 1/2\"", "6-1/2\"", "5'6"},
       "",
       "valid\ninvalid\nvalid\n",
       ""},
      // parse reads exactly: the item, the position and the reason on stderr.
      {{"parse", "--unit", "metres", "abc"},
       "",
       "\n",
       "pelunits: 'abc': invalid at byte 0: a number is expected\n"},
      {{"parse", "--unit", "feet-inch-fraction"},
       "5' 6 1/\n\n66\n",
       "\n\n1676.4\n",
       "pelunits: line 1: '5' 6 1/': incomplete at byte 7: the denominator is missing\n"},
      {{"check", "--strict", "--unit", "degrees-minutes-seconds", "10 30 15", "10°30'", "-"},
       "",
       "invalid\ncomplete\nincomplete\n",
       ""},
      {{"convert", "--from", "metres", "--to", "millimetres", "2 kg"},
       "",
       "\n",
       "pelunits: '2 kg': invalid at byte 2: unit of another quantity: a length is expected\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments) + " < " + c.input);
    const Result result = run(c.arguments, c.input);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.status, 1);
  }
}

TEST(PelunitsTool, ConvertsALongPipedColumnLineForLine) {
  std::string input;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    input += std::to_string(i * 1000) + "\n";
    expected += std::to_string(i) + ".000\n";
  }
  const Result result = run({"display", "--unit", "metres"}, input);
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out == expected);
}

TEST(PelunitsTool, ExplainsItselfWithHelpAndListsItsUnits) {
  const Result main = run({"--help"});
  EXPECT_EQ(main.status, 0);
  EXPECT_EQ(main.out.rfind("usage: pelunits <command>", 0), 0u);
  for (const char* command : {"display", "parse", "check", "units"}) {
    SCOPED_TRACE(command);
    const Result help = run({command, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(std::string("usage: pelunits ") + command, 0), 0u);
  }
}

std::vector<std::string> splitOn(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream stream(text);
  while (std::getline(stream, part, separator)) parts.push_back(part);
  return parts;
}

std::size_t codePoints(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
  return count;
}

// The table's example column is the tool's own display of the example value, and
// the shown text reads back to it; the text table aligns every column under its
// heading.
TEST(PelunitsTool, ListsEveryUnitWithAnExampleThatDisplaysAndReadsBack) {
  const Result tsv = run({"units", "--format", "tsv"});
  ASSERT_EQ(tsv.status, 0);
  const std::vector<std::string> lines = splitOn(tsv.out, '\n');
  ASSERT_GT(lines.size(), 30u);
  EXPECT_EQ(lines[0], "name\tunits\trepresentation\texample\tshows\tpresets\tdescription");
  const Result table = run({"units"});
  const std::vector<std::string> rows = splitOn(table.out, '\n');
  ASSERT_EQ(rows.size(), lines.size());
  const std::size_t showsColumn = codePoints(rows[0].substr(0, rows[0].find("shows")));
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> cells = splitOn(lines[i], '\t');
    ASSERT_EQ(cells.size(), 7u) << lines[i];
    SCOPED_TRACE(cells[0]);
    // The text table: the name first, the display at the column of its heading.
    EXPECT_EQ(rows[i].rfind(cells[0] + " ", 0), 0u);
    const std::string before = rows[i].substr(0, rows[i].rfind("  " + cells[4]) + 2);
    EXPECT_EQ(codePoints(before), showsColumn) << rows[i];
  }
}

// The number-format options: a format of the tool's own, above the locale, which turns
// --regional on; an invalid one is a usage error.
TEST(PelunitsTool, TakesANumberFormatOfItsOwn) {
  struct Case {
    std::vector<std::string> arguments;
    std::string out;
    int status;
  };
  const Case cases[] = {
      {{"display", "--unit", "metres", "--decimal-separator", ",", "1234567"}, "1234,567\n", 0},
      {{"display", "--unit", "metres", "--decimal-separator", ",", "--group-separator", ".",
        "--negative-form", "3", "-1234567"},
       "1.234,567-\n",
       0},
      {{"display", "--unit", "metres", "--group-separator", "\u2009", "--grouping", "2", "1234567"},
       "12\u200934.567\n",
       0},
      {{"display", "--unit", "metres", "--no-leading-zero", "500"}, ".500\n", 0},
      {{"display", "--unit", "metres", "--locale", "xx_YY.UTF-8", "--decimal-separator", ",",
        "1500"},
       "1,500\n",
       0},  // a format needs no installed locale
      {{"parse", "--unit", "metres", "--decimal-separator", ",", "--group-separator", ".",
        "1.234,5"},
       "1234500\n",
       0},
      {{"display", "--unit", "metres", "--decimal-separator", "", "1"}, "", 2},
      {{"display", "--unit", "metres", "--decimal-separator", ",", "--group-separator", ",", "1"},
       "",
       2},
      {{"display", "--unit", "metres", "--grouping", "10", "1"}, "", 2},
      {{"display", "--unit", "metres", "--negative-form", "x", "1"}, "", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments));
    const Result result = run(c.arguments, "", "LC_ALL=de_CH.UTF-8");
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_EQ(result.err.empty(), c.status == 0) << result.err;
  }
}

// What the tool says on standard error besides the results.
TEST(PelunitsTool, NotesAReplacedRepresentationAndWarnsOfAMissingLocale) {
  struct Case {
    std::vector<std::string> arguments;
    std::string environment;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {{"display", "--units", "20", "--representation", "77", "1689.1"},
       "",
       "5' 6.50\"\n",
       "pelunits: note: quantity 20 has no representation 77; the factory gives representation 2 "
       "instead (see 'pelunits units')\n"},
      {{"display", "--units", "2000", "--representation", "77", "10.5"},
       "",
       "0.50\n",  // the degree unit as the factory makes it: full circle 1
       "pelunits: note: quantity 2000 has no representation 77; the factory gives the quantity's "
       "default unit instead (see 'pelunits units')\n"},
      {{"display", "--units", "9999", "--representation", "0", "1"},
       "",
       "1.00\n",
       "pelunits: note: the factory knows no quantity 9999; it gives a decimal unit "
       "(representation 3)\n"},
      // Without --representation the factory's choice is what was asked for: no note.
      {{"display", "--units", "20", "1689.1"}, "", "5' 6.50\"\n", ""},
      {{"display", "--units", "1009", "--representation", "7", "1000"}, "", "1000.00\n", ""},
      {{"display", "--unit", "metres", "--regional", "1234567", "1"},
       "LC_ALL=xx_YY.UTF-8",
       "1234.567\n0.001\n",
       "pelunits: warning: the locale 'xx_YY.UTF-8' is not installed; --regional shows the "
       "neutral number format\n"},
      {{"display", "--unit", "metres", "--regional", "1234567"},
       "LC_ALL=de_DE.UTF-8",
       "1.234,567\n",
       ""},
      {{"display", "--unit", "metres", "--regional", "1234567"}, "LC_ALL=C", "1234.567\n", ""},
      // The locale is named but --regional is off: nothing to warn of.
      {{"display", "--unit", "metres", "1234567"}, "LC_ALL=xx_YY.UTF-8", "1234.567\n", ""},
      // --locale wins over the environment, both ways.
      {{"display", "--unit", "metres", "--regional", "--locale", "de_DE.UTF-8", "1234567"},
       "LC_ALL=C",
       "1.234,567\n",
       ""},
      {{"display", "--unit", "metres", "--regional", "--locale", "xx_YY.UTF-8", "1234567"},
       "LC_ALL=de_DE.UTF-8",
       "1234.567\n",
       "pelunits: warning: the locale 'xx_YY.UTF-8' is not installed; --regional shows the "
       "neutral number format\n"},
      {{"parse", "--unit", "metres", "--regional", "--locale", "fr_FR.UTF-8", "1,5"},
       "LC_ALL=C",
       "1500\n",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.environment + " " + describe(c.arguments));
    const Result result = run(c.arguments, "", c.environment);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.status, 0);
  }
}

// Input, result and status side by side, one record per item; the message goes into
// the record rather than to standard error.
TEST(PelunitsTool, WritesRecordsOfInputResultAndStatus) {
  struct Case {
    std::vector<std::string> arguments;
    std::string input;
    std::string out;
    int status;
  };
  const Case cases[] = {
      {{"display", "--unit", "metres", "--format", "tsv"},
       "1500\nabc\n\n",
       "input\tresult\tstatus\tmessage\n1500\t1.500\tok\t\n"
       "abc\t\terror\tnot a number: 'abc'\n\t\tok\t\n",
       1},
      // Tabs and backslashes in a field are escaped, so that every record has four.
      {{"check", "--unit", "metres", "--format", "tsv", "1\t2", "a\\b", "3"},
       "",
       "input\tresult\tstatus\tmessage\n1\\t2\tinvalid\tinvalid\t\n"
       "a\\\\b\tinvalid\tinvalid\t\n3\tvalid\tok\t\n",
       1},
      {{"display", "--unit", "feet-inch-fraction", "--format", "json", "1689.1", "x\"y"},
       "",
       "{\"input\":\"1689.1\",\"result\":\"5' 6 1/2\\\"\",\"status\":\"ok\"}\n"
       "{\"input\":\"x\\\"y\",\"result\":null,\"status\":\"error\","
       "\"message\":\"not a number: 'x\\\"y'\"}\n",
       1},
      // Bytes that are not UTF-8 become U+FFFD, so that every line is valid JSON.
      {{"parse", "--unit", "metres", "--format", "json"},
       "1.5\n\xff\n",
       "{\"input\":\"1.5\",\"result\":\"1500\",\"status\":\"ok\"}\n"
       "{\"input\":\"\xEF\xBF\xBD\",\"result\":null,\"status\":\"error\","
       "\"message\":\"not valid UTF-8: '\\\\xff'\"}\n",
       1},
      {{"units", "--format", "json"}, "", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments) + " < " + c.input);
    const Result result = run(c.arguments, c.input);
    if (c.arguments[0] == "units") {
      EXPECT_EQ(result.out.rfind("{\"name\":\"millimetres\",\"units\":20,", 0), 0u);
    } else {
      EXPECT_EQ(result.out, c.out);
    }
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.status, c.status);
  }
}

// Runs a bash script with PELUNITS set to the tool, under a time limit: a run that
// never ends fails rather than hangs the suite.
Result runScript(const std::string& script) {
  return runShell(
      "PELUNITS=" + quoted(PELUNITS_TOOL_PATH) + " timeout 60 bash -c " + quoted(script),
      testing::TempDir() + "pelunits_script_" + std::to_string(getpid()));
}

// A write error ends the run at once, whatever the SIGPIPE disposition; an endless
// input shows that nothing waits for the input's end.
TEST(PelunitsTool, EndsAtTheFirstWriteError) {
  struct Case {
    const char* script;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {"yes 1 | \"$PELUNITS\" display > /dev/full; echo \"status $?\"", "status 1\n",
       "pelunits: cannot write the output: No space left on device\n"},
      {"trap '' PIPE; yes 1 2>/dev/null | \"$PELUNITS\" display | head -n 1; echo \"status "
       "${PIPESTATUS[1]}\"",
       "1.00\nstatus 1\n", "pelunits: cannot write the output: Broken pipe\n"},
      // SIGPIPE at its default ends the tool quietly, by the signal.
      {"yes 1 | \"$PELUNITS\" display | head -n 1; echo \"status ${PIPESTATUS[1]}\"",
       "1.00\nstatus 141\n", ""},
      // Results are written as input arrives, not when a buffer fills: the first
      // line's answer comes while the input is still open (well before the second
      // line, with room for a slow start on a loaded machine).
      {"SECONDS=0; (echo 1500; sleep 6; echo 2500) | \"$PELUNITS\" display --unit metres "
       "--format json | (read -r line; (( SECONDS < 5 )) && when=early || when=late; "
       "echo \"$line $when\"; cat > /dev/null)",
       "{\"input\":\"1500\",\"result\":\"1.500\",\"status\":\"ok\"} early\n", ""},
      {"\"$PELUNITS\" display 1 2 > /dev/full; echo \"status $?\"", "status 1\n",
       "pelunits: cannot write the output: No space left on device\n"},
      // A read error is reported as well.
      {"\"$PELUNITS\" display < /; echo \"status $?\"", "status 1\n",
       "pelunits: cannot read standard input: Is a directory\n"},
      {"\"$PELUNITS\" units > /dev/full; echo \"status $?\"", "status 1\n",
       "pelunits: cannot write the output: No space left on device\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const Result result = runScript(c.script);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.status, 0);
  }
}

// Lines over 1 MiB are one error each and the run goes on; a byte order mark before
// the first line is skipped.
TEST(PelunitsTool, ReportsOverlongLinesAndSkipsAByteOrderMark) {
  const std::size_t limit = std::size_t{1} << 20;
  struct Case {
    std::vector<std::string> arguments;
    std::string input;
    std::string out;
    std::string err;
    int status;
  };
  const Case cases[] = {
      {{"display", "--unit", "metres"},
       "1500\n" + std::string(limit + 1, '7') + "\n2500\n" + std::string(3 * limit, '8'),
       "1.500\n\n2.500\n\n",
       "pelunits: line 2: longer than 1048576 bytes, not converted: '" + std::string(64, '7') +
           "...'\npelunits: line 4: longer than 1048576 bytes, not converted: '" +
           std::string(64, '8') + "...'\n",
       1},
      // Exactly at the limit a line is still an item (the limit counts the bytes
      // before the newline).
      {{"check", "--unit", "metres"}, std::string(limit, '7') + "\n", "valid\n", "", 0},
      {{"display", "--unit", "metres", "--format", "json"},
       std::string(limit + 1, '7'),
       "{\"input\":\"" + std::string(64, '7') +
           "...\",\"result\":null,\"status\":\"error\",\"message\":\"longer than 1048576 "
           "bytes, not converted\"}\n",
       "",
       1},
      {{"display", "--unit", "metres"},
       "\xEF\xBB\xBF"
       "1500\r\n2500\n",
       "1.500\n2.500\n",
       "",
       0},
      {{"check", "--unit", "feet-inch-fraction"},
       "\xEF\xBB\xBF"
       "5' 6\"\n",
       "valid\n",
       "",
       0},
      // Only before the first line: elsewhere it is part of the text.
      {{"display", "--unit", "metres"},
       "1\n\xEF\xBB\xBF"
       "2\n",
       "0.001\n\n",
       "pelunits: line 2: not a number: '\xEF\xBB\xBF"
       "2'\n",
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(describe(c.arguments) + " < " + c.input.substr(0, 40));
    const Result result = run(c.arguments, c.input);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.status, c.status);
  }
}

#ifdef PELUNITS_MAN_PAGE
// Every option that a help text lists, as "--name".
std::vector<std::string> optionsInHelp() {
  std::vector<std::string> options;
  for (const char* command : {"", "display", "parse", "check", "units"}) {
    std::vector<std::string> arguments;
    if (command[0] != '\0') arguments.push_back(command);
    arguments.push_back("--help");
    std::istringstream help(run(arguments).out);
    std::string line;
    while (std::getline(help, line)) {
      const std::size_t start = line.find_first_not_of(' ');
      if (start == std::string::npos || line.compare(start, 1, "-") != 0) continue;
      std::size_t dashes = line.find("--", start);
      if (dashes == std::string::npos) continue;
      const std::size_t end = line.find_first_of(" ,", dashes);
      options.push_back(line.substr(dashes, end - dashes));
    }
  }
  return options;
}

// The man page is written from the help texts: every command and every option shows.
TEST(PelunitsTool, ManPageShowsEveryCommandAndOption) {
  const Result page = runScript(std::string("cd \"$(dirname ") + quoted(PELUNITS_MAN_PAGE) +
                                ")\" && MANPAGER=cat MANWIDTH=200 man ./pelunits.1");
  ASSERT_EQ(page.status, 0) << page.err;
  std::vector<std::string> words = optionsInHelp();
  ASSERT_GT(words.size(), 20u);
  for (const char* command : {"display", "parse", "check", "units"}) words.push_back(command);
  for (const std::string& word : words) {
    EXPECT_NE(page.out.find(word), std::string::npos) << word;
  }
}
#endif

// Completion of commands, options and unit names, with the tool found on the PATH.
TEST(PelunitsTool, BashCompletionCompletesCommandsOptionsAndUnitNames) {
  struct Case {
    const char* line;  // the words typed so far; the last one is being completed
    std::string completions;
  };
  const Case cases[] = {
      {"pelunits ''", "display parse check convert units"},
      {"pelunits convert --from metres --to feet-inch-f", "feet-inch-fraction"},
      {"pelunits di", "display"},
      {"pelunits display --un", "--unit --units"},
      {"pelunits display --unit kip", "kips kip-feet"},
      {"pelunits -u ksi", "ksi"},
      {"pelunits display --unit metres --trim", "--trim-trailing-zeros --trim-leading-zero"},
      {"pelunits check --format j", "json"},
      {"pelunits display --rounding ''", "nearest up down"},
      {"pelunits parse --angle-zero ''", "east north west south"},
      {"pelunits --rounding up di", "display"},  // the word is the option's value
      {"pelunits parse --factor ''", ""},        // a number: nothing to offer
      {"pelunits display --precision 16 ''", ""},
  };
  const std::string tool = PELUNITS_TOOL_PATH;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const Result result = runScript("PATH=\"$(dirname \"$PELUNITS\"):$PATH\"; source " +
                                    quoted(PELUNITS_COMPLETION_PATH) + "; COMP_WORDS=(" + c.line +
                                    "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _pelunits; " +
                                    "echo \"${COMPREPLY[*]}\"");
    EXPECT_EQ(result.out, c.completions + "\n");
    EXPECT_EQ(result.err, "");
  }
}

}  // namespace
