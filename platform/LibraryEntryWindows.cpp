#include <windows.h>

// The library's entry. By the time it runs for the process attach, the C++ runtime
// has built the static objects of the library (the factory's prototypes); after the
// detach it destroys them in the reverse order. The library keeps no per-thread
// state, so the thread attach and detach notifications are turned off.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}
