// The res room: the resource script, its ids, icons and the manifest.
//
// Resource ids of Velquin: every dialog, control, command, menu and icon, named once.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX                100
#define IDD_VELQUIN_DIALOG          102
#define IDD_PREFERENCES             145
#define IDD_PATH_EDITOR             157
#define IDD_PATH_ENTRY              158
#define IDD_FIND                    161
#define IDD_HISTORY_EDITOR          164
#define IDD_ALIASES                 165
#define IDD_ALIAS                   166

// Menus
#define IDR_MAIN_MENU               128
#define IDR_TRAY_MENU               146

// Icons
#define IDI_VELQUIN                 130
#define IDI_VELQUIN_SMALL           140

// The application's name, which also names its profile key
#define IDS_APP_TITLE               0xE000

// Controls
#define IDC_HISTORY_COMBO           1000
#define IDC_BROWSE                  1001
#define IDC_SYSTEM_INFO             1013
#define IDC_CLEAR_HISTORY           1014
#define IDC_CLEAR                   1015
#define IDC_EDIT_FIELD              1034    // the history count, the Find text, the program path
#define IDC_DEFAULTS                1035
#define IDC_OPTIONS                 1040
#define IDC_CLEAR_HISTORY_AUTO      1043
#define IDC_SUGGEST                 1044
#define IDC_SHOW_HIDDEN             1045
#define IDC_SAVE_TO_FILE            1046
#define IDC_LOG_FILE                1047
#define IDC_CHOOSE_LOG_FILE         1048
#define IDC_VIEW_LOG                1049
#define IDC_MINIMIZE                1050
#define IDC_START_AUTO              1052
#define IDC_START_MIN               1053
#define IDC_SHOW_NORMAL             1054
#define IDC_SHOW_MAXIMIZED          1055
#define IDC_SHOW_MINIMIZED          1056
#define IDC_HIDE_ON_SUCCESS         1060
#define IDC_ADD_TO_PATH             1062
#define IDC_PATH_ADD                1063
#define IDC_PATH_EDIT               1064
#define IDC_PATH_REMOVE             1065
#define IDC_PATH_CLOSE              1066
#define IDC_PATH_LIST               1067
#define IDC_WORKING_DIRECTORY       1069
#define IDC_PROGRAM_NAME            1070
#define IDC_PUT_ICON_IN_TRAY        1072
#define IDC_PATH_RELOAD             1073
#define IDC_PATH_FIND               1082
#define IDC_PROMPT_LOG_OFF          1084
#define IDC_PROMPT_RESTART          1085
#define IDC_PROMPT_SHUTDOWN         1086
#define IDC_HISTORY_LIST            1087
#define IDC_HISTORY_REMOVE          1088
#define IDC_HISTORY_FIND            1090
#define IDC_HISTORY_FIND_NEXT       1092
#define IDC_HOTKEY                  1093
#define IDC_WIN_R                   1094
#define IDC_ALIAS_LIST              1095
#define IDC_ALIAS_ADD               1096
#define IDC_ALIAS_EDIT              1097
#define IDC_ALIAS_REMOVE            1098
#define IDC_ALIAS_KEYWORD           1099
#define IDC_ALIAS_TEMPLATE          1100

// Commands of the menu bar and the tray menu
#define ID_FILE_EXIT                32773
#define ID_FILE_BROWSE              32774
#define ID_HELP_ABOUT               32780
#define ID_TRAY_EXIT                32785
#define ID_TRAY_MAXIMIZE            32786
#define ID_TRAY_ABOUT               32789
#define ID_TRAY_CLEAR_HISTORY       32790
#define ID_TRAY_PREFERENCES         32791
#define ID_TOOLS_PREFERENCES        32799
#define ID_TOOLS_CLEAR_HISTORY      32800
#define ID_TOOLS_PATH_EDITOR        32801
#define ID_TRAY_PATH_EDITOR         32804
#define ID_HELP_README              32809
#define ID_PROGRAMS_NOTEPAD         32810
#define ID_PROGRAMS_PAINT           32812
#define ID_PROGRAMS_SYSINFO         32813
#define ID_PROGRAMS_DEFRAG          32814
#define ID_PROGRAMS_SCANDISK        32815
#define ID_PROGRAMS_WORDPAD         32816
#define ID_PROGRAMS_WRITE           32819
#define ID_FOLDERS_DESKTOP          32822
#define ID_FOLDERS_FAVORITES        32823
#define ID_FOLDERS_HISTORY          32824
#define ID_FOLDERS_MY_DOCUMENTS     32825
#define ID_FOLDERS_PROGRAMS         32826
#define ID_FOLDERS_START_MENU       32827
#define ID_FOLDERS_RECENT           32828
#define ID_FOLDERS_WINDOWS          32829
#define ID_PROGRAMS_REGEDIT         32830
#define ID_PROGRAMS_EXPLORER        32831
#define ID_FOLDERS_SYSTEM           32834
#define ID_TOOLS_SHUTDOWN           32835
#define ID_TOOLS_RESTART            32836
#define ID_TOOLS_LOG_OFF            32837
#define ID_TOOLS_IMPORT_RUN_HISTORY 32838
#define ID_FILE_MINIMIZE            32839
#define ID_TOOLS_EDIT_HISTORY       32840
#define ID_TRAY_OPEN_LAST_ITEM      32841
#define ID_TOOLS_ALIASES            32842
#define ID_FILE_EXPORT_SETTINGS     32843
#define ID_FILE_IMPORT_SETTINGS     32844

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif
