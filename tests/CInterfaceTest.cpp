#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "KovUnitsTransformArray.h"
#include "LocaleEnvironment.h"
#include "PelUnitsCatalogue.h"
#include "PelUnitsFormat.h"
#include "PelUnitsRead.h"
#include "PelUnitsVersion.h"
#include "Utf8.h"
#include "pelunits.h"

namespace {

struct UnitDeleter {
  void operator()(pelunits_unit* unit) const { pelunits_unit_free(unit); }
};
using Unit = std::unique_ptr<pelunits_unit, UnitDeleter>;

Unit named(const char* name) { return Unit(pelunits_unit_from_name(name)); }

// A display measured first, then written into a buffer of exactly its size, which it
// ends with a NUL: through `call`, the UTF-8 or the UTF-16 form.
template <class Char, class CodeUnit, class Call>
std::basic_string<Char> measured(Call call, const pelunits_unit* unit, double value, unsigned flags,
                                 std::uint32_t separator) {
  std::size_t length = 0;
  EXPECT_EQ(call(unit, value, flags, separator, nullptr, 0, &length), PELUNITS_BUFFER_TOO_SMALL);
  std::vector<CodeUnit> text(length + 1, 0x7f);
  EXPECT_EQ(call(unit, value, flags, separator, text.data(), text.size(), &length), PELUNITS_OK);
  EXPECT_EQ(text[length], 0);
  return std::basic_string<Char>(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

std::string display(const pelunits_unit* unit, double value, unsigned flags = 0,
                    std::uint32_t separator = ' ') {
  return measured<char, char>(pelunits_display, unit, value, flags, separator);
}

std::u16string display16(const pelunits_unit* unit, double value, unsigned flags = 0,
                         std::uint32_t separator = ' ') {
  return measured<char16_t, std::uint16_t>(pelunits_display_utf16, unit, value, flags, separator);
}

// An independent UTF-16 encoder for the oracle: UTF-8 through the wide form.
std::u16string utf16Of(const std::string& utf8) {
  std::wstring wide;
  EXPECT_TRUE(pelunits::utf8ToWide(utf8, wide));
  std::u16string out;
  for (wchar_t c : wide) {
    auto cp = static_cast<char32_t>(c);
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::vector<std::uint16_t> units16(const std::u16string& text) {
  std::vector<std::uint16_t> out(text.begin(), text.end());
  out.push_back(0);
  return out;
}

TEST(CInterface, VersionIsThePackageVersion) {
  EXPECT_STREQ(pelunits_version(), PELUNITS_VERSION_STRING);
}

// Texts beyond ASCII in both encodings, the with-units display and a separator
// beyond the 16-bit plane; every other flag is held against C++ below.
TEST(CInterface, DisplaysInBothEncodings) {
  struct Case {
    const char* unit;
    double value;
    unsigned flags;
    std::uint32_t separator;
    const char* shows;
  };
  const Case cases[] = {
      {"feet-inch-fraction", 1689.1, 0, '-', "5'-6 1/2\""},
      {"metres", 1500, PELUNITS_TRIM_TRAILING_ZEROS | PELUNITS_WITH_UNITS, ' ', "1.5 m"},
      {"square-metres", 1000000, PELUNITS_WITH_UNITS, ' ', "1.00 m\xc2\xb2"},
      {"degrees-minutes-seconds", 10.504166666666666, 0, ' ',
       "10\xc2\xb0"
       "30'15\""},
      {"radians", NAN, 0, ' ', "nan"},
      // Any code point is a separator; the imperial units tell a blank from the rest.
      {"feet-inch-fraction", 1689.1, 0, 0x1F600, "5'-6 1/2\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.unit) + " " + std::to_string(c.value));
    const Unit unit = named(c.unit);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(display(unit.get(), c.value, c.flags, c.separator), c.shows);
    EXPECT_EQ(display16(unit.get(), c.value, c.flags, c.separator), utf16Of(c.shows));
  }
}

TEST(CInterface, MarkupDisplayPassesItsArguments) {
  const Unit unit = named("feet-inch-fraction");
  pelunits_unit_set_precision(unit.get(), 2);
  char text[64];
  std::size_t length = 0;
  ASSERT_EQ(pelunits_display_arch(unit.get(), 1612.9,
                                  PELUNITS_ARCH_INCH_MARK | PELUNITS_ARCH_DASH_AFTER_FEET, 0, 0,
                                  1.0, '-', text, sizeof text, &length),
            PELUNITS_OK);
  EXPECT_STREQ(text, "5'-3#fraction(0,0,0,1.000000,1,2)\"");
  EXPECT_EQ(length, std::strlen(text));
  // The with-units display has no markup form.
  EXPECT_EQ(pelunits_display_arch(unit.get(), 1.0, PELUNITS_WITH_UNITS, 0, 0, 1.0, ' ', text,
                                  sizeof text, &length),
            PELUNITS_BAD_ARGUMENT);
}

// Every size from 0 up: too small leaves the buffer untouched and tells the length.
TEST(CInterface, BufferTooSmallTellsTheLengthAndWritesNothing) {
  const Unit unit = named("degrees-minutes-seconds");
  const std::string full = display(unit.get(), 10.504166666666666);
  const std::u16string full16 = display16(unit.get(), 10.504166666666666);
  for (std::size_t size = 0; size <= full.size() + 1; ++size) {
    SCOPED_TRACE(size);
    std::string buffer(full.size() + 2, '#');
    std::size_t length = 99;
    const pelunits_status status =
        pelunits_display(unit.get(), 10.504166666666666, 0, ' ', &buffer[0], size, &length);
    EXPECT_EQ(length, full.size());
    if (size <= full.size()) {
      EXPECT_EQ(status, PELUNITS_BUFFER_TOO_SMALL);
      EXPECT_EQ(buffer, std::string(full.size() + 2, '#'));
    } else {
      EXPECT_EQ(status, PELUNITS_OK);
      EXPECT_EQ(buffer.substr(0, length), full);
    }
  }
  std::uint16_t small[4] = {1, 1, 1, 1};
  std::size_t length = 0;
  EXPECT_EQ(pelunits_display_utf16(unit.get(), 10.504166666666666, 0, ' ', small, 4, &length),
            PELUNITS_BUFFER_TOO_SMALL);
  EXPECT_EQ(length, full16.size());
  EXPECT_EQ(small[0], 1);
}

// Texts are narrowed in blocks of four ASCII characters, then one by one: a character
// outside ASCII (one beyond the 16-bit plane included) at any place of texts of any
// length, in a roomy buffer (one pass) and in one of the exact size (measured first),
// comes back as the plain encoding writes it; a symbol set in either encoding comes back
// in both.
TEST(CInterface, TextsComeBackWhereverTheirWideCharactersStand) {
  const char* const wideCharacters[] = {"\xc2\xb2", "\xe2\x80\xaf", "\xf0\x9d\x91\x9a"};
  const Unit unit = named("kilonewtons");
  for (const char* wideCharacter : wideCharacters) {
    for (std::size_t length = 0; length <= 40; ++length) {
      for (std::size_t place = 0; place <= length; ++place) {  // `length`: ASCII only
        std::string symbol;
        for (std::size_t i = 0; i < length; ++i) {
          if (i == place) {
            symbol += wideCharacter;
          } else {
            symbol += static_cast<char>('a' + i % 26);
          }
        }
        SCOPED_TRACE(symbol);
        ASSERT_EQ(pelunits_unit_set_symbol(unit.get(), symbol.c_str()), PELUNITS_OK);
        const std::u16string utf16 = utf16Of(symbol);
        for (const std::size_t room : {std::size_t{100}, symbol.size() + 1}) {
          char text[100];
          std::size_t written = 0;
          ASSERT_EQ(pelunits_unit_get_symbol(unit.get(), text, room, &written), PELUNITS_OK);
          EXPECT_EQ(std::string(text, written), symbol);
          EXPECT_EQ(text[written], '\0');
        }
        for (const std::size_t room : {std::size_t{100}, utf16.size() + 1}) {
          std::uint16_t text[100];
          std::size_t written = 0;
          ASSERT_EQ(pelunits_unit_get_symbol_utf16(unit.get(), text, room, &written), PELUNITS_OK);
          EXPECT_EQ(std::u16string(text, text + written), utf16);
          EXPECT_EQ(text[written], 0);
        }
        // Set through UTF-16, the same symbol in UTF-8.
        ASSERT_EQ(pelunits_unit_set_symbol_utf16(unit.get(), units16(utf16).data()), PELUNITS_OK);
        char text[100];
        std::size_t written = 0;
        ASSERT_EQ(pelunits_unit_get_symbol(unit.get(), text, sizeof text, &written), PELUNITS_OK);
        EXPECT_STREQ(text, symbol.c_str());
      }
    }
  }
}

// Each name gives the same unit as the catalogue's C++ step, and displays alike with
// every flag combination and separator, and with units (flags 16 and 17 below).
TEST(CInterface, NamedUnitsMatchTheCatalogueInEveryDisplay) {
  ASSERT_GT(pelunits_named_unit_count(), 20u);
  EXPECT_EQ(pelunits_named_unit_name(pelunits_named_unit_count()), nullptr);
  EXPECT_EQ(pelunits_named_unit_description(pelunits_named_unit_count()), nullptr);
  const std::uint32_t separators[] = {' ', '-', 0xE9};
  for (std::size_t i = 0; i < pelunits_named_unit_count(); ++i) {
    const char* name = pelunits_named_unit_name(i);
    const Unit unit = named(name);
    ASSERT_NE(unit, nullptr) << name;
    const pelunits::NamedUnit* entry = pelunits::findNamedUnit(name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_STREQ(pelunits_named_unit_description(i), entry->shows);
    KovUnitTransform* reference = pelunits::newNamedUnit(*entry);
    EXPECT_EQ(pelunits_unit_get_precision(unit.get()), reference->getPrecision()) << name;
    EXPECT_EQ(pelunits_unit_get_factor(unit.get()), reference->getFactor()) << name;
    EXPECT_EQ(pelunits_unit_get_power(unit.get()), reference->getPower()) << name;
    EXPECT_EQ(pelunits_unit_system_units(unit.get()), entry->systemUnits) << name;
    for (unsigned flags = 0; flags < 18; ++flags) {
      for (std::uint32_t separator : separators) {
        for (double value : {-12.7, 0.0, 1689.1, 304.546, 1e9}) {
          SCOPED_TRACE(std::string(name) + " flags " + std::to_string(flags) + " value " +
                       std::to_string(value));
          const KovString text =
              flags >= 16 ? reference->getDisplayStringWithUnits(value, flags & 1)
                          : reference->getDisplayString(value, flags & 1, (flags >> 1) & 1,
                                                        (flags >> 2) & 1, (flags >> 3) & 1,
                                                        static_cast<wchar_t>(separator));
          std::string expected;
          pelunits::appendUtf8(text.getStringW(), static_cast<std::size_t>(text.length()),
                               expected);
          const unsigned cFlags = flags >= 16 ? PELUNITS_WITH_UNITS | (flags & 1) : flags;
          EXPECT_EQ(display(unit.get(), value, cFlags, separator), expected);
        }
      }
    }
    KovUnitsTransformArray::removeUnit(reference);
  }
  EXPECT_EQ(named("furlongs"), nullptr);
  EXPECT_EQ(named("Metres"), nullptr);
  EXPECT_EQ(named(""), nullptr);
}

// The factory's codes, fallbacks and the representation it chose.
TEST(CInterface, FactoryCodesAndFallbacks) {
  struct Case {
    std::int32_t units;
    std::int32_t representation;
    bool made;
    std::int32_t chosen;
    int quantity;
    int power;
  };
  const Case cases[] = {
      {20, 1, true, 1, PELUNITS_LENGTH, 1},
      {20, 999, true, 2, PELUNITS_LENGTH, 1},  // fallback to decimal inches, written back
      {3005, 3003, true, 3003, PELUNITS_LENGTH, 2},
      {2000, 2008, true, 2008, PELUNITS_ANGLE, 1},
      {1010, 0, true, 0, PELUNITS_WEIGHT, 1},
      {3101, 0, true, 0, PELUNITS_FORCE, 1},
      {3202, 0, true, 0, PELUNITS_MOMENT, 1},
      {3301, 0, true, 0, PELUNITS_STRESS, 1},
      {-7, 0, true, 3, PELUNITS_LENGTH, 1},
      // No class for these in C++ either: the C interface answers NULL.
      {5003, 9999, false, 0, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.units) + "/" + std::to_string(c.representation));
    const Unit unit(pelunits_unit_new(c.units, c.representation));
    EXPECT_EQ(unit != nullptr, c.made);
    if (!unit) continue;
    EXPECT_EQ(pelunits_unit_representation(unit.get()), c.chosen);
    EXPECT_EQ(pelunits_unit_quantity(unit.get()), c.quantity);
    EXPECT_EQ(pelunits_unit_get_power(unit.get()), c.power);
  }
}

TEST(CInterface, SettersAndClone) {
  const Unit unit(pelunits_unit_new(20, 5));
  EXPECT_EQ(pelunits_unit_set_precision(unit.get(), 1), PELUNITS_OK);
  EXPECT_EQ(pelunits_unit_get_no_decimals(unit.get()), 1);
  EXPECT_EQ(display(unit.get(), 12.7), "13");
  EXPECT_EQ(pelunits_unit_increment_precision(unit.get()), 1);
  EXPECT_EQ(pelunits_unit_get_no_decimals(unit.get()), 0);
  EXPECT_EQ(pelunits_unit_get_precision(unit.get()), 10);
  EXPECT_EQ(pelunits_unit_set_factor(unit.get(), 0.0), PELUNITS_OK);
  EXPECT_EQ(pelunits_unit_get_factor(unit.get()), 1.0);  // 0 is stored as 1, as in C++
  EXPECT_EQ(pelunits_unit_set_power(unit.get(), 2), PELUNITS_OK);
  EXPECT_EQ(pelunits_unit_set_regional(unit.get(), 1), PELUNITS_OK);
  EXPECT_EQ(pelunits_unit_get_regional(unit.get()), 1);
  const Unit copy(pelunits_unit_clone(unit.get()));
  ASSERT_NE(copy, nullptr);
  pelunits_unit_set_power(unit.get(), 1);
  EXPECT_EQ(pelunits_unit_get_power(copy.get()), 2);
  EXPECT_EQ(pelunits_unit_get_precision(copy.get()), 10);
  EXPECT_EQ(pelunits_unit_is_metric(copy.get()), 1);
  EXPECT_EQ(pelunits_unit_is_fractional(copy.get()), 0);
  EXPECT_EQ(pelunits_unit_is_angle(copy.get()), 0);
}

// The units' own readers and validators, reached through both encodings.
TEST(CInterface, ReadsAsTypedAndValidates) {
  struct Case {
    const char* unit;
    const char* text;
    double value;
    int valid;
  };
  const Case cases[] = {
      {"feet-inch-fraction", "5' 7 1/4\"", 67.25 * 25.4, 1},
      {"feet-inch-fraction", "6-1/2\"", 165.1, 0},
      {"degrees-minutes-seconds", "10d30'15\"", 10.504166666666666, 1},
      {"degrees", "100g", 90.0, 1},
      {"pounds-ounces", "2 lb 3 oz", 35 * 28.34952, 1},
      {"metres", "1 1/2", 1500.0, 0},
      {"kilonewtons", "2.5", 2.5, 1},
      {"newtons", "2500", 2.5, 1},
      {"metres", "m\xc2\xb2", 0.0, 0},
      // Malformed UTF-8 is not read: the neutral answers.
      {"metres", "1\xff", 0.0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.unit) + " " + c.text);
    const Unit unit = named(c.unit);
    EXPECT_DOUBLE_EQ(pelunits_read_as_typed(unit.get(), c.text), c.value);
    EXPECT_EQ(pelunits_is_valid(unit.get(), c.text), c.valid);
    std::wstring wide;
    if (!pelunits::utf8ToWide(c.text, wide)) continue;
    const std::vector<std::uint16_t> text16 = units16(utf16Of(c.text));
    EXPECT_DOUBLE_EQ(pelunits_read_as_typed_utf16(unit.get(), text16.data()), c.value);
    EXPECT_EQ(pelunits_is_valid_utf16(unit.get(), text16.data()), c.valid);
  }
}

// The length-taking forms read a NUL as a character, as the C++ readers do.
TEST(CInterface, LengthFormsKeepEmbeddedNul) {
  const Unit unit = named("metres");
  KovUnitTransform* reference = pelunits::newNamedUnit(*pelunits::findNamedUnit("metres"));
  const wchar_t wide[] = {L'1', 0, L'5'};
  const KovString text(wide, 3);
  const std::uint16_t text16[] = {'1', 0, '5'};
  const char text8[] = {'1', 0, '5'};
  EXPECT_EQ(pelunits_is_valid_ex(unit.get(), text8, 3), reference->isValidString(text));
  EXPECT_EQ(pelunits_is_valid_utf16_ex(unit.get(), text16, 3), reference->isValidString(text));
  EXPECT_EQ(pelunits_read_as_typed_ex(unit.get(), text8, 3), reference->getMillimeters(text));
  EXPECT_EQ(pelunits_read_as_typed_utf16_ex(unit.get(), text16, 3),
            reference->getMillimeters(text));
  EXPECT_EQ(pelunits_is_valid_ex(unit.get(), nullptr, 0), reference->isValidString(KovString()));
  KovUnitsTransformArray::removeUnit(reference);
}

// The exact reader through the C interface gives what the C++ one gives, with the
// stopping place in bytes and in UTF-16 code units.
TEST(CInterface, ExactReaderAgreesWithTheCxxReader) {
  const char* const texts[] = {"5' 7 1/4\"", "5' x\"",    "",
                               "5' 6 1/",    "\xc2\xb0x", "1 \xf0\x9f\x98\x80"};
  const Unit unit = named("feet-inch-fraction");
  KovUnitTransform* reference =
      pelunits::newNamedUnit(*pelunits::findNamedUnit("feet-inch-fraction"));
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const pelunits::ReadResult expected =
        pelunits::readExactUtf8(*reference, text, std::strlen(text));
    double value = -1;
    std::size_t offset = 99;
    const char* message = nullptr;
    const pelunits_status status =
        pelunits_read_ex(unit.get(), text, std::strlen(text), &value, &offset, &message);
    EXPECT_EQ(static_cast<int>(status), static_cast<int>(expected.status));
    EXPECT_EQ(value, status == PELUNITS_OK ? expected.value : 0.0);
    EXPECT_EQ(offset, status == PELUNITS_OK ? 0 : expected.position);
    EXPECT_STREQ(message, status == PELUNITS_OK ? "" : expected.message);
    EXPECT_EQ(pelunits_read(unit.get(), text, nullptr, nullptr), status);

    // UTF-16: the same answer, the offset as many code units as the bytes before it.
    const std::vector<std::uint16_t> text16 = units16(utf16Of(text));
    std::size_t offset16 = 99;
    EXPECT_EQ(pelunits_read_utf16(unit.get(), text16.data(), &value, &offset16), status);
    EXPECT_EQ(offset16, utf16Of(std::string(text, offset)).size());
  }
  KovUnitsTransformArray::removeUnit(reference);
}

// pelunits_format through the display helpers: measured, then written at its size.
std::string formatted(const pelunits_unit* unit, double value,
                      const pelunits_format_options* options) {
  const auto call = [options](const pelunits_unit* u, double v, unsigned, std::uint32_t,
                              char* buffer, std::size_t size, std::size_t* length) {
    return pelunits_format(u, v, options, buffer, size, length);
  };
  return measured<char, char>(call, unit, value, 0, ' ');
}

std::u16string formatted16(const pelunits_unit* unit, double value,
                           const pelunits_format_options* options) {
  const auto call = [options](const pelunits_unit* u, double v, unsigned, std::uint32_t,
                              std::uint16_t* buffer, std::size_t size, std::size_t* length) {
    return pelunits_format_utf16(u, v, options, buffer, size, length);
  };
  return measured<char16_t, std::uint16_t>(call, unit, value, 0, ' ');
}

// Each field of the record reaches its C++ option: every row differs from the defaults'
// text in the field it sets, and the C text is the C++ format()'s in both encodings.
TEST(CInterface, FormatPassesEachOptionToTheCxxFormat) {
  constexpr double kIn = 25.4;
  struct Case {
    const char* unit;
    double value;
    const char* increment;
    double incrementValue;
    std::int32_t rounding;
    std::int32_t significantDigits;
    unsigned flags;
    std::uint32_t separator;
  };
  const unsigned kFeet = PELUNITS_HIDE_ZERO_FEET;
  const Case cases[] = {
      {"feet-inch-fraction", 66.5 * kIn, nullptr, 0, 0, 0, kFeet, ' '},
      {"millimetres", -12.4, "5 mm", 0, PELUNITS_ROUND_UP, 0, kFeet, ' '},
      {"millimetres", -12.4, "5 mm", 0, PELUNITS_ROUND_DOWN, 0, kFeet, ' '},
      {"millimetres", 12.3, nullptr, 0.25, 0, 0, kFeet, ' '},
      {"millimetres", 12.3, "", 0.25, 0, 0, kFeet, ' '},  // "" is no step: the value's
      {"degrees-minutes-seconds", 10.2, "1\xc2\xb0", 0, PELUNITS_ROUND_UP, 0, kFeet, ' '},
      {"kilonewtons", 12345.0, nullptr, 0, 0, 3, kFeet | PELUNITS_TRIM_TRAILING_ZEROS, ' '},
      {"metres", -0.0001, nullptr, 0, 0, 0, kFeet | PELUNITS_FORMAT_PLUS_SIGN, ' '},
      {"feet-inch-fraction", -3.5 * kIn, nullptr, 0, 0, 0, kFeet | PELUNITS_FORMAT_TYPOGRAPHIC,
       ' '},
      {"millimetres", 12.3456, nullptr, 0, 0, 0, kFeet | PELUNITS_FORMAT_INEXACT_MARKER, ' '},
      {"feet-inch-fraction", 6.5 * kIn, nullptr, 0, 0, 0, 0, ' '},
      {"feet-inch-fraction", 11.99 * kIn, nullptr, 0, 0, 0, kFeet | PELUNITS_HIDE_ZERO_INCHES, ' '},
      {"feet-inch-fraction", 66.5 * kIn, nullptr, 0, 0, 0, kFeet, '-'},
      {"metres", 1500.0, nullptr, 0, 0, 0, kFeet | PELUNITS_WITH_UNITS, ' '},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.unit) + " " + std::to_string(c.value));
    const Unit unit = named(c.unit);
    ASSERT_NE(unit, nullptr);
    pelunits_format_options record;
    pelunits_format_options_init(&record);
    record.increment = c.increment;
    record.increment_value = c.incrementValue;
    record.rounding = c.rounding;
    record.significant_digits = c.significantDigits;
    record.flags = c.flags;
    record.separator = c.separator;

    pelunits::FormatOptions options;
    std::wstring increment;
    if (c.increment != nullptr) {
      ASSERT_TRUE(pelunits::utf8ToWide(c.increment, increment));
      options.increment = increment.c_str();
    }
    options.incrementValue = c.incrementValue;
    options.rounding = static_cast<pelunits::Rounding>(c.rounding);
    options.significantDigits = c.significantDigits;
    options.trimTrailingZeros = (c.flags & PELUNITS_TRIM_TRAILING_ZEROS) != 0;
    options.hideZeroFeet = (c.flags & PELUNITS_HIDE_ZERO_FEET) != 0;
    options.hideZeroInches = (c.flags & PELUNITS_HIDE_ZERO_INCHES) != 0;
    options.withSymbol = (c.flags & PELUNITS_WITH_UNITS) != 0;
    options.plusSign = (c.flags & PELUNITS_FORMAT_PLUS_SIGN) != 0;
    options.typographic = (c.flags & PELUNITS_FORMAT_TYPOGRAPHIC) != 0;
    options.inexactMarker = (c.flags & PELUNITS_FORMAT_INEXACT_MARKER) != 0;
    options.separator = static_cast<wchar_t>(c.separator);
    KovUnitTransform* reference = pelunits::newNamedUnit(*pelunits::findNamedUnit(c.unit));
    const KovString text = pelunits::format(*reference, c.value, options);
    KovUnitsTransformArray::removeUnit(reference);
    std::string expected;
    pelunits::appendUtf8(text.getStringW(), static_cast<std::size_t>(text.length()), expected);

    EXPECT_EQ(formatted(unit.get(), c.value, &record), expected);
    EXPECT_EQ(formatted16(unit.get(), c.value, &record), utf16Of(expected));
    pelunits_format_options defaults;
    pelunits_format_options_init(&defaults);
    if (&c != &cases[0]) {
      EXPECT_NE(formatted(unit.get(), c.value, &defaults), expected);
    }
    EXPECT_EQ(formatted(unit.get(), c.value, nullptr), formatted(unit.get(), c.value, &defaults));
  }
}

// The angle fields reach format(), a record of the first version (which ends before
// them) has the defaults, and pelunits_read_angle reads the texts back.
TEST(CInterface, FormatsAndReadsBearingsAndAzimuths) {
  const Unit unit = named("degrees-minutes-seconds");
  pelunits_format_options record;
  pelunits_format_options_init(&record);
  record.angle_style = PELUNITS_ANGLE_BEARING;
  EXPECT_EQ(formatted(unit.get(), 240.0, &record),
            "S 30\xc2\xb0"
            "0'0\" W");
  record.struct_size = offsetof(pelunits_format_options, angle_style);
  EXPECT_EQ(formatted(unit.get(), 240.0, &record),
            "240\xc2\xb0"
            "0'0\"");

  const std::string text = "30\xc2\xb0";
  double value = 0.0;
  std::size_t offset = 1;
  const char* message = nullptr;
  EXPECT_EQ(pelunits_read_angle(unit.get(), text.data(), text.size(), PELUNITS_ANGLE_AZIMUTH,
                                PELUNITS_ZERO_NORTH, PELUNITS_CLOCKWISE, &value, &offset, &message),
            PELUNITS_OK);
  EXPECT_EQ(value, 30.0);
  EXPECT_EQ(offset, 0u);
  const std::vector<std::uint16_t> text16 = units16(u"S 30\u00B0 X");
  EXPECT_EQ(pelunits_read_angle_utf16(unit.get(), text16.data(), text16.size(),
                                      PELUNITS_ANGLE_BEARING, PELUNITS_ZERO_EAST,
                                      PELUNITS_COUNTERCLOCKWISE, &value, &offset, &message),
            PELUNITS_INVALID);
  EXPECT_EQ(offset, 6u);  // code units
  EXPECT_EQ(pelunits_read_angle(unit.get(), "N 95 E", 6, PELUNITS_ANGLE_BEARING, PELUNITS_ZERO_EAST,
                                PELUNITS_COUNTERCLOCKWISE, &value, &offset, &message),
            PELUNITS_INVALID);
  EXPECT_EQ(offset, 2u);
  EXPECT_EQ(pelunits_read_angle(unit.get(), "30", 2, 3, PELUNITS_ZERO_EAST,
                                PELUNITS_COUNTERCLOCKWISE, &value, &offset, &message),
            PELUNITS_BAD_ARGUMENT);
}

// A program built against the first version has room for its record only: the
// unsized init fills that much, the sized one what `size` holds, no byte beyond.
TEST(CInterface, FormatOptionsInitWritesNoBytePastTheRecordItIsGiven) {
  constexpr std::size_t first = offsetof(pelunits_format_options, angle_style);
  constexpr std::size_t full = sizeof(pelunits_format_options);
  constexpr std::size_t unsized = ~std::size_t{0};  // the exported pelunits_format_options_init
  struct Case {
    std::size_t size;
    std::size_t written;  // also the struct_size written; 0: nothing
  };
  const Case cases[] = {
      {unsized, first},       {0, 0},       {first - 1, 0},    {first, first},
      {first + 4, first + 4}, {full, full}, {full + 16, full},
  };
  pelunits_format_options defaults;
  pelunits_format_options_init(&defaults);
  EXPECT_EQ(defaults.struct_size, full);
  EXPECT_EQ(defaults.flags, PELUNITS_HIDE_ZERO_FEET);
  EXPECT_EQ(defaults.separator, std::uint32_t{' '});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    alignas(pelunits_format_options) unsigned char bytes[full + 32];
    std::memset(bytes, 0xA5, sizeof bytes);
    auto* record = reinterpret_cast<pelunits_format_options*>(bytes);
    if (c.size == unsized) {
      (pelunits_format_options_init)(record);
    } else {
      pelunits_format_options_init_size(record, c.size);
    }
    std::size_t untouched = c.written;
    while (untouched < sizeof bytes && bytes[untouched] == 0xA5) ++untouched;
    EXPECT_EQ(untouched, sizeof bytes);
    if (c.written == 0) continue;
    EXPECT_EQ(record->struct_size, c.written);
    // The fields after struct_size are the defaults (the padding at the end is not compared).
    const std::size_t fields = std::min(
        c.written, offsetof(pelunits_format_options, angle_sense) + sizeof defaults.angle_sense);
    const auto* expected = reinterpret_cast<const unsigned char*>(&defaults);
    EXPECT_EQ(std::memcmp(bytes + sizeof(std::size_t), expected + sizeof(std::size_t),
                          fields - sizeof(std::size_t)),
              0);
  }
  pelunits_format_options_init_size(nullptr, full);
}

// A record this library does not know, or fields out of their range, write nothing.
TEST(CInterface, FormatRefusesBadRecordsAndShortBuffers) {
  const Unit unit = named("feet-inch-fraction");
  pelunits_format_options good;
  pelunits_format_options_init(&good);
  pelunits_format_options* none = nullptr;
  pelunits_format_options_init(none);  // the macro takes a null pointer of the record type
  (pelunits_format_options_init)(nullptr);
  const auto with = [&good](void (*change)(pelunits_format_options&)) {
    pelunits_format_options record = good;
    change(record);
    return record;
  };
  const pelunits_format_options bad[] = {
      with([](pelunits_format_options& r) { r.struct_size = 0; }),
      with([](pelunits_format_options& r) { r.struct_size += 8; }),
      with([](pelunits_format_options& r) { r.struct_size -= 4; }),
      with([](pelunits_format_options& r) { r.rounding = -1; }),
      with([](pelunits_format_options& r) { r.rounding = 3; }),
      with([](pelunits_format_options& r) { r.flags |= PELUNITS_TRIM_LEADING_ZERO; }),
      with([](pelunits_format_options& r) { r.flags |= PELUNITS_NUL_AFTER_EACH; }),
      with([](pelunits_format_options& r) { r.flags |= 0x2000u; }),
      with([](pelunits_format_options& r) { r.separator = 0xD800; }),
      with([](pelunits_format_options& r) { r.separator = 0x110000; }),
      with([](pelunits_format_options& r) { r.increment = "1/2\xc3"; }),
      with([](pelunits_format_options& r) { r.angle_style = 3; }),
      with([](pelunits_format_options& r) { r.angle_zero = -1; }),
      with([](pelunits_format_options& r) { r.angle_sense = 2; }),
  };
  char text[64];
  std::uint16_t text16[64];
  std::size_t length = 0;
  for (const pelunits_format_options& record : bad) {
    SCOPED_TRACE(&record - bad);
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(pelunits_format(unit.get(), 1689.1, &record, text, sizeof text, &length),
              PELUNITS_BAD_ARGUMENT);
    EXPECT_EQ(text[0], '#');
    EXPECT_EQ(pelunits_format_utf16(unit.get(), 1689.1, &record, text16, 64, &length),
              PELUNITS_BAD_ARGUMENT);
  }
  EXPECT_EQ(pelunits_format(nullptr, 1.0, &good, text, sizeof text, &length),
            PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_format(unit.get(), 1.0, &good, nullptr, 8, &length), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_format(unit.get(), 1.0, &good, text, sizeof text, nullptr),
            PELUNITS_BAD_ARGUMENT);

  // One unit short of the NUL: the length, and nothing written.
  const std::string full = formatted(unit.get(), 1689.1, &good);
  std::memset(text, '#', sizeof text);
  EXPECT_EQ(pelunits_format(unit.get(), 1689.1, &good, text, full.size(), &length),
            PELUNITS_BUFFER_TOO_SMALL);
  EXPECT_EQ(length, full.size());
  EXPECT_EQ(text[0], '#');
  text16[0] = 1;
  EXPECT_EQ(pelunits_format_utf16(unit.get(), 1689.1, &good, text16, full.size(), &length),
            PELUNITS_BUFFER_TOO_SMALL);
  EXPECT_EQ(length, full.size());
  EXPECT_EQ(text16[0], 1);
}

// Every bad argument is refused with a status or answered neutrally; nothing crashes.
TEST(CInterface, RefusesBadArguments) {
  const Unit unit = named("metres");
  char buffer[32];
  std::size_t length = 0;
  EXPECT_EQ(pelunits_display(nullptr, 1.0, 0, ' ', buffer, 32, &length), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_display(unit.get(), 1.0, 0, ' ', nullptr, 32, &length), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_display(unit.get(), 1.0, 0, ' ', buffer, 32, nullptr), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_display(unit.get(), 1.0, 0x10000u, ' ', buffer, 32, &length),
            PELUNITS_BAD_ARGUMENT);  // a flag this library does not know
  EXPECT_EQ(pelunits_display(unit.get(), 1.0, PELUNITS_ARCH_STACKED, ' ', buffer, 32, &length),
            PELUNITS_BAD_ARGUMENT);  // markup flags belong to the markup display
  for (std::uint32_t separator : {0xD800u, 0xDFFFu, 0x110000u, 0xFFFFFFFFu}) {
    EXPECT_EQ(pelunits_display(unit.get(), 1.0, 0, separator, buffer, 32, &length),
              PELUNITS_BAD_ARGUMENT)
        << separator;
  }
  EXPECT_EQ(pelunits_unit_set_precision(nullptr, 1), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_unit_set_factor(nullptr, 2.0), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_unit_set_power(nullptr, 2), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_unit_set_regional(nullptr, 1), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_unit_set_symbol(unit.get(), nullptr), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_unit_get_factor(nullptr), 0.0);
  for (int (*zeroForNull)(const pelunits_unit*) :
       {pelunits_unit_get_precision, pelunits_unit_get_power, pelunits_unit_get_regional,
        pelunits_unit_get_no_decimals, pelunits_unit_is_metric, pelunits_unit_is_fractional,
        pelunits_unit_is_angle}) {
    EXPECT_EQ(zeroForNull(nullptr), 0);
  }
  EXPECT_EQ(pelunits_unit_quantity(nullptr), -1);
  EXPECT_EQ(pelunits_unit_increment_precision(nullptr), 0);
  EXPECT_EQ(pelunits_unit_clone(nullptr), nullptr);
  EXPECT_EQ(pelunits_unit_from_name(nullptr), nullptr);
  pelunits_unit_free(nullptr);
  EXPECT_EQ(pelunits_read_as_typed(nullptr, "1"), 0.0);
  EXPECT_EQ(pelunits_read_as_typed(unit.get(), nullptr), 0.0);
  EXPECT_EQ(pelunits_is_valid(nullptr, "1"), 0);
  EXPECT_EQ(pelunits_is_valid_utf16(unit.get(), nullptr), 0);

  // Malformed text: the offset of the first bad byte or code unit.
  struct Case {
    const char* text;
    std::size_t offset;
  };
  const Case malformed[] = {
      {"1\x80", 1},             // stray continuation byte
      {"12\xc3", 2},            // truncated sequence
      {"\xc0\xaf", 0},          // overlong
      {"5 \xed\xa0\x80", 2},    // encoded surrogate
      {"\xf4\x90\x80\x80", 0},  // above U+10FFFF
  };
  for (const Case& c : malformed) {
    SCOPED_TRACE(c.text);
    double value = 7.0;
    std::size_t offset = 99;
    EXPECT_EQ(pelunits_read(unit.get(), c.text, &value, &offset), PELUNITS_BAD_ARGUMENT);
    EXPECT_EQ(offset, c.offset);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(pelunits_unit_set_symbol(unit.get(), c.text), PELUNITS_BAD_ARGUMENT);
  }
  const std::uint16_t lone[] = {'5', 0xDC00, '"', 0};
  std::size_t offset = 99;
  EXPECT_EQ(pelunits_read_utf16(unit.get(), lone, nullptr, &offset), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(offset, 1u);
  const std::uint16_t open[] = {'5', 0xD800, 0};
  EXPECT_EQ(pelunits_read_utf16(unit.get(), open, nullptr, &offset), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(offset, 1u);
  EXPECT_EQ(pelunits_read(nullptr, "1", nullptr, nullptr), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_read(unit.get(), nullptr, nullptr, nullptr), PELUNITS_BAD_ARGUMENT);
  EXPECT_EQ(pelunits_read_utf16(unit.get(), nullptr, nullptr, nullptr), PELUNITS_BAD_ARGUMENT);
  // An empty text given as NULL with length 0 is the empty text.
  EXPECT_EQ(pelunits_read_ex(unit.get(), nullptr, 0, nullptr, nullptr, nullptr),
            pelunits_read(unit.get(), "", nullptr, nullptr));
}

// The record's own checks; the rules of the format itself are the C++ layer's
// (HostLocaleTest.cpp), and one row shows that they are applied.
TEST(CInterface, SetsTheNumberFormatFromAValidRecordOnly) {
  const pelunits_number_format german = {sizeof(pelunits_number_format), ",", ".", 3, 1, 1};
  struct Case {
    const char* why;
    pelunits_number_format format;
    pelunits_status status;
  };
  auto with = [&german](auto change) {
    pelunits_number_format format = german;
    change(format);
    return format;
  };
  const Case cases[] = {
      {"valid", german, PELUNITS_OK},
      {"a smaller struct_size", with([](auto& f) { f.struct_size -= 1; }), PELUNITS_BAD_ARGUMENT},
      {"a larger struct_size", with([](auto& f) { f.struct_size += 8; }), PELUNITS_BAD_ARGUMENT},
      {"no decimal separator", with([](auto& f) { f.decimal_separator = nullptr; }),
       PELUNITS_BAD_ARGUMENT},
      {"no group separator", with([](auto& f) { f.group_separator = nullptr; }),
       PELUNITS_BAD_ARGUMENT},
      {"grouping beyond int", with([](auto& f) { f.grouping = 0x80000003u; }),
       PELUNITS_BAD_ARGUMENT},
      {"leading zero 2", with([](auto& f) { f.leading_zero = 2; }), PELUNITS_BAD_ARGUMENT},
      {"negative form 5", with([](auto& f) { f.negative_form = 5; }), PELUNITS_BAD_ARGUMENT},
      {"a digit separator", with([](auto& f) { f.group_separator = "1"; }), PELUNITS_BAD_ARGUMENT},
  };
#if !defined(_WIN32)
  const ScopedNumericLocale environment("C");
#endif
  const Unit unit = named("metres");
  ASSERT_EQ(pelunits_unit_set_regional(unit.get(), 1), PELUNITS_OK);
  const pelunits_number_format other = {sizeof(pelunits_number_format), "_", "~", 3, 1, 1};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    ASSERT_EQ(pelunits_set_number_format(&other), PELUNITS_OK);
    EXPECT_EQ(pelunits_set_number_format(&c.format), c.status);
    // A refused record leaves the format in force.
    EXPECT_EQ(display(unit.get(), 1234567.0), c.status == PELUNITS_OK ? "1.234,567" : "1~234_567");
  }
  ASSERT_EQ(pelunits_set_number_format(&german), PELUNITS_OK);
  double value = 0;
  EXPECT_EQ(pelunits_read(unit.get(), "1.234,5", &value, nullptr), PELUNITS_OK);
  EXPECT_EQ(value, 1234500.0);
  EXPECT_EQ(pelunits_set_number_format(nullptr), PELUNITS_OK);
#if !defined(_WIN32)
  EXPECT_EQ(display(unit.get(), 1234567.0), "1234.567");  // the environment's again
#endif
}

TEST(CInterface, StatusMessages) {
  EXPECT_STREQ(pelunits_status_message(PELUNITS_OK), "ok");
  EXPECT_STREQ(pelunits_status_message(PELUNITS_BUFFER_TOO_SMALL), "buffer too small");
  EXPECT_STREQ(pelunits_status_message(static_cast<pelunits_status>(77)), "unknown status");
}

}  // namespace
