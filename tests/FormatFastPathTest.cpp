// format()'s short steps must answer, bit for bit and character for character, as the
// plain steps they stand in front of: the 64-bit product for the digit-by-digit product,
// the powers of ten from the table and the bit-estimated exponent for the logarithm, the
// increment text kept per thread for a fresh reading, the decimal text written in one
// buffer for the general route, and the turn taken away for the remainder of a division.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "KovString.h"
#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "exact/Bearing.h"
#include "exact/FormatDecimal.h"
#include "exact/FormatDigits.h"
#include "exact/FormatIncrement.h"
#include "exact/FormatStep.h"

namespace {

using namespace pelunits::exact;

TEST(FormatFastPath, ShortMultipleWritesTheDigitsOfTheGeneralProduct) {
  struct Case {
    double count;
    std::uint64_t units;
  };
  // Zero, the ends of 2^53 and of 64 bits, products that pass 64 bits (the short form
  // declines them), and the largest units.
  const Case cases[] = {{0, 1},
                        {0, 25},
                        {1, 1},
                        {7, 5},
                        {-12345, 1},
                        {9007199254740991.0, 1},
                        {9007199254740991.0, 2047},
                        {9007199254740991.0, 2048},
                        {18446744073, 999999999},
                        {1e15, 1000000000000000},
                        {9007199254740992.0, 1},
                        {1e300, 3}};
  for (const Case& c : cases) {
    for (int exponent = -25; exponent <= 25; ++exponent) {
      KovString general;
      appendMultipleByDigits(general, c.count, c.units, exponent);
      KovString viaEither;
      appendMultiple(viaEither, c.count, c.units, exponent);
      EXPECT_EQ(viaEither, general) << c.count << " x " << c.units << " e" << exponent;
      KovString shortForm;
      if (appendShortMultiple(shortForm, c.count, c.units, exponent)) {
        EXPECT_EQ(shortForm, general) << c.count << " x " << c.units << " e" << exponent;
      } else {
        EXPECT_EQ(shortForm.length(), 0);
      }
    }
  }
  std::mt19937_64 random(25);
  for (int i = 0; i < 20000; ++i) {
    const double count = std::floor(
        std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 53)));
    const std::uint64_t units = 1 + random() % 1000000;
    const int exponent = static_cast<int>(random() % 19) - 9;
    KovString general;
    appendMultipleByDigits(general, count, units, exponent);
    KovString shortForm;
    if (appendShortMultiple(shortForm, count, units, exponent)) {
      EXPECT_EQ(shortForm, general);
    }
  }
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The oracle is strtod of "1e<e>", correctly rounded on every runtime, where pow is not.
double powerOfTenByStrtod(int e) {
  return std::strtod(("1e" + std::to_string(e)).c_str(), nullptr);
}

TEST(FormatFastPath, TabledPowersAndEstimatedExponentsAreThePlainOnes) {
  for (int e = -330; e <= 310; ++e) {
    const double power = powerOfTenByStrtod(e);
    EXPECT_TRUE(sameBits(tenToThe(e), power)) << e;
    if (!(power > 0.0) || !std::isfinite(power)) continue;
    for (const double size :
         {power, std::nextafter(power, 0.0), std::nextafter(power, DBL_MAX), power * 3.5}) {
      if (size > 0.0 && size <= DBL_MAX) {
        EXPECT_EQ(decimalExponentOf(size), decimalExponentOfByLog(size)) << size;
      }
    }
  }
  std::mt19937_64 random(26);
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t bits = random() & 0x7FEFFFFFFFFFFFFFULL;  // positive and finite
    double size = 0.0;
    std::memcpy(&size, &bits, sizeof size);
    if (size > 0.0) {
      EXPECT_EQ(decimalExponentOf(size), decimalExponentOfByLog(size)) << size;
    }
  }
  for (const double size : {DBL_MIN, DBL_TRUE_MIN, DBL_MAX, 5e-324 * 7, 1.0, 5.0, 0.005}) {
    EXPECT_EQ(decimalExponentOf(size), decimalExponentOfByLog(size)) << size;
  }
}

TEST(FormatFastPath, FloorAndCeilingOfCountsAreTheLibrarysOnes) {
  // Whole numbers, ties, the values beside them, and the ends of 2^52.
  const double ends = 4503599627370495.5;
  std::vector<double> counts = {
      0.0, -0.0, 0.5, -0.5, 1.0, -1.0, 2.5, -2.5, 1e-300, -1e-300, ends, -ends, 4503599627370495.0};
  for (const double c : {1.0, 2.5, 1e6, 4503599627370494.0}) {
    counts.push_back(std::nextafter(c, 0.0));
    counts.push_back(-std::nextafter(c, 0.0));
    counts.push_back(std::nextafter(c, DBL_MAX));
    counts.push_back(-std::nextafter(c, DBL_MAX));
  }
  std::mt19937_64 random(27);
  for (int i = 0; i < 20000; ++i) {
    const double magnitude =
        std::ldexp(static_cast<double>(random() >> 11), -1 - static_cast<int>(random() % 60));
    counts.push_back((random() & 1) != 0 ? magnitude : -magnitude);
  }
  for (const double count : counts) {
    // The same number; a zero's sign is not compared.
    EXPECT_EQ(floorOfCount(count), std::floor(count)) << count;
    EXPECT_EQ(ceilOfCount(count), std::ceil(count)) << count;
  }
}

bool sameValue(double a, double b) { return sameBits(a, b) || (std::isnan(a) && std::isnan(b)); }

TEST(FormatFastPath, KeptIncrementIsReadAfreshWhenWhatItDependsOnChanges) {
  pelunits::UnitPtr millimetres(pelunits::newNamedUnit(*pelunits::findNamedUnit("millimetres")));
  pelunits::UnitPtr feet(pelunits::newNamedUnit(*pelunits::findNamedUnit("feet-inch-fraction")));
  // Each change between two readings of the same text: the factor (a bare number is the
  // display unit), the power, the symbol (a word the reader takes for the unit), the
  // regional flag (the decimal comma of the user's form), the unit's class, the text.
  struct Step {
    KovUnitTransform* unit;
    void (*change)(KovUnitTransform&);
    const wchar_t* text;
  };
  const Step steps[] = {
      {millimetres.get(), [](KovUnitTransform&) {}, L"5"},
      {millimetres.get(), [](KovUnitTransform& u) { u.setFactor(1000.0); }, L"5"},
      {millimetres.get(), [](KovUnitTransform& u) { u.setPower(2); }, L"5"},
      {millimetres.get(), [](KovUnitTransform& u) { u.setPower(1); }, L"5 u"},
      {millimetres.get(), [](KovUnitTransform& u) { u.setSymbol(L"u"); }, L"5 u"},
      {millimetres.get(), [](KovUnitTransform& u) { u.setUseRegionalSettings(1); }, L"5"},
      {millimetres.get(), [](KovUnitTransform& u) { u.setUseRegionalSettings(0); }, L"5"},
      {feet.get(), [](KovUnitTransform&) {}, L"5"},
      {feet.get(), [](KovUnitTransform&) {}, L"5 mm"},
      {feet.get(), [](KovUnitTransform&) {}, L"5 m"},
      {feet.get(), [](KovUnitTransform&) {}, L"5 mmm"},
      {feet.get(), [](KovUnitTransform&) {}, L"1/2\"1/2\"1/2\"1/2\"1/2\"1/2\"1/2\"1/2\"1/2\""},
  };
  for (const Step& step : steps) {
    step.change(*step.unit);
    for (int twice = 0; twice < 2; ++twice) {
      const double kept = readIncrementKept(*step.unit, step.text);
      const double fresh = readIncrement(*step.unit, step.text, std::wcslen(step.text));
      EXPECT_TRUE(sameValue(kept, fresh)) << kept << " kept, " << fresh << " read afresh";
    }
  }
}

TEST(FormatFastPath, TurnRemainderIsTheLibraryRemainder) {
  const double turn = 360.0;
  const auto sameBits = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  const double edges[] = {
      0.0,  1e-300, 359.99999999999994, turn, 360.00000000000006, 719.9999999999999, 2 * turn,
      1e17, DBL_MAX};
  for (double edge : edges) {
    for (double x : {edge, -edge}) EXPECT_TRUE(sameBits(turnRemainder(x), std::fmod(x, turn))) << x;
  }
  std::mt19937_64 random(25);
  std::uniform_real_distribution<double> angles(-3 * turn, 3 * turn);
  for (int i = 0; i < 100000; ++i) {
    const double x = angles(random);
    ASSERT_TRUE(sameBits(turnRemainder(x), std::fmod(x, turn))) << x;
  }
}

TEST(FormatFastPath, DecimalInOneBufferWritesTheGeneralRoutesText) {
  pelunits::UnitPtr metres(pelunits::newNamedUnit(*pelunits::findNamedUnit("metres")));
  pelunits::UnitPtr kilograms(pelunits::newNamedUnit(*pelunits::findNamedUnit("kilograms")));
  pelunits::UnitPtr degrees(pelunits::newNamedUnit(*pelunits::findNamedUnit("degrees")));
  // Each option the decimal text writes, alone and together, in units with and without a
  // fraction of a display unit per internal unit.
  struct Options {
    const wchar_t* increment;
    int significantDigits;
    pelunits::Rounding rounding;
    bool marks;  // the plus sign, the typographic minus and the inexact marker
    bool trim;
    bool symbol;
  };
  const auto up = pelunits::Rounding::up;
  const auto down = pelunits::Rounding::down;
  const auto nearest = pelunits::Rounding::nearest;
  const Options optionsTable[] = {
      {nullptr, 0, nearest, false, false, false}, {L"5 mm", 0, nearest, false, false, false},
      {L"5 mm", 0, up, true, false, true},        {L"0.25 m", 0, down, true, true, false},
      {nullptr, 3, nearest, false, false, false}, {nullptr, 3, up, true, true, true},
      {nullptr, 17, down, false, true, false},    {L"1e-20 m", 0, nearest, true, false, false},
      {L"1e15 m", 0, nearest, false, false, true}};
  // Ties, negatives, zeros, carries into the next digit, values below and past the short
  // product, and non-finite ones.
  const double values[] = {0.0,
                           -0.0,
                           2.5,
                           -2.5,
                           7.5,
                           1234.5678,
                           -1234.5,
                           9996.0,
                           -9999.5,
                           0.001,
                           -0.0004,
                           1e-300,
                           123e15,
                           -4.2e21,
                           1e300,
                           -1.7e308,
                           5e-324,
                           999999.9999,
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  for (KovUnitTransform* unit : {metres.get(), kilograms.get(), degrees.get()}) {
    for (const Options& o : optionsTable) {
      pelunits::FormatOptions options;
      options.increment = o.increment;
      options.significantDigits = o.significantDigits;
      options.rounding = o.rounding;
      options.plusSign = o.marks;
      options.typographic = o.marks;
      options.inexactMarker = o.marks;
      options.trimTrailingZeros = o.trim;
      options.withSymbol = o.symbol;
      for (const double value : values) {
        EXPECT_EQ(pelunits::format(*unit, value, options),
                  formatByGeneralRoute(*unit, value, options))
            << value << " with " << (o.increment != nullptr ? "an increment" : "no increment")
            << ", " << o.significantDigits << " digits";
      }
    }
  }
}

}  // namespace
