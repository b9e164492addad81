// Documents in unusual places. In a folder whose path is about as long as Windows' MAX_PATH, the save
// still takes its usual way, a new file put in the old one's place. A single file bind-mounted over the
// document's name cannot be renamed over: it is overwritten in place, and the user is not troubled.
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/save_test.h"

namespace {

using SavePlaces = SaveTest;

// Folders made one inside another below `base` until the path is `length` bytes long.
std::string deepFolder(const std::string &base, size_t length) {
  std::string folder = base;
  while (folder.size() < length) {
    size_t room = length - folder.size() - 1;  // after the separator
    // never leave a remainder too short for a separator and a name
    size_t name = room <= 100 ? room : room - 100 >= 2 ? 100 : 97;
    folder.append(1, '/').append(name, 'd');
    std::filesystem::create_directory(folder);
  }
  return folder;
}

class WorkingFolder {
 public:
  explicit WorkingFolder(const std::string &folder) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~WorkingFolder() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

// The document is opened from inside its folder, as someone working there opens it ("./doc.bin": a bare
// name is joined to the folder's path, which is longer than the command line's limit).
TEST_F(SavePlaces, AFileInAFolderWithALongPathIsReplacedWhole) {
  ASSERT_LT(path("deep").size(), 240u);
  for (size_t length = 247; length <= 258; ++length) {
    std::filesystem::create_directory(path("deep"));
    std::string deep = deepFolder(path("deep"), length);
    ASSERT_EQ(deep.size(), length);
    std::string document = deep + "/doc.bin";
    writeFile(document.substr(folder.size() + 1), before);
    ino_t was = entryOf(document).st_ino;
    bool told;
    {
      WorkingFolder inside(deep);
      openAndEdit("./doc.bin");
      told = save();
      close();
    }
    EXPECT_FALSE(told) << length;
    EXPECT_EQ(holding(document), "new") << length;
    EXPECT_NE(entryOf(document).st_ino, was) << length << " bytes: overwritten in place rather than replaced";
    EXPECT_EQ(namesIn(deep), std::vector<std::string>{"doc.bin"}) << length;
    std::filesystem::remove_all(path("deep"));
  }
}

// Containers bind-mount single files; in a mount namespace of its own, the child sees another file
// mounted over the document's name, and saves into it.
TEST_F(SavePlaces, ABindMountedFileIsOverwrittenInPlace) {
  if (geteuid() != 0) GTEST_SKIP() << "bind mounts need root";
  std::filesystem::create_directory(path("files"));
  std::string document = writeFile("files/doc.bin", before);
  std::string mounted = writeFile("mounted.bin", before);
  openAndEdit(document);
  Outcome outcome = saveInChild([&] {
    return unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount(mounted.c_str(), document.c_str(), nullptr, MS_BIND, nullptr) == 0;
  });
  close();
  if (!outcome.entered) GTEST_SKIP() << "no mount namespace of its own here";
  EXPECT_FALSE(outcome.told);
  EXPECT_TRUE(outcome.greyed);
  EXPECT_EQ(holding(mounted), "new");
  EXPECT_EQ(holding(document), "old") << "the file under the mount changed";
  EXPECT_EQ(namesIn(path("files")), std::vector<std::string>{"doc.bin"});
}

}  // namespace
