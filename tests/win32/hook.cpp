// user32 hooks: the CBT chain, newest first, and a hook's lifetime.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::string calls;
HHOOK older = nullptr, newer = nullptr;

// The creation of the test's own window. Windows also creates the thread's "Default IME" window
// alongside its first top-level window, and the CBT hooks see that creation too.
bool ownWindow(int code, WPARAM wParam) {
  char name[32] = "";
  return code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
         std::strcmp(name, "Static") == 0;
}

LRESULT CALLBACK olderHook(int code, WPARAM wParam, LPARAM lParam) {
  if (ownWindow(code, wParam)) calls += "older ";
  return CallNextHookEx(older, code, wParam, lParam);
}

LRESULT CALLBACK newerHook(int code, WPARAM wParam, LPARAM lParam) {
  if (ownWindow(code, wParam)) calls += "newer ";
  return CallNextHookEx(newer, code, wParam, lParam);
}

LRESULT CALLBACK keptHook(int code, WPARAM wParam, LPARAM lParam) {
  if (ownWindow(code, wParam)) calls += "kept ";
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND createPopup() {
  return CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

TEST(Hook, TheNewestHookRunsFirstAndPassesTheCallOn) {
  older = SetWindowsHookExA(WH_CBT, olderHook, nullptr, GetCurrentThreadId());
  newer = SetWindowsHookExA(WH_CBT, newerHook, nullptr, GetCurrentThreadId());
  calls.clear();
  DestroyWindow(createPopup());
  EXPECT_EQ(calls, "newer older ");
  EXPECT_TRUE(UnhookWindowsHookEx(newer));
  EXPECT_FALSE(UnhookWindowsHookEx(newer));  // gone already
  calls.clear();
  DestroyWindow(createPopup());
  EXPECT_EQ(calls, "older ");
  EXPECT_TRUE(UnhookWindowsHookEx(older));
}

// A hook that is never removed belongs to the thread and goes with it, as on Windows: under the
// sanitizer build LeakSanitizer checks at exit that nothing of it is left behind. (Its handle is not
// kept anywhere, so that nothing of the test's own holds on to it.)
TEST(Hook, AHookNeverRemovedIsStillCalledAndLeavesNothingBehind) {
  calls.clear();
  bool installed = SetWindowsHookExA(WH_CBT, keptHook, nullptr, GetCurrentThreadId()) != nullptr;
  EXPECT_TRUE(installed);
  DestroyWindow(createPopup());
  EXPECT_EQ(calls, "kept ");
}

}  // namespace
