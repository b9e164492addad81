// Program tests' one seam into the stand-in's file layer (Linux only): while an Injector lives, every
// POSIX call under the Win32 file functions is counted, and a chosen one fails, comes back short, or finds
// the disk full. Tests that use it describe faults a real disk seldom shows on demand.
#ifndef OXBYTE_TESTS_APP_POSIX_FAULTS_H
#define OXBYTE_TESTS_APP_POSIX_FAULTS_H

#include <functional>
#include <map>
#include <string>

namespace posix_faults {

enum class Kind {
  None,
  Error,     // the call fails with `error`
  Short,     // a read or write moves half of what was asked
  DiskFull,  // from this write on, only bytes that overwrite the file's existing length fit; then ENOSPC
  Torn,      // a write moves half of what was asked, and the write after it fails with EIO
};

struct Fault {
  std::string call;    // "open", "write", "rename"... as named in win32::posix::Calls
  int occurrence = 0;  // the n-th such call from the Injector's start
  Kind kind = Kind::None;
  int error = 0;

  std::string label() const;
};

class Injector {
 public:
  explicit Injector(Fault fault = {});
  ~Injector();
  Injector(const Injector &) = delete;
  Injector &operator=(const Injector &) = delete;

  // How often each call was made so far.
  const std::map<std::string, int> &counts() const { return counts_; }
  bool struck() const { return struck_; }

  // Runs before every read, with the read's number from 1 (to change a file while it is being read).
  std::function<void(int read)> beforeRead;
  // Runs before every call, with the call's name and its number from 1: to change the file system
  // between two steps of a save (a race), or to end the process there (a crash).
  std::function<void(const char *call, int n)> beforeCall;
  // Files may not be created in this folder (opens with O_CREAT fail with EACCES), as in a folder
  // without write permission, which root never meets for real.
  std::string folderWithoutNewFiles;
  // The file system makes no nameless files: openat with O_TMPFILE fails with EOPNOTSUPP.
  bool namelessFilesUnsupported = false;
  // These calls fail every time, each with its error: a file system that refuses them outright.
  std::map<std::string, int> alwaysFails;

 private:
  friend struct Table;
  Fault fault_;
  std::map<std::string, int> counts_;
  bool struck_ = false;
  bool diskFull_ = false;
};

}  // namespace posix_faults

#endif
