// A program outside the library, built against the installed package only.
#include <KovString.h>
#include <KovUnitTransform.h>
#include <KovUnitsTransformArray.h>
#include <PelUnitsFormat.h>

#include <cstdio>

int main() {
  KovString text(L"  12.5 mm");
  if (text.toDouble() != 12.5) return 1;
  text.format(L"%d'%s%d\"", 5, L"-", 6);
  if (!(text == L"5'-6\"")) return 2;

  // A metric length unit from the factory, shown in metres and read back.
  auto representation = static_cast<KovUnitTransform::eSystemRepresentation>(5);
  KovUnitTransform* unit = KovUnitsTransformArray::getNewUnit(
      static_cast<KovUnitTransform::eSystemUnits>(20), representation);
  if (unit == nullptr) return 3;
  unit->setFactor(1000.0);
  unit->setPrecision(1000);
  if (!(unit->getDisplayString(1234.0, 0, 0, 0, 0, L' ') == L"1.234")) return 4;
  if (unit->getMillimeters(KovString(L"1 1/2")) != 1500.0) return 5;
  pelunits::FormatOptions options;
  options.increment = L"5 mm";
  options.plusSign = true;
  if (!(pelunits::format(*unit, 1234.5, options) == L"+1.235")) return 7;
  if (KovUnitsTransformArray::removeUnit(unit) != 1) return 6;
  std::puts("consumer ok");
  return 0;
}
