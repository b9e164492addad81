// Files that are not ordinary documents, opened from the command line and through the Open dialog. Each
// opens as what its size says or is refused with the program's own warning, at once: nothing waits for a
// writer, reads a device without end or takes gigabytes. An alarm ends the test process rather than let
// a blocked open hang the suite. (POSIX set-up: FIFOs, devices, /proc and sparse files are Linux's.)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

enum class Outcome { Opens, TooLarge, CannotRead };

struct Hostile {
  std::string label;
  std::function<std::string(ProgramTest &)> make;  // lays the file; returns its full path
  Outcome outcome;
  std::string name;  // as the caption or the warning shows it
  int size = 0;      // an opened document's size
};

std::string sparse(ProgramTest &t, const std::string &name, off_t size) {
  std::string file = t.path(name);
  int fd = open(file.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  EXPECT_EQ(ftruncate(fd, size), 0);
  close(fd);
  return file;
}

std::vector<Hostile> hostileFiles() {
  const std::string oddNames[] = {"with blank.bin", "\"quoted\".bin", "it's.bin", "back\\slash.bin",
                                  "文件.bin",       "bad\xff\xfe.bin", "  leading.bin", "trailing quote\""};
  std::vector<Hostile> files = {
      {"FIFO without a writer",
       [](ProgramTest &t) {
         EXPECT_EQ(mkfifo(t.path("fifo").c_str(), 0644), 0);
         return t.path("fifo");
       },
       Outcome::CannotRead, "fifo"},
      {"endless device", [](ProgramTest &) { return std::string("/dev/zero"); }, Outcome::CannotRead, "zero"},
      {"full device", [](ProgramTest &) { return std::string("/dev/full"); }, Outcome::CannotRead, "full"},
      {"file of size 0 that reads bytes", [](ProgramTest &) { return std::string("/proc/self/status"); },
       Outcome::Opens, "status", 0},
      {"sparse 2 GiB", [](ProgramTest &t) { return sparse(t, "two.bin", off_t(2) << 30); }, Outcome::TooLarge,
       "two.bin"},
      {"sparse 4 GiB + 10 (wraps to 10 in 32 bits)",
       [](ProgramTest &t) { return sparse(t, "four.bin", (off_t(4) << 30) + 10); }, Outcome::TooLarge, "four.bin"},
      {"one byte over the limit", [](ProgramTest &t) { return sparse(t, "over.bin", 0x1000000); },
       Outcome::TooLarge, "over.bin"},
  };
  for (const std::string &name : oddNames)
    files.push_back({"name " + name, [name](ProgramTest &t) { return t.writeFile(name, "12345"); }, Outcome::Opens,
                     name, 5});
  return files;
}

class HostileFiles : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    alarm(60);  // a blocked open ends the test process instead of hanging the suite
  }
  void TearDown() override {
    alarm(0);
    ProgramTest::TearDown();
  }

  void expectOutcome(const Hostile &h, const std::string &route) {
    const std::string label = h.label + " (" + route + ")";
    switch (h.outcome) {
      case Outcome::Opens:
        EXPECT_NE(view(), nullptr) << label;
        EXPECT_EQ(caption(), h.size ? "Oxbyte - " + h.name + " [" + std::to_string(h.size) + " 字节]" : "Oxbyte")
            << label;
        break;
      case Outcome::TooLarge:
      case Outcome::CannotRead:
        EXPECT_EQ(view(), nullptr) << label;
        ASSERT_FALSE(dialogs.empty()) << label;
        EXPECT_TRUE(dialogs.back().says(h.outcome == Outcome::TooLarge ? "文件" + h.name + "太大了!"
                                                                       : "无法读取文件:" + h.name + "!"))
            << label << ": " << (dialogs.back().texts.empty() ? "" : dialogs.back().texts[0]);
        break;
    }
  }
};

using Clock = std::chrono::steady_clock;
constexpr auto A_SECOND = std::chrono::seconds(1);

TEST_F(HostileFiles, FromTheCommandLineEachOpensOrIsRefusedAtOnce) {
  for (const Hostile &h : hostileFiles()) {
    std::string file = h.make(*this);
    // As a Windows shell quotes a path, and as the Linux entry point passes one without blanks.
    for (bool quoted : {true, false}) {
      if (!quoted && file.find(' ') != std::string::npos) continue;
      size_t shown = dialogs.size();
      if (h.outcome != Outcome::Opens) answerWith(IDOK);
      auto began = Clock::now();
      ASSERT_TRUE(start(quoted ? quotedPath(file) : file));
      EXPECT_LT(Clock::now() - began, A_SECOND) << h.label;
      expectOutcome(h, quoted ? "quoted command line" : "command line");
      if (h.outcome == Outcome::Opens) {
        EXPECT_EQ(dialogs.size(), shown) << h.label;
      }
      quit();
    }
  }
}

TEST_F(HostileFiles, ThroughTheOpenDialogEachOpensOrIsRefusedAtOnce) {
  ASSERT_TRUE(start());
  for (const Hostile &h : hostileFiles()) {
    std::string file = h.make(*this);
    auto began = Clock::now();
    openWithDialog(file, h.outcome == Outcome::Opens ? 0 : IDOK);
    EXPECT_LT(Clock::now() - began, A_SECOND) << h.label;
    expectOutcome(h, "Open dialog");
  }
}

// The Open dialog enters a folder named in its name box rather than choosing it; the program never sees
// it. From the command line a folder is refused like any file that cannot be read.
TEST_F(HostileFiles, AFolderIsEnteredByTheDialogAndRefusedFromTheCommandLine) {
  std::filesystem::create_directory(path("folder"));
  answerWith(IDOK);
  ASSERT_TRUE(start(quotedPath(path("folder"))));
  EXPECT_EQ(view(), nullptr);
  EXPECT_TRUE(dialogs.back().says("无法读取文件:folder!"));
  size_t shown = dialogs.size();
  answerNext([this](HWND dialog) {
    SetDlgItemTextA(dialog, 1148, path("folder").c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  command(IDM_OPEN);
  EXPECT_EQ(dialogs.size(), shown + 1);  // the Open dialog alone: no warning
  EXPECT_EQ(view(), nullptr);
}

}  // namespace
