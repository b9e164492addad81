// The system icons: LoadIconA(NULL, IDI_*) answers with the stand-in's own pictures.
#include "user32/system_icons.h"

#include <gtest/gtest.h>

#include <map>

#include "user32/icon.h"

namespace {

// How many pixels of the 32 × 32 picture have each colour.
std::map<uint32_t, int> colours(HICON icon) {
  std::map<uint32_t, int> count;
  const win32::IconObject *object = win32::iconObject(icon);
  if (!object || object->images.empty()) return count;
  const win32::Image &image = object->images.front();
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.height, 32);
  for (uint32_t p : image.pixels)
    if (p >> 24) ++count[p & 0xFFFFFF];
  return count;
}

TEST(SystemIcons, EachIconHasItsColours) {
  struct Case {
    LPCSTR id;
    uint32_t body, symbol;
  } cases[] = {
      {IDI_ERROR, 0xE00000, 0xFFFFFF},    {IDI_WARNING, 0xFFFF00, 0x000000},     {IDI_INFORMATION, 0xFFFFFF, 0x0000FF},
      {IDI_QUESTION, 0xFFFFFF, 0x0000FF}, {IDI_APPLICATION, 0xFFFFFF, 0x000080},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(reinterpret_cast<uintptr_t>(c.id));
    HICON icon = LoadIconA(nullptr, c.id);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, c.id), icon) << "one shared handle";
    std::map<uint32_t, int> count = colours(icon);
    EXPECT_GT(count[c.body], 150);
    EXPECT_GT(count[c.symbol], 20);
    int opaque = 0;
    for (auto [colour, n] : count) opaque += n;
    EXPECT_LT(opaque, 32 * 32) << "the corners are transparent";
  }
  EXPECT_EQ(IDI_WARNING, IDI_EXCLAMATION);
  EXPECT_NE(LoadIconA(nullptr, IDI_ERROR), LoadIconA(nullptr, IDI_WARNING));
  EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(4711)), nullptr);
}

}  // namespace
