// Reading and saving while the system calls under them fail one by one. Each save is first made without a
// fault to learn which calls it makes and how often; then every one of those calls fails in turn, in each
// way it can fail. Whatever fails, the file on disk holds either its old bytes (and the user was told) or
// the complete new bytes, no temporary file is left behind, and the edits are still there to save again.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/app/posix_faults.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using posix_faults::Fault;
using posix_faults::Injector;
using posix_faults::Kind;

// The ways each call can fail. Every call fails with EIO; those that move data or make room also meet a
// full disk, an interrupted call, a short transfer or a refused permission.
std::vector<Fault> faultsFor(const std::string &call, int occurrence) {
  std::vector<Fault> faults{{call, occurrence, Kind::Error, EIO}};
  auto add = [&](Kind kind, int error = 0) { faults.push_back({call, occurrence, kind, error}); };
  if (call == "write") {
    add(Kind::Error, ENOSPC), add(Kind::Error, EINTR), add(Kind::Short), add(Kind::DiskFull), add(Kind::Torn);
  } else if (call == "read") {
    add(Kind::Error, EINTR), add(Kind::Short);
  } else if (call == "open" || call == "openat") {
    add(Kind::Error, ENOSPC), add(Kind::Error, EINTR), add(Kind::Error, EACCES);
  } else if (call == "close" || call == "fsync") {
    add(Kind::Error, ENOSPC), add(Kind::Error, EINTR);
  } else if (call == "rename" || call == "renameat") {
    add(Kind::Error, ENOSPC), add(Kind::Error, EXDEV), add(Kind::Error, EBUSY), add(Kind::Error, EPERM);
  } else if (call == "linkat") {
    add(Kind::Error, ENOSPC), add(Kind::Error, EEXIST);
  } else if (call == "fchmod" || call == "fchown" || call == "access" || call == "fsetxattr") {
    add(Kind::Error, EPERM);
  }
  return faults;
}

// Where the document lives: a plain file (saved through a new file and a rename), a file with a second
// name (overwritten in place, so that both names see the new bytes), a file in a folder that takes no new
// files (overwritten in place too), and a symbolic link in another folder (the target is replaced).
enum class Place { Plain, HardLinked, NoNewFiles, SymbolicLink };

class SaveFaults : public ProgramTest {
 protected:
  // The first and the last byte change, so that a write stopped half-way shows as a mixture.
  const std::string before = std::string(4096, 'o') + "tail";
  const std::string after = "\x12" + before.substr(1, before.size() - 2) + "\x34";
  int tried = 0, lost = 0, warned = 0;

  std::string documentFolder() const { return path("files"); }
  std::string document() const { return path("files/doc.bin"); }
  std::string opened(Place place) const { return place == Place::SymbolicLink ? path("link.bin") : document(); }

  void lay(Place place) {
    std::error_code ignored;
    std::filesystem::remove_all(documentFolder(), ignored);
    std::filesystem::remove(path("link.bin"), ignored);
    std::filesystem::remove(path("other-name.bin"), ignored);
    std::filesystem::create_directory(documentFolder());
    writeFile("files/doc.bin", before);
    if (place == Place::HardLinked) {
      ASSERT_EQ(link(document().c_str(), path("other-name.bin").c_str()), 0);
    }
    if (place == Place::SymbolicLink) {
      ASSERT_EQ(symlink(document().c_str(), path("link.bin").c_str()), 0);
    }
  }

  // Opens the document, changes its first and last bytes and saves it under `fault`; returns the injector's counts.
  std::map<std::string, int> save(Place place, const Fault &fault) {
    lay(place);
    EXPECT_TRUE(start(quotedPath(opened(place))));
    type("12");
    key(VK_END, true);
    type("34");
    size_t shown = dialogs.size();
    answerWith(IDOK);  // a warning, if one comes
    std::map<std::string, int> counts;
    {
      Injector injector(fault);
      if (place == Place::NoNewFiles) injector.folderWithoutNewFiles = documentFolder();
      command(IDM_SAVE);
      counts = injector.counts();
    }
    bool told = dialogs.size() > shown;
    if (!told) answers.clear();
    check(place, fault, told);
    answers.clear();
    closing = true;
    quit();
    closing = false;
    return counts;
  }

  void check(Place place, const Fault &fault, bool told) {
    const std::string label = fault.label();
    std::string onDisk = readFile(document());
    ++tried;
    if (onDisk != before && onDisk != after) ++lost;
    if (told) {
      ++warned;
      EXPECT_TRUE(dialogs.back().says("无法写入文件:" + std::string(place == Place::SymbolicLink ? "link.bin" : "doc.bin")))
          << label;
      EXPECT_TRUE(onDisk == before || onDisk == after) << label;
      EXPECT_FALSE(menuState(IDM_SAVE) & MF_GRAYED) << label;
    } else {
      EXPECT_EQ(onDisk, after) << label << ": a save that said nothing must have written everything";
      EXPECT_TRUE(menuState(IDM_SAVE) & MF_GRAYED) << label;
    }
    // Only a copy of the old bytes whose removal could not be made sure of may stay: whole and private.
    std::vector<std::string> left = namesIn(documentFolder());
    if (left.size() == 2 && left[1] == "doc.bin.oxbyte-old") {
      struct stat copy;
      std::string copyPath = documentFolder() + "/" + left[1];
      EXPECT_TRUE(stat(copyPath.c_str(), &copy) == 0 && (copy.st_mode & 077) == 0) << label;
      EXPECT_EQ(readFile(copyPath), before) << label;
      left.pop_back();
    }
    EXPECT_EQ(left, std::vector<std::string>{"doc.bin"}) << label;
    if (place == Place::HardLinked) {
      EXPECT_EQ(readFile(path("other-name.bin")), onDisk) << label;
    }
    if (place == Place::SymbolicLink) {
      struct stat entry;
      EXPECT_TRUE(lstat(path("link.bin").c_str(), &entry) == 0 && S_ISLNK(entry.st_mode)) << label;
    }
    // The edits were kept: the next save, with nothing failing, writes them.
    command(IDM_SAVE);
    EXPECT_EQ(readFile(document()), after) << label;
  }

  // Every call the fault-free save makes, failed in turn in each of its ways.
  void everyFault(Place place) {
    std::map<std::string, int> counts = save(place, Fault{});
    ASSERT_GT(counts["write"], 0);
    for (const auto &[call, times] : counts)
      for (int n = 1; n <= times; ++n)
        for (const Fault &fault : faultsFor(call, n)) save(place, fault);
    std::printf("[ save faults ] %d injected, %d warned, %d lost\n", tried - 1, warned, lost);
    EXPECT_EQ(lost, 0);
    EXPECT_GT(warned, 0);  // the faults did reach the save
  }
};

TEST_F(SaveFaults, APlainFileKeepsItsOldOrItsNewBytes) { everyFault(Place::Plain); }
TEST_F(SaveFaults, AFileWithTwoNamesKeepsItsOldOrItsNewBytesUnderBoth) { everyFault(Place::HardLinked); }
TEST_F(SaveFaults, AFileInAFolderWithoutRoomForANewFileKeepsItsOldOrItsNewBytes) { everyFault(Place::NoNewFiles); }
TEST_F(SaveFaults, AFileBehindASymbolicLinkKeepsItsOldOrItsNewBytes) { everyFault(Place::SymbolicLink); }

using ReadFaults = ProgramTest;

TEST_F(ReadFaults, AReadThatFailsRefusesTheFileAndAShortReadIsCompleted) {
  const std::string content(5000, 'r');
  std::string file = writeFile("read.bin", content);
  struct Case {
    Fault fault;
    bool opens;
  } cases[] = {
      {{"read", 1, Kind::Error, EIO}, false},  {{"read", 1, Kind::Short}, true},
      {{"read", 2, Kind::Short}, true},        {{"read", 1, Kind::Error, EINTR}, true},
      {{"fstat", 1, Kind::Error, EIO}, false}, {{"open", 1, Kind::Error, EMFILE}, false},
  };
  for (const Case &c : cases) {
    if (!c.opens) answerWith(IDOK);
    bool started;
    {
      Injector injector(c.fault);
      started = start(quotedPath(file));
    }
    ASSERT_TRUE(started);
    EXPECT_EQ(view() != nullptr, c.opens) << c.fault.label();
    if (!c.opens) {
      EXPECT_TRUE(dialogs.back().says("无法读取文件:read.bin!")) << c.fault.label();
    } else {
      EXPECT_EQ(caption(), "Oxbyte - read.bin [5000 字节]") << c.fault.label();
    }
    quit();
  }
}

}  // namespace
