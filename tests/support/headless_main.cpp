// Test entry point for tests that create windows: everything draws on the headless backend.
#include <gtest/gtest.h>

#include "backend/driver.h"

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  win32::backend::useHeadless();
  return RUN_ALL_TESTS();
}
