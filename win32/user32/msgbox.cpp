// user32: MessageBoxA — a "#32770" dialog built from a template made in memory.
#include <algorithm>
#include <string>
#include <vector>

#include "user32/dialog.h"
#include "user32/system_texts.h"

namespace win32 {
namespace {

// Pixel sizes of the layout; all even, since the template counts in dialog units of 2 pixels.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kMaxTextWidth = 448;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 8;
constexpr int kButtonsAbove = 16;  // between the text (or icon) and the buttons
constexpr WORD kIconId = 0x0440;
constexpr WORD kTextId = 0xFFFF;

struct BoxButton {
  int id;
  const char *text;
};

std::vector<BoxButton> buttonsFor(UINT type) {
  const SystemTexts &t = systemTexts();
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, t.ok}, {IDCANCEL, t.cancel}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, t.abort}, {IDRETRY, t.retry}, {IDIGNORE, t.ignore}};
    case MB_YESNOCANCEL: return {{IDYES, t.yes}, {IDNO, t.no}, {IDCANCEL, t.cancel}};
    case MB_YESNO: return {{IDYES, t.yes}, {IDNO, t.no}};
    case MB_RETRYCANCEL: return {{IDRETRY, t.retry}, {IDCANCEL, t.cancel}};
    default: return {{IDOK, t.ok}};
  }
}

LPCSTR iconFor(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
  }
}

// What the box's procedure needs: the ids of its buttons.
struct BoxInfo {
  std::vector<int> buttons;
  int defaultId;
};

bool hasButton(const BoxInfo &info, int id) {
  return std::find(info.buttons.begin(), info.buttons.end(), id) != info.buttons.end();
}

// A box without a Cancel button can still be closed with Escape when OK is its only button, and then
// answers OK; a Yes/No box cannot be closed that way (as Windows documents; Wine answers IDCANCEL).
INT_PTR CALLBACK messageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(box, DWLP_USER, lParam);
      auto *info = reinterpret_cast<BoxInfo *>(lParam);
      SendMessageA(box, WM_NEXTDLGCTL, WPARAM(GetDlgItem(box, info->defaultId)), TRUE);
      return FALSE;
    }
    case WM_COMMAND: {
      auto *info = reinterpret_cast<BoxInfo *>(GetWindowLongPtrA(box, DWLP_USER));
      int id = LOWORD(wParam);
      if (!info) return FALSE;
      if (hasButton(*info, id)) {
        EndDialog(box, id);
      } else if (id == IDCANCEL && info->buttons == std::vector<int>{IDOK}) {
        EndDialog(box, IDOK);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

void addItem(DialogTemplate &tmpl, DWORD style, int x, int y, int cx, int cy, WORD id, uint16_t atom,
             NameOrOrdinal text) {
  DialogItemTemplate item;
  item.style = style | WS_CHILD | WS_VISIBLE;
  item.x = x / 2;
  item.y = y / 2;
  item.cx = cx / 2;
  item.cy = cy / 2;
  item.id = id;
  item.windowClass = NameOrOrdinal{true, atom, {}};
  item.text = std::move(text);
  tmpl.items.push_back(std::move(item));
}

NameOrOrdinal textOf(const char *text) { return NameOrOrdinal{false, 0, text}; }

SIZE measureText(const std::string &text) {
  HDC hdc = GetDC(nullptr);
  RECT r{0, 0, kMaxTextWidth, 0};
  DrawTextA(hdc, text.c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
  ReleaseDC(nullptr, hdc);
  auto even = [](LONG v) { return (v + 1) / 2 * 2; };
  return {even(r.right - r.left), even(std::max<LONG>(r.bottom - r.top, 16))};
}

// The icon on the left, the text beside it (centred on the icon when shorter), the buttons centred below.
DialogTemplate boxTemplate(const std::string &text, const std::string &caption, UINT type, BoxInfo &info) {
  DialogTemplate tmpl;
  std::vector<BoxButton> buttons = buttonsFor(type);
  bool closable = std::any_of(buttons.begin(), buttons.end(), [](const BoxButton &b) { return b.id == IDCANCEL; }) ||
                  buttons.size() == 1;
  tmpl.style =
      WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_NOIDLEMSG | DS_SETFONT | DS_3DLOOK | (closable ? WS_SYSMENU : 0);
  tmpl.style |= DS_CENTER;  // on the screen, wherever the owner is, as Wine places its boxes
  tmpl.caption = caption;
  LPCSTR icon = iconFor(type);
  SIZE textSize = measureText(text);
  int textX = icon ? kMargin + kIconSize + kIconGap : kMargin;
  int textY = icon && textSize.cy < kIconSize ? kMargin + (kIconSize - textSize.cy) / 2 / 2 * 2 : kMargin;
  int contentBottom = std::max(textY + int(textSize.cy), icon ? kMargin + kIconSize : 0);
  int buttonsWidth = int(buttons.size()) * kButtonWidth + int(buttons.size() - 1) * kButtonGap;
  int width = std::max(textX + int(textSize.cx) + kMargin, buttonsWidth + 2 * kMargin);
  int buttonsY = contentBottom + kButtonsAbove;
  tmpl.cx = width / 2;
  tmpl.cy = (buttonsY + kButtonHeight + kMargin) / 2;
  if (icon)
    addItem(tmpl, SS_ICON, kMargin, kMargin, kIconSize, kIconSize, kIconId, 0x82,
            NameOrOrdinal{true, uint16_t(reinterpret_cast<uintptr_t>(icon)), {}});
  size_t defaultIndex = (type & MB_DEFMASK) >> 8;
  if (defaultIndex >= buttons.size()) defaultIndex = 0;
  int x = (width - buttonsWidth) / 2 / 2 * 2;
  for (size_t i = 0; i < buttons.size(); ++i) {
    DWORD style = WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    addItem(tmpl, style, x, buttonsY, kButtonWidth, kButtonHeight, WORD(buttons[i].id), 0x80, textOf(buttons[i].text));
    info.buttons.push_back(buttons[i].id);
    x += kButtonWidth + kButtonGap;
  }
  info.defaultId = buttons[defaultIndex].id;
  addItem(tmpl, SS_LEFT | SS_NOPREFIX | WS_GROUP, textX, textY, int(textSize.cx), int(textSize.cy), kTextId, 0x82,
          textOf(text.c_str()));
  return tmpl;
}

}  // namespace
}  // namespace win32

using namespace win32;

// The box is modal over its owner (disabled meanwhile) and sounds the beep of its icon, as Windows plays
// the icon's system sound. It returns the identifier of the button chosen, or 0 when it cannot be shown.
extern "C" int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  BoxInfo info;
  DialogTemplate tmpl = boxTemplate(text ? text : "", caption ? caption : "Error", type, info);
  if (type & MB_ICONMASK) MessageBeep(type & MB_ICONMASK);
  INT_PTR result = dialogBoxIndirect(nullptr, tmpl, owner, messageBoxProc, reinterpret_cast<LPARAM>(&info));
  return result == -1 ? 0 : int(result);
}
