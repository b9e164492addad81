// MessageBoxA sounds the beep of its icon's kind. Windows plays it inside user32, where no call of the
// program sees it; the stand-in counts it.
#include <gtest/gtest.h>

#include "user32/beep.h"
#include "win32/dialog_test_support.h"

namespace {

using namespace dialog_test;

TEST(MessageBoxBeep, AnIconBoxSoundsItsBeep) {
  OwnerWindow owner;
  auto showBox = [&](UINT type) {
    OnDialogActivated answer([](HWND box) { play(box, {key(VK_RETURN)}); });
    MessageBoxA(owner.hwnd(), "Some text", "Caption", type);
  };
  int before = win32::beepCount();
  showBox(MB_OK);
  EXPECT_EQ(win32::beepCount(), before);
  showBox(MB_OK | MB_ICONERROR);
  EXPECT_EQ(win32::beepCount(), before + 1);
}

}  // namespace
