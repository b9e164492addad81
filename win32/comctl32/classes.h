// comctl32: the common control classes, registered with the other built-in classes on first use.
#ifndef OXBYTE_WIN32_COMCTL32_CLASSES_H
#define OXBYTE_WIN32_COMCTL32_CLASSES_H

namespace win32 {

void registerToolbarClass();
void registerTooltipClass();
void registerStatusBarClass();

}  // namespace win32

#endif
