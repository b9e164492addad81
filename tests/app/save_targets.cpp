// Saving to what the document's name has become: a read-only file, a symbolic link (or a chain of them)
// into another folder, a file with a second name, a file deleted or replaced since it was opened, a
// name that now holds a folder or a FIFO, a folder that is gone. The user's bytes either reach the file
// the name leads to, or the user is told and nothing else changes; no temporary file is left anywhere.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

class SaveTargets : public ProgramTest {
 protected:
  const std::string before = std::string(100, 'o');
  const std::string after = "A" + before.substr(1);

  void SetUp() override {
    ProgramTest::SetUp();
    alarm(60);  // a save that blocks on a FIFO ends the test process instead of hanging the suite
  }
  void TearDown() override {
    alarm(0);
    ProgramTest::TearDown();
  }

  // Opens `opened`, makes its first byte 'A', lets `meanwhile` change the file system, then saves.
  // Returns whether the save warned.
  bool editAndSave(const std::string &opened, const std::function<void()> &meanwhile = [] {}) {
    EXPECT_TRUE(start(quotedPath(opened)));
    type("41");
    meanwhile();
    size_t shown = dialogs.size();
    answerWith(IDOK);
    command(IDM_SAVE);
    bool warned = dialogs.size() > shown;
    if (!warned) answers.clear();
    return warned;
  }
};

TEST_F(SaveTargets, AReadOnlyFileIsRefusedAndKeepsItsBytesAndMode) {
  std::string file = writeFile("ro.bin", before);
  chmod(file.c_str(), 0444);
  EXPECT_TRUE(editAndSave(file));
  EXPECT_TRUE(dialogs.back().says("无法写入文件:ro.bin"));
  EXPECT_EQ(readFile(file), before);
  struct stat info;
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0444u);
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"ro.bin"});
}

// POSIX mode bits and a symbolic link anyone may make: the Linux side of saving through a link.
TEST_F(SaveTargets, SaveKeepsPermissionsAndWritesThroughASymbolicLink) {
  namespace fs = std::filesystem;
  std::string target = writeFile("target.bin", "ABCD");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::perms before = fs::status(target).permissions();
  std::string link = path("link.bin");
  fs::create_symlink(target, link);
  ASSERT_TRUE(start(quotedPath(link)));
  type("30");
  command(IDM_SAVE);
  EXPECT_EQ(readFile(target), "0BCD");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::status(target).permissions(), before);
}

TEST_F(SaveTargets, AChainOfSymbolicLinksIntoAnotherFolderStaysAndItsTargetGetsTheBytes) {
  std::filesystem::create_directory(path("elsewhere"));
  std::string target = writeFile("elsewhere/doc.bin", before);
  ASSERT_EQ(symlink(target.c_str(), path("first.lnk").c_str()), 0);
  ASSERT_EQ(symlink("first.lnk", path("second.lnk").c_str()), 0);
  EXPECT_FALSE(editAndSave(path("second.lnk")));
  EXPECT_EQ(readFile(target), after);
  EXPECT_EQ(std::filesystem::read_symlink(path("second.lnk")), "first.lnk");
  EXPECT_EQ(std::filesystem::read_symlink(path("first.lnk")), target);
  EXPECT_EQ(namesIn(path("elsewhere")), std::vector<std::string>{"doc.bin"});
  EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"elsewhere", "first.lnk", "second.lnk"}));
}

TEST_F(SaveTargets, EveryNameOfAFileWithHardLinksSeesTheNewBytes) {
  std::string file = writeFile("one.bin", before);
  ASSERT_EQ(link(file.c_str(), path("two.bin").c_str()), 0);
  struct stat was, is;
  ASSERT_EQ(stat(file.c_str(), &was), 0);
  EXPECT_FALSE(editAndSave(file));
  EXPECT_EQ(readFile(file), after);
  EXPECT_EQ(readFile(path("two.bin")), after);
  ASSERT_EQ(stat(file.c_str(), &is), 0);
  EXPECT_EQ(is.st_ino, was.st_ino);
  EXPECT_EQ(is.st_nlink, 2u);
  EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"one.bin", "two.bin"}));
}

// Root may create files anywhere, so this runs only for an ordinary user; the folder that refuses new
// files is also covered through the POSIX seam (file_faults.cpp).
TEST_F(SaveTargets, AFileInAReadOnlyFolderIsOverwrittenInPlace) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  std::string file = writeFile("doc.bin", before);
  chmod(folder.c_str(), 0555);
  EXPECT_FALSE(editAndSave(file));
  chmod(folder.c_str(), 0755);
  EXPECT_EQ(readFile(file), after);
  EXPECT_EQ(namesIn(folder), std::vector<std::string>{"doc.bin"});
}

TEST_F(SaveTargets, ChangesToTheNameBetweenOpenAndSave) {
  struct Case {
    const char *label;
    std::function<void(ProgramTest &, const std::string &file)> meanwhile;
    bool warns;
    std::function<void(ProgramTest &, const std::string &file)> expect;
  } cases[] = {
      {"deleted", [](ProgramTest &, const std::string &f) { unlink(f.c_str()); }, false,
       [this](ProgramTest &t, const std::string &f) { EXPECT_EQ(t.readFile(f), after); }},
      {"replaced by another file",
       [](ProgramTest &t, const std::string &f) {
         std::string other = t.writeFile("other.bin", "someone else's");
         rename(other.c_str(), f.c_str());
       },
       false, [this](ProgramTest &t, const std::string &f) { EXPECT_EQ(t.readFile(f), after); }},
      {"replaced by a folder",
       [](ProgramTest &, const std::string &f) {
         unlink(f.c_str());
         std::filesystem::create_directory(f);
       },
       true, [](ProgramTest &, const std::string &f) { EXPECT_TRUE(std::filesystem::is_directory(f)); }},
      {"replaced by a FIFO",
       [](ProgramTest &, const std::string &f) {
         unlink(f.c_str());
         mkfifo(f.c_str(), 0644);
       },
       true, [](ProgramTest &, const std::string &f) { EXPECT_TRUE(std::filesystem::is_fifo(f)); }},
      {"its folder deleted", [](ProgramTest &t, const std::string &) { std::filesystem::remove_all(t.path("sub")); },
       true, [](ProgramTest &t, const std::string &) { EXPECT_FALSE(std::filesystem::exists(t.path("sub"))); }},
  };
  for (const Case &c : cases) {
    std::filesystem::create_directory(path("sub"));
    std::string file = writeFile("sub/doc.bin", before);
    EXPECT_EQ(editAndSave(file, [&] { c.meanwhile(*this, file); }), c.warns) << c.label;
    if (c.warns) {
      EXPECT_TRUE(dialogs.back().says("无法写入文件:doc.bin")) << c.label;
    }
    c.expect(*this, file);
    if (std::filesystem::exists(path("sub")))
      for (const std::string &name : namesIn(path("sub"))) {
        EXPECT_EQ(name, "doc.bin") << c.label;
      }
    answers.clear();
    closing = true;
    quit();
    closing = false;
    std::filesystem::remove_all(path("sub"));
  }
}

}  // namespace
