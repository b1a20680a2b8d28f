// A program outside the library, built against the installed package only.
#include <KovString.h>
#include <KovUnitTransform.h>
#include <KovUnitsTransformArray.h>

#include <cstdio>

int main() {
  KovString text(L"  12.5 mm");
  if (text.toDouble() != 12.5) return 1;
  text.format(L"%d'%s%d\"", 5, L"-", 6);
  if (!(text == L"5'-6\"")) return 2;
  std::puts("consumer ok");
  return 0;
}
