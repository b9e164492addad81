// The caption's grouped byte count follows the user's locale; warnings name the file or "(无标题)".
#include <filesystem>
#include <string>

#include "dialogs/warning.h"
#include "resources/resource.h"
#include "view/caption.h"
#include "support/platform.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

struct InLocale {
  explicit InLocale(const char *name) : chosen(platform::chooseUserLocale(name)) {}
  ~InLocale() { platform::useDefaultLocale(); }
  bool chosen;
};

using Caption = ProgramTest;

TEST_F(Caption, GroupsTheSizeWithTheLocalesSeparator) {
  std::string file = writeFile("big.bin", "");
  std::filesystem::resize_file(file, 16777215);
  struct Case {
    const char *locale;
    const char *caption;
  } cases[] = {
      {"en_US.UTF-8", "Oxbyte - big.bin [16,777,215 字节]"},
      {"de_DE.UTF-8", "Oxbyte - big.bin [16.777.215 字节]"},
      {"C", "Oxbyte - big.bin [16777215 字节]"},  // the C locale has no thousands separator
  };
  int shown = 0;
  for (const Case &c : cases) {
    // Where the user's locale is fixed when the process starts (Windows), a run covers the locale it was
    // started in; the Wine run starts this test once per locale.
    InLocale locale(c.locale);
    if (!locale.chosen) continue;
    ++shown;
    ASSERT_TRUE(start(quotedPath(file)));
    EXPECT_EQ(caption(), c.caption) << c.locale;
    quit();
  }
  EXPECT_GT(shown, 0);
}

TEST_F(Caption, ClosingTheDocumentLeavesTheProgramName) {
  ASSERT_TRUE(start(quotedPath(writeFile("small.bin", std::string(999, 's')))));
  EXPECT_EQ(caption(), "Oxbyte - small.bin [999 字节]");
  SendMessageA(view(), WM_CLOSE, 0, 0);
  pump();
  EXPECT_EQ(caption(), "Oxbyte");
}

TEST_F(Caption, AWarningWithoutANameSaysUntitled) {
  ASSERT_TRUE(start());
  answerWith(IDOK);
  showWarning(program.frame, "无法写入文件:%s", "");
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].caption, "Oxbyte");
  EXPECT_TRUE(dialogs[0].says("无法写入文件:(无标题)"));
}

}  // namespace
