// user32: the dialog manager — dialogs built from templates, their default procedure and the modal loop.
#ifndef OXBYTE_WIN32_USER32_DIALOG_H
#define OXBYTE_WIN32_USER32_DIALOG_H

#include <windows.h>

#include "user32/dialog_template.h"
#include "user32/window.h"

namespace win32 {

// What the dialog manager keeps for a dialog window, besides the DWLP_* values in its extra bytes.
struct DialogState : ControlState {
  HWND savedFocus = nullptr;     // the control that had the focus when the dialog was deactivated or hidden
  UINT defaultId = 0;            // DM_SETDEFID; at first the template's (last) default push button
  bool ended = false;            // EndDialog was called
  INT_PTR result = 0;            // EndDialog's value
  HWND disabledOwner = nullptr;  // the owner a modal dialog disabled, to enable again when it ends
};

// The state of a dialog window, or null for any other window.
DialogState *dialogState(HWND hwnd);
DialogState &attachDialogState(Window &w);

// Creates a dialog from a parsed template: the window (hidden unless the template has WS_VISIBLE), its
// controls, then WM_INITDIALOG and the initial focus. Null when the window or a control cannot be made.
HWND createDialogIndirect(HINSTANCE instance, const DialogTemplate &dialog, HWND owner, DLGPROC proc, LPARAM param,
                          HWND disabledOwner = nullptr);
// DialogBoxIndirectParam: the dialog runs modally over its disabled owner and the call returns EndDialog's
// value; -1 when the dialog cannot be created.
INT_PTR dialogBoxIndirect(HINSTANCE instance, const DialogTemplate &dialog, HWND owner, DLGPROC proc, LPARAM param);

// Gives a control the focus as the dialog manager does: an edit box gets all its text selected.
void setDialogFocus(HWND control);
// The default-button look follows the focus among push buttons and returns to the default button when
// the focus goes to any other control.
void showDefaultButtonFor(HWND dialog, HWND focus);
// A direct child of the dialog by identifier, without touching the last error.
HWND findDialogItem(HWND dialog, int id);

// The dialog font's base units: Unifont's 8 × 16 cell, so one dialog unit is 2 pixels each way.
SIZE dialogBaseUnits();
RECT dialogUnitsToPixels(const RECT &units);

void registerDialogClass();

}  // namespace win32

#endif
