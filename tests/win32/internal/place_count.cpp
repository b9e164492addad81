// The count of default places that programs on one display share through a file of the user's.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "backend/sdl/place_count.h"

namespace {

using win32::backend::placeCountFile;
using win32::backend::takeSharedPlace;
namespace fs = std::filesystem;

TEST(PlaceCount, EachTakerGetsTheNextNumberAndStrangeFilesAreRefused) {
  char made[] = "/tmp/oxbyte-places-XXXXXX";
  ASSERT_NE(mkdtemp(made), nullptr);
  fs::path folder = made, count = folder / "count";
  EXPECT_EQ(takeSharedPlace(count.string()), 0u);
  // Two programs taking places at once never get the same number.
  constexpr int kEach = 50;
  pid_t child = fork();
  if (child == 0) {
    for (int i = 0; i < kEach; ++i) takeSharedPlace(count.string());
    _exit(0);
  }
  for (int i = 0; i < kEach; ++i) takeSharedPlace(count.string());
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(takeSharedPlace(count.string()), 1u + 2 * kEach);
  std::ofstream(folder / "garbled") << "not a number";
  EXPECT_EQ(takeSharedPlace((folder / "garbled").string()), 0u);
  // Someone else's link, a folder, or a place that cannot be written: the program counts alone.
  fs::create_symlink(count, folder / "link");
  fs::create_directory(folder / "folder");
  for (const char *refused : {"link", "folder", "missing/count"})
    EXPECT_EQ(takeSharedPlace((folder / refused).string()), std::nullopt) << refused;
  fs::remove_all(folder);
}

TEST(PlaceCount, OneFilePerUserAndDisplay) {
  const char *runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string saved = runtime ? runtime : "";
  setenv("XDG_RUNTIME_DIR", "/run/user/1000", 1);
  EXPECT_EQ(placeCountFile("host:10.0"), "/run/user/1000/oxbyte-places-host_10_0");
  EXPECT_EQ(placeCountFile(""), "");
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(placeCountFile(":0"), "/tmp/oxbyte-places-_0-" + std::to_string(getuid()));
  if (runtime) setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

}  // namespace
