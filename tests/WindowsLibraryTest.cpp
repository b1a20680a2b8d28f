// Windows only: the DLL loads, answers and unloads cleanly.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr const wchar_t* kLibraryName = L"libPelUnitsTransform.dll";

// The test executable links the library statically, so the DLL beside it is loaded
// fresh: its static objects are built, its entry runs, and FreeLibrary ends it.
TEST(WindowsLibrary, LoadsAndUnloadsRepeatedly) {
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    ASSERT_EQ(GetModuleHandleW(kLibraryName), nullptr);
    HMODULE library = LoadLibraryW(kLibraryName);
    ASSERT_NE(library, nullptr) << "error " << GetLastError();
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_EQ(GetModuleHandleW(kLibraryName), nullptr);
  }
}

}  // namespace
