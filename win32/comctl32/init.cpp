// comctl32: registering the common control classes, and InitCommonControls.
#include <commctrl.h>

#include "comctl32/classes.h"

namespace win32 {

// Once only: registering a class again would replace the class record that existing windows point to.
void registerCommonControlClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  registerToolbarClass();
  registerTooltipClass();
  registerStatusBarClass();
}

}  // namespace win32

extern "C" {

void WINAPI InitCommonControls(void) { win32::registerCommonControlClasses(); }

}  // extern "C"
