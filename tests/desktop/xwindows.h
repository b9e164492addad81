// Reading the X windows of the display: the tree, titles, geometry and the properties that a window
// manager reads.
#ifndef OXBYTE_TESTS_DESKTOP_XWINDOWS_H
#define OXBYTE_TESTS_DESKTOP_XWINDOWS_H

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace desktop {

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
  bool operator==(const Rect &) const = default;
};

// Errors from windows that vanish while the test reads them are expected: they are ignored, not fatal.
void tolerateXErrors();

Atom atom(Display *x, const char *name);
std::string atomName(Display *x, Atom atom);

// A 32-bit property as numbers (CARDINAL, ATOM, WINDOW alike); empty when missing.
std::vector<unsigned long> windowProperty(Display *x, Window window, const char *name);
// A text property as its bytes (UTF8_STRING or STRING); empty when missing.
std::string stringProperty(Display *x, Window window, const char *name);
// An ATOM-list property as the atoms' names.
std::vector<std::string> atomNames(Display *x, Window window, const char *name);

// Every window on the display whose _NET_WM_PID is `pid`, top-level clients and others alike.
std::vector<Window> windowsOfProcess(Display *x, pid_t pid);

// The window's title, _NET_WM_NAME (UTF-8) or else WM_NAME.
std::string title(Display *x, Window window);
// Where the window is, in root coordinates; nullopt when it is gone.
std::optional<Rect> geometry(Display *x, Window window);
bool isViewable(Display *x, Window window);
bool isOverrideRedirect(Display *x, Window window);
Window transientFor(Display *x, Window window);
std::optional<XSizeHints> normalHints(Display *x, Window window);
// WM_STATE's first field (NormalState, IconicState, WithdrawnState); nullopt when unset.
std::optional<long> wmState(Display *x, Window window);

}  // namespace desktop

#endif
