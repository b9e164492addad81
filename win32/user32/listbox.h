// user32: the single-selection "ListBox" class and "ComboLBox", the list a drop-down combo box shows.
#ifndef OXBYTE_WIN32_USER32_LISTBOX_H
#define OXBYTE_WIN32_USER32_LISTBOX_H

#include <windows.h>

#include <string>
#include <vector>

#include "user32/controls.h"

namespace win32 {

struct ListBoxState : ControlState {
  std::vector<std::string> items;
  int selected = LB_ERR;
  int caret = 0;  // the item with the focus rectangle; it stays put when the selection is cleared
  int top = 0;    // the first visible item
  bool hasScrollBar = false;  // created with WS_VSCROLL (the core hides the bar, and the style, when idle)
  bool focused = false;
  bool tracking = false;   // the left button went down in the list and is still held
  bool scrolling = false;  // a drop-down list lends its capture to its scroll bar
  int wheel = 0;           // wheel movement short of a whole notch
  HWND combo = nullptr;    // ComboLBox: the combo box whose list this is
};

ListBoxState *listBoxState(HWND hwnd);
void registerListBoxClasses();

// The height of every item: one line of the font.
int listItemHeight();
// The number of whole items the list shows (at least 1).
int listPageSize(HWND hwnd);
// The item under a point of the client area, or -1 (below the last item or outside the client area).
int listItemAt(HWND hwnd, POINT client);

// Selects an item (-1: none) without telling anyone, and scrolls it into view.
void selectListItem(HWND hwnd, int index);

// Keyboard rules the list box and the combo box share. The item a navigation key moves the selection to,
// or -1 for other keys and empty lists. A list of one column takes Left and Right as Up and Down.
int itemForKey(int vk, int selected, int caret, int count, int page);
// The next item after `from`, going round, whose text starts with the character regardless of case;
// -1 when none does.
int itemStartingWith(const std::vector<std::string> &items, int from, unsigned char ch);

// Mouse and keyboard of a list box (listbox_input.cpp).
void listKeyDown(HWND hwnd, WPARAM vk);
void listChar(HWND hwnd, unsigned char ch);
void listMouse(HWND hwnd, UINT message, LPARAM point);
void listDropDownMouse(HWND hwnd, UINT message, LPARAM point);
void listScroll(HWND hwnd, WPARAM code);
void listWheel(HWND hwnd, WPARAM wParam);

// Painting and the scroll bar (listbox_paint.cpp).
void paintListBox(HWND hwnd, HDC hdc);
// Brings the top index within bounds and the scroll bar up to date.
void updateListScrollBar(HWND hwnd);
void setListTop(HWND hwnd, int top);

}  // namespace win32

#endif
