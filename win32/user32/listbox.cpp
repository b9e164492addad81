// user32: the "ListBox" class — its items, the single selection, the top index and the LB_* messages.
#include "user32/listbox.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "gdi32/font.h"

namespace win32 {
namespace {

void redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

bool validIndex(const ListBoxState &state, WPARAM index) {
  return int(index) >= 0 && int(index) < int(state.items.size());
}

// Without LBS_NOINTEGRALHEIGHT the box shows only whole items: Windows shortens it to fit them.
void fitWholeItems(HWND hwnd) {
  if (GetWindowLongA(hwnd, GWL_STYLE) & LBS_NOINTEGRALHEIGHT) return;
  RECT client, window;
  GetClientRect(hwnd, &client);
  int extra = client.bottom % listItemHeight();
  if (extra == 0 || client.bottom <= listItemHeight()) return;
  GetWindowRect(hwnd, &window);
  SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - extra,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool lessIgnoringCase(const std::string &a, const std::string &b) { return strcasecmp(a.c_str(), b.c_str()) < 0; }

// LBS_SORT places a new item after the items that compare equal or less, ignoring case.
int sortedPosition(const ListBoxState &state, const char *text) {
  auto after = std::upper_bound(state.items.begin(), state.items.end(), std::string(text), lessIgnoringCase);
  return int(after - state.items.begin());
}

// The selection and the caret keep pointing at the same items when items come or go before them.
LRESULT insertItem(HWND hwnd, ListBoxState &state, int index, const char *text) {
  if (index < 0) index = int(state.items.size());
  if (index > int(state.items.size())) return LB_ERR;
  state.items.insert(state.items.begin() + index, text ? text : "");
  if (state.selected >= index) ++state.selected;
  if (state.caret >= index && state.items.size() > 1) ++state.caret;
  updateListScrollBar(hwnd);
  redraw(hwnd);
  return index;
}

LRESULT deleteItem(HWND hwnd, ListBoxState &state, WPARAM wParam) {
  if (!validIndex(state, wParam)) return LB_ERR;
  int index = int(wParam);
  state.items.erase(state.items.begin() + index);
  if (state.selected == index) {
    state.selected = LB_ERR;
  } else if (state.selected > index) {
    --state.selected;
  }
  if (state.caret > index) --state.caret;
  state.caret = std::clamp(state.caret, 0, std::max(int(state.items.size()) - 1, 0));
  updateListScrollBar(hwnd);
  redraw(hwnd);
  return LRESULT(state.items.size());
}

LRESULT resetContent(HWND hwnd, ListBoxState &state) {
  state.items.clear();
  state.selected = LB_ERR;
  state.caret = state.top = 0;
  updateListScrollBar(hwnd);
  redraw(hwnd);
  return LB_OKAY;
}

// -1 clears the selection and, as Windows documents, still answers LB_ERR; an index past the end is
// refused and leaves the selection alone.
LRESULT setCurrentSelection(HWND hwnd, ListBoxState &state, WPARAM wParam) {
  if (int(wParam) == -1) {
    selectListItem(hwnd, -1);
    return LB_ERR;
  }
  if (!validIndex(state, wParam)) return LB_ERR;
  selectListItem(hwnd, int(wParam));
  return LRESULT(int(wParam));
}

// LB_GETTEXT trusts the buffer to hold the whole item, as Windows does. Without a buffer it answers the
// item's length, as Wine does: Microsoft documents no answer for that case.
LRESULT getItemText(const ListBoxState &state, WPARAM index, LPARAM buffer) {
  if (!validIndex(state, index)) return LB_ERR;
  const std::string &text = state.items[index];
  if (!buffer) return LRESULT(text.size());
  std::memcpy(reinterpret_cast<char *>(buffer), text.c_str(), text.size() + 1);
  return LRESULT(text.size());
}

// The parent hears of the focus whatever the style, as Microsoft's "About List Boxes" describes
// WM_SETFOCUS and WM_KILLFOCUS: LBS_NOTIFY covers only clicks, double clicks and cancelled selections.
// A click on a list without the focus takes it first, so LBN_SETFOCUS comes before the click's
// LBN_SELCHANGE. The list of a combo box tells no one.
void focusChanged(HWND hwnd, ListBoxState &state, bool focused) {
  state.focused = focused;
  if (!focused && state.tracking && GetCapture() == hwnd) ReleaseCapture();
  redraw(hwnd);
  if (!state.combo) notifyParent(hwnd, focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

LRESULT paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  paintListBox(hwnd, hdc);
  EndPaint(hwnd, &ps);
  return 0;
}

void create(HWND hwnd, ListBoxState &state, const CREATESTRUCTA &cs) {
  state.hasScrollBar = (cs.style & WS_VSCROLL) != 0;
  char name[16] = "";
  GetClassNameA(hwnd, name, sizeof name);
  if (strcasecmp(name, "ComboLBox") == 0) state.combo = reinterpret_cast<HWND>(cs.lpCreateParams);
  fitWholeItems(hwnd);
  updateListScrollBar(hwnd);
}

LRESULT itemMessage(HWND hwnd, ListBoxState &state, UINT message, WPARAM wParam, LPARAM lParam) {
  const char *text = reinterpret_cast<const char *>(lParam);
  switch (message) {
    case LB_ADDSTRING: {
      bool sorted = GetWindowLongA(hwnd, GWL_STYLE) & LBS_SORT;
      return insertItem(hwnd, state, sorted ? sortedPosition(state, text ? text : "") : -1, text);
    }
    case LB_INSERTSTRING: return insertItem(hwnd, state, int(wParam), text);
    case LB_DELETESTRING: return deleteItem(hwnd, state, wParam);
    case LB_RESETCONTENT: return resetContent(hwnd, state);
    case LB_SETCURSEL: return setCurrentSelection(hwnd, state, wParam);
    case LB_GETCURSEL: return state.selected;
    case LB_GETTEXT: return getItemText(state, wParam, lParam);
    case LB_GETTEXTLEN: return validIndex(state, wParam) ? LRESULT(state.items[wParam].size()) : LB_ERR;
    case LB_GETCOUNT: return LRESULT(state.items.size());
    case LB_GETTOPINDEX: return state.top;
    // Wine answers LB_OKAY for any index and keeps the last page full, as the stand-in does.
    case LB_SETTOPINDEX: setListTop(hwnd, int(wParam) < 0 ? 0 : int(wParam)); return LB_OKAY;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK listBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) attachControlState<ListBoxState>(hwnd);
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: create(hwnd, *state, *reinterpret_cast<CREATESTRUCTA *>(lParam)); return 0;
    case WM_SIZE:
      fitWholeItems(hwnd);
      updateListScrollBar(hwnd);
      redraw(hwnd);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: focusChanged(hwnd, *state, true); return 0;
    case WM_KILLFOCUS: focusChanged(hwnd, *state, false); return 0;
    case WM_KEYDOWN: listKeyDown(hwnd, wParam); return 0;
    case WM_CHAR: listChar(hwnd, static_cast<unsigned char>(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (state->combo) {
        listDropDownMouse(hwnd, message, lParam);
      } else {
        listMouse(hwnd, message, lParam);
      }
      return 0;
    case WM_VSCROLL: listScroll(hwnd, wParam); return 0;
    case WM_MOUSEWHEEL: listWheel(hwnd, wParam); return 0;
    case WM_ENABLE: redraw(hwnd); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: return paint(hwnd);
    default: return itemMessage(hwnd, *state, message, wParam, lParam);
  }
}

void registerClass(const char *name, UINT style) {
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = listBoxProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  registerSystemClass(wc);
}

}  // namespace

ListBoxState *listBoxState(HWND hwnd) { return controlState<ListBoxState>(hwnd); }

int listItemHeight() { return font::kHeight; }

int listPageSize(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  return std::max(1, int(client.bottom) / listItemHeight());
}

int listItemAt(HWND hwnd, POINT client) {
  ListBoxState *state = listBoxState(hwnd);
  RECT r;
  GetClientRect(hwnd, &r);
  if (!state || client.x < 0 || client.y < 0 || client.x >= r.right || client.y >= r.bottom) return -1;
  int index = state->top + client.y / listItemHeight();
  return index < int(state->items.size()) ? index : -1;
}

// The list scrolls just enough to show the item: to the top when it lies above, to the bottom when below.
void selectListItem(HWND hwnd, int index) {
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return;
  state->selected = index;
  if (index >= 0) {
    state->caret = index;
    int page = listPageSize(hwnd);
    if (index < state->top) setListTop(hwnd, index);
    if (index >= state->top + page) setListTop(hwnd, index - page + 1);
  }
  redraw(hwnd);
}

void registerListBoxClasses() {
  registerClass("ListBox", CS_DBLCLKS);
  registerClass("ComboLBox", CS_DBLCLKS | CS_SAVEBITS);
}

}  // namespace win32
