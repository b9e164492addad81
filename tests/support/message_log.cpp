// A window class whose procedure records every message.
#include "support/message_log.h"

#include <algorithm>

MessageLog *MessageLog::current = nullptr;

MessageLog::MessageLog() {
  current = this;
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "LoggedWindow";
  RegisterClassA(&wc);
}

MessageLog::~MessageLog() {
  for (auto it = created.rbegin(); it != created.rend(); ++it)
    if (IsWindow(*it)) DestroyWindow(*it);
  pump();
  UnregisterClassA("LoggedWindow", nullptr);
  current = nullptr;
}

HWND MessageLog::createTopLevel(DWORD style, int width, int height) {
  HWND hwnd = CreateWindowExA(0, "LoggedWindow", "log", style, 10, 10, width, height, nullptr, nullptr, nullptr,
                              nullptr);
  created.push_back(hwnd);
  return hwnd;
}

HWND MessageLog::createChild(HWND parent, DWORD style, int x, int y, int width, int height, int id) {
  HWND hwnd = CreateWindowExA(0, "LoggedWindow", "", WS_CHILD | style, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
  created.push_back(hwnd);
  return hwnd;
}

std::vector<UINT> MessageLog::of(HWND hwnd, std::initializer_list<UINT> interesting) const {
  std::vector<UINT> result;
  for (const LoggedMessage &m : messages)
    if (m.hwnd == hwnd && std::find(interesting.begin(), interesting.end(), m.message) != interesting.end())
      result.push_back(m.message);
  return result;
}

void MessageLog::pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

LRESULT CALLBACK MessageLog::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (current) {
    current->messages.push_back({hwnd, message, wParam, lParam});
    LRESULT result = 0;
    if (current->handler && current->handler(hwnd, message, wParam, lParam, result)) return result;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
