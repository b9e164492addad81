// The Find dialog. The Hex and ASCII buttons convert the edit box between characters and a hexadecimal
// byte list; only OK replaces the stored search text.
#include "dialogs/find.h"

#include <string>

#include "document/editor_state.h"
#include "document/search.h"
#include "resources/resource.h"

namespace {

bool modeAtOpen = true;

std::string boxText(HWND dialog, int limit) {
  char text[256];
  GetDlgItemTextA(dialog, IDC_FIND_TEXT, text, limit);
  return text;
}

void convertToHex(HWND dialog) {
  if (!editor.findAscii) return;
  SetDlgItemTextA(dialog, IDC_FIND_TEXT, toHexList(boxText(dialog, 50)).c_str());
  editor.findAscii = false;
}

void convertToCharacters(HWND dialog) {
  if (!editor.findAscii) SetDlgItemTextA(dialog, IDC_FIND_TEXT, fromHexList(boxText(dialog, 255)).c_str());
  editor.findAscii = true;
}

}  // namespace

INT_PTR CALLBACK findDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetFocus(GetDlgItem(dialog, IDC_FIND_TEXT));
      modeAtOpen = editor.findAscii;
      SendDlgItemMessageA(dialog, editor.findAscii ? IDC_FIND_ASCII : IDC_FIND_HEX, BM_SETCHECK, BST_CHECKED, 0);
      SetDlgItemTextA(dialog, IDC_FIND_TEXT, editor.findText);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          GetDlgItemTextA(dialog, IDC_FIND_TEXT, editor.findText, 255);
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL:
          // The stored text keeps its form, so the mode goes back to the one it was written in.
          editor.findAscii = modeAtOpen;
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_FIND_HEX: convertToHex(dialog); return TRUE;
        case IDC_FIND_ASCII: convertToCharacters(dialog); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

bool askFindText(HWND owner) {
  INT_PTR result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_FIND), owner, findDialogProc, 0);
  return result == 1 && editor.findText[0];
}
