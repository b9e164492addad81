// The status bar: placement at the bottom of its parent, parts, texts, re-layout and look.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/wine.h"
#include "win32/comctl_test_support.h"

namespace {

using namespace comctl_test;

// The height Windows gives a bar: its font's height, a margin (the font's internal leading, or 2 pixels
// without one) and two borders, but never less than a caption button (SM_CYSIZE, 18 pixels in the classic
// scheme); then the 2-pixel border above the parts. (Wine's conformance tests of the status bar, which
// pass on Windows, check the same.) On the stand-in, Unifont's 16 pixels make 22.
int heightOf(HWND bar) {
  TEXTMETRICA tm = fontMetrics(bar);
  int margin = tm.tmInternalLeading ? tm.tmInternalLeading : 2;
  return std::max(int(tm.tmHeight) + margin + 2 * GetSystemMetrics(SM_CYBORDER), 18) + 2;
}

class StatusBar : public testing::Test {
 protected:
  void SetUp() override {
    parent = createParent(400, 300);
    bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "Oxbyte,免费的十六进制编辑器", parent, 2);
    ASSERT_NE(bar, nullptr);
    pump();
    height = heightOf(bar);
    GetClientRect(parent, &client);
  }
  void TearDown() override { DestroyWindow(parent); }

  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(bar, message, wParam, lParam);
  }
  RECT windowRectInParent() {
    RECT r;
    GetWindowRect(bar, &r);
    POINT origin{r.left, r.top};
    ScreenToClient(parent, &origin);
    return {origin.x, origin.y, origin.x + (r.right - r.left), origin.y + (r.bottom - r.top)};
  }
  void setParts(std::vector<int> edges) {
    ASSERT_EQ(send(SB_SETPARTS, edges.size(), LPARAM(edges.data())), TRUE);
  }

  HWND parent = nullptr, bar = nullptr;
  int height = 0;
  RECT client{};  // the parent's
};

TEST_F(StatusBar, SitsAlongTheBottomOfItsParent) {
  RECT r = windowRectInParent();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, client.bottom - height);
  EXPECT_EQ(r.right, client.right);
  EXPECT_EQ(r.bottom, client.bottom);
  EXPECT_EQ(ChildWindowFromPoint(parent, POINT{0, client.bottom - 1}), bar);
  EXPECT_EQ(ChildWindowFromPoint(parent, POINT{0, client.bottom - height - 1}), parent);
  char name[32];
  GetClassNameA(bar, name, sizeof name);
  EXPECT_STREQ(name, STATUSCLASSNAMEA);
  EXPECT_EQ(GetDlgCtrlID(bar), 2);
}

// The parent tells the bar with WM_SIZE; the bar reads the parent's client area itself.
TEST_F(StatusBar, FollowsItsParentOnWmSize) {
  MoveWindow(parent, 100, 80, 300, 200, TRUE);
  RECT smaller;
  GetClientRect(parent, &smaller);
  ASSERT_LT(smaller.right, client.right);
  EXPECT_EQ(windowRectInParent().right, client.right) << "nothing moves before WM_SIZE";
  send(WM_SIZE, 0, 0);
  RECT r = windowRectInParent();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, smaller.bottom - height);
  EXPECT_EQ(r.right, smaller.right);
  EXPECT_EQ(r.bottom, smaller.bottom);
  RECT part;
  ASSERT_EQ(send(SB_GETRECT, 0, LPARAM(&part)), TRUE);
  EXPECT_EQ(part.right, smaller.right) << "the last part still reaches the edge";
}

TEST_F(StatusBar, OnePartAtFirstWithTheWindowText) {
  int edges[3] = {7, 7, 7};
  EXPECT_EQ(send(SB_GETPARTS, 3, LPARAM(edges)), 1);
  EXPECT_EQ(edges[0], -1);
  EXPECT_EQ(edges[1], 7);
  const std::string text = "Oxbyte,免费的十六进制编辑器";
  char buffer[64];
  EXPECT_EQ(send(SB_GETTEXTA, 0, LPARAM(buffer)), MAKELONG(text.size(), 0));
  EXPECT_EQ(buffer, text);
  EXPECT_EQ(GetWindowTextLengthA(bar), int(text.size()));
  SetWindowTextA(bar, "other");
  EXPECT_EQ(send(SB_GETTEXTLENGTHA, 0), MAKELONG(5, 0)) << "the window text is part 0's";
}

TEST_F(StatusBar, PartsAndTheirRectangles) {
  setParts({336, -1});
  int edges[4] = {9, 9, 9, 9};
  EXPECT_EQ(send(SB_GETPARTS, 4, LPARAM(edges)), 2);
  EXPECT_EQ(edges[0], 336);
  EXPECT_EQ(edges[1], -1);
  EXPECT_EQ(edges[2], 9);
  std::fill(std::begin(edges), std::end(edges), 9);
  EXPECT_EQ(send(SB_GETPARTS, 1, LPARAM(edges)), 2);
  EXPECT_EQ(edges[1], 9) << "only as many as asked for";
  EXPECT_EQ(send(SB_GETPARTS, 0, 0), 2);

  const RECT expected[] = {{0, 2, 336, height}, {338, 2, client.right, height}};
  for (int i = 0; i < 2; ++i) {
    RECT r{};
    ASSERT_EQ(send(SB_GETRECT, i, LPARAM(&r)), TRUE) << i;
    EXPECT_EQ(r.left, expected[i].left) << i;
    EXPECT_EQ(r.top, expected[i].top) << i;
    EXPECT_EQ(r.right, expected[i].right) << i;
    EXPECT_EQ(r.bottom, expected[i].bottom) << i;
  }
  RECT r;
  EXPECT_EQ(send(SB_GETRECT, 2, LPARAM(&r)), FALSE);
}

// No parts, no array of edges, and more than 256 parts (the most Microsoft's documentation of
// SB_SETPARTS allows; what Windows answers for more is not stated) are refused. Wine takes 257 parts; it
// reads the array it is not given, and faults, so that case runs on the stand-in only.
TEST_F(StatusBar, RefusedParts) {
  int edges[] = {100, -1};
  std::vector<int> tooMany(257, -1);
  struct Case {
    const char *name;
    size_t count;
    const int *edges;
  } cases[] = {{"no parts", 0, edges}, {"no array", 2, nullptr}, {"257 parts", tooMany.size(), tooMany.data()}};
  for (const Case &c : cases) {
    if (!c.edges && runningUnderWine()) continue;  // Wine would fault
    const bool taken = runningUnderWine() && c.count > 256;
    EXPECT_EQ(send(SB_SETPARTS, c.count, LPARAM(c.edges)), taken ? TRUE : FALSE) << c.name;
    EXPECT_EQ(send(SB_GETPARTS), taken ? LRESULT(c.count) : 1) << c.name;
  }
}

// The length of a text, from SB_GETTEXTA and SB_GETTEXTLENGTHA alike, is its length in bytes, with the
// drawing type in the high word; a part without text gives an empty string, and a part that does not
// exist leaves the buffer alone. What Windows' SB_GETTEXTLENGTHA counts beyond ASCII (Microsoft's
// documentation says characters) and what its SB_GETTEXTA writes for a part without text are not
// established here: Wine counts the text's UTF-16 units, and leaves that buffer as it was.
TEST_F(StatusBar, Texts) {
  setParts({300, -1});
  struct Case {
    WPARAM wParam;
    const char *text;
    LRESULT set, get;
    WORD utf16Units;
  } cases[] = {
      {1, "当前位置: 0 / 000000", TRUE, MAKELONG(24, 0), 16},
      {1 | SBT_POPOUT, "Part one", TRUE, MAKELONG(8, SBT_POPOUT), 8},
      {0 | SBT_NOBORDERS, "打开待编辑文件", TRUE, MAKELONG(21, SBT_NOBORDERS), 7},
      {0, nullptr, TRUE, MAKELONG(0, 0), 0},
      {2, "no such part", FALSE, 0, 0},
  };
  const bool wine = runningUnderWine();
  for (const Case &c : cases) {
    EXPECT_EQ(send(SB_SETTEXTA, c.wParam, LPARAM(c.text)), c.set) << c.wParam;
    size_t part = c.wParam & 0xFF;
    char buffer[64] = "untouched";
    EXPECT_EQ(send(SB_GETTEXTA, part, LPARAM(buffer)), c.get) << c.wParam;
    EXPECT_EQ(send(SB_GETTEXTLENGTHA, part), wine ? MAKELONG(c.utf16Units, HIWORD(c.get)) : c.get) << c.wParam;
    EXPECT_EQ(send(SB_GETTEXTA, part, 0), c.get) << "no buffer";
    const char *written = !c.set ? "untouched" : c.text ? c.text : wine ? "untouched" : "";
    EXPECT_STREQ(buffer, written) << c.wParam;
  }
}

TEST_F(StatusBar, DroppedPartsLoseTheirTexts) {
  setParts({100, 200, -1});
  send(SB_SETTEXTA, 0, LPARAM("zero"));
  send(SB_SETTEXTA, 2, LPARAM("two"));
  setParts({-1});
  setParts({100, 200, -1});
  EXPECT_EQ(send(SB_GETTEXTLENGTHA, 0), MAKELONG(4, 0));
  EXPECT_EQ(send(SB_GETTEXTLENGTHA, 2), MAKELONG(0, 0));
}

// Sunken parts on the button face; the text starts three pixels inside a part's edge, in the button
// text colour. (A smoothed glyph may colour the pixel just past its advance; the full block, which fills
// its whole cell, starts right at the text's start and ends at its advance.)
TEST_F(StatusBar, PartsAreSunkenWithTheirTextInside) {
  setParts({200, -1});
  send(SB_SETTEXTA, 1, LPARAM("█"));
  pump();
  RECT r;
  send(SB_GETRECT, 1, LPARAM(&r));
  if (themed()) {
    int inked = 0;
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
      for (int x = r.left + 1; x < r.left + 4 + textWidth(bar, "█"); ++x)
        inked += pixel(bar, x, y) == GetSysColor(COLOR_BTNTEXT);
    EXPECT_GT(inked, 10) << "the text is drawn at the start of its part";
    return;
  }
  EXPECT_EQ(pixel(bar, r.left, r.top), shadow());
  EXPECT_EQ(pixel(bar, r.left + 10, r.top), shadow());
  EXPECT_EQ(pixel(bar, r.left, r.bottom - 2), shadow());
  EXPECT_EQ(pixel(bar, r.right - 1, r.bottom - 1), highlight());
  EXPECT_EQ(pixel(bar, r.left + 10, r.bottom - 1), highlight());
  EXPECT_EQ(pixel(bar, r.left - 1, 10), face()) << "the gap between parts";
  EXPECT_EQ(pixel(bar, 10, 0), face()) << "the border above the parts";
  int inked = 0, textEnd = r.left + 4 + textWidth(bar, "█");
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    EXPECT_EQ(pixel(bar, r.left + 3, y), face()) << "nothing before the text, row " << y;
    for (int x = r.left + 4; x < textEnd; ++x) inked += pixel(bar, x, y) == GetSysColor(COLOR_BTNTEXT);
    EXPECT_EQ(pixel(bar, textEnd + 1, y), face()) << "nothing after the text, row " << y;
  }
  EXPECT_GT(inked, 10) << "the text is drawn";
  const int middle = (r.top + r.bottom) / 2;
  EXPECT_EQ(pixel(bar, r.left + 4, middle), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(pixel(bar, textEnd - 1, middle), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(pixel(bar, textEnd, middle), face());
}

TEST_F(StatusBar, SizeGripOnlyWhenAskedFor) {
  auto gripPixels = [](HWND window) {
    RECT client;
    GetClientRect(window, &client);
    int count = 0;
    for (int y = client.bottom - 12; y < client.bottom - 1; ++y)
      for (int x = client.right - 12; x < client.right - 1; ++x) count += pixel(window, x, y) != face();
    return count;
  };
  const int plain = gripPixels(bar);
  if (!themed()) {
    EXPECT_EQ(plain, 0);
  }
  DestroyWindow(bar);
  HWND gripped = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, "", parent, 3);
  pump();
  EXPECT_GT(gripPixels(gripped), plain + 10);
}

}  // namespace
