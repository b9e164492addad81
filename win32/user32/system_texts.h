// user32: the texts user32 shows itself — message-box buttons, the system menu and the edit box's menu —
// in the user's display language.
#ifndef OXBYTE_WIN32_USER32_SYSTEM_TEXTS_H
#define OXBYTE_WIN32_USER32_SYSTEM_TEXTS_H

namespace win32 {

struct SystemTexts {
  // Message-box buttons.
  const char *ok, *cancel, *abort, *retry, *ignore, *yes, *no;
  // The system menu.
  const char *restore, *move, *size, *minimize, *maximize, *close;
  // The edit box's context menu.
  const char *undo, *cut, *copy, *paste, *erase, *selectAll;
};

// Chosen once, from GetUserDefaultUILanguage.
const SystemTexts &systemTexts();

}  // namespace win32

#endif
