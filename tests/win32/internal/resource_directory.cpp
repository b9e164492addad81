// The stand-in's reading of the program's compiled .res image: handles that name no resource, and
// hand-made, broken images.
#include <gtest/gtest.h>

#include <cstring>

#include "kernel32/resource.h"
#include "win32/byte_builder.h"

extern "C" const uint8_t win32_module_resources[];
extern "C" const uint8_t win32_module_resources_end[];

namespace {

std::span<const uint8_t> programImage() { return {win32_module_resources, win32_module_resources_end}; }

// One .res record: sizes, type, name, padding, the fixed tail (language 0x0409), data, padding.
void addRecord(ByteBuilder &res, const ByteBuilder &typeAndName, std::span<const uint8_t> data) {
  ByteBuilder header;
  header.append(typeAndName.span()).align4().u32(0).u16(0x1030).u16(0x0409).u32(0).u32(0);
  res.u32(static_cast<uint32_t>(data.size())).u32(static_cast<uint32_t>(header.size() + 8));
  res.append(header.span()).append(data).align4();
}

ByteBuilder markerOnly() {
  ByteBuilder res;
  addRecord(res, ByteBuilder().ordinal(0).ordinal(0), {});
  return res;
}

// What a handle that is no resource's gives is left undefined by Windows; the stand-in refuses it.
TEST(LoadResource, AHandleOfNoResourceGivesNothing) {
  int notAResource = 0;
  SetLastError(1234);
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(&notAResource)), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, reinterpret_cast<HRSRC>(&notAResource)), 0u);
  EXPECT_EQ(GetLastError(), 1234u);
  EXPECT_TRUE(win32::findResourceData(RT_MENU, MAKEINTRESOURCEA(1)).empty());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(ResourceDirectory, StringNamesMatchWithoutRegardToCase) {
  ByteBuilder res = markerOnly();
  const uint8_t data[] = {1, 2, 3};
  addRecord(res, ByteBuilder().text(u"Custom").text(u"Logo"), data);  // padded to a DWORD
  addRecord(res, ByteBuilder().text(u"Custom").ordinal(1), data);
  std::optional<win32::ResourceDirectory> directory = win32::ResourceDirectory::parse(res.span());
  ASSERT_TRUE(directory);
  ASSERT_EQ(directory->entries().size(), 2u);
  EXPECT_EQ(directory->entries()[1].name, win32::ResourceId::fromOrdinal(1));
  DWORD error = 0;
  const win32::ResourceEntry *entry =
      directory->find(win32::ResourceId::fromName(u"CUSTOM"), win32::ResourceId::fromName(u"lOgO"), error);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->data.size(), 3u);
  EXPECT_EQ(entry->language, 0x0409);
  EXPECT_EQ(directory->find(win32::ResourceId::fromName(u"CUSTOM"), win32::ResourceId::fromOrdinal(2), error),
            nullptr);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(ResourceDirectory, EmptyImageHasNoResourcesAtAll) {
  std::optional<win32::ResourceDirectory> directory = win32::ResourceDirectory::parse({});
  ASSERT_TRUE(directory);
  DWORD error = 0;
  EXPECT_EQ(directory->find(win32::ResourceId::fromOrdinal(5), win32::ResourceId::fromOrdinal(1), error), nullptr);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST(ResourceDirectory, RefusesBrokenRecords) {
  const uint8_t data[] = {9, 9, 9, 9};
  ByteBuilder good = markerOnly();
  addRecord(good, ByteBuilder().ordinal(10).ordinal(1), data);
  size_t second = markerOnly().size();
  auto patched = [&](size_t offset, uint32_t value) {
    ByteBuilder copy = good;
    std::memcpy(copy.bytes.data() + offset, &value, 4);
    return copy;
  };
  ByteBuilder noMarker;
  addRecord(noMarker, ByteBuilder().ordinal(10).ordinal(1), data);
  ByteBuilder unterminatedName = markerOnly();
  unterminatedName.u32(0).u32(16).u16('A').u16('B').u16('C').u16('D').u16('E').u16('F').u16('G').u16('H');
  ByteBuilder trailingBytes = good;
  trailingBytes.u8(0).u8(0);
  ByteBuilder unpadded = markerOnly();  // three bytes of data, then the next record without padding
  unpadded.u32(3).u32(32).ordinal(10).ordinal(1).u32(0).u16(0).u16(0).u32(0).u32(0).u8(1).u8(2).u8(3);
  unpadded.u32(0).u32(32).ordinal(10).ordinal(2).u32(0).u16(0).u16(0).u32(0).u32(0);

  struct Case {
    const char *what;
    ByteBuilder image;
  } cases[] = {
      {"data size past the end", patched(second, 5)},
      {"huge data size", patched(second, 0xFFFFFFF0)},
      {"header size past the end", patched(second + 4, 0x1000)},
      {"header too short for its fields", patched(second + 4, 20)},
      {"header size below the size fields", patched(second + 4, 4)},
      {"no marker record", noMarker},
      {"name without terminator", unterminatedName},
      {"partial record at the end", trailingBytes},
      {"record after odd-sized data not on a DWORD", unpadded},
  };
  ASSERT_TRUE(win32::ResourceDirectory::parse(good.span()));
  for (const Case &c : cases) EXPECT_FALSE(win32::ResourceDirectory::parse(c.image.span())) << c.what;
}

// Every cut of the real image either fails or ends at a record boundary with fewer resources.
TEST(ResourceDirectory, TruncatedProgramImageNeverReadsPastTheCut) {
  std::span<const uint8_t> image = programImage();
  size_t all = win32::programResources().entries().size();
  ASSERT_GT(all, 10u);
  for (size_t length = 0; length < image.size(); ++length) {
    std::vector<uint8_t> cut(image.begin(), image.begin() + length);  // exact-size heap copy for ASan
    std::optional<win32::ResourceDirectory> directory = win32::ResourceDirectory::parse(cut);
    if (directory) {
      EXPECT_LT(directory->entries().size(), all) << length;
    }
  }
}

}  // namespace
