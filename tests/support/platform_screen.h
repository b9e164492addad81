// What tests of controls need from the screen beyond the Win32 calls they make: the pointer moved and
// pressed as a user moves it, time passing for timers, texts measured as the controls measure them, the
// look the controls are drawn in, and a window's pixels as they are shown. The stand-in's headless
// desktop (platform_screen_standin.cpp) and real Windows (platform_screen_windows.cpp) each implement it
// once.
#ifndef OXBYTE_TESTS_SUPPORT_PLATFORM_SCREEN_H
#define OXBYTE_TESTS_SUPPORT_PLATFORM_SCREEN_H

#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <string>

namespace screen {

// Real pointer input, handled before the call returns: the pointer moves to `at` (screen coordinates),
// and the left button goes down or up there. As on a desktop, the input goes to the window under the
// pointer, or to the window that has captured the mouse.
enum class Pointer { Move, Press, Release };
void pointer(Pointer action, POINT at);

// Real keyboard input for the active window, as the desktop delivers a user's typing: a key pressed and
// released, or a text typed. The input is queued, not handled: the thread's own message loop (a modal
// dialog's, say) reads it as it would read the keyboard.
void pressKey(int vk);
void typeText(const char *utf8);

// Handles the messages waiting now (input, painting, timers already due); time does not move on.
inline void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Lets `ms` milliseconds pass, handling every message meanwhile, so that the timers due in that time
// fire. The stand-in's clock moves on by exactly that; on Windows real time passes, and a timer may fire
// up to timerSlack() milliseconds after it is due.
void wait(unsigned ms);
unsigned timerSlack();

// The width of a UTF-8 text in `control`'s font (the one it answers WM_GETFONT with, else its device
// context's), as the control measures the text it draws.
int textWidth(HWND control, const char *utf8);

// Whether the common controls are drawn with a visual-style theme rather than in the classic look. A
// program without a common-controls manifest gets comctl32 5.8, whose controls Windows always draws
// classic: visual styles need version 6, which only a manifest selects ("Enabling Visual Styles" in
// Microsoft's documentation). Wine has one comctl32 for both and themes its controls whenever a theme is
// active, as one is in a new Wine prefix. The stand-in draws the classic look.
bool controlsThemed();

// A pixel of `window` as it is shown, at a point of its client area, or of its whole window rectangle
// (whatever borders it has included). What is waiting to be painted is painted first.
COLORREF clientPixel(HWND window, int x, int y);
COLORREF windowPixel(HWND window, int x, int y);

// The text on the clipboard, as a user's other programs would put it there and read it back: "" empties
// the clipboard, and an empty answer means it holds no text.
void setClipboardText(const char *utf8);
std::string clipboardText();

// pump() as a Unicode message loop (PeekMessageW, DispatchMessageW) runs it: a typed character reaches
// a control whole, as the UTF-16 unit the keyboard made. PeekMessageA hands it on in the code page, and
// Wine's conversion of a WM_CHAR to UTF-8 garbles every character beyond ASCII.
void pumpUnicode();

// A key going down or up by itself, queued for the active window as pressKey's keys are. The Shift, Ctrl
// and Alt keys down at the time modify it, and a key pressed again while it is down comes as the
// keyboard's auto-repeat.
void keyDown(int vk);
void keyUp(int vk);

// Keys held down one after another, then let go in the reverse order, as a user types a shortcut:
// {VK_MENU, 'N'} is Alt+N.
inline void pressKeys(std::initializer_list<int> vks) {
  for (int vk : vks) keyDown(vk);
  for (auto vk = std::rbegin(vks); vk != std::rend(vks); ++vk) keyUp(*vk);
}

// Lets `ms` milliseconds pass without handling a message, as while the thread is busy: the timers due
// meanwhile are there for the next loop that reads the queue (a menu's loop, say). On the stand-in's
// headless desktop Sleep moves the clock on.
inline void elapse(unsigned ms) { Sleep(ms); }

}  // namespace screen

#endif
