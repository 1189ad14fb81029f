// The job window's dialog template and its controls: shared by the resource
// script and the dialog procedure (and by the tests that drive the window).
#pragma once

#define IDD_JOB_WINDOW 100

// The inputs, each after its static label in tab order.
#define IDC_FILE_NAME 1001
#define IDC_FOLDER 1002
#define IDC_BROWSE 1003
#define IDC_FORMAT 1004
#define IDC_TITLE 1005
#define IDC_AUTHOR 1006
#define IDC_SUBJECT 1007
#define IDC_KEYWORDS 1008
#define IDC_EXISTING 1009
#define IDC_USER_PASSWORD 1010
#define IDC_OWNER_PASSWORD 1011
#define IDC_ALLOW_PRINTING 1012
#define IDC_ALLOW_COPYING 1013
#define IDC_ALLOW_CHANGES 1014
#define IDC_OPEN_AFTER 1015
#define IDC_KEEP_FOR_PRINTER 1016
// Why a value was refused: moved beside the refused field.
#define IDC_REFUSAL 1020
