// Keyboard and mouse through XTEST.
#include "tests/desktop/input.h"

#include <X11/extensions/XTest.h>

namespace desktop {

void Typist::send(KeySym key, bool down) {
  XTestFakeKeyEvent(x_, XKeysymToKeycode(x_, key), down, CurrentTime);
  XFlush(x_);
}

void Typist::keyDown(KeySym key) {
  send(key, true);
  pause(pace_);
}

void Typist::keyUp(KeySym key) {
  send(key, false);
  pause(pace_);
}

void Typist::tap(KeySym key) {
  send(key, true);
  pause(pace_ / 2);
  send(key, false);
  pause(pace_);
}

void Typist::chord(KeySym modifier, KeySym key) {
  keyDown(modifier);
  pause(pace_ / 2);
  tap(key);
  pause(pace_ / 2);
  keyUp(modifier);
}

void Typist::type(std::string_view text) {
  for (char c : text) tap(XStringToKeysym(std::string(1, c).c_str()));
}

void Typist::burst(const std::vector<KeyChange> &changes, Millis gap, Millis after) {
  for (const KeyChange &change : changes) {
    XTestFakeKeyEvent(x_, XKeysymToKeycode(x_, change.key), change.down, CurrentTime);
    if (gap > 0ms) {
      XFlush(x_);
      pause(gap);
    }
  }
  XFlush(x_);
  pause(after >= 0ms ? after : pace_);
}

void Typist::moveTo(int x, int y) {
  XTestFakeMotionEvent(x_, -1, x, y, CurrentTime);
  XFlush(x_);
  pause(pace_);
}

void Typist::click(int x, int y, unsigned button) {
  moveTo(x, y);
  XTestFakeButtonEvent(x_, button, True, CurrentTime);
  XFlush(x_);
  pause(pace_ / 2);
  XTestFakeButtonEvent(x_, button, False, CurrentTime);
  XFlush(x_);
  pause(pace_);
}

}  // namespace desktop
