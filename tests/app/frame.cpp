// The frame: its size, its snapping to whole rows, minimising, closing, and what reaches a view.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "resources/resource.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"
#include "tests/support/wine.h"

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

// The width the frame takes: 75 columns of the 8-pixel font, the scroll bar (17 pixels), two pixels and
// the frame's own border (none on the stand-in, whose desktop draws the borders).
int frameWidth(HWND frame) {
  RECT window, client;
  GetWindowRect(frame, &window);
  GetClientRect(frame, &client);
  return 75 * 8 + 17 + 2 + (window.right - window.left) - client.right;
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
  EXPECT_EQ(width(program.frame), frameWidth(program.frame));
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
  EXPECT_EQ(height(program.frame), frameHeightFor(program.frame, toolbar(), status(), 24));
  EXPECT_EQ(view(), nullptr);
}

TEST_F(Frame, AClassThatCannotBeRegisteredEndsStartUpWithAnErrorBox) {
  WNDCLASSA taken{};
  taken.lpfnWndProc = DefWindowProcA;
  taken.lpszClassName = "oxpanel";
  ASSERT_TRUE(RegisterClassA(&taken));
  answerWith(IDOK);
  EXPECT_FALSE(start());
  UnregisterClassA("oxpanel", nullptr);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].caption, "Oxbyte");
  EXPECT_TRUE(dialogs[0].says("系统版本错误?"));
}

// Drivers that run the program many times in one process (fuzzing, benchmarks) register its classes
// again each time; the class atoms given back must be handed out again (the stand-in once ran out after
// 8,186 starts). Under Wine, where every window costs round trips to its server, fewer starts show the same.
TEST_F(Frame, StartsAndEndsTwentyThousandTimesInOneProcess) {
  const int runs = runningUnderWine() ? 1000 : 20000;
  for (int run = 0; run < runs; ++run) {
    ASSERT_TRUE(start()) << "run " << run;
    ASSERT_EQ(quit(), 0) << "run " << run;
  }
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
  const int snapped = frameWidth(program.frame);
  constexpr int kWholeRows = 0;  // a frame so narrow that its menu bar wraps: some whole number of rows
  struct Case {
    int width, height, rows;
  } cases[] = {{900, frameHeightFor(program.frame, toolbar(), status(), 10) + 7, 10},
               {300, frameHeightFor(program.frame, toolbar(), status(), 40), 40},
               {snapped, 60, 1},  // never fewer than one row
               {snapped, frameHeightFor(program.frame, toolbar(), status(), 3) + 12, 3},
               {snapped, frameHeightFor(program.frame, toolbar(), status(), 3) + 13, 4},
               {120, frameHeightFor(program.frame, toolbar(), status(), 10), kWholeRows},
               {snapped, 10, 1},  // lower than the menu bar
               {1, 1, 1}};
  for (const Case &c : cases) {
    MoveWindow(program.frame, r.left, r.top, c.width, c.height, TRUE);
    pump();
    EXPECT_EQ(width(program.frame), snapped) << c.height;
    int rows = c.rows == kWholeRows ? (height(program.frame) - frameHeightFor(program.frame, toolbar(), status(), 0)) / 16
                                    : c.rows;
    EXPECT_GE(rows, 1) << c.width;
    EXPECT_EQ(height(program.frame), frameHeightFor(program.frame, toolbar(), status(), rows)) << c.height;
    RECT client, bar;
    GetClientRect(program.frame, &client);
    GetWindowRect(status(), &bar);
    EXPECT_EQ(ChildWindowFromPoint(program.frame, POINT{0, client.bottom - 1}), status());
  }
}

// The scroll bar hides while every row of the document fits, and comes back as soon as rows are hidden.
TEST_F(Frame, TheScrollBarIsShownExactlyWhileRowsAreHidden) {
  ASSERT_TRUE(start(quotedPath(writeFile("rows.bin", std::string(30 * 16, 'r')))));
  RECT r;
  GetWindowRect(program.frame, &r);
  for (int rows : {40, 10, 40, 29, 30, 12}) {
    MoveWindow(program.frame, r.left, r.top, width(program.frame),
               frameHeightFor(program.frame, toolbar(), status(), rows), TRUE);
    pump();
    EXPECT_EQ((GetWindowLongA(view(), GWL_STYLE) & WS_VSCROLL) != 0, rows < 30) << rows;
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
  ASSERT_TRUE(start(quotedPath(file)));
  EXPECT_EQ(caption(), "Oxbyte - a file.bin [5 字节]");
  EXPECT_TRUE(dialogs.empty());
}

TEST_F(Frame, ABareNameIsLookedUpInTheCurrentFolder) {
  writeFile("bare.bin", "12345678");
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  bool started = start("bare.bin");
  std::filesystem::current_path(here);
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

// A path too long for the program is refused at start, never truncated; the warning names the file as
// the other warnings do, shortened in the middle when the box cannot hold it, so it still ends in "!".
TEST_F(Frame, ATooLongCommandLinePathIsRefusedWithItsNameInTheWarning) {
  const std::string tooLong = std::string(150, 'a') + std::string(700, 'x') + std::string(150, 'z');
  struct Case {
    std::string commandLine, folder;  // the current folder while starting ("" leaves it)
    std::string says;                 // the whole message, or its start and end around "…"
  } cases[] = {
      {path(std::string(300, 'x')), "", "无法读取文件:" + std::string(300, 'x') + "!"},
      {quotedPath(path(tooLong)), "", "无法读取文件:" + std::string(150, 'a') + "…"},
#ifndef _WIN32  // a current folder longer than the Windows path limit cannot be entered there
      {"name.bin", path(std::string(120, 'd')) + "/" + std::string(120, 'e'), "无法读取文件:name.bin!"},
#endif
  };
  for (const Case &c : cases) {
    std::filesystem::path before = std::filesystem::current_path();
    if (!c.folder.empty()) {
      std::filesystem::create_directories(c.folder);
      std::filesystem::current_path(c.folder);
    }
    answerWith(IDOK);
    bool started = start(c.commandLine);
    std::filesystem::current_path(before);
    ASSERT_TRUE(started);
    ASSERT_EQ(dialogs.size(), 1u) << c.commandLine;
    const std::string &text = dialogs[0].texts.back();
    EXPECT_EQ(text.substr(0, c.says.size()), c.says);
    EXPECT_EQ(text.back(), '!') << text;
    EXPECT_LE(text.size(), 323u);
    EXPECT_EQ(view(), nullptr);
    quit();
    dialogs.clear();
  }
}

}  // namespace
