// A file shown in a real desktop window: its rows drawn, its name in the title, and drawn without
// OpenGL.
#include <fstream>
#include <regex>
#include <set>

#include "tests/desktop/desktop_test.h"
#include "tests/desktop/screenshot.h"

namespace desktop {
namespace {

using ShowingAFile = DesktopTestOnBoth;

// A row of the view holds digits when some pixel of its hexadecimal pane is the text's black.
bool rowHasDigits(const Screenshot &frame, int row) {
  Point first = hexDigit(row, 0), last = hexDigit(row, 15);
  for (int y = first.y - 8; y < first.y + 8; ++y)
    for (int x = first.x - 4; x < last.x + 12; ++x)
      if (frame.at(x, y) == rgb(0, 0, 0)) return true;
  return false;
}

TEST_P(ShowingAFile, DrawsOneRowPerSixteenBytes) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(GetParam()));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(40)));
  Screenshot frame = capture(x(), *geometry(x(), frame_));
  ASSERT_EQ(frame.width, kFrameWidth);
  for (int row = 0; row < 6; ++row) EXPECT_EQ(rowHasDigits(frame, row), row < 3) << "row " << row;
  EXPECT_EQ(title(x(), frame_), "Oxbyte - sample.bin [40 字节]");
  closeAndExpectCleanExit();
}

OXBYTE_ON_BOTH_DESKTOPS(ShowingAFile);

class FileShown : public DesktopTest {};

// A byte that is not UTF-8 shows as the replacement character; the rest of the name is kept.
TEST_F(FileShown, NameThatIsNotUtf8ShowsWithTheBadByteReplaced) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(WindowManager::Absent));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(20), "ab\xff.bin"));
  EXPECT_EQ(title(x(), frame_), "Oxbyte - ab\xEF\xBF\xBD.bin [20 字节]");
  closeAndExpectCleanExit();
}

// The frame is drawn through the plain software surface: no OpenGL library is ever loaded for it.
TEST_F(FileShown, DrawsWithoutLoadingOpenGl) {
  ASSERT_NO_FATAL_FAILURE(startDesktop(WindowManager::Absent));
  ASSERT_NO_FATAL_FAILURE(launchOn(sampleBytes(20)));
  std::ifstream maps("/proc/" + std::to_string(program_.pid()) + "/maps");
  const std::regex openGl(R"(/[^/]*(libGL|libEGL|libOpenGL|_dri\.so|libgallium|libglapi)[^/]*$)");
  std::set<std::string> loaded;
  std::smatch library;
  for (std::string line; std::getline(maps, line);)
    if (std::regex_search(line, library, openGl)) loaded.insert(library.str());
  EXPECT_TRUE(loaded.empty()) << "loaded: " << *loaded.begin() << " and " << loaded.size() - 1 << " more";
  closeAndExpectCleanExit();
}

}  // namespace
}  // namespace desktop
