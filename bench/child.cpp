// oxbyte-bench-child [FILE]: a fresh process that starts the program headless (opening FILE when given)
// and processes messages until its first frame is painted and shown, then prints three numbers: the
// monotonic clock in nanoseconds on entering main (the shared libraries loaded) and once the frame is
// shown, and the process's peak resident size in KiB (getrusage's ru_maxrss). It exits 1 when the
// program did not start or did not open the whole file.
//
// oxbyte-bench-child --session FILE: a whole session with FILE (open, change a byte, Save, Undo all,
// Find a text that is not there), then prints the resident size at its end and the peak, in KiB.
#include <windows.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "app/startup.h"
#include "backend/driver.h"
#include "bench/workspace.h"
#include "document/editor_state.h"
#include "resources/resource.h"
#include "tests/support/dialog_answers.h"
#include "tests/support/press_key.h"
#include "tests/support/quoted.h"

namespace {

long peakKiB() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

long residentKiB() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The session's questions (Undo all asks first) are answered Yes, and the message that Find found
// nothing is closed, as a user would.
void answerYes(HWND dialog, int) {
  PostMessageA(dialog, WM_COMMAND, IDYES, 0);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

int session(const char *path) {
  answerDialogs(answerYes);
  std::string commandLine = quotedPath(path);
  Startup program = startOxbyte(GetModuleHandleA(nullptr), commandLine.c_str(), SW_SHOWNORMAL);
  if (!program.frame) return 1;
  handleWaitingMessages(program);
  pressKey(program, 'A', false);
  bool edited = editor.dirty;
  SendMessageA(program.frame, WM_COMMAND, IDM_SAVE, 0);
  bool saved = !editor.dirty;
  pressKey(program, 'B', false);
  SendMessageA(program.frame, WM_COMMAND, IDM_REVERT, 0);
  bool undone = !editor.dirty;
  std::strcpy(editor.findText, "not in the document");
  editor.findAscii = true;
  SendMessageA(program.frame, WM_COMMAND, IDM_FIND_NEXT, 0);
  handleWaitingMessages(program);
  if (!edited || !saved || !undone) return 1;
  std::printf("%ld %ld\n", residentKiB(), peakKiB());
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  int64_t entered = monotonicNanoseconds();
  win32::backend::useHeadless();
  if (argc == 3 && std::strcmp(argv[1], "--session") == 0) return session(argv[2]);
  std::string commandLine = argc > 1 ? quotedPath(argv[1]) : "";
  Startup program = startOxbyte(GetModuleHandleA(nullptr), commandLine.c_str(), SW_SHOWNORMAL);
  if (program.frame) handleWaitingMessages(program);
  int64_t painted = monotonicNanoseconds();
  if (!program.frame) return 1;
  struct stat info;
  if (argc > 1 && (stat(argv[1], &info) != 0 || editor.fileSize != info.st_size)) return 1;
  std::printf("%lld %lld %ld\n", static_cast<long long>(entered), static_cast<long long>(painted), peakKiB());
  return 0;
}
