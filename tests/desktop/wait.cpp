// Waiting for what the program shows.
#include "tests/desktop/wait.h"

#include <cstdlib>
#include <thread>

namespace desktop {

namespace {

constexpr Millis kPoll{10};

double slowFactor() {
  const char *text = std::getenv("OXBYTE_DESKTOP_SLOW");
  double factor = text ? std::atof(text) : 1.0;
  return factor >= 1.0 ? factor : 1.0;
}

}  // namespace

Millis scaled(Millis timeout) { return Millis(static_cast<long long>(timeout.count() * slowFactor())); }

bool waitUntil(const std::function<bool()> &condition, Millis timeout) {
  auto deadline = std::chrono::steady_clock::now() + scaled(timeout);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPoll);
  }
}

bool holdsFor(const std::function<bool()> &condition, Millis duration) {
  auto end = std::chrono::steady_clock::now() + duration;
  do {
    if (!condition()) return false;
    std::this_thread::sleep_for(kPoll);
  } while (std::chrono::steady_clock::now() < end);
  return condition();
}

void pause(Millis duration) { std::this_thread::sleep_for(duration); }

}  // namespace desktop
