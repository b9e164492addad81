// Tests for the last-error code.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

namespace {

// The two threads hand over through atomics alone: starting and joining a thread are themselves system
// calls, which may set the last error of the thread that makes them (on Windows, the C runtime's do).
TEST(LastError, IsKeptPerThread) {
  std::atomic<bool> mainHasSet{false}, otherHasSet{false};
  DWORD seenByOtherThread = 1;
  std::thread other([&] {
    while (!mainHasSet) {
    }
    seenByOtherThread = GetLastError();
    SetLastError(ERROR_ACCESS_DENIED);
    otherHasSet = true;
  });
  SetLastError(ERROR_DISK_FULL);
  mainHasSet = true;
  while (!otherHasSet) {
  }
  DWORD seenByMainThread = GetLastError();
  other.join();
  EXPECT_EQ(seenByOtherThread, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(seenByMainThread, static_cast<DWORD>(ERROR_DISK_FULL));
}

}  // namespace
