// backend: the small driver interface between the stand-in and a display (SDL2) or none (headless).
#ifndef OXBYTE_WIN32_BACKEND_DRIVER_H
#define OXBYTE_WIN32_BACKEND_DRIVER_H

#include <cstdint>
#include <string>

namespace win32::backend {

using NativeId = uint32_t;  // a top-level window as the driver knows it; 0 is none

enum class WindowKind {
  Main,    // a window of its own on the desktop
  Dialog,  // belongs to its owner: kept above it, minimised with it, no task-bar entry of its own
  Popup,   // no decoration, never takes the keyboard: drop-down menus and lists, tooltips
};

// What the desktop may offer the user for a window, as its Win32 styles allow; moving is always allowed.
enum WindowAction : uint32_t { ActionResize = 1, ActionMinimize = 2, ActionMaximize = 4, ActionClose = 8 };

enum class EventType {
  KeyDown,      // vk, repeat, mods
  KeyUp,        // vk, mods
  Text,         // text: UTF-8 typed by the user
  MouseDown,    // x, y (window coordinates), button 1 left / 2 middle / 3 right, clicks
  MouseUp,      // x, y, button
  MouseMove,    // x, y
  MouseWheel,   // x, y, wheel (notches, positive away from the user)
  MouseLeave,   // the pointer left the window
  Close,        // the user asked to close the window
  Resized,      // width, height: the user resized the window
  Moved,        // x, y: the window's new screen position
  Minimized,
  Restored,
  Exposed,      // the window's pixels must be shown again
  FocusGained,  // mods: the modifier keys held at that moment
  FocusLost,
};

enum Modifier : uint32_t { ModShift = 1, ModCtrl = 2, ModAlt = 4 };

struct Event {
  EventType type = EventType::Exposed;
  NativeId window = 0;
  int vk = 0;
  bool repeat = false;
  uint32_t mods = 0;
  int x = 0, y = 0;
  int button = 0;
  int clicks = 1;
  int wheel = 0;
  int width = 0, height = 0;
  char text[32] = {};
};

class Driver {
 public:
  virtual ~Driver() = default;

  virtual NativeId createWindow(const std::string &title, int x, int y, int width, int height, WindowKind kind,
                                uint32_t actions) = 0;
  virtual void destroyWindow(NativeId id) = 0;
  virtual void setTitle(NativeId id, const std::string &title) = 0;
  virtual void setBounds(NativeId id, int x, int y, int width, int height) = 0;
  virtual void show(NativeId id, bool visible) = 0;
  virtual void minimize(NativeId id) = 0;
  // Brings the window to the front and gives it the keyboard, as activating a window does on Windows.
  virtual void activate(NativeId id) = 0;
  virtual void setIcon(NativeId id, const uint32_t *argb, int width, int height) = 0;
  // Keeps a dialog above its owner on the desktop.
  virtual void setOwner(NativeId id, NativeId owner) = 0;

  // Shows the window's pixels (0x00RRGGBB, `stride` pixels per row), of which only `dirty` changed.
  virtual void present(NativeId id, const uint32_t *pixels, int width, int height, int stride, int dirtyLeft,
                       int dirtyTop, int dirtyRight, int dirtyBottom) = 0;

  // Waits at most `timeoutMs` (0: do not wait) for the next input event.
  virtual bool waitEvent(Event &event, int64_t timeoutMs) = 0;

  // Milliseconds on the driver's clock: real time, or the headless clock the tests advance.
  virtual uint64_t now() = 0;
  // Called when the message loop has nothing to do until `deadline` on the driver's clock.
  virtual void idleUntil(uint64_t deadline) = 0;

  virtual void beep() = 0;
  virtual void setClipboardText(const std::string &text) = 0;
  virtual std::string clipboardText() = 0;
  virtual void captureMouse(bool on) = 0;
  virtual int screenWidth() = 0;
  virtual int screenHeight() = 0;
  // How many windows have taken the default place on this desktop so far, by any program on it; each call
  // counts one more. Windows keeps this count for the desktop, so that each new window cascades from the
  // last whichever program made it.
  virtual unsigned takeDefaultPlace() = 0;
};

// The driver in use. The first use without a choice picks SDL.
Driver &driver();
// Tests and the scene renderer: draw into memory only, on a clock the caller advances.
void useHeadless();
// Opens the display; on failure returns false with a one-line reason ("SDL2 could not be loaded: …",
// "no display to open a window on: …").
bool useSdl(std::string &error);
bool isHeadless();

// Headless only: moves the test clock forward.
void advanceHeadlessClock(uint64_t ms);
// Headless only: queues an input event as if a user had produced it.
void injectHeadlessEvent(const Event &event);

}  // namespace win32::backend

#endif
