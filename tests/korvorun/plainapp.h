/* Ids of the plain test program, shared by its code and its resource script. */
#define IDM_MESSAGE_BOX 101
#define IDM_OPEN 102
#define IDM_COLOUR 103
#define IDM_PROPERTIES 104
#define IDM_COUNT 105
#define IDM_EXIT 106
#define IDD_PAGE_ONE 201
#define IDD_PAGE_TWO 202
#define IDC_PAGE_CHECK 301
#define IDC_PAGE_EDIT 302
