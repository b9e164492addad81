// Resource lookup over the program's own resources: what is found, with what size, and the errors of
// what is not.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

const HMODULE kNoModule = reinterpret_cast<HMODULE>(0x10000000);  // nothing is loaded there

struct ProgramResource {
  LPCSTR type;
  LPCSTR name;
  DWORD size;  // 0: only non-empty
};
const ProgramResource kProgramResources[] = {
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

std::string nameOf(const ProgramResource &r) {
  return IS_INTRESOURCE(r.name) ? std::to_string(LOWORD(r.name)) : std::string(r.name);
}

TEST(ResourceLookup, FindsEveryProgramResourceWithItsSize) {
  HMODULE program = GetModuleHandleA(nullptr);
  for (const ProgramResource &c : kProgramResources) {
    SCOPED_TRACE(nameOf(c));
    HRSRC found = FindResourceA(nullptr, c.name, c.type);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(FindResourceA(program, c.name, c.type), found);
    DWORD size = SizeofResource(nullptr, found);
    if (c.size != 0) {
      EXPECT_EQ(size, c.size);
    }
    EXPECT_GT(size, 0u);
    EXPECT_EQ(SizeofResource(program, found), size);
    const void *locked = LockResource(LoadResource(nullptr, found));
    ASSERT_NE(locked, nullptr);
    EXPECT_EQ(LockResource(LoadResource(program, found)), locked);  // mapped with the image, not copied
  }
}

BOOL CALLBACK collectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD> *>(languages)->push_back(language);
  return TRUE;
}

TEST(ResourceLookup, EveryProgramResourceIsInChineseSimplifiedAlone) {
  for (const ProgramResource &r : kProgramResources) {
    std::vector<WORD> languages;
    EXPECT_TRUE(EnumResourceLanguagesA(nullptr, r.type, r.name, collectLanguage, LONG_PTR(&languages))) << nameOf(r);
    EXPECT_EQ(languages, std::vector<WORD>{WORD(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED))}) << nameOf(r);
  }
  SetLastError(0);
  EXPECT_FALSE(EnumResourceLanguagesA(nullptr, RT_DIALOG, MAKEINTRESOURCEA(999), collectLanguage, 0));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(ResourceLookup, FailuresSetWindowsErrorCodes) {
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
      {kNoModule, RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUT), ERROR_RESOURCE_DATA_NOT_FOUND},
  };
  for (const Case &c : cases) {
    SetLastError(0);
    EXPECT_EQ(FindResourceA(c.module, c.name, c.type), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

// GetModuleHandleA(NULL) names the program: always the same handle, and the module its own resources load
// from, the same ones a null module finds.
TEST(ModuleHandle, NullNamesTheProgram) {
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), program);
  EXPECT_EQ(FindResourceA(program, MAKEINTRESOURCEA(IDD_ABOUT), RT_DIALOG),
            FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_ABOUT), RT_DIALOG));
  HMENU menu = LoadMenuA(program, MAKEINTRESOURCEA(IDR_MAINMENU));
  EXPECT_NE(menu, nullptr);
  DestroyMenu(menu);
  EXPECT_NE(LoadIconA(program, MAKEINTRESOURCEA(IDI_OXBYTE)), nullptr);
  EXPECT_EQ(LoadIconA(kNoModule, MAKEINTRESOURCEA(IDI_OXBYTE)), nullptr);
}

// Windows documents that a failing LoadResource sets the last error; a null handle is no failure of the
// loader's and leaves it alone (Wine's kernelbase returns before the loader looks).
TEST(LoadResource, NullOrForeignHandlesGiveNothing) {
  HRSRC about = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_ABOUT), RT_DIALOG);
  SetLastError(1234);
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
  EXPECT_EQ(LockResource(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), 1234u);
  EXPECT_EQ(LoadResource(kNoModule, about), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_DATA_NOT_FOUND));
}

}  // namespace
