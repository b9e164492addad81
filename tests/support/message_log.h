// A window class whose procedure records every message, for tests of message order.
#ifndef OXBYTE_TESTS_MESSAGE_LOG_H
#define OXBYTE_TESTS_MESSAGE_LOG_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct LoggedMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Registers "LoggedWindow" (once) and records what its windows receive. `handler`, when set, runs first
// and may answer a message itself by returning true.
class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  HWND createTopLevel(DWORD style = WS_OVERLAPPEDWINDOW, int width = 300, int height = 200);
  HWND createChild(HWND parent, DWORD style, int x, int y, int width, int height, int id = 0);
  void clear() { messages.clear(); }
  // The messages of `hwnd` among those listed in `interesting`, in order.
  std::vector<UINT> of(HWND hwnd, std::initializer_list<UINT> interesting) const;
  // Processes everything waiting in the queue, without waiting.
  static void pump();

  std::vector<LoggedMessage> messages;
  std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT &)> handler;

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static MessageLog *current;
  std::vector<HWND> created;
};

#endif
