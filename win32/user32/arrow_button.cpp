// user32: the arrow button of scroll bars and drop-down combo boxes.
#include "user32/arrow_button.h"

#include "gdi32/dc.h"
#include "gdi32/paint.h"

namespace win32 {

void drawArrowButton(HDC hdc, const RECT &r, Arrow arrow, bool pressed, bool enabled) {
  DeviceContext *dc = deviceContext(hdc);
  if (!dc) return;
  RECT box = r;
  if (pressed) {
    FrameRect(hdc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    paint::fill(*dc, RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, GetSysColor(COLOR_BTNFACE));
  } else {
    DrawEdge(hdc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
  int shift = pressed ? 1 : 0;
  int cx = (r.left + r.right) / 2 + shift, cy = (r.top + r.bottom) / 2 + shift;
  COLORREF color = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (int i = 0; i < 4; ++i) {
    int y = arrow == Arrow::Up ? cy - 2 + i : cy + 1 - i;
    paint::fill(*dc, RECT{cx - i, y, cx + i + 1, y + 1}, color);
  }
}

}  // namespace win32
