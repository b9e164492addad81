// Test support for the Open dialog (GetOpenFileNameA): a folder of files to choose from, the dialog's
// record filled in for it, and a dialog run with scripted steps. Public calls only: the dialog it drives
// is the system's own wherever the tests run.
#ifndef OXBYTE_TESTS_WIN32_OPEN_DIALOG_TEST_SUPPORT_H
#define OXBYTE_TESTS_WIN32_OPEN_DIALOG_TEST_SUPPORT_H

#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "win32/dialog_test_support.h"
#include "win32/file_test_support.h"

namespace open_dialog_test {

using namespace dialog_test;

// The controls, found by the identifiers <dlgs.h> gives them.
inline constexpr int kFolderPath = 0x440;  // stc1
inline constexpr int kFileList = 0x460;    // lst1
inline constexpr int kTypeCombo = 0x470;   // cmb1
inline constexpr int kNameEdit = 0x47C;    // cmb13: the file name box
inline constexpr int kMessageText = 0xFFFF;

inline const char kFilter[] =
    "可执行文件 (*.EXE;*.COM;*.DLL;*.SCR;*.BIN)\0*.exe;*.com;*.dll;*.scr;*.bin\0所有文件 (*.*)\0*.*\0";

inline std::string className(HWND hwnd) {
  char name[32] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

inline std::string nameBox(HWND dialog) {
  char buffer[300] = "";
  GetDlgItemTextA(dialog, kNameEdit, buffer, sizeof buffer);
  return buffer;
}

// Types into the name box and presses Enter there.
inline std::vector<Action> typeAndEnter(HWND dialog, const std::string &text) {
  return {run([dialog, text] { SetDlgItemTextA(dialog, kNameEdit, text.c_str()); }), key(VK_RETURN)};
}

inline std::vector<Action> operator+(std::vector<Action> a, const std::vector<Action> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class OpenDialog : public testing::Test {
 protected:
  void SetUp() override {
    for (const char *name : {"a.EXE", "b.exe", "c.Com", "d.dll", "e.scr", "f.BIN", "g.txt", "h", "i.exe.bak",
                             ".hidden.exe", "data", "dot."})
      folder.write(name, "x");
    for (const char *name : {"sub", "Zdir", ".git", "sub/deeper"}) std::filesystem::create_directory(folder.path(name));
    folder.write("sub/inner.bin", "x");
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner.hwnd();
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrInitialDir = folder.root().c_str();
    ofn.Flags = OFN_HIDEREADONLY;
    ofn.lpstrDefExt = "txt";
  }

  // Runs the dialog, playing `steps` in it once it shows. Message boxes it raises are answered with
  // Enter, their texts kept in `messages`.
  BOOL runDialog(std::function<std::vector<Action>(HWND)> steps) {
    OnDialogActivated answer([this, steps](HWND dialog) {
      if (!GetDlgItem(dialog, kNameEdit)) {
        messages.push_back(textOf(GetDlgItem(dialog, kMessageText)));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return;
      }
      ++dialogsShown;
      play(dialog, steps(dialog));
    });
    return GetOpenFileNameA(&ofn);
  }

  // A name typed into the box and what comes back: the full path (`path` inside the folder), its title,
  // and its extension (null: the offset points at the terminating NUL; "": a name ending with a dot).
  struct TypedName {
    std::string typed, path, title;
    const char *extension;
  };
  void expectChosen(const TypedName &c) {
    file[0] = 0;  // else the dialog starts in the folder of the file chosen before
    BOOL result = runDialog([&](HWND dialog) { return typeAndEnter(dialog, c.typed); });
    std::string expected = folder.path(c.path);
    ASSERT_TRUE(result) << c.typed;
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(std::string(file), expected) << c.typed;
    EXPECT_EQ(std::string(title), c.title) << c.typed;
    EXPECT_EQ(ofn.nFileOffset, expected.size() - c.title.size()) << c.typed;
    if (!c.extension) {
      EXPECT_EQ(ofn.nFileExtension, expected.size()) << c.typed;
    } else if (!*c.extension) {
      EXPECT_EQ(ofn.nFileExtension, 0) << c.typed << ": a name ending with a dot";
    } else {
      EXPECT_STREQ(file + ofn.nFileExtension, c.extension) << c.typed;
    }
  }

  file_test::TempFolder folder;
  OwnerWindow owner;
  char file[MAX_PATH] = "";
  char title[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  std::vector<std::string> messages;
  int dialogsShown = 0;
};

}  // namespace open_dialog_test

#endif
