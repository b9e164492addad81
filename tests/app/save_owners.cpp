// Saves by users other than the file's owner, and what a saved file keeps. Whoever may write a file
// saves it without becoming its owner: another user's file open to all in a sticky folder, a file of a
// group the user belongs to. A folder its owner may write and pass through but not read still takes a
// save. The file's extended attributes and access list stay with it.
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/save_test.h"

namespace {

class SaveOwners : public SaveTest {
 protected:
  std::string files() const { return path("files"); }
  std::string document() const { return path("files/doc.bin"); }
};

struct Owned {
  uid_t uid;
  gid_t gid;
  mode_t mode;
};

bool give(const std::string &name, const Owned &owned) {
  return chown(name.c_str(), owned.uid, owned.gid) == 0 && chmod(name.c_str(), owned.mode) == 0;
}

TEST_F(SaveOwners, WhoeverMayWriteTheFileSavesItAndItsOwnerStays) {
  if (geteuid() != 0) GTEST_SKIP() << "other users' files are made by root";
  const struct Case {
    const char *label;
    Owned folder, file;
    std::vector<gid_t> groups;  // the saving user's, besides its own group
  } cases[] = {
      {"another user's file open to all, in a sticky folder", {0, 0, 01777}, {1000, 1000, 0666}, {}},
      {"a file of a group the user belongs to", {1000, 2000, 0775}, {1000, 2000, 0664}, {2000}},
      {"the user's own file, in a folder it may write and pass through but not read", {1234, 1234, 0300},
       {1234, 1234, 0600}, {}},
  };
  for (const Case &c : cases) {
    std::filesystem::remove_all(files());
    std::filesystem::create_directory(files());
    writeFile("files/doc.bin", before);
    ASSERT_TRUE(give(document(), c.file) && give(files(), c.folder)) << c.label;
    openAndEdit(document());
    Outcome outcome = saveInChild([&c] { return becomeUser(1234, 1234, c.groups); });
    close();
    struct stat saved = entryOf(document());
    EXPECT_TRUE(outcome.entered) << c.label;
    EXPECT_FALSE(outcome.told) << c.label;
    EXPECT_TRUE(outcome.greyed) << c.label;
    EXPECT_EQ(holding(document()), "new") << c.label;
    EXPECT_EQ(saved.st_uid, c.file.uid) << c.label;
    EXPECT_EQ(saved.st_gid, c.file.gid) << c.label;
    EXPECT_EQ(saved.st_mode & 07777, c.file.mode) << c.label;
    EXPECT_EQ(namesIn(files()), std::vector<std::string>{"doc.bin"}) << c.label;
  }
}

std::string attribute(const std::string &file, const char *name) {
  ssize_t size = getxattr(file.c_str(), name, nullptr, 0);
  if (size < 0) return std::string("none: ") + strerror(errno);
  std::string value(size_t(size), '\0');
  size = getxattr(file.c_str(), name, value.data(), value.size());
  return size < 0 ? std::string("none: ") + strerror(errno) : value.substr(0, size_t(size));
}

// A POSIX access ACL as the kernel takes it: the owner rw-, user 1000 r--, the group r--, the mask r--,
// others nothing.
std::string accessList() {
  std::string acl;
  auto put = [&acl](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) acl += char((value >> (8 * i)) & 0xFF);
  };
  put(2, 4);  // the format's version
  const struct {
    uint16_t tag, permissions;
    uint32_t id;
  } entries[] = {{0x01, 6, ~0u}, {0x02, 4, 1000}, {0x04, 4, ~0u}, {0x10, 4, ~0u}, {0x20, 0, ~0u}};
  for (const auto &entry : entries) put(entry.tag, 2), put(entry.permissions, 2), put(entry.id, 4);
  return acl;
}

TEST_F(SaveOwners, ExtendedAttributesAndTheAccessListStay) {
  std::filesystem::create_directory(files());
  writeFile("files/doc.bin", before);
  const std::string origin = "scanned at the front desk";
  if (setxattr(document().c_str(), "user.origin", origin.data(), origin.size(), 0) != 0)
    GTEST_SKIP() << "no user attributes here: " << strerror(errno);
  std::string acl = accessList();
  bool withAcl = setxattr(document().c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
  if (!withAcl) std::printf("[ save attributes ] no access lists here (%s): only the user attribute\n", strerror(errno));
  std::string aclBefore = attribute(document(), "system.posix_acl_access");
  mode_t mode = entryOf(document()).st_mode;
  openAndEdit(document());
  EXPECT_FALSE(save());
  close();
  EXPECT_EQ(holding(document()), "new");
  EXPECT_EQ(attribute(document(), "user.origin"), origin);
  if (withAcl) {
    EXPECT_EQ(attribute(document(), "system.posix_acl_access"), aclBefore);
  }
  EXPECT_EQ(entryOf(document()).st_mode, mode);
}

}  // namespace
