// Identifiers shared by the resource script and the program.
#ifndef OXBYTE_RESOURCE_H
#define OXBYTE_RESOURCE_H

#define IDI_OXBYTE 103
#define IDR_MAINMENU 104
#define IDD_ABOUT 105
#define IDD_FIND 106
#define IDR_ACCELERATORS 107
#define IDB_TOOLBAR 118
#define IDD_CONFIRM 120
#define IDD_GOTO 122

#define IDC_FIND_HEX 1000
#define IDC_FIND_ASCII 1001
#define IDC_FIND_TEXT 1002
#define IDC_CONFIRM_TEXT 1004
#define IDC_GOTO_TEXT 1005

// The frame's child windows, and the timer that makes the cursor blink.
#define IDC_TOOLBAR 1
#define IDC_STATUS_BAR 2
#define IDC_VIEW 3
#define IDT_BLINK 1

#define IDM_EXIT 40001
#define IDM_ABOUT 40002
#define IDM_OPEN 40007
#define IDM_FIND 40008
#define IDM_FIND_NEXT 40009
#define IDM_SAVE 40012
#define IDM_REVERT 40014
#define IDM_GOTO 40021

#endif
