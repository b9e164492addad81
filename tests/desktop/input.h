// Keyboard and mouse through XTEST, at a person's pace: every step is flushed to the server and followed
// by a short pause, and a modifier is held down around the key it modifies.
#ifndef OXBYTE_TESTS_DESKTOP_INPUT_H
#define OXBYTE_TESTS_DESKTOP_INPUT_H

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <string_view>
#include <vector>

#include "tests/desktop/wait.h"

namespace desktop {

class Typist {
 public:
  explicit Typist(Display *x, Millis pace = 80ms) : x_(x), pace_(pace) {}

  void keyDown(KeySym key);
  void keyUp(KeySym key);
  void tap(KeySym key);
  // Modifier down, pause, key down and up, pause, modifier up: how a person types Alt+F or Ctrl+G.
  void chord(KeySym modifier, KeySym key);
  // Digits and lower-case letters, one tap each.
  void type(std::string_view text);

  // Key changes sent back to back, `gap` apart (no pause at all by default), as fast typing reaches a busy
  // program; then the usual pause, unless another is given.
  struct KeyChange {
    KeySym key;
    bool down;
  };
  void burst(const std::vector<KeyChange> &changes, Millis gap = 0ms, Millis after = Millis(-1));

  void moveTo(int x, int y);
  void click(int x, int y, unsigned button = 1);

 private:
  void send(KeySym key, bool down);

  Display *x_;
  Millis pace_;
};

}  // namespace desktop

#endif
