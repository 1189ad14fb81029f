// Resource and control identifiers of the settings window (settings_window.rc).
#pragma once

#define IDD_SETTINGS 100
#define IDD_ADD_PRINTER 101
#define IDI_SETTINGS 102

// The settings window's own controls.
#define IDC_PRINTER_LABEL 1000
#define IDC_PRINTER 1001
#define IDC_ADD_PRINTER 1002
#define IDC_REMOVE_PRINTER 1003
#define IDC_BROWSE_FOLDER 1004
#define IDC_PREVIEW_LABEL 1005
#define IDC_PREVIEW 1006
#define IDC_BROWSE_LETTERHEAD 1007
#define IDC_BROWSE_STAMP 1008
#define IDC_PASSWORD_NOTE 1009
#define IDC_REFUSAL 1010
#define IDC_SAVE 1011
#define IDC_RESET 1012

// The fields of the shared table: each label and its input.
#define IDC_SAVE_AUTOMATICALLY 1100
#define IDC_FOLDER_LABEL 1101
#define IDC_FOLDER 1102
#define IDC_FILE_NAME_LABEL 1103
#define IDC_FILE_NAME 1104
#define IDC_FORMAT_LABEL 1105
#define IDC_FORMAT 1106
#define IDC_TITLE_LABEL 1107
#define IDC_TITLE 1108
#define IDC_AUTHOR_LABEL 1109
#define IDC_AUTHOR 1110
#define IDC_SUBJECT_LABEL 1111
#define IDC_SUBJECT 1112
#define IDC_KEYWORDS_LABEL 1113
#define IDC_KEYWORDS 1114
#define IDC_EXISTING_LABEL 1115
#define IDC_EXISTING 1116
#define IDC_LETTERHEAD_LABEL 1117
#define IDC_LETTERHEAD 1118
#define IDC_STAMP_LABEL 1119
#define IDC_STAMP 1120
#define IDC_NOTIFY 1121
#define IDC_OPEN_AFTER 1122

// The name asked for by "Add printer...".
#define IDC_NEW_PRINTER_LABEL 1200
#define IDC_NEW_PRINTER 1201
