// Fuzzing: answers every modal dialog and message box of the program from the fuzz input. A dialog is
// answered from a timer, because timers come only when a modal loop has nothing else to do: the dialog is
// complete and shown by then. A dialog that is still open after a few answers is cancelled, so every
// modal loop ends.
#include "dialog_answers.h"

#include <map>

#include "resources/resource.h"

namespace {

constexpr int OPEN_NAME_BOX = 0x480;  // the Open dialog's file name box
constexpr int MOST_ANSWERS = 3;

FuzzInput *input = nullptr;
UINT_PTR timer = 0;
std::string documentPath;
std::vector<HWND> activated;  // dialogs in the order they were activated
std::map<HWND, int> answersGiven;
std::vector<DialogSeen> seen;

std::string windowText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

bool isDialog(HWND hwnd) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return std::string(name) == "#32770";
}

LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && isDialog(hwnd)) activated.push_back(hwnd);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void record(HWND dialog) {
  DialogSeen shown{windowText(dialog), {}};
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::string(name) == "Static" && !windowText(child).empty()) shown.texts.push_back(windowText(child));
  }
  seen.push_back(shown);
}

void post(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, WPARAM(id), 0); }

// A full path for the Open dialog that stays inside the document's folder: the document, or a name from
// the input (mostly of no file at all).
std::string openName() {
  switch (input->pick(3)) {
    case 0: return documentPath;
    case 1: {
      std::string name = input->text(300);
      for (char &c : name)
        if (c == '/') c = '_';
      if (name.empty() || name == "." || name == "..") return "";
      return documentPath.substr(0, documentPath.rfind('/') + 1) + name;
    }
    default: return "";
  }
}

void answer(HWND dialog, bool giveUp) {
  if (GetDlgItem(dialog, IDC_FIND_TEXT)) {
    if (!giveUp) {
      SetDlgItemTextA(dialog, IDC_FIND_TEXT, input->text(300).c_str());
      unsigned mode = input->pick(4);
      if (mode == 1) post(dialog, IDC_FIND_HEX);
      if (mode == 2) post(dialog, IDC_FIND_ASCII);
    }
    post(dialog, giveUp || input->pick(4) == 0 ? IDCANCEL : IDOK);
  } else if (GetDlgItem(dialog, IDC_GOTO_TEXT)) {
    if (!giveUp) SetDlgItemTextA(dialog, IDC_GOTO_TEXT, input->text(300).c_str());
    post(dialog, giveUp || input->pick(4) == 0 ? IDCANCEL : IDOK);
  } else if (GetDlgItem(dialog, IDC_CONFIRM_TEXT)) {
    post(dialog, !giveUp && input->pick(2) ? IDYES : IDNO);
  } else if (GetDlgItem(dialog, OPEN_NAME_BOX)) {
    std::string name = giveUp ? "" : openName();
    SetDlgItemTextA(dialog, OPEN_NAME_BOX, name.c_str());
    post(dialog, name.empty() ? IDCANCEL : IDOK);
  } else {
    post(dialog, IDOK);  // the About box and every message box of the program close with OK
  }
}

// The innermost dialog is the last one activated that is still there and not disabled by another.
void CALLBACK answerWaitingDialog(HWND, UINT, UINT_PTR, DWORD) {
  for (auto it = activated.begin(); it != activated.end();) {
    if (IsWindow(*it)) {
      ++it;
      continue;
    }
    answersGiven.erase(*it);  // a handle may come back for a new window
    it = activated.erase(it);
  }
  for (auto it = activated.rbegin(); it != activated.rend(); ++it) {
    if (!IsWindowEnabled(*it)) continue;
    int count = ++answersGiven[*it];
    if (count == 1) record(*it);
    answer(*it, !input || input->empty() || count > MOST_ANSWERS);
    return;
  }
}

}  // namespace

void startAnsweringDialogs() { SetWindowsHookExA(WH_CBT, cbtHook, nullptr, GetCurrentThreadId()); }

// The timer starts afresh with each run, so that a run's answers come at the same moments every time.
void answerDialogsFrom(FuzzInput *source, const std::string &document) {
  if (timer) KillTimer(nullptr, timer);
  timer = source ? SetTimer(nullptr, 0, 10, answerWaitingDialog) : 0;
  input = source;
  documentPath = document;
  activated.clear();
  answersGiven.clear();
}

std::vector<DialogSeen> takeDialogsSeen() {
  std::vector<DialogSeen> taken;
  taken.swap(seen);
  return taken;
}
