// The real program started in-process on the headless backend and driven through Win32 calls, as the
// program tests drive it.
#ifndef OXBYTE_BENCH_PROGRAM_H
#define OXBYTE_BENCH_PROGRAM_H

#include <windows.h>

#include <string>

#include "app/startup.h"
#include "resources/resource.h"

class ProgramDriver {
 public:
  // Starts the program with this command line and processes every waiting message, so the first frame
  // is painted and shown on return; false when start-up failed. A program still running is closed first.
  bool start(const std::string &commandLine);
  // Closes the frame and runs the message loop to its end, as the program's own exit would.
  void quit();
  bool running() const { return program.frame && IsWindow(program.frame); }

  // Processes every waiting message as the program's own loop would.
  void pump();
  // A key pressed and released through the frame's accelerators and TranslateMessage.
  void key(int vk, bool ctrl = false);
  // Resizes the frame to show `rows` rows of bytes; true when the view shows exactly that many.
  bool showRows(int rows);
  // Presses the scroll bar's thumb, drags it down one pixel at a time for `steps` mouse moves (each
  // handled, painted and shown before the next arrives, as a user's hand gives them), then releases it.
  void dragThumb(int steps);

  HWND frame() const { return program.frame; }
  HWND view() const { return GetDlgItem(program.frame, IDC_VIEW); }

 private:
  Startup program{};
};

// The one program of the benchmark process (the program keeps its state in globals: one at a time).
ProgramDriver &theProgram();

#endif
