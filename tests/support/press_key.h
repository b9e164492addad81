// A key pressed and released on the program's frame, with or without Ctrl, as the message loop delivers
// it (accelerators first), each message handled before the next is posted. Shared by the program tests,
// the benchmarks and the fuzz target that drive the program.
#ifndef OXBYTE_TESTS_SUPPORT_PRESS_KEY_H
#define OXBYTE_TESTS_SUPPORT_PRESS_KEY_H

#include <windows.h>

#include "app/startup.h"

inline void pressKey(const Startup &program, int vk, bool ctrl) {
  BYTE keys[256] = {};
  keys[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(keys);
  PostMessageA(program.frame, WM_KEYDOWN, WPARAM(vk), 1);
  handleWaitingMessages(program);
  PostMessageA(program.frame, WM_KEYUP, WPARAM(vk), LPARAM(0xC0000001u));
  handleWaitingMessages(program);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

#endif
