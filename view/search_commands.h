// The view's Find, Find next and Go-to commands: the dialogs ask where to go, the view moves there.
#ifndef OXBYTE_VIEW_SEARCH_COMMANDS_H
#define OXBYTE_VIEW_SEARCH_COMMANDS_H

#include <windows.h>

void findCommand(HWND view);
void findNextCommand(HWND view);
void gotoCommand(HWND view);

#endif
