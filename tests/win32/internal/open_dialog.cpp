// The stand-in's Open dialog (GetOpenFileNameA) driven as a user would — filters, folders, typed names, the
// default extension, the results written back, cancelling and the errors. Its file list, folder line and
// POSIX paths are its own: Windows shows the Explorer-style dialog here, whose file view is a shell view.
#include <gtest/gtest.h>
#include <commdlg.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "win32/dialog_test_support.h"
#include "win32/file_test_support.h"

namespace {

using namespace dialog_test;

// The controls, found by the identifiers <dlgs.h> gives them.
constexpr int kFolderPath = 0x440;  // stc1
constexpr int kFileList = 0x460;    // lst1
constexpr int kTypeCombo = 0x470;   // cmb1
constexpr int kNameEdit = 0x47C;    // cmb13: the file name box
constexpr int kMessageText = 0xFFFF;

const char kFilter[] =
    "可执行文件 (*.EXE;*.COM;*.DLL;*.SCR;*.BIN)\0*.exe;*.com;*.dll;*.scr;*.bin\0所有文件 (*.*)\0*.*\0";

std::string className(HWND hwnd) {
  char name[32] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::vector<std::string> listed(HWND dialog) {
  HWND list = GetDlgItem(dialog, kFileList);
  std::vector<std::string> items;
  for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
    char buffer[300] = "";
    SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(buffer));
    items.push_back(buffer);
  }
  return items;
}

std::string selectedEntry(HWND dialog) {
  HWND list = GetDlgItem(dialog, kFileList);
  int index = int(SendMessageA(list, LB_GETCURSEL, 0, 0));
  if (index < 0) return "";
  char buffer[300] = "";
  SendMessageA(list, LB_GETTEXT, WPARAM(index), LPARAM(buffer));
  return buffer;
}

std::string nameBox(HWND dialog) {
  char buffer[300] = "";
  GetDlgItemTextA(dialog, kNameEdit, buffer, sizeof buffer);
  return buffer;
}

// Types into the name box and presses Enter there.
std::vector<Action> typeAndEnter(HWND dialog, const std::string &text) {
  return {run([dialog, text] { SetDlgItemTextA(dialog, kNameEdit, text.c_str()); }), key(VK_RETURN)};
}

std::vector<Action> operator+(std::vector<Action> a, const std::vector<Action> &b) {
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

  file_test::TempFolder folder;
  OwnerWindow owner;
  char file[MAX_PATH] = "";
  char title[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  std::vector<std::string> messages;
  int dialogsShown = 0;
};

const std::vector<std::string> kExecutables{"../",   "sub/",  "Zdir/", "a.EXE", "b.exe",
                                            "c.Com", "d.dll", "e.scr", "f.BIN"};
const std::vector<std::string> kEverything{"../", "sub/",  "Zdir/", "a.EXE", "b.exe", "c.Com", "d.dll", "data",
                                           "dot.", "e.scr", "f.BIN", "g.txt", "h",     "i.exe.bak"};

// Folders come first; the patterns match regardless of case, "*.*" matches names without a dot too, and
// names starting with a dot stay hidden.
TEST_F(OpenDialog, ListsFoldersThenFilesMatchingTheFilter) {
  struct Case {
    DWORD filterIndex;
    int selectedType;
    std::vector<std::string> items;
  } cases[] = {{0, 0, kExecutables}, {1, 0, kExecutables}, {2, 1, kEverything}, {7, 0, kExecutables}};
  for (const Case &c : cases) {
    ofn.nFilterIndex = c.filterIndex;
    std::vector<std::string> items;
    int selectedType = -1, types = 0;
    BOOL result = runDialog([&](HWND dialog) {
      HWND combo = GetDlgItem(dialog, kTypeCombo);
      EXPECT_EQ(className(combo), "ComboBox");
      EXPECT_EQ(className(GetDlgItem(dialog, kFileList)), "ListBox");
      items = listed(dialog);
      selectedType = int(SendMessageA(combo, CB_GETCURSEL, 0, 0));
      types = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
      return std::vector<Action>{key(VK_ESCAPE)};
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(items, c.items) << "nFilterIndex " << c.filterIndex;
    EXPECT_EQ(selectedType, c.selectedType) << "nFilterIndex " << c.filterIndex;
    EXPECT_EQ(types, 2);
    EXPECT_EQ(ofn.nFilterIndex, c.filterIndex) << "cancelling writes nothing back";
  }
}

// The file type chosen in the drop-down list relists the folder and is written back with the file, so
// the next dialog opens with it.
TEST_F(OpenDialog, TheChosenFileTypeIsRememberedForTheNextDialog) {
  std::vector<std::string> before, after;
  BOOL result = runDialog([&](HWND dialog) {
    HWND combo = GetDlgItem(dialog, kTypeCombo);
    return std::vector<Action>{run([&, dialog, combo] {
                                 before = listed(dialog);
                                 SetFocus(combo);
                               }),
                               key(VK_DOWN), run([&, dialog] { after = listed(dialog); })} +
           typeAndEnter(dialog, "g.txt");
  });
  EXPECT_TRUE(result);
  EXPECT_EQ(before, kExecutables);
  EXPECT_EQ(after, kEverything);
  EXPECT_EQ(ofn.nFilterIndex, 2u);
  int selectedType = -1;
  runDialog([&](HWND dialog) {
    selectedType = int(SendDlgItemMessageA(dialog, kTypeCombo, CB_GETCURSEL, 0, 0));
    return std::vector<Action>{key(VK_ESCAPE)};
  });
  EXPECT_EQ(selectedType, 1);
}

// Text with * or ? is a filter: Enter lists what matches it, in the folder it names, and keeps the dialog
// open with the filter in the name box; choosing a file type lists that type again.
TEST_F(OpenDialog, ATypedWildcardFiltersTheList) {
  const std::vector<std::string> executablesAndSub{"../", "deeper/", "inner.bin"};
  struct Case {
    std::string typed, folderShown, box;
    std::vector<std::string> items;
    size_t warnings;
  } cases[] = {
      {"*.txt", folder.root(), "*.txt", {"../", "sub/", "Zdir/", "g.txt"}, 0},
      {"?.EXE;*.dll", folder.root(), "?.EXE;*.dll", {"../", "sub/", "Zdir/", "a.EXE", "b.exe", "d.dll"}, 0},
      {"sub/*.b?n", folder.path("sub"), "*.b?n", executablesAndSub, 0},
      {"nowhere/*.txt", folder.root(), "nowhere/*.txt", kExecutables, 1},
  };
  for (const Case &c : cases) {
    messages.clear();
    std::string shown, box;
    std::vector<std::string> items, afterType;
    BOOL result = runDialog([&](HWND dialog) {
      HWND combo = GetDlgItem(dialog, kTypeCombo);
      return typeAndEnter(dialog, c.typed) + std::vector<Action>{run([&, dialog, combo] {
                                                                 shown = textOf(GetDlgItem(dialog, kFolderPath));
                                                                 box = nameBox(dialog);
                                                                 items = listed(dialog);
                                                                 SetFocus(combo);
                                                               }),
                                                               key(VK_UP), run([&, dialog] { afterType = listed(dialog); }),
                                                               key(VK_ESCAPE)};
    });
    EXPECT_FALSE(result) << c.typed;
    EXPECT_EQ(shown, c.folderShown) << c.typed;
    EXPECT_EQ(box, c.box) << c.typed;
    EXPECT_EQ(items, c.items) << c.typed;
    EXPECT_EQ(messages.size(), c.warnings) << c.typed;
    EXPECT_EQ(afterType.size(), c.folderShown == folder.root() ? kExecutables.size() : executablesAndSub.size())
        << c.typed;
  }
}

// What the name box takes: a name, a relative or an absolute path, "~" for the home folder. The default
// extension completes only a name without a dot that names nothing.
TEST_F(OpenDialog, TypedNamesBecomeFullPaths) {
  std::filesystem::path home = folder.path("sub");
  std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", home.c_str(), 1);
  struct Case {
    std::string typed, path, title;
    const char *extension;  // null: the offset points at the terminating NUL
  } cases[] = {
      {"data", "data", "data", nullptr},
      {"new", "new.txt", "new.txt", "txt"},
      {"x.bin", "x.bin", "x.bin", "bin"},
      {"dot.", "dot.", "dot.", ""},
      {"sub/inner.bin", "sub/inner.bin", "inner.bin", "bin"},
      {"./sub/../g.txt", "g.txt", "g.txt", "txt"},
      {folder.path("sub/deeper/fresh"), "sub/deeper/fresh.txt", "fresh.txt", "txt"},
      {"~/inner.bin", "sub/inner.bin", "inner.bin", "bin"},
      {"archive.tar.gz", "archive.tar.gz", "archive.tar.gz", "gz"},
  };
  for (const Case &c : cases) {
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
  setenv("HOME", savedHome.c_str(), 1);
}

// Characters typed on the keyboard arrive in the name box one WM_CHAR at a time.
TEST_F(OpenDialog, TypedCharactersNameTheFile) {
  BOOL result = runDialog([](HWND) {
    return std::vector<Action>{character('s'), character('u'), character('b'), character('/'), character('n'),
                               character('e'), character('w'), key(VK_RETURN)};
  });
  ASSERT_TRUE(result);
  EXPECT_EQ(std::string(file), folder.path("sub/new.txt"));
  EXPECT_EQ(std::string(title), "new.txt");
}

// A path too long for its line keeps its end, the folder's own name, behind "...".
TEST_F(OpenDialog, LongFolderPathsShowTheirEnd) {
  std::string deep = "a_rather_long_folder_name_to_fill_the_line/and_another_long_folder_name";
  std::filesystem::create_directories(folder.path(deep));
  ofn.lpstrInitialDir = nullptr;
  std::strcpy(file, (folder.path(deep) + "/").c_str());
  std::string shown;
  int width = 0, lineWidth = 0;
  runDialog([&](HWND dialog) {
    HWND line = GetDlgItem(dialog, kFolderPath);
    shown = textOf(line);
    RECT r;
    GetClientRect(line, &r);
    lineWidth = r.right;
    return std::vector<Action>{key(VK_ESCAPE)};
  });
  width = int(shown.size()) * 8;  // every character of the path is a half-width one
  EXPECT_EQ(shown.rfind("...", 0), 0u) << shown;
  EXPECT_NE(shown.find("/and_another_long_folder_name"), std::string::npos) << shown;
  EXPECT_LE(width, lineWidth);
  EXPECT_GT(width, lineWidth - 8) << "as much of the path as fits";
}

TEST_F(OpenDialog, TheRootHasNoWayUp) {
  ofn.lpstrInitialDir = "/";
  std::vector<std::string> items;
  runDialog([&](HWND dialog) {
    items = listed(dialog);
    return std::vector<Action>{key(VK_ESCAPE)};
  });
  ASSERT_FALSE(items.empty());
  EXPECT_NE(items[0], "../");
  EXPECT_NE(std::find(items.begin(), items.end(), "tmp/"), items.end());
}

// Typing a folder goes there; ".." goes up and selects the folder left behind; Enter on a folder in the
// list enters it; a file selected in the list fills the name box, and Enter on it chooses it.
TEST_F(OpenDialog, FoldersAreEnteredAndLeft) {
  std::string path1, box1, path2, selected2, path3;
  std::vector<std::string> items1, items3;
  BOOL result = runDialog([&](HWND dialog) {
    HWND list = GetDlgItem(dialog, kFileList);
    return typeAndEnter(dialog, "sub") +
           std::vector<Action>{
               run([&, dialog, list] {
                 path1 = textOf(GetDlgItem(dialog, kFolderPath));
                 items1 = listed(dialog);
                 box1 = nameBox(dialog);
                 LPARAM dotDot = MAKELPARAM(10, 8);  // the first row
                 PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, dotDot);
                 PostMessageA(list, WM_LBUTTONUP, 0, dotDot);
                 PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, dotDot);
                 PostMessageA(list, WM_LBUTTONUP, 0, dotDot);
               }),
               run([&, dialog, list] {
                 path2 = textOf(GetDlgItem(dialog, kFolderPath));
                 selected2 = selectedEntry(dialog);
                 SetFocus(list);
               }),
               key(VK_RETURN),
               run([&, dialog] {
                 path3 = textOf(GetDlgItem(dialog, kFolderPath));
                 items3 = listed(dialog);
               }),
               key(VK_END),
               key(VK_RETURN),
           };
  });
  EXPECT_EQ(path1, folder.path("sub"));
  EXPECT_EQ(items1, (std::vector<std::string>{"../", "deeper/", "inner.bin"}));
  EXPECT_EQ(box1, "") << "entering a folder empties the name box";
  EXPECT_EQ(path2, folder.root());
  EXPECT_EQ(selected2, "sub/");
  EXPECT_EQ(path3, folder.path("sub"));
  EXPECT_EQ(items3, items1);
  ASSERT_TRUE(result);
  EXPECT_EQ(std::string(file), folder.path("sub/inner.bin"));
}

TEST_F(OpenDialog, AClickOnAFileFillsTheNameBoxAndADoubleClickChoosesIt) {
  std::string box;
  BOOL result = runDialog([&](HWND dialog) {
    HWND list = GetDlgItem(dialog, kFileList);
    int row = 4;  // "b.exe" below "../", "sub/", "Zdir/" and "a.EXE"
    LPARAM at = MAKELPARAM(10, row * 16 + 8);
    return std::vector<Action>{
        run([list, at] {
          PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
          PostMessageA(list, WM_LBUTTONUP, 0, at);
        }),
        run([&, dialog, list, at] {
          box = nameBox(dialog);
          PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
          PostMessageA(list, WM_LBUTTONUP, 0, at);
        }),
    };
  });
  EXPECT_EQ(box, "b.exe");
  ASSERT_TRUE(result);
  EXPECT_EQ(std::string(file), folder.path("b.exe"));
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

TEST_F(OpenDialog, FileTitleIsCutToItsBuffer) {
  ofn.nMaxFileTitle = 5;
  ASSERT_TRUE(runDialog([&](HWND dialog) { return typeAndEnter(dialog, "i.exe.bak"); }));
  EXPECT_STREQ(title, "i.ex");
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

// The dialog starts where the name it is given lies (the name alone in the box, selected in the list),
// else in lpstrInitialDir, else in the current directory, which it never changes.
TEST_F(OpenDialog, StartsInTheFolderOfTheGivenName) {
  char cwd[4096];
  ASSERT_TRUE(getcwd(cwd, sizeof cwd));
  ASSERT_EQ(chdir(folder.path("Zdir").c_str()), 0);
  struct Case {
    std::string file;
    std::string initialDir;  // empty: none
    std::string folder, box, selected;
  } cases[] = {
      {folder.path("sub/inner.bin"), folder.root(), folder.path("sub"), "inner.bin", "inner.bin"},
      {folder.path("sub/gone.bin"), "", folder.path("sub"), "gone.bin", ""},
      {"data", folder.root(), folder.root(), "data", ""},  // not an executable: not listed
      {"", folder.path("sub"), folder.path("sub"), "", ""},
      {"", "", folder.path("Zdir"), "", ""},
      {folder.path("sub"), "", folder.path("sub"), "", ""},
      {"../sub/inner.bin", "", folder.path("sub"), "inner.bin", "inner.bin"},
  };
  for (const Case &c : cases) {
    std::strcpy(file, c.file.c_str());
    ofn.lpstrInitialDir = c.initialDir.empty() ? nullptr : c.initialDir.c_str();
    std::string shownFolder, box, selected;
    runDialog([&](HWND dialog) {
      shownFolder = textOf(GetDlgItem(dialog, kFolderPath));
      box = nameBox(dialog);
      selected = selectedEntry(dialog);
      return std::vector<Action>{run([dialog] { EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kNameEdit)); }),
                                 key(VK_ESCAPE)};
    });
    EXPECT_EQ(shownFolder, c.folder) << c.file;
    EXPECT_EQ(box, c.box) << c.file;
    EXPECT_EQ(selected, c.selected) << c.file;
  }
  ofn.lpstrInitialDir = nullptr;
  file[0] = 0;
  ASSERT_TRUE(
      runDialog([&](HWND dialog) { return typeAndEnter(dialog, "../sub") + typeAndEnter(dialog, "inner.bin"); }));
  EXPECT_EQ(std::string(file), folder.path("sub/inner.bin"));
  char after[4096];
  EXPECT_STREQ(getcwd(after, sizeof after), folder.path("Zdir").c_str()) << "the current directory stays";
  EXPECT_EQ(chdir(cwd), 0);
}

// File names are bytes: one that is not UTF-8 is listed (drawn with the replacement glyph) and comes back
// exactly as it is on disk.
TEST_F(OpenDialog, NamesThatAreNotUtf8AreListedAndReturnedAsTheyAre) {
  std::string name = "bad\xff\xfe.bin";
  folder.write(name, "x");
  std::string box;
  std::vector<std::string> items;
  BOOL result = runDialog([&](HWND dialog) {
    HWND list = GetDlgItem(dialog, kFileList);
    return std::vector<Action>{run([&, dialog, list] {
                                 items = listed(dialog);
                                 SetFocus(list);
                               }),
                               key(VK_HOME), key(VK_DOWN), key(VK_DOWN), key(VK_DOWN), key(VK_DOWN), key(VK_DOWN),
                               run([&, dialog] { box = nameBox(dialog); }), key(VK_RETURN)};
  });
  ASSERT_GE(items.size(), 6u);
  EXPECT_EQ(items[5], name) << "after the folders, a.EXE and b.exe";
  EXPECT_EQ(box, name);
  ASSERT_TRUE(result);
  EXPECT_EQ(std::string(file), folder.path(name));
  EXPECT_EQ(std::string(title), name);
}

// Without the flags a missing file is simply chosen; with them the dialog says what is missing and stays.
TEST_F(OpenDialog, MustExistFlagsRefuseWhatIsMissing) {
  struct Case {
    DWORD flags;
    std::string typed;
    bool refused;
  } cases[] = {
      {0, "missing.bin", false},
      {0, "nosuch/x.bin", false},
      {OFN_FILEMUSTEXIST, "missing.bin", true},
      {OFN_PATHMUSTEXIST, "missing.bin", false},
      {OFN_PATHMUSTEXIST, "nosuch/x.bin", true},
      {OFN_FILEMUSTEXIST, "nosuch/x.bin", true},
      {0, "nosuch/", true},  // a folder that is not there
  };
  for (const Case &c : cases) {
    ofn.Flags = OFN_HIDEREADONLY | c.flags;
    messages.clear();
    BOOL result = runDialog([&](HWND dialog) { return typeAndEnter(dialog, c.typed) + typeAndEnter(dialog, "data"); });
    EXPECT_TRUE(result) << c.typed;
    EXPECT_EQ(messages.size(), c.refused ? 1u : 0u) << c.typed;
    std::string expected = c.refused ? folder.path("data") : folder.path(c.typed);
    EXPECT_EQ(std::string(file), expected) << c.typed;
    if (!messages.empty()) {
      EXPECT_NE(messages[0].find(folder.root()), std::string::npos) << messages[0];
    }
  }
}

// The dialog's own texts are in the user's display language (run again in zh_CN by tests/CMakeLists.txt);
// a title given replaces the caption.
using SystemTextsOfTheOpenDialog = OpenDialog;
TEST_F(SystemTextsOfTheOpenDialog, CaptionLabelsButtonsAndMessages) {
  const bool chinese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE;
  std::string texts;
  ofn.Flags |= OFN_FILEMUSTEXIST;
  runDialog([&](HWND dialog) {
    texts = textOf(dialog);
    for (int id : {0x443, 0x442, 0x441, IDOK, IDCANCEL}) texts += '|' + textOf(GetDlgItem(dialog, id));
    return typeAndEnter(dialog, "missing") + std::vector<Action>{key(VK_ESCAPE)};
  });
  EXPECT_EQ(texts, chinese ? "打开|查找范围(&I):|文件名(&N):|文件类型(&T):|打开(&O)|取消"
                           : "Open|Look &in:|File &name:|Files of &type:|&Open|Cancel");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], folder.path("missing.txt") + (chinese ? "\n找不到文件。\n请检查文件名是否正确。"
                                                               : "\nFile not found.\nPlease verify the correct file name was given."));
  ofn.lpstrTitle = "选择";
  runDialog([&](HWND dialog) {
    texts = textOf(dialog);
    return std::vector<Action>{key(VK_ESCAPE)};
  });
  EXPECT_EQ(texts, "选择");
}

// A tidy classic dialog: every control inside the client area, none overlapping another; the list shows
// whole rows. With OXBYTE_SCREENSHOT_DIR set the dialog is also saved as open_dialog.bmp.
TEST_F(OpenDialog, ControlsAreLaidOutWithoutOverlaps) {
  std::vector<std::pair<std::string, RECT>> controls;
  RECT client{}, listClient{};
  runDialog([&](HWND dialog) {
    return std::vector<Action>{run([&, dialog] {
                                 GetClientRect(dialog, &client);
                                 GetClientRect(GetDlgItem(dialog, kFileList), &listClient);
                                 for (HWND child = GetWindow(dialog, GW_CHILD); child;
                                      child = GetWindow(child, GW_HWNDNEXT)) {
                                   RECT r;
                                   GetWindowRect(child, &r);
                                   ScreenToClient(dialog, reinterpret_cast<POINT *>(&r.left));
                                   ScreenToClient(dialog, reinterpret_cast<POINT *>(&r.right));
                                   controls.emplace_back(textOf(child) + "#" + std::to_string(GetDlgCtrlID(child)), r);
                                 }
                                 SetDlgItemTextA(dialog, kNameEdit, "b.exe");
                                 SendDlgItemMessageA(dialog, kFileList, LB_SETCURSEL, 4, 0);
                               }),
                               run([dialog] { saveScreenshot(dialog, "open_dialog"); }), key(VK_ESCAPE)};
  });
  ASSERT_EQ(controls.size(), 9u);
  EXPECT_EQ(listClient.bottom % 16, 0);
  for (size_t i = 0; i < controls.size(); ++i) {
    const RECT &a = controls[i].second;
    EXPECT_TRUE(a.left >= 4 && a.top >= 4 && a.right <= client.right - 4 && a.bottom <= client.bottom - 4)
        << controls[i].first;
    for (size_t j = i + 1; j < controls.size(); ++j) {
      const RECT &b = controls[j].second;
      bool apart = a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
      EXPECT_TRUE(apart) << controls[i].first << " and " << controls[j].first;
    }
  }
}

}  // namespace
