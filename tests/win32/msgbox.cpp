// MessageBoxA: buttons and their answers to the keys, the owner, the icon and the layout.
#include <gtest/gtest.h>

#include "support/wine.h"
#include "win32/dialog_test_support.h"

namespace {

using namespace dialog_test;

class MessageBoxTest : public testing::Test {
 protected:
  OwnerWindow owner;
};

struct Child {
  std::string className, text;
  int id;
  LONG style;
};

std::vector<Child> childrenOf(HWND box) {
  std::vector<Child> children;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char name[32] = "";
    GetClassNameA(c, name, sizeof name);
    children.push_back({name, textOf(c), GetDlgCtrlID(c), GetWindowLongA(c, GWL_STYLE)});
  }
  return children;
}

int showBox(HWND owner, UINT type, std::vector<Action> actions, const char *text = "Some text") {
  OnDialogActivated answer([&](HWND box) { play(box, actions); });
  return MessageBoxA(owner, text, "Caption", type);
}

// Escape and the close box mean Cancel; a box with only OK answers OK to them, and a Yes/No box, which
// cannot be cancelled, stays open (the dialog then ends with kStillOpen).
TEST_F(MessageBoxTest, KeysAndTheirAnswers) {
  struct Case {
    const char *name;
    UINT type;
    std::vector<Action> actions;
    int result;
  } cases[] = {
      {"OK: Enter", MB_OK, {key(VK_RETURN)}, IDOK},
      {"OK: Escape", MB_OK | MB_ICONWARNING, {key(VK_ESCAPE)}, IDOK},
      {"OK: Space", MB_OK, {key(VK_SPACE)}, IDOK},
      {"OK: close box", MB_OK, {run([] { PostMessageA(GetActiveWindow(), WM_CLOSE, 0, 0); })}, IDOK},
      {"OK/Cancel: Escape", MB_OKCANCEL, {key(VK_ESCAPE)}, IDCANCEL},
      {"OK/Cancel: Enter", MB_OKCANCEL, {key(VK_RETURN)}, IDOK},
      {"OK/Cancel: Tab, Enter", MB_OKCANCEL, {key(VK_TAB), key(VK_RETURN)}, IDCANCEL},
      {"Yes/No: Enter", MB_YESNO | MB_ICONQUESTION, {key(VK_RETURN)}, IDYES},
      {"Yes/No: n", MB_YESNO, {character('n')}, IDNO},
      {"Yes/No: Alt+Y", MB_YESNO, {altCharacter('y')}, IDYES},
      {"Yes/No: Right, Space", MB_YESNO, {key(VK_RIGHT), key(VK_SPACE)}, IDNO},
      {"Yes/No: Escape", MB_YESNO, {key(VK_ESCAPE)}, int(kStillOpen)},
      {"Yes/No: close box", MB_YESNO, {run([] { PostMessageA(GetActiveWindow(), WM_CLOSE, 0, 0); })}, int(kStillOpen)},
      {"Yes/No, second default: Enter", MB_YESNO | MB_DEFBUTTON2, {key(VK_RETURN)}, IDNO},
      {"Yes/No/Cancel: Escape", MB_YESNOCANCEL, {key(VK_ESCAPE)}, IDCANCEL},
  };
  // Windows answers as above: "If the message box has no Cancel button, pressing ESC will have no effect -
  // unless an MB_OK button is present. If an MB_OK button is displayed and the user presses ESC, the return
  // value will be IDOK." (MessageBox in Microsoft's documentation). Wine's box answers IDCANCEL to both.
  const bool cancelledAnyway = runningUnderWine();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const bool noCancelButton = (c.type & MB_TYPEMASK) == MB_OK || (c.type & MB_TYPEMASK) == MB_YESNO;
    const bool escapeOrClose = c.actions[0].kind == Action::Run || c.actions[0].value == VK_ESCAPE;
    const int expected = cancelledAnyway && noCancelButton && escapeOrClose ? IDCANCEL : c.result;
    EXPECT_EQ(showBox(owner.hwnd(), c.type, c.actions), expected);
  }
}

TEST_F(MessageBoxTest, ButtonsHaveTheEnglishCaptions) {
  struct Case {
    UINT type;
    std::vector<std::pair<int, std::string>> buttons;
    int focus;
  } cases[] = {
      {MB_OK, {{IDOK, "OK"}}, IDOK},
      {MB_OKCANCEL, {{IDOK, "OK"}, {IDCANCEL, "Cancel"}}, IDOK},
      {MB_YESNO, {{IDYES, "&Yes"}, {IDNO, "&No"}}, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, {{IDYES, "&Yes"}, {IDNO, "&No"}}, IDNO},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.type);
    std::vector<std::pair<int, std::string>> buttons;
    int focus = 0;
    LONG defaultStyle = 0;
    showBox(owner.hwnd(), c.type, {run([&] {
              for (const Child &child : childrenOf(GetActiveWindow()))
                if (child.className == "Button") buttons.emplace_back(child.id, child.text);
              focus = GetDlgCtrlID(GetFocus());
              defaultStyle = GetWindowLongA(GetFocus(), GWL_STYLE) & BS_TYPEMASK;
            })});
    EXPECT_EQ(buttons, c.buttons);
    EXPECT_EQ(focus, c.focus);
    EXPECT_EQ(defaultStyle, BS_DEFPUSHBUTTON);
  }
}

TEST_F(MessageBoxTest, ModalOverItsOwner) {
  bool ownerEnabled = true;
  std::string caption;
  showBox(owner.hwnd(), MB_OK, {run([&] {
            HWND active = GetActiveWindow();
            ownerEnabled = IsWindowEnabled(owner.hwnd());
            caption = textOf(active);
          })});
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_EQ(GetActiveWindow(), owner.hwnd());
  EXPECT_EQ(caption, "Caption");
  OnDialogActivated answer([&](HWND dialog) {
    caption = textOf(dialog);
    play(dialog, {key(VK_RETURN)});
  });
  EXPECT_EQ(MessageBoxA(nullptr, "no owner", nullptr, MB_OK), IDOK);
  EXPECT_EQ(caption, "Error");
}

// The icon static shows the system icon of the box's type; the text, never read for access keys, wraps.
TEST_F(MessageBoxTest, TheIconAndTheWrappedText) {
  showBox(owner.hwnd(), MB_OK | MB_ICONWARNING, {run([] {
            std::vector<Child> children = childrenOf(GetActiveWindow());
            HWND icon = GetWindow(GetActiveWindow(), GW_CHILD);
            EXPECT_EQ(children[0].style & SS_TYPEMASK, SS_ICON);
            EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)), LoadIconA(nullptr, IDI_WARNING));
            EXPECT_TRUE(children.back().style & SS_NOPREFIX);
            EXPECT_EQ(children.back().text, "short");
          })},
          "short");
  std::string longText;
  for (int i = 0; i < 40; ++i) longText += "word ";
  showBox(owner.hwnd(), MB_OK, {run([] {
            // Wine's box keeps an empty icon control; what counts is that nothing shows an icon.
            int shown = 0;
            for (HWND c = GetWindow(GetActiveWindow(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
              bool emptyIcon = (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                               !SendMessageA(c, STM_GETICON, 0, 0);
              shown += IsWindowVisible(c) && !emptyIcon;
            }
            EXPECT_EQ(shown, 2) << "a button and the text, no icon";
            RECT text;
            GetClientRect(GetDlgItem(GetActiveWindow(), 0xFFFF), &text);
            EXPECT_LE(text.right, 448);
            EXPECT_GE(text.bottom, 4 * 16);
          })},
          longText.c_str());
}

}  // namespace
