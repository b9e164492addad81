// The "Static" class: aligned and wrapped text, access-key prefixes, icons from resources, disabled text.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/message_log.h"
#include "support/platform_screen.h"
#include "win32/dialog_test_support.h"

namespace {

using dialog_test::countPixels;

constexpr COLORREF kBlack = RGB(0, 0, 0);

class StaticTest : public testing::Test {
 protected:
  StaticTest() {
    parent = log.createTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300);
    MessageLog::pump();
  }

  HWND label(DWORD style, LPCSTR text, int width = 160, int height = 40, HINSTANCE instance = nullptr) {
    HWND hwnd = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, 10, nextY, width, height, parent,
                                nullptr, instance, nullptr);
    nextY += height + 4;  // labels side by side would paint over each other
    MessageLog::pump();
    return hwnd;
  }

  // The first and last columns with black pixels in the given rows, or {-1, -1}.
  static std::pair<int, int> inkColumns(HWND hwnd, int top, int bottom, int width) {
    int first = -1, last = -1;
    for (int x = 0; x < width; ++x)
      if (countPixels(hwnd, RECT{x, top, x + 1, bottom}, kBlack)) {
        if (first < 0) first = x;
        last = x;
      }
    return {first, last};
  }

  MessageLog log;
  HWND parent = nullptr;
  int nextY = 4;
};

// "Hi" is 16 pixels wide in a 160-pixel label.
TEST_F(StaticTest, AlignsTextLeftCentredAndRight) {
  struct Case {
    DWORD style;
    int left;
  } cases[] = {{SS_LEFT, 0}, {SS_CENTER, 72}, {SS_RIGHT, 144}};
  for (const Case &c : cases) {
    HWND hwnd = label(c.style, "Hi");
    auto [first, last] = inkColumns(hwnd, 0, 16, 160);
    EXPECT_GE(first, c.left) << c.style;
    EXPECT_LE(last, c.left + 16) << c.style;
    EXPECT_GT(last - first, 8) << c.style;
  }
}

TEST_F(StaticTest, WrapsWordsOntoLines) {
  HWND hwnd = label(SS_LEFT, "alpha beta gamma", 96, 48);  // 12 characters a line
  EXPECT_GT(countPixels(hwnd, RECT{0, 0, 96, 16}, kBlack), 20);
  EXPECT_GT(countPixels(hwnd, RECT{0, 16, 96, 32}, kBlack), 20);
  EXPECT_EQ(countPixels(hwnd, RECT{0, 32, 96, 48}, kBlack), 0);
  auto [first, last] = inkColumns(hwnd, 16, 32, 96);
  EXPECT_LT(last, screen::textWidth(hwnd, "gamma") + 2) << "the second line holds only \"gamma\"";
  HWND lines = label(SS_CENTER, "one\ntwo\nthree", 96, 48);
  EXPECT_GT(countPixels(lines, RECT{0, 32, 96, 48}, kBlack), 20);
}

// An '&' underlines the next character unless SS_NOPREFIX shows it as it is.
TEST_F(StaticTest, PrefixUnderlinesUnlessSsNoPrefix) {
  HWND prefixed = label(SS_LEFT, "&Yes");
  HWND plain = label(SS_LEFT | SS_NOPREFIX, "&Yes");
  // One row of the text is black all along the Y: its underline.
  const int underline = screen::textWidth(prefixed, "Y") - 1;
  int underlines = 0;
  for (int y = 0; y < 24; ++y) underlines += countPixels(prefixed, RECT{0, y, underline, y + 1}, kBlack) == underline;
  EXPECT_EQ(underlines, 1) << "the underline under Y";
  EXPECT_LT(inkColumns(prefixed, 0, 24, 160).second, screen::textWidth(prefixed, "Yes") + 2) << "three characters";
  EXPECT_GE(inkColumns(plain, 0, 24, 160).second, screen::textWidth(plain, "&Ye")) << "four characters";
  EXPECT_EQ(SendMessageA(plain, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(StaticTest, IconsComeFromTheModuleAndSizeTheControl) {
  HINSTANCE program = GetModuleHandleA(nullptr);
  // A control made by CreateWindowEx takes the icon's name as a text: "#103" stands for the number 103.
  const std::string name = std::string(1, '#') += std::to_string(IDI_OXBYTE);
  HWND icon = label(SS_ICON, name.c_str(), 5, 5, program);
  HICON loaded = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
  EXPECT_EQ(loaded, LoadIconA(program, MAKEINTRESOURCEA(IDI_OXBYTE)));
  RECT r;
  GetClientRect(icon, &r);
  EXPECT_EQ(r.right, 32);
  EXPECT_EQ(r.bottom, 32);
  EXPECT_GT(dialog_test::countPixelsNot(icon, r, GetSysColor(COLOR_BTNFACE)), 200);
  auto pixels = [&] {
    std::vector<COLORREF> shown;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) shown.push_back(dialog_test::clientPixel(icon, x, y));
    return shown;
  };
  std::vector<COLORREF> before = pixels();
  HICON warning = LoadIconA(nullptr, IDI_WARNING);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(icon, STM_SETICON, WPARAM(warning), 0)), loaded);
  MessageLog::pump();
  std::vector<COLORREF> after = pixels();
  int changed = 0;
  for (size_t i = 0; i < before.size(); ++i) changed += before[i] != after[i];
  EXPECT_GT(changed, 100) << "the new icon shows";
  // Without a module the name is looked up among the system icons.
  HWND system = label(SS_ICON, "#32513", 5, 5);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(system, STM_GETICON, 0, 0)), LoadIconA(nullptr, IDI_ERROR));
  HWND missing = label(SS_ICON, "#4711", 5, 5);
  EXPECT_EQ(SendMessageA(missing, STM_GETICON, 0, 0), 0);
}

TEST_F(StaticTest, DisabledTextIsGreyAndTextChangesRepaint) {
  HWND hwnd = label(SS_LEFT, "Text");
  EnableWindow(hwnd, FALSE);
  MessageLog::pump();
  RECT line{0, 0, 40, 16};
  EXPECT_EQ(countPixels(hwnd, line, kBlack), 0);
  EXPECT_GT(countPixels(hwnd, line, GetSysColor(COLOR_GRAYTEXT)), 20);
  EnableWindow(hwnd, TRUE);
  SetWindowTextA(hwnd, "");
  MessageLog::pump();
  EXPECT_EQ(dialog_test::countPixelsNot(hwnd, line, GetSysColor(COLOR_BTNFACE)), 0);
}

}  // namespace
