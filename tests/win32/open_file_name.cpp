// GetOpenFileNameA's contract with its caller, whatever its dialog looks like: cancelling, the buffers
// the names are written to, the record's size and the owner held disabled while the dialog runs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/wine.h"
#include "win32/dialog_test_support.h"
#include "win32/file_test_support.h"

namespace {

using namespace dialog_test;

// The file name box: an edit box in a combo box (cmb13) in the dialog Windows shows, a plain edit box
// (edt1) in older templates.
HWND nameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, 0x47C);
  return box ? box : GetDlgItem(dialog, 0x480);
}

// Types into the name box and presses Enter.
std::vector<Action> typeAndEnter(HWND dialog, const std::string &text) {
  return {run([dialog, text] { SetWindowTextA(nameBox(dialog), text.c_str()); }), key(VK_RETURN)};
}

std::vector<Action> operator+(std::vector<Action> a, const std::vector<Action> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class OpenFileName : public testing::Test {
 protected:
  void SetUp() override {
    for (const char *name : {"data", "i.exe.bak"}) folder.write(name, "x");
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner.hwnd();
    ofn.lpstrFilter = "All files (*.*)\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrInitialDir = folder.root().c_str();
    ofn.Flags = OFN_HIDEREADONLY;
  }

  // Runs the dialog, playing `steps` in it once it shows. Message boxes it raises are answered with OK,
  // their texts kept in `messages`.
  BOOL runDialog(std::function<std::vector<Action>(HWND)> steps) {
    OnDialogActivated answer([this, steps](HWND dialog) {
      if (!nameBox(dialog)) {
        messages.push_back(textOf(GetDlgItem(dialog, 0xFFFF)));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return;
      }
      ++dialogsShown;
      play(dialog, steps(dialog));
    });
    return GetOpenFileNameA(&ofn);
  }

  file_test::TempFolder folder;
  OwnerWindow owner;
  char file[MAX_PATH] = "";
  char title[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  std::vector<std::string> messages;
  int dialogsShown = 0;
};

TEST_F(OpenFileName, CancellingReturnsFalseWithoutAnError) {
  struct Case {
    const char *how;
    std::function<void(HWND)> cancel;
  } cases[] = {
      {"Cancel button", [](HWND dialog) { SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0); }},
      {"Escape", [](HWND) { postKey(nullptr, VK_ESCAPE); }},
      {"closing", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"IDCANCEL", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }},
  };
  for (const Case &c : cases) {
    std::strcpy(file, "unchanged");
    BOOL result = runDialog([&](HWND dialog) {
      return std::vector<Action>{run([dialog] { SetWindowTextA(nameBox(dialog), "data"); }),
                                 run([&, dialog] { c.cancel(dialog); })};
    });
    EXPECT_FALSE(result) << c.how;
    EXPECT_EQ(CommDlgExtendedError(), 0u) << c.how;
    EXPECT_STREQ(file, "unchanged") << c.how;
  }
}

// A path that does not fit fails with FNERR_BUFFERTOOSMALL and the size it needs in the first two bytes.
TEST_F(OpenFileName, BufferTooSmallReportsTheSizeNeeded) {
  std::string expected = folder.path("i.exe.bak");
  WORD needed = WORD(expected.size() + 1);
  ofn.nMaxFile = needed - 1;
  BOOL result = runDialog([&](HWND dialog) { return typeAndEnter(dialog, "i.exe.bak"); });
  EXPECT_FALSE(result);
  EXPECT_EQ(CommDlgExtendedError(), DWORD(FNERR_BUFFERTOOSMALL));
  WORD reported;
  std::memcpy(&reported, file, sizeof reported);
  EXPECT_EQ(reported, needed);
  ofn.nMaxFile = needed;
  result = runDialog([&](HWND dialog) { return typeAndEnter(dialog, "i.exe.bak"); });
  EXPECT_TRUE(result) << "exactly enough";
  EXPECT_EQ(std::string(file), expected);
}

// Windows cuts the title to its buffer, the null included; Wine's A call fills all five bytes with the
// title and leaves out the null.
TEST_F(OpenFileName, FileTitleIsCutToItsBuffer) {
  ofn.nMaxFileTitle = 5;
  ASSERT_TRUE(runDialog([&](HWND dialog) { return typeAndEnter(dialog, "i.exe.bak"); }));
  EXPECT_EQ(std::string(title, 5), runningUnderWine() ? std::string("i.exe") : std::string("i.ex\0", 5));
  ofn.lpstrFileTitle = nullptr;
  ASSERT_TRUE(runDialog([&](HWND dialog) { return typeAndEnter(dialog, "data"); }));
  EXPECT_EQ(std::string(file), folder.path("data"));
}

TEST_F(OpenFileName, RecordSizeIsChecked) {
  struct Case {
    DWORD size;
    bool shows;
    DWORD error;
  } cases[] = {{10, false, CDERR_STRUCTSIZE},
               {OPENFILENAME_SIZE_VERSION_400A + 4, false, CDERR_STRUCTSIZE},
               {OPENFILENAME_SIZE_VERSION_400A, true, 0},
               {sizeof(OPENFILENAMEA), true, 0}};
  for (const Case &c : cases) {
    ofn.lStructSize = c.size;
    dialogsShown = 0;
    BOOL result = runDialog([](HWND) { return std::vector<Action>{key(VK_ESCAPE)}; });
    EXPECT_FALSE(result);
    EXPECT_EQ(dialogsShown, c.shows ? 1 : 0) << c.size;
    EXPECT_EQ(CommDlgExtendedError(), c.error) << c.size;
  }
}

TEST_F(OpenFileName, OwnerIsDisabledWhileTheDialogRuns) {
  bool ownerEnabled = true;
  HWND dialogOwner = nullptr;
  runDialog([&](HWND dialog) {
    ownerEnabled = IsWindowEnabled(owner.hwnd());
    dialogOwner = GetWindow(dialog, GW_OWNER);
    return std::vector<Action>{key(VK_ESCAPE)};
  });
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(dialogOwner, owner.hwnd());
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
}

// Without the flags a missing file is simply chosen; with them the dialog says what is missing and stays
// open. Windows' message names the missing file or folder; Wine's only says which is missing.
TEST_F(OpenFileName, MustExistFlagsRefuseWhatIsMissing) {
  const std::string inMissingFolder = file_test::join("nosuch", "x.bin");
  struct Case {
    DWORD flags;
    std::string typed;
    const char *refusal;  // what the message names; null: the name is taken
  } cases[] = {
      {0, "missing.bin", nullptr},
      {0, inMissingFolder, nullptr},
      {OFN_FILEMUSTEXIST, "missing.bin", "missing.bin"},
      {OFN_PATHMUSTEXIST, "missing.bin", nullptr},
      {OFN_PATHMUSTEXIST, inMissingFolder, "nosuch"},
      {OFN_FILEMUSTEXIST, inMissingFolder, "nosuch"},
  };
  for (const Case &c : cases) {
    ofn.Flags = OFN_HIDEREADONLY | c.flags;
    messages.clear();
    BOOL result = runDialog([&](HWND dialog) { return typeAndEnter(dialog, c.typed) + typeAndEnter(dialog, "data"); });
    EXPECT_TRUE(result) << c.typed;
    EXPECT_EQ(messages.size(), c.refusal ? 1u : 0u) << c.typed;
    EXPECT_EQ(std::string(file), folder.path(c.refusal ? "data" : c.typed)) << c.typed;
    if (c.refusal && !messages.empty() && !runningUnderWine()) {
      EXPECT_NE(messages[0].find(c.refusal), std::string::npos) << messages[0];
    }
  }
}

}  // namespace
