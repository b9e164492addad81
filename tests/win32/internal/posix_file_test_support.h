// Test support for the stand-in's own file tests: files made with POSIX modes, and a scoped POSIX call
// table that makes the calls under the file layer fail.
#ifndef OXBYTE_TESTS_WIN32_INTERNAL_POSIX_FILE_TEST_SUPPORT_H
#define OXBYTE_TESTS_WIN32_INTERNAL_POSIX_FILE_TEST_SUPPORT_H

#include <sys/stat.h>

#include <string>

#include "../file_test_support.h"
#include "kernel32/posix.h"

namespace file_test {

// A file with the permission bits `mode`.
inline std::string writeWithMode(const TempFolder &folder, const std::string &name, const std::string &content,
                                 mode_t mode) {
  std::string file = folder.write(name, content);
  chmod(file.c_str(), mode);
  return file;
}

inline mode_t permissionBits(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Puts a changed POSIX call table in use for one scope.
class PosixOverride {
 public:
  explicit PosixOverride(const win32::posix::Calls &calls) : previous_(win32::posix::replaceCalls(calls)) {}
  ~PosixOverride() { win32::posix::replaceCalls(previous_); }
  PosixOverride(const PosixOverride &) = delete;
  PosixOverride &operator=(const PosixOverride &) = delete;

 private:
  win32::posix::Calls previous_;
};

}  // namespace file_test

#endif
