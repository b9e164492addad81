// comctl32: the toolbar control — its buttons, layout and messages, and CreateToolbarEx.
#include "comctl32/toolbar.h"

#include <algorithm>
#include <cstring>

#include "comctl32/classes.h"
#include "comctl32/tooltip.h"
#include "gdi32/dc.h"
#include "gdi32/dib.h"
#include "gdi32/objects.h"
#include "kernel32/module.h"

namespace win32 {
namespace {

// Room around the image inside a button; a button is never smaller than its image plus this.
constexpr SIZE kButtonPadding{7, 6};
constexpr int kSeparatorWidth = 8;
constexpr int kDividerHeight = 2;
// Space the toolbar leaves around its row of buttons: flat buttons start at the top, classic ones two
// pixels down; either way the client area is the button height plus four (as Wine lays it out).
constexpr int kExtraHeight = 4;
constexpr int kClassicTop = 2;

int itemWidth(const ToolbarState &s, const ToolbarButton &b) {
  if (b.hidden()) return 0;
  if (b.separator()) return b.bitmap > 0 ? b.bitmap : kSeparatorWidth;
  return s.buttonSize().cx;
}

int indexOfCommand(const ToolbarState &s, WPARAM command) {
  for (size_t i = 0; i < s.buttons.size(); ++i)
    if (s.buttons[i].command == int(command)) return int(i);
  return -1;
}

// CCS_TOP: across the whole top of the parent, as high as a row of buttons.
void autosize(ToolbarState &s) {
  Window *w = findWindow(s.self, false);
  RECT parent{};
  if (!w || !GetClientRect(w->parent, &parent)) return;
  RECT in = nonClientInsets(*w);
  int height = s.buttonSize().cy + kExtraHeight + in.top + in.bottom;
  MoveWindow(s.self, 0, 0, parent.right, height, TRUE);
}

LRESULT getButton(const ToolbarState &s, WPARAM index, LPARAM lParam) {
  auto *out = reinterpret_cast<TBBUTTON *>(lParam);
  if (!out || index >= s.buttons.size()) return FALSE;
  const ToolbarButton &b = s.buttons[index];
  out->iBitmap = b.bitmap;
  out->idCommand = b.command;
  out->fsState = b.state;
  out->fsStyle = b.style;
  out->dwData = b.data;
  // A caller using the old, shorter records has no room for the string index.
  if (s.structSize >= sizeof(TBBUTTON)) out->iString = b.string;
  return TRUE;
}

LRESULT setState(ToolbarState &s, WPARAM command, BYTE state) {
  int index = indexOfCommand(s, command);
  if (index < 0) return FALSE;
  bool relayout = (s.buttons[index].state ^ state) & TBSTATE_HIDDEN;
  s.buttons[index].state = state;
  if (relayout) {
    InvalidateRect(s.self, nullptr, TRUE);
  } else {
    invalidateItem(s, index);
  }
  return TRUE;
}

LRESULT enableButton(ToolbarState &s, WPARAM command, bool enable) {
  int index = indexOfCommand(s, command);
  if (index < 0) return FALSE;
  BYTE state = s.buttons[index].state;
  return setState(s, command, BYTE(enable ? state | TBSTATE_ENABLED : state & ~TBSTATE_ENABLED));
}

LRESULT toolbarMessage(ToolbarState &s, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case TB_ENABLEBUTTON: return enableButton(s, wParam, LOWORD(lParam) != 0);
    case TB_ISBUTTONENABLED: {  // -1 for an unknown command, as Wine answers
      int index = indexOfCommand(s, wParam);
      return index < 0 ? -1 : s.buttons[index].state & TBSTATE_ENABLED;
    }
    case TB_SETSTATE: return setState(s, wParam, BYTE(lParam));
    case TB_GETSTATE: {
      int index = indexOfCommand(s, wParam);
      return index < 0 ? -1 : s.buttons[index].state;
    }
    case TB_BUTTONCOUNT: return LRESULT(s.buttons.size());
    case TB_GETBUTTON: return getButton(s, wParam, lParam);
    case TB_COMMANDTOINDEX: return indexOfCommand(s, wParam);
    case TB_GETITEMRECT: {
      auto *out = reinterpret_cast<RECT *>(lParam);
      if (!out || wParam >= s.buttons.size()) return FALSE;
      *out = itemRect(s, int(wParam));
      return TRUE;
    }
    case TB_BUTTONSTRUCTSIZE:
      if (wParam >= kOldButtonSize) s.structSize = UINT(wParam);
      return 0;
    case TB_SETBUTTONSIZE:
      s.requestedButtonSize = {LOWORD(lParam), HIWORD(lParam)};
      InvalidateRect(s.self, nullptr, TRUE);
      return TRUE;
    case TB_SETBITMAPSIZE:
      s.bitmapSize = {LOWORD(lParam), HIWORD(lParam)};
      InvalidateRect(s.self, nullptr, TRUE);
      return TRUE;
    case TB_GETBUTTONSIZE: return MAKELONG(s.buttonSize().cx, s.buttonSize().cy);
    case TB_AUTOSIZE: autosize(s); return 0;
    case TB_GETTOOLTIPS: return reinterpret_cast<LRESULT>(s.tooltip);
    default: return 0;
  }
}

// A transparent toolbar has its parent erase the background under it, in the parent's own coordinates;
// when the parent leaves it unerased (answers 0), the toolbar erases it with its own brush.
LRESULT eraseBackground(HWND hwnd, HDC hdc) {
  DeviceContext *dc = deviceContext(hdc);
  HWND parent = GetParent(hwnd);
  LRESULT erased = 0;
  if (dc && parent && (GetWindowLongA(hwnd, GWL_STYLE) & TBSTYLE_TRANSPARENT)) {
    POINT at{0, 0};
    ClientToScreen(hwnd, &at);
    ScreenToClient(parent, &at);
    const POINT origin = dc->origin;
    dc->origin = {origin.x - at.x, origin.y - at.y};
    erased = SendMessageA(parent, WM_ERASEBKGND, WPARAM(hdc), 0);
    if (deviceContext(hdc) == dc) dc->origin = origin;
  }
  return erased ? erased : DefWindowProcA(hwnd, WM_ERASEBKGND, WPARAM(hdc), 0);
}

void createState(HWND hwnd) {
  Window *w = findWindow(hwnd, false);
  if (!w) return;
  // A toolbar that names no alignment sits at the top of its parent. A flat one is transparent, but
  // Windows adds TBSTYLE_TRANSPARENT only along with that default alignment: a flat toolbar created with
  // CCS_TOP or CCS_NOMOVEY stays opaque.
  if (!(w->style & (CCS_TOP | CCS_NOMOVEY))) {
    if (w->style & TBSTYLE_FLAT) w->style |= TBSTYLE_TRANSPARENT;
    w->style |= CCS_TOP;
  }
  auto s = std::make_unique<ToolbarState>();
  s->self = hwnd;
  s->notify = w->parent;
  s->flat = w->style & TBSTYLE_FLAT;
  s->divider = !(w->style & CCS_NODIVIDER);
  w->control = std::move(s);
}

LRESULT CALLBACK toolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) createState(hwnd);
  ToolbarState *s = toolbarOf(hwnd);
  if (!s) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message >= WM_USER && message <= TB_GETBUTTONSIZE) return toolbarMessage(*s, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      if (GetWindowLongA(hwnd, GWL_STYLE) & TBSTYLE_TOOLTIPS) s->tooltip = tooltip::create(hwnd);
      return 0;
    case WM_DESTROY:
      if (s->tooltip && IsWindow(s->tooltip)) DestroyWindow(s->tooltip);
      s->tooltip = nullptr;
      return 0;
    case WM_ERASEBKGND: return eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      paintToolbar(*s, hdc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    // The tooltip asks the toolbar for texts; the toolbar's parent answers.
    case WM_NOTIFY:
      if (lParam && reinterpret_cast<NMHDR *>(lParam)->hwndFrom == s->tooltip)
        return SendMessageA(s->notify, WM_NOTIFY, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED: return toolbarMouseMessage(*s, message, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// With an instance the bitmap is one of its resources; without one, the identifier is a bitmap handle.
// Only the program's own resources exist here (no system bitmaps such as HINST_COMMCTRL's).
void loadImages(ToolbarState &s, HINSTANCE instance, UINT_PTR bitmapId, int count) {
  if (count <= 0) return;
  if (!instance) {
    if (GdiObject *bitmap = gdiObjectOf(reinterpret_cast<HGDIOBJ>(bitmapId), GdiKind::Bitmap))
      setToolbarImages(s, bitmap->image, count);
    return;
  }
  if (!isProgramModule(instance) || bitmapId > 0xFFFF) return;
  if (std::optional<Dib> dib = loadBitmapResource(MAKEINTRESOURCEA(bitmapId))) setToolbarImages(s, dib->image, count);
}

// Records are `structSize` bytes apart; a shorter, older record has no string index.
void addButtons(ToolbarState &s, LPCTBBUTTON records, int count, UINT structSize) {
  const auto *bytes = reinterpret_cast<const BYTE *>(records);
  for (int i = 0; i < count; ++i) {
    TBBUTTON record{};
    std::memcpy(&record, bytes + size_t(i) * structSize, std::min<size_t>(structSize, sizeof record));
    s.buttons.push_back({record.iBitmap, record.idCommand, record.fsState, record.fsStyle, record.dwData,
                         structSize >= sizeof(TBBUTTON) ? record.iString : 0});
  }
}

}  // namespace

SIZE ToolbarState::buttonSize() const {
  return {std::max<LONG>(requestedButtonSize.cx, bitmapSize.cx + kButtonPadding.cx),
          std::max<LONG>(requestedButtonSize.cy, bitmapSize.cy + kButtonPadding.cy)};
}

RECT ToolbarState::nonClientExtra() const { return {0, divider ? kDividerHeight : 0, 0, 0}; }

// The etched line that sets the toolbar off from the menu bar above it.
void ToolbarState::paintNonClient(Window &w, HDC hdc) {
  if (!divider) return;
  RECT line{0, 0, w.rect.right - w.rect.left, kDividerHeight};
  DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
}

ToolbarState *toolbarOf(HWND hwnd) {
  Window *w = findWindow(hwnd, false);
  return w ? dynamic_cast<ToolbarState *>(w->control.get()) : nullptr;
}

RECT itemRect(const ToolbarState &s, int index) {
  int x = 0;
  for (int i = 0; i < index; ++i) x += itemWidth(s, s.buttons[i]);
  int top = s.flat ? 0 : kClassicTop;
  return {x, top, x + itemWidth(s, s.buttons[index]), top + s.buttonSize().cy};
}

int itemAt(const ToolbarState &s, POINT pt) {
  for (int i = 0; i < int(s.buttons.size()); ++i)
    if (rectContains(itemRect(s, i), pt.x, pt.y)) return i;
  return -1;
}

void invalidateItem(const ToolbarState &s, int index) {
  if (index < 0 || index >= int(s.buttons.size())) return;
  RECT r = itemRect(s, index);
  InvalidateRect(s.self, &r, TRUE);
}

void registerToolbarClass() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = toolbarProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = TOOLBARCLASSNAMEA;
  registerSystemClass(wc);
}

}  // namespace win32

using namespace win32;

extern "C" {

// Record sizes below the oldest TBBUTTON layout cannot be read and are refused. The button size given is
// taken as the size of the images, as Windows takes it: the buttons are that plus their padding. A
// negative dimension of it stands for the bitmap's, and with a zero one the bitmap's size stays.
HWND WINAPI CreateToolbarEx(HWND parent, DWORD style, UINT id, int nBitmaps, HINSTANCE instance, UINT_PTR bitmapId,
                            LPCTBBUTTON buttons, int count, int dxButton, int dyButton, int dxBitmap, int dyBitmap,
                            UINT structSize) {
  registerCommonControlClasses();
  if (structSize < kOldButtonSize || count < 0 || (count > 0 && !buttons)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND hwnd = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, style | WS_CHILD, 0, 0, 100, 30, parent,
                              reinterpret_cast<HMENU>(UINT_PTR(id)), instance, nullptr);
  ToolbarState *s = toolbarOf(hwnd);
  if (!s) return nullptr;
  SendMessageA(hwnd, TB_BUTTONSTRUCTSIZE, structSize, 0);
  if (dxBitmap > 0 && dyBitmap > 0) SendMessageA(hwnd, TB_SETBITMAPSIZE, 0, MAKELONG(dxBitmap, dyBitmap));
  if (dxButton < 0) dxButton = dxBitmap;
  if (dyButton < 0) dyButton = dyBitmap;
  if (dxButton > 0 && dyButton > 0) SendMessageA(hwnd, TB_SETBITMAPSIZE, 0, MAKELONG(dxButton, dyButton));
  loadImages(*s, instance, bitmapId, nBitmaps);
  addButtons(*s, buttons, count, structSize);
  SendMessageA(hwnd, TB_AUTOSIZE, 0, 0);
  return hwnd;
}

}  // extern "C"
