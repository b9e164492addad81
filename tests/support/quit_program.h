// The program closed as its own exit would, by closing the frame and running the message loop to its end;
// its window classes go too, so that it can start again in this process as a new process would. Shared by
// the program tests, the benchmarks, the fuzz target and the README's pictures.
#ifndef OXBYTE_TESTS_SUPPORT_QUIT_PROGRAM_H
#define OXBYTE_TESTS_SUPPORT_QUIT_PROGRAM_H

#include <windows.h>

#include "app/startup.h"

// For a program that is not running: a start that failed may have registered the classes already.
inline void forgetProgram(Startup &program) {
  program.frame = nullptr;
  UnregisterClassA("Oxbyte", nullptr);
  UnregisterClassA("oxpanel", nullptr);
}

// Returns WM_QUIT's code. The loop runs even when the frame is gone already, for the WM_QUIT it left.
inline int quitProgram(Startup &program) {
  if (program.frame && IsWindow(program.frame)) PostMessageA(program.frame, WM_CLOSE, 0, 0);
  int code = runMessageLoop(program);
  forgetProgram(program);
  return code;
}

#endif
