// Test entry point for tests that create windows: everything draws on the headless backend.
#include <gtest/gtest.h>

#include <cstdlib>

#include "backend/driver.h"

// The texts user32 shows itself follow the user's locale: the tests see C.UTF-8, whatever the
// developer's own, unless the run chooses one with LC_ALL.
int main(int argc, char **argv) {
  setenv("LC_ALL", "C.UTF-8", 0);
  testing::InitGoogleTest(&argc, argv);
  win32::backend::useHeadless();
  return RUN_ALL_TESTS();
}
