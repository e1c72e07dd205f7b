// Numeric ids of Varnholt's resources, controls and commands. Plain #defines
// so that both the C++ sources and windres (resources/varnholt.rc) read them.
#ifndef VARNHOLT_RESOURCES_RESOURCE_H
#define VARNHOLT_RESOURCES_RESOURCE_H

// Dialog templates, menus, images and strings.
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_VARNHOLT_DIALOG 102
#define IDR_MAINFRAME 128
#define IDB_FOOTER 129
#define IDB_BANNER 130
#define IDR_MENU_MAIN 131
#define IDR_MENU_TRAY 132
#define IDD_LANGUAGE 134

// Controls of the main window (102) and the language dialog (134).
#define IDC_PAIR_LIST 1000
#define IDC_ADD 1002
#define IDC_REMOVE 1003
#define IDC_SYNC_NOW 1004
#define IDC_DAYS 1005
#define IDC_HOURS 1006
#define IDC_MINUTES 1007
#define IDC_AUTOSTART 1008
#define IDC_STATUS 1009
#define IDC_GROUP_FOLDERS 1015
#define IDC_GROUP_INTERVAL 1016
#define IDC_GROUP_BEHAVIOUR 1017
#define IDC_LABEL_DAYS 1018
#define IDC_LABEL_HOURS 1019
#define IDC_LABEL_MINUTES 1020
#define IDC_LANGUAGE_COMBO 1021

// Menu commands (menu bar 131 and tray popup 132).
#define ID_LANGUAGE_SELECTION 32771
#define ID_SYNC_NOW 32772
#define ID_EXIT 32773
#define ID_MINIMIZE_TO_TRAY 32774
#define ID_SHOW_HELP 32778
#define ID_WEBSITE 32779
#define ID_ABOUT 32780
#define ID_TRAY_RESTORE 32781
#define ID_TRAY_EXIT 32782
#define ID_SHOW_RUN_LOG 32783

// Id of controls that the program never addresses (pictures, labels).
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// System-menu command of the About entry; the low four bits of a system
// command are reserved for the system, so the id is a multiple of 16.
#define IDM_ABOUTBOX 0x0010

#endif
