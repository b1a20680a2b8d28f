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

// Runs pelunits with `arguments`; `input` is piped in when given, else standard
// input is empty.
Result run(const std::vector<std::string>& arguments, const std::string& input = "") {
  const std::string base = testing::TempDir() + "pelunits_" + std::to_string(getpid());
  {
    std::ofstream in(base + ".in", std::ios::binary);
    in << input;
  }
  std::string command = quoted(PELUNITS_TOOL_PATH);
  for (const std::string& argument : arguments) command += " " + quoted(argument);
  command +=
      " < " + quoted(base + ".in") + " > " + quoted(base + ".out") + " 2> " + quoted(base + ".err");
  const int raw = std::system(command.c_str());
  Result result;
  result.out = readFile(base + ".out");
  result.err = readFile(base + ".err");
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
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
      {{"parse", "--unit", "metres", "1 1/2"}, 1500.0},
      {{"parse", "--unit", "degrees", "10°30'"}, 10.5},
      {{"parse", "--unit", "degrees-minutes-seconds", "10°30'15\""},
       10.0 + 30.0 / 60 + 15.0 / 3600},
      {{"parse", "--unit", "kilograms", "2.5"}, 2500.0},
      {{"parse", "--unit", "newtons", "1500"}, 1.5},
      {{"parse", "--unit", "pounds-ounces", "2 lb 3 oz"}, 35 * 28.34952},
      {{"parse", "--unit", "square-inches", "1.00 ²"}, 645.16},
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

TEST(PelunitsTool, ChecksTextsAndFailsWhenAnyIsInvalid) {
  const Result mixed = run({"check", "--unit", "feet-inch-fraction", "5' 6 1/2\"", "6-1/2\""});
  EXPECT_EQ(mixed.out, "valid\ninvalid\n");
  EXPECT_EQ(mixed.status, 1);
  const Result good = run({"check", "--unit", "metres", "12.5", "-.5"});
  EXPECT_EQ(good.out, "valid\nvalid\n");
  EXPECT_EQ(good.status, 0);
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
      // parse reads exactly: the item, the position and the reason on stderr.
      {{"parse", "--unit", "metres", "abc"},
       "",
       "\n",
       "pelunits: 'abc': invalid at byte 0: a number is expected\n"},
      {{"parse", "--unit", "feet-inch-fraction"},
       "5' 6 1/\n\n66\n",
       "\n\n1676.3999999999999\n",
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

  // One line of 100,000 characters is one item, read whole.
  const Result longLine = run({"check", "--unit", "metres"}, std::string(100000, '7') + "\n");
  EXPECT_EQ(longLine.out, "valid\n");
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
  const Result units = run({"units"});
  EXPECT_EQ(units.status, 0);
  for (const char* name : {"metres", "feet-inch-fraction", "degrees-minutes-seconds",
                           "pounds-ounces", "newtons-per-square-mm"}) {
    EXPECT_NE(units.out.find(std::string("\n") + name + " "), std::string::npos) << name;
  }
}

}  // namespace
