// user32: how a list box looks — white rows, the selection in the selection colours, the focus
// rectangle — and its scroll bar.
#include <algorithm>

#include "gdi32/dc.h"
#include "gdi32/paint.h"
#include "user32/listbox.h"

namespace win32 {
namespace {

constexpr int kTextIndent = 2;  // blank pixels before each item's text

// The largest top index: the last page stays full.
int lastTop(HWND hwnd, const ListBoxState &state) {
  return std::max(0, int(state.items.size()) - listPageSize(hwnd));
}

void paintItem(DeviceContext &dc, const RECT &row, const std::string &text, COLORREF color,
               const COLORREF *background) {
  if (background) paint::fill(dc, row, *background);
  DeviceContext clipped = dc;
  clipped.clip.intersect(rectOffset(row, dc.origin.x, dc.origin.y));
  paint::text(clipped, row.left + kTextIndent, row.top, text, color, nullptr);
}

}  // namespace

void updateListScrollBar(HWND hwnd) {
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return;
  state->top = std::clamp(state->top, 0, lastTop(hwnd, *state));
  if (!state->hasScrollBar) return;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, int(state->items.size()) - 1,
                UINT(listPageSize(hwnd)), state->top, 0};
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void setListTop(HWND hwnd, int top) {
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return;
  top = std::clamp(top, 0, lastTop(hwnd, *state));
  if (top == state->top) return;
  state->top = top;
  updateListScrollBar(hwnd);
  InvalidateRect(hwnd, nullptr, FALSE);
}

// The parent chooses the colours with WM_CTLCOLORLISTBOX. The selection shows whether or not the box has
// the focus; the focus rectangle marks the caret item while it has.
void paintListBox(HWND hwnd, HDC hdc) {
  ListBoxState *state = listBoxState(hwnd);
  DeviceContext *dc = deviceContext(hdc);
  if (!state || !dc) return;
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(hdc, &client, controlBrush(hwnd, hdc, WM_CTLCOLORLISTBOX));
  bool enabled = IsWindowEnabled(hwnd);
  COLORREF normal = enabled ? dc->textColor : GetSysColor(COLOR_GRAYTEXT);
  COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  int height = listItemHeight();
  for (int i = state->top, y = 0; i < int(state->items.size()) && y < client.bottom; ++i, y += height) {
    RECT row{0, y, client.right, y + height};
    if (i == state->selected) {
      paintItem(*dc, row, state->items[size_t(i)], highlightText, &highlight);
    } else {
      paintItem(*dc, row, state->items[size_t(i)], normal, nullptr);
    }
  }
  if (state->focused && !state->combo) {
    int y = (state->caret - state->top) * height;
    RECT focus{0, y, client.right, y + height};
    if (y >= 0 && y < client.bottom) DrawFocusRect(hdc, &focus);
  }
}

}  // namespace win32
