// The access key read from a label, a rule Windows documents no answer for beyond the single ampersand;
// Wine reads labels the same way.
#include <windows.h>

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "win32/menu_test_support.h"

namespace {

// Typed in an open drop-down, an item's access key chooses it; a doubled ampersand is a plain one.
TEST(MenuRules, TheAccessKeyIsTheCharacterAfterASingleAmpersand) {
  struct Case {
    const char *label;
    char typed;
    bool chosen;
  } cases[] = {{"文件(&F)", 'f', true}, {"&open", 'O', true},  {"a && b", '&', false}, {"a && b", 'b', false},
               {"no key", 'k', false},  {"end&", '&', false}, {"&&&x", 'x', true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.label);
    menu_test::MenuFrame frame(nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, IDM_OPEN, c.label);
    frame.script.push_back([&] { PostMessageA(frame.hwnd, WM_CHAR, WPARAM(c.typed), 1); });
    UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, frame.hwnd, nullptr));
    DestroyMenu(menu);
    EXPECT_EQ(chosen, c.chosen ? UINT(IDM_OPEN) : 0u);
  }
}

}  // namespace
