// The menu loop beeps at a key it has no use for. Windows sounds the beep inside user32, where no call of
// the program sees it; the stand-in counts it.
#include <gtest/gtest.h>

#include "user32/beep.h"
#include "win32/menu_test_support.h"

namespace {

using menu_test::MenuFrame;

TEST(MenuBeep, OnlyAnAccessKeyWithoutMatchBeeps) {
  const struct {
    const char *what;
    std::function<void(MenuFrame &)> act;
    int beeps;
  } cases[] = {
      {"Alt+Q: no bar item has the letter", [](MenuFrame &f) { f.keyMenu('q'); }, 1},
      {"a letter no item of File has", [](MenuFrame &f) {
         f.script.push_back([&f] { PostMessageA(f.hwnd, WM_CHAR, 'q', 1); });
         f.keyMenu('f');
       }, 1},
      {"Alt+Tab and Alt+Escape are the desktop's", [](MenuFrame &f) {
         for (WPARAM ch : {WPARAM(VK_TAB), WPARAM(VK_ESCAPE)}) SendMessageA(f.hwnd, WM_SYSCHAR, ch, 0x20000001);
       }, 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    MenuFrame frame;
    int before = win32::beepCount();
    c.act(frame);
    EXPECT_EQ(win32::beepCount(), before + c.beeps);
  }
}

}  // namespace
