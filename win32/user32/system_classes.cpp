// user32: the built-in window classes, registered on first use.
#include "user32/system_classes.h"

#include "user32/button.h"
#include "user32/combobox.h"
#include "user32/dialog.h"
#include "user32/edit.h"
#include "user32/listbox.h"
#include "user32/menu_popup.h"
#include "user32/static.h"

namespace win32 {

void ensureSystemClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  registerDialogClass();
  registerButtonClass();
  registerEditClass();
  registerStaticClass();
  registerListBoxClasses();
  registerComboBoxClasses();
  registerPopupMenuClass();
}

}  // namespace win32
