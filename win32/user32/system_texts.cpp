// user32: the texts user32 shows itself, in English and in Simplified Chinese, as Windows words them.
#include "user32/system_texts.h"

#include <windows.h>

namespace win32 {
namespace {

constexpr SystemTexts kEnglish{
    .ok = "OK", .cancel = "Cancel", .abort = "&Abort", .retry = "&Retry", .ignore = "&Ignore", .yes = "&Yes",
    .no = "&No",
    .restore = "&Restore", .move = "&Move", .size = "&Size", .minimize = "Mi&nimize", .maximize = "Ma&ximize",
    .close = "&Close\tAlt+F4",
    .undo = "&Undo", .cut = "Cu&t", .copy = "&Copy", .paste = "&Paste", .erase = "&Delete",
    .selectAll = "Select &All",
};

constexpr SystemTexts kChinese{
    .ok = "确定", .cancel = "取消", .abort = "中止(&A)", .retry = "重试(&R)", .ignore = "忽略(&I)", .yes = "是(&Y)",
    .no = "否(&N)",
    .restore = "还原(&R)", .move = "移动(&M)", .size = "大小(&S)", .minimize = "最小化(&N)", .maximize = "最大化(&X)",
    .close = "关闭(&C)\tAlt+F4",
    .undo = "撤销(&U)", .cut = "剪切(&T)", .copy = "复制(&C)", .paste = "粘贴(&P)", .erase = "删除(&D)",
    .selectAll = "全选(&A)",
};

}  // namespace

const SystemTexts &systemTexts() {
  static const SystemTexts &texts = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? kChinese : kEnglish;
  return texts;
}

}  // namespace win32
