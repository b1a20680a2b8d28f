#include "CommandLine.h"

#include <fast_float/fast_float.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "PelUnitsAngles.h"
#include "PelUnitsCatalogue.h"
#include "Utf8.h"

namespace pelunits {
namespace tool {

namespace {

std::string_view trimmed(std::string_view text) {
  const char* blanks = " \t\r\n\v\f";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

bool readFlagValue(std::string_view name, std::string_view text, int& value, std::string& error) {
  if (readInt(text, value)) return true;
  error = "not an integer for " + std::string(name) + ": '" + quotedForMessage(text) + "'";
  return false;
}

bool readNumberValue(std::string_view name, std::string_view text, double& value,
                     std::string& error) {
  if (readDouble(text, value)) return true;
  error = "not a number for " + std::string(name) + ": '" + quotedForMessage(text) + "'";
  return false;
}

// A word an option takes, and what it stands for.
template <typename Value>
struct Choice {
  const char* word;
  Value value;
};

template <typename Value, std::size_t count>
bool readChoice(std::string_view name, std::string_view text, const Choice<Value> (&choices)[count],
                Value& value, std::string& error) {
  std::string words;
  for (std::size_t i = 0; i < count; ++i) {
    if (text == choices[i].word) {
      value = choices[i].value;
      return true;
    }
    words += i == 0 ? "" : i + 1 == count ? " or " : ", ";
    words += choices[i].word;
  }
  error = std::string(name) + " takes " + words + ", not '" + quotedForMessage(text) + "'";
  return false;
}

const Choice<Format> kFormats[] = {
    {"text", Format::Text}, {"tsv", Format::Tsv}, {"json", Format::Json}};
const Choice<Rounding> kRoundings[] = {
    {"nearest", Rounding::nearest}, {"up", Rounding::up}, {"down", Rounding::down}};
const Choice<AngleStyle> kAngleStyles[] = {{"plain", AngleStyle::plain},
                                           {"bearing", AngleStyle::bearing},
                                           {"azimuth", AngleStyle::azimuth}};
const Choice<AngleZero> kAngleZeros[] = {{"east", AngleZero::east},
                                         {"north", AngleZero::north},
                                         {"west", AngleZero::west},
                                         {"south", AngleZero::south}};
const Choice<AngleSense> kAngleSenses[] = {{"counterclockwise", AngleSense::counterclockwise},
                                           {"clockwise", AngleSense::clockwise}};

// An option that turns on a switch of Options.
template <bool Options::*flag>
bool setSwitch(Options& options, std::string_view, std::string&) {
  return options.*flag = true;
}

// The value of --unit, --from or --to: one of the named units.
bool readUnitName(std::string_view text, std::string& name, std::string& error) {
  if (findNamedUnit(text) == nullptr) {
    error = "unknown unit: '" + quotedForMessage(text) + "' (see 'pelunits units')";
    return false;
  }
  name = std::string(text);
  return true;
}

// A format option that is a flag of FormatOptions.
template <bool FormatOptions::*flag>
bool setFormatFlag(Options& options, std::string_view, std::string&) {
  options.formatOptions.*flag = true;
  return options.haveFormatOptions = true;
}

// One row per option; the help texts describe them.
struct OptionEntry {
  const char* names;  // as the parser takes them: "-u,--unit"
  bool takesValue;
  // Applies the option; false with a message in `error`.
  bool (*apply)(Options& options, std::string_view value, std::string& error);
};

const OptionEntry kOptions[] = {
    {"-h,--help", false, setSwitch<&Options::help>},
    {"--version", false, setSwitch<&Options::version>},
    {"--format", true,
     [](Options& o, std::string_view v, std::string& e) {
       return readChoice("--format", v, kFormats, o.format, e);
     }},
    {"-u,--unit", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveUnitName = readUnitName(v, o.unitName, e);
     }},
    {"--from", true,
     [](Options& o, std::string_view v, std::string& e) { return readUnitName(v, o.fromUnit, e); }},
    {"--to", true,
     [](Options& o, std::string_view v, std::string& e) { return readUnitName(v, o.toUnit, e); }},
    {"--as-typed", false, setSwitch<&Options::asTyped>},
    {"--strict", false, setSwitch<&Options::strict>},
    {"--units", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveSystemUnits = readFlagValue("--units", v, o.systemUnits, e);
     }},
    {"--representation", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveRepresentation = readFlagValue("--representation", v, o.representation, e);
     }},
    {"--factor", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveFactor = readNumberValue("--factor", v, o.factor, e);
     }},
    {"--precision", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.havePrecision = readFlagValue("--precision", v, o.precision, e);
     }},
    {"--power", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.havePower = readFlagValue("--power", v, o.power, e);
     }},
    {"--symbol", true,
     [](Options& o, std::string_view v, std::string& e) {
       if (!utf8ToWide(v, o.symbol)) {
         e = "not valid UTF-8 for --symbol: '" + quotedForMessage(v) + "'";
         return false;
       }
       return o.haveSymbol = true;
     }},
    {"--regional", false, setSwitch<&Options::regional>},
    {"--locale", true,
     [](Options& o, std::string_view v, std::string&) {
       o.locale = std::string(v);
       return o.haveLocale = true;
     }},
    {"--decimal-separator", true,
     [](Options& o, std::string_view v, std::string&) {
       o.numberFormat.decimalSeparator = std::string(v);
       return o.haveNumberFormat = true;
     }},
    {"--group-separator", true,
     [](Options& o, std::string_view v, std::string&) {
       o.numberFormat.groupSeparator = std::string(v);
       return o.haveNumberFormat = true;
     }},
    {"--grouping", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveNumberFormat = readFlagValue("--grouping", v, o.numberFormat.grouping, e);
     }},
    {"--negative-form", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveNumberFormat =
                  readFlagValue("--negative-form", v, o.numberFormat.negativeForm, e);
     }},
    {"--no-leading-zero", false,
     [](Options& o, std::string_view, std::string&) {
       o.numberFormat.leadingZero = false;
       return o.haveNumberFormat = true;
     }},
    {"--trim-trailing-zeros", false, setSwitch<&Options::trimTrailingZeros>},
    {"--trim-leading-zero", false, setSwitch<&Options::trimLeadingZero>},
    {"--hide-zero-feet", false, setSwitch<&Options::hideZeroFeet>},
    {"--hide-zero-inches", false, setSwitch<&Options::hideZeroInches>},
    {"--separator", true,
     [](Options& o, std::string_view v, std::string& e) {
       std::wstring wide;
       if (!utf8ToWide(v, wide) || wide.size() != 1) {
         e = "--separator takes one character, not '" + quotedForMessage(v) + "'";
         return false;
       }
       o.separator = wide[0];
       return true;
     }},
    {"--increment", true,
     [](Options& o, std::string_view v, std::string& e) {
       if (!utf8ToWide(v, o.increment)) {
         e = "not valid UTF-8 for --increment: '" + quotedForMessage(v) + "'";
         return false;
       }
       o.haveIncrement = true;
       return o.haveFormatOptions = true;
     }},
    {"--rounding", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveFormatOptions =
                  readChoice("--rounding", v, kRoundings, o.formatOptions.rounding, e);
     }},
    {"--significant", true,
     [](Options& o, std::string_view v, std::string& e) {
       int digits = 0;
       if (!readFlagValue("--significant", v, digits, e)) return false;
       if (digits < 1 || digits > 17) {
         e = "--significant takes 1 to 17 digits, not '" + quotedForMessage(v) + "'";
         return false;
       }
       o.formatOptions.significantDigits = digits;
       return o.haveFormatOptions = true;
     }},
    {"--angle-style", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveFormatOptions =
                  readChoice("--angle-style", v, kAngleStyles, o.formatOptions.angleStyle, e);
     }},
    {"--angle-zero", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveFormatOptions = readChoice("--angle-zero", v, kAngleZeros,
                                               o.formatOptions.angleConvention.zero, e);
     }},
    {"--angle-sense", true,
     [](Options& o, std::string_view v, std::string& e) {
       return o.haveFormatOptions = readChoice("--angle-sense", v, kAngleSenses,
                                               o.formatOptions.angleConvention.sense, e);
     }},
    {"--plus-sign", false, setFormatFlag<&FormatOptions::plusSign>},
    {"--typographic", false, setFormatFlag<&FormatOptions::typographic>},
    {"--inexact-marker", false, setFormatFlag<&FormatOptions::inexactMarker>},
    {"--with-units", false, setSwitch<&Options::withUnits>},
    {"--arch", false, setSwitch<&Options::arch>},
    {"--arch-representation", true,
     [](Options& o, std::string_view v, std::string& e) {
       return readFlagValue("--arch-representation", v, o.archRepresentation, e);
     }},
    {"--line-arrangement", true,
     [](Options& o, std::string_view v, std::string& e) {
       return readFlagValue("--line-arrangement", v, o.lineArrangement, e);
     }},
    {"--fraction-parameter", true,
     [](Options& o, std::string_view v, std::string& e) {
       return readNumberValue("--fraction-parameter", v, o.fractionParameter, e);
     }},
    {"--inch-mark", false, setSwitch<&Options::inchMark>},
    {"--stacked", false, setSwitch<&Options::stacked>},
    {"--dash-after-feet", false, setSwitch<&Options::dashAfterFeet>},
};

// What an option's callback throws to end the parse with the tool's own message.
struct UsageError {
  std::string message;
};

// The parser, with the arguments that name no option kept in order and told apart by
// how they were seen: "--bogus" before "--" is an unknown option, after it an item.
class ToolCommandLine : public CLI::App {
 public:
  ToolCommandLine() : CLI::App("", "pelunits") {
    set_help_flag();  // --help is one of the tool's own options, with its own texts
    allow_extras();
  }

  const missing_t& unmatched() const { return missing_; }
};

// The long name of a row, for messages: "--unit" of "-u,--unit".
std::string longName(const OptionEntry& row) {
  const std::string_view names(row.names);
  return std::string(names.substr(names.rfind(',') + 1));
}

// Hands the parser every row. Callbacks run as their option is met, so that the first
// bad value on the line is the one reported.
void addOptions(ToolCommandLine& parser, Options& options) {
  for (const OptionEntry& row : kOptions) {
    CLI::Option* option =
        parser.add_option(row.names, [&options, &row](const CLI::results_t& results) {
          std::string error;
          // A flag's result is "true" unless a value was written after '='.
          if (!row.takesValue && results.front() != "true") {
            throw UsageError{"option " + longName(row) + " takes no value"};
          }
          if (!row.apply(options, row.takesValue ? results.front() : "", error)) {
            throw UsageError{error};
          }
          return true;
        });
    option->expected(row.takesValue ? 1 : 0)->trigger_on_parse();
  }
}

const OptionEntry* valueOptionNamed(std::string_view name) {
  for (const OptionEntry& row : kOptions) {
    if (row.takesValue && longName(row) == name) return &row;
  }
  return nullptr;
}

// The arguments as the parser takes them, last first. "--unit=" gives --unit the
// empty value, where the parser would take the next argument instead.
std::vector<std::string> parserArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = argc - 1; i >= 1; --i) {
    const std::string_view argument(argv[i]);
    if (argument.size() > 3 && argument.rfind("--", 0) == 0 && argument.back() == '=' &&
        valueOptionNamed(argument.substr(0, argument.size() - 1)) != nullptr) {
      arguments.emplace_back();
      arguments.emplace_back(argument.substr(0, argument.size() - 1));
    } else {
      arguments.emplace_back(argument);
    }
  }
  return arguments;
}

bool commandFor(std::string_view word, Command& command) {
  if (word == "display") {
    command = Command::Display;
  } else if (word == "parse") {
    command = Command::Parse;
  } else if (word == "check") {
    command = Command::Check;
  } else if (word == "units") {
    command = Command::Units;
  } else if (word == "convert") {
    command = Command::Convert;
  } else {
    return false;
  }
  return true;
}

// Options are "-x" and "--name" with a letter after the dashes. Everything else
// is an item: "-5", "-.5", "-5' 6\"" and "-1 lb 8 oz" are texts to convert, and
// so is "-inf", which reads as a number.
bool looksLikeOption(std::string_view argument) {
  if (argument.size() < 2 || argument[0] != '-') return false;
  const std::size_t first = argument[1] == '-' ? 2 : 1;
  if (first >= argument.size()) return false;
  const char c = argument[first];
  if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
  double ignored = 0.0;
  return !readDouble(argument, ignored);
}

// The command and the items, from the arguments that name no option; false with a
// message for an unknown option or command.
bool readWords(const ToolCommandLine& parser, Options& options, std::string& error) {
  using Kind = CLI::detail::Classifier;
  bool optionsEnded = false;
  for (const auto& [kind, argument] : parser.unmatched()) {
    if (kind == Kind::POSITIONAL_MARK && !optionsEnded) {
      optionsEnded = true;
      continue;
    }
    if ((kind == Kind::LONG || kind == Kind::SHORT) && looksLikeOption(argument)) {
      const std::string_view name = kind == Kind::LONG
                                        ? std::string_view(argument).substr(0, argument.find('='))
                                        : std::string_view(argument);
      error = "unknown option: '" + quotedForMessage(name) + "'";
      return false;
    }
    if (options.command == Command::None) {
      if (!commandFor(argument, options.command)) {
        error = "unknown command: '" + quotedForMessage(argument) + "' (see 'pelunits --help')";
        return false;
      }
      continue;
    }
    options.items.push_back(argument);
  }
  return true;
}

}  // namespace

bool parseCommandLine(int argc, char** argv, Options& options, std::string& error) {
  ToolCommandLine parser;
  addOptions(parser, options);
  try {
    parser.parse(parserArguments(argc, argv));
  } catch (const UsageError& usage) {
    error = usage.message;
    return false;
  } catch (const CLI::ArgumentMismatch&) {
    // The last argument is an option whose value is missing.
    error = "option " + std::string(argv[argc - 1]) + " needs a value";
    return false;
  } catch (const CLI::ParseError& other) {
    error = other.what();
    return false;
  }
  if (!readWords(parser, options, error)) return false;
  if (options.help || options.version) return true;
  if (options.command == Command::None) {
    error = "no command given (see 'pelunits --help')";
    return false;
  }
  if (options.command == Command::Convert && (options.fromUnit.empty() || options.toUnit.empty())) {
    error = "convert needs --from UNIT and --to UNIT";
    return false;
  }
  if (options.command == Command::Units && !options.items.empty()) {
    error = "units takes no arguments";
    return false;
  }
  if (options.haveNumberFormat && !isValidRegionalFormat(options.numberFormat)) {
    error =
        "invalid number format: separators of 1 to 3 characters (the group one may be "
        "empty) without digits, signs or parentheses, the group one not starting like the "
        "decimal one, --grouping 0 to 9, --negative-form 0 to 4";
    return false;
  }
  if (options.haveNumberFormat) options.regional = true;
  if (options.haveUnitName && (options.haveSystemUnits || options.haveRepresentation)) {
    error = "give either --unit or --units/--representation, not both";
    return false;
  }
  if (options.arch && options.withUnits) {
    error = "--arch and --with-units cannot be combined";
    return false;
  }
  if (options.haveFormatOptions && (options.arch || options.trimLeadingZero)) {
    error = std::string(options.arch ? "--arch" : "--trim-leading-zero") +
            " cannot be combined with the format options (see 'pelunits display --help')";
    return false;
  }
  if (options.haveRepresentation && !options.haveSystemUnits) {
    error = "--representation needs --units";
    return false;
  }
  return true;
}

bool readDouble(std::string_view text, double& value) {
  text = trimmed(text);
  if (!text.empty() && text[0] == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) return false;
  }
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  const fast_float::from_chars_result result = fast_float::from_chars(first, last, value);
  if (result.ptr != last) return false;
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: the value strtod gives (+-inf or +-0).
    // The tool never sets a locale, so strtod reads '.' here.
    const std::string copy(text);
    value = std::strtod(copy.c_str(), nullptr);
    return true;
  }
  return result.ec == std::errc();
}

bool readInt(std::string_view text, int& value) {
  text = trimmed(text);
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  long long wide = 0;
  const char* last = text.data() + text.size();
  const std::from_chars_result result = std::from_chars(text.data(), last, wide);
  if (result.ec != std::errc() || result.ptr != last) return false;
  if (wide < INT_MIN || wide > INT_MAX) return false;
  value = static_cast<int>(wide);
  return true;
}

std::string shortestText(double value) {
  char buffer[64];
#if defined(PELUNITS_HAVE_FLOAT_TO_CHARS)
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof(buffer), value);
  return std::string(buffer, result.ptr);
#else
  // The fewest significant digits that read back as the same value (the tool never
  // sets a locale, so printf writes '.').
  for (int digits = 1;; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    if (digits == 17 || std::strtod(buffer, nullptr) == value) return buffer;
  }
#endif
}

}  // namespace tool
}  // namespace pelunits
