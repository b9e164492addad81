// user32: the combo box's drop-down — an undecorated desktop window holding the list, shown under the field.
#include <algorithm>

#include "backend/driver.h"
#include "user32/combobox.h"
#include "user32/listbox.h"

namespace win32 {
namespace {

constexpr const char *kDropDownClass = "ComboDropDown";

// The pop-up never takes the activation or the focus: both stay with the dialog and the combo box.
LRESULT CALLBACK dropDownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ACTIVATE: return 0;
    case WM_ERASEBKGND: return 1;  // the list covers it
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

// As many items as there are, within the height the template gave, and never less than one.
int droppedHeight(const ComboBoxState &state) {
  const int border = 2, item = listItemHeight();
  int count = std::max(1, int(SendMessageA(state.list, LB_GETCOUNT, 0, 0)));
  int room = std::max(state.dropHeight, item + border);
  int rows = std::max(1, std::min(count, (room - border) / item));
  return rows * item + border;
}

}  // namespace

void registerComboDropDownClass() {
  WNDCLASSA wc{};
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = dropDownProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kDropDownClass;
  registerSystemClass(wc);
}

// The list exists, hidden, for the whole life of the combo box: it keeps the items.
bool createComboDropDown(HWND combo, ComboBoxState &state) {
  RECT field;
  GetWindowRect(combo, &field);
  int width = field.right - field.left, height = std::max(state.dropHeight, listItemHeight() + 2);
  state.popup = CreateWindowExA(0, kDropDownClass, "", WS_POPUP, field.left, field.bottom, width, height,
                                GetParent(combo), nullptr, nullptr, nullptr);
  if (!state.popup) return false;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOINTEGRALHEIGHT | (state.listScrolls ? WS_VSCROLL : 0);
  state.list = CreateWindowExA(0, "ComboLBox", "", style, 0, 0, width, height, state.popup, nullptr, nullptr, combo);
  return state.list != nullptr;
}

void showComboDropDown(HWND combo, const ComboBoxState &state) {
  RECT field;
  GetWindowRect(combo, &field);
  int width = field.right - field.left, height = droppedHeight(state);
  int y = field.bottom;
  if (y + height > backend::driver().screenHeight() && field.top - height >= 0) y = field.top - height;
  SetWindowPos(state.popup, nullptr, field.left, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  MoveWindow(state.list, 0, 0, width, height, FALSE);
  ListBoxState *list = listBoxState(state.list);
  if (list) {
    list->tracking = false;
    setListTop(state.list, list->selected >= 0 ? list->selected : 0);
    selectListItem(state.list, list->selected);
  }
  ShowWindow(state.popup, SW_SHOWNOACTIVATE);
  UpdateWindow(state.popup);
  SetCapture(state.list);
}

void hideComboDropDown(const ComboBoxState &state) {
  if (GetCapture() == state.list) ReleaseCapture();
  if (state.popup) ShowWindow(state.popup, SW_HIDE);
}

}  // namespace win32
