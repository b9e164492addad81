// Resource lookup over the program's compiled .res and over hand-made, broken images.
#include "kernel32/resource.h"

#include <gtest/gtest.h>

#include <cstring>

#include "kernel32/module.h"
#include "resources/resource.h"
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

TEST(FindResource, FindsEveryProgramResourceWithItsSize) {
  struct Case {
    LPCSTR type;
    LPCSTR name;
    DWORD size;  // 0: only non-empty
  } cases[] = {
      {RT_BITMAP, MAKEINTRESOURCEA(IDB_TOOLBAR), 40 + 16 * 4 + 64 * 17},  // 126 x 17 at 4 bits
      {RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_OXBYTE), 6 + 2 * 14},          // two images
      {RT_ACCELERATOR, MAKEINTRESOURCEA(IDR_ACCELERATORS), 4 * 8},
      {RT_MENU, MAKEINTRESOURCEA(IDR_MAINMENU), 0},
      {RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUT), 0},
      {RT_DIALOG, MAKEINTRESOURCEA(IDD_FIND), 0},
      {RT_DIALOG, MAKEINTRESOURCEA(IDD_CONFIRM), 0},
      {RT_DIALOG, MAKEINTRESOURCEA(IDD_GOTO), 0},
      {RT_VERSION, MAKEINTRESOURCEA(1), 0},
      {"#2", "#118", 40 + 16 * 4 + 64 * 17},  // numbers written as "#n" strings
      {"#14", "#  +103", 6 + 2 * 14},          // read like Windows: blanks and a sign are allowed
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(IS_INTRESOURCE(c.name) ? std::to_string(LOWORD(c.name)) : std::string(c.name));
    HRSRC found = FindResourceA(nullptr, c.name, c.type);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(FindResourceA(win32::programModule(), c.name, c.type), found);
    DWORD size = SizeofResource(nullptr, found);
    if (c.size != 0) {
      EXPECT_EQ(size, c.size);
    }
    EXPECT_GT(size, 0u);
    std::span<const uint8_t> data = win32::findResourceData(c.type, c.name);
    const void *locked = LockResource(LoadResource(nullptr, found));
    ASSERT_EQ(data.size(), size);
    EXPECT_EQ(locked, data.data());
  }
}

TEST(FindResource, EveryResourceIsChineseSimplified) {
  ASSERT_FALSE(win32::programResources().entries().empty());
  for (const win32::ResourceEntry &entry : win32::programResources().entries()) EXPECT_EQ(entry.language, 0x0804);
}

TEST(FindResource, FailuresSetWindowsErrorCodes) {
  struct Case {
    HMODULE module;
    LPCSTR type;
    LPCSTR name;
    DWORD error;
  } cases[] = {
      {nullptr, RT_STRING, MAKEINTRESOURCEA(1), ERROR_RESOURCE_TYPE_NOT_FOUND},
      {nullptr, "OXBYTE", MAKEINTRESOURCEA(1), ERROR_RESOURCE_TYPE_NOT_FOUND},
      {nullptr, RT_DIALOG, MAKEINTRESOURCEA(999), ERROR_RESOURCE_NAME_NOT_FOUND},
      {nullptr, RT_DIALOG, "IDD_ABOUT", ERROR_RESOURCE_NAME_NOT_FOUND},
      {nullptr, RT_DIALOG, "#abc", ERROR_RESOURCE_NAME_NOT_FOUND},  // no digits: ordinal 0
      {nullptr, RT_DIALOG, nullptr, ERROR_RESOURCE_NAME_NOT_FOUND},
      {nullptr, RT_DIALOG, "#65641", ERROR_INVALID_PARAMETER},       // 105 + 65536 does not fit a WORD
      {nullptr, RT_DIALOG, "#-1", ERROR_INVALID_PARAMETER},
      {reinterpret_cast<HMODULE>(0x10000000), RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUT), ERROR_RESOURCE_DATA_NOT_FOUND},
  };
  for (const Case &c : cases) {
    SetLastError(0);
    EXPECT_EQ(FindResourceA(c.module, c.name, c.type), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_TRUE(win32::findResourceData(RT_MENU, MAKEINTRESOURCEA(1)).empty());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(LoadResource, NullOrForeignHandlesGiveNothingAndKeepTheLastError) {
  HRSRC about = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_ABOUT), RT_DIALOG);
  int notAResource = 0;
  SetLastError(1234);
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(&notAResource)), nullptr);
  EXPECT_EQ(LoadResource(reinterpret_cast<HMODULE>(0x10000000), about), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
  EXPECT_EQ(LockResource(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), 1234u);
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
