// backend: what the SDL driver tells an X11 desktop itself — the window manager's hints, drop-downs that
// never take the keyboard, X errors that never end the program, and the desktop's DPI.
#ifndef OXBYTE_WIN32_BACKEND_SDL_X11_H
#define OXBYTE_WIN32_BACKEND_SDL_X11_H

#include <cstdint>

#include "backend/driver.h"

struct SDL_Window;

namespace win32::backend::x11 {

// Loads the few Xlib functions the driver calls itself, from the library SDL uses. False where there is
// no Xlib; then every other call here does nothing.
bool load();

// From here on an X error (a request about a window the server has already destroyed, say) is ignored
// instead of ending the program. Called before SDL opens the display, so that SDL hands this handler
// back when it closes it, and again after, to replace the one SDL installs.
void ignoreErrors();

// The display SDL opened, found through a window; null until a window exists or off X11.
void noteDisplay(SDL_Window *window);
bool active();

// Tells the window manager what the window's styles allow, before it is first shown: its type (a dialog
// belongs to its owner) and which functions and buttons to offer.
void describe(SDL_Window *window, WindowKind kind, uint32_t actions);

// Drop-down menus and tooltips are mapped and unmapped here rather than by SDL, which moves the keyboard
// focus to every window it shows where no window manager runs.
void showPopup(SDL_Window *window, bool visible);

// True when another program has destroyed the window's X window. SDL, hiding or destroying such a window,
// would wait for ever for the server to report it unmapped; that report is queued here in advance.
bool vanished(SDL_Window *window);

// SDL, resizing a window, waits for the server to show the new size but looks again only every 10 ms,
// while a window manager answers in well under one. The resize is asked for here first and watched
// closely, so that SDL finds it done. Only for windows the user may resize: for the others SDL first
// changes the size hints, without which the window manager would refuse.
void resizeAhead(SDL_Window *window, int width, int height);

// Waits until the display has something to read or `timeoutMs` passes; false when it cannot wait on
// the display (then SDL's own wait is used).
bool waitForInput(int timeoutMs);

// Dots per inch of the X desktop: its Xft.dpi resource where it sets one, else the screen's own
// measure; 0 where neither is known. Read through a connection of its own, before SDL opens one.
float desktopDpi();

}  // namespace win32::backend::x11

#endif
