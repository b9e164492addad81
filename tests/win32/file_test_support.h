// Test support for the kernel32 file tests: a fresh folder per test, its files made and read with the C++
// library rather than the calls under test, and paths in the platform's own form (Windows separates with
// '\', the stand-in with '/').
#ifndef OXBYTE_TESTS_WIN32_FILE_TEST_SUPPORT_H
#define OXBYTE_TESTS_WIN32_FILE_TEST_SUPPORT_H

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace file_test {

// What separates the names in a path.
constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// `name` inside `folder`.
inline std::string join(const std::string &folder, const std::string &name) { return folder + kSeparator + name; }

// Tests run in parallel, so each gets a folder of its own under the system's temporary folder.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
      std::filesystem::path candidate = temporary / ("oxbyte-test-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) root_ = candidate.string();
    }
    if (root_.empty()) ADD_FAILURE() << "no folder could be made under " << temporary.string();
  }
  // Windows removes no read-only file: each is made writable first.
  ~TempFolder() {
    std::error_code ignored;
    for (auto it = std::filesystem::recursive_directory_iterator(root_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
      if (!it->is_symlink(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(root_, ignored);
  }
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;

  const std::string &root() const { return root_; }
  // The path of `name` in the folder; names with separators in them lead into its subfolders.
  std::string path(const std::string &name) const { return join(root_, name); }

  std::string write(const std::string &name, const std::string &content) const {
    std::string file = path(name);
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

  // A file nobody may write: on Linux no write permission for anyone, on Windows the read-only attribute.
  std::string writeReadOnly(const std::string &name, const std::string &content) const {
    std::string file = write(name, content);
    std::filesystem::permissions(file,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    return file;
  }

  void makeFolder(const std::string &name) const {
    EXPECT_TRUE(std::filesystem::create_directory(path(name))) << name;
  }

  std::string read(const std::string &name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  // Whether the folder has an entry of that name (a symbolic link counts, wherever it leads).
  bool exists(const std::string &name) const {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path(name), ignored));
  }

  // How many entries the folder has.
  long entries() const {
    return static_cast<long>(std::distance(std::filesystem::directory_iterator(root_), {}));
  }

 private:
  std::string root_;
};

// The current directory tests each work in a folder of their own and go back to where they started (which
// Windows needs before the folder can be removed).
class CurrentDirectory : public testing::Test {
 protected:
  CurrentDirectory() {
    std::error_code error;
    start_ = std::filesystem::current_path(error);
    std::filesystem::current_path(folder_.root(), error);
    if (error) ADD_FAILURE() << "could not enter " << folder_.root();
    here_ = std::filesystem::current_path(error).string();
  }
  ~CurrentDirectory() override {
    std::error_code error;
    std::filesystem::current_path(start_, error);
    if (error) ADD_FAILURE() << "could not return to " << start_.string();
  }

  TempFolder folder_;
  std::filesystem::path start_;
  std::string here_;
};

inline HANDLE openFile(const std::string &path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace file_test

#endif
