// Input at and past every length limit: the command line (the path buffer holds 255 bytes), the Find and
// Go-to texts (read with a buffer of 255, so 254 bytes count) and the Open dialog's name box (the path
// buffer holds 260). Past a limit the text is cut or refused, and nothing is written beyond a buffer.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "resources/resource.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

class LongInput : public ProgramTest {
 protected:
  int32_t offsetShown() {
    std::string s = statusText(0);
    return std::stoi(s.substr(s.find(':') + 1));
  }
  // A name in the test's folder that makes the full path exactly `length` bytes long.
  std::string pathOfLength(size_t length, const std::string &bytes = "data") {
    std::string name(length - path("").size(), 'n');
    return writeFile(name, bytes);
  }
};

TEST_F(LongInput, ACommandLinePathFitsUpTo255BytesAndIsRefusedPastThem) {
  for (size_t length : {255, 256, 300}) {
    std::string file = pathOfLength(length);
    bool fits = length <= 255;
    if (!fits) answerWith(IDOK);
    ASSERT_TRUE(start(quotedPath(file)));
    EXPECT_EQ(view() != nullptr, fits) << length;
    if (fits) {
      EXPECT_EQ(caption(), "Oxbyte - " + file.substr(path("").size()) + " [4 字节]");
    }
    if (!fits) {
      EXPECT_EQ(dialogs.back().texts.at(0).rfind("无法读取文件:", 0), 0u) << length;
    }
    quit();
  }
}

// A bare name is joined to the current folder; the joined path must fit as well.
TEST_F(LongInput, ABareNameCountsTheCurrentFolderInItsLength) {
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(folder.c_str()), 0);
  for (size_t length : {255, 256}) {
    std::string file = pathOfLength(length);
    bool fits = length <= 255;
    if (!fits) answerWith(IDOK);
    ASSERT_TRUE(start(file.substr(path("").size())));
    EXPECT_EQ(view() != nullptr, fits) << length;
    quit();
  }
  ASSERT_EQ(chdir(previous), 0);
}

// The file holds 254 bytes of a pattern at offset 300 followed by a byte no text ends with; a longer
// text whose first 254 bytes are the pattern finds it there, because only those 254 bytes are kept.
TEST_F(LongInput, AFindTextIsCutAt254Bytes) {
  std::string pattern;
  for (int i = 0; i < 254; ++i) pattern += char('a' + i % 26);
  ASSERT_TRUE(start(quotedPath(writeFile("find.bin", std::string(300, '.') + pattern + "#"))));
  for (const std::string &tail : {std::string(), std::string("x"), std::string(100, 'y')}) {
    key(VK_HOME, true);
    answerWithText(IDC_FIND_TEXT, pattern + tail, IDOK);
    command(IDM_FIND);
    EXPECT_EQ(offsetShown(), 300) << tail.size();
  }
  // 255 bytes whose 255th byte would not match: the cut makes the search succeed all the same.
  key(VK_HOME, true);
  answerWithText(IDC_FIND_TEXT, pattern + "!", IDOK);
  command(IDM_FIND);
  EXPECT_EQ(offsetShown(), 300);
}

TEST_F(LongInput, AGotoTextIsReadFromItsFirst254Bytes) {
  ASSERT_TRUE(start(quotedPath(writeFile("goto.bin", std::string(100, 'g')))));
  struct Case {
    std::string text;
    int32_t offset;  // where the cursor ends, starting from 50
  } cases[] = {
      {std::string(253, '0') + "7", 7},           // 254 bytes: all read
      {std::string(254, '0') + "7", 0},           // the 7 is the 255th byte: cut off, 0 remains
      {std::string(300, '0') + "9", 0},
      {std::string(252, '0') + "1FH", 50},        // 255 bytes: the H is cut off, 1F is not decimal: refused
      {std::string(251, '0') + "1FH", 31},        // 254 bytes with the H
  };
  for (const Case &c : cases) {
    answerWithText(IDC_GOTO_TEXT, "50", IDOK);
    command(IDM_GOTO);
    answerWithText(IDC_GOTO_TEXT, c.text, IDOK);
    command(IDM_GOTO);
    EXPECT_EQ(offsetShown(), c.offset) << c.text.size();
  }
}

// A chosen path longer than the Open dialog's buffer cannot be returned: the dialog fails as if
// cancelled, no byte lands past the program's buffer, and the next dialog still works.
TEST_F(LongInput, AnOpenDialogPathPastItsBufferOpensNothing) {
  std::string deep = folder;
  while (deep.size() < 300) deep += "/" + std::string(40, 'd');
  std::filesystem::create_directories(deep);
  std::string file = deep + "/long.bin";
  writeFile(file.substr(folder.size() + 1), "xyz");
  ASSERT_TRUE(start());
  openWithDialog(file);
  EXPECT_EQ(view(), nullptr);
  EXPECT_EQ(caption(), "Oxbyte");
  // The dialog left the size it needed in the buffer's first bytes; the next dialog offers no name.
  std::string offered = "unread";
  std::string shortFile = writeFile("short.bin", "abc");
  answerNext([&](HWND dialog) {
    char name[512] = {};
    GetDlgItemTextA(dialog, 1148, name, sizeof name);
    offered = name;
    SetDlgItemTextA(dialog, 1148, shortFile.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  command(IDM_OPEN);
  EXPECT_EQ(offered, "");
  EXPECT_EQ(caption(), "Oxbyte - short.bin [3 字节]");
}

}  // namespace
