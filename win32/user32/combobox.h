// user32: the drop-down list "ComboBox" (CBS_DROPDOWNLIST) — a field showing the selection over a list
// that drops down in a pop-up window.
#ifndef OXBYTE_WIN32_USER32_COMBOBOX_H
#define OXBYTE_WIN32_USER32_COMBOBOX_H

#include <windows.h>

#include "user32/controls.h"

namespace win32 {

struct ComboBoxState : ControlState {
  HWND popup = nullptr;   // the undecorated desktop window the list drops down in
  HWND list = nullptr;    // its "ComboLBox" child, which keeps the items and the selection
  int dropHeight = 0;     // what the creation height gives beyond the field: the dropped list's height
  bool dropped = false;
  int droppedIndex = -1;  // the selection when the list dropped, restored when it closes unchosen
  bool focused = false;
  bool listScrolls = false;  // created with WS_VSCROLL, which goes to the list
};

void registerComboBoxClasses();
// The field and the arrow button, in client coordinates.
void comboBoxParts(HWND hwnd, RECT &field, RECT &button);
ComboBoxState *comboBoxState(HWND hwnd);
bool comboIsDropped(HWND combo);
// The dropped list closes: `chosen` when the mouse chose an item, else cancelled (the selection goes back
// to what it was when the list dropped).
void endComboDropDown(HWND combo, bool chosen);

// The field's height: a line of the font and eight pixels more, as on Windows.
int comboFieldHeight();

// The pop-up and its list (combobox_dropdown.cpp).
void registerComboDropDownClass();
bool createComboDropDown(HWND combo, ComboBoxState &state);
// Places the pop-up under the field (above it when there is no room below), shows it without
// activating it and gives the list the mouse capture.
void showComboDropDown(HWND combo, const ComboBoxState &state);
void hideComboDropDown(const ComboBoxState &state);

// The field (combobox_paint.cpp).
void paintComboBox(HWND hwnd, HDC hdc, const ComboBoxState &state);

}  // namespace win32

#endif
