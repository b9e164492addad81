// comctl32: its window classes, which it registers itself, as the DLL does on Windows.
#ifndef OXBYTE_WIN32_COMCTL32_CLASSES_H
#define OXBYTE_WIN32_COMCTL32_CLASSES_H

namespace win32 {

// The toolbar, tooltip and status bar classes, registered once. Windows registers them when the DLL is
// loaded, which a program that imports any comctl32 function has done before it runs; here the first
// call into comctl32 stands for that load, so each exported function that creates a window calls this.
void registerCommonControlClasses();

void registerToolbarClass();
void registerTooltipClass();
void registerStatusBarClass();

}  // namespace win32

#endif
