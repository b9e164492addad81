// user32: keyboard and mouse input, focus and activation.
#ifndef OXBYTE_WIN32_USER32_INPUT_H
#define OXBYTE_WIN32_USER32_INPUT_H

#include <windows.h>

#include <vector>

#include "backend/driver.h"

namespace win32 {

struct Window;

void handleBackendEvent(const backend::Event &event);
// The key state follows the input messages as the program retrieves them, as on Windows.
void noteInputRetrieved(const MSG &msg);
// Makes `top` the active top-level window (WM_NCACTIVATE, WM_ACTIVATE), as a click or ShowWindow does.
void activateTopLevel(HWND top, bool byMouse);
// A window is going away: focus, capture and activation move elsewhere, as Windows moves them.
void windowGoingAway(HWND hwnd);
Window *windowOfNative(backend::NativeId id);
// The messages a key, character or mouse event from the desktop becomes now; none when it reaches no window.
std::vector<MSG> inputMessagesFor(const backend::Event &event);

}  // namespace win32

#endif
