// Resource ids of Lumora, shared by the code and lumora.rc (so: #defines).
#pragma once

// Dialog templates
#define IDD_INTRO_PAGE 102
#define IDD_WRONG_WINDOWS 104
#define IDD_STEP4_PAGE 106
#define IDD_EXIT_QUESTION 117
#define IDD_STEP1_PAGE 120
#define IDD_STEP2_PAGE 121
#define IDD_WIZARD 127

// Bitmaps: page pictures, dialog pictures, test circles
#define IDB_INTRO_PAGE 102
#define IDB_STEP1_PAGE 103
#define IDB_STEP2_PAGE 105
#define IDB_STEP4_PAGE 107
#define IDB_WRONG_WINDOWS 108
#define IDB_EXIT_QUESTION 116
#define IDB_RED_CIRCLE 182
#define IDB_BLUE_CIRCLE 183
#define IDB_GREEN_CIRCLE 184

// Controls (IDOK and IDCANCEL come from the system headers)
#define IDC_HIDDEN_DEFAULT 1001
#define IDC_REMINDER_LIST 1002
#define IDC_RED_SLIDER 1003
#define IDC_PAGE_PLACEHOLDER 1004
#define IDC_GREEN_SLIDER 1005
#define IDC_WEB_PANE 1006
#define IDC_BLUE_SLIDER 1007
#define IDC_ABOUT 1008
#define IDC_NEXT1 1009
#define IDC_NEXT2 1010
#define IDC_POWERED_BY 1013
#define IDC_BACK0 12323
#define IDC_START 12324
#define IDC_SAVE 12325
#define IDC_BACK1 12326
#define IDC_BACK2 12327
#define IDC_BACK3 12328

// The framework's standard help command
#define ID_HELP 57670
