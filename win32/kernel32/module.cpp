// kernel32: the program's module handle (the program is the only module).
#include "kernel32/module.h"

namespace win32 {

HINSTANCE programModule() { return reinterpret_cast<HINSTANCE>(0x400000); }

bool isProgramModule(HMODULE module) { return module == nullptr || module == programModule(); }

}  // namespace win32

// No DLLs are loaded, so no name finds a module.
extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (lpModuleName == nullptr) return win32::programModule();
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}
