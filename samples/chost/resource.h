/* Ids of the C host's resources and controls. */
#define IDD_SETTINGS 100
#define IDC_NAME 1001
#define IDC_AUTOSAVE 1002
#define IDC_SMALL 1003
#define IDC_LARGE 1004
#define IDC_SIZES 1005
#define IDC_LEVEL 1006
#define IDC_TOPICS 1007
#define IDC_OPTIONS 1008
#define IDC_SETTINGS 1009
#define ID_TOOLBAR 0xE801
#define IDR_MAIN 200
#define IDM_EXIT 2001
#define IDM_ABOUT 2002
/* The string the host's definitions give its title (samples/firsthost's IDS_TITLE). */
#define IDS_TITLE 3001
