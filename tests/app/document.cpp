// Open, Save, Undo all and Close: the files on disk, the questions and warnings, the enable states.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "resources/resource.h"
#include "support/platform.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using Document = ProgramTest;

bool greyedInMenu(ProgramTest &t, int id) { return (t.menuState(id) & MF_GRAYED) != 0; }

TEST_F(Document, OpenShowsTheFileAndEnablesFindAndGoto) {
  ASSERT_TRUE(start());
  openWithDialog(writeFile("doc.bin", std::string(999, 'q')));
  EXPECT_EQ(caption(), "Oxbyte - doc.bin [999 字节]");
  EXPECT_EQ(statusText(0), "当前位置: 0 / 000000");
  EXPECT_EQ(statusText(1), " HEX-HI");
  EXPECT_FALSE(greyedInMenu(*this, IDM_FIND));
  EXPECT_FALSE(greyedInMenu(*this, IDM_GOTO));
  EXPECT_TRUE(greyedInMenu(*this, IDM_REVERT));
  EXPECT_EQ(buttonState(IDM_FIND), TBSTATE_ENABLED);
  EXPECT_EQ(buttonState(IDM_GOTO), TBSTATE_ENABLED);
  EXPECT_EQ(buttonState(IDM_REVERT), TBSTATE_INDETERMINATE);
  EXPECT_EQ(scroll().nMax, (999 - 1) / 16);
  EXPECT_EQ(scroll().nPage, 24u);
}

TEST_F(Document, TheSizeLimitIsSixteenMegabytesLessOne) {
  ASSERT_TRUE(start());
  std::string largest = path("largest.bin"), tooLarge = path("too-large.bin");
  std::filesystem::resize_file(writeFile("largest.bin", ""), 16777215);
  std::filesystem::resize_file(writeFile("too-large.bin", ""), 16777216);
  openWithDialog(largest);
  EXPECT_EQ(caption().rfind("Oxbyte - largest.bin [", 0), 0u);  // the size as the user's locale groups it
  EXPECT_EQ(scroll().nMax, 1048575);
  openWithDialog(tooLarge, IDOK);
  ASSERT_EQ(dialogs.size(), 3u);
  EXPECT_TRUE(dialogs[2].says("文件too-large.bin太大了!"));
  EXPECT_EQ(view(), nullptr);
  EXPECT_EQ(caption(), "Oxbyte");
  EXPECT_TRUE(greyedInMenu(*this, IDM_FIND));
  EXPECT_EQ(buttonState(IDM_GOTO), TBSTATE_INDETERMINATE);
}

// A missing file, a pipe and a device.
TEST_F(Document, FilesThatCannotBeDocumentsAreRefusedWithTheReadWarning) {
  ASSERT_TRUE(start());
  std::vector<platform::NotAFile> cases{{path("missing.bin"), "missing.bin"}};
  for (const platform::NotAFile &special : platform::notRegularFiles(folder)) cases.push_back(special);
  ASSERT_EQ(cases.size(), 3u);
  for (const platform::NotAFile &c : cases) {
    openWithDialog(c.path, IDOK);
    EXPECT_EQ(view(), nullptr) << c.path;
    ASSERT_EQ(dialogs.size() % 2, 0u) << c.path;
    // A name typed without an extension may come back with one: the Open dialog appends the default
    // extension "if the user fails to type an extension" (OPENFILENAME's lpstrDefExt), and the Explorer-style
    // dialog takes it from the selected filter when that names one, keeping it where the name with it
    // exists (Wine; "\\.\NUL.exe" is the null device too). Either way it is the device that is refused.
    const DialogSeen &shown = dialogs.back();
    EXPECT_TRUE(shown.says("无法读取文件:" + c.name + "!") || shown.says("无法读取文件:" + c.name + ".exe!") ||
                shown.says("无法读取文件:" + c.name + ".txt!"))
        << c.path << " showed: " << (shown.texts.empty() ? "" : shown.texts.back());
  }
  EXPECT_EQ(dialogs.size(), 6u);
}

TEST_F(Document, AnEmptyFileOpensAsNoDocument) {
  ASSERT_TRUE(start());
  openWithDialog(writeFile("empty.bin", ""));
  ASSERT_NE(view(), nullptr);
  EXPECT_EQ(caption(), "Oxbyte");
  EXPECT_FALSE(greyedInMenu(*this, IDM_FIND));
  key(VK_RIGHT);
  type("12");
  EXPECT_EQ(statusText(0), "打开待编辑文件");
  EXPECT_EQ(cell(0, 0).background, RGB(255, 255, 255));
  EXPECT_FALSE(cell(0, 0).ink);
}

TEST_F(Document, SaveWritesEveryByteAndClearsTheMarks) {
  std::string file = writeFile("save.bin", "ABCDEFGH");
  ASSERT_TRUE(start(quotedPath(file)));
  type("7a");
  EXPECT_FALSE(greyedInMenu(*this, IDM_SAVE));
  EXPECT_EQ(buttonState(IDM_SAVE), TBSTATE_ENABLED);
  command(IDM_SAVE);
  EXPECT_EQ(readFile(file), "zBCDEFGH");
  EXPECT_TRUE(greyedInMenu(*this, IDM_SAVE));
  EXPECT_TRUE(greyedInMenu(*this, IDM_REVERT));
  EXPECT_EQ(buttonState(IDM_SAVE), TBSTATE_INDETERMINATE);
  EXPECT_TRUE(cellsShow(9, 0, "7A"));  // black again: no longer marked
  EXPECT_TRUE(quit() == 0 && dialogs.empty());  // nothing unsaved: no question
}

TEST_F(Document, AFailedSaveKeepsTheDocumentChanged) {
  std::string file = writeFile("ro.bin", "ABCD");
  ASSERT_TRUE(start(quotedPath(file)));
  type("30");
  std::filesystem::permissions(file, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  answerWith(IDOK);
  command(IDM_SAVE);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_TRUE(dialogs[0].says("无法写入文件:ro.bin"));
  EXPECT_EQ(readFile(file), "ABCD");
  EXPECT_FALSE(greyedInMenu(*this, IDM_SAVE));
  EXPECT_TRUE(cellsShow(9, 0, "30", RGB(255, 0, 0)));
}

TEST_F(Document, ClosingWithChangesAsksAndYesSaves) {
  std::string file = writeFile("close.bin", "ABCD");
  ASSERT_TRUE(start(quotedPath(file)));
  type("31");
  answerWith(IDYES);
  EXPECT_EQ(quit(), 0);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_TRUE(dialogs[0].says("保存修改到 close.bin?"));
  EXPECT_EQ(readFile(file), "1BCD");
}

TEST_F(Document, ClosingWithChangesAndNoDiscardsThem) {
  std::string file = writeFile("close.bin", "ABCD");
  ASSERT_TRUE(start(quotedPath(file)));
  type("31");
  answerWith(IDNO);
  EXPECT_EQ(quit(), 0);
  EXPECT_EQ(readFile(file), "ABCD");
}

// Close changes only the toolbar; the menu's Save stays enabled and writes the unchanged file back.
TEST_F(Document, CloseThenOpenAnotherKeepsTheMenusSave) {
  std::string first = writeFile("first.bin", "ABCD"), second = writeFile("second.bin", "WXYZ");
  ASSERT_TRUE(start(quotedPath(first)));
  type("31");
  answerWith(IDNO);
  openWithDialog(second);
  EXPECT_EQ(buttonState(IDM_SAVE), TBSTATE_INDETERMINATE);
  EXPECT_FALSE(greyedInMenu(*this, IDM_SAVE));
  command(IDM_SAVE);
  EXPECT_EQ(readFile(second), "WXYZ");
  EXPECT_TRUE(greyedInMenu(*this, IDM_SAVE));
}

TEST_F(Document, CancellingTheOpenDialogLeavesNoDocument) {
  ASSERT_TRUE(start(quotedPath(writeFile("c.bin", "ABCD"))));
  answerWith(IDCANCEL);
  command(IDM_OPEN);
  EXPECT_EQ(view(), nullptr);
  EXPECT_EQ(caption(), "Oxbyte");
  EXPECT_EQ(statusText(0), "打开待编辑文件");
  EXPECT_TRUE(greyedInMenu(*this, IDM_FIND));
  EXPECT_EQ(buttonState(IDM_FIND), TBSTATE_INDETERMINATE);
}

TEST_F(Document, RevertReadsTheFileAgainKeepingTheCursor) {
  std::string file = writeFile("r.bin", std::string(100, 'a'));
  ASSERT_TRUE(start(quotedPath(file)));
  key(VK_DOWN);
  type("42");
  answerWith(IDYES);
  command(IDM_REVERT);
  EXPECT_TRUE(cellsShow(9, 1, "61"));
  EXPECT_EQ(statusText(0), "当前位置: 17 / 000011");
  EXPECT_TRUE(greyedInMenu(*this, IDM_SAVE));
  EXPECT_TRUE(quit() == 0 && dialogs.size() == 1);
}

TEST_F(Document, RevertOfAVanishedFileWarnsAndKeepsTheChanges) {
  std::string file = writeFile("v.bin", "ABCD");
  ASSERT_TRUE(start(quotedPath(file)));
  type("39");
  ASSERT_TRUE(std::filesystem::remove(file));
  answerWith(IDYES);
  answerWith(IDOK);
  command(IDM_REVERT);
  ASSERT_EQ(dialogs.size(), 2u);
  EXPECT_TRUE(dialogs[1].says("无法读取文件:v.bin!"));
  EXPECT_TRUE(cellsShow(9, 0, "39", RGB(255, 0, 0)));
  EXPECT_FALSE(greyedInMenu(*this, IDM_SAVE));
  answerWith(IDNO);
}

TEST_F(Document, RevertOfAFileThatChangedSizeWarnsAndKeepsTheChanges) {
  std::string file = writeFile("g.bin", "ABCD");
  ASSERT_TRUE(start(quotedPath(file)));
  type("39");
  writeFile("g.bin", "ABCDEFGH");
  answerWith(IDYES);
  answerWith(IDOK);
  command(IDM_REVERT);
  EXPECT_TRUE(dialogs.back().says("无法读取文件:g.bin!"));
  EXPECT_TRUE(cellsShow(9, 0, "39", RGB(255, 0, 0)));
  answerWith(IDNO);
}

}  // namespace
