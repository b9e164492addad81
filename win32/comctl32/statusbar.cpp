// comctl32: the status bar — parts with texts along the bottom of the parent, and CreateStatusWindowA.
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "comctl32/classes.h"
#include "gdi32/paint.h"
#include "user32/window.h"

namespace win32 {
namespace {

constexpr int kMaxParts = 256;
constexpr int kVerticalBorder = 2;  // above the parts
constexpr int kPartGap = 2;         // between two parts
constexpr int kTextIndent = 3;      // from a part's edge to its text
// Never lower than a caption button; Windows measures SM_CYSIZE, 18 in the classic scheme.
constexpr int kMinTextAreaHeight = 18;
constexpr int kGripSize = 13;

struct Part {
  int right = -1;  // -1: to the right edge
  std::string text;
  WORD type = 0;  // SBT_NOBORDERS, SBT_POPOUT...
};

struct StatusBarState : ControlState {
  std::vector<Part> parts{Part{}};
  int height = 0;
};

StatusBarState *stateOf(HWND hwnd) {
  Window *w = findWindow(hwnd, false);
  return w ? dynamic_cast<StatusBarState *>(w->control.get()) : nullptr;
}

// The text height plus a margin (the font's internal leading, or 2 pixels without one) and two
// borders, then the border above the parts, as Windows sizes it.
int heightFromFont(HWND hwnd) {
  HDC hdc = GetDC(hwnd);
  TEXTMETRICA tm{};
  GetTextMetricsA(hdc, &tm);
  ReleaseDC(hwnd, hdc);
  int margin = tm.tmInternalLeading ? tm.tmInternalLeading : 2;
  int textArea = tm.tmHeight + margin + 2 * GetSystemMetrics(SM_CYBORDER);
  return std::max(textArea, kMinTextAreaHeight) + kVerticalBorder;
}

// Each part starts just after the one before it; part rectangles are never clamped, as on Windows.
RECT partRect(HWND hwnd, const StatusBarState &s, size_t index) {
  RECT client{};
  GetClientRect(hwnd, &client);
  RECT r{0, kVerticalBorder, 0, client.bottom};
  for (size_t i = 0; i <= index; ++i) {
    r.left = i == 0 ? 0 : r.right + kPartGap;
    r.right = s.parts[i].right == -1 ? client.right : s.parts[i].right;
  }
  return r;
}

// Along the bottom of the parent's client area, full width; the parent sends WM_SIZE when it changes.
void reposition(HWND hwnd, const StatusBarState &s) {
  RECT parent{};
  if (!GetClientRect(GetParent(hwnd), &parent)) return;
  MoveWindow(hwnd, 0, parent.bottom - s.height, parent.right, s.height, TRUE);
}

LRESULT setParts(HWND hwnd, StatusBarState &s, WPARAM count, const int *edges) {
  if (count == 0 || count > kMaxParts || !edges) return FALSE;
  s.parts.resize(count);
  for (size_t i = 0; i < count; ++i) s.parts[i].right = edges[i];
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT getParts(const StatusBarState &s, WPARAM size, int *edges) {
  if (edges)
    for (size_t i = 0; i < std::min<size_t>(size, s.parts.size()); ++i) edges[i] = s.parts[i].right;
  return LRESULT(s.parts.size());
}

// wParam: the part in the low byte, the drawing type (SBT_*) above it.
LRESULT setText(HWND hwnd, StatusBarState &s, WPARAM wParam, const char *text) {
  size_t index = wParam & 0xFF;
  if (index >= s.parts.size()) return FALSE;
  s.parts[index].text = text ? text : "";
  s.parts[index].type = WORD(wParam & 0xFF00);
  RECT r = partRect(hwnd, s, index);
  InvalidateRect(hwnd, &r, TRUE);
  return TRUE;
}

// The length (in bytes) in the low word and the drawing type in the high word; 0 for a missing part.
LRESULT getText(const StatusBarState &s, WPARAM part, char *buffer) {
  size_t index = part & 0xFF;
  if (index >= s.parts.size()) return 0;
  const Part &p = s.parts[index];
  if (buffer) std::memcpy(buffer, p.text.c_str(), p.text.size() + 1);
  return MAKELONG(p.text.size(), p.type);
}

// The classic grip: diagonal lines in the bottom-right corner, two grey and one white in each group.
void paintGrip(DeviceContext &dc, const RECT &client) {
  int right = client.right - 1, bottom = client.bottom - 1;
  for (int d = 1; d < kGripSize - 1; ++d) {
    int phase = d % 4;
    if (phase == 0) continue;
    COLORREF color = GetSysColor(phase == 3 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    for (int i = 0; i <= d; ++i) paint::setPixel(dc, right - d + i, bottom - i, color);
  }
}

void paintPart(HDC hdc, RECT r, const Part &p) {
  UINT edge = (p.type & SBT_NOBORDERS) ? 0 : (p.type & SBT_POPOUT) ? BDR_RAISEDOUTER : BDR_SUNKENOUTER;
  if (edge) DrawEdge(hdc, &r, edge, BF_RECT | BF_ADJUST);
  r.left += kTextIndent;
  DrawTextA(hdc, p.text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void paintStatusBar(HWND hwnd, const StatusBarState &s) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  for (size_t i = 0; i < s.parts.size(); ++i) paintPart(hdc, partRect(hwnd, s, i), s.parts[i]);
  RECT client{};
  GetClientRect(hwnd, &client);
  if ((GetWindowLongA(hwnd, GWL_STYLE) & SBARS_SIZEGRIP) && deviceContext(hdc))
    paintGrip(*deviceContext(hdc), client);
  EndPaint(hwnd, &ps);
}

// The window text is the text of part 0.
LRESULT windowText(HWND hwnd, StatusBarState &s, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::string &text = s.parts[0].text;
  switch (message) {
    case WM_SETTEXT: return setText(hwnd, s, 0, reinterpret_cast<const char *>(lParam));
    case WM_GETTEXTLENGTH: return LRESULT(text.size());
    default: {
      auto *buffer = reinterpret_cast<char *>(lParam);
      if (!buffer || wParam == 0) return 0;
      size_t n = std::min(text.size(), size_t(wParam) - 1);
      std::memcpy(buffer, text.data(), n);
      buffer[n] = 0;
      return LRESULT(n);
    }
  }
}

LRESULT CALLBACK statusBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    if (Window *w = findWindow(hwnd, false)) w->control = std::make_unique<StatusBarState>();
  StatusBarState *s = stateOf(hwnd);
  if (!s) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: {
      auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) s->parts[0].text = cs->lpszName;
      s->height = heightFromFont(hwnd);
      reposition(hwnd, *s);
      return 0;
    }
    case WM_SIZE: reposition(hwnd, *s); return 0;
    case WM_PAINT: paintStatusBar(hwnd, *s); return 0;
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return windowText(hwnd, *s, message, wParam, lParam);
    case SB_SETTEXTA: return setText(hwnd, *s, wParam, reinterpret_cast<const char *>(lParam));
    case SB_GETTEXTA: return getText(*s, wParam, reinterpret_cast<char *>(lParam));
    case SB_GETTEXTLENGTHA: return getText(*s, wParam, nullptr);
    case SB_SETPARTS: return setParts(hwnd, *s, wParam, reinterpret_cast<const int *>(lParam));
    case SB_GETPARTS: return getParts(*s, wParam, reinterpret_cast<int *>(lParam));
    case SB_GETRECT: {
      auto *out = reinterpret_cast<RECT *>(lParam);
      if (!out || wParam >= s->parts.size()) return FALSE;
      *out = partRect(hwnd, *s, wParam);
      return TRUE;
    }
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void registerStatusBarClass() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = statusBarProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = STATUSCLASSNAMEA;
  registerSystemClass(wc);
}

}  // namespace win32

extern "C" {

HWND WINAPI CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id) {
  win32::registerCommonControlClasses();
  return CreateWindowExA(0, STATUSCLASSNAMEA, text, DWORD(style), 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(UINT_PTR(id)), nullptr, nullptr);
}

}  // extern "C"
