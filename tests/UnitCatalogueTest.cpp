// The named units: their factors against the definitions of the units, and every
// name's own example displayed and read back.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "KovUnitsTransformArray.h"
#include "PelUnitsCatalogue.h"
#include "TestText.h"

namespace {

using pelunits::NamedUnit;

const NamedUnit& named(const char* name) {
  const NamedUnit* unit = pelunits::findNamedUnit(name);
  EXPECT_NE(unit, nullptr) << name;
  static const NamedUnit kNone{};
  return unit != nullptr ? *unit : kNone;
}

// Each factor from its definition, in long double: 1 in = 25.4 mm, 1 ft = 12 in,
// 1 lbf = 4.4482216152605 N, 1 kip = 1000 lbf, 1 psi = 1 lbf/in², 1 ksi = 1000 psi.
TEST(UnitCatalogue, ImperialFactorsFollowTheirDefinitions) {
  constexpr long double kInch = 25.4L;                   // mm
  constexpr long double kFoot = 12 * kInch;              // mm
  constexpr long double kPoundForce = 4.4482216152605L;  // N
  constexpr long double kKip = 1000 * kPoundForce;       // N
  struct Case {
    const char* name;
    long double factor;
  };
  const Case cases[] = {
      {"decimal-feet", kFoot},
      {"fractional-decimal", kInch},
      {"square-inches", kInch * kInch},
      {"cubic-inches", kInch * kInch * kInch},
      {"cubic-feet", kFoot * kFoot * kFoot},
      {"pounds-force", kPoundForce / 1000},                // kN
      {"kips", kKip / 1000},                               // kN
      {"pound-force-feet", kPoundForce * kFoot / 1.0e6L},  // kN·m
      {"kip-feet", kKip * kFoot / 1.0e6L},                 // kN·m
      {"psi", kPoundForce / (kInch * kInch)},              // N/mm²
      {"ksi", kKip / (kInch * kInch)},                     // N/mm²
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_DOUBLE_EQ(named(c.name).factor, static_cast<double>(c.factor));
  }
}

// The imperial engineering units on their classes: the display with units of a value
// that is one or a thousand of them, and the text read back.
TEST(UnitCatalogue, ImperialUnitsDisplayAndReadBack) {
  struct Case {
    const char* name;
    double value;
    const wchar_t* withUnits;
  };
  const Case cases[] = {
      {"decimal-feet", 3048.0, L"10.00 ft"},
      {"cubic-inches", 16387.064 * 1728, L"1728.00 in³"},
      {"cubic-feet", 28316846.592, L"1.00 ft³"},
      {"kips", 4.4482216152605, L"1.00 kip"},
      {"pounds-force", 4.4482216152605, L"1000.00 lbf"},
      {"kip-feet", 4.4482216152605 * 0.3048, L"1.00 kip·ft"},
      {"pound-force-feet", 4.4482216152605 * 0.3048, L"1000.00 lbf·ft"},
      {"psi", 4.4482216152605 / 645.16, L"1.00 psi"},
      {"ksi", 4448.2216152605 / 645.16, L"1.00 ksi"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const NamedUnit& unit = named(c.name);
    KovUnitTransform* made = pelunits::newNamedUnit(unit);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(narrow(made->getDisplayStringWithUnits(c.value, 0)), narrow(KovString(c.withUnits)));
    const double read = pelunits::parseWith(pelunits::parseOperationFor(unit.systemUnits, *made),
                                            *made, KovString(c.withUnits));
    EXPECT_NEAR(read, c.value, 1e-12 * c.value);
    KovUnitsTransformArray::removeUnit(made);
  }
}

// Every name: the example reads back from its own display within half a display
// step (the imperial length texts: within a sixteenth of an inch or half a step).
TEST(UnitCatalogue, EveryExampleReadsBackFromItsDisplay) {
  std::size_t count = 0;
  const NamedUnit* units = pelunits::namedUnits(count);
  ASSERT_GT(count, 30u);
  for (std::size_t i = 0; i < count; ++i) {
    const NamedUnit& unit = units[i];
    SCOPED_TRACE(unit.name);
    EXPECT_EQ(pelunits::findNamedUnit(unit.name), &unit);
    KovUnitTransform* made = pelunits::newNamedUnit(unit);
    ASSERT_NE(made, nullptr);
    KovString text = made->getDisplayString(unit.example, 0, 0, 0, 0, L' ');
    // A plain number in an angle field reads as degrees; gon is typed with its mark.
    if (unit.representation == 2007) text = text + KovString(L"g");
    const double read =
        pelunits::parseWith(pelunits::parseOperationFor(unit.systemUnits, *made), *made, text);
    // Half a display step in internal units for the decimal units (precision 100:
    // steps of factor / 100); the imperial and angle texts within 1 % of the example.
    double tolerance = 0.01 * unit.example;
    if (unit.factor != 0.0 && unit.systemUnits != 2000 && unit.representation != 5006) {
      tolerance = 0.5 * unit.factor / made->getPrecision() + 1e-12 * unit.example;
    }
    EXPECT_NEAR(read, unit.example, tolerance) << narrow(text);
    KovUnitsTransformArray::removeUnit(made);
  }
}

TEST(UnitCatalogue, TellsWhichCodePairsTheFactoryHasAClassFor) {
  struct Case {
    int systemUnits;
    int representation;
    bool quantity;
    bool representationKnown;
  };
  const Case cases[] = {
      {20, 1, true, true},      {20, 5006, true, true},
      {20, 77, true, false},                               // falls back to feet and decimal inches
      {20, 0, true, false},                                // 0 is no length representation either
      {20, 2, true, true},      {3020, 3002, true, true},  // the code a default writes back
      {2000, 0, true, false},  // the angles' default writes nothing back: 0 names no class
      {2000, 2008, true, true}, {2000, 77, true, false},  // falls back to degrees
      {1009, 77, true, true},  // one class for the quantity: any code serves
      {3300, 0, true, true},    {5003, 9, true, false},
      {9999, 0, false, false},  // an unknown quantity: the general fallback
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.systemUnits) + "/" + std::to_string(c.representation));
    EXPECT_EQ(pelunits::factoryKnowsQuantity(c.systemUnits), c.quantity);
    EXPECT_EQ(pelunits::factoryKnowsRepresentation(c.systemUnits, c.representation),
              c.representationKnown);
  }
}

// The reader follows the quantity code; lengths and unknown codes read as the unit made
// for them is, so an angle unit reads degrees whatever code it came with.
TEST(UnitCatalogue, ReadsEachQuantityCodeWithItsQuantitysReader) {
  using pelunits::ParseOperation;
  struct Case {
    int systemUnits;
    int madeWith;  // the quantity code of the unit the reader is asked for
    int madeRepresentation;
    ParseOperation operation;
  };
  const Case cases[] = {
      {1009, 1009, 0, ParseOperation::Grams},
      {1010, 1010, 0, ParseOperation::Grams},
      {2000, 2000, 2007, ParseOperation::Degrees},
      {3102, 3102, 0, ParseOperation::KiloNewton},
      {3202, 3202, 0, ParseOperation::KiloNewtonMeter},
      {3301, 3301, 0, ParseOperation::NewtonPerSquareMm},
      {5104, 5104, 5001, ParseOperation::Millimeters},
      {7, 7, 2006, ParseOperation::Degrees},   // unknown code, an angle unit
      {7, 7, 1, ParseOperation::Millimeters},  // unknown code, a decimal unit
      {20, 2000, 0, ParseOperation::Degrees},  // a length code with an angle unit
      {1009, 20, 1, ParseOperation::Grams},    // a weight code rules its unit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.systemUnits) + " with a unit of " + std::to_string(c.madeWith));
    auto representation =
        static_cast<KovUnitTransform::eSystemRepresentation>(c.madeRepresentation);
    pelunits::UnitPtr unit(KovUnitsTransformArray::getNewUnit(
        static_cast<KovUnitTransform::eSystemUnits>(c.madeWith), representation));
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(pelunits::parseOperationFor(c.systemUnits, *unit), c.operation);
  }
}

}  // namespace
