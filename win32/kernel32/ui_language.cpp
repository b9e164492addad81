// kernel32: GetUserDefaultUILanguage, from the same locale environment that setlocale(LC_ALL, "") reads.
#include "kernel32/ui_language.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace win32 {

const char *messagesLocale(const char *lcAll, const char *lcMessages, const char *lang) {
  for (const char *name : {lcAll, lcMessages, lang})
    if (name && *name) return name;
  return "C";
}

LANGID uiLanguageOfLocale(const char *name) {
  bool chinese = std::strncmp(name, "zh", 2) == 0 && std::strchr("_.@", name[2]) != nullptr;
  return chinese ? MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED) : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

}  // namespace win32

// Read once, as Windows fixes the display language when the process starts. The locale need not be
// installed: only its name counts.
extern "C" LANGID WINAPI GetUserDefaultUILanguage(void) {
  static const LANGID language = win32::uiLanguageOfLocale(
      win32::messagesLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")));
  return language;
}
