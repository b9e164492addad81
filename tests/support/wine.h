// Whether the tests run under Wine rather than on Windows or the stand-in: Wine's ntdll exports
// wine_get_version, which Windows' ntdll does not. For the few expectations where Wine is known to
// differ from Windows; each such place says what Windows does and how we know.
#ifndef OXBYTE_TESTS_SUPPORT_WINE_H
#define OXBYTE_TESTS_SUPPORT_WINE_H

#include <windows.h>

inline bool runningUnderWine() {
#ifdef _WIN32
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

#endif
