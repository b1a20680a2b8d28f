#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "PelUnitsFormat.h"
#include "PelUnitsLocale.h"

// The command line of the pelunits tool: the command, the unit and its settings,
// the display flags and the items to convert.
namespace pelunits {
namespace tool {

enum class Command { None, Display, Parse, Check, Units, Convert };

// How results are written: plain result lines, or one record per item with the
// input, the result and the status (tab-separated values, or JSON Lines).
enum class Format { Text, Tsv, Json };

// The format the number-format options start from: '.', no grouping.
inline pelunits::RegionalFormat neutralNumberFormat() {
  pelunits::RegionalFormat format;
  format.groupSeparator.clear();
  return format;
}

struct Options {
  Command command = Command::None;
  bool help = false;
  bool version = false;
  Format format = Format::Text;

  // The unit: a readable name, or a code pair as the factory takes it.
  std::string unitName;
  bool haveUnitName = false;
  int systemUnits = 0;
  bool haveSystemUnits = false;
  int representation = 0;
  bool haveRepresentation = false;

  // convert: the unit the texts are typed in and the unit they are shown in (the
  // unit settings and display flags below apply to the second).
  std::string fromUnit;
  std::string toUnit;

  // parse: the unit's own reader rather than the exact one; check: the exact
  // reader's verdict (complete, incomplete, invalid) rather than the validator's.
  bool asTyped = false;
  bool strict = false;

  // Unit settings; unset ones keep the value of the name or of the factory.
  double factor = 0.0;
  bool haveFactor = false;
  int precision = 0;
  bool havePrecision = false;
  int power = 0;
  bool havePower = false;
  std::wstring symbol;
  bool haveSymbol = false;
  bool regional = false;
  std::string locale;  // --locale: the regional locale; empty: the environment's
  bool haveLocale = false;
  // --decimal-separator, --group-separator, --grouping, --negative-form and
  // --no-leading-zero: a number format of the tool's own, which implies --regional.
  pelunits::RegionalFormat numberFormat = neutralNumberFormat();
  bool haveNumberFormat = false;

  // Display flags.
  bool trimTrailingZeros = false;
  bool trimLeadingZero = false;
  bool hideZeroFeet = false;
  bool hideZeroInches = false;
  wchar_t separator = L' ';
  bool withUnits = false;

  // The fraction markup display.
  bool arch = false;
  int archRepresentation = 0;
  int lineArrangement = 0;
  double fractionParameter = 1.0;
  bool inchMark = false;
  bool stacked = false;
  bool dashAfterFeet = false;

  // The format options: any of them shows values through pelunits::format, which
  // takes the display flags above as its own (trailing zeros, zero feet and inches,
  // the separator, --with-units as the symbol). The increment is read once the unit
  // is made. The angle style and convention also tell the exact reader how typed
  // angles are meant (parse, check --strict, the texts of convert), so that what
  // display shows reads back.
  pelunits::FormatOptions formatOptions;
  std::wstring increment;
  bool haveIncrement = false;
  bool haveFormatOptions = false;

  std::vector<std::string> items;  // VALUE or TEXT arguments; none: read standard input
};

// Reads argv into `options`. Returns false with a one-line lowercase message in
// `error` (without the "pelunits: " prefix) for a usage error.
bool parseCommandLine(int argc, char** argv, Options& options, std::string& error);

// A whole text as a double: optional blanks around, an optional sign, a decimal
// number with optional exponent, "inf" or "nan". Out-of-range numbers give +-inf or
// +-0 as strtod does. False for anything else.
bool readDouble(std::string_view text, double& value);

// A whole text as a decimal int, optional sign; false outside the int range.
bool readInt(std::string_view text, int& value);

// The shortest decimal text that reads back to the same double ("0.1", "1e+300",
// "-0", "inf", "nan").
std::string shortestText(double value);

}  // namespace tool
}  // namespace pelunits
