// pelunits: the unit library on the command line, for people and scripts.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "CommandLine.h"
#include "HelpText.h"
#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "PelUnitsFormat.h"
#include "PelUnitsLocale.h"
#include "PelUnitsRead.h"
#include "PelUnitsVersion.h"
#include "StandardInput.h"
#include "Utf8.h"

namespace pelunits {
namespace tool {
namespace {

constexpr int kExitItemFailed = 1;
constexpr int kExitUsage = 2;
constexpr std::size_t kOutputChunk = 1 << 16;
// Longer input lines are reported as errors without being held whole.
constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
// How much of an over-long line a record or a message shows.
constexpr std::size_t kOverlongShown = 64;

void printError(const std::string& message) {
  std::fprintf(stderr, "pelunits: %s\n", message.c_str());
}

void printNote(const std::string& message) {
  std::fprintf(stderr, "pelunits: note: %s\n", message.c_str());
}

// The factory answers every code pair, falling back to a related unit for codes it
// has no class for; a code pair given on the command line that it replaces earns a note.
void noteFactoryFallback(int systemUnits, int representation, int written) {
  if (!factoryKnowsQuantity(systemUnits)) {
    printNote("the factory knows no quantity " + std::to_string(systemUnits) +
              "; it gives a decimal unit (representation " + std::to_string(written) + ")");
  } else if (!factoryKnowsRepresentation(systemUnits, representation)) {
    std::string message = "quantity " + std::to_string(systemUnits) + " has no representation " +
                          std::to_string(representation) + "; the factory gives ";
    message += written != representation ? "representation " + std::to_string(written)
                                         : std::string("the quantity's default unit");
    printNote(message + " instead (see 'pelunits units')");
  }
}

// A locale that is named but not installed leaves regional texts neutral; the tool
// says so once rather than showing neutral texts silently.
void warnIfRegionalLocaleMissing(const Options& options) {
  if (regionalLocaleAvailable()) return;
  std::string name = options.locale;
  if (!options.haveLocale) {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
      const char* value = std::getenv(variable);
      if (value != nullptr && value[0] != '\0') {
        name = value;
        break;
      }
    }
  }
  std::fprintf(stderr,
               "pelunits: warning: the locale '%s' is not installed; --regional shows the "
               "neutral number format\n",
               quotedForMessage(name).c_str());
}

// Asks the factory for the unit that the options name and configures it: first the
// presets of a named unit, then every setting given explicitly (only the regional
// flag unless `settings`).
KovUnitTransform* makeUnit(const Options& options, const std::string& name, bool settings,
                           int& systemUnits, std::string& error) {
  KovUnitTransform* unit = nullptr;
  if (options.haveSystemUnits && settings) {
    systemUnits = options.systemUnits;
    const int representation = options.haveRepresentation ? options.representation : 0;
    auto chosen = static_cast<KovUnitTransform::eSystemRepresentation>(representation);
    unit = KovUnitsTransformArray::getNewUnit(
        static_cast<KovUnitTransform::eSystemUnits>(systemUnits), chosen);
    if (unit == nullptr) {
      error = "no unit for --units " + std::to_string(systemUnits) + " --representation " +
              std::to_string(representation);
      return nullptr;
    }
    if (options.haveRepresentation) {
      noteFactoryFallback(systemUnits, representation, static_cast<int>(chosen));
    }
  } else {
    const NamedUnit* named = findNamedUnit(name);
    systemUnits = named->systemUnits;
    unit = newNamedUnit(*named);
    if (unit == nullptr) {
      error = "no memory for the unit";
      return nullptr;
    }
  }
  if (options.regional) unit->setUseRegionalSettings(1);
  if (!settings) return unit;
  if (options.haveFactor) unit->setFactor(options.factor);
  if (options.havePrecision) unit->setPrecision(options.precision);
  if (options.havePower) unit->setPower(options.power);
  if (options.haveSymbol) unit->setSymbol(KovString(options.symbol.c_str()));
  return unit;
}

KovUnitTransform* makeUnit(const Options& options, int& systemUnits, std::string& error) {
  return makeUnit(options, options.haveUnitName ? options.unitName : "millimetres", true,
                  systemUnits, error);
}

// A text as a JSON string: valid UTF-8 as it is, with quotes, backslashes and control
// characters escaped; a text that is not valid UTF-8 has each byte above 0x7F
// replaced by U+FFFD, so that every record is valid JSON.
void appendJsonString(std::string_view text, std::string& out) {
  std::wstring ignored;
  const bool valid = utf8ToWide(text, ignored);
  out.push_back('"');
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", byte);
      out += escape;
    } else if (byte >= 0x80 && !valid) {
      out += "\xEF\xBF\xBD";
    } else {
      out.push_back(c);
    }
  }
  out.push_back('"');
}

// A text as one TSV field: backslash, tab, carriage return and newline escaped as
// \\, \t, \r and \n.
void appendTsvField(std::string_view text, std::string& out) {
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out.push_back(c);
    }
  }
}

// The format options with the tool's display flags; the increment points into
// `options`.
FormatOptions formatOptionsOf(const Options& options) {
  FormatOptions format = options.formatOptions;
  if (options.haveIncrement) format.increment = options.increment.c_str();
  format.trimTrailingZeros = options.trimTrailingZeros;
  format.hideZeroFeet = options.hideZeroFeet;
  format.hideZeroInches = options.hideZeroInches;
  format.separator = options.separator;
  format.withSymbol = options.withUnits;
  return format;
}

// True when --increment, if given, reads as a step of `unit`: a positive quantity.
bool isStepOf(const Options& options, const KovUnitTransform& unit) {
  if (!options.haveIncrement) return true;
  const ReadResult step = readExact(unit, options.increment.data(), options.increment.size());
  return step.status == ReadStatus::complete && step.value > 0.0 && std::isfinite(step.value);
}

// Converts items one at a time into result lines gathered in one output buffer.
class Converter {
 public:
  // `from`: the unit that convert reads the texts in.
  Converter(const Options& options, const KovUnitTransform& unit, int systemUnits,
            const KovUnitTransform* from = nullptr)
      : options_(options),
        unit_(unit),
        from_(from),
        parse_(parseOperationFor(systemUnits, unit)),
        formatOptions_(formatOptionsOf(options)) {
    output_.reserve(kOutputChunk * 2);
  }

  // Appends the result line (or record) of one item; false (with an empty result
  // and `message` set) when the item cannot be converted.
  bool convert(std::string_view item, bool emptyIsBlank, std::string& message) {
    const std::size_t start = output_.size();
    bool ok = false;
    // An empty cell of a column stays empty where the exact reader would call it
    // incomplete.
    const bool readsExactly = options_.command == Command::Convert ||
                              (options_.command == Command::Parse && !options_.asTyped);
    const bool emptyCell =
        emptyIsBlank && item.find_first_not_of(" \t\r\v\f") == std::string_view::npos;
    switch (options_.command) {
      case Command::Display:
        ok = display(item, emptyIsBlank, message);
        break;
      case Command::Parse:
      case Command::Check:
        ok = readsExactly && emptyCell ? true : readText(item, message);
        break;
      case Command::Convert:
        ok = emptyCell ? true : convertText(item, message);
        break;
      case Command::Units:
      case Command::None:
        break;
    }
    if (options_.format != Format::Text) {
      result_.assign(output_, start, std::string::npos);
      output_.resize(start);
      const bool invalid =
          options_.command == Command::Check && (result_ == "invalid" || result_ == "incomplete");
      appendRecord(item, result_, ok ? (invalid ? "invalid" : "ok") : "error",
                   ok ? std::string_view() : std::string_view(message));
    }
    endLine();
    return ok;
  }

  // An input that is not converted at all (a line over the length limit): an empty
  // result line, or a record of status "error" that shows `shown` as its input.
  void reject(std::string_view shown, std::string_view message) {
    if (options_.format != Format::Text) appendRecord(shown, "", "error", message);
    endLine();
  }

  // The header line of the TSV format.
  void begin() {
    if (options_.format == Format::Tsv) output_ += "input\tresult\tstatus\tmessage\n";
  }

  bool sawInvalid() const { return sawInvalid_; }
  bool writesRecords() const { return options_.format != Format::Text; }
  bool writeFailed() const { return writeError_ != 0; }
  int writeError() const { return writeError_; }

  // Writes what is buffered and flushes it to the system, so that a write error is
  // seen at once; false from the first error on, after which nothing more is written.
  bool flush() {
    if (writeError_ != 0) return false;
    errno = 0;
    if (!output_.empty() &&
        std::fwrite(output_.data(), 1, output_.size(), stdout) != output_.size()) {
      writeError_ = errno != 0 ? errno : EIO;
    } else if (std::fflush(stdout) != 0) {
      writeError_ = errno != 0 ? errno : EIO;
    }
    output_.clear();
    return writeError_ == 0;
  }

 private:
  void endLine() {
    output_.push_back('\n');
    if (output_.size() >= kOutputChunk) flush();
  }

  void appendRecord(std::string_view input, std::string_view result, std::string_view status,
                    std::string_view message) {
    if (options_.format == Format::Tsv) {
      appendTsvField(input, output_);
      output_.push_back('\t');
      appendTsvField(result, output_);
      output_.push_back('\t');
      output_ += status;
      output_.push_back('\t');
      appendTsvField(message, output_);
      return;
    }
    output_ += "{\"input\":";
    appendJsonString(input, output_);
    output_ += ",\"result\":";
    if (status == "error") {
      output_ += "null";
    } else {
      appendJsonString(result, output_);
    }
    output_ += ",\"status\":\"";
    output_ += status;
    output_ += "\"";
    if (!message.empty()) {
      output_ += ",\"message\":";
      appendJsonString(message, output_);
    }
    output_ += "}";
  }

 private:
  bool display(std::string_view item, bool emptyIsBlank, std::string& message) {
    double value = 0.0;
    if (!readDouble(item, value)) {
      if (emptyIsBlank && item.find_first_not_of(" \t\r\v\f") == std::string_view::npos) {
        return true;  // an empty cell stays empty
      }
      message = "not a number: '" + quotedForMessage(item) + "'";
      return false;
    }
    displayValue(value);
    return true;
  }

  // The exact reading of a typed text, angles as the angle style and convention of the
  // display write them.
  ReadResult readAngled(const KovUnitTransform& unit, std::string_view item) const {
    return readExactUtf8(unit, item.data(), item.size(), options_.formatOptions.angleStyle,
                         options_.formatOptions.angleConvention);
  }

  // The exact reading of a typed text; false with `message` naming the item, the
  // position and the reason when the text is not complete.
  bool readExactly(const KovUnitTransform& unit, std::string_view item, double& value,
                   std::string& message) {
    if (!utf8ToWide(item, wide_)) {
      message = "not valid UTF-8: '" + quotedForMessage(item) + "'";
      return false;
    }
    const ReadResult result = readAngled(unit, item);
    if (result.status == ReadStatus::complete) {
      value = result.value;
      return true;
    }
    message = "'" + quotedForMessage(item) +
              "': " + (result.status == ReadStatus::incomplete ? "incomplete" : "invalid") +
              " at byte " + std::to_string(result.position) + ": " + result.message;
    return false;
  }

  bool convertText(std::string_view item, std::string& message) {
    double value = 0.0;
    if (!readExactly(*from_, item, value, message)) return false;
    displayValue(value);
    return true;
  }

  void displayValue(double value) {
    const int trim = options_.trimTrailingZeros ? 1 : 0;
    KovString text;
    if (options_.haveFormatOptions) {
      text = format(unit_, value, formatOptions_);
    } else if (options_.withUnits) {
      text = unit_.getDisplayStringWithUnits(value, trim);
    } else if (options_.arch) {
      text = unit_.getDisplayStringArch(
          value, trim,
          static_cast<KovUnitTransform::eFractionRepresentation>(options_.archRepresentation),
          static_cast<KovUnitTransform::eFractionLineArrangement>(options_.lineArrangement),
          options_.fractionParameter, options_.inchMark, options_.stacked, options_.dashAfterFeet,
          false, options_.trimLeadingZero ? 1 : 0, options_.hideZeroFeet ? 1 : 0,
          options_.hideZeroInches ? 1 : 0, options_.separator);
    } else {
      text = unit_.getDisplayString(value, trim, options_.trimLeadingZero ? 1 : 0,
                                    options_.hideZeroFeet ? 1 : 0, options_.hideZeroInches ? 1 : 0,
                                    options_.separator);
    }
    appendUtf8(text.getStringW(), static_cast<std::size_t>(text.length()), output_);
  }

  bool readText(std::string_view item, std::string& message) {
    if (options_.command == Command::Check && options_.strict) {
      const ReadResult result = readAngled(unit_, item);
      if (result.status != ReadStatus::complete) sawInvalid_ = true;
      output_ += result.status == ReadStatus::complete     ? "complete"
                 : result.status == ReadStatus::incomplete ? "incomplete"
                                                           : "invalid";
      return true;
    }
    if (options_.command == Command::Parse && !options_.asTyped) {
      double value = 0.0;
      if (!readExactly(unit_, item, value, message)) return false;
      output_ += shortestText(value);
      return true;
    }
    if (!utf8ToWide(item, wide_)) {
      message = "not valid UTF-8: '" + quotedForMessage(item) + "'";
      return false;
    }
    if (wide_.size() > static_cast<std::size_t>(INT_MAX / 2)) {
      message = "text too long: '" + quotedForMessage(item) + "'";
      return false;
    }
    const KovString text(wide_.data(), static_cast<int>(wide_.size()));
    if (options_.command == Command::Check) {
      const bool valid = unit_.isValidString(text) != 0;
      if (!valid) sawInvalid_ = true;
      output_ += valid ? "valid" : "invalid";
    } else {
      output_ += shortestText(parseWith(parse_, unit_, text));
    }
    return true;
  }

  const Options& options_;
  const KovUnitTransform& unit_;
  const KovUnitTransform* from_;
  const ParseOperation parse_;
  const FormatOptions formatOptions_;
  std::string output_;
  std::wstring wide_;
  std::string result_;
  bool sawInvalid_ = false;
  int writeError_ = 0;
};

// The start of an over-long line as a record or a message shows it: at most
// kOverlongShown bytes, cut before a UTF-8 continuation byte, then "...".
std::string overlongStart(std::string_view text) {
  std::size_t length = std::min(text.size(), kOverlongShown);
  while (length > 0 && length < text.size() &&
         (static_cast<unsigned char>(text[length]) & 0xC0u) == 0x80u) {
    --length;
  }
  return std::string(text.substr(0, length)) + "...";
}

// One item per line; a final line without a newline counts, a trailing "\r" is
// dropped so that files from spreadsheets convert as they are, and a UTF-8 byte
// order mark before the first line is skipped. A line longer than kMaxLineBytes is
// reported and skipped as it streams past, never held whole. A write error ends the
// run at once.
bool convertStandardInput(Converter& converter) {
  const bool records = converter.writesRecords();
  bool allConverted = true;
  unsigned long long lineNumber = 0;
  std::string pending;    // the start of a line that continues in the next chunk
  bool overlong = false;  // the current line is over the limit; `pending` holds its start
  std::string message;
  int readError = 0;
  char buffer[1 << 16];

  const auto report = [&](const std::string& text) {
    allConverted = false;
    if (records) return;  // the record carries the message
    converter.flush();
    printError("line " + std::to_string(lineNumber) + ": " + text);
  };
  const auto convertLine = [&](std::string_view line) {
    ++lineNumber;
    if (lineNumber == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!converter.convert(line, true, message)) report(message);
  };
  const auto rejectLine = [&]() {
    ++lineNumber;
    const std::string text =
        "longer than " + std::to_string(kMaxLineBytes) + " bytes, not converted";
    converter.reject(overlongStart(pending), text);
    report(text + ": '" + quotedForMessage(overlongStart(pending)) + "'");
  };

  for (;;) {
    // read() rather than fread(): it returns what has arrived, so that results are
    // written before the tool waits for more input (a terminal, or a program that
    // sends one line and waits for its answer).
    const long long got = readStandardInput(buffer, sizeof(buffer));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      readError = errno;
      break;
    }
    if (got == 0) break;
    std::string_view chunk(buffer, static_cast<std::size_t>(got));
    while (!chunk.empty() && !converter.writeFailed()) {
      const std::size_t newline = chunk.find('\n');
      const std::string_view piece = chunk.substr(0, newline);
      if (newline != std::string_view::npos && pending.empty() && !overlong &&
          piece.size() <= kMaxLineBytes) {
        convertLine(piece);  // a whole line within the chunk: no copy
      } else {
        if (!overlong && pending.size() + piece.size() > kMaxLineBytes) {
          overlong = true;
          pending.append(piece.substr(0, kOverlongShown + 4));
          pending.resize(std::min(pending.size(), kOverlongShown + 4));  // enough to show
        } else if (!overlong) {
          pending.append(piece);
        }
        if (newline == std::string_view::npos) break;
        if (overlong) {
          rejectLine();
        } else {
          convertLine(pending);
        }
        pending.clear();
        overlong = false;
      }
      chunk.remove_prefix(newline + 1);
    }
    if (!converter.flush()) return false;
  }
  if (overlong) {
    rejectLine();
  } else if (!pending.empty()) {
    convertLine(pending);
  }
  if (readError != 0) {
    printError(std::string("cannot read standard input: ") + std::strerror(readError));
    allConverted = false;
  }
  return allConverted;
}

bool convertArguments(Converter& converter, const std::vector<std::string>& items) {
  bool allConverted = true;
  std::string message;
  for (const std::string& item : items) {
    if (!converter.convert(item, false, message)) {
      allConverted = false;
      if (!converter.writesRecords()) {
        converter.flush();
        printError(message);
      }
    }
    if (converter.writeFailed()) return false;
  }
  return allConverted;
}

std::size_t codePoints(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) ++count;
  }
  return count;
}

// Pads a cell to `width` code points; an overlong cell still keeps the columns apart.
void appendPadded(std::string& line, const std::string& cell, std::size_t width) {
  line += cell;
  std::size_t n = codePoints(cell);
  if (n >= width) line.push_back(' ');
  for (; n < width; ++n) line.push_back(' ');
}

// The internal unit of the quantity a named unit shows, for its example.
std::string internalUnit(const NamedUnit& named, const KovUnitTransform& unit) {
  switch (parseOperationFor(named.systemUnits, unit)) {
    case ParseOperation::Degrees:
      return "°";
    case ParseOperation::Grams:
      return " g";
    case ParseOperation::KiloNewton:
      return " kN";
    case ParseOperation::KiloNewtonMeter:
      return " kNm";
    case ParseOperation::NewtonPerSquareMm:
      return " N/mm²";
    case ParseOperation::Millimeters:
      break;
  }
  static const char* const kPowers[] = {" mm", " mm²", " mm³", " mm⁴"};
  const int power = unit.getPower();
  return power >= 1 && power <= 4 ? kPowers[power - 1] : " mm^" + std::to_string(power);
}

struct UnitRow {
  std::string cells[7];  // name, units, representation, example, shows, presets, description
};

UnitRow unitRow(const NamedUnit& named) {
  UnitRow row;
  row.cells[0] = named.name;
  row.cells[1] = std::to_string(named.systemUnits);
  row.cells[2] = std::to_string(named.representation);
  const UnitPtr unit(newNamedUnit(named));
  if (unit.get() != nullptr) {
    row.cells[3] = shortestText(named.example) + internalUnit(named, *unit.get());
    const KovString text = unit.get()->getDisplayString(named.example, 0, 0, 0, 0, L' ');
    appendUtf8(text.getStringW(), static_cast<std::size_t>(text.length()), row.cells[4]);
  }
  std::string& presets = row.cells[5];
  if (named.factor != 0.0) presets += "factor " + shortestText(named.factor);
  if (named.precision != kKeepPrecision) {
    presets +=
        (presets.empty() ? "" : ", ") + std::string("precision ") + std::to_string(named.precision);
  }
  if (named.symbol[0] != '\0') {
    presets += (presets.empty() ? "" : ", ") + std::string("symbol ") + named.symbol;
  }
  row.cells[6] = named.shows;
  return row;
}

// The named units: an aligned table with an example display per unit, or one
// record per unit in the TSV and JSON formats.
std::string listUnits(Format format) {
  static const char* const kHeadings[] = {"name",  "--units", "--representation", "example",
                                          "shows", "presets", "description"};
  static const char* const kKeys[] = {"name",  "units",   "representation", "example",
                                      "shows", "presets", "description"};
  std::size_t count = 0;
  const NamedUnit* units = namedUnits(count);
  std::vector<UnitRow> rows;
  for (std::size_t i = 0; i < count; ++i) rows.push_back(unitRow(units[i]));

  std::string out;
  if (format == Format::Json) {
    for (const UnitRow& row : rows) {
      out += "{";
      for (std::size_t c = 0; c < 7; ++c) {
        out += c == 0 ? "\"" : ",\"";
        out += kKeys[c];
        out += "\":";
        if (c == 1 || c == 2) {
          out += row.cells[c];
        } else {
          appendJsonString(row.cells[c], out);
        }
      }
      out += "}\n";
    }
    return out;
  }
  if (format == Format::Tsv) {
    for (std::size_t c = 0; c < 7; ++c) out += std::string(c == 0 ? "" : "\t") + kKeys[c];
    out += "\n";
    for (const UnitRow& row : rows) {
      for (std::size_t c = 0; c < 7; ++c) {
        if (c != 0) out.push_back('\t');
        appendTsvField(row.cells[c], out);
      }
      out += "\n";
    }
    return out;
  }
  // The text table leaves out the description, which the example shows.
  constexpr std::size_t kColumns = 6;
  std::size_t widths[kColumns] = {};
  for (std::size_t c = 0; c < kColumns; ++c) widths[c] = codePoints(kHeadings[c]);
  for (const UnitRow& row : rows) {
    for (std::size_t c = 0; c < kColumns; ++c) {
      widths[c] = std::max(widths[c], codePoints(row.cells[c]));
    }
  }
  const auto appendLine = [&](const std::string* cells) {
    std::string line;
    for (std::size_t c = 0; c < kColumns; ++c) {
      if (c + 1 == kColumns) {
        line += cells[c];
      } else if (c == 1 || c == 2) {  // codes align right under their headings
        line += std::string(widths[c] - codePoints(cells[c]), ' ') + cells[c] + "  ";
      } else {
        appendPadded(line, cells[c], widths[c] + 2);
      }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  };
  std::string headings[kColumns];
  for (std::size_t c = 0; c < kColumns; ++c) headings[c] = kHeadings[c];
  appendLine(headings);
  for (const UnitRow& row : rows) appendLine(row.cells);
  return out;
}

int run(int argc, char** argv) {
  Options options;
  std::string error;
  if (!parseCommandLine(argc, argv, options, error)) {
    printError(error);
    return kExitUsage;
  }
  if (options.help) {
    std::fputs(helpText(options.command), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("pelunits %s\n", PELUNITS_VERSION_STRING);
    return 0;
  }
  if (options.command == Command::Units) {
    const std::string table = listUnits(options.format);
    if (std::fwrite(table.data(), 1, table.size(), stdout) != table.size() ||
        std::fflush(stdout) != 0) {
      printError(std::string("cannot write the output: ") + std::strerror(errno));
      return kExitItemFailed;
    }
    return 0;
  }

  int systemUnits = 0;
  const bool converting = options.command == Command::Convert;
  const UnitPtr unit(converting ? makeUnit(options, options.toUnit, true, systemUnits, error)
                                : makeUnit(options, systemUnits, error));
  if (unit.get() == nullptr) {
    printError(error);
    return kExitUsage;
  }
  int fromSystemUnits = 0;
  const UnitPtr from(converting ? makeUnit(options, options.fromUnit, false, fromSystemUnits, error)
                                : nullptr);
  if (converting) {
    if (from.get() == nullptr) {
      printError(error);
      return kExitUsage;
    }
    if (quantityOf(*from.get()) != quantityOf(*unit.get()) ||
        from.get()->getPower() != unit.get()->getPower()) {
      printError("cannot convert " + options.fromUnit + " to " + options.toUnit +
                 ": they measure different quantities");
      return kExitUsage;
    }
  }
  if (options.haveLocale) setRegionalLocale(options.locale.c_str());
  if (options.haveNumberFormat) setRegionalFormat(options.numberFormat);
  if (options.regional) warnIfRegionalLocaleMissing(options);
  if (!isStepOf(options, *unit.get())) {
    std::string text;
    appendUtf8(options.increment.data(), options.increment.size(), text);
    printError("--increment takes a positive quantity of the unit (5 mm, 1/2\"), not '" +
               quotedForMessage(text) + "'");
    return kExitUsage;
  }
  Converter converter(options, *unit.get(), systemUnits, from.get());
  converter.begin();
  const bool allConverted = options.items.empty() ? convertStandardInput(converter)
                                                  : convertArguments(converter, options.items);
  if (!converter.flush() || std::ferror(stdout)) {
    const int code = converter.writeError() != 0 ? converter.writeError() : EIO;
    printError(std::string("cannot write the output: ") + std::strerror(code));
    return kExitItemFailed;
  }
  return allConverted && !converter.sawInvalid() ? 0 : kExitItemFailed;
}

}  // namespace
}  // namespace tool
}  // namespace pelunits

int main(int argc, char** argv) { return pelunits::tool::run(argc, argv); }
