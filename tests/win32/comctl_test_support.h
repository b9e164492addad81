// Test support for the common controls: a parent window that records what its controls tell it, the
// program's toolbar table and bitmap, and the pointer, the clock and the pixels through the screen of the
// platform the tests run on (tests/support/platform_screen.h).
#ifndef OXBYTE_TESTS_WIN32_COMCTL_TEST_SUPPORT_H
#define OXBYTE_TESTS_WIN32_COMCTL_TEST_SUPPORT_H

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/platform_screen.h"

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

// A tooltip waits this long for the pointer to rest before it asks for its text: the double-click time
// (Microsoft's documentation of TTM_SETDELAYTIME), 500 ms unless the user changed it; Wine's
// TTM_GETDELAYTIME answers 500 for TTDT_INITIAL.
constexpr unsigned kTipDelay = 500;

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
  // The parent paints its background in kUnerasedColour on WM_ERASEBKGND and answers 0, as if it had
  // left it unerased.
  bool leavesBackgroundUnerased = false;
};

constexpr COLORREF kUnerasedColour = RGB(255, 0, 0);

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
    case WM_ERASEBKGND:
      if (parentLog().leavesBackgroundUnerased) {
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(kUnerasedColour);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 0;
      }
      return DefWindowProcA(hwnd, message, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// Messages waiting now (input, paint, due timers) are handled; time does not move.
inline void pump() { screen::pump(); }

// Time passes for the timers; on Windows, `slackTimes` times the timer slack more passes too, enough for
// a timer due within the `ms` to have fired.
inline void wait(unsigned ms, unsigned slackTimes = 0) { screen::wait(ms + slackTimes * screen::timerSlack()); }

// The pointer rests where no window of the tests is, so that a window made under it hears nothing.
inline void parkPointer() { screen::pointer(screen::Pointer::Move, POINT{10, 10}); }

// The parent's background: a colour no control and no toolbar image uses.
constexpr COLORREF kParentColour = RGB(30, 100, 160);

// A visible, active top-level parent of `width` × `height` (its frame included) at (100, 80).
inline HWND createParent(int width = 400, int height = 300) {
  parkPointer();
  parentLog() = ParentLog{};
  static const HBRUSH background = CreateSolidBrush(kParentColour);
  WNDCLASSA wc{};
  wc.lpfnWndProc = parentProc;
  wc.hbrBackground = background;
  wc.lpszClassName = "ComctlTestParent";
  RegisterClassA(&wc);  // fails harmlessly once registered
  HWND parent = CreateWindowExA(0, "ComctlTestParent", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, width,
                                height, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(parent);
  pump();
  return parent;
}

inline HWND createProgramToolbar(HWND parent, DWORD style = kProgramStyle) {
  return CreateToolbarEx(parent, style, 1, 7, GetModuleHandleA(nullptr), IDB_TOOLBAR, kProgramButtons,
                         kProgramButtonCount, 18, 18, 18, 18, sizeof(TBBUTTON));
}

// The pointer at a point of `window`'s client area, as the user moves it and presses the left button.
inline void pointer(screen::Pointer action, HWND window, POINT pt) {
  ClientToScreen(window, &pt);
  screen::pointer(action, pt);
}
inline void moveTo(HWND window, POINT pt) { pointer(screen::Pointer::Move, window, pt); }
inline void press(HWND window, POINT pt) { pointer(screen::Pointer::Press, window, pt); }
inline void release(HWND window, POINT pt) { pointer(screen::Pointer::Release, window, pt); }
inline void click(HWND window, POINT pt) {
  press(window, pt);
  release(window, pt);
}

inline RECT itemRect(HWND toolbar, int index) {
  RECT r{};
  SendMessageA(toolbar, TB_GETITEMRECT, WPARAM(index), LPARAM(&r));
  return r;
}

inline POINT centreOf(const RECT &r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A pixel of `window`'s client area as it is on the screen.
inline COLORREF pixel(HWND window, int x, int y) { return screen::clientPixel(window, x, y); }

// Wine draws the toolbar and the status bar with its theme when one is active (see
// screen::controlsThemed): hot and pressed buttons get the theme's frames and fills, the separator and
// the status bar's parts the theme's lines. (With the theme turned off, Wine draws the classic edges the
// tests check.) Then only what the theme leaves alone is checked.
inline bool themed() { return screen::controlsThemed(); }

inline COLORREF face() { return GetSysColor(COLOR_BTNFACE); }
inline COLORREF shadow() { return GetSysColor(COLOR_BTNSHADOW); }
inline COLORREF highlight() { return GetSysColor(COLOR_BTNHIGHLIGHT); }

// The metrics of the font a control draws its text with: the one it answers WM_GETFONT with, else its
// device context's.
inline TEXTMETRICA fontMetrics(HWND control) {
  HDC hdc = GetDC(control);
  if (auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0))) SelectObject(hdc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(hdc, &tm);
  ReleaseDC(control, hdc);
  return tm;
}

// The width of a text in that font.
inline int textWidth(HWND control, const std::string &text) { return screen::textWidth(control, text.c_str()); }

// A bitmap resource of the program as its pixels, read from the resource's bytes (a DIB of 1 to 8 bits
// a pixel with a palette, or 24 or 32 bits): what the toolbar draws its images from.
struct ResourceBitmap {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;  // top row first

  COLORREF at(int x, int y) const { return pixels[size_t(y) * width + x]; }

  static ResourceBitmap load(int id) {
    ResourceBitmap bitmap;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_BITMAP);
    if (!found) return bitmap;
    const auto *bytes = static_cast<const uint8_t *>(LockResource(LoadResource(module, found)));
    const size_t size = SizeofResource(module, found);
    auto u16 = [&](size_t at) { return uint32_t(bytes[at] | bytes[at + 1] << 8); };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (!bytes || size < 40) return bitmap;
    const uint32_t headerSize = u32(0), bits = u16(14), compression = u32(16);
    const int32_t width = int32_t(u32(4)), height = int32_t(u32(8));
    if (compression != 0 || width <= 0 || height == 0) return bitmap;
    uint32_t colors = bits <= 8 ? (u32(32) ? u32(32) : 1u << bits) : 0;
    const size_t palette = headerSize, data = palette + 4 * colors;
    const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    const int rows = height < 0 ? -height : height;
    if (data + stride * rows > size) return bitmap;
    bitmap.width = width;
    bitmap.height = rows;
    bitmap.pixels.resize(size_t(width) * rows);
    for (int y = 0; y < rows; ++y) {
      const uint8_t *row = bytes + data + stride * size_t(height < 0 ? y : rows - 1 - y);
      for (int x = 0; x < width; ++x) {
        const uint8_t *p;
        if (bits <= 8) {
          unsigned bit = unsigned(x) * bits, index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
          p = bytes + palette + 4 * index;
        } else {
          p = row + size_t(x) * (bits / 8);
        }
        bitmap.pixels[size_t(y) * width + x] = RGB(p[2], p[1], p[0]);
      }
    }
    return bitmap;
  }
};

}  // namespace comctl_test

#endif
