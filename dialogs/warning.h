// The warning message box.
#ifndef OXBYTE_DIALOGS_WARNING_H
#define OXBYTE_DIALOGS_WARNING_H

#include <windows.h>

// A warning box captioned "Oxbyte" with `format` filled by `argument` ("(无标题)" when it is empty); an
// argument too long for the box is shortened in the middle with "…".
void showWarning(HWND owner, const char *format, const char *argument);

#endif
