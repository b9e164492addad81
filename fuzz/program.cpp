// Fuzz target: the running program, headless and in-process, fed arbitrary sequences of keys, characters,
// clicks, scroll codes, wheel turns, resizes and commands on a small document. After every step the
// cursor must rest on a byte of the document and inside the view (as the status bar, the scroll bar and
// the editor record tell it), every byte that differs from the file must be marked as changed, and the
// file on disk must hold exactly what the last Save wrote. ASan watches every read and write.
#include <windows.h>
#include <commctrl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/startup.h"
#include "backend/driver.h"
#include "document/editor_state.h"
#include "fuzz_input.h"
#include "input_answers.h"
#include "resources/resource.h"
#include "tests/support/press_key.h"
#include "tests/support/quit_program.h"
#include "tests/support/quoted.h"

namespace {

const char DOCUMENT[] = "doc.bin";
std::string documentPath;

void check(bool condition, const char *what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::string readFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string documentOfSize(unsigned choice) {
  static const int sizes[] = {1, 2, 15, 16, 17, 31, 255, 256, 257, 400, 1000, 4099, 0};
  int size = sizes[choice % (sizeof sizes / sizeof *sizes)];
  std::string bytes(size_t(size), '\0');
  for (int i = 0; i < size; ++i) bytes[size_t(i)] = char(i * 37 + i / 7);
  return bytes;
}

class Run {
 public:
  explicit Run(FuzzInput &in) : in_(in) {}

  void start(const std::string &bytes) {
    writeFile(documentPath, bytes);
    onDisk_ = bytes;
    program_ = startOxbyte(GetModuleHandleA(nullptr), quotedPath(documentPath).c_str(), SW_SHOWNORMAL);
    check(program_.frame != nullptr, "start-up");
    pump();
  }

  bool running() const { return program_.frame && IsWindow(program_.frame); }

  void step() {
    std::string before = memory();
    bool mayWrite = false;
    switch (in_.pick(9)) {
      case 0: key(); break;
      case 1: character(in_.byte()); break;
      case 2: click(); break;
      case 3: post(view(), WM_VSCROLL, MAKEWPARAM(in_.pick(9), in_.byte()), 0); break;
      case 4: post(program_.frame, WM_MOUSEWHEEL, MAKEWPARAM(0, int16_t(int8_t(in_.byte()) * 10)), 0); break;
      case 5: post(program_.frame, WM_TIMER, IDT_BLINK, 0); break;
      case 6: resize(); break;
      default: mayWrite = command(); break;
    }
    checkEverything(before, mayWrite);
  }

  void finish() { quitProgram(program_); }

 private:
  void pump() { handleWaitingMessages(program_); }

  void post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd) PostMessageA(hwnd, message, wParam, lParam);
    pump();
  }

  HWND view() const { return GetDlgItem(program_.frame, IDC_VIEW); }

  // Keys reach the frame as the loop delivers them: accelerators first, then TranslateMessage.
  void key() {
    static const int keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END,
                               VK_TAB,  VK_F3,    'F',   'G',     'Z',      'A',     '7',     VK_ESCAPE};
    int vk = keys[in_.pick(sizeof keys / sizeof *keys)];
    bool ctrl = in_.pick(3) == 0;
    pressKey(program_, vk, ctrl);
  }

  void character(uint8_t code) { post(program_.frame, WM_CHAR, code, 1); }

  void click() {
    int x = in_.byte() * 3, y = in_.byte() * 2;
    post(view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    post(view(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  // A new height for the frame changes how many rows the view shows.
  void resize() {
    RECT r;
    GetWindowRect(program_.frame, &r);
    MoveWindow(program_.frame, r.left, r.top, r.right - r.left, 40 + in_.byte() * 3, TRUE);
    pump();
  }

  // True when the command may write the document's file.
  bool command() {
    static const int commands[] = {IDM_SAVE, IDM_REVERT, IDM_FIND, IDM_FIND_NEXT, IDM_GOTO, IDM_OPEN, IDM_ABOUT};
    int id = commands[in_.pick(sizeof commands / sizeof *commands)];
    post(program_.frame, WM_COMMAND, WPARAM(id), 0);
    return id == IDM_SAVE || id == IDM_OPEN;  // Open may first save the changes it closes
  }

  std::string memory() const {
    if (!view() || editor.fileSize <= 0) return {};
    return std::string(reinterpret_cast<const char *>(editor.fileData), size_t(editor.fileSize));
  }

  std::string statusText(int part) const {
    char text[256] = {};
    SendMessageA(GetDlgItem(program_.frame, IDC_STATUS_BAR), SB_GETTEXTA, WPARAM(part), reinterpret_cast<LPARAM>(text));
    return text;
  }

  void checkEverything(const std::string &before, bool mayWrite) {
    checkDisk(before, mayWrite);
    for (const DialogSeen &seen : takeDialogsSeen())
      for (const std::string &text : seen.texts)
        check(text.find(std::string(":") + DOCUMENT) == std::string::npos, "the document itself was refused");
    if (!running() || !view() || std::strcmp(editor.filePath, documentPath.c_str()) != 0) return;
    checkCursor();
    checkMarks();
  }

  // The file changes only by a Save, and then to exactly the bytes the document held.
  void checkDisk(const std::string &before, bool mayWrite) {
    std::string now = readFile(documentPath);
    if (now == onDisk_) return;
    check(mayWrite, "the file changed without a Save");
    check(now == before, "a Save wrote other bytes than the document's");
    onDisk_ = now;
  }

  void checkCursor() {
    int32_t size = editor.fileSize;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(view(), SB_VERT, &si);
    check(si.nMin == 0 && si.nMax == (size > 0 ? (size - 1) / 16 : 0), "scroll range");
    // Windows holds the page within the range's length.
    check(si.nPage == UINT(std::min(editor.visibleRows, si.nMax - si.nMin + 1)), "scroll page");
    check(si.nPos >= 0 && si.nPos <= std::max(0, si.nMax - int(si.nPage) + 1), "scroll position");
    check(editor.topOffset == 16 * si.nPos, "top row follows the scroll position");
    if (size == 0) return;
    check(editor.cursorRow >= 0 && editor.cursorRow < editor.visibleRows, "cursor row inside the view");
    check(editor.cursorCol >= 0 && editor.cursorCol < 16, "cursor column");
    int32_t offset = editor.topOffset + 16 * editor.cursorRow + editor.cursorCol;
    check(offset >= 0 && offset < size, "cursor inside the document");
    char expected[64];
    std::snprintf(expected, sizeof expected, "当前位置: %i / %06X", offset, offset);
    if (statusText(0) != expected) std::fprintf(stderr, "status [%s] expected [%s] rows %d top %d\n", statusText(0).c_str(), expected, editor.visibleRows, editor.topOffset);
    check(statusText(0) == expected, "the status bar shows the cursor's offset");
  }

  // A byte that differs from the file is marked, and a marked document is dirty.
  void checkMarks() {
    bool anyMark = false;
    for (int32_t i = 0; i < editor.fileSize && size_t(i) < onDisk_.size(); ++i) {
      anyMark |= editor.modifiedMask[i] != 0;
      if (editor.fileData[i] != uint8_t(onDisk_[size_t(i)]))
        check(editor.modifiedMask[i] != 0, "a changed byte is marked");
    }
    check(!anyMark || editor.dirty, "a marked document is dirty");
  }

  FuzzInput &in_;
  Startup program_{};
  std::string onDisk_;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  win32::backend::useHeadless();
  setenv("LC_ALL", "C.UTF-8", 1);
  char pattern[] = "/tmp/oxbyte-fuzz-XXXXXX";
  if (!mkdtemp(pattern)) std::abort();
  documentPath = std::string(pattern) + "/" + DOCUMENT;
  static std::string folder = pattern;
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  Run run(in);
  answerDialogsFrom(&in, documentPath);
  run.start(documentOfSize(in.byte()));
  for (int steps = 0; steps < 200 && !in.empty() && run.running(); ++steps) run.step();
  run.finish();
  answerDialogsFrom(nullptr, documentPath);
  return 0;
}
