// user32: hooks. Only WH_CBT is provided; the newest hook is called first and passes the call on with
// CallNextHookEx.
#include "user32/hook.h"

#include <algorithm>
#include <list>

namespace win32 {
namespace {

struct Hook {
  int id;
  HOOKPROC proc;
};

// The chain owns its hooks, so that one never removed goes with the thread, as on Windows.
std::list<Hook> &hooks() {
  static std::list<Hook> chain;  // newest first
  return chain;
}

std::list<Hook>::iterator findHook(HHOOK handle) {
  auto &chain = hooks();
  return std::find_if(chain.begin(), chain.end(),
                      [handle](Hook &hook) { return reinterpret_cast<HHOOK>(&hook) == handle; });
}

LRESULT callFrom(std::list<Hook>::iterator it, int code, WPARAM wParam, LPARAM lParam) {
  for (; it != hooks().end(); ++it)
    if (it->id == WH_CBT) return it->proc(code, wParam, lParam);
  return 0;
}

}  // namespace

LRESULT callCbtHook(int code, WPARAM wParam, LPARAM lParam) { return callFrom(hooks().begin(), code, wParam, lParam); }

}  // namespace win32

using namespace win32;

extern "C" {

HHOOK WINAPI SetWindowsHookExA(int id, HOOKPROC proc, HINSTANCE, DWORD) {
  if (id != WH_CBT || !proc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  hooks().push_front(Hook{id, proc});
  return reinterpret_cast<HHOOK>(&hooks().front());
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK handle) {
  auto it = findHook(handle);
  if (it == hooks().end()) return FALSE;
  hooks().erase(it);
  return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK handle, int code, WPARAM wParam, LPARAM lParam) {
  auto it = findHook(handle);
  if (it == hooks().end()) return 0;
  return callFrom(std::next(it), code, wParam, lParam);
}

}  // extern "C"
