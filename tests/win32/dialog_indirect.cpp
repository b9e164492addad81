// Dialogs made from templates in memory, DIALOG and DIALOGEX alike: what the template says becomes the
// dialog's class, caption, styles and help context, and each control's class, identifier, styles, place,
// text, help context and creation data.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/wine.h"
#include "win32/byte_builder.h"
#include "win32/dialog_test_support.h"

namespace {

using namespace dialog_test;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr uint16_t kStatic = 0x82;

// The checks to run on the dialog once it is made; the dialog then ends before it is shown.
std::function<void(HWND)> &onInit() {
  static std::function<void(HWND)> check;
  return check;
}

INT_PTR CALLBACK checkingProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  onInit()(dialog);
  EndDialog(dialog, IDOK);
  return TRUE;
}

std::string classOf(HWND hwnd) {
  char name[32] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// A class of the test's own, whose windows keep the creation parameters WM_CREATE brought them: the
// creation data's size and bytes, or nothing.
std::vector<std::vector<uint8_t>> &createdWith() {
  static std::vector<std::vector<uint8_t>> params;
  return params;
}

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    auto *data = static_cast<const uint8_t *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    std::vector<uint8_t> bytes;
    if (data) bytes.assign(data, data + 2 + (data[0] | data[1] << 8));
    createdWith().push_back(bytes);
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void registerClass(const char *name, WNDPROC proc, int extra = 0) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = extra;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  RegisterClassA(&wc);  // fails harmlessly once registered
}

LRESULT CALLBACK dialogClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcA(hwnd, message, wParam, lParam);
}

// The predefined atoms of a template name the system's control classes; a name, a registered class. The
// stand-in has no scroll bar control: a class of the test's own takes the name, which the dialog finds
// before the system's, as a program's own classes always come first.
TEST(DialogTemplate, ClassNamesOfPredefinedAtoms) {
  registerClass("oxpanel", DefWindowProcA);
  registerClass("ScrollBar", DefWindowProcA);
  const char *expected[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox", "oxpanel"};
  std::vector<TemplateControl> controls;
  for (WORD atom = 0x80; atom <= 0x85; ++atom) controls.push_back(control(atom, atom, 0, {0, 0, 20, 10}));
  controls.push_back(control(0, 1, 0, {0, 0, 20, 10}, "", "oxpanel"));
  int checked = 0;
  onInit() = [&](HWND dialog) {
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const char *name : expected) {
      ASSERT_NE(child, nullptr) << name;
      EXPECT_EQ(classOf(child), name);
      child = GetWindow(child, GW_HWNDNEXT);
      ++checked;
    }
  };
  OwnerWindow owner;
  EXPECT_EQ(dialogBoxIndirect(dialogTemplate(100, 50, controls), owner.hwnd(), checkingProc), IDOK);
  EXPECT_EQ(checked, int(std::size(expected)));
  UnregisterClassA("ScrollBar", GetModuleHandleA(nullptr));
}

// A DIALOGEX template with a help context, extended styles, a class and a caption of its own and a font,
// and items with help contexts, an identifier beyond a WORD, an icon named by ordinal, a place left of
// the dialog and creation data.
ByteBuilder extendedTemplate() {
  ByteBuilder bytes;
  bytes.u16(1).u16(0xFFFF).u32(77).u32(WS_EX_DLGMODALFRAME).u32(DS_SETFONT | WS_POPUP).u16(3);
  bytes.u16(10).u16(20).u16(200).u16(100);
  bytes.u16(0).text(u"MyDialog").text(u"Caption");
  bytes.u16(12).u16(700).u8(1).u8(134).text(u"Font");
  bytes.align4().u32(5).u32(0).u32(kChild | SS_ICON).u16(1).u16(2).u16(3).u16(4).u32(0xFFFFFFFF);
  bytes.ordinal(kStatic).ordinal(IDI_OXBYTE).u16(0);  // Wine fails a dialog whose icon static has creation data
  bytes.align4().u32(0).u32(WS_EX_STATICEDGE).u32(kChild).u16(0xFFFB).u16(6).u16(7).u16(8).u32(1234);
  bytes.text(u"custom").text(u"Text").u16(4).u8(1).u8(2).u8(3).u8(4);
  bytes.align4().u32(9).u32(0).u32(kChild).u16(1).u16(1).u16(5).u16(5).u32(77).text(u"custom").text(u"").u16(0);
  return bytes;
}

// Microsoft's DLGITEMTEMPLATEEX page says an item's help context identifier is the control's, the one
// WM_HELP reports for it; Wine gives the controls of a dialog none.
DWORD controlHelpId(DWORD inTemplate) { return runningUnderWine() ? 0 : inTemplate; }

TEST(DialogTemplate, ExtendedTemplate) {
  registerClass("custom", recordingProc);
  registerClass("MyDialog", dialogClassProc, DLGWINDOWEXTRA);
  createdWith().clear();
  ByteBuilder bytes = extendedTemplate();
  std::vector<uint32_t> aligned((bytes.size() + 3) / 4);  // a template starts on a DWORD boundary
  std::memcpy(aligned.data(), bytes.bytes.data(), bytes.size());
  bool checked = false;
  onInit() = [&](HWND dialog) {
    EXPECT_EQ(classOf(dialog), "MyDialog");
    EXPECT_EQ(textOf(dialog), "Caption");
    DWORD style = DWORD(GetWindowLongA(dialog, GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_CHILD | DS_SETFONT), DWORD(WS_POPUP | DS_SETFONT));
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(GetWindowContextHelpId(dialog), 77u);

    HWND icon = GetWindow(dialog, GW_CHILD);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(classOf(icon), "Static");
    EXPECT_EQ(GetDlgCtrlID(icon), -1);
    EXPECT_EQ(DWORD(GetWindowLongA(icon, GWL_STYLE)), kChild | SS_ICON);
    EXPECT_EQ(DWORD(GetWindowLongA(icon, GWL_EXSTYLE)), DWORD(WS_EX_NOPARENTNOTIFY));
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0) << "the program's icon, named by its ordinal";
    EXPECT_EQ(GetWindowContextHelpId(icon), controlHelpId(5));

    HWND custom = GetWindow(icon, GW_HWNDNEXT);
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(classOf(custom), "custom");
    EXPECT_EQ(GetDlgCtrlID(custom), 1234);
    EXPECT_EQ(textOf(custom), "Text");
    EXPECT_EQ(DWORD(GetWindowLongA(custom, GWL_STYLE)), kChild);
    EXPECT_EQ(DWORD(GetWindowLongA(custom, GWL_EXSTYLE)), DWORD(WS_EX_STATICEDGE | WS_EX_NOPARENTNOTIFY));
    RECT corner{-5, 6, 0, 0}, size{0, 0, 7, 8};
    MapDialogRect(dialog, &corner);
    MapDialogRect(dialog, &size);
    RECT place = placeOf(custom);
    EXPECT_LT(place.left, 0);
    EXPECT_EQ(place.left, corner.left);
    EXPECT_EQ(place.top, corner.top);
    EXPECT_EQ(place.right - place.left, size.right);
    EXPECT_EQ(place.bottom - place.top, size.bottom);
    EXPECT_EQ(GetWindowContextHelpId(custom), 0u);

    HWND plain = GetWindow(custom, GW_HWNDNEXT);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(GetDlgCtrlID(plain), 77);
    EXPECT_EQ(GetWindowContextHelpId(plain), controlHelpId(9));
    EXPECT_EQ(GetWindow(plain, GW_HWNDNEXT), nullptr);
    checked = true;
  };
  OwnerWindow owner;
  EXPECT_EQ(DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(aligned.data()),
                                    owner.hwnd(), checkingProc, 0),
            IDOK);
  EXPECT_TRUE(checked);
  // WM_CREATE's creation parameters point at the creation data's size, then its bytes; with none, at
  // nothing (Wine under the probe).
  EXPECT_EQ(createdWith(), (std::vector<std::vector<uint8_t>>{{4, 0, 1, 2, 3, 4}, {}}));
}

}  // namespace
