// The frame: its size, its snapping to whole rows, minimising, closing, and what reaches a view.
#include <commctrl.h>
#include <unistd.h>

#include "resources/resource.h"
#include "tests/app/program.h"

namespace {

using Frame = ProgramTest;

int height(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r.bottom - r.top;
}

int width(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r.right - r.left;
}

// The height the frame takes for `rows` rows of the 16-pixel font.
int frameHeightFor(HWND frame, HWND toolbar, HWND status, int rows) {
  RECT window, client;
  GetWindowRect(frame, &window);
  GetClientRect(frame, &client);
  int nonClient = (window.bottom - window.top) - client.bottom;
  return rows * 16 + height(toolbar) + height(status) + nonClient + 4;
}

TEST_F(Frame, StartsWithCaptionAndRoomFor75ColumnsAnd24Rows) {
  ASSERT_TRUE(start());
  EXPECT_EQ(caption(), "Oxbyte");
  EXPECT_EQ(width(program.frame), 75 * 8 + 17 + 2);
  EXPECT_EQ(height(program.frame), frameHeightFor(program.frame, toolbar(), status(), 24));
  EXPECT_EQ(view(), nullptr);
}

TEST_F(Frame, ClientAreaIsGreyWithABlackOutline) {
  ASSERT_TRUE(start());
  RECT client, bar;
  GetClientRect(program.frame, &client);
  GetWindowRect(toolbar(), &bar);
  int below = bar.bottom - bar.top + 8;
  EXPECT_EQ(pixel(program.frame, 0, client.bottom / 2), RGB(0, 0, 0));
  EXPECT_EQ(pixel(program.frame, client.right - 1, client.bottom / 2), RGB(0, 0, 0));
  EXPECT_EQ(pixel(program.frame, 20, below), RGB(128, 128, 128));
}

TEST_F(Frame, AnyResizeSnapsToTheColumnsAndWholeRows) {
  ASSERT_TRUE(start());
  RECT r;
  GetWindowRect(program.frame, &r);
  struct Case {
    int width, height, rows;
  } cases[] = {{900, frameHeightFor(program.frame, toolbar(), status(), 10) + 7, 10},
               {300, frameHeightFor(program.frame, toolbar(), status(), 40), 40},
               {619, 60, 1},  // never fewer than one row
               {619, frameHeightFor(program.frame, toolbar(), status(), 3) + 12, 3},
               {619, frameHeightFor(program.frame, toolbar(), status(), 3) + 13, 4}};
  for (const Case &c : cases) {
    MoveWindow(program.frame, r.left, r.top, c.width, c.height, TRUE);
    pump();
    EXPECT_EQ(width(program.frame), 619) << c.height;
    EXPECT_EQ(height(program.frame), frameHeightFor(program.frame, toolbar(), status(), c.rows)) << c.height;
    RECT client, bar;
    GetClientRect(program.frame, &client);
    GetWindowRect(status(), &bar);
    EXPECT_EQ(ChildWindowFromPoint(program.frame, POINT{0, client.bottom - 1}), status());
  }
}

TEST_F(Frame, MinimisingKeepsTheRows) {
  ASSERT_TRUE(start());
  int before = height(program.frame);
  ShowWindow(program.frame, SW_MINIMIZE);
  pump();
  ShowWindow(program.frame, SW_RESTORE);
  pump();
  EXPECT_EQ(height(program.frame), before);
}

TEST_F(Frame, ClosingEndsTheLoopWithCodeZero) {
  ASSERT_TRUE(start());
  EXPECT_EQ(quit(), 0);
  EXPECT_FALSE(IsWindow(program.frame));
}

TEST_F(Frame, ExitFromTheMenuOrTheToolbarCloses) {
  ASSERT_TRUE(start());
  command(IDM_EXIT);
  EXPECT_FALSE(running());
  EXPECT_EQ(quit(), 0);
}

TEST_F(Frame, KeysAndTicksReachOnlyAnOpenView) {
  ASSERT_TRUE(start());
  key(VK_RIGHT);  // no view: dropped
  tick();
  type("41");
  std::string file = writeFile("data.bin", std::string(40, 'x'));
  openWithDialog(file);
  ASSERT_NE(view(), nullptr);
  key(VK_RIGHT);
  EXPECT_EQ(statusText(0), "当前位置: 1 / 000001");
  answerWith(IDNO);  // nothing changed, so closing must not ask: the answer stays unused
  PostMessageA(view(), WM_CLOSE, 0, 0);
  pump();
  EXPECT_EQ(view(), nullptr);
  key(VK_RIGHT);
  type("41");
  EXPECT_EQ(readFile(file), std::string(40, 'x'));
  EXPECT_EQ(dialogs.size(), 1u);
}

TEST_F(Frame, ACommandLinePathInQuotesOpensAtOnce) {
  std::string file = writeFile("a file.bin", "hello");
  ASSERT_TRUE(start("\"" + file + "\""));
  EXPECT_EQ(caption(), "Oxbyte - a file.bin [5 字节]");
  EXPECT_TRUE(dialogs.empty());
}

TEST_F(Frame, ABareNameIsLookedUpInTheCurrentFolder) {
  writeFile("bare.bin", "12345678");
  char here[4096];
  ASSERT_TRUE(getcwd(here, sizeof here));
  ASSERT_EQ(chdir(folder.c_str()), 0);
  bool started = start("bare.bin");
  EXPECT_EQ(chdir(here), 0);
  ASSERT_TRUE(started);
  EXPECT_EQ(caption(), "Oxbyte - bare.bin [8 字节]");
}

TEST_F(Frame, ACommandLineFileThatCannotBeOpenedIsReportedAndNoDocumentRemains) {
  answerWith(IDOK);
  ASSERT_TRUE(start(path("missing.bin")));
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_TRUE(dialogs[0].says("无法读取文件:missing.bin!"));
  EXPECT_EQ(view(), nullptr);
  EXPECT_EQ(caption(), "Oxbyte");
}

TEST_F(Frame, ACommandLineFolderIsRefused) {
  answerWith(IDOK);
  ASSERT_TRUE(start(folder));
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(view(), nullptr);
}

TEST_F(Frame, ATooLongCommandLinePathIsRefusedNotTruncated) {
  std::string longPath = folder + "/" + std::string(300, 'x');
  answerWith(IDOK);
  ASSERT_TRUE(start(longPath));
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(view(), nullptr);
}

}  // namespace
