// Behaviour at the edges the units leave open: precisions stepped past their
// ranges, very long texts, and non-finite and huge values in every display of every
// unit setup of the round-trip tests. Each row pins what the library answers.

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "KovString.h"
#include "KovUnitTransform.h"
#include "KovUnitsTransformArray.h"
#include "RoundTripSetups.h"
#include "TestText.h"

namespace {

using roundtrip::kSetups;
using roundtrip::makeUnit;
using roundtrip::UnitSetup;
using Unit = KovUnitTransform;

TEST(Limits, NonFiniteValuesShowAsNanOrInfInEveryDisplayOfEveryUnit) {
  struct Value {
    double value;
    const wchar_t* shown;
  } values[] = {
      {std::numeric_limits<double>::quiet_NaN(), L"nan"},
      {-std::numeric_limits<double>::quiet_NaN(), L"nan"},
      {std::numeric_limits<double>::infinity(), L"inf"},
      {-std::numeric_limits<double>::infinity(), L"-inf"},
  };
  // The factor never decides: inf / inf would be NaN, and -inf / -1 would be
  // inf.
  const double factors[] = {0.0, -1.0, std::numeric_limits<double>::infinity()};
  for (const UnitSetup& kind : kSetups) {
    for (const double factor : factors) {
      const pelunits::UnitPtr unit = makeUnit(kind);
      if (factor != 0.0) unit->setFactor(factor);
      unit->setSymbol(KovString(factor == 0.0 ? "" : "mm"));
      for (const Value& v : values) {
        for (int flags = 0; flags < 64; ++flags) {
          SCOPED_TRACE(std::string(kind.name) + " factor " + std::to_string(factor) + " flags " +
                       std::to_string(flags));
          const int trim = flags & 1;
          const int hideZeroFeet = (flags >> 1) & 1;
          const int hideZeroInches = (flags >> 2) & 1;
          const bool showInchMark = ((flags >> 3) & 1) != 0;
          const bool dashAfterFeet = ((flags >> 4) & 1) != 0;
          const wchar_t separator = ((flags >> 5) & 1) != 0 ? L'-' : L' ';
          EXPECT_EQ(narrow(unit->getDisplayString(v.value, trim, trim, hideZeroFeet, hideZeroInches,
                                                  separator)),
                    narrow(v.shown));
          EXPECT_EQ(narrow(unit->getDisplayStringArch(v.value, trim, Unit::eFractionStacked,
                                                      Unit::eFractionLineSlanted, 0.5, showInchMark,
                                                      true, dashAfterFeet, false, trim,
                                                      hideZeroFeet, hideZeroInches, separator)),
                    narrow(v.shown));
          // With units: the same text, followed by the symbol when there is
          // one.
          const KovString withUnits = unit->getDisplayStringWithUnits(v.value, trim);
          EXPECT_EQ(withUnits.left(KovString(v.shown).length()), KovString(v.shown))
              << narrow(withUnits);
          EXPECT_FALSE(holds(withUnits, L"0")) << narrow(withUnits);
        }
      }
    }
  }
}

TEST(Limits, HugeFiniteValuesGiveATextWithoutNanInEveryUnit) {
  const double values[] = {1e300,
                           -1e300,
                           std::numeric_limits<double>::max(),
                           -std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::denorm_min(),
                           -0.0};
  for (const UnitSetup& kind : kSetups) {
    const pelunits::UnitPtr unit = makeUnit(kind);
    for (double value : values) {
      for (int trim = 0; trim < 2; ++trim) {
        const KovString text = unit->getDisplayString(value, trim, 0, 1, 1, L'-');
        SCOPED_TRACE(std::string(kind.name) + ": " + narrow(text));
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(holds(text, L"nan"));
        EXPECT_LE(text.length(), 1024);
        EXPECT_FALSE(holds(unit->getDisplayStringArch(value, trim, Unit::eFractionInline,
                                                      Unit::eFractionLineHorizontal, 1.0, true,
                                                      false, true, false, 0, 0, 0, L'-'),
                           L"nan"));
      }
    }
  }
}

TEST(Limits, IncrementPrecisionSaysWhenItCanGoNoFinerSoAHostLoopEnds) {
  constexpr int kMaxSteps = 100;
  for (const UnitSetup& kind : kSetups) {
    const pelunits::UnitPtr unit = makeUnit(kind);
    SCOPED_TRACE(kind.name);
    const bool fraction = kind.representation == 1 || kind.representation == 5006;
    const bool seconds = kind.representation == 2008;
    if (seconds) {
      // The prototype's 0 never steps, and says so.
      EXPECT_EQ(unit->incrementPrecision(), 0);
      EXPECT_EQ(unit->getPrecision(), 0);
      unit->setPrecision(1);
    } else {
      // One step: the next power of two of a fraction, one more decimal of the rest.
      const int before = unit->getPrecision();
      EXPECT_EQ(unit->incrementPrecision(), 1);
      EXPECT_EQ(unit->getPrecision(), fraction ? 2 * before : 10 * before);
    }
    int steps = 0;
    while (unit->incrementPrecision() != 0 && steps < kMaxSteps) ++steps;
    EXPECT_LT(steps, kMaxSteps);
    // Doubling stops at the last power of two an int holds (4 * 2^28); stepping
    // seconds by ten stops at the largest int (seconds with 4 decimals).
    EXPECT_EQ(unit->getPrecision(), fraction ? 1 << 30 : seconds ? INT_MAX : 1000000000);
    EXPECT_EQ(unit->incrementPrecision(), 0);
    const KovString text = unit->getDisplayString(1234.56789, 0, 0, 0, 0, L'-');
    EXPECT_FALSE(text.isEmpty());
    EXPECT_FALSE(holds(text, L"nan")) << narrow(text);
  }
}

TEST(Limits, PrecisionSettersCorrectEveryIntArgument) {
  struct Case {
    int units, representation;
    int argument;
    int precision;  // getPrecision() afterwards
  } cases[] = {
      {20, 5, INT_MAX, 1000000000}, {20, 5, INT_MIN, 1},   // metric decimal
      {20, 2, INT_MAX, 1000000000}, {20, 2, INT_MIN, 10},  // feet and decimal inches
      {20, 1, INT_MIN, 1},          {20, 5006, -1, 1},     // the fractions
      {2000, 2008, INT_MIN, 1},                            // degrees, minutes, seconds
  };
  for (const Case& c : cases) {
    const pelunits::UnitPtr unit = newUnit(c.units, c.representation);
    SCOPED_TRACE(std::to_string(c.representation) + " " + std::to_string(c.argument));
    unit->setPrecision(c.argument);
    EXPECT_EQ(unit->getPrecision(), c.precision);
    EXPECT_FALSE(unit->getDisplayString(-1234.56789, 1, 0, 0, 0, L' ').isEmpty());
  }
}

// Texts that make a careless reader do more than linear work: long runs of
// digits, blanks, signs, marks and fraction bars, and a mixture of all of them.
std::vector<std::wstring> longTexts(std::size_t length) {
  auto repeat = [length](const std::wstring& piece, const std::wstring& tail = L"") {
    std::wstring s;
    while (s.size() + piece.size() <= length - tail.size()) s += piece;
    return s + tail;
  };
  std::vector<std::wstring> texts = {repeat(L"9", L"e99999"), repeat(L" ", L"5"),
                                     repeat(L"0", L".5")};
  for (const wchar_t* piece : {L"7", L"-", L"5'", L"1/", L"1 ", L"\"", L"\u00B0", L"d", L"lb ",
                               L"oz", L".", L",", L"6 1/2\" ", L"10\u00B030'15\""}) {
    texts.push_back(repeat(piece));
  }
  std::mt19937 random(7);
  const wchar_t alphabet[] = L"0123456789 -./,'\"\u00B0dlbozrg\u00B2\t";
  std::wstring mixed;
  while (mixed.size() < length)
    mixed += alphabet[random() % (sizeof alphabet / sizeof *alphabet - 1)];
  texts.push_back(mixed);
  return texts;
}

// Every reader and the validator on one text.
double readEverything(const Unit& unit, const KovString& text) {
  return unit.isValidString(text) + unit.getMillimeters(text) + unit.getDegrees(text) +
         unit.getGrams(text) + unit.getKiloNewton(text) + unit.getKiloNewtonMeter(text) +
         unit.getNewtonPerSquareMm(text);
}

// Keeps the optimiser from dropping the calls.
volatile double readSink = 0.0;

double secondsFor(const Unit& unit, const KovString& text) {
  const auto start = std::chrono::steady_clock::now();
  readSink = readEverything(unit, text);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return took.count();
}

TEST(Limits, HundredThousandCharacterTextsTakeLinearTimeInEveryReader) {
  // A step quadratic in the text length would cost some 1e10 operations on
  // 100,000 characters: seconds, far beyond the bound. Linear work takes
  // milliseconds even under the sanitizers. A bound on the time alone is what
  // stays reliable on a loaded machine; ratios between sizes are not (large
  // copies change allocator paths and page faults).
  const std::vector<std::wstring> longer = longTexts(100000);
  for (std::size_t i = 0; i < longer.size(); ++i) {
    const KovString large(longer[i].c_str());
    for (const UnitSetup& kind : kSetups) {
      const pelunits::UnitPtr unit = makeUnit(kind);
      SCOPED_TRACE(std::string(kind.name) + ", text " + std::to_string(i));
      EXPECT_LT(secondsFor(*unit, large), 1.0);
    }
  }
}

}  // namespace
