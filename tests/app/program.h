// The real program started in-process, driven only through Win32 calls, with its
// modal dialogs answered through a WH_CBT hook.
#ifndef OXBYTE_TESTS_APP_PROGRAM_H
#define OXBYTE_TESTS_APP_PROGRAM_H

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "tests/support/dialog_answers.h"

class ProgramTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:

  // Starts the program with this command line; false when start-up failed.
  bool start(const std::string &commandLine = "");
  // Processes every waiting message as the program's own loop would.
  void pump();
  // Closes the frame and runs the loop to its end; returns the exit code.
  int quit();
  bool running() const { return program.frame && IsWindow(program.frame); }

  // Files in a fresh folder of this test.
  std::string path(const std::string &name) const {
    std::string full = folder;
    full += char(std::filesystem::path::preferred_separator);
    return full += name;
  }
  std::string writeFile(const std::string &name, const std::string &bytes);
  // The names in a folder, sorted.
  static std::vector<std::string> namesIn(const std::string &folder);
  std::string readFile(const std::string &fullPath) const;
  // Opens a file with File → Open, answering the Open dialog with its full path; `then`, when given,
  // answers the message box that follows (a refusal's warning).
  void openWithDialog(const std::string &fullPath, UINT then = 0);

  // The next dialog to appear gets this done to it (after its texts are recorded).
  void answerNext(std::function<void(HWND dialog)> answer);
  void answerWith(UINT command);
  void answerWithText(int editId, const std::string &text, UINT command = IDOK);
  // Dialogs that appeared, in order.
  std::vector<DialogSeen> dialogs;

  // Input as the frame receives it: keys through the accelerators and TranslateMessage.
  void key(int vk, bool ctrl = false);
  void type(const std::string &text);
  void command(int id);
  void click(int x, int y);
  void tick(int times = 1);

  // What a user sees.
  std::string caption() const;
  std::string statusText(int part) const;
  UINT menuState(int command) const;
  int buttonState(int command) const;
  HWND toolbar() const;
  HWND status() const;
  HWND view() const;
  SCROLLINFO scroll() const;
  COLORREF pixel(HWND hwnd, int x, int y) const;
  // The colours of one character cell of the view (8 × 16 pixels at cell x, visible row y): the
  // background, and the text colour when the cell has ink.
  struct Cell {
    COLORREF background;
    COLORREF text;
    bool ink;
  };
  Cell cell(int cellX, int row) const;
  // Whether cells starting at cellX on `row` show `text` exactly as TextOutA draws it in these colours.
  bool cellsShow(int cellX, int row, const std::string &text, COLORREF textColor = RGB(0, 0, 0),
                 COLORREF background = RGB(255, 255, 255)) const;

  Startup program{};
  std::string folder;

 protected:
  bool closing = false;
  std::deque<std::function<void(HWND)>> answers;

 private:
  void answer(HWND dialog);
  UINT_PTR watchdogTimer = 0;
};

#endif
