// Where dialogs and message boxes open: a dialog at its template's place in its owner's client area, kept
// on the screen; a message box in the middle of the screen, wherever its owner is.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "resources/resource.h"

namespace {

// The last dialog or box as it opened: its window rectangle and its client area's corner.
RECT opened;
POINT openedClient;

POINT clientOrigin(HWND hwnd) {
  POINT p{0, 0};
  ClientToScreen(hwnd, &p);
  return p;
}

INT_PTR CALLBACK noteAndEnd(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  GetWindowRect(dialog, &opened);
  openedClient = clientOrigin(dialog);
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

LRESULT CALLBACK noteAndAnswerBox(int code, WPARAM wParam, LPARAM lParam) {
  char name[16] = "";
  if (code == HCBT_ACTIVATE && GetClassNameA(HWND(wParam), name, sizeof name) && std::strcmp(name, "#32770") == 0) {
    GetWindowRect(HWND(wParam), &opened);
    PostMessageA(HWND(wParam), WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class DialogPlace : public testing::Test {
 protected:
  DialogPlace() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "PlaceOwner";
    RegisterClassA(&wc);
  }
  ~DialogPlace() override {
    DestroyWindow(owner);
    UnregisterClassA("PlaceOwner", nullptr);
  }
  HWND ownerAt(int x, int y) {
    DestroyWindow(owner);
    owner = CreateWindowExA(0, "PlaceOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 300, 250, nullptr,
                            nullptr, nullptr, nullptr);
    return owner;
  }
  // The Go to dialog's template asks for (0, 0), without DS_CENTER.
  void openGoTo(HWND by) { DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_GOTO), by, noteAndEnd, 0); }

  HWND owner = nullptr;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
};

// At the corner of the owner's client area, even of a child window given as the owner; then moved onto
// the screen, a dialog frame's width inside its right and bottom edges.
TEST_F(DialogPlace, ADialogOpensAtItsOwnersClientAreaOnTheScreen) {
  HWND child = CreateWindowExA(WS_EX_CLIENTEDGE, "PlaceOwner", "", WS_CHILD | WS_VISIBLE, 30, 40, 200, 150,
                               ownerAt(100, 150), nullptr, nullptr, nullptr);
  for (HWND by : {owner, child}) {
    openGoTo(by);
    EXPECT_EQ(openedClient.x, clientOrigin(by).x);
    EXPECT_EQ(openedClient.y, clientOrigin(by).y);
  }
  openGoTo(ownerAt(screenWidth - 100, screenHeight - 60));
  EXPECT_EQ(opened.right, screenWidth - GetSystemMetrics(SM_CXDLGFRAME));
  EXPECT_EQ(opened.bottom, screenHeight - GetSystemMetrics(SM_CYDLGFRAME));
  openGoTo(ownerAt(-50, -40));
  EXPECT_EQ(opened.left, 0);
  EXPECT_EQ(opened.top, 0);
}

TEST_F(DialogPlace, AMessageBoxOpensInTheMiddleOfTheScreen) {
  HHOOK hook = SetWindowsHookExA(WH_CBT, noteAndAnswerBox, nullptr, GetCurrentThreadId());
  for (POINT at : {POINT{100, 150}, POINT{screenWidth - 150, screenHeight - 120}, POINT{-50, -40}}) {
    SCOPED_TRACE(testing::Message() << "owner at " << at.x << "," << at.y);
    opened = {};
    EXPECT_EQ(MessageBoxA(ownerAt(at.x, at.y), "Where am I?", "Place", MB_OK), IDOK);
    EXPECT_NEAR(opened.left + opened.right, screenWidth, 1);
    EXPECT_NEAR(opened.top + opened.bottom, screenHeight, 1);
  }
  UnhookWindowsHookEx(hook);
}

}  // namespace
