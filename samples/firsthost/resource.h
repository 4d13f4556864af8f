// The first host's resource ids. The commands the bars and menus carry are the framework's
// standard ones where there is one, so that every skin's images for them fit; the host's own are
// named in Definitions\Definitions.xml with the same numbers.
#pragma once
#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
#define IDD_MAIN 100
#define IDR_MAINFRAME 128
#define IDC_INTRO 1001
#define IDC_NAME 1002
#define IDC_TIPS 1003
#define IDC_VOLUME 1004
#define IDC_MENU 1005
#define IDS_TITLE 3001
#define IDS_INTRO 3002
#define ID_SKIN_AURORA 32811
#define ID_SKIN_EMBER 32812
#define ID_SKIN_MIDNIGHT 32813
#define ID_SKIN_SYSTEM 32814
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_APP_EXIT 57665
