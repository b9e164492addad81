// The file named on the command line.
#include "app/command_line.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace {

struct InFolder {
  explicit InFolder(const char *folder) {
    char *here = getcwd(nullptr, 0);
    saved = here;
    free(here);
    EXPECT_EQ(chdir(folder), 0);
  }
  ~InFolder() { EXPECT_EQ(chdir(saved.c_str()), 0); }
  std::string saved;
};

TEST(CommandLine, QuotesAndPaths) {
  InFolder here("/tmp");
  struct Case {
    std::string line;
    CommandLineFile result;
    std::string path;
  } cases[] = {
      {"", CommandLineFile::None, ""},
      {"/data/file.bin", CommandLineFile::Open, "/data/file.bin"},
      {"\"/data/a file.bin\"", CommandLineFile::Open, "/data/a file.bin"},
      {"\"/data/a b\" more", CommandLineFile::Open, "/data/a b\" mor"},  // loses only its first and last character
      {"file.bin", CommandLineFile::Open, "/tmp/file.bin"},            // a bare name is looked up here
      {"\"a b.bin\"", CommandLineFile::Open, "/tmp/a b.bin"},
      {"\"", CommandLineFile::Open, "/tmp/"},
      {"/" + std::string(254, 'x'), CommandLineFile::Open, "/" + std::string(254, 'x')},
      {"/" + std::string(255, 'x'), CommandLineFile::TooLong, ""},      // refused, never truncated
      {std::string(300, 'x'), CommandLineFile::TooLong, ""},
  };
  for (const Case &c : cases) {
    char pending[256] = "stale";
    EXPECT_EQ(pathFromCommandLine(c.line.c_str(), pending), c.result) << c.line;
    EXPECT_EQ(std::string(pending), c.path) << c.line;
  }
}

TEST(CommandLine, ARootFolderGivesADoubledSeparator) {
  InFolder root("/");
  char pending[256];
  EXPECT_EQ(pathFromCommandLine("name", pending), CommandLineFile::Open);
  EXPECT_STREQ(pending, "//name");
}

}  // namespace
