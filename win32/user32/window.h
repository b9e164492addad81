// user32: the window record, the handle table and the geometry every other part of user32 shares.
#ifndef OXBYTE_WIN32_USER32_WINDOW_H
#define OXBYTE_WIN32_USER32_WINDOW_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "backend/driver.h"
#include "gdi32/region.h"
#include "gdi32/surface.h"

namespace win32 {

struct WindowClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int windowExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::string menuName;
  bool system = false;
  int windows = 0;  // live windows of the class; a class in use cannot be unregistered
};

struct Window;

// Per-window state a built-in control or a subsystem keeps; destroyed with the window.
struct ControlState {
  virtual ~ControlState() = default;
  // A control with a non-client part of its own (a toolbar's divider line) says how much it takes from
  // each side of the window and draws it, as its WM_NCCALCSIZE and WM_NCPAINT would on Windows.
  virtual RECT nonClientExtra() const { return RECT{0, 0, 0, 0}; }
  virtual void paintNonClient(Window &, HDC) {}
};

struct ScrollBarState {
  int min = 0, max = 100, pos = 0, trackPos = 0;
  UINT page = 0;
  bool shown = true;
  bool tracking = false;
  int pressedPart = 0;  // which part the mouse holds (see scrollbar.cpp); 0 none
};

// What only top-level windows have: their desktop window and pixels.
struct TopLevel {
  backend::NativeId native = 0;
  Surface surface;
  bool minimized = false;
  bool shownOnce = false;
  HWND lastFocus = nullptr;  // the focus to give back when the window is activated again
};

struct Window {
  HWND handle = nullptr;
  WindowClass *cls = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0, exStyle = 0;
  std::string text;
  HWND parent = nullptr;  // null for top-level windows
  HWND owner = nullptr;
  std::vector<HWND> children;  // top of the z-order first; new children go to the bottom
  RECT rect{};                 // children: relative to the parent's client area; top-level: screen
  UINT_PTR id = 0;             // children
  HMENU menu = nullptr;        // top-level windows
  HMENU systemMenu = nullptr;  // made by GetSystemMenu on first use, destroyed with the window
  HINSTANCE instance = nullptr;
  LONG_PTR userData = 0;
  DWORD helpContext = 0;        // SetWindowContextHelpId
  std::vector<uint8_t> extra;  // cbWndExtra bytes (dialogs keep DWLP_* values here)
  bool destroying = false;

  Region update;  // client coordinates
  bool eraseNeeded = false;
  bool frameNeeded = false;  // the non-client area must be drawn again

  std::unique_ptr<ScrollBarState> vscroll;
  std::unique_ptr<ControlState> control;
  std::unique_ptr<ControlState> dialog;
  std::unique_ptr<TopLevel> top;

  bool isChild() const { return (style & WS_CHILD) != 0; }
  bool visible() const { return (style & WS_VISIBLE) != 0; }
  bool enabled() const { return (style & WS_DISABLED) == 0; }
};

// The live window behind a handle, or null (with ERROR_INVALID_WINDOW_HANDLE set when `report`).
Window *findWindow(HWND hwnd, bool report = true);
HWND registerWindow(std::unique_ptr<Window> window);
// Takes the window out of the handle table; the record itself lives on until no call is using it.
void retireWindow(HWND hwnd);
void collectRetiredWindows();
std::vector<HWND> allWindows();
std::vector<HWND> topLevelWindows();  // top of the z-order first

// Class registry.
WindowClass *findClass(const char *name);
WindowClass *registerSystemClass(const WNDCLASSA &wc);

// Geometry. The non-client insets are what the window's frame, border, menu bar and scroll bar take.
RECT nonClientInsets(const Window &w);
RECT clientRectOf(const Window &w);        // client coordinates: {0, 0, width, height}
POINT clientOrigin(const Window &w);       // the client area's top-left on the top-level surface
POINT windowOrigin(const Window &w);       // the window rectangle's top-left on the top-level surface
POINT screenOrigin(const Window &w);       // the window rectangle's top-left on the screen
Window *topLevelOf(Window *w);
// The part of the window's client area (or whole window) that can be seen, in surface coordinates.
Region visibleRegion(const Window &w, bool clientOnly);
bool isVisibleOnScreen(const Window &w);

// Shows the class icon (or `icon`) as the desktop window's icon.
void setNativeIcon(Window &w, HICON icon);

}  // namespace win32

#endif
