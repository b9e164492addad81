// Waiting for what the program shows: polling a condition against a deadline, never a fixed sleep.
#ifndef OXBYTE_TESTS_DESKTOP_WAIT_H
#define OXBYTE_TESTS_DESKTOP_WAIT_H

#include <chrono>
#include <functional>

namespace desktop {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// A timeout stretched by OXBYTE_DESKTOP_SLOW (a factor, for slow builds such as the sanitizers').
Millis scaled(Millis timeout);

// Polls `condition` every 10 ms until it holds (true) or the scaled timeout passes (false).
bool waitUntil(const std::function<bool()> &condition, Millis timeout = 10s);

// True when `condition` holds at every poll for `duration`: for what must stay so, such as an open menu.
bool holdsFor(const std::function<bool()> &condition, Millis duration);

// A person's pause between two steps.
void pause(Millis duration);

}  // namespace desktop

#endif
