// Test helpers for dialogs and controls: an owner window, answering modal dialogs from a WH_CBT hook,
// posting keys, running code once everything is painted, reading pixels and saving screenshots. Public
// Win32 calls and the screen seam only, so the tests that use them also run on Windows.
#ifndef OXBYTE_TESTS_WIN32_DIALOG_TEST_SUPPORT_H
#define OXBYTE_TESTS_WIN32_DIALOG_TEST_SUPPORT_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace dialog_test {

// A visible top-level window that owns the dialogs of a test; it records the messages it is sent.
class OwnerWindow {
 public:
  OwnerWindow();
  ~OwnerWindow();
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

// While alive, runs `answer` the first time each dialog window ("#32770") is activated. Tests answer by
// posting keys or commands, which the dialog's own loop then handles. Its end cancels the whenIdle steps
// still waiting.
class OnDialogActivated {
 public:
  explicit OnDialogActivated(std::function<void(HWND dialog)> answer);
  ~OnDialogActivated();
  OnDialogActivated(const OnDialogActivated &) = delete;
  OnDialogActivated &operator=(const OnDialogActivated &) = delete;
};

// Posts the key's WM_KEYDOWN and WM_KEYUP to `hwnd` (the focused control when null).
void postKey(HWND hwnd, int vk);
// Posts a character (WM_CHAR) or an Alt+character (WM_SYSCHAR).
void postChar(HWND hwnd, char c, bool alt = false);
// Runs `then` once nothing but timers is waiting, so everything is painted by then.
void whenIdle(std::function<void()> then);
// Runs every queued message (posted, input, paint), not waiting for timers.
void pumpMessages();

// While alive, GetKeyState reports the keys as held down.
class HeldKeys {
 public:
  explicit HeldKeys(std::vector<int> keys);
  ~HeldKeys();

 private:
  BYTE saved_[256];
};

// A pixel as shown on the screen, at a point of the window's client area; the point may lie outside it,
// on the window's border or on its parent, as long as it is inside its top-level window.
COLORREF clientPixel(HWND hwnd, int x, int y);
// The pixels of a client rectangle that are not `background`.
int countPixelsNot(HWND hwnd, const RECT &rect, COLORREF background);
int countPixels(HWND hwnd, const RECT &rect, COLORREF color);
int countPixelsWhere(HWND hwnd, const RECT &rect, const std::function<bool(COLORREF)> &matches);

// Writes the top-level window's pixels to $OXBYTE_SCREENSHOT_DIR/<name>.bmp when that variable is set;
// returns whether a file was written.
bool saveScreenshot(HWND top, const std::string &name);

// The window text of a control.
std::string textOf(HWND hwnd);
// The height of a line in the control's font, which is the height of a list's items.
int lineHeight(HWND control);
// The control's rectangle in its parent's client area.
RECT placeOf(HWND control);

// A dialog procedure driven by a script: it records the commands it receives and ends the dialog with the
// identifier of the commands listed in `ending`.
struct DialogScript {
  INT_PTR initResult = TRUE;
  int focusOnInit = 0;  // a control SetFocus gives the focus to in WM_INITDIALOG
  std::function<void(HWND dialog, LPARAM param)> onInit;
  std::vector<int> ending = {IDOK, IDCANCEL, IDYES, IDNO};
  std::vector<std::pair<int, int>> commands;  // (identifier, notification code) in order
  int initFocusId = 0;                        // the control WM_INITDIALOG's wParam names

  std::vector<int> clicks() const;  // the identifiers of the BN_CLICKED commands
};
DialogScript &script();
INT_PTR CALLBACK scriptedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// A control of a template made in memory: a predefined class by its atom (0x80 button, 0x81 edit, 0x82
// static), or with atom 0 the class named by `className`; `units` is (x, y, width, height).
struct TemplateControl {
  WORD atom;
  int id;
  DWORD style;
  RECT units;
  std::string text, className;
};
// A visible control.
TemplateControl control(WORD atom, int id, DWORD style, RECT units, const char *text = "",
                        const char *className = "");

// A dialog template made in memory: a captioned pop-up of cx × cy dialog units at (x, y).
struct DialogTemplate {
  DWORD style = WS_POPUP | WS_CAPTION;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::vector<TemplateControl> controls;
};
inline DialogTemplate dialogTemplate(short cx, short cy, std::vector<TemplateControl> controls) {
  return {WS_POPUP | WS_CAPTION, 0, 0, cx, cy, std::move(controls)};
}
// DialogBoxIndirectParamA on the template, which has neither a caption nor a font of its own.
INT_PTR dialogBoxIndirect(const DialogTemplate &tmpl, HWND owner, DLGPROC proc = scriptedDialogProc,
                          LPARAM param = 0);

// One step a test user takes in a dialog: a key, a character, an Alt+character, or any code.
struct Action {
  enum Kind { Key, Char, AltChar, Run } kind;
  int value = 0;
  std::function<void()> run = nullptr;
};
inline Action key(int vk) { return {Action::Key, vk}; }
inline Action character(char c) { return {Action::Char, c}; }
inline Action altCharacter(char c) { return {Action::AltChar, c}; }
inline Action run(std::function<void()> f) { return {Action::Run, 0, std::move(f)}; }
// GetKeyState reports the key held down from this step until its release step.
Action holdKey(int vk);
Action releaseKey(int vk);

// The value a dialog that was still open after the last action is ended with.
constexpr INT_PTR kStillOpen = 999;
// Plays the actions one at a time, each once the one before is fully handled (keys go to the control
// with the focus), then ends a dialog that is still open with kStillOpen.
void play(HWND dialog, std::vector<Action> actions);
// Runs DialogBoxParamA on a program template with the scripted procedure, playing the actions. The
// program opens the About box with its module handle (its icon comes from there), the others with none.
INT_PTR runProgramDialog(int templateId, HWND owner, std::vector<Action> actions, LPARAM param = 0,
                         HINSTANCE instance = nullptr);

}  // namespace dialog_test

#endif
