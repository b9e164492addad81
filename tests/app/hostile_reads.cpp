// Files that change while the program reads them (another program writing at the same moment), made to
// happen on demand through the stand-in's POSIX seam: between the size being measured and the bytes
// arriving, the file grows or shrinks. The document is the bytes of the size that was measured, or the
// file is refused; it is never a mixture padded with whatever the buffer held.
#include <unistd.h>

#include <string>

#include "resources/resource.h"
#include "tests/app/posix_faults.h"
#include "tests/app/program.h"
#include "tests/support/quoted.h"

namespace {

using HostileReads = ProgramTest;

TEST_F(HostileReads, AFileThatChangesSizeDuringTheReadOpensWhatWasMeasuredOrIsRefused) {
  const std::string original = std::string(3000, 'a') + std::string(3000, 'b');
  struct Case {
    const char *label;
    off_t newSize;  // the file's size once the first read begins
    bool opens;
  } cases[] = {
      {"grows", 9000, true},
      {"shrinks", 1000, false},
      {"empties", 0, false},
  };
  for (const Case &c : cases) {
    std::string file = writeFile("moving.bin", original);
    if (!c.opens) answerWith(IDOK);
    bool started;
    {
      posix_faults::Injector injector;
      injector.beforeRead = [&](int read) {
        if (read == 1) {
          ASSERT_EQ(truncate(file.c_str(), c.newSize), 0);
        }
      };
      started = start(quotedPath(file));
    }
    ASSERT_TRUE(started) << c.label;
    EXPECT_EQ(view() != nullptr, c.opens) << c.label;
    if (c.opens) {
      EXPECT_EQ(caption(), "Oxbyte - moving.bin [6000 字节]") << c.label;
      // Saving writes back exactly the bytes that were read.
      type("4");
      type("1");
      command(IDM_SAVE);
      std::string saved = original;
      saved[0] = 'A';
      EXPECT_EQ(readFile(file), saved) << c.label;
    } else {
      EXPECT_TRUE(dialogs.back().says("无法读取文件:moving.bin!")) << c.label;
    }
    quit();
  }
}

}  // namespace
