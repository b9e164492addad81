// Fuzzing: answers every modal dialog and message box of the program from the fuzz input, so that no
// sequence of input ever leaves a modal loop waiting for a user.
#ifndef OXBYTE_FUZZ_INPUT_ANSWERS_H
#define OXBYTE_FUZZ_INPUT_ANSWERS_H

#include <string>
#include <vector>

#include "fuzz_input.h"
#include "tests/support/dialog_answers.h"

// Answers the innermost waiting dialog every 10 ms with decisions from `input` (null stops); the Open
// dialog is given the document's path, another name in its folder, or Cancel.
void answerDialogsFrom(FuzzInput *input, const std::string &documentPath);
// The dialogs answered since the last call.
std::vector<DialogSeen> takeDialogsSeen();

#endif
