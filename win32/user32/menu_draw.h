// user32: how menu texts look — access-key underlines, the selection colours and the greyed look.
#ifndef OXBYTE_WIN32_USER32_MENU_DRAW_H
#define OXBYTE_WIN32_USER32_MENU_DRAW_H

#include <windows.h>

#include <string_view>

namespace win32 {

// Draws `text` (with "&" access keys) in `rect` using DrawTextA `format`. Greyed text is embossed (white
// under grey) unless it is highlighted, where it is plain grey on the selection colour. A menu's default
// item is bold: its strokes drawn twice, a pixel apart, as Windows emboldens a font it has no bold face of.
void drawMenuText(HDC hdc, const RECT &rect, std::string_view text, UINT format, bool grayed, bool highlighted,
                  bool bold = false);

}  // namespace win32

#endif
