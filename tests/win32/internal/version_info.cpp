// Version resources: the program's string table and broken blocks.
#include "user32/version_info.h"

#include <gtest/gtest.h>

#include "kernel32/resource.h"
#include "win32/byte_builder.h"

namespace {

std::span<const uint8_t> programVersion() { return win32::findResourceData(RT_VERSION, MAKEINTRESOURCEA(1)); }

TEST(VersionInfo, ProgramStrings) {
  struct Case {
    const char *key;
    const char *value;
  } cases[] = {
      {"InternalName", "Oxbytepad"},
      {"FileVersion", "1, 0, 1, 4"},
      {"ProductVersion", "1, 0, 1, 4"},
      {"productname", "Oxbyte"},  // keys compare without regard to case
  };
  for (const Case &c : cases) EXPECT_EQ(win32::versionString(programVersion(), c.key), c.value) << c.key;
  for (const char *key : {"Comments", "CompanyName", "FileDescription", "OriginalFilename"}) {
    std::optional<std::string> value = win32::versionString(programVersion(), key);
    ASSERT_TRUE(value) << key;
    EXPECT_FALSE(value->empty()) << key;
    EXPECT_EQ(value->find('\0'), std::string::npos) << key;
  }
  EXPECT_FALSE(win32::versionString(programVersion(), "LegalCopyright"));
  EXPECT_FALSE(win32::versionString(programVersion(), "Translation"));  // a VarFileInfo value, not a string
}

// A block as resource compilers write it: lengths, type, key, padding, value, padding, children.
ByteBuilder block(std::u16string_view key, uint16_t type, std::span<const uint8_t> value, uint16_t valueLength,
                  std::span<const uint8_t> children) {
  ByteBuilder body;
  body.u16(0).u16(valueLength).u16(type).text(key).align4().append(value).align4().append(children);
  uint16_t length = static_cast<uint16_t>(body.size());
  body.bytes[0] = length & 0xFF;
  body.bytes[1] = length >> 8;
  return body;
}

ByteBuilder stringBlock(std::u16string_view key, std::u16string_view value) {
  ByteBuilder text;
  text.text(value);
  return block(key, 1, text.span(), static_cast<uint16_t>(value.size() + 1), {});
}

ByteBuilder versionWith(std::span<const uint8_t> strings) {
  ByteBuilder table = block(u"040904b0", 1, {}, 0, strings);
  ByteBuilder info = block(u"StringFileInfo", 1, {}, 0, table.span());
  return block(u"VS_VERSION_INFO", 0, {}, 0, info.span());
}

TEST(VersionInfo, ReadsHandMadeBlocksAndStopsAtTheirEnds) {
  ByteBuilder strings = stringBlock(u"A", u"first");
  strings.align4().append(stringBlock(u"Second", u"two").span());
  ByteBuilder version = versionWith(strings.span());
  EXPECT_EQ(win32::versionString(version.span(), "A"), "first");
  EXPECT_EQ(win32::versionString(version.span(), "Second"), "two");

  // A value length larger than its block is cut at the block's end rather than read beyond it.
  ByteBuilder text;
  text.u16('o').u16('k');
  ByteBuilder overlong = versionWith(block(u"K", 1, text.span(), 500, {}).span());
  EXPECT_EQ(win32::versionString(overlong.span(), "K"), "ok");
}

TEST(VersionInfo, RefusesBrokenBlocks) {
  ByteBuilder entry = stringBlock(u"Key", u"Value");
  ByteBuilder version = versionWith(entry.span());
  ASSERT_TRUE(win32::versionString(version.span(), "Key"));
  ByteBuilder zeroLength = version;
  zeroLength.bytes[0] = zeroLength.bytes[1] = 0;
  ByteBuilder childPastParent = version;
  childPastParent.bytes[version.size() - entry.size()] += 4;  // the string block claims 4 more bytes
  EXPECT_FALSE(win32::versionString(zeroLength.span(), "Key"));
  EXPECT_FALSE(win32::versionString(childPastParent.span(), "Key"));
  EXPECT_FALSE(win32::versionString({}, "Key"));
  std::span<const uint8_t> real = programVersion();
  for (size_t length = 0; length < real.size(); ++length) {
    std::vector<uint8_t> cut(real.begin(), real.begin() + length);
    EXPECT_FALSE(win32::versionString(cut, "ProductName")) << length;
  }
}

}  // namespace
