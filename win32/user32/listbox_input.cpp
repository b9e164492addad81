// user32: the list box under the keyboard and the mouse, and its scrolling.
#include <algorithm>
#include <cctype>

#include "user32/combobox.h"
#include "user32/listbox.h"
#include <windowsx.h>

namespace win32 {
namespace {

// LBN_* notifications go out only with LBS_NOTIFY.
void notify(HWND hwnd, WORD code) {
  if (GetWindowLongA(hwnd, GWL_STYLE) & LBS_NOTIFY) notifyParent(hwnd, code);
}

POINT pointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool insideClient(HWND hwnd, POINT pt) {
  RECT client;
  GetClientRect(hwnd, &client);
  return pt.x >= 0 && pt.y >= 0 && pt.x < client.right && pt.y < client.bottom;
}

// While the button is held the selection follows the pointer; above or below the list it moves one
// item past the visible ones, which scrolls the list.
int itemUnderDrag(HWND hwnd, const ListBoxState &state, POINT pt) {
  RECT client;
  GetClientRect(hwnd, &client);
  int count = int(state.items.size());
  if (count == 0) return -1;
  if (pt.y < 0) return std::max(state.top - 1, 0);
  if (pt.y >= client.bottom) return std::min(state.top + listPageSize(hwnd), count - 1);
  int index = state.top + pt.y / listItemHeight();
  return std::min(index, count - 1);
}

void select(HWND hwnd, ListBoxState &state, int index, bool notifying) {
  if (index < 0) return;
  bool changed = index != state.selected;
  selectListItem(hwnd, index);
  if (notifying && changed) notify(hwnd, LBN_SELCHANGE);
}

bool onScrollBar(HWND hwnd, POINT pt) {
  RECT client;
  GetClientRect(hwnd, &client);
  return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VSCROLL) && pt.x >= client.right &&
         pt.x < client.right + GetSystemMetrics(SM_CXVSCROLL) && pt.y >= 0 && pt.y < client.bottom;
}

// The scroll bar of a dropped list tracks the mouse itself; the list takes the capture back afterwards.
void trackDropDownScrollBar(HWND hwnd, ListBoxState &state, POINT pt) {
  ClientToScreen(hwnd, &pt);
  state.scrolling = true;
  DefWindowProcA(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(pt.x, pt.y));
  ListBoxState *again = listBoxState(hwnd);
  if (!again) return;
  again->scrolling = false;
  if (comboIsDropped(again->combo)) SetCapture(hwnd);
}

}  // namespace

int itemForKey(int vk, int selected, int caret, int count, int page) {
  if (count <= 0) return -1;
  if (vk == VK_LEFT) vk = VK_UP;
  if (vk == VK_RIGHT) vk = VK_DOWN;
  int from = std::clamp(selected >= 0 ? selected : caret, 0, count - 1);
  int step = std::max(page - 1, 1);
  int to = 0;
  switch (vk) {
    case VK_HOME: return 0;
    case VK_END: return count - 1;
    case VK_UP: to = from - 1; break;
    case VK_DOWN: to = from + 1; break;
    case VK_PRIOR: to = from - step; break;
    case VK_NEXT: to = from + step; break;
    default: return -1;
  }
  // With nothing selected the first move selects the item with the focus rectangle itself.
  if (selected < 0) return from;
  return std::clamp(to, 0, count - 1);
}

int itemStartingWith(const std::vector<std::string> &items, int from, unsigned char ch) {
  int count = int(items.size());
  if (count == 0 || ch <= ' ' || ch >= 0x80) return -1;
  for (int k = 1; k <= count; ++k) {
    int i = ((from + k) % count + count) % count;
    if (!items[size_t(i)].empty() && std::toupper(static_cast<unsigned char>(items[size_t(i)][0])) == std::toupper(ch))
      return i;
  }
  return -1;
}

// A navigation key notifies the parent even when the selection stays where it was (at either end).
void listKeyDown(HWND hwnd, WPARAM vk) {
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return;
  int target = itemForKey(int(vk), state->selected, state->caret, int(state->items.size()), listPageSize(hwnd));
  if (target < 0) return;
  selectListItem(hwnd, target);
  notify(hwnd, LBN_SELCHANGE);
}

void listChar(HWND hwnd, unsigned char ch) {
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return;
  int target = itemStartingWith(state->items, state->selected, ch);
  if (target < 0) return;
  selectListItem(hwnd, target);
  notify(hwnd, LBN_SELCHANGE);
}

// A click selects and notifies even when it lands on the item already selected; a click below the last
// item changes nothing. LBN_DBLCLK is sent for a double click on an item (Wine sends it for a double
// click anywhere, which would make the Open dialog choose a file the pointer is not on).
void listMouse(HWND hwnd, UINT message, LPARAM lParam) {
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return;
  POINT pt = pointOf(lParam);
  switch (message) {
    case WM_LBUTTONDOWN: {
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if (!(state = listBoxState(hwnd))) return;
      state->tracking = true;
      SetCapture(hwnd);
      int index = listItemAt(hwnd, pt);
      if (index < 0) return;
      selectListItem(hwnd, index);
      notify(hwnd, LBN_SELCHANGE);
      return;
    }
    case WM_LBUTTONDBLCLK:
      if (listItemAt(hwnd, pt) >= 0) notify(hwnd, LBN_DBLCLK);
      return;
    case WM_MOUSEMOVE:
      if (state->tracking && GetCapture() == hwnd) select(hwnd, *state, itemUnderDrag(hwnd, *state, pt), true);
      return;
    case WM_LBUTTONUP:
      if (!state->tracking) return;
      state->tracking = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      return;
    case WM_CAPTURECHANGED: state->tracking = false; return;
    default: return;
  }
}

// A dropped list holds the capture: the pointer highlights the item under it, a release on an item
// chooses it, and a press anywhere outside the list closes it unchanged.
void listDropDownMouse(HWND hwnd, UINT message, LPARAM lParam) {
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return;
  POINT pt = pointOf(lParam);
  bool inside = insideClient(hwnd, pt);
  switch (message) {
    case WM_MOUSEMOVE:
      if (inside) select(hwnd, *state, listItemAt(hwnd, pt), false);
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (inside) {
        state->tracking = true;
        select(hwnd, *state, listItemAt(hwnd, pt), false);
      } else if (onScrollBar(hwnd, pt)) {
        trackDropDownScrollBar(hwnd, *state, pt);
      } else {
        endComboDropDown(state->combo, false);
      }
      return;
    case WM_LBUTTONUP:
      state->tracking = false;
      if (inside && listItemAt(hwnd, pt) >= 0) {
        select(hwnd, *state, listItemAt(hwnd, pt), false);
        endComboDropDown(state->combo, true);
      }
      return;
    case WM_CAPTURECHANGED:
      if (!state->scrolling) endComboDropDown(state->combo, false);
      return;
    default: return;
  }
}

void listScroll(HWND hwnd, WPARAM code) {
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return;
  int page = listPageSize(hwnd);
  switch (LOWORD(code)) {
    case SB_LINEUP: setListTop(hwnd, state->top - 1); break;
    case SB_LINEDOWN: setListTop(hwnd, state->top + 1); break;
    case SB_PAGEUP: setListTop(hwnd, state->top - page); break;
    case SB_PAGEDOWN: setListTop(hwnd, state->top + page); break;
    case SB_TOP: setListTop(hwnd, 0); break;
    case SB_BOTTOM: setListTop(hwnd, int(state->items.size())); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      if (GetScrollInfo(hwnd, SB_VERT, &si)) setListTop(hwnd, si.nTrackPos);
      break;
    }
    default: break;
  }
}

// Each notch of the wheel scrolls three items, or a page when fewer show.
void listWheel(HWND hwnd, WPARAM wParam) {
  ListBoxState *state = listBoxState(hwnd);
  if (!state) return;
  state->wheel += GET_WHEEL_DELTA_WPARAM(wParam);
  int notches = state->wheel / WHEEL_DELTA;
  state->wheel -= notches * WHEEL_DELTA;
  if (notches) setListTop(hwnd, state->top - notches * std::min(3, listPageSize(hwnd)));
}

}  // namespace win32
