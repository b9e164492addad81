// The character cell of the stock fixed-pitch font.
#include "view/font_cell.h"

FontCell selectFixedFont(HDC hdc) {
  SelectObject(hdc, GetStockObject(SYSTEM_FIXED_FONT));
  TEXTMETRICA tm;
  GetTextMetricsA(hdc, &tm);
  return {tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading};
}

FontCell measureFixedFont(HWND window) {
  HDC hdc = GetDC(window);
  FontCell cell = selectFixedFont(hdc);
  ReleaseDC(window, hdc);
  return cell;
}
