#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "pelunits.h"

// The batch calls against the single calls they stand for: the same texts, values,
// statuses and offsets, in both encodings, and no reading or writing out of bounds
// for any bad argument.

namespace {

struct UnitDeleter {
  void operator()(pelunits_unit* unit) const { pelunits_unit_free(unit); }
};
using Unit = std::unique_ptr<pelunits_unit, UnitDeleter>;

const double kValues[] = {1689.1,  -1689.1, 0.0,  0.4,     25.4 * 12 * 1000.5,
                          1e-300,  1e300,   -0.0, 123.456, std::numeric_limits<double>::quiet_NaN(),
                          HUGE_VAL};

struct BatchCase {
  const char* unit;
  unsigned flags;
  std::uint32_t separator;
};

// Non-ASCII symbols and marks ("°", "²"), the units' suffix and both separators.
const BatchCase kBatchCases[] = {
    {"feet-inch-fraction", 0, ' '},
    {"feet-inch-fraction", PELUNITS_HIDE_ZERO_FEET | PELUNITS_HIDE_ZERO_INCHES, '-'},
    {"metres", PELUNITS_WITH_UNITS, ' '},
    {"square-metres", PELUNITS_WITH_UNITS | PELUNITS_TRIM_TRAILING_ZEROS, ' '},
    {"degrees-minutes-seconds", 0, ' '},
    {"pounds-ounces", PELUNITS_TRIM_LEADING_ZERO, 0x2212},
};

template <class Char>
pelunits_status displayOne(const pelunits_unit* unit, double value, unsigned flags,
                           std::uint32_t separator, Char* buffer, std::size_t size,
                           std::size_t* length) {
  if constexpr (sizeof(Char) == 1) {
    return pelunits_display(unit, value, flags, separator, buffer, size, length);
  } else {
    return pelunits_display_utf16(unit, value, flags, separator, buffer, size, length);
  }
}

template <class Char>
std::basic_string<Char> single(const pelunits_unit* unit, double value, unsigned flags,
                               std::uint32_t separator) {
  std::size_t length = 0;
  displayOne<Char>(unit, value, flags, separator, nullptr, 0, &length);
  std::vector<Char> text(length + 1);
  EXPECT_EQ(displayOne(unit, value, flags, separator, text.data(), text.size(), &length),
            PELUNITS_OK);
  return std::basic_string<Char>(text.data(), length);
}

template <class Char>
pelunits_status displayMany(const pelunits_unit* unit, const double* values, std::size_t count,
                            unsigned flags, std::uint32_t separator, Char* buffer, std::size_t size,
                            std::int32_t* offsets, std::size_t* length) {
  if constexpr (sizeof(Char) == 1) {
    return pelunits_display_many(unit, values, count, flags, separator, buffer, size, offsets,
                                 length);
  } else {
    return pelunits_display_many_utf16(unit, values, count, flags, separator, buffer, size, offsets,
                                       length);
  }
}

template <class Char>
void expectBatchMatchesSingles() {
  const std::size_t count = sizeof(kValues) / sizeof(kValues[0]);
  for (const BatchCase& c : kBatchCases) {
    SCOPED_TRACE(c.unit);
    const Unit unit(pelunits_unit_from_name(c.unit));
    std::basic_string<Char> expected;
    std::vector<std::int32_t> expectedOffsets{0};
    for (double value : kValues) {
      expected += single<Char>(unit.get(), value, c.flags, c.separator);
      expectedOffsets.push_back(static_cast<std::int32_t>(expected.size()));
    }

    // Measured with no buffer, then written into exactly the room asked for.
    std::vector<std::int32_t> offsets(count + 1, -1);
    std::size_t length = 0;
    EXPECT_EQ(displayMany<Char>(unit.get(), kValues, count, c.flags, c.separator, nullptr, 0,
                                offsets.data(), &length),
              PELUNITS_BUFFER_TOO_SMALL);
    ASSERT_EQ(length, expected.size());
    for (std::size_t shortBy : {std::size_t{1}, expected.size() / 2}) {
      std::vector<Char> small(length - shortBy);
      EXPECT_EQ(displayMany<Char>(unit.get(), kValues, count, c.flags, c.separator, small.data(),
                                  small.size(), offsets.data(), &length),
                PELUNITS_BUFFER_TOO_SMALL);
      EXPECT_EQ(length, expected.size());
    }
    // One unit more than needed, filled with a mark that must survive past the end.
    std::vector<Char> buffer(length + 1, Char{0x7f});
    EXPECT_EQ(displayMany<Char>(unit.get(), kValues, count, c.flags, c.separator, buffer.data(),
                                length, offsets.data(), &length),
              PELUNITS_OK);
    EXPECT_EQ(std::basic_string<Char>(buffer.data(), length), expected);
    EXPECT_EQ(buffer[length], Char{0x7f});
    EXPECT_EQ(offsets, expectedOffsets);
  }
}

TEST(CBatch, DisplaysAColumnAsTheSingleCallsDoInBothEncodings) {
  expectBatchMatchesSingles<char>();
  expectBatchMatchesSingles<std::uint16_t>();
}

TEST(CBatch, EndsEachTextWithANulWhenAsked) {
  const Unit unit(pelunits_unit_from_name("degrees-minutes-seconds"));
  const double values[] = {10.5, -0.25, 359.99};
  std::string expected;
  for (double value : values) expected += single<char>(unit.get(), value, 0, ' ') + '\0';
  std::int32_t offsets[4] = {};
  std::size_t length = 0;
  std::vector<char> buffer(expected.size());
  for (std::size_t size : {expected.size() - 1, expected.size()}) {
    EXPECT_EQ(pelunits_display_many(unit.get(), values, 3, PELUNITS_NUL_AFTER_EACH, ' ',
                                    buffer.data(), size, offsets, &length),
              size < expected.size() ? PELUNITS_BUFFER_TOO_SMALL : PELUNITS_OK);
    EXPECT_EQ(length, expected.size());
  }
  EXPECT_EQ(std::string(buffer.data(), length), expected);
  EXPECT_EQ(offsets[3], static_cast<std::int32_t>(expected.size()));
  EXPECT_EQ(buffer[static_cast<std::size_t>(offsets[1]) - 1], '\0');
}

TEST(CBatch, AnEmptyColumnHasOneOffset) {
  const Unit unit(pelunits_unit_from_name("metres"));
  std::int32_t offsets[1] = {-1};
  std::size_t length = 99;
  EXPECT_EQ(pelunits_display_many(unit.get(), nullptr, 0, 0, ' ', nullptr, 0, offsets, &length),
            PELUNITS_OK);
  EXPECT_EQ(offsets[0], 0);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(pelunits_read_many(unit.get(), nullptr, offsets, 0, nullptr, nullptr, nullptr),
            PELUNITS_OK);
}

// Options of every kind: a step, significant digits, typographic marks with a sign, the
// marker and trimming, and the defaults (NULL options).
struct FormatBatchCase {
  const char* unit;
  const char* increment;
  std::int32_t significantDigits;
  std::uint32_t flags;
};
const FormatBatchCase kFormatBatchCases[] = {
    {"millimetres", "5 mm", 0, 0},
    {"feet-inch-fraction", "1/2\"", 0, PELUNITS_HIDE_ZERO_INCHES},
    {"metres", nullptr, 3, PELUNITS_FORMAT_INEXACT_MARKER | PELUNITS_WITH_UNITS},
    {"feet-inch-fraction", nullptr, 0, PELUNITS_FORMAT_TYPOGRAPHIC | PELUNITS_FORMAT_PLUS_SIGN},
    {"degrees-minutes-seconds", "15'", 0, PELUNITS_TRIM_TRAILING_ZEROS},
    {"pounds-ounces", nullptr, 0, 0},
};

template <class Char>
pelunits_status formatOne(const pelunits_unit* unit, double value,
                          const pelunits_format_options* options, Char* buffer, std::size_t size,
                          std::size_t* length) {
  if constexpr (sizeof(Char) == 1) {
    return pelunits_format(unit, value, options, buffer, size, length);
  } else {
    return pelunits_format_utf16(unit, value, options, buffer, size, length);
  }
}

template <class Char>
pelunits_status formatMany(const pelunits_unit* unit, const double* values, std::size_t count,
                           const pelunits_format_options* options, Char* buffer, std::size_t size,
                           std::int32_t* offsets, std::size_t* length) {
  if constexpr (sizeof(Char) == 1) {
    return pelunits_format_many(unit, values, count, options, buffer, size, offsets, length);
  } else {
    return pelunits_format_many_utf16(unit, values, count, options, buffer, size, offsets, length);
  }
}

// Each case once with its options and once more with a NUL after each text; the first
// case also with NULL options.
template <class Char>
void expectFormatBatchMatchesSingles() {
  const std::size_t count = sizeof(kValues) / sizeof(kValues[0]);
  for (const FormatBatchCase& c : kFormatBatchCases) {
    for (const bool nulAfterEach : {false, true}) {
      SCOPED_TRACE(std::string(c.unit) + (nulAfterEach ? " with NULs" : ""));
      const Unit unit(pelunits_unit_from_name(c.unit));
      pelunits_format_options options;
      pelunits_format_options_init(&options);
      options.increment = c.increment;
      options.significant_digits = c.significantDigits;
      options.flags |= c.flags;
      const pelunits_format_options* given =
          &c == kFormatBatchCases && !nulAfterEach ? nullptr : &options;
      std::basic_string<Char> expected;
      std::vector<std::int32_t> expectedOffsets{0};
      for (double value : kValues) {
        std::size_t length = 0;
        formatOne<Char>(unit.get(), value, given, nullptr, 0, &length);
        std::vector<Char> text(length + 1);
        EXPECT_EQ(formatOne(unit.get(), value, given, text.data(), text.size(), &length),
                  PELUNITS_OK);
        expected.append(text.data(), length);
        if (nulAfterEach) expected += Char{0};
        expectedOffsets.push_back(static_cast<std::int32_t>(expected.size()));
      }
      if (nulAfterEach) options.flags |= PELUNITS_NUL_AFTER_EACH;
      std::vector<std::int32_t> offsets(count + 1, -1);
      std::size_t length = 0;
      EXPECT_EQ(
          formatMany<Char>(unit.get(), kValues, count, given, nullptr, 0, offsets.data(), &length),
          PELUNITS_BUFFER_TOO_SMALL);
      ASSERT_EQ(length, expected.size());
      std::vector<Char> small(length - 1);
      EXPECT_EQ(formatMany<Char>(unit.get(), kValues, count, given, small.data(), small.size(),
                                 offsets.data(), &length),
                PELUNITS_BUFFER_TOO_SMALL);
      std::vector<Char> buffer(length + 1, Char{0x7f});
      EXPECT_EQ(formatMany<Char>(unit.get(), kValues, count, given, buffer.data(), length,
                                 offsets.data(), &length),
                PELUNITS_OK);
      EXPECT_EQ(std::basic_string<Char>(buffer.data(), length), expected);
      EXPECT_EQ(buffer[length], Char{0x7f});
      EXPECT_EQ(offsets, expectedOffsets);
    }
  }
}

TEST(CBatch, FormatsAColumnAsTheSingleCallsDoInBothEncodings) {
  expectFormatBatchMatchesSingles<char>();
  expectFormatBatchMatchesSingles<std::uint16_t>();
}

struct ReadRow {
  std::string text;  // may hold a NUL and malformed bytes
};

// Complete, incomplete, invalid, empty, with a NUL inside, malformed, and non-ASCII texts.
const ReadRow kReadRows[] = {{"5' 7 1/4\""},
                             {"5' 6 1/"},
                             {"5' x\""},
                             {""},
                             {std::string("1\0 2", 4)},
                             {"\xc2\xb0x"},
                             {"3\xff"},
                             {"1 \xf0\x9f\x98\x80"},
                             {"12'"},
                             {"  10 mm"},
                             {"\xe2\x80\xb3"}};

TEST(CBatch, ReadsAColumnAsTheSingleCallsDo) {
  const Unit unit(pelunits_unit_from_name("feet-inch-fraction"));
  std::string packed;
  std::vector<std::int32_t> offsets{0};
  std::vector<double> values;
  std::vector<pelunits_status> statuses;
  std::vector<std::size_t> positions;
  for (const ReadRow& row : kReadRows) {
    double value = -1;
    std::size_t position = 99;
    statuses.push_back(
        pelunits_read_ex(unit.get(), row.text.data(), row.text.size(), &value, &position, nullptr));
    values.push_back(value);
    positions.push_back(position);
    // The text lies among others: a reader that looks past its end sees "9".
    packed += row.text;
    offsets.push_back(static_cast<std::int32_t>(packed.size()));
  }
  packed += "9";
  const std::size_t count = values.size();
  std::vector<double> gotValues(count, -2);
  std::vector<pelunits_status> gotStatuses(count, -2);
  std::vector<std::size_t> gotPositions(count, 77);
  EXPECT_EQ(pelunits_read_many(unit.get(), packed.data(), offsets.data(), count, gotValues.data(),
                               gotStatuses.data(), gotPositions.data()),
            statuses[1]);  // the first text that is not complete
  EXPECT_EQ(gotValues, values);
  EXPECT_EQ(gotStatuses, statuses);
  EXPECT_EQ(gotPositions, positions);
  // The optional outputs may be left out.
  EXPECT_EQ(pelunits_read_many(unit.get(), packed.data(), offsets.data(), 1, gotValues.data(),
                               nullptr, nullptr),
            PELUNITS_OK);

  // UTF-16: the same texts, a lone surrogate as the malformed one, offsets in code units.
  const std::u16string texts16[] = {u"5' 7 1/4\"", u"5' 6 1/", u"", u"\xD800 x", u"10\u2033"};
  std::vector<std::uint16_t> packed16;
  std::vector<std::int32_t> offsets16{0};
  std::vector<double> values16;
  std::vector<pelunits_status> statuses16;
  std::vector<std::size_t> positions16;
  for (const std::u16string& text : texts16) {
    const std::vector<std::uint16_t> units(text.begin(), text.end());
    double value = -1;
    std::size_t position = 99;
    statuses16.push_back(
        pelunits_read_utf16_ex(unit.get(), units.data(), units.size(), &value, &position, nullptr));
    values16.push_back(value);
    positions16.push_back(position);
    packed16.insert(packed16.end(), units.begin(), units.end());
    offsets16.push_back(static_cast<std::int32_t>(packed16.size()));
  }
  const std::size_t count16 = values16.size();
  std::vector<double> got16(count16);
  std::vector<pelunits_status> gotStatuses16(count16);
  std::vector<std::size_t> gotPositions16(count16);
  EXPECT_EQ(pelunits_read_many_utf16(unit.get(), packed16.data(), offsets16.data(), count16,
                                     got16.data(), gotStatuses16.data(), gotPositions16.data()),
            PELUNITS_INCOMPLETE);
  EXPECT_EQ(got16, values16);
  EXPECT_EQ(gotStatuses16, statuses16);
  EXPECT_EQ(gotPositions16, positions16);
  EXPECT_EQ(gotStatuses16[3], PELUNITS_BAD_ARGUMENT);
}

TEST(CBatch, RefusesBadArgumentsWithoutTouchingAnything) {
  const Unit unit(pelunits_unit_from_name("metres"));
  const double values[2] = {1, 2};
  char buffer[64];
  const std::size_t huge = std::numeric_limits<std::size_t>::max() / 2;
  struct DisplayRow {
    const char* what;
    const pelunits_unit* unit;
    const double* values;
    std::size_t count;
    unsigned flags;
    std::uint32_t separator;
    char* buffer;
    std::size_t size;
    bool offsets;
    bool length;
  };
  const DisplayRow displayRows[] = {
      {"no unit", nullptr, values, 2, 0, ' ', buffer, 64, true, true},
      {"no values", unit.get(), nullptr, 2, 0, ' ', buffer, 64, true, true},
      {"no offsets", unit.get(), values, 2, 0, ' ', buffer, 64, false, true},
      {"no length", unit.get(), values, 2, 0, ' ', buffer, 64, true, false},
      {"no buffer for its size", unit.get(), values, 2, 0, ' ', nullptr, 64, true, true},
      {"unknown flag", unit.get(), values, 2, 0x8000, ' ', buffer, 64, true, true},
      {"markup flag", unit.get(), values, 2, PELUNITS_ARCH_STACKED, ' ', buffer, 64, true, true},
      {"surrogate separator", unit.get(), values, 2, 0, 0xD800, buffer, 64, true, true},
      {"offsets beyond memory", unit.get(), values, huge, 0, ' ', buffer, 64, true, true},
  };
  for (const DisplayRow& row : displayRows) {
    SCOPED_TRACE(row.what);
    std::int32_t offsets[3] = {-1, -1, -1};
    std::size_t length = 99;
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(pelunits_display_many(row.unit, row.values, row.count, row.flags, row.separator,
                                    row.buffer, row.size, row.offsets ? offsets : nullptr,
                                    row.length ? &length : nullptr),
              PELUNITS_BAD_ARGUMENT);
    EXPECT_EQ(offsets[0], -1);
    EXPECT_EQ(length, 99u);
    EXPECT_EQ(buffer[0], 'x');
  }

  // The batch format refuses what the single one refuses, and what the batch display does.
  pelunits_format_options good;
  pelunits_format_options_init(&good);
  pelunits_format_options badSize = good;
  badSize.struct_size = sizeof good - 1;
  pelunits_format_options badFlag = good;
  badFlag.flags |= PELUNITS_ARCH_STACKED;
  pelunits_format_options badText = good;
  badText.increment = "5 \xff";
  struct FormatRow {
    const char* what;
    const pelunits_unit* unit;
    const double* values;
    const pelunits_format_options* options;
    bool offsets;
  };
  const FormatRow formatRows[] = {
      {"no unit", nullptr, values, &good, true},
      {"no values", unit.get(), nullptr, &good, true},
      {"no offsets", unit.get(), values, &good, false},
      {"unknown size", unit.get(), values, &badSize, true},
      {"markup flag", unit.get(), values, &badFlag, true},
      {"malformed increment", unit.get(), values, &badText, true},
  };
  for (const FormatRow& row : formatRows) {
    SCOPED_TRACE(row.what);
    std::int32_t offsets[3] = {-1, -1, -1};
    std::size_t length = 99;
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(pelunits_format_many(row.unit, row.values, 2, row.options, buffer, 64,
                                   row.offsets ? offsets : nullptr, &length),
              PELUNITS_BAD_ARGUMENT);
    EXPECT_EQ(offsets[0], -1);
    EXPECT_EQ(length, 99u);
    EXPECT_EQ(buffer[0], 'x');
  }

  const char text[] = "1 m2 m";
  struct ReadRowArgs {
    const char* what;
    const pelunits_unit* unit;
    const char* buffer;
    std::vector<std::int32_t> offsets;
    std::size_t count;
    bool values;
  };
  const ReadRowArgs readRows[] = {
      {"no unit", nullptr, text, {0, 3, 6}, 2, true},
      {"no values", unit.get(), text, {0, 3, 6}, 2, false},
      {"no buffer for texts", unit.get(), nullptr, {0, 3, 6}, 2, true},
      {"negative start", unit.get(), text, {-1, 3, 6}, 2, true},
      {"decreasing", unit.get(), text, {0, 4, 3}, 2, true},
      {"decreasing at the end", unit.get(), text, {0, 3, 2}, 2, true},
      {"offsets beyond memory", unit.get(), text, {0, 3, 6}, huge, true},
  };
  for (const ReadRowArgs& row : readRows) {
    SCOPED_TRACE(row.what);
    double got[2] = {-1, -1};
    pelunits_status statuses[2] = {-1, -1};
    EXPECT_EQ(pelunits_read_many(row.unit, row.buffer, row.offsets.data(), row.count,
                                 row.values ? got : nullptr, statuses, nullptr),
              PELUNITS_BAD_ARGUMENT);
    EXPECT_EQ(got[0], -1);
    EXPECT_EQ(statuses[0], -1);
  }
  EXPECT_EQ(pelunits_read_many(unit.get(), text, nullptr, 1, nullptr, nullptr, nullptr),
            PELUNITS_BAD_ARGUMENT);
}

}  // namespace
