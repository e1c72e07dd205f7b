// Resource ids of the framework tests' own dialogs and menus.
#pragma once

#define IDD_PROBE 200
#define IDD_PLACED 201
#define IDD_SMALL 202
#define IDR_PROBE_MENU 300

#define IDC_EDIT1 1001
#define IDC_EDIT2 1002
#define IDC_TICK 1003
#define IDC_COMBO 1004
#define IDC_LIST 1005
#define IDC_RUN 1006

#define ID_FILE_OPEN 40001
#define ID_FILE_EXIT 40002
#define ID_HELP_ABOUT 40003
#define ID_RECENT_ONE 40010
#define ID_RECENT_TWO 40011
