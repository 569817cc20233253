// Resource ids shared by the language modules (English.dll, chinese.dll),
// the resources linked into Tessaly.exe, and the C++ code that loads them.
//
// Both language modules carry exactly these ids; only the texts differ.
// This header is read by windres as well as by the compiler, so it holds
// plain #define lines and nothing else.
#pragma once

// ---- Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_MAIN_SETTINGS 102
#define IDD_SELECT_PICTURE 138

// ---- Menus (the first pop-up of each is the one shown)
#define IDR_CONTEXT_MENU 103 // right click on the main window
#define IDR_TRAY_MENU 137    // right click on the notification-area icon

// ---- Pictures
#define IDI_MAIN 137        // window and notification-area icon
#define IDB_ABOUT 140       // About box picture
#define IDC_HAND_CURSOR 142 // link cursor, 32x32 monochrome, hot spot (0, 0)
#define IDR_MENU_ICONS 143  // toolbar resource and its 64x15 bitmap
#define RT_TOOLBAR_TYPE 241 // numeric type of toolbar resources

// ---- Commands (menus, system menu)
#define IDM_EXIT 1          // the main window's OK command ends the program
#define IDM_SYSTEM_ABOUT 16 // About item appended to the system menu
#define IDM_SHOW_WINDOW 32771
#define IDM_HIDE_WINDOW 32775
#define IDM_ABOUT 57664
#define IDM_HELP 57670
// The menus' "Picture" part: the picture at hand
#define IDM_NEXT_PICTURE 32800
#define IDM_PREVIOUS_PICTURE 32801
#define IDM_OPEN_PICTURE_FOLDER 32802
#define IDM_NEVER_SHOW_PICTURE 32803
#define IDM_SHOW_EXCLUDED_AGAIN 32804
#define IDM_PAUSE_CHANGES 32805      // check item
#define IDM_SHUFFLE 32806            // check item
#define IDM_FULL_COLOUR 32820        // check item: JPEG wallpapers in full colour
#define IDM_INCLUDE_SUBFOLDERS 32821 // check item: the pictures of the folders below the chosen ones too

// ---- Main settings window (dialog 102)
#define IDC_STATIC (-1)
#define IDC_AUTO_RUN 1002
#define IDC_CHANGE_EACH_START 1005
#define IDC_CHANGE_DAILY 1006
#define IDC_CHANGE_BY_INTERVAL 1007
#define IDC_STYLE_TILE 1008
#define IDC_STYLE_CENTRE 1009 // first of the style group: ShowMode 0, 1, 2 = 1009, 1008, 1010
#define IDC_STYLE_STRETCH 1010
#define IDC_INTERVAL_EDIT 1011
#define IDC_CHANGE_GROUP 1012
#define IDC_DISPLAY_GROUP 1013
#define IDC_MINUTES_LABEL 1014
#define IDC_HIDE_DESKTOP_ICONS 1015
#define IDC_INTERVAL_LABEL 1018
#define IDC_SHOW_PICTURE 1022
#define IDC_SET_DEFAULT_USER 1025
#define IDC_CHANGE_NEVER 1027 // first of the change group: ChangeMode 0..3 = 1027, 1005, 1006, 1007
#define IDC_STYLE_FIT 1040    // after stretch in the style group: ShowMode 3, 4, 5 = 1040, 1041, 1042
#define IDC_STYLE_FILL 1041
#define IDC_STYLE_SPAN 1042

// ---- About box (dialog 100)
#define IDC_ABOUT_HELP 1020
#define IDC_LINK_HOME_PAGE 1023
#define IDC_LINK_PRODUCT_PAGE 1024
#define IDC_LINK_SHAREWARE_SITE 1034
#define IDC_LINK_DOWNLOAD_SITE 1035

// ---- Select-picture dialog (dialog 138)
#define IDC_PREVIEW 1002
#define IDC_FILE_LIST 1019
#define IDC_CHOOSE_FOLDER 1028
#define IDC_CURRENT_FILE 1030
#define IDC_PREVIEW_FRAME 1032
#define IDC_PICTURE_SIZE 1033
#define IDC_SELECT_HELP 1036
#define IDC_FOLDER_LIST 1037 // the picture folders; the file list shows the selected one
#define IDC_ADD_FOLDER 1038
#define IDC_REMOVE_FOLDER 1039
#define IDC_INCLUDE_SUBFOLDERS 1043

// ---- Strings
#define IDS_ABOUT_MENU_ITEM 101     // system-menu item text
#define IDS_APP_TITLE 102           // "Orvane Tessaly"
#define IDS_SKIN_FILE_MISSING 103   // skin description file missing, made on OK
#define IDS_TIP_CLICK_TO_SHOW 57665 // notification-area tips
#define IDS_TIP_CLICK_TO_HIDE 57666
#define IDS_TIP_SET_PICTURE 57667 // skin button tooltips 0..5
#define IDS_TIP_SHOW_DESKTOP 57668
#define IDS_TIP_MINIMISE 57669
#define IDS_TIP_HELP 57670
#define IDS_TIP_ABOUT 57671
#define IDS_TIP_EXIT 57672
#define IDS_FOLDER_BROWSER_TITLE 57673
#define IDS_COLUMN_FILE_NAME 57674
#define IDS_COLUMN_TYPE 57675
#define IDS_COLUMN_MODIFIED 57676
#define IDS_PICTURE_SIZE_LABEL 57677
#define IDS_ACTION_PRESS 57678 // a skin button's default action, as a screen reader names it
// Messages of the main window (150-169)
#define IDS_SKIN_MISSING 150             // no skin can be shown; followed by what is missing
#define IDS_NO_READABLE_PICTURE 151      // no picture of the folder can be read; followed by the folder
#define IDS_DEFAULT_USER_NEEDS_ADMIN 152 // "Also for the default user" ticked without the rights for it
#define IDS_KEPT_BY_POLICY 153           // a change asked for while Windows decides the wallpaper, by cause
#define IDS_KEPT_BY_REMOTE_SESSION 154
#define IDS_KEPT_BY_SPOTLIGHT 155
#define IDS_KEPT_BY_SLIDESHOW 156
#define IDS_COMMAND_LINE_USAGE 200 // written to the console for an unknown argument
#define IDS_TIP_PAUSED 201         // the tip's second line while changes are paused, before the file name
#define IDS_TIP_FOLDER_GONE 202    // the tip's second line when the picture's folder is gone, before its path
#define IDS_TIP_OTHER_PROGRAM 203  // the tip's second line while another program's wallpaper is shown
#define IDS_TIP_KEPT_BY_POLICY 204 // the tip's second line while Windows decides the wallpaper, by cause
#define IDS_TIP_KEPT_BY_REMOTE_SESSION 205
#define IDS_TIP_KEPT_BY_SPOTLIGHT 206
#define IDS_TIP_KEPT_BY_SLIDESHOW 207
#define IDS_TIP_NO_DECODER 208 // the tip's second line, once, before a format without a decoder
#define IDS_TIP_CAPPED 209     // the tip's note when the walk of the folders stopped at its depth or count
// Messages of the select-picture dialog (250-259)
#define IDS_FOLDER_PATH_TOO_LONG 250 // the folder's path is longer than the system's file calls take
#define IDS_PREVIEW_UNREADABLE 251   // in the preview frame: the chosen file gives no picture
#define IDS_PREVIEW_TOO_LARGE 252    // in the preview frame: %1 and %2 are the picture's width and height
#define IDS_PARSE_NUMBER 61713       // data exchange: not a number
#define IDS_PARSE_NUMBER_RANGE 61715 // data exchange: out of range, %1 and %2 are the bounds
