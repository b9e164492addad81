// Fuzzing: answers every modal dialog and message box of the program from the fuzz input. A dialog that is
// still open after a few answers is cancelled, so every modal loop ends.
#include "input_answers.h"

#include "resources/resource.h"

namespace {

constexpr int OPEN_NAME_BOX = 0x480;  // the Open dialog's file name box
constexpr int MOST_ANSWERS = 3;

FuzzInput *input = nullptr;
std::string documentPath;
std::vector<DialogSeen> seen;

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

void answerFromInput(HWND dialog, int offeredBefore) {
  if (offeredBefore == 0) seen.push_back(seeDialog(dialog));
  answer(dialog, input->empty() || offeredBefore >= MOST_ANSWERS);
}

}  // namespace

// The timer starts afresh with each run, so that a run's answers come at the same moments every time.
void answerDialogsFrom(FuzzInput *source, const std::string &document) {
  answerDialogs(source ? DialogRule(answerFromInput) : DialogRule(), Offer::Steadily);
  input = source;
  documentPath = document;
}

std::vector<DialogSeen> takeDialogsSeen() {
  std::vector<DialogSeen> taken;
  taken.swap(seen);
  return taken;
}
