// Test support for the kernel32 file tests: a fresh folder per test and a scoped POSIX call table.
#ifndef OXBYTE_TESTS_WIN32_FILE_TEST_SUPPORT_H
#define OXBYTE_TESTS_WIN32_FILE_TEST_SUPPORT_H

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "kernel32/posix.h"

namespace file_test {

// Tests run in parallel, so each gets a folder of its own under the system's temporary folder.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "oxbyte-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    root_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;

  const std::string &root() const { return root_; }
  std::string path(const std::string &name) const { return root_ + "/" + name; }

  std::string write(const std::string &name, const std::string &content, mode_t mode = 0644) const {
    std::string file = path(name);
    std::ofstream(file, std::ios::binary) << content;
    chmod(file.c_str(), mode);
    return file;
  }

  std::string read(const std::string &name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  bool exists(const std::string &name) const {
    struct stat info;
    return lstat(path(name).c_str(), &info) == 0;
  }

 private:
  std::string root_;
};

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

inline HANDLE openFile(const std::string &path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

inline mode_t permissionBits(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

}  // namespace file_test

#endif
