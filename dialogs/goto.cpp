// The Go-to dialog: the offset to move to, in decimal or as hexadecimal with a trailing H.
#include "dialogs/goto.h"

#include <cstring>

#include "resources/resource.h"

bool parseOffset(const char *text, int32_t &offset) {
  size_t length = std::strlen(text);
  bool hex = length >= 1 && text[length - 1] == 'H';
  size_t digits = hex ? length - 1 : length;
  if (digits == 0) return false;
  unsigned base = hex ? 16 : 10;
  uint64_t value = 0;
  for (size_t i = 0; i < digits; ++i) {
    char c = text[i];
    unsigned v;
    if (c >= '0' && c <= '9') {
      v = unsigned(c - '0');
    } else if (hex && c >= 'A' && c <= 'F') {
      v = unsigned(c - 'A' + 10);
    } else {
      return false;
    }
    value = value * base + v;
    if (value > UINT32_MAX) return false;
  }
  offset = int32_t(uint32_t(value));
  return true;
}

INT_PTR CALLBACK gotoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: SetFocus(GetDlgItem(dialog, IDC_GOTO_TEXT)); return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDCANCEL: EndDialog(dialog, -1); return TRUE;
        case IDOK: {
          char text[256];
          GetDlgItemTextA(dialog, IDC_GOTO_TEXT, text, 255);
          int32_t offset;
          if (!parseOffset(text, offset)) {
            MessageBeep(0xFFFFFFFF);
            offset = -1;
          }
          EndDialog(dialog, offset);
          return TRUE;
        }
        default: return FALSE;
      }
    default: return FALSE;
  }
}

int32_t askOffset(HWND owner) {
  return int32_t(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_GOTO), owner, gotoDialogProc, 0));
}
