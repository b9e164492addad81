// The program's dialogs and message boxes, noted as each is activated and answered once it is shown: the
// one way the program tests, the fuzz target and the benchmarks get past the program's modal windows. It
// uses only the public Win32 API, so the program tests built for Windows share it too.
#ifndef OXBYTE_TESTS_SUPPORT_DIALOG_ANSWERS_H
#define OXBYTE_TESTS_SUPPORT_DIALOG_ANSWERS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What a dialog or message box showed: its caption and the texts of its static controls.
struct DialogSeen {
  std::string caption;
  std::vector<std::string> texts;
  bool says(const std::string &text) const;
};

DialogSeen seeDialog(HWND dialog);

// Answers the dialog it is given; `offeredBefore` counts the earlier offers of the same dialog (0 the
// first time), as an answer may leave it open.
using DialogRule = std::function<void(HWND dialog, int offeredBefore)>;

// When the innermost dialog is offered: 10 ms after each activation, or every 10 ms from the call on, for
// a rule whose answers may leave a dialog open with no other window activated after them.
enum class Offer { AfterEachActivation, Steadily };

// Installs a WH_CBT hook on this thread that notes each dialog and message box as it is activated, and
// offers the innermost one (the last activated that is still there and not disabled by another) to `rule`
// from a timer. A call replaces the rule, the timer and what was noted; an empty rule removes the hook.
void answerDialogs(DialogRule rule, Offer when = Offer::AfterEachActivation);

#endif
