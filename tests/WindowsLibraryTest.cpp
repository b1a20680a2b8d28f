// Windows only: the DLL loads, answers and unloads cleanly.
#include <gtest/gtest.h>
#include <windows.h>

#include "KovUnitTransform.h"

namespace {

constexpr const wchar_t* kLibraryName = L"libPelUnitsTransform.dll";

using GetNewUnit = KovUnitTransform* (*)(KovUnitTransform::eSystemUnits,
                                         KovUnitTransform::eSystemRepresentation&);
using RemoveUnit = int (*)(KovUnitTransform*);

// The factory's exported names as this compiler writes them.
constexpr const char* kGetNewUnit =
    "_ZN22KovUnitsTransformArray10getNewUnitEN16KovUnitTransform12eSystemUnitsERNS0_"
    "21eSystemRepresentationE";
constexpr const char* kRemoveUnit = "_ZN22KovUnitsTransformArray10removeUnitEP16KovUnitTransform";

template <class Function>
Function exported(HMODULE library, const char* name) {
  // Through a plain function pointer type, which any function pointer converts to.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// The test executable links the library statically, so the DLL beside it is loaded
// fresh each round: its prototypes are built before the entry reports success, the
// factory copies them, and FreeLibrary destroys them again.
TEST(WindowsLibrary, LoadsServesTheFactoryAndUnloadsRepeatedly) {
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    ASSERT_EQ(GetModuleHandleW(kLibraryName), nullptr);
    HMODULE library = LoadLibraryW(kLibraryName);
    ASSERT_NE(library, nullptr) << "error " << GetLastError();
    const auto getNewUnit = exported<GetNewUnit>(library, kGetNewUnit);
    const auto removeUnit = exported<RemoveUnit>(library, kRemoveUnit);
    ASSERT_NE(getNewUnit, nullptr);
    ASSERT_NE(removeUnit, nullptr);

    // Lengths (20) with representation 1: feet, inches and quarters of an inch.
    auto representation = static_cast<KovUnitTransform::eSystemRepresentation>(1);
    KovUnitTransform* unit =
        getNewUnit(static_cast<KovUnitTransform::eSystemUnits>(20), representation);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->getPrecision(), 4);
    EXPECT_EQ(unit->isFractional(), 1);
    EXPECT_EQ(unit->getFactor(), 25.4);
    EXPECT_EQ(representation, 1);
    EXPECT_EQ(removeUnit(unit), 1);

    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_EQ(GetModuleHandleW(kLibraryName), nullptr);
  }
}

}  // namespace
