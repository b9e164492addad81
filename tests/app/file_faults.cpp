// Reading and saving while the system calls under them fail one by one: a document is either read whole
// or refused; the file on disk is always either the old bytes (and the user is told) or the complete new
// bytes, and no temporary file is left behind.
#include <dirent.h>
#include <errno.h>

#include <map>
#include <string>
#include <vector>

#include "kernel32/posix.h"
#include "resources/resource.h"
#include "tests/app/program.h"

namespace {

namespace posix = win32::posix;

struct Fault {
  std::string call;
  int occurrence;  // fail the n-th such call of the save
  int error;       // 0 with a write: a short transfer
};

Fault fault;
std::map<std::string, int> seen;
posix::Calls real;

// True when this call is the one to fail (errno set).
bool strike(const char *call) {
  if (fault.call != call || ++seen[call] != fault.occurrence) return false;
  errno = fault.error;
  return fault.error != 0;
}

const posix::Calls faulty = [] {
  posix::Calls c = posix::systemCalls();
  c.open = [](const char *p, int f, mode_t m) { return strike("open") ? -1 : real.open(p, f, m); };
  c.close = [](int fd) {
    int r = real.close(fd);
    return strike("close") ? -1 : r;
  };
  c.write = [](int fd, const void *b, size_t n) -> ssize_t {
    if (fault.call == "write" && fault.error == 0 && ++seen["write"] == fault.occurrence && n > 1)
      return real.write(fd, b, n / 2);
    return strike("write") ? -1 : real.write(fd, b, n);
  };
  c.read = [](int fd, void *b, size_t n) -> ssize_t {
    if (fault.call == "read" && fault.error == 0 && ++seen["read"] == fault.occurrence && n > 1)
      return real.read(fd, b, n / 2);
    return strike("read") ? -1 : real.read(fd, b, n);
  };
  c.fsync = [](int fd) { return strike("fsync") ? -1 : real.fsync(fd); };
  c.rename = [](const char *a, const char *b) { return strike("rename") ? -1 : real.rename(a, b); };
  c.fchmod = [](int fd, mode_t m) { return strike("fchmod") ? -1 : real.fchmod(fd, m); };
  c.ftruncate = [](int fd, off_t n) { return strike("ftruncate") ? -1 : real.ftruncate(fd, n); };
  c.fstat = [](int fd, struct stat *st) { return strike("fstat") ? -1 : real.fstat(fd, st); };
  return c;
}();

std::vector<std::string> filesIn(const std::string &folder) {
  std::vector<std::string> names;
  if (DIR *d = opendir(folder.c_str())) {
    while (dirent *e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
    closedir(d);
  }
  return names;
}

using SaveFaults = ProgramTest;

TEST_F(SaveFaults, EveryFailingCallLeavesTheOldOrTheNewBytesAndNoTemporaryFile) {
  const std::string before(4096, 'o');
  std::string after = before;
  after[0] = '\x12';
  std::vector<Fault> faults;
  for (const char *call : {"open", "close", "write", "fsync", "rename", "fchmod", "ftruncate", "fstat"})
    for (int n = 1; n <= 4; ++n)
      for (int error : {EIO, ENOSPC, EINTR, 0}) {
        if (error == 0 && std::string(call) != "write") continue;
        faults.push_back({call, n, error});
      }
  int lost = 0, told = 0;
  for (const Fault &f : faults) {
    std::string file = writeFile("doc.bin", before);
    ASSERT_TRUE(start("\"" + file + "\""));
    type("12");
    size_t shown = dialogs.size();
    answerWith(IDOK);  // a warning, if one comes
    fault = f;
    seen.clear();
    real = posix::replaceCalls(faulty);
    command(IDM_SAVE);
    posix::replaceCalls(real);
    bool warned = dialogs.size() > shown;
    std::string onDisk = readFile(file);
    std::string label = f.call + " #" + std::to_string(f.occurrence) + " errno " + std::to_string(f.error);
    if (warned) {
      ++told;
      EXPECT_TRUE(dialogs.back().says("无法写入文件:doc.bin")) << label;
      // Only when the new name could not be made durable (the folder's flush failed after the swap)
      // can the new bytes already be in place; the document stays unsaved either way.
      EXPECT_TRUE(onDisk == before || (onDisk == after && f.call == "fsync")) << label;
      EXPECT_FALSE(menuState(IDM_SAVE) & MF_GRAYED) << label;
    } else {
      EXPECT_EQ(onDisk, after) << label;
      EXPECT_TRUE(menuState(IDM_SAVE) & MF_GRAYED) << label;
    }
    if (onDisk != before && onDisk != after) ++lost;
    EXPECT_EQ(filesIn(folder), std::vector<std::string>{"doc.bin"}) << label;
    answers.clear();
    closing = true;
    quit();
    closing = false;
  }
  EXPECT_EQ(lost, 0);
  EXPECT_GT(told, 0);  // the faults did reach the save
}

TEST_F(SaveFaults, AReadThatFailsRefusesTheFileAndAShortReadIsCompleted) {
  const std::string content(5000, 'r');
  std::string file = writeFile("read.bin", content);
  struct Case {
    Fault fault;
    bool opens;
  } cases[] = {{{"read", 1, EIO}, false}, {{"read", 1, 0}, true}, {{"read", 2, 0}, true}, {{"read", 1, EINTR}, true}};
  for (const Case &c : cases) {
    fault = c.fault;
    seen.clear();
    real = posix::replaceCalls(faulty);
    if (!c.opens) answerWith(IDOK);
    bool started = start("\"" + file + "\"");
    posix::replaceCalls(real);
    ASSERT_TRUE(started);
    EXPECT_EQ(view() != nullptr, c.opens) << c.fault.occurrence << " " << c.fault.error;
    if (!c.opens) {
      EXPECT_TRUE(dialogs.back().says("无法读取文件:read.bin!"));
    } else {
      EXPECT_EQ(caption(), "Oxbyte - read.bin [5000 字节]");
    }
    quit();
  }
}

}  // namespace
