// backend: the SDL2 driver.
#include "backend/sdl/sdl.h"

#include "backend/sdl/library.h"
#include "backend/sdl/place_count.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "backend/sdl/scale.h"
#include "backend/sdl/utf8.h"
#include "backend/sdl/x11.h"

namespace win32::backend {

namespace {

// The desktop SDL is to reach, chosen before SDL is loaded; false with the reason when there is none.
bool chooseVideoDriver(std::string &error) {
  if (std::getenv("SDL_VIDEODRIVER")) return true;  // the user's own choice
  bool x11 = std::getenv("DISPLAY"), wayland = std::getenv("WAYLAND_DISPLAY");
  if (!x11 && !wayland) {
    error = "no display to open a window on: neither DISPLAY nor WAYLAND_DISPLAY is set";
    return false;
  }
  // Without a Wayland session SDL need not look for one (and complain on the terminal that it found none).
  if (!wayland) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  return true;
}

// Reaching no desktop, SDL falls back to drawing off the screen, where nobody would see a window; that
// driver is used only when asked for by name.
bool drawsOffScreen() {
  const char *driver = SDL_GetCurrentVideoDriver();
  return !std::getenv("SDL_VIDEODRIVER") && driver &&
         (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

void setHints() {
  // Ctrl+C in the terminal ends the program as it ends any other.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Windows draw into plain memory shown as it is; an OpenGL context for that would cost a fifth of a second
  // and ninety megabytes at every start where the graphics are rendered in software.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A click that activates a window is also delivered to it, as on Windows.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
}

}  // namespace

bool isPopupWindow(SDL_Window *window) { return SDL_GetWindowFlags(window) & SDL_WINDOW_POPUP_MENU; }

std::unique_ptr<SdlDriver> SdlDriver::open(std::string &error) {
  if (!openSdlLibrary(error) || !chooseVideoDriver(error)) return nullptr;
  setHints();
  bool xlib = x11::load();
  if (xlib) x11::ignoreErrors();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("no display to open a window on: cannot open a display (") + SDL_GetError() + ")";
    SDL_Quit();
    return nullptr;
  }
  if (drawsOffScreen()) {
    error = "no display to open a window on: no X11 or Wayland display could be reached";
    SDL_Quit();
    return nullptr;
  }
  if (xlib) x11::ignoreErrors();
  bool onX11 = std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0;
  // The X events behind each key event tell a key the user pressed from one SDL makes up when the
  // keyboard moves between windows.
  if (onX11) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  SDL_StartTextInput();
  std::unique_ptr<SdlDriver> driver(new SdlDriver(chooseScale()));
  SDL_SetEventFilter(filterEvent, driver.get());
  return driver;
}

SdlDriver::~SdlDriver() {
  if (audio_) SDL_CloseAudioDevice(audio_);
  SDL_SetEventFilter(nullptr, nullptr);
  SDL_Quit();
}

NativeId SdlDriver::createWindow(const std::string &title, int x, int y, int width, int height, WindowKind kind,
                                 uint32_t actions) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (actions & ActionResize) flags |= SDL_WINDOW_RESIZABLE;
  if (kind == WindowKind::Dialog) flags |= SDL_WINDOW_SKIP_TASKBAR;
  if (kind == WindowKind::Popup) flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
  SDL_Window *window = SDL_CreateWindow(displayText(title).c_str(), x * scale_, y * scale_, width * scale_,
                                        height * scale_, flags);
  if (!window) return 0;
  x11::noteDisplay(window);
  x11::describe(window, kind, actions);
  return SDL_GetWindowID(window);
}

// The desktop gives the keyboard to a dialog; when it goes, the keyboard goes back to the window it
// belongs to rather than to nowhere (as it would on a desktop without a window manager).
void SdlDriver::giveFocusBack(SDL_Window *closing) {
  auto owner = owners_.find(SDL_GetWindowID(closing));
  if (owner == owners_.end() || !(SDL_GetWindowFlags(closing) & SDL_WINDOW_INPUT_FOCUS)) return;
  if (SDL_Window *window = SDL_GetWindowFromID(owner->second)) SDL_SetWindowInputFocus(window);
}

void SdlDriver::destroyWindow(NativeId id) {
  if (SDL_Window *window = SDL_GetWindowFromID(id)) {
    giveFocusBack(window);
    owners_.erase(id);
    disarmKeys();
    x11::vanished(window);
    SDL_DestroyWindow(window);
  }
}

void SdlDriver::setTitle(NativeId id, const std::string &title) {
  if (SDL_Window *window = SDL_GetWindowFromID(id)) SDL_SetWindowTitle(window, displayText(title).c_str());
}

// A window the desktop has maximised keeps the place and size the desktop gave it (the program's own
// pixels are shown at its top left, the rest painted by present).
void SdlDriver::setBounds(NativeId id, int x, int y, int width, int height) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  if (!window || (SDL_GetWindowFlags(window) & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_FULLSCREEN))) return;
  int oldX, oldY, oldW, oldH;
  SDL_GetWindowPosition(window, &oldX, &oldY);
  SDL_GetWindowSize(window, &oldW, &oldH);
  if (oldW != width * scale_ || oldH != height * scale_) {
    x11::resizeAhead(window, width * scale_, height * scale_);
    SDL_SetWindowSize(window, width * scale_, height * scale_);
  }
  if (oldX != x * scale_ || oldY != y * scale_) SDL_SetWindowPosition(window, x * scale_, y * scale_);
}

// Drop-down menus and tooltips never take the keyboard from the window they belong to. Any other window
// shown takes it, also where no window manager would hand it over.
void SdlDriver::show(NativeId id, bool visible) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  if (!window || x11::vanished(window)) return;
  bool popup = isPopupWindow(window) && x11::active();
  if (visible) {
    if (popup) return x11::showPopup(window, true);
    SDL_ShowWindow(window);
    activate(id);
  } else {
    giveFocusBack(window);
    disarmKeys();
    if (popup) return x11::showPopup(window, false);
    SDL_HideWindow(window);
  }
}

void SdlDriver::minimize(NativeId id) {
  if (SDL_Window *window = SDL_GetWindowFromID(id)) SDL_MinimizeWindow(window);
}

void SdlDriver::activate(NativeId id) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  if (!window || isPopupWindow(window)) return;
  SDL_RaiseWindow(window);
  SDL_SetWindowInputFocus(window);
}

void SdlDriver::setIcon(NativeId id, const uint32_t *argb, int width, int height) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  if (!window) return;
  SDL_Surface *icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t *>(argb), width, height, 32,
                                                         width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
}

void SdlDriver::setOwner(NativeId id, NativeId owner) {
  SDL_Window *window = SDL_GetWindowFromID(id), *parent = SDL_GetWindowFromID(owner);
  if (!window || !parent) return;
  SDL_SetWindowModalFor(window, parent);
  owners_[id] = owner;
}

// The desktop may give the window more room than it asked for (a window manager that maximises anyway);
// what lies beyond the window's own pixels is painted in the window colour rather than left unpainted.
void SdlDriver::present(NativeId id, const uint32_t *pixels, int width, int height, int stride, int dirtyLeft,
                        int dirtyTop, int dirtyRight, int dirtyBottom) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  SDL_Surface *target = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!target) return;
  if (scale_ > 1) {
    pixels = scaleUp(pixels, stride, height, dirtyLeft, dirtyTop, dirtyRight, dirtyBottom, scale_, scaled_);
    width *= scale_, height *= scale_, stride = width;
    dirtyLeft *= scale_, dirtyTop *= scale_, dirtyRight *= scale_, dirtyBottom *= scale_;
  }
  SDL_Surface *source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t *>(pixels), width, height, 32,
                                                           stride * 4, SDL_PIXELFORMAT_RGB888);
  if (!source) return;
  SDL_Rect shown[3] = {{dirtyLeft, dirtyTop, dirtyRight - dirtyLeft, dirtyBottom - dirtyTop}};
  SDL_Rect to = shown[0];
  SDL_BlitSurface(source, &shown[0], target, &to);
  SDL_FreeSurface(source);
  int count = 1;
  SDL_Rect right{width, 0, target->w - width, target->h}, below{0, height, std::min(width, target->w), target->h - height};
  for (const SDL_Rect &beyond : {right, below}) {
    if (beyond.w <= 0 || beyond.h <= 0) continue;
    SDL_FillRect(target, &beyond, SDL_MapRGB(target->format, 0xC0, 0xC0, 0xC0));
    shown[count++] = beyond;
  }
  SDL_UpdateWindowSurfaceRects(window, shown, count);
}

uint64_t SdlDriver::now() { return SDL_GetTicks64(); }

void SdlDriver::setClipboardText(const std::string &text) { SDL_SetClipboardText(text.c_str()); }

std::string SdlDriver::clipboardText() {
  char *text = SDL_GetClipboardText();
  std::string result = text ? text : "";
  SDL_free(text);
  return result;
}

void SdlDriver::captureMouse(bool on) { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

int SdlDriver::screenWidth() {
  SDL_DisplayMode mode;
  return (SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : 1280) / scale_;
}

int SdlDriver::screenHeight() {
  SDL_DisplayMode mode;
  return (SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : 1024) / scale_;
}

// On X11 every program on the display shares the count; elsewhere (Wayland, where the compositor places
// windows itself) each program counts its own.
unsigned SdlDriver::takeDefaultPlace() {
  const char *video = SDL_GetCurrentVideoDriver();
  if (video && std::strcmp(video, "x11") == 0)
    if (auto shared = takeSharedPlace(placeCountFile(std::getenv("DISPLAY")))) return *shared;
  return defaultPlaces_++;
}

}  // namespace win32::backend
