// Test support for menus: a frame with a menu bar that records the menu messages it receives and feeds
// the menu loop one scripted step each time the loop goes idle (WM_ENTERIDLE), as a user would act
// while watching the screen.
#ifndef OXBYTE_TESTS_WIN32_MENU_TEST_SUPPORT_H
#define OXBYTE_TESTS_WIN32_MENU_TEST_SUPPORT_H

#include <windows.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/platform.h"
#include "support/platform_screen.h"

namespace menu_test {

struct Logged {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

inline HMENU loadProgramMenu() { return LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU)); }

// Whether menus are drawn in the classic look the look tests check: raised and sunken edges, embossed
// greyed text. Windows draws them flat instead when SPI_GETFLATMENU says so, as it does under a visual
// style and in Wine's default theme; the stand-in draws only the classic look.
inline bool menusDrawnClassic() {
#ifdef _WIN32
  BOOL flat = FALSE;
  return !SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0) || !flat;
#else
  return true;
#endif
}

inline void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

inline void releaseAllKeys() {
  BYTE keys[256] = {};
  SetKeyboardState(keys);
}

class MenuFrame {
 public:
  explicit MenuFrame(HMENU bar = loadProgramMenu(), int width = 619, int height = 400,
                     DWORD style = WS_OVERLAPPEDWINDOW)
      : menu(bar) {
    current() = this;
    releaseAllKeys();
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = "MenuTestFrame";
    RegisterClassA(&wc);  // fails harmlessly once registered
    hwnd = CreateWindowExA(0, "MenuTestFrame", "menus", style | WS_VISIBLE, 40, 30, width, height, nullptr, bar,
                           nullptr, nullptr);
    // The pointer waits off the frame: resting on the bar, any move the desktop reports there would
    // select the item under it, or none, in the middle of a test driven by the keyboard.
    screen::pointer(screen::Pointer::Move, POINT{40 + width + 100, 30 + height + 100});
    pump();
    log.clear();
  }
  ~MenuFrame() {
    DestroyWindow(hwnd);
    DestroyMenu(menu);
    pump();
    releaseAllKeys();
    current() = nullptr;
  }

  // The menu messages, readable: "INITMENUPOPUP file 0", "MENUSELECT 9c47 80 file", "COMMAND 9c41 0".
  std::vector<std::string> trace() const {
    std::vector<std::string> lines;
    for (const Logged &m : log) {
      char line[96];
      switch (m.message) {
        case WM_ENTERMENULOOP: std::snprintf(line, sizeof line, "ENTERMENULOOP %d", int(m.wParam)); break;
        case WM_EXITMENULOOP: std::snprintf(line, sizeof line, "EXITMENULOOP %d", int(m.wParam)); break;
        case WM_INITMENU: std::snprintf(line, sizeof line, "INITMENU %s", name(m.wParam).c_str()); break;
        case WM_INITMENUPOPUP:
          std::snprintf(line, sizeof line, "INITMENUPOPUP %s %lx", name(m.wParam).c_str(), long(m.lParam));
          break;
        case WM_UNINITMENUPOPUP: std::snprintf(line, sizeof line, "UNINITMENUPOPUP %s", name(m.wParam).c_str()); break;
        case WM_MENUSELECT:
          std::snprintf(line, sizeof line, "MENUSELECT %x %x %s", LOWORD(m.wParam), HIWORD(m.wParam),
                        name(WPARAM(m.lParam)).c_str());
          break;
        case WM_MENUCHAR: std::snprintf(line, sizeof line, "MENUCHAR %lx", long(m.wParam)); break;
        case WM_COMMAND: std::snprintf(line, sizeof line, "COMMAND %lx %lx", long(m.wParam), long(m.lParam)); break;
        case WM_CHAR: std::snprintf(line, sizeof line, "CHAR %lx", long(m.wParam)); break;
        case WM_SYSCHAR: std::snprintf(line, sizeof line, "SYSCHAR %lx", long(m.wParam)); break;
        default: continue;
      }
      lines.push_back(line);
    }
    return lines;
  }

  // The commands that arrived, low word and high word.
  std::vector<WPARAM> commands() const {
    std::vector<WPARAM> result;
    for (const Logged &m : log)
      if (m.message == WM_COMMAND) result.push_back(m.wParam);
    return result;
  }

  int count(UINT message) const {
    int n = 0;
    for (const Logged &m : log) n += m.message == message;
    return n;
  }

  // Enters the loop as DefWindowProcA does for Alt+letter (or a tap of Alt, key 0), then lets the
  // program's loop deliver what the menu posted.
  void keyMenu(char key) {
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(key));
    pump();
  }

  void postKey(UINT vk, UINT message = WM_KEYDOWN) {
    PostMessageA(hwnd, message, vk, message == WM_SYSKEYDOWN ? 0x20000001 : 1);
  }

  // A key pressed and released as real input: it reaches the loop after the pointer input queued before
  // it, where a posted key would overtake that input.
  static void typeKey(int vk) { screen::pressKey(vk); }

  // Real pointer input at a screen point, queued for whichever loop reads input next: the program's, or
  // the menu loop that a step of the script runs in.
  static void mouse(platform::Mouse action, POINT screen) { platform::mouse(action, screen); }

  static void click(POINT screen) {
    mouse(platform::Mouse::Press, screen);
    mouse(platform::Mouse::Release, screen);
  }

  POINT barItemCentre(int item) const {
    RECT r{};
    GetMenuItemRect(hwnd, menu, UINT(item), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  // An item of a drop-down that is showing now.
  POINT popupItemCentre(int barItem, int item) const {
    RECT r{};
    GetMenuItemRect(nullptr, GetSubMenu(menu, barItem), UINT(item), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  HWND hwnd = nullptr;
  HMENU menu = nullptr;
  std::vector<Logged> log;
  std::deque<std::function<void()>> script;  // one step each time the menu loop goes idle
  std::function<void(UINT, WPARAM, LPARAM)> onMessage;
  int exhausted = 0;       // idle moments with no step left (the loop is then left with Escape)
  HWND idlePopup = nullptr;  // the drop-down WM_ENTERIDLE named last

 private:
  static MenuFrame *&current() {
    static MenuFrame *frame = nullptr;
    return frame;
  }

  std::string name(WPARAM handle) const {
    HMENU m = reinterpret_cast<HMENU>(handle);
    if (!m) return "0";
    if (m == menu) return "bar";
    const char *names[] = {"file", "edit", "search", "help"};
    for (int i = 0; i < 4; ++i)
      if (GetSubMenu(menu, i) == m) return names[i];
    return "?";
  }

  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MenuFrame *frame = current();
    if (!frame || hwnd != frame->hwnd) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_ENTERIDLE) {
      frame->idlePopup = reinterpret_cast<HWND>(lParam);
      if (frame->script.empty()) {
        ++frame->exhausted;
        PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 1);
      } else {
        auto step = std::move(frame->script.front());
        frame->script.pop_front();
        step();
      }
      return 0;
    }
    frame->log.push_back({message, wParam, lParam});
    if (frame->onMessage) frame->onMessage(message, wParam, lParam);
    // Windows would go on to move or size the window by the keyboard, in a loop of its own.
    if (message == WM_SYSCOMMAND && ((wParam & 0xFFF0) == SC_MOVE || (wParam & 0xFFF0) == SC_SIZE)) return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
};

}  // namespace menu_test

#endif
