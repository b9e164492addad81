// A dialog is activated while it is still being set up (its WM_INITDIALOG may set the focus, which
// activates it), so it is answered later, from a timer: timers come only when a modal loop has nothing
// else to do, and the dialog is complete and shown by then.
#include "tests/support/dialog_answers.h"

#include <cstring>
#include <map>
#include <utility>

namespace {

constexpr UINT OFFER_DELAY_MS = 10;

// A hook's and a thread timer's procedures carry no context of their own.
struct Answering {
  DialogRule rule;
  HHOOK hook = nullptr;
  UINT_PTR steadyTimer = 0;
  std::vector<HWND> activated;  // in the order of activation, again on each activation
  std::map<HWND, int> offered;
} state;

std::string windowText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

bool hasClass(HWND hwnd, const char *name) {
  char found[64] = {};
  GetClassNameA(hwnd, found, sizeof found);
  return std::strcmp(found, name) == 0;
}

HWND innermostDialog() {
  for (auto it = state.activated.begin(); it != state.activated.end();) {
    if (IsWindow(*it)) {
      ++it;
      continue;
    }
    state.offered.erase(*it);  // a handle may come back for a new window
    it = state.activated.erase(it);
  }
  for (auto it = state.activated.rbegin(); it != state.activated.rend(); ++it)
    if (IsWindowEnabled(*it)) return *it;
  return nullptr;
}

void CALLBACK offerInnermostDialog(HWND, UINT, UINT_PTR id, DWORD) {
  if (id != state.steadyTimer) KillTimer(nullptr, id);
  HWND dialog = state.rule ? innermostDialog() : nullptr;
  if (!dialog) return;
  int offeredBefore = state.offered[dialog]++;
  state.rule(dialog, offeredBefore);
}

LRESULT CALLBACK noteActivation(int code, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && hasClass(hwnd, "#32770")) {
    state.activated.push_back(hwnd);
    if (!state.steadyTimer) SetTimer(nullptr, 0, OFFER_DELAY_MS, offerInnermostDialog);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool DialogSeen::says(const std::string &text) const {
  for (const std::string &t : texts)
    if (t == text) return true;
  return false;
}

DialogSeen seeDialog(HWND dialog) {
  DialogSeen seen{windowText(dialog), {}};
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (hasClass(child, "Static") && !windowText(child).empty()) seen.texts.push_back(windowText(child));
  return seen;
}

void answerDialogs(DialogRule rule, Offer when) {
  if (state.steadyTimer) KillTimer(nullptr, state.steadyTimer);
  state.steadyTimer = 0;
  state.activated.clear();
  state.offered.clear();
  state.rule = std::move(rule);
  if (!state.rule) {
    if (state.hook) UnhookWindowsHookEx(state.hook);
    state.hook = nullptr;
    return;
  }
  if (!state.hook) state.hook = SetWindowsHookExA(WH_CBT, noteActivation, nullptr, GetCurrentThreadId());
  if (when == Offer::Steadily) state.steadyTimer = SetTimer(nullptr, 0, OFFER_DELAY_MS, offerInnermostDialog);
}
