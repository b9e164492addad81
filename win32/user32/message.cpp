// user32: the message queue — posted, input, paint and timer messages, in Windows' order.
#include "user32/message.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <vector>

#include "backend/driver.h"
#include "user32/input.h"
#include "user32/paint.h"
#include "user32/timer.h"
#include "user32/window.h"

namespace win32 {
namespace {

struct Queued {
  MSG msg;
  bool input;
  bool raw = false;  // `event` from the desktop still waits to become `msg`
  backend::Event event{};
};

struct Queue {
  std::deque<Queued> posted;
  std::deque<Queued> input;
  bool quit = false;
  int quitCode = 0;
  int depth = 0;
  MSG last{};
  bool lastInput = false;
  DWORD lastTime = 0;
};

Queue &queue() {
  static Queue q;
  return q;
}

bool matches(const MSG &msg, HWND filter, UINT min, UINT max) {
  if (filter && msg.hwnd != filter) return false;
  if (min == 0 && max == 0) return true;
  return msg.message >= min && msg.message <= max;
}

// An event from the desktop becomes its messages when the program retrieves it: the window it reaches is
// decided then, with the focus, capture and windows of that moment, as on Windows.
bool becomeMessages(std::deque<Queued> &from, size_t at) {
  std::vector<MSG> messages = inputMessagesFor(from[at].event);
  if (messages.empty()) {
    from.erase(from.begin() + ptrdiff_t(at));
    return false;
  }
  from[at].raw = false;
  from[at].msg = messages[0];
  for (size_t i = 1; i < messages.size(); ++i) from.insert(from.begin() + ptrdiff_t(at + i), Queued{messages[i], true});
  return true;
}

bool takeFrom(std::deque<Queued> &from, HWND filter, UINT min, UINT max, bool remove, MSG &out, bool &input) {
  for (size_t at = 0; at < from.size();) {
    if (from[at].raw && !becomeMessages(from, at)) continue;
    if (!matches(from[at].msg, filter, min, max)) {
      ++at;
      continue;
    }
    out = from[at].msg;
    input = from[at].input;
    if (remove) from.erase(from.begin() + ptrdiff_t(at));
    return true;
  }
  return false;
}

void drainBackend() {
  backend::Event event;
  while (backend::driver().waitEvent(event, 0)) handleBackendEvent(event);
}

// One look at the queue, in Windows' order: posted messages, the quit request, input, paint, timers.
bool peekOnce(MSG &msg, HWND filter, UINT min, UINT max, bool remove) {
  Queue &q = queue();
  if (q.depth == 0) collectRetiredWindows();
  drainBackend();
  bool input = false;
  bool found = takeFrom(q.posted, filter, min, max, remove, msg, input);
  if (!found && q.quit && !filter && matches(MSG{nullptr, WM_QUIT, 0, 0, 0, {}}, nullptr, min, max)) {
    msg = MSG{nullptr, WM_QUIT, WPARAM(q.quitCode), 0, 0, {}};
    if (remove) q.quit = false;
    found = true;
  }
  if (!found) found = takeFrom(q.input, filter, min, max, remove, msg, input);
  if (!found) found = takePaintMessage(filter, min, max, msg);
  if (!found) found = takeDueTimer(filter, min, max, remove, msg);
  if (!found) return false;
  msg.time = DWORD(backend::driver().now());
  if (remove) {
    q.last = msg;
    q.lastInput = input;
    q.lastTime = msg.time;
    if (input) noteInputRetrieved(msg);
  }
  return true;
}

uint64_t idleRounds = 0;

void waitForWork() {
  presentSurfaces();
  uint64_t deadline = nextTimerDeadline();
  uint64_t now = backend::driver().now();
  backend::Event event;
  int64_t timeout = deadline == UINT64_MAX ? 3'600'000 : int64_t(deadline > now ? deadline - now : 0);
  if (backend::driver().waitEvent(event, timeout)) {
    handleBackendEvent(event);
    return;
  }
  // A test that leaves a modal window unanswered would otherwise spin on the blink timer forever.
  if (backend::isHeadless() && ++idleRounds > 200000) {
    std::fputs("headless: the message loop has waited for hours of test time; is a modal window left "
               "unanswered?\n", stderr);
    std::abort();
  }
  backend::driver().idleUntil(deadline);
}

}  // namespace

void postInputEvent(const backend::Event &event) {
  auto &input = queue().input;
  // Mouse moves are merged, as Windows does: only the newest position matters.
  if (event.type == backend::EventType::MouseMove && !input.empty() && input.back().raw &&
      input.back().event.type == backend::EventType::MouseMove && input.back().event.window == event.window) {
    input.back().event = event;
    return;
  }
  input.push_back({MSG{}, true, true, event});
}

void postMessageFirst(const MSG &msg) { queue().posted.push_front({msg, false}); }

bool insideWindowProcedure() { return queue().depth > 0; }

bool lastRetrievedWasInput(const MSG &msg) {
  const Queue &q = queue();
  return q.lastInput && q.last.hwnd == msg.hwnd && q.last.message == msg.message && q.last.wParam == msg.wParam &&
         q.last.lParam == msg.lParam;
}

DWORD messageTime() { return queue().lastTime; }

LRESULT callWindowProcedure(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Queue &q = queue();
  ++q.depth;
  LRESULT result = proc(hwnd, message, wParam, lParam);
  --q.depth;
  return result;
}

}  // namespace win32

using namespace win32;

extern "C" {

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window *w = findWindow(hwnd);
  if (!w) return 0;
  return callWindowProcedure(w->proc, hwnd, message, wParam, lParam);
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? callWindowProcedure(proc, hwnd, message, wParam, lParam) : 0;
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !findWindow(hwnd)) return FALSE;
  queue().posted.push_back({MSG{hwnd, message, wParam, lParam, 0, {}}, false});
  return TRUE;
}

void WINAPI PostQuitMessage(int code) {
  queue().quit = true;
  queue().quitCode = code;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT flags) {
  if (!msg) return FALSE;
  if (peekOnce(*msg, hwnd, min, max, (flags & PM_REMOVE) != 0)) return TRUE;
  presentSurfaces();
  return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (hwnd && !findWindow(hwnd)) return -1;
  for (;;) {
    if (peekOnce(*msg, hwnd, min, max, true)) {
      if (msg->message != WM_TIMER && msg->message != WM_PAINT) idleRounds = 0;
      return msg->message != WM_QUIT;
    }
    waitForWork();
  }
}

BOOL WINAPI WaitMessage(void) {
  MSG msg;
  if (!peekOnce(msg, nullptr, 0, 0, false)) waitForWork();
  return TRUE;
}

DWORD WINAPI GetMessageTime(void) { return messageTime(); }

LRESULT WINAPI DispatchMessageA(const MSG *msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  Window *w = findWindow(msg->hwnd);
  if (!w) return 0;
  return callWindowProcedure(w->proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

}  // extern "C"
