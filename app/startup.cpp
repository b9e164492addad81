// Start-up and the message loop.
#include "app/startup.h"

#include <clocale>

#include "app/command_line.h"
#include "app/frame.h"
#include "dialogs/warning.h"
#include "document/editor_state.h"
#include "document/path.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "view/caption.h"
#include "view/view.h"

namespace {

bool registerClasses(HINSTANCE instance) {
  WNDCLASSA frame{0, frameWindowProc, 0, 0, instance, LoadIconA(instance, MAKEINTRESOURCEA(IDI_OXBYTE)),
                  LoadCursorA(nullptr, IDC_ARROW), static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), nullptr,
                  FRAME_CLASS};
  if (!RegisterClassA(&frame)) return false;
  WNDCLASSA view{0, viewWindowProc, 0, 0, instance, nullptr, LoadCursorA(nullptr, IDC_ARROW),
                 static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), nullptr, VIEW_CLASS};
  return RegisterClassA(&view) != 0;
}

void openCommandLineFile(HWND frame, const char *commandLine) {
  switch (pathFromCommandLine(commandLine, editor.pendingPath)) {
    case CommandLineFile::Open: SendMessageA(frame, WM_COMMAND, IDM_OPEN, 0); break;
    case CommandLineFile::TooLong: showWarning(frame, TEXT_CANNOT_READ, fileNameOf(pathTextOf(commandLine).c_str())); break;
    case CommandLineFile::None:
    case CommandLineFile::Deferred: break;
  }
}

}  // namespace

Startup startOxbyte(HINSTANCE instance, const char *commandLine, int showCommand) {
  resetEditorState();
  std::setlocale(LC_ALL, "");
  initNumberFormat();
  if (!registerClasses(instance)) {
    MessageBoxA(nullptr, TEXT_WRONG_SYSTEM, PROGRAM_NAME, MB_ICONERROR);
    return {nullptr, nullptr};
  }
  HWND frame = CreateWindowExA(0, FRAME_CLASS, PROGRAM_NAME,
                               WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                               LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU)), instance, nullptr);
  if (!frame) return {nullptr, nullptr};
  ShowWindow(frame, showCommand);
  UpdateWindow(frame);
  Startup program{frame, LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS))};
  openCommandLineFile(frame, commandLine);
  return program;
}

void handleMessage(const Startup &program, MSG &msg) {
  if (TranslateAcceleratorA(program.frame, program.accelerators, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void handleWaitingMessages(const Startup &program) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      return;
    }
    handleMessage(program, msg);
  }
}

int runMessageLoop(const Startup &program) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) handleMessage(program, msg);
  return int(msg.wParam);
}
