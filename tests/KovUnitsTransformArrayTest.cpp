#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <string>
#include <thread>
#include <typeinfo>
#include <utility>
#include <vector>

#include "KovUnitsTransformArray.h"
#include "PelUnitsCodes.h"
#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitGradMinSec.h"
#include "units/angle/KovUnitRadian.h"
#include "units/fraction/KovUnitFractalDecimal.h"
#include "units/fraction/KovUnitFractalInch.h"
#include "units/imperial/KovUnitInch.h"
#include "units/imperial/KovUnitLbsOunces.h"
#include "units/metric/KovUnitDecimal.h"
#include "units/metric/KovUnitGram.h"
#include "units/metric/KovUnitKiloNewton.h"
#include "units/metric/KovUnitKiloNewtonMeter.h"
#include "units/metric/KovUnitNewtonPerSquareMm.h"

namespace {

using Units = KovUnitTransform::eSystemUnits;
using Representation = KovUnitTransform::eSystemRepresentation;

KovUnitTransform* make(int units, int& representation) {
  Representation r = static_cast<Representation>(representation);
  KovUnitTransform* unit = KovUnitsTransformArray::getNewUnit(static_cast<Units>(units), r);
  representation = static_cast<int>(r);
  return unit;
}

std::string nameOf(const std::type_info* type) { return type == nullptr ? "null" : type->name(); }

// The whole decision table: quantity code and representation in; class made, power
// and the representation the caller holds afterwards out. null: no object.
TEST(UnitFactory, PicksTheClassPowerAndRepresentationOfEveryRow) {
  struct Case {
    int units;
    int representation;
    const std::type_info* made;
    int power;
    int representationAfter;
  };
  const Case cases[] = {
      // Lengths: three known representations, everything else decimal inches and 2.
      {20, 1, &typeid(KovUnitFractalInch), 1, 1},
      {20, 5, &typeid(KovUnitDecimal), 1, 5},
      {20, 5006, &typeid(KovUnitFractalDecimal), 1, 5006},
      {20, 3, &typeid(KovUnitInch), 1, 2},
      {20, 0, &typeid(KovUnitInch), 1, 2},
      {20, 2, &typeid(KovUnitInch), 1, 2},
      {20, 4, &typeid(KovUnitInch), 1, 2},  // 4 belongs to the last row only
      // Codes whose class does not depend on the representation; nothing written.
      {1009, 0, &typeid(KovUnitGram), 1, 0},
      {1009, 2005, &typeid(KovUnitGram), 1, 2005},
      {1010, 5, &typeid(KovUnitLbsOunces), 1, 5},
      {3101, 0, &typeid(KovUnitKiloNewton), 1, 0},
      {3102, 9, &typeid(KovUnitKiloNewton), 1, 9},
      {3201, 0, &typeid(KovUnitKiloNewtonMeter), 1, 0},
      {3202, 1, &typeid(KovUnitKiloNewtonMeter), 1, 1},
      {3300, 0, &typeid(KovUnitNewtonPerSquareMm), 1, 0},
      {3301, 3, &typeid(KovUnitNewtonPerSquareMm), 1, 3},
      // Angles: the fallback is decimal degrees, and nothing is written back.
      {2000, 0, &typeid(KovUnitDegree), 1, 0},
      {2000, 2005, &typeid(KovUnitRadian), 1, 2005},
      {2000, 2007, &typeid(KovUnitGon), 1, 2007},
      {2000, 2008, &typeid(KovUnitGradMinSec), 1, 2008},
      {2000, 2006, &typeid(KovUnitDegree), 1, 2006},
      {2000, 1, &typeid(KovUnitDegree), 1, 1},
      // Areas.
      {3005, 0, &typeid(KovUnitDecimal), 2, 3003},
      {3005, 3004, &typeid(KovUnitFractalDecimal), 2, 3004},
      {3005, 3003, &typeid(KovUnitDecimal), 2, 3003},
      {3020, 3001, &typeid(KovUnitFractalInch), 2, 3001},
      {3020, 3005, &typeid(KovUnitDecimal), 2, 3005},
      {3020, 7, &typeid(KovUnitInch), 2, 3002},
      // Volumes: the metric code has no fallback class.
      {5003, 4003, &typeid(KovUnitDecimal), 3, 4003},
      {5003, 4004, &typeid(KovUnitFractalDecimal), 3, 4004},
      {5003, 4001, nullptr, 0, 4001},
      {5003, 0, nullptr, 0, 0},
      {5004, 4001, &typeid(KovUnitFractalInch), 3, 4001},
      {5004, 4005, &typeid(KovUnitDecimal), 3, 4005},
      {5004, 4003, &typeid(KovUnitInch), 3, 4002},
      // Fourth powers.
      {5103, 5003, &typeid(KovUnitDecimal), 4, 5003},
      {5103, 5004, &typeid(KovUnitFractalDecimal), 4, 5004},
      {5103, 5005, nullptr, 0, 5005},
      {5104, 5001, &typeid(KovUnitFractalInch), 4, 5001},
      {5104, 5005, &typeid(KovUnitDecimal), 4, 5005},
      {5104, 0, &typeid(KovUnitInch), 4, 5002},
      // Any other quantity code.
      {7, 2006, &typeid(KovUnitDegree), 1, 2006},
      {7, 4, &typeid(KovUnitFractalDecimal), 1, 4},
      {7, 1, &typeid(KovUnitDecimal), 1, 3},
      {0, 0, &typeid(KovUnitDecimal), 1, 3},
      {-20, 5, &typeid(KovUnitDecimal), 1, 3},
      {INT_MIN, INT_MAX, &typeid(KovUnitDecimal), 1, 3},
      {INT_MAX, 2008, &typeid(KovUnitDecimal), 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "getNewUnit(" << c.units << ", " << c.representation << ")");
    int representation = c.representation;
    KovUnitTransform* unit = make(c.units, representation);
    const std::type_info* made = unit == nullptr ? nullptr : &typeid(*unit);
    EXPECT_EQ(nameOf(made), nameOf(c.made));
    EXPECT_EQ(representation, c.representationAfter);
    if (unit != nullptr) {
      EXPECT_EQ(unit->getPower(), c.power);
    }
    EXPECT_EQ(KovUnitsTransformArray::removeUnit(unit), 1);
  }
}

// What every class starts with: its prototype's values, not those of an object that
// an earlier caller has configured; a clone keeps the class.
TEST(UnitFactory, StartsEveryObjectFromItsPrototypeValuesAndClonesKeepTheClass) {
  struct Case {
    int units;
    int representation;
    double factor;
    int precision;  // in the class's own form
  };
  const Case cases[] = {
      {20, 1, 25.4, 4},    {20, 2, 25.4, 100},   {20, 5, 1.0, 100},      {20, 5006, 1.0, 4},
      {2000, 0, 1.0, 100}, {2000, 2008, 1.0, 0}, {2000, 2005, 1.0, 100}, {2000, 2007, 1.0, 100},
      {1010, 0, 1.0, 100}, {1009, 0, 1.0, 100},  {3101, 0, 1.0, 100},    {3201, 0, 1.0, 100},
      {3300, 0, 1.0, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "getNewUnit(" << c.units << ", " << c.representation << ")");
    for (int round = 0; round < 2; ++round) {
      int representation = c.representation;
      KovUnitTransform* unit = make(c.units, representation);
      ASSERT_NE(unit, nullptr);
      EXPECT_EQ(unit->getFactor(), c.factor);
      EXPECT_EQ(unit->getPrecision(), c.precision);
      EXPECT_EQ(unit->getPower(), 1);
      EXPECT_EQ(unit->getUseRegionalSettings(), 0);
      EXPECT_TRUE(unit->getSymbol().isEmpty());
      // Configure it the way a host would; the next object must not see any of it.
      unit->setFactor(1000.0);
      unit->setPrecision(1000);
      unit->setPower(3);
      unit->setSymbol(KovString(L"a symbol long enough to live on the heap, not inline"));
      unit->setUseRegionalSettings(1);
      KovUnitTransform* copy = unit->clone();
      EXPECT_EQ(nameOf(&typeid(*copy)), nameOf(&typeid(*unit)));
      EXPECT_EQ(KovUnitsTransformArray::removeUnit(unit), 1);
      EXPECT_EQ(KovUnitsTransformArray::removeUnit(copy), 1);
    }
  }
}

TEST(UnitFactory, ChangeUnitReleasesTheOldObjectAndMakesTheNewOne) {
  struct Case {
    bool withOld;
    int units;
    int representation;
    const std::type_info* made;
    int representationAfter;
  };
  const Case cases[] = {
      {false, 1009, 0, &typeid(KovUnitGram), 0},
      {true, 2000, 2008, &typeid(KovUnitGradMinSec), 2008},
      {true, 3020, 9, &typeid(KovUnitInch), 3002},
      {true, 5003, 1, nullptr, 1},  // the old object goes even when no new one comes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "changeUnit to (" << c.units << ", " << c.representation << ")");
    int oldRepresentation = 1;
    KovUnitTransform* old = c.withOld ? make(20, oldRepresentation) : nullptr;
    Representation r = static_cast<Representation>(c.representation);
    KovUnitTransform* unit =
        KovUnitsTransformArray::changeUnit(old, static_cast<Units>(c.units), r);
    EXPECT_EQ(nameOf(unit == nullptr ? nullptr : &typeid(*unit)), nameOf(c.made));
    EXPECT_EQ(static_cast<int>(r), c.representationAfter);
    // The sanitizer build reports a leak if the old object was not released.
    KovUnitsTransformArray::removeUnit(unit);
  }
}

// A class of the host's own, which the library did not make.
class HostUnit final : public KovUnitTransform {
 public:
  int isValidString(const KovString&) const override { return 1; }
  int isMetric() const override { return 1; }
  int isFractional() const override { return 0; }
  KovUnitTransform* clone() const override { return new HostUnit(*this); }
};

TEST(UnitFactory, RemoveUnitDestroysOnlyObjectsOfTheLibrary) {
  // Left to the implementer: null destroys nothing and answers 1.
  EXPECT_EQ(KovUnitsTransformArray::removeUnit(nullptr), 1);

  HostUnit* foreign = new HostUnit;
  EXPECT_EQ(KovUnitsTransformArray::removeUnit(foreign), 0);
  foreign->setFactor(2.0);  // still alive: ASan would report a use after free
  EXPECT_EQ(foreign->getFactor(), 2.0);
  delete foreign;
}

// The factory reads only the prototypes, and a unit object is used by one thread
// at a time; so four threads that each make, use and remove their own objects must
// get exactly what one thread gets. The ThreadSanitizer stage runs this test.
TEST(UnitFactoryThreads, MakesShowsReadsAndRemovesUnitsOnFourThreadsAtOnce) {
  struct Case {
    int units;
    int representation;
    double factor;
    int precision;
    int regional;
    double value;
  };
  const Case cases[] = {
      {20, 5, 1000.0, 1000, 0, 1234.5},
      {20, 5, 1000.0, 1000, 1, -98765.4321},
      {20, 1, 25.4, 16, 0, 1689.1},
      {20, 2, 25.4, 100, 0, 1689.1},
      {3005, 3004, 1.0, 8, 0, 2.75},
      {2000, 0, 360.0, 100, 1, 370.25},
      {2000, 2007, 400.0, 100, 0, 90.0},
      {2000, 2005, 6.283185307179586, 100, 0, 180.0},
      {2000, 2008, 1.0, 3600, 0, 10.504166666666666},
      {1010, 0, 1.0, 100, 0, 1000.0},
      {1009, 0, 1000.0, 1000, 1, 2500.0},
      {3101, 0, 0.001, 100, 0, 1.5},
      {3201, 0, 1.0, 10, 0, 12.25},
      {3300, 0, 1.0, 100, 0, 355.0},
  };
  constexpr int kCases = static_cast<int>(sizeof(cases) / sizeof(cases[0]));

  struct Outcome {
    std::wstring text;
    int valid = 0;
    double read[3] = {0.0, 0.0, 0.0};
    bool operator==(const Outcome& other) const {
      // Bitwise on the doubles: the same steps must give the same bits on any thread.
      return text == other.text && valid == other.valid &&
             std::memcmp(read, other.read, sizeof(read)) == 0;
    }
  };

  const auto use = [&](const Case& c, Outcome& outcome) {
    int representation = c.representation;
    KovUnitTransform* unit = make(c.units, representation);
    if (unit == nullptr) return false;
    unit->setFactor(c.factor);
    unit->setPrecision(c.precision);
    unit->setUseRegionalSettings(c.regional);
    const KovString shown = unit->getDisplayString(c.value, 0, 0, 1, 1, L'-');
    outcome.text.assign(shown.getStringW());
    outcome.valid = unit->isValidString(shown);
    outcome.read[0] = unit->getMillimeters(shown);
    outcome.read[1] = unit->getDegrees(shown);
    outcome.read[2] = unit->getGrams(shown);
    return KovUnitsTransformArray::removeUnit(unit) == 1;
  };

  std::vector<Outcome> expected(static_cast<std::size_t>(kCases));
  for (int i = 0; i < kCases; ++i) {
    ASSERT_TRUE(use(cases[i], expected[static_cast<std::size_t>(i)]));
  }

  constexpr int kThreads = 4;
  constexpr int kIterations = 2000;
  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      Outcome outcome;
      for (int i = 0; i < kIterations; ++i) {
        const int k = (i + t * 5) % kCases;
        if (!use(cases[k], outcome) || !(outcome == expected[static_cast<std::size_t>(k)]))
          mismatches.fetch_add(1);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace

// The names stand for the factory's own numbers, which hosts store in their models.
TEST(UnitFactoryCodes, EveryNameIsItsNumber) {
  namespace c = pelunits::codes;
  struct Case {
    int name;
    int number;
  };
  const Case cases[] = {
      {c::length, 20},
      {c::weight, 1009},
      {c::imperialWeight, 1010},
      {c::angle, 2000},
      {c::area, 3005},
      {c::imperialArea, 3020},
      {c::force, 3101},
      {c::forceAlternate, 3102},
      {c::moment, 3201},
      {c::momentAlternate, 3202},
      {c::stress, 3300},
      {c::stressAlternate, 3301},
      {c::volume, 5003},
      {c::imperialVolume, 5004},
      {c::fourthPower, 5103},
      {c::imperialFourthPower, 5104},
      {c::anyRepresentation, 0},
      {c::fractionalInch, 1},
      {c::decimalInch, 2},
      {c::decimal, 5},
      {c::fractionalDecimal, 5006},
      {c::radians, 2005},
      {c::gon, 2007},
      {c::degreesMinutesSeconds, 2008},
      {c::areaDecimal, 3003},
      {c::areaFractionalDecimal, 3004},
      {c::imperialAreaFractionalInch, 3001},
      {c::imperialAreaDecimalInch, 3002},
      {c::imperialAreaDecimal, 3005},
      {c::volumeDecimal, 4003},
      {c::volumeFractionalDecimal, 4004},
      {c::imperialVolumeFractionalInch, 4001},
      {c::imperialVolumeDecimalInch, 4002},
      {c::imperialVolumeDecimal, 4005},
      {c::fourthPowerDecimal, 5003},
      {c::fourthPowerFractionalDecimal, 5004},
      {c::imperialFourthPowerFractionalInch, 5001},
      {c::imperialFourthPowerDecimalInch, 5002},
      {c::imperialFourthPowerDecimal, 5005},
      {c::otherDecimal, 3},
      {c::otherFractionalDecimal, 4},
      {c::otherDegrees, 2006},
  };
  for (const Case& k : cases) EXPECT_EQ(k.name, k.number) << "row " << (&k - cases);
}
