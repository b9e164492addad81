// The display language the stand-in reports: from the locale environment, with POSIX precedence.
#include "kernel32/ui_language.h"

#include <gtest/gtest.h>

TEST(UiLanguage, FromTheLocaleThatDecidesMessages) {
  const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const LANGID chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
  const struct {
    const char *lcAll, *lcMessages, *lang;
    LANGID language;
  } cases[] = {
      {nullptr, nullptr, nullptr, english},         {nullptr, nullptr, "zh_CN.UTF-8", chinese},
      {nullptr, "zh_TW", "en_US.UTF-8", chinese},   {"de_DE.UTF-8", "zh_CN.UTF-8", "zh_CN", english},
      {"", "", "zh_CN.GB18030", chinese},           {"C", nullptr, "zh_CN.UTF-8", english},
      {"zh", nullptr, nullptr, chinese},            {"zhx_XX", nullptr, nullptr, english},
  };
  for (const auto &c : cases)
    EXPECT_EQ(win32::uiLanguageOfLocale(win32::messagesLocale(c.lcAll, c.lcMessages, c.lang)), c.language)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " " << (c.lang ? c.lang : "-");
}
