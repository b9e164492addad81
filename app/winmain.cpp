// The program's entry point.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  Startup program = startOxbyte(instance, commandLine, showCommand);
  if (!program.frame) return 0;
  return runMessageLoop(program);
}
