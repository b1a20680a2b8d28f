// The unit table against the layers that read it: the factory makes each row's class
// from its codes, the exact reader knows its kind and quantity, and the words its
// displays write are words of its field.

#include <gtest/gtest.h>

#include <cwchar>
#include <typeinfo>

#include "KovUnitsTransformArray.h"
#include "PelUnitsRead.h"
#include "exact/UnitKind.h"
#include "exact/UnitWords.h"
#include "factory/UnitDescriptions.h"
#include "units/angle/KovUnitGon.h"
#include "units/imperial/KovUnitInch.h"

namespace {

using pelunits::UnitDescription;

TEST(UnitDescriptions, EveryRowIsWhatTheLayersMakeOfItsClass) {
  std::size_t count = 0;
  const UnitDescription* rows = pelunits::unitDescriptions(count);
  ASSERT_EQ(count, 13u);
  for (const UnitDescription* row = rows; row != rows + count; ++row) {
    SCOPED_TRACE(row->className);
    const pelunits::FactoryCode& atPowerOne = row->makes[0];
    auto representation =
        static_cast<KovUnitTransform::eSystemRepresentation>(atPowerOne.representation);
    pelunits::UnitPtr unit(KovUnitsTransformArray::getNewUnit(
        static_cast<KovUnitTransform::eSystemUnits>(atPowerOne.systemUnits), representation));
    ASSERT_NE(unit, nullptr);
    // typeid of a plain reference: Clang warns of side effects through the smart pointer.
    const KovUnitTransform& made = *unit;
    EXPECT_EQ(typeid(made), *row->type);
    EXPECT_EQ(typeid(*row->prototype), *row->type);
    EXPECT_EQ(pelunits::exact::kindOf(*unit), row->kind);
    EXPECT_EQ(pelunits::quantityOf(*unit), row->quantity);

    pelunits::exact::WordField field;
    field.quantity = row->quantity;
    field.unitOunce = row->field == pelunits::FieldForm::poundsOunces;
    const std::size_t length = std::wcslen(row->words);
    for (std::size_t at = 0; at < length; ++at) {
      if (row->words[at] == L' ') continue;
      pelunits::exact::UnitWord word;
      bool ownSymbol = false;
      ASSERT_EQ(pelunits::exact::matchUnitWord(row->words, length, at, field, word, ownSymbol),
                pelunits::exact::WordMatch::found)
          << "at " << at;
      EXPECT_EQ(word.quantity, row->quantity) << "at " << at;
      at = word.end;
    }
  }
}

// A host's own subclass of a library class is not in the table: it takes its base's kind.
class HostGon final : public KovUnitGon {};
class HostInch final : public KovUnitInch {};

TEST(UnitDescriptions, AHostsSubclassTakesTheKindOfTheLibraryClassItDerivesFrom) {
  const HostGon gon;
  const HostInch inch;
  EXPECT_EQ(pelunits::descriptionOfType(gon), nullptr);
  EXPECT_EQ(pelunits::exact::kindOf(gon), pelunits::UnitKind::gon);
  EXPECT_EQ(pelunits::exact::kindOf(inch), pelunits::UnitKind::feetInch);
  EXPECT_EQ(pelunits::quantityOf(inch), pelunits::Quantity::length);
}

}  // namespace
