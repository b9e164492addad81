// backend: what the SDL driver tells an X11 desktop itself.
#include "backend/sdl/x11.h"

#include "backend/sdl/library.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <dlfcn.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace win32::backend::x11 {
namespace {

#define OXBYTE_X11_FUNCTIONS(X)                                                                             \
  X(XSetErrorHandler) X(XInternAtom) X(XChangeProperty) X(XDeleteProperty) X(XMapRaised) X(XUnmapWindow)   \
  X(XFlush) X(XGetWindowAttributes) X(XPutBackEvent) X(XPending) X(XConnectionNumber) X(XOpenDisplay)      \
  X(XCloseDisplay) X(XResourceManagerString) X(XDefaultScreen) X(XDisplayWidth) X(XDisplayWidthMM)    \
  X(XResizeWindow) X(XSync)

struct Xlib {
#define OXBYTE_X11_POINTER(name) decltype(&::name) name = nullptr;
  OXBYTE_X11_FUNCTIONS(OXBYTE_X11_POINTER)
#undef OXBYTE_X11_POINTER
};

Xlib xlib;
bool loaded = false;
Display *display = nullptr;

int ignoreError(Display *, XErrorEvent *) { return 0; }

// What SDL says of the window on X11; false when it is not an X11 window.
bool x11InfoOf(SDL_Window *window, SDL_SysWMinfo &info) {
  SDL_VERSION(&info.version);
  return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}

// The X window behind an SDL window, once the display is known; None otherwise.
::Window xWindowOf(SDL_Window *window) {
  SDL_SysWMinfo info;
  return display && x11InfoOf(window, info) ? info.info.x11.window : None;
}

Atom atom(const char *name) { return xlib.XInternAtom(display, name, False); }

// _MOTIF_WM_HINTS, which window managers read for the functions and buttons they offer.
constexpr long kHintsFunctions = 1, kHintsDecorations = 2;
constexpr long kFunctionResize = 2, kFunctionMove = 4, kFunctionMinimize = 8, kFunctionMaximize = 16,
               kFunctionClose = 32;
constexpr long kDecorBorder = 2, kDecorResizeHandle = 4, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimize = 32,
               kDecorMaximize = 64;

void setMotifHints(::Window w, uint32_t actions) {
  long functions = kFunctionMove, decorations = kDecorBorder | kDecorTitle | kDecorMenu;
  if (actions & ActionResize) functions |= kFunctionResize, decorations |= kDecorResizeHandle;
  if (actions & ActionMinimize) functions |= kFunctionMinimize, decorations |= kDecorMinimize;
  if (actions & ActionMaximize) functions |= kFunctionMaximize, decorations |= kDecorMaximize;
  if (actions & ActionClose) functions |= kFunctionClose;
  long hints[5] = {kHintsFunctions | kHintsDecorations, functions, decorations, 0, 0};
  Atom motif = atom("_MOTIF_WM_HINTS");
  xlib.XChangeProperty(display, w, motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char *>(hints), 5);
}

void setWindowType(::Window w, const char *type) {
  Atom value = atom(type);
  xlib.XChangeProperty(display, w, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                       reinterpret_cast<unsigned char *>(&value), 1);
}

// The Xft.dpi line of the desktop's resources ("Xft.dpi:\t192"), or 0.
float xftDpi(const char *resources) {
  for (const char *line = resources; line && *line; line = std::strchr(line, '\n')) {
    line += *line == '\n';
    if (std::strncmp(line, "Xft.dpi:", 8) == 0) return std::strtof(line + 8, nullptr);
  }
  return 0;
}

}  // namespace

bool load() {
  if (loaded) return true;
  void *library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (!library) return false;
#define OXBYTE_X11_FIND(name)                                                      \
  xlib.name = reinterpret_cast<decltype(xlib.name)>(dlsym(library, #name));        \
  if (!xlib.name) return false;
  OXBYTE_X11_FUNCTIONS(OXBYTE_X11_FIND)
#undef OXBYTE_X11_FIND
  loaded = true;
  return true;
}

void ignoreErrors() {
  if (loaded) xlib.XSetErrorHandler(ignoreError);
}

void noteDisplay(SDL_Window *window) {
  SDL_SysWMinfo info;
  if (!display && loaded && x11InfoOf(window, info)) display = info.info.x11.display;
}

bool active() { return display != nullptr; }

void describe(SDL_Window *window, WindowKind kind, uint32_t actions) {
  ::Window w = xWindowOf(window);
  if (w == None || kind == WindowKind::Popup) return;
  setMotifHints(w, actions);
  if (kind == WindowKind::Dialog) setWindowType(w, "_NET_WM_WINDOW_TYPE_DIALOG");
  // SDL makes a window transient for the whole screen where it finds no motif hints yet; a window of its
  // own belongs to nothing.
  if (kind == WindowKind::Main) xlib.XDeleteProperty(display, w, XA_WM_TRANSIENT_FOR);
}

void showPopup(SDL_Window *window, bool visible) {
  if (::Window w = xWindowOf(window)) {
    visible ? xlib.XMapRaised(display, w) : xlib.XUnmapWindow(display, w);
    xlib.XFlush(display);
  }
}

bool vanished(SDL_Window *window) {
  ::Window w = xWindowOf(window);
  XWindowAttributes attributes;
  if (w == None || xlib.XGetWindowAttributes(display, w, &attributes)) return false;
  XEvent unmapped{};
  unmapped.xunmap.type = UnmapNotify;
  unmapped.xunmap.display = display;
  unmapped.xunmap.event = unmapped.xunmap.window = w;
  xlib.XPutBackEvent(display, &unmapped);
  return true;
}

void resizeAhead(SDL_Window *window, int width, int height) {
  ::Window w = xWindowOf(window);
  XWindowAttributes before;
  if (w == None || !(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE) || !xlib.XGetWindowAttributes(display, w, &before))
    return;
  xlib.XResizeWindow(display, w, unsigned(width), unsigned(height));
  // A desktop that has not answered in 20 ms is left to SDL's own wait, which follows.
  for (Uint64 deadline = SDL_GetTicks64() + 20; SDL_GetTicks64() < deadline; usleep(100)) {
    xlib.XSync(display, False);
    XWindowAttributes now;
    if (!xlib.XGetWindowAttributes(display, w, &now) || now.width != before.width || now.height != before.height) return;
  }
}

bool waitForInput(int timeoutMs) {
  if (!display) return false;
  // XPending also sends what is still buffered, so the server answers before we sleep.
  if (xlib.XPending(display) > 0) return true;
  pollfd fd{xlib.XConnectionNumber(display), POLLIN, 0};
  poll(&fd, 1, timeoutMs);
  return true;
}

float desktopDpi() {
  if (!loaded) return 0;
  Display *desktop = xlib.XOpenDisplay(nullptr);
  if (!desktop) return 0;
  float dpi = xftDpi(xlib.XResourceManagerString(desktop));
  int screen = xlib.XDefaultScreen(desktop), millimetres = xlib.XDisplayWidthMM(desktop, screen);
  if (!dpi && millimetres > 0) dpi = xlib.XDisplayWidth(desktop, screen) * 25.4f / millimetres;
  xlib.XCloseDisplay(desktop);
  return dpi;
}

}  // namespace win32::backend::x11
