// user32: the "ComboBox" class (CBS_DROPDOWNLIST) — its CB_* messages, keyboard, mouse and notifications.
#include "user32/combobox.h"

#include <cstring>

#include "gdi32/font.h"
#include "user32/listbox.h"

namespace win32 {
namespace {

void redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

LRESULT toList(const ComboBoxState &state, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return state.list ? SendMessageA(state.list, message, wParam, lParam) : CB_ERR;
}

int selection(const ComboBoxState &state) { return int(toList(state, LB_GETCURSEL)); }

void openDropDown(HWND hwnd, ComboBoxState &state) {
  if (state.dropped || !state.popup) return;
  notifyParent(hwnd, CBN_DROPDOWN);
  ComboBoxState *again = comboBoxState(hwnd);
  if (!again || again->dropped) return;
  again->droppedIndex = selection(*again);
  again->dropped = true;
  showComboDropDown(hwnd, *again);
  redraw(hwnd);
}

// The list is closed before anyone hears of it, so a parent that asks sees it closed.
void closeDropDown(HWND hwnd, ComboBoxState &state, bool chosen) {
  if (!state.dropped) return;
  state.dropped = false;
  if (!chosen && selection(state) != state.droppedIndex) selectListItem(state.list, state.droppedIndex);
  hideComboDropDown(state);
  redraw(hwnd);
  notifyParent(hwnd, chosen ? CBN_SELENDOK : CBN_SELENDCANCEL);
  notifyParent(hwnd, CBN_CLOSEUP);
}

// F4 and Alt+Up/Down open a closed list and cancel an open one.
void flipDropDown(HWND hwnd, ComboBoxState &state) {
  if (state.dropped) {
    closeDropDown(hwnd, state, false);
  } else {
    openDropDown(hwnd, state);
  }
}

// The keyboard commits at once: a closed box says CBN_SELENDOK and CBN_SELCHANGE for every move (even
// one that stays at an end), an open one CBN_SELCHANGE.
void keyboardSelect(HWND hwnd, ComboBoxState &state, int index) {
  if (index < 0) return;
  selectListItem(state.list, index);
  redraw(hwnd);
  if (state.dropped) {
    state.droppedIndex = index;
  } else {
    notifyParent(hwnd, CBN_SELENDOK);
  }
  notifyParent(hwnd, CBN_SELCHANGE);
}

void keyDown(HWND hwnd, ComboBoxState &state, WPARAM vk) {
  if (vk == VK_F4) {
    flipDropDown(hwnd, state);
    return;
  }
  if (state.dropped && (vk == VK_RETURN || vk == VK_ESCAPE)) {
    closeDropDown(hwnd, state, vk == VK_RETURN);
    return;
  }
  ListBoxState *list = listBoxState(state.list);
  if (!list) return;
  int count = int(list->items.size());
  keyboardSelect(hwnd, state, itemForKey(int(vk), list->selected, list->caret, count, listPageSize(state.list)));
}

void typedCharacter(HWND hwnd, ComboBoxState &state, unsigned char ch) {
  if (ListBoxState *list = listBoxState(state.list))
    keyboardSelect(hwnd, state, itemStartingWith(list->items, list->selected, ch));
}

// While the list is open the box wants Enter and Escape itself, to close it.
LRESULT dialogCode(const ComboBoxState &state, LPARAM lParam) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  const MSG *msg = reinterpret_cast<const MSG *>(lParam);
  if (state.dropped && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
    code |= DLGC_WANTMESSAGE;
  return code;
}

// A drop-down list box's window text is its selected item.
LRESULT getText(const ComboBoxState &state, WPARAM size, LPARAM buffer) {
  char *out = reinterpret_cast<char *>(buffer);
  if (!out || size == 0) return 0;
  out[0] = 0;
  int index = selection(state);
  int length = index >= 0 ? int(toList(state, LB_GETTEXTLEN, WPARAM(index))) : 0;
  if (length <= 0) return 0;
  std::string text(size_t(length) + 1, '\0');
  toList(state, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  size_t n = std::min(size_t(length), size_t(size) - 1);
  std::memcpy(out, text.data(), n);
  out[n] = 0;
  return LRESULT(n);
}

// WS_VSCROLL is meant for the list: the field itself has no scroll bar.
void takeScrollBarStyle(HWND hwnd, ComboBoxState &state) {
  LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  state.listScrolls = (style & WS_VSCROLL) != 0;
  SetWindowLongA(hwnd, GWL_STYLE, style & ~WS_VSCROLL);
}

// The creation height covers the field and the dropped list; the window keeps only the field's.
void create(HWND hwnd, ComboBoxState &state, const CREATESTRUCTA &cs) {
  state.dropHeight = cs.cy - comboFieldHeight();
  createComboDropDown(hwnd, state);
  SetWindowPos(hwnd, nullptr, 0, 0, cs.cx, comboFieldHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT listMessage(HWND hwnd, ComboBoxState &state, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case CB_ADDSTRING: return toList(state, LB_ADDSTRING, wParam, lParam);
    case CB_RESETCONTENT:  // CB_OKAY, as documented (Wine answers TRUE)
      toList(state, LB_RESETCONTENT);
      redraw(hwnd);
      return CB_OKAY;
    case CB_SETCURSEL: {
      LRESULT result = toList(state, LB_SETCURSEL, wParam);
      redraw(hwnd);
      return result;
    }
    case CB_GETCURSEL: return toList(state, LB_GETCURSEL);
    case CB_GETLBTEXT: return toList(state, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return toList(state, LB_GETTEXTLEN, wParam);
    case CB_GETCOUNT: return toList(state, LB_GETCOUNT);
    case CB_SHOWDROPDOWN:
      if (wParam) {
        openDropDown(hwnd, state);
      } else {
        closeDropDown(hwnd, state, false);
      }
      return TRUE;
    case CB_GETDROPPEDSTATE: return state.dropped;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// A click on a box without the focus takes it first: CBN_SETFOCUS comes before CBN_DROPDOWN. Losing it
// closes the list, and the parent hears of the closing before CBN_KILLFOCUS.
void focusChanged(HWND hwnd, ComboBoxState &state, bool focused) {
  state.focused = focused;
  if (!focused) closeDropDown(hwnd, state, false);
  redraw(hwnd);
  notifyParent(hwnd, focused ? CBN_SETFOCUS : CBN_KILLFOCUS);
}

LRESULT paint(HWND hwnd, const ComboBoxState &state) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  paintComboBox(hwnd, hdc, state);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT CALLBACK comboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) takeScrollBarStyle(hwnd, attachControlState<ComboBoxState>(hwnd));
  ComboBoxState *state = comboBoxState(hwnd);
  if (!state) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: create(hwnd, *state, *reinterpret_cast<CREATESTRUCTA *>(lParam)); return 0;
    case WM_DESTROY:
      if (state->popup && IsWindow(state->popup)) DestroyWindow(state->popup);
      state->popup = state->list = nullptr;
      return 0;
    case WM_GETDLGCODE: return dialogCode(*state, lParam);
    case WM_SETFOCUS: focusChanged(hwnd, *state, true); return 0;
    case WM_KILLFOCUS: focusChanged(hwnd, *state, false); return 0;
    case WM_KEYDOWN: keyDown(hwnd, *state, wParam); return 0;
    case WM_SYSKEYDOWN:
      if ((lParam & (1 << 29)) && (wParam == VK_UP || wParam == VK_DOWN)) {
        flipDropDown(hwnd, *state);
        return 0;
      }
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_CHAR: typedCharacter(hwnd, *state, static_cast<unsigned char>(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if ((state = comboBoxState(hwnd))) flipDropDown(hwnd, *state);
      return 0;
    case WM_MOUSEWHEEL:
      if (state->dropped) SendMessageA(state->list, message, wParam, lParam);
      return 0;
    case WM_ENABLE:
      if (!wParam) closeDropDown(hwnd, *state, false);
      redraw(hwnd);
      return 0;
    case WM_GETTEXT: return getText(*state, wParam, lParam);
    case WM_GETTEXTLENGTH: {
      int index = selection(*state);
      return index >= 0 ? toList(*state, LB_GETTEXTLEN, WPARAM(index)) : 0;
    }
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: return paint(hwnd, *state);
    default: return listMessage(hwnd, *state, message, wParam, lParam);
  }
}

}  // namespace

ComboBoxState *comboBoxState(HWND hwnd) { return controlState<ComboBoxState>(hwnd); }

bool comboIsDropped(HWND combo) {
  ComboBoxState *state = comboBoxState(combo);
  return state && state->dropped;
}

// A choice made with the mouse is news even when it is the item that was selected.
void endComboDropDown(HWND combo, bool chosen) {
  ComboBoxState *state = comboBoxState(combo);
  if (!state || !state->dropped) return;
  closeDropDown(combo, *state, chosen);
  if (chosen) notifyParent(combo, CBN_SELCHANGE);
}

// The field is eight pixels taller than a line of its font, as on Windows (Wine's conformance tests of
// the combo box measure it so against the font's height).
int comboFieldHeight() { return font::kHeight + 8; }

void registerComboBoxClasses() {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = comboBoxProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "ComboBox";
  registerSystemClass(wc);
  registerComboDropDownClass();
}

}  // namespace win32

extern "C" {

BOOL WINAPI GetComboBoxInfo(HWND combo, PCOMBOBOXINFO info) {
  win32::ComboBoxState *state = win32::comboBoxState(combo);
  if (!state || !info || info->cbSize != sizeof(COMBOBOXINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  win32::comboBoxParts(combo, info->rcItem, info->rcButton);
  info->stateButton = state->dropped ? STATE_SYSTEM_PRESSED : 0;
  info->hwndCombo = combo;
  info->hwndItem = combo;  // a drop-down list has no edit box of its own
  info->hwndList = state->list;
  return TRUE;
}

}  // extern "C"
