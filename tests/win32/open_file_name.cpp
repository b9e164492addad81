// GetOpenFileNameA's contract with its caller, whatever the dialog looks like: the path and title a typed
// name comes back as, what cancelling returns, a buffer too small for the path, the title cut to its
// buffer, the record's size, the owner kept disabled while the dialog runs, and what the must-exist flags
// refuse.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/wine.h"
#include "win32/open_dialog_test_support.h"

namespace {

using namespace open_dialog_test;

// What the name box takes: a name, or a relative or an absolute path, each with its extension. (Names
// without one are the stand-in's own cases: Microsoft's lpstrDefExt text says the default extension is
// appended when the user types none, and Wine appends none to a name that names nothing.)
TEST_F(OpenDialog, TypedNamesBecomeFullPaths) {
  const std::string inner = file_test::join("sub", "inner.bin"), fresh = file_test::join("sub", "fresh.bin");
  for (const TypedName &c : std::vector<TypedName>{{"x.bin", "x.bin", "x.bin", "bin"},
                                                   {inner, inner, "inner.bin", "bin"},
                                                   {folder.path(fresh), fresh, "fresh.bin", "bin"},
                                                   {"archive.tar.gz", "archive.tar.gz", "archive.tar.gz", "gz"}})
    expectChosen(c);
}

TEST_F(OpenDialog, CancellingReturnsFalseWithoutAnError) {
  struct Case {
    const char *how;
    std::function<void(HWND)> cancel;
  } cases[] = {
      {"Cancel button", [](HWND dialog) { SendDlgItemMessageA(dialog, IDCANCEL, BM_CLICK, 0, 0); }},
      {"Escape", [](HWND dialog) { postKey(GetDlgItem(dialog, kNameEdit), VK_ESCAPE); }},
      {"closing", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"IDCANCEL", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }},
  };
  for (const Case &c : cases) {
    std::strcpy(file, "unchanged");
    BOOL result = runDialog([&](HWND dialog) {
      return std::vector<Action>{run([&, dialog] { SetDlgItemTextA(dialog, kNameEdit, "data"); }),
                                 run([&, dialog] { c.cancel(dialog); })};
    });
    EXPECT_FALSE(result) << c.how;
    EXPECT_EQ(CommDlgExtendedError(), 0u) << c.how;
    EXPECT_STREQ(file, "unchanged") << c.how;
  }
}

// A path that does not fit fails with FNERR_BUFFERTOOSMALL and the size it needs in the first two bytes.
TEST_F(OpenDialog, BufferTooSmallReportsTheSizeNeeded) {
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

// A title longer than its buffer is cut to it, and nothing past the buffer is written. The stand-in ends
// the cut title within the buffer; how it ends is not documented, and Wine fills all of it, ending it not.
TEST_F(OpenDialog, FileTitleIsCutToItsBuffer) {
  std::memset(title, 'z', sizeof title);
  ofn.nMaxFileTitle = 5;
  ASSERT_TRUE(runDialog([&](HWND dialog) { return typeAndEnter(dialog, "i.exe.bak"); }));
  EXPECT_EQ(std::string(title, 4), "i.ex");
  EXPECT_EQ(title[4], runningUnderWine() ? 'e' : '\0');
  EXPECT_EQ(title[5], 'z');
  ofn.lpstrFileTitle = nullptr;
  ASSERT_TRUE(runDialog([&](HWND dialog) { return typeAndEnter(dialog, "data"); }));
  EXPECT_EQ(std::string(file), folder.path("data"));
}

TEST_F(OpenDialog, RecordSizeIsChecked) {
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

TEST_F(OpenDialog, OwnerIsDisabledWhileTheDialogRuns) {
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

// Without the flags a missing file is simply chosen; with them the dialog says what is missing and stays.
TEST_F(OpenDialog, MustExistFlagsRefuseWhatIsMissing) {
  const std::string missingFolder = file_test::join("nosuch", ""), inMissingFolder = missingFolder + "x.bin";
  struct Case {
    DWORD flags;
    std::string typed;
    bool refused;
  } cases[] = {
      {0, "missing.bin", false},
      {0, inMissingFolder, false},
      {OFN_FILEMUSTEXIST, "missing.bin", true},
      {OFN_PATHMUSTEXIST, "missing.bin", false},
      {OFN_PATHMUSTEXIST, inMissingFolder, true},
      {OFN_FILEMUSTEXIST, inMissingFolder, true},
      {0, missingFolder, true},
  };
  for (const Case &c : cases) {
    // A folder that is not there, typed with its separator: the stand-in refuses it. What Windows does is
    // not established here; Wine returns the folder's path as the file chosen.
    if (c.typed == missingFolder && runningUnderWine()) continue;
    ofn.Flags = OFN_HIDEREADONLY | c.flags;
    messages.clear();
    BOOL result = runDialog([&](HWND dialog) { return typeAndEnter(dialog, c.typed) + typeAndEnter(dialog, "data"); });
    EXPECT_TRUE(result) << c.typed;
    EXPECT_EQ(messages.size(), c.refused ? 1u : 0u) << c.typed;
    std::string expected = c.refused ? folder.path("data") : folder.path(c.typed);
    EXPECT_EQ(std::string(file), expected) << c.typed;
    // The stand-in's message names the folder it looked in; the system's own texts are its own.
    if (!messages.empty() && !runningUnderWine()) {
      EXPECT_NE(messages[0].find(folder.root()), std::string::npos) << messages[0];
    }
  }
}

}  // namespace
