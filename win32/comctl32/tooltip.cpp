// comctl32: the tooltip window — waits for the pointer to rest on a tool, asks for the text, shows it.
#include "comctl32/tooltip.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "comctl32/classes.h"
#include "gdi32/font.h"
#include "user32/window.h"

namespace win32 {
namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr int kBorder = 1;  // the WS_BORDER line
constexpr int kMargin = 2;  // between the border and the text
// The tip's client area starts this far below the pointer's hot spot, just under a standard arrow.
constexpr int kBelowPointer = 20;

struct TooltipState : ControlState {
  HWND owner = nullptr;
  std::optional<UINT_PTR> tool;  // the tool under the pointer
  bool shown = false;
  bool suppressed = false;  // a click dismissed the tip of this tool
  std::string text;
};

TooltipState *stateOf(HWND tip) {
  Window *w = findWindow(tip, false);
  return w ? dynamic_cast<TooltipState *>(w->control.get()) : nullptr;
}

void hide(HWND tip, TooltipState &s) {
  KillTimer(tip, kShowTimer);
  if (!s.shown) return;
  s.shown = false;
  ShowWindow(tip, SW_HIDE);
}

// The owner either writes into szText or points lpszText at a text of its own. A resource identifier
// or LPSTR_TEXTCALLBACKA gives no text here.
std::string askText(HWND tip, HWND owner, UINT_PTR id) {
  NMTTDISPINFOA info{};
  info.hdr = NMHDR{tip, id, TTN_NEEDTEXTA};
  info.lpszText = info.szText;
  SendMessageA(owner, WM_NOTIFY, WPARAM(id), LPARAM(&info));
  const char *text = info.lpszText;
  if (!text || IS_INTRESOURCE(text) || text == reinterpret_cast<LPSTR>(-1)) return {};
  if (text == info.szText) return std::string(info.szText, strnlen(info.szText, sizeof info.szText));
  return text;
}

// Below the pointer, kept on the screen: pulled left at the right edge, put above the pointer at the
// bottom.
void show(HWND tip, TooltipState &s, std::string text) {
  s.text = std::move(text);
  s.shown = true;
  POINT pt{0, 0};
  GetCursorPos(&pt);
  int width = font::textWidth(s.text) + 2 * (kBorder + kMargin);
  int height = font::kHeight + 2 * (kBorder + kMargin);
  int x = std::max(0, std::min(pt.x - kBorder, GetSystemMetrics(SM_CXSCREEN) - width));
  int y = pt.y + kBelowPointer - kBorder;
  if (y + height > GetSystemMetrics(SM_CYSCREEN)) y = pt.y - height;
  SetWindowPos(tip, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(tip, nullptr, TRUE);
}

void delayOver(HWND tip) {
  KillTimer(tip, kShowTimer);
  TooltipState *s = stateOf(tip);
  if (!s || !s->tool || s->shown || s->suppressed) return;
  UINT_PTR id = *s->tool;
  std::string text = askText(tip, s->owner, id);
  s = stateOf(tip);  // the owner's answer may have done anything
  if (!s || s->tool != id || s->shown || text.empty()) return;
  show(tip, *s, std::move(text));
}

void paintTip(HWND tip) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(tip, &ps);
  if (TooltipState *s = stateOf(tip)) {
    RECT r;
    GetClientRect(tip, &r);
    FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    constexpr int inset = kBorder + kMargin;
    r = RECT{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_INFOTEXT));
    DrawTextA(hdc, s->text.c_str(), -1, &r, DT_SINGLELINE | DT_NOPREFIX);
  }
  EndPaint(tip, &ps);
}

LRESULT CALLBACK tooltipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      if (Window *w = findWindow(hwnd, false)) w->control = std::make_unique<TooltipState>();
      break;
    case WM_TIMER:
      if (wParam != kShowTimer) break;
      delayOver(hwnd);
      return 0;
    case WM_PAINT: paintTip(hwnd); return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

void registerTooltipClass() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = tooltipProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
  wc.lpszClassName = TOOLTIPS_CLASSA;
  registerSystemClass(wc);
}

namespace tooltip {

HWND create(HWND owner) {
  HWND tip = CreateWindowExA(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr, WS_POPUP | WS_CLIPSIBLINGS | WS_BORDER, 0,
                             0, 1, 1, owner, nullptr, nullptr, nullptr);
  if (TooltipState *s = stateOf(tip)) s->owner = owner;
  return tip;
}

void pointerOver(HWND tip, std::optional<UINT_PTR> id) {
  TooltipState *s = stateOf(tip);
  if (!s) return;
  if (id != s->tool) {
    hide(tip, *s);
    s->tool = id;
    s->suppressed = false;
  }
  if (s->tool && !s->shown && !s->suppressed) SetTimer(tip, kShowTimer, kInitialDelay, nullptr);
}

void buttonPressed(HWND tip) {
  if (TooltipState *s = stateOf(tip)) {
    hide(tip, *s);
    s->suppressed = true;
  }
}

void pointerLeft(HWND tip) {
  if (TooltipState *s = stateOf(tip)) {
    hide(tip, *s);
    s->tool.reset();
    s->suppressed = false;
  }
}

}  // namespace tooltip
}  // namespace win32
