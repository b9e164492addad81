// The caption's grouped byte count follows the user's locale; warnings name the file or "(无标题)".
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/title.h"
#include "resources/resource.h"
#include "tests/app/program.h"

namespace {

struct InLocale {
  explicit InLocale(const char *name) { setenv("LC_ALL", name, 1); }
  ~InLocale() { setenv("LC_ALL", "C.UTF-8", 1); }
};

using Caption = ProgramTest;

TEST_F(Caption, GroupsTheSizeWithTheLocalesSeparator) {
  std::string file = writeFile("big.bin", "");
  ASSERT_EQ(truncate(file.c_str(), 16777215), 0);
  struct Case {
    const char *locale;
    const char *caption;
  } cases[] = {
      {"en_US.UTF-8", "Oxbyte - big.bin [16,777,215 字节]"},
      {"de_DE.UTF-8", "Oxbyte - big.bin [16.777.215 字节]"},
      {"C", "Oxbyte - big.bin [16777215 字节]"},  // the C locale has no thousands separator
  };
  for (const Case &c : cases) {
    InLocale locale(c.locale);
    ASSERT_TRUE(start("\"" + file + "\""));
    EXPECT_EQ(caption(), c.caption) << c.locale;
    quit();
  }
}

TEST_F(Caption, ClosingTheDocumentLeavesTheProgramName) {
  InLocale locale("en_US.UTF-8");
  ASSERT_TRUE(start("\"" + writeFile("small.bin", std::string(1234, 's')) + "\""));
  EXPECT_EQ(caption(), "Oxbyte - small.bin [1,234 字节]");
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
