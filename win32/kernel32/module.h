// kernel32: the program's module handle (the program is the only module).
#ifndef OXBYTE_WIN32_KERNEL32_MODULE_H
#define OXBYTE_WIN32_KERNEL32_MODULE_H

#include <windows.h>

namespace win32 {

// The handle GetModuleHandleA(NULL) returns and WinMain receives: Windows' classic image base.
HINSTANCE programModule();

// Resource loaders take a null instance handle to mean the program itself, as Windows does.
bool isProgramModule(HMODULE module);

}  // namespace win32

#endif
