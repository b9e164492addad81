// user32: the built-in window classes (controls and dialogs), registered on first use.
#ifndef OXBYTE_WIN32_USER32_SYSTEM_CLASSES_H
#define OXBYTE_WIN32_USER32_SYSTEM_CLASSES_H

namespace win32 {

void ensureSystemClasses();

}  // namespace win32

#endif
