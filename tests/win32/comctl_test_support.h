// Test support for the common controls: a parent window that records what its controls tell it, the
// program's toolbar table, and mouse input and pixels through the headless backend.
#ifndef OXBYTE_TESTS_WIN32_COMCTL_TEST_SUPPORT_H
#define OXBYTE_TESTS_WIN32_COMCTL_TEST_SUPPORT_H

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "backend/driver.h"
#include "resources/resource.h"
#include "user32/window.h"

namespace comctl_test {

// The program's toolbar: seven buttons from bitmap 118 and three separators.
inline const TBBUTTON kProgramButtons[] = {
    {0, IDM_OPEN, 4, TBSTYLE_BUTTON, {}, 0, 0},   {1, IDM_SAVE, 16, TBSTYLE_BUTTON, {}, 0, 1},
    {2, IDM_EXIT, 4, TBSTYLE_BUTTON, {}, 0, 2},   {0, 0, 4, TBSTYLE_SEP, {}, 0, 0},
    {3, IDM_REVERT, 16, TBSTYLE_BUTTON, {}, 0, 3}, {0, 0, 4, TBSTYLE_SEP, {}, 0, 0},
    {4, IDM_FIND, 16, TBSTYLE_BUTTON, {}, 0, 4},  {5, IDM_GOTO, 16, TBSTYLE_BUTTON, {}, 0, 5},
    {0, 0, 4, TBSTYLE_SEP, {}, 0, 0},             {6, IDM_ABOUT, 4, TBSTYLE_BUTTON, {}, 0, 6}};
constexpr int kProgramButtonCount = 10;
constexpr DWORD kProgramStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT;

struct TipRequest {
  WPARAM wParam;
  NMHDR hdr;
  bool pointedAtBuffer;  // lpszText pointed at szText, which was empty
};

// What the parent window saw, and how it answers tooltip requests.
struct ParentLog {
  std::vector<std::pair<WPARAM, LPARAM>> commands;
  std::vector<TipRequest> tipRequests;
  enum class Answer { IntoBuffer, OwnPointer, Nothing } answer = Answer::IntoBuffer;
  std::string tipText = "Tip";
  std::function<void(WPARAM)> onCommand;
};

inline ParentLog &parentLog() {
  static ParentLog log;
  return log;
}

inline LRESULT answerTip(NMTTDISPINFOA &info, WPARAM wParam) {
  ParentLog &log = parentLog();
  log.tipRequests.push_back({wParam, info.hdr, info.lpszText == info.szText && info.szText[0] == 0});
  static std::string own;
  switch (log.answer) {
    case ParentLog::Answer::IntoBuffer: lstrcpynA(info.szText, log.tipText.c_str(), sizeof info.szText); break;
    case ParentLog::Answer::OwnPointer:
      own = log.tipText;
      info.lpszText = own.data();
      break;
    case ParentLog::Answer::Nothing: break;
  }
  return 0;
}

inline LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      parentLog().commands.emplace_back(wParam, lParam);
      if (parentLog().onCommand) parentLog().onCommand(wParam);
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR *>(lParam)->code == TTN_NEEDTEXTA)
        return answerTip(*reinterpret_cast<NMTTDISPINFOA *>(lParam), wParam);
      return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// Messages waiting now (input, paint, due timers) are handled; time does not move.
inline void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

inline void advance(uint64_t ms) {
  win32::backend::advanceHeadlessClock(ms);
  pump();
}

// A visible top-level parent whose client area starts at its window's top-left (it has no menu).
inline HWND createParent(int width = 400, int height = 300) {
  parentLog() = ParentLog{};
  WNDCLASSA wc{};
  wc.lpfnWndProc = parentProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = "ComctlTestParent";
  RegisterClassA(&wc);  // fails harmlessly once registered
  HWND parent = CreateWindowExA(0, "ComctlTestParent", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80,
                                width, height, nullptr, nullptr, nullptr, nullptr);
  pump();
  return parent;
}

inline HWND createProgramToolbar(HWND parent, DWORD style = kProgramStyle) {
  return CreateToolbarEx(parent, style, 1, 7, GetModuleHandleA(nullptr), IDB_TOOLBAR, kProgramButtons,
                         kProgramButtonCount, 18, 18, 18, 18, sizeof(TBBUTTON));
}

// A mouse event at a point of `window`'s client area, as the user would make it.
inline void mouse(HWND window, win32::backend::EventType type, POINT pt) {
  ClientToScreen(window, &pt);
  win32::Window *w = win32::findWindow(window);
  win32::Window *top = win32::topLevelOf(w);
  win32::backend::Event event;
  event.type = type;
  event.window = top->top->native;
  event.x = pt.x - top->rect.left;
  event.y = pt.y - top->rect.top;
  event.button = 1;
  win32::backend::injectHeadlessEvent(event);
  pump();
}

inline void moveTo(HWND window, POINT pt) { mouse(window, win32::backend::EventType::MouseMove, pt); }

inline void click(HWND window, POINT pt) {
  mouse(window, win32::backend::EventType::MouseDown, pt);
  mouse(window, win32::backend::EventType::MouseUp, pt);
}

inline RECT itemRect(HWND toolbar, int index) {
  RECT r{};
  SendMessageA(toolbar, TB_GETITEMRECT, WPARAM(index), LPARAM(&r));
  return r;
}

inline POINT centreOf(const RECT &r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A pixel of `window`'s client area as it is on the screen.
inline COLORREF pixel(HWND window, int x, int y) {
  HDC hdc = GetDC(window);
  COLORREF color = GetPixel(hdc, x, y);
  ReleaseDC(window, hdc);
  return color;
}

constexpr COLORREF kFace = RGB(192, 192, 192), kShadow = RGB(128, 128, 128), kHighlight = RGB(255, 255, 255),
                   kBlack = RGB(0, 0, 0);

}  // namespace comctl_test

#endif
