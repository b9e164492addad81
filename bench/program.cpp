// The real program started in-process on the headless backend.
#include "bench/program.h"

#include "backend/driver.h"
#include "document/editor_state.h"
#include "tests/support/press_key.h"
#include "tests/support/quit_program.h"
#include "user32/window.h"

namespace {

// The drag in progress: each tick of its timer hands the scroll bar's tracking loop one mouse move.
struct Drag {
  win32::backend::NativeId window;
  int x, y;
  int movesLeft;
} drag;

void injectMouse(win32::backend::EventType type, int x, int y) {
  win32::backend::Event e;
  e.type = type;
  e.window = drag.window;
  e.x = x;
  e.y = y;
  e.button = 1;
  win32::backend::injectHeadlessEvent(e);
}

// The headless clock moves on to a timer's deadline as soon as the loop is idle, so each move arrives once
// the previous one has been handled, painted and shown — never merged with the next.
void CALLBACK nextDragMove(HWND, UINT, UINT_PTR id, DWORD) {
  if (drag.movesLeft-- > 0) {
    injectMouse(win32::backend::EventType::MouseMove, drag.x, ++drag.y);
    return;
  }
  KillTimer(nullptr, id);
  injectMouse(win32::backend::EventType::MouseUp, drag.x, drag.y);
}

}  // namespace

ProgramDriver &theProgram() {
  static ProgramDriver program;
  return program;
}

bool ProgramDriver::start(const std::string &commandLine) {
  if (running()) quit();
  program = startOxbyte(GetModuleHandleA(nullptr), commandLine.c_str(), SW_SHOWNORMAL);
  pump();
  return program.frame != nullptr;
}

void ProgramDriver::quit() {
  if (running())
    quitProgram(program);
  else
    forgetProgram(program);
}

void ProgramDriver::pump() { handleWaitingMessages(program); }

void ProgramDriver::key(int vk, bool ctrl) { pressKey(program, vk, ctrl); }

bool ProgramDriver::showRows(int rows) {
  RECT window;
  GetWindowRect(program.frame, &window);
  int height = window.bottom - window.top + (rows - editor.visibleRows) * editor.frameLineHeight;
  SetWindowPos(program.frame, nullptr, 0, 0, window.right - window.left, height, SWP_NOMOVE | SWP_NOZORDER);
  pump();
  return editor.visibleRows == rows;
}

// The thumb is taken two pixels below its top edge, which lies just under the bar's 17-pixel up arrow
// while the view shows the first row.
void ProgramDriver::dragThumb(int steps) {
  RECT frameRect, viewRect;
  GetWindowRect(program.frame, &frameRect);
  GetWindowRect(view(), &viewRect);
  drag = {win32::findWindow(program.frame, false)->top->native, viewRect.right - frameRect.left - 8,
          viewRect.top - frameRect.top + 17 + 2, steps};
  injectMouse(win32::backend::EventType::MouseDown, drag.x, drag.y);
  SetTimer(nullptr, 0, 1, nextDragMove);
  pump();
}
