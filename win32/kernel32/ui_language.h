// kernel32: the user's display language, taken from the POSIX locale environment.
#ifndef OXBYTE_WIN32_KERNEL32_UI_LANGUAGE_H
#define OXBYTE_WIN32_KERNEL32_UI_LANGUAGE_H

#include <windows.h>

namespace win32 {

// The language of a POSIX locale name ("zh_CN.UTF-8", "de_DE", "C"): Chinese for zh, else English. The
// stand-in's own texts exist in those two languages only, so every other locale shows English, as a
// Windows installed in English does whatever the user's regional format.
LANGID uiLanguageOfLocale(const char *name);

// The locale name that decides messages, with POSIX precedence: LC_ALL, then LC_MESSAGES, then LANG;
// unset or empty ones are skipped, and with none of them it is "C".
const char *messagesLocale(const char *lcAll, const char *lcMessages, const char *lang);

}  // namespace win32

#endif
