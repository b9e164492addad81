// comdlg32: the Open dialog's own texts, in the user's display language.
#ifndef OXBYTE_WIN32_COMDLG32_DIALOG_TEXTS_H
#define OXBYTE_WIN32_COMDLG32_DIALOG_TEXTS_H

namespace win32::comdlg {

struct DialogTexts {
  const char *caption, *lookIn, *fileName, *fileType, *open, *cancel;
  // printf formats of one %s, the path.
  const char *noSuchPath, *noSuchFile;
};

// Chosen once, from GetUserDefaultUILanguage.
const DialogTexts &dialogTexts();

}  // namespace win32::comdlg

#endif
