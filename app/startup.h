// Start-up and the message loop.
#ifndef OXBYTE_APP_STARTUP_H
#define OXBYTE_APP_STARTUP_H

#include <windows.h>

struct Startup {
  HWND frame;  // null when start-up failed
  HACCEL accelerators;
};

// Everything before the message loop: locale, window classes, the frame, the accelerators and the file
// named on the command line.
Startup startOxbyte(HINSTANCE instance, const char *commandLine, int showCommand);

// Translates accelerators against the frame, then translates and dispatches; returns WM_QUIT's code.
int runMessageLoop(const Startup &program);

// The frame's accelerator step and the usual translate-and-dispatch, for one message.
void handleMessage(const Startup &program, MSG &msg);

// Handles every message already waiting, without waiting for more; a WM_QUIT is left in the queue for
// runMessageLoop. For drivers that run the program in steps (tests, benchmarks, fuzzing).
void handleWaitingMessages(const Startup &program);

#endif
