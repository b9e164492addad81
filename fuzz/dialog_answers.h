// Fuzzing: answers every modal dialog and message box of the program from the fuzz input, so that no
// sequence of input ever leaves a modal loop waiting for a user.
#ifndef OXBYTE_FUZZ_DIALOG_ANSWERS_H
#define OXBYTE_FUZZ_DIALOG_ANSWERS_H

#include <windows.h>

#include <string>
#include <vector>

#include "fuzz_input.h"

// What a message box or dialog showed: its caption and the texts of its static controls.
struct DialogSeen {
  std::string caption;
  std::vector<std::string> texts;
};

// Installs the WH_CBT hook that notes each dialog as it is activated. Call once.
void startAnsweringDialogs();
// Starts a thread timer that answers the innermost waiting dialog, with decisions from `input` (null
// stops it); the Open dialog is given the document's path, another name in its folder, or Cancel.
void answerDialogsFrom(FuzzInput *input, const std::string &documentPath);
// The dialogs answered since the last call.
std::vector<DialogSeen> takeDialogsSeen();

#endif
