// Test entry point on Windows: the tests draw on the real desktop (under Wine, a virtual X display).
#include <gtest/gtest.h>

#include "support/platform.h"

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  platform::beepCount();  // MessageBeep is counted from the start
  return RUN_ALL_TESTS();
}
