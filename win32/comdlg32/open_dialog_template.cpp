// comdlg32: the Open dialog's layout — folder path, file list, name box, file types, Open and Cancel.
#include "comdlg32/open_dialog.h"

#include "comdlg32/dialog_texts.h"

namespace win32::comdlg {
namespace {

enum Atom : uint16_t { kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83, kComboBox = 0x85 };

DialogItemTemplate item(Atom atom, int id, const char *text, DWORD style, int x, int y, int cx, int cy,
                        DWORD exStyle = 0) {
  DialogItemTemplate control;
  control.windowClass.isOrdinal = true;
  control.windowClass.ordinal = atom;
  control.text.name = text;
  control.id = DWORD(id);
  control.style = WS_CHILD | WS_VISIBLE | style;
  control.exStyle = exStyle;
  control.x = x;
  control.y = y;
  control.cx = cx;
  control.cy = cy;
  return control;
}

}  // namespace

// One dialog unit is two pixels: the list shows twelve whole rows, the name box and the file types (wide
// enough for the program's longest description) line up with Open and Cancel on the right, and the
// labels sit on the lines of the fields they name. The order is the tab order.
DialogTemplate openDialogTemplate(const std::string &caption) {
  DialogTemplate dialog;
  dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
  dialog.cx = 296;
  dialog.cy = 151;
  dialog.caption = caption;
  const DWORD label = SS_LEFTNOWORDWRAP;
  const DialogTexts &texts = dialogTexts();
  dialog.items = {
      item(kStatic, kFolderLabel, texts.lookIn, label, 4, 5, 56, 8),
      item(kStatic, kFolderPath, "", label | SS_NOPREFIX, 62, 5, 230, 8),
      item(kListBox, kFileList, "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, 4, 16, 288, 98, WS_EX_CLIENTEDGE),
      item(kStatic, kNameLabel, texts.fileName, label, 4, 121, 56, 8),
      item(kEdit, kNameEdit, "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 62, 120, 186, 11),
      item(kStatic, kTypeLabel, texts.fileType, label, 4, 136, 56, 8),
      item(kComboBox, kTypeCombo, "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 62, 135, 186, 61),
      item(kButton, IDOK, texts.open, WS_TABSTOP | BS_DEFPUSHBUTTON, 252, 119, 40, 12),
      item(kButton, IDCANCEL, texts.cancel, WS_TABSTOP | BS_PUSHBUTTON, 252, 134, 40, 12),
  };
  return dialog;
}

}  // namespace win32::comdlg
