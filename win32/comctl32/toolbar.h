// comctl32: the toolbar's state and layout, shared by its messages, its mouse handling and its painting.
#ifndef OXBYTE_WIN32_COMCTL32_TOOLBAR_H
#define OXBYTE_WIN32_COMCTL32_TOOLBAR_H

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <vector>

#include "gdi32/image.h"
#include "user32/window.h"

namespace win32 {

struct ToolbarButton {
  int bitmap = 0;  // the image index; for a separator, its width when positive
  int command = 0;
  BYTE state = 0;
  BYTE style = 0;
  DWORD_PTR data = 0;
  INT_PTR string = 0;

  bool separator() const { return style & TBSTYLE_SEP; }
  bool hidden() const { return state & TBSTATE_HIDDEN; }
  bool enabled() const { return state & TBSTATE_ENABLED; }
  // An indeterminate button is drawn greyed like a disabled one.
  bool greyed() const { return !enabled() || (state & TBSTATE_INDETERMINATE); }
  bool down() const { return state & (TBSTATE_PRESSED | TBSTATE_CHECKED); }
};

struct ToolbarState : ControlState {
  HWND self = nullptr;
  HWND notify = nullptr;   // the parent at creation: commands and notifications go there
  HWND tooltip = nullptr;  // with TBSTYLE_TOOLTIPS
  bool flat = false;
  bool divider = true;  // the etched line along the top, unless CCS_NODIVIDER
  UINT structSize = sizeof(TBBUTTON);
  std::vector<ToolbarButton> buttons;
  SIZE bitmapSize{16, 15};
  SIZE requestedButtonSize{0, 0};
  // The images mapped to the system colours with the button face left out, and their shapes for the
  // greyed look (everything but the face and the highlights).
  Image images;
  Image shapes;
  int imageCount = 0;
  int hot = -1;      // the button under the pointer
  int pressed = -1;  // the button the left mouse button went down on
  bool trackingLeave = false;

  SIZE buttonSize() const;
  RECT nonClientExtra() const override;
  void paintNonClient(Window &w, HDC hdc) override;
};

// The smallest button record: TBBUTTON without its string index, as the first toolbars had it.
constexpr UINT kOldButtonSize = offsetof(TBBUTTON, iString);

ToolbarState *toolbarOf(HWND hwnd);
// Client coordinates, as TB_GETITEMRECT gives them; buttons are laid out in one row from the left.
RECT itemRect(const ToolbarState &s, int index);
int itemAt(const ToolbarState &s, POINT pt);  // -1 when the point is on no item
void invalidateItem(const ToolbarState &s, int index);

// toolbar_mouse.cpp: hot and pressed buttons, clicks, and the tooltip's view of the pointer.
LRESULT toolbarMouseMessage(ToolbarState &s, UINT message, WPARAM wParam, LPARAM lParam);
// toolbar_paint.cpp: takes `count` images from the bitmap strip, mapped to the system colours.
void setToolbarImages(ToolbarState &s, const Image &strip, int count);
void paintToolbar(const ToolbarState &s, HDC hdc);

}  // namespace win32

#endif
