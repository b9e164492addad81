// Saves cut short. For every call a save makes, a child that inherits the edited program saves and is
// killed just before that call, as a crash or a kill would end it; the disk then holds the document
// whole, with its old bytes or its new ones, and nothing else. Two things may stay because nothing can
// avoid them, both recognisable: the finished new file, under the program's own name, killed just
// before the rename that puts it in place; and, where the document is overwritten in place, a private
// copy of all its old bytes, which must be there whenever the document is left part old, part new.
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/app/save_test.h"

namespace {

using posix_faults::Fault;
using posix_faults::Injector;
using posix_faults::Kind;

struct Tally {
  int old = 0, fresh = 0, mixed = 0, lost = 0, leftovers = 0;
  int readyNewFiles = 0, copiesBesideWholeBytes = 0;
};

class SaveCrashes : public SaveTest {
 protected:
  std::string files() const { return path("files"); }
  std::string document() const { return path("files/doc.bin"); }

  // The document alone in its folder; with a second name elsewhere it is overwritten in place.
  void lay(bool secondName) {
    std::filesystem::remove_all(files());
    std::filesystem::remove(path("other-name.bin"));
    std::filesystem::create_directory(files());
    writeFile("files/doc.bin", before);
    chmod(document().c_str(), 0644);
    if (secondName) {
      ASSERT_EQ(link(document().c_str(), path("other-name.bin").c_str()), 0);
    }
  }

  bool isCopyOfOldBytes(const std::string &name) const {
    struct stat entry = entryOf(files() + "/" + name);
    return name == "doc.bin.oxbyte-old" && S_ISREG(entry.st_mode) && (entry.st_mode & 07777) == 0600 &&
           readFile(files() + "/" + name) == before;
  }

  void classify(bool inPlace, const std::string &label, Tally &tally) {
    std::string bytes = readFile(document());
    bool copy = false;
    for (const std::string &name : namesIn(files())) {
      if (name == "doc.bin") continue;
      std::string held = readFile(files() + "/" + name);
      if (inPlace && isCopyOfOldBytes(name)) {
        copy = true;
      } else if (!inPlace && name.rfind(".oxbyte-new-", 0) == 0 && held == after && bytes == before) {
        ++tally.readyNewFiles;
      } else {
        ++tally.leftovers;
        ADD_FAILURE() << label << ": " << name << " was left, holding " << held.size() << " bytes"
                      << (held == before ? " (the old ones)" : held == after ? " (the new ones)" : "");
      }
    }
    if (bytes == before || bytes == after) {
      ++(bytes == before ? tally.old : tally.fresh);
      tally.copiesBesideWholeBytes += copy;
    } else if (copy) {
      ++tally.mixed;
    } else {
      ++tally.lost;
      ADD_FAILURE() << label << ": the document holds " << bytes.size() << " bytes, neither old nor new, and no copy";
    }
  }
};

TEST_F(SaveCrashes, AKillAtAnyStepLeavesTheOldOrTheNewBytes) {
  const struct Route {
    const char *label;
    bool inPlace;
  } routes[] = {{"rename", false}, {"in place", true}};
  for (const Route &route : routes) {
    lay(route.inPlace);
    openAndEdit(document());
    std::vector<std::string> calls = callsOfASave();
    close();
    lay(route.inPlace);
    openAndEdit(document());
    Tally tally;
    for (size_t step = 1; step <= calls.size(); ++step) {
      lay(route.inPlace);
      Outcome outcome = saveInChild({}, [step](Injector &injector) {
        injector.beforeCall = [step, n = size_t(0)](const char *, int) mutable {
          if (++n == step) raise(SIGKILL);
        };
      });
      std::string label = std::string(route.label) + ", killed before call " + std::to_string(step) + " (" +
                          calls[step - 1] + ")";
      EXPECT_EQ(outcome.signal, SIGKILL) << label << ": the save did not come to that call";
      classify(route.inPlace, label, tally);
    }
    close();
    std::set<std::string> kinds(calls.begin(), calls.end());
    std::printf(
        "[ save kills ] %s: %zu kills at %zu kinds of call: %d old, %d new, %d mixed with copy, %d leftovers, %d lost; "
        "%d finished new files beside the old bytes, %d copies beside whole bytes\n",
        route.label, calls.size(), kinds.size(), tally.old, tally.fresh, tally.mixed, tally.leftovers, tally.lost,
        tally.readyNewFiles, tally.copiesBesideWholeBytes);
  }
}

// The new file has no name until it is put in place, so a failed save leaves nothing behind even where
// the system refuses to remove names.
TEST_F(SaveCrashes, AFailedSaveLeavesOnlyTheDocumentEvenWhereNoNameCanBeRemoved) {
  const Fault faults[] = {{"fsync", 1, Kind::Error, EIO}, {"write", 1, Kind::Error, ENOSPC}};
  for (const Fault &fault : faults) {
    lay(false);
    openAndEdit(document());
    bool told = save([](Injector &injector) { injector.alwaysFails = {{"unlink", EIO}, {"unlinkat", EIO}}; }, fault);
    close();
    EXPECT_TRUE(told) << fault.label();
    EXPECT_EQ(holding(document()), "old") << fault.label();
    EXPECT_EQ(namesIn(files()), std::vector<std::string>{"doc.bin"}) << fault.label();
  }
}

}  // namespace
