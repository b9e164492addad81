// comctl32: InitCommonControls.
#include <commctrl.h>

#include "user32/system_classes.h"

extern "C" {

// The common control classes are built in and registered on first use; this only makes sure they are.
void WINAPI InitCommonControls(void) { win32::ensureSystemClasses(); }

}  // extern "C"
