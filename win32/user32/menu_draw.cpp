// user32: how menu texts look — access-key underlines, the selection colours and the greyed look.
#include "user32/menu_draw.h"

namespace win32 {

void drawMenuText(HDC hdc, const RECT &rect, std::string_view text, UINT format, bool grayed, bool highlighted,
                  bool bold) {
  int oldMode = SetBkMode(hdc, TRANSPARENT);
  COLORREF oldColor = GetTextColor(hdc);
  auto draw = [&](const RECT &where, int colorIndex) {
    RECT r = where;
    SetTextColor(hdc, GetSysColor(colorIndex));
    DrawTextA(hdc, text.data(), int(text.size()), &r, format);
    if (!bold) return;
    ++r.left;
    ++r.right;
    DrawTextA(hdc, text.data(), int(text.size()), &r, format);
  };
  if (grayed && !highlighted) {
    draw(RECT{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1}, COLOR_BTNHIGHLIGHT);
    draw(rect, COLOR_GRAYTEXT);
  } else {
    draw(rect, grayed ? COLOR_GRAYTEXT : highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  }
  SetTextColor(hdc, oldColor);
  SetBkMode(hdc, oldMode);
}

}  // namespace win32
