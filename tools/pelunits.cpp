// pelunits: the unit library on the command line, for people and scripts.
#include <climits>
#include <cstdio>
#include <string>
#include <string_view>

#include "CommandLine.h"
#include "HelpText.h"
#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "PelUnitsRead.h"
#include "PelUnitsVersion.h"
#include "Utf8.h"

#ifdef _WIN32
#include <io.h>
#define PELUNITS_ISATTY _isatty
#define PELUNITS_FILENO _fileno
#else
#include <unistd.h>
#define PELUNITS_ISATTY isatty
#define PELUNITS_FILENO fileno
#endif

namespace pelunits {
namespace tool {
namespace {

constexpr int kExitItemFailed = 1;
constexpr int kExitUsage = 2;
constexpr std::size_t kOutputChunk = 1 << 16;

void printError(const std::string& message) {
  std::fprintf(stderr, "pelunits: %s\n", message.c_str());
}

// Owns a unit object of the library and returns it through removeUnit.
class UnitHolder {
 public:
  explicit UnitHolder(KovUnitTransform* unit) : unit_(unit) {}
  ~UnitHolder() { KovUnitsTransformArray::removeUnit(unit_); }
  UnitHolder(const UnitHolder&) = delete;
  UnitHolder& operator=(const UnitHolder&) = delete;
  KovUnitTransform* get() const { return unit_; }

 private:
  KovUnitTransform* unit_;
};

// Asks the factory for the unit that the options name and configures it: first the
// presets of a named unit, then every setting given explicitly (only the regional
// flag unless `settings`).
KovUnitTransform* makeUnit(const Options& options, const std::string& name, bool settings,
                           int& systemUnits, std::string& error) {
  const NamedUnit* named = nullptr;
  int representation = 0;
  if (options.haveSystemUnits && settings) {
    systemUnits = options.systemUnits;
    representation = options.haveRepresentation ? options.representation : 0;
  } else {
    named = findNamedUnit(name);
    systemUnits = named->systemUnits;
    representation = named->representation;
  }
  auto chosen = static_cast<KovUnitTransform::eSystemRepresentation>(representation);
  KovUnitTransform* unit = KovUnitsTransformArray::getNewUnit(
      static_cast<KovUnitTransform::eSystemUnits>(systemUnits), chosen);
  if (unit == nullptr) {
    error = "no unit for --units " + std::to_string(systemUnits) + " --representation " +
            std::to_string(representation);
    return nullptr;
  }
  if (named != nullptr) {
    if (named->factor != 0.0) unit->setFactor(named->factor);
    if (named->precision != kKeepPrecision) unit->setPrecision(named->precision);
    std::wstring symbol;
    if (utf8ToWide(named->symbol, symbol) && !symbol.empty()) {
      unit->setSymbol(KovString(symbol.c_str()));
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

// Converts items one at a time into result lines gathered in one output buffer.
class Converter {
 public:
  // `from`: the unit that convert reads the texts in.
  Converter(const Options& options, const KovUnitTransform& unit, int systemUnits,
            const KovUnitTransform* from = nullptr)
      : options_(options), unit_(unit), from_(from), parse_(parseOperationFor(systemUnits, unit)) {
    output_.reserve(kOutputChunk * 2);
  }

  // Appends the result line of one item; false (with an empty result line and
  // `message` set) when the item cannot be converted.
  bool convert(std::string_view item, bool emptyIsBlank, std::string& message) {
    bool ok = false;
    // An empty cell of a column stays empty where the exact reader would call it
    // incomplete.
    const bool readsExactly = options_.command == Command::Convert ||
                              (options_.command == Command::Parse && !options_.asTyped);
    if (readsExactly && emptyIsBlank &&
        item.find_first_not_of(" \t\r\v\f") == std::string_view::npos) {
      output_.push_back('\n');
      return true;
    }
    switch (options_.command) {
      case Command::Display:
        ok = display(item, emptyIsBlank, message);
        break;
      case Command::Parse:
      case Command::Check:
        ok = readText(item, message);
        break;
      case Command::Convert:
        ok = convertText(item, message);
        break;
      case Command::Units:
      case Command::None:
        break;
    }
    output_.push_back('\n');
    if (output_.size() >= kOutputChunk) flush();
    return ok;
  }

  bool sawInvalid() const { return sawInvalid_; }

  void flush() {
    if (!output_.empty()) std::fwrite(output_.data(), 1, output_.size(), stdout);
    output_.clear();
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

  // The exact reading of a typed text; false with `message` naming the item, the
  // position and the reason when the text is not complete.
  bool readExactly(const KovUnitTransform& unit, std::string_view item, double& value,
                   std::string& message) {
    if (!utf8ToWide(item, wide_)) {
      message = "not valid UTF-8: '" + quotedForMessage(item) + "'";
      return false;
    }
    const ReadResult result = readExactUtf8(unit, item.data(), item.size());
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
    if (options_.withUnits) {
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
      const ReadResult result = readExactUtf8(unit_, item.data(), item.size());
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
  std::string output_;
  std::wstring wide_;
  bool sawInvalid_ = false;
};

// One item per line; a final line without a newline counts, a trailing "\r" is
// dropped so that files from spreadsheets convert as they are.
bool convertStandardInput(Converter& converter) {
  const bool interactive = PELUNITS_ISATTY(PELUNITS_FILENO(stdin)) != 0;
  bool allConverted = true;
  unsigned long long lineNumber = 0;
  std::string pending;
  std::string message;
  char buffer[1 << 16];

  const auto convertLine = [&](std::string_view line) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!converter.convert(line, true, message)) {
      allConverted = false;
      converter.flush();
      std::fflush(stdout);
      printError("line " + std::to_string(lineNumber) + ": " + message);
    }
    if (interactive) {
      converter.flush();
      std::fflush(stdout);
    }
  };

  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof(buffer), stdin);
    if (got == 0) break;
    std::string_view chunk(buffer, got);
    std::size_t newline = chunk.find('\n');
    if (newline != std::string_view::npos && !pending.empty()) {
      pending.append(chunk.substr(0, newline));
      convertLine(pending);
      pending.clear();
      chunk.remove_prefix(newline + 1);
      newline = chunk.find('\n');
    }
    while (newline != std::string_view::npos && pending.empty()) {
      convertLine(chunk.substr(0, newline));
      chunk.remove_prefix(newline + 1);
      newline = chunk.find('\n');
    }
    pending.append(chunk);
  }
  if (!pending.empty()) convertLine(pending);
  if (std::ferror(stdin)) {
    printError("cannot read standard input");
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
      converter.flush();
      std::fflush(stdout);
      printError(message);
    }
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

void appendPadded(std::string& line, const std::string& cell, std::size_t width) {
  line += cell;
  std::size_t n = codePoints(cell);
  if (n >= width) line.push_back(' ');  // an overlong cell still keeps the columns apart
  for (; n < width; ++n) line.push_back(' ');
}

void listUnits() {
  std::size_t count = 0;
  const NamedUnit* units = namedUnits(count);
  std::string out = "name                        --units  --representation  presets\n";
  for (std::size_t i = 0; i < count; ++i) {
    const NamedUnit& unit = units[i];
    std::string presets;
    if (unit.factor != 0.0) presets += "factor " + shortestText(unit.factor);
    if (unit.precision != kKeepPrecision) {
      presets += (presets.empty() ? "" : ", ") + std::string("precision ") +
                 std::to_string(unit.precision);
    }
    if (unit.symbol[0] != '\0') {
      presets += (presets.empty() ? "" : ", ") + std::string("symbol ") + unit.symbol;
    }
    if (presets.empty()) presets = "-";
    std::string line;
    appendPadded(line, unit.name, 28);
    std::string units_ = std::to_string(unit.systemUnits);
    appendPadded(line, std::string(7 - units_.size(), ' ') + units_, 9);
    std::string representation = std::to_string(unit.representation);
    appendPadded(line, std::string(16 - representation.size(), ' ') + representation, 18);
    appendPadded(line, presets, 40);
    line += unit.shows;
    out += line + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
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
    listUnits();
    return 0;
  }

  int systemUnits = 0;
  const bool converting = options.command == Command::Convert;
  UnitHolder unit(converting ? makeUnit(options, options.toUnit, true, systemUnits, error)
                             : makeUnit(options, systemUnits, error));
  if (unit.get() == nullptr) {
    printError(error);
    return kExitUsage;
  }
  int fromSystemUnits = 0;
  UnitHolder from(converting ? makeUnit(options, options.fromUnit, false, fromSystemUnits, error)
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
  Converter converter(options, *unit.get(), systemUnits, from.get());
  const bool allConverted = options.items.empty() ? convertStandardInput(converter)
                                                  : convertArguments(converter, options.items);
  converter.flush();
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    printError("cannot write the output");
    return kExitItemFailed;
  }
  return allConverted && !converter.sawInvalid() ? 0 : kExitItemFailed;
}

}  // namespace
}  // namespace tool
}  // namespace pelunits

int main(int argc, char** argv) { return pelunits::tool::run(argc, argv); }
