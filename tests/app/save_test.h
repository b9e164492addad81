// Saves watched from outside. The program is started on a document and edited; the save is then made in
// this process or in a forked child, which inherits the program as it is — to save as another user, in a
// mount namespace of its own, or to be killed part-way — while the test looks at the disk.
#ifndef OXBYTE_TESTS_APP_SAVE_TEST_H
#define OXBYTE_TESTS_APP_SAVE_TEST_H

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/app/posix_faults.h"
#include "tests/app/program.h"

class SaveTest : public ProgramTest {
 protected:
  using Setup = std::function<void(posix_faults::Injector &)>;

  // Longer than one 64 KiB copy, so that a copy stopped between two writes shows as a mixture of old and
  // new; the edit changes the first and the last byte.
  const std::string before = std::string(100000, 'o');
  const std::string after = "\x12" + before.substr(1, before.size() - 2) + "\x34";

  // "old", "new", or how many bytes of neither the file holds: short enough for a failure's message.
  std::string holding(const std::string &file) const;
  // Starts the program on `file` and makes the edit.
  void openAndEdit(const std::string &file);
  // Saves in this process under `fault`, with the Injector prepared by `setup`; true when the user was told.
  bool save(const Setup &setup = {}, const posix_faults::Fault &fault = {});
  // The calls a save makes, in order. The save is made: the document holds the new bytes afterwards.
  std::vector<std::string> callsOfASave(const Setup &setup = {});
  // Ends the program, its questions unanswered.
  void close();

  struct Outcome {
    bool entered = false;  // the child became what the test needed
    bool told = false;     // the user was warned
    bool greyed = false;   // Save is greyed afterwards: the edits count as saved
    int signal = 0;        // the signal that ended the child, if one did
  };
  // Forks; the child runs `enter` (false: it cannot become what the test needs), then saves with the
  // Injector prepared by `setup`, and ends. Only the parent returns.
  Outcome saveInChild(const std::function<bool()> &enter, const Setup &setup = {});
};

// This process becomes user `uid` of group `gid`, member of `groups` besides, for good.
bool becomeUser(uid_t uid, gid_t gid, const std::vector<gid_t> &groups = {});
// What is under the name itself (a symbolic link is not followed); st_mode 0 where there is nothing.
struct stat entryOf(const std::string &path);

#endif
