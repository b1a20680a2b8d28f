#include "HelpText.h"

#include "PelUnitsCodes.h"

namespace pelunits {
namespace tool {

namespace {

const char kMainHelp[] = R"(usage: pelunits <command> [options] [ITEM...]

Shows the values of a structural model the way its users see them, and reads
what they type. Values are in the model's internal units: millimetres (and
their powers for areas and volumes), degrees, grams, kilonewtons,
kilonewton-metres and newtons per square millimetre.

commands:
  display   internal values to display text          pelunits display --help
  parse     typed text to the internal value         pelunits parse --help
  check     'valid' or 'invalid' for typed text      pelunits check --help
  convert   typed text in one unit, shown in another pelunits convert --help
  units     list the unit names and their code pairs

With no ITEM, a command reads one item per line from standard input and writes
one result per line, so a whole column converts in one pipe. A byte order mark
before the first line is skipped; a line longer than 1 MiB (1048576 bytes) is
reported as an error, gets an empty result line, and the rest still converts.

examples:
  pelunits display --unit feet-inch-fraction --separator - 1689.1    5'-6 1/2"
  pelunits display --unit metres --with-units 1234                   1.234 m
  pelunits parse --unit degrees-minutes-seconds "10°30'15\""
  pelunits check --unit feet-inch-fraction "5' 6 1/2\"" "6-1/2\""
  cut -d, -f3 beams.csv | pelunits display --unit metres > lengths.txt

options:
  -h, --help       show this help (or a command's help after the command)
  --version        show the version
  --format FORMAT  text (default): one result per line; tsv: a header, then per
                   item its input, result, status and message, tab-separated;
                   json: one JSON object per item and line (JSON Lines) with
                   "input", "result", "status" and, on error, "message". The
                   status is ok, invalid (check) or error; item errors then go
                   into the records, not to standard error

exit status: 0 success; 1 some item could not be converted, check found an
invalid text, or the output could not be written; 2 usage error (unknown
command, option or unit, bad option value).
)";

// A factory code from PelUnitsCodes.h as the text of its number.
#define CODE(name) CODE_TEXT(PELUNITS_CODE_##name)
#define CODE_TEXT(code) CODE_DIGITS(code)
#define CODE_DIGITS(code) #code

// The help text stays aligned as it prints.
// clang-format off
#define PELUNITS_UNIT_OPTIONS                                                                  \
  "unit (default: millimetres):\n"                                                             \
  "  -u, --unit NAME        a unit from 'pelunits units'; it presets the code pair and\n"      \
  "                         the unit's factor, precision and symbol\n"                         \
  "  --units N              the quantity code, as the factory takes it ("                      \
  CODE(LENGTH) " lengths,\n"                                                                   \
  "                         " CODE(AREA) "/" CODE(IMPERIAL_AREA) " areas, "                    \
  CODE(VOLUME) "/" CODE(IMPERIAL_VOLUME) " volumes, " CODE(WEIGHT) " grams, "                  \
  CODE(IMPERIAL_WEIGHT) "\n"                                                                   \
  "                         pounds and ounces, " CODE(ANGLE) " angles, "                       \
  CODE(FORCE) " forces, " CODE(MOMENT) " moments,\n"                                           \
  "                         " CODE(STRESS) " stresses; see 'pelunits units')\n"                \
  "  --representation N     the wanted representation code (default 0: the quantity's\n"       \
  "                         default unit)\n"                                                   \
  "  --factor X             internal units per display unit (1000: metres), or the full\n"     \
  "                         circle for degrees, gon and radians (360, 400, 6.2831853...)\n"    \
  "  --precision N          as the unit takes it: 100 for two decimals, 16 for\n"              \
  "                         sixteenths, 3600 for whole seconds\n"                              \
  "  --power N              1 length, 2 area, 3 volume, 4 fourth power\n"                      \
  "  --symbol TEXT          the symbol that --with-units appends\n"                            \
  "  --regional             use the user's regional number format\n"                           \
  "  --locale NAME          the regional locale (de_DE.UTF-8; de-DE on Windows) instead\n"     \
  "                         of the one the environment names\n"                                \
  "  --decimal-separator TEXT\n"                                                               \
  "                         a number format of your own instead of the locale's (each\n"       \
  "                         of these five implies --regional): the decimal separator\n"        \
  "                         (default '.')\n"                                                   \
  "  --group-separator TEXT\n"                                                                 \
  "                         the group separator (default none)\n"                              \
  "  --grouping N           digits per group (default 3)\n"                                    \
  "  --negative-form N      0 (1.1), 1 -1.1 (default), 2 - 1.1, 3 1.1-, 4 1.1 -\n"             \
  "  --no-leading-zero      .5 rather than 0.5\n"                                              \
  "  --format FORMAT        text, tsv or json (see 'pelunits --help')\n"
// clang-format on

// Display writes angles so, and the exact reader reads them so.
#define PELUNITS_ANGLE_OPTIONS                                                  \
  "  --angle-style plain|bearing|azimuth\n"                                     \
  "                         angle units: angles as they are (default), as\n"    \
  "                         bearings (N 45°30'0\" E) or as azimuths (from\n"   \
  "                         north, clockwise); display writes them so, and\n"   \
  "                         parse, check --strict and convert read them so\n"   \
  "  --angle-zero east|north|west|south\n"                                      \
  "                         where the internal angle 0 points (default east)\n" \
  "  --angle-sense counterclockwise|clockwise\n"                                \
  "                         how internal angles grow (default\n"                \
  "                         counterclockwise)\n"

const char kDisplayHelp[] =
    "usage: pelunits display [options] [VALUE...]\n"
    "\n"
    "Shows each internal VALUE (a plain number: 1689.1, -2.5e3, inf)\n"
    "as the unit's display text, one line per value.\n"
    "With no VALUE, reads one value per line from standard input.\n"
    "\n" PELUNITS_UNIT_OPTIONS
    "\n"
    "display:\n"
    "  --trim-trailing-zeros  12.50 becomes 12.5\n"
    "  --trim-leading-zero    0.5 becomes .5 (plain decimal displays)\n"
    "  --hide-zero-feet       6\" rather than 0'-6\"\n"
    "  --hide-zero-inches     5' rather than 5'-0\"\n"
    "  --separator C          between feet and inches and before a\n"
    "                         fraction: ' ' a blank (default), any\n"
    "                         other character a dash\n"
    "  --with-units           append the unit's symbol: 12.50 m\n"
    "  --arch                 write fractions as #fraction(...) markup:\n"
    "    --arch-representation N   first markup field (default 0)\n"
    "    --line-arrangement N      second markup field (default 0)\n"
    "    --fraction-parameter X    fourth markup field (default 1)\n"
    "    --stacked                 third markup field 1\n"
    "    --inch-mark               end with an inch mark\n"
    "    --dash-after-feet         a dash after the feet\n"
    "\n"
    "format (any of these shows values through the library's formatting, with\n"
    "the display flags above; --arch and --trim-leading-zero do not combine):\n"
    "  --increment TEXT       round to this step, a positive quantity of the\n"
    "                         unit: 5 mm, 1/2\", 15' in an angle, 0.5 oz; a plain\n"
    "                         number is in the display unit\n"
    "  --rounding nearest|up|down\n"
    "                         to the nearest step (default; ties away from\n"
    "                         zero), or up or down the number line: up gives\n"
    "                         -2 for -2.4\n"
    "  --significant N        1 to 17 significant digits in the decimal\n"
    "                         displays: 3 gives 12300, 1.23, 0.00123\n"
    "  --plus-sign            +3.250 for positive values, ±0.000 for zero\n"
    "  --typographic          the marks ′ and ″, the minus sign − and vulgar\n"
    "                         fractions: 5′ 6½″, 10°30′15″\n"
    "  --inexact-marker       ~ in front when the shown value is rounded\n" PELUNITS_ANGLE_OPTIONS
    "\n"
    "examples:\n"
    "  $ pelunits display --unit feet-inch-fraction --separator - 1689.1\n"
    "  5'-6 1/2\"\n"
    "  $ pelunits display --unit degrees-minutes-seconds 10.504166666666666\n"
    "  10°30'15\"\n"
    "  $ pelunits display --unit kilograms --precision 10 2500\n"
    "  2.5\n"
    "  $ pelunits display --unit feet-inch-fraction --typographic 1689.1\n"
    "  5′ 6½″\n"
    "  $ pelunits display --unit degrees-minutes-seconds --angle-style bearing 44.5\n"
    "  N 45°30'0\" E\n"
    "  $ pelunits display --unit metres --plus-sign 3250 0\n"
    "  +3.250\n"
    "  ±0.000\n"
    "  $ printf '1500\\n-0.0004\\n' | pelunits display --unit metres\n"
    "  1.500\n"
    "  0.000\n"
    "\n"
    "A VALUE that is not a number gets an empty output line and a message\n"
    "on standard error; the others still convert, and the exit status is 1.\n"
    "An empty input line gives an empty output line.\n";

const char kParseHelp[] =
    "usage: pelunits parse [options] [TEXT...]\n"
    "\n"
    "Reads each typed TEXT exactly and prints the internal value in the\n"
    "shortest form that reads back to the same double. Lengths, areas and\n"
    "volumes give millimetres (to the power), angles degrees, weights grams,\n"
    "forces kilonewtons, moments kilonewton-metres, stresses N/mm².\n"
    "A bare number is in the unit's display unit; a unit typed with it\n"
    "converts (1.5 m, 5' 6 1/2\", 2 lb 3 oz, 10°30'15\"); + and - between\n"
    "quantities, * and / by plain numbers. A text that is incomplete or\n"
    "invalid gets an empty output line and a message on standard error\n"
    "with the position and the reason, and the exit status is 1.\n"
    "With no TEXT, reads one text per line from standard input.\n"
    "\n" PELUNITS_UNIT_OPTIONS
    "  --as-typed             read as the unit's own reader does: never\n"
    "                         refuses, a text without a number gives 0\n" PELUNITS_ANGLE_OPTIONS
    "\n"
    "examples:\n"
    "  $ pelunits parse --unit feet-inch-fraction \"5' 7 1/4\\\"\"\n"
    "  1708.15\n"
    "  $ pelunits parse --unit feet-inch-fraction \"5′ 6½″\" \"1.5 m\"\n"
    "  1689.1\n"
    "  1500\n"
    "  $ pelunits parse --unit degrees \"10°30'\"\n"
    "  10.5\n"
    "  $ pelunits parse --unit pounds-ounces \"2 lb 3 oz\"\n"
    "\n"
    "Texts are UTF-8; a text that is not valid UTF-8 gets an empty output\n"
    "line and a message on standard error, and the exit status is 1.\n";

const char kCheckHelp[] =
    "usage: pelunits check [options] [TEXT...]\n"
    "\n"
    "Prints 'valid' or 'invalid' for each typed TEXT, as the unit judges\n"
    "input. With no TEXT, reads one text per line from standard input.\n"
    "\n" PELUNITS_UNIT_OPTIONS
    "  --strict               the exact reader's verdict: 'complete',\n"
    "                         'incomplete' (the start of a complete text,\n"
    "                         such as 5' 6 1/) or 'invalid'\n" PELUNITS_ANGLE_OPTIONS
    "\n"
    "examples:\n"
    "  $ pelunits check --unit feet-inch-fraction \"5' 6 1/2\\\"\" \"6-1/2\\\"\"\n"
    "  valid\n"
    "  invalid\n"
    "  $ pelunits check --unit metres 12.5 && echo all valid\n"
    "\n"
    "exit status: 0 all texts valid (complete); 1 some text invalid or not\n"
    "UTF-8; 2 usage error.\n";

const char kConvertHelp[] =
    "usage: pelunits convert --from UNIT --to UNIT [options] [TEXT...]\n"
    "\n"
    "Reads each typed TEXT exactly in the --from unit (as 'pelunits parse'\n"
    "does) and shows the value in the --to unit. The unit settings and the\n"
    "display options apply to the --to unit; --regional applies to both.\n"
    "Units of different quantities are refused (exit status 2).\n"
    "With no TEXT, reads one text per line from standard input.\n"
    "\n"
    "  --from NAME            the unit the texts are typed in\n"
    "  --to NAME              the unit they are shown in\n"
    "  --precision, --factor, --symbol, --regional, the display flags and\n"
    "  the format options of 'pelunits display --help'; the angle style\n"
    "  and convention apply to both units\n"
    "\n"
    "examples:\n"
    "  $ pelunits convert --from metres --to feet-inch-fraction --precision 16 1.6891\n"
    "  5' 6 1/2\"\n"
    "  $ pelunits convert --from pounds-ounces --to kilograms \"2 lb 3 oz\"\n"
    "  0.99\n"
    "\n"
    "exit status: 0 success; 1 some text incomplete or invalid; 2 usage\n"
    "error or quantities that do not match.\n";

const char kUnitsHelp[] =
    "usage: pelunits units [--format FORMAT]\n"
    "\n"
    "Lists the unit names that --unit takes, with the code pair that the\n"
    "factory is asked for, an example value in the internal unit and how\n"
    "the unit shows it, and the settings that the name presets.\n"
    "\n"
    "  --format FORMAT   text (default): an aligned table; tsv or json: one\n"
    "                    record per unit, with its description as well\n";

}  // namespace

const char* helpText(Command command) {
  switch (command) {
    case Command::Display:
      return kDisplayHelp;
    case Command::Parse:
      return kParseHelp;
    case Command::Check:
      return kCheckHelp;
    case Command::Units:
      return kUnitsHelp;
    case Command::Convert:
      return kConvertHelp;
    case Command::None:
      break;
  }
  return kMainHelp;
}

}  // namespace tool
}  // namespace pelunits
