// user32: system metrics and the classic Windows colour scheme.
#include "backend/driver.h"
#include "gdi32/font.h"
#include "user32/window.h"

namespace {

// The "Windows Standard" scheme: button-face grey controls, navy selection.
COLORREF systemColor(int index) {
  switch (index) {
    case COLOR_SCROLLBAR: return RGB(192, 192, 192);
    case COLOR_BACKGROUND: return RGB(0, 128, 128);
    case COLOR_ACTIVECAPTION: return RGB(0, 0, 128);
    case COLOR_INACTIVECAPTION: return RGB(128, 128, 128);
    case COLOR_MENU: return RGB(192, 192, 192);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(0, 0, 0);
    case COLOR_MENUTEXT: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    case COLOR_ACTIVEBORDER: return RGB(192, 192, 192);
    case COLOR_INACTIVEBORDER: return RGB(192, 192, 192);
    case COLOR_APPWORKSPACE: return RGB(128, 128, 128);
    case COLOR_HIGHLIGHT: return RGB(0, 0, 128);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(192, 192, 192);
    case COLOR_BTNSHADOW: return RGB(128, 128, 128);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT: return RGB(192, 192, 192);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(0, 0, 0);
    case COLOR_3DLIGHT: return RGB(192, 192, 192);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    default: return 0;
  }
}

}  // namespace

extern "C" {

int WINAPI GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return win32::backend::driver().screenWidth();
    case SM_CYSCREEN: return win32::backend::driver().screenHeight();
    case SM_CXVSCROLL:
    case SM_CXHSCROLL: return 17;
    case SM_CYHSCROLL:
    case SM_CYVSCROLL: return 17;
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;  // a caption button
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYMENU: return win32::font::kHeight + 4;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    default: return 0;
  }
}

DWORD WINAPI GetSysColor(int index) { return systemColor(index); }

// Windows' default; the desktop counts the clicks themselves (backend events carry the count).
UINT WINAPI GetDoubleClickTime() { return 500; }

// Windows' default: the caret shows and hides every 530 ms.
UINT WINAPI GetCaretBlinkTime() { return 530; }

HBRUSH WINAPI GetSysColorBrush(int index) {
  static HBRUSH brushes[COLOR_INFOBK + 1] = {};
  if (index < 0 || index > COLOR_INFOBK) return nullptr;
  if (!brushes[index]) brushes[index] = CreateSolidBrush(systemColor(index));
  return brushes[index];
}

}  // extern "C"
