// The frame's toolbar with its tooltips, and its status bar.
#ifndef OXBYTE_APP_TOOLBAR_H
#define OXBYTE_APP_TOOLBAR_H

#include <windows.h>
#include <commctrl.h>

// The flat toolbar of seven buttons (Open, Save, Exit | Undo all | Find, Go to | About).
HWND createToolbar(HWND frame, HINSTANCE instance);
// The two-part status bar, showing statusText.
HWND createStatusBar(HWND frame);
// Part 0 runs from the left edge to eight character cells before the right edge; part 1 takes the rest.
void setStatusParts(HWND status);
// Answers a tooltip's TTN_NEEDTEXTA with the text of the button's command.
void tooltipText(NMTTDISPINFOA *notification);

#endif
