// user32: MessageBeep, counted so that tests can see a beep they cannot hear.
#ifndef OXBYTE_WIN32_USER32_BEEP_H
#define OXBYTE_WIN32_USER32_BEEP_H

namespace win32 {

int beepCount();

}  // namespace win32

#endif
