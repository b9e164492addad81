// comdlg32: the Open dialog's texts in English and in Simplified Chinese, as Windows words them.
#include "comdlg32/dialog_texts.h"

#include <windows.h>

namespace win32::comdlg {
namespace {

constexpr DialogTexts kEnglish{
    .caption = "Open", .lookIn = "Look &in:", .fileName = "File &name:", .fileType = "Files of &type:",
    .open = "&Open", .cancel = "Cancel",
    .noSuchPath = "%s\nPath does not exist.\nPlease verify the correct path was given.",
    .noSuchFile = "%s\nFile not found.\nPlease verify the correct file name was given.",
};

constexpr DialogTexts kChinese{
    .caption = "打开", .lookIn = "查找范围(&I):", .fileName = "文件名(&N):", .fileType = "文件类型(&T):",
    .open = "打开(&O)", .cancel = "取消",
    .noSuchPath = "%s\n路径不存在。\n请检查路径是否正确。",
    .noSuchFile = "%s\n找不到文件。\n请检查文件名是否正确。",
};

}  // namespace

const DialogTexts &dialogTexts() {
  static const DialogTexts &texts = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? kChinese : kEnglish;
  return texts;
}

}  // namespace win32::comdlg
