// user32: the edit box's context menu — Undo, Cut, Copy, Paste, Delete and Select All, each greyed where
// it would do nothing, and run as the messages of the same names.
#include "backend/driver.h"
#include "user32/edit.h"
#include "user32/system_texts.h"
#include <windowsx.h>

namespace win32 {
namespace {

HMENU editMenu(HWND hwnd, const EditState &state) {
  const SystemTexts &t = systemTexts();
  bool writable = !(GetWindowLongA(hwnd, GWL_STYLE) & ES_READONLY);
  bool selection = state.anchor != state.caret;
  bool allSelected = state.selectionBegin() == 0 && state.selectionEnd() == editText(hwnd).size();
  const struct {
    UINT id;  // the message the item sends; 0 for a separator
    const char *text;
    bool enabled;
  } items[] = {
      {EM_UNDO, t.undo, writable && !state.undo.empty()},
      {0, nullptr, false},
      {WM_CUT, t.cut, writable && selection},
      {WM_COPY, t.copy, selection},
      {WM_PASTE, t.paste, writable && !backend::driver().clipboardText().empty()},
      {WM_CLEAR, t.erase, writable && selection},
      {0, nullptr, false},
      {EM_SETSEL, t.selectAll, !allSelected},
  };
  HMENU menu = CreatePopupMenu();
  for (const auto &item : items)
    AppendMenuA(menu, !item.id ? MF_SEPARATOR : item.enabled ? MF_STRING : MF_GRAYED, item.id, item.text);
  return menu;
}

// The menu key and Shift+F10 give no point (-1, -1): the menu then opens at the middle of the box.
POINT menuPoint(HWND hwnd, LPARAM screenPoint) {
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (at.x != -1 || at.y != -1) return at;
  RECT client;
  GetClientRect(hwnd, &client);
  at = {client.right / 2, client.bottom / 2};
  ClientToScreen(hwnd, &at);
  return at;
}

}  // namespace

void showEditMenu(HWND hwnd, LPARAM screenPoint) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  EditState *state = editState(hwnd);
  if (!state) return;
  HMENU menu = editMenu(hwnd, *state);
  POINT at = menuPoint(hwnd, screenPoint);
  UINT command = UINT(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
                                     at.y, 0, hwnd, nullptr));
  DestroyMenu(menu);
  if (!command || !editState(hwnd)) return;
  if (command == EM_SETSEL) {
    SendMessageA(hwnd, EM_SETSEL, 0, -1);
  } else {
    SendMessageA(hwnd, command == EM_UNDO ? WM_UNDO : command, 0, 0);
  }
}

}  // namespace win32
