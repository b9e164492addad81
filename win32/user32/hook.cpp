// user32: hooks. Only WH_CBT is provided; the newest hook is called first and passes the call on with
// CallNextHookEx.
#include "user32/hook.h"

#include <algorithm>
#include <vector>

namespace win32 {
namespace {

struct Hook {
  int id;
  HOOKPROC proc;
};

std::vector<Hook *> &hooks() {
  static std::vector<Hook *> chain;  // newest first
  return chain;
}

LRESULT callFrom(size_t index, int code, WPARAM wParam, LPARAM lParam) {
  auto &chain = hooks();
  for (; index < chain.size(); ++index)
    if (chain[index]->id == WH_CBT) return chain[index]->proc(code, wParam, lParam);
  return 0;
}

}  // namespace

LRESULT callCbtHook(int code, WPARAM wParam, LPARAM lParam) { return callFrom(0, code, wParam, lParam); }

}  // namespace win32

using namespace win32;

extern "C" {

HHOOK WINAPI SetWindowsHookExA(int id, HOOKPROC proc, HINSTANCE, DWORD) {
  if (id != WH_CBT || !proc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto *hook = new Hook{id, proc};
  hooks().insert(hooks().begin(), hook);
  return reinterpret_cast<HHOOK>(hook);
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK handle) {
  auto &chain = hooks();
  auto it = std::find(chain.begin(), chain.end(), reinterpret_cast<Hook *>(handle));
  if (it == chain.end()) return FALSE;
  delete *it;
  chain.erase(it);
  return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK handle, int code, WPARAM wParam, LPARAM lParam) {
  auto &chain = hooks();
  auto it = std::find(chain.begin(), chain.end(), reinterpret_cast<Hook *>(handle));
  if (it == chain.end()) return 0;
  return callFrom(size_t(it - chain.begin()) + 1, code, wParam, lParam);
}

}  // extern "C"
