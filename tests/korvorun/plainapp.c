/* A plain Win32 program that knows nothing of any skinning library: a frame with a menu bar, a
 * toolbar and a status bar, whose commands open a message box, the open-file and colour dialogs
 * and a property sheet of two pages. korvorun's tests run it skinned.
 *     plainapp.exe [--open messagebox|open|colour|properties]
 * opens one of them once the frame shows; --second-thread also shows a window of its own
 * ("Plain Second", class PlainAppSecond) from a second GUI thread, which opens a message box of its
 * own on IDM_MESSAGE_BOX and ends when the window is closed; --second-thread-first shows that
 * window before the frame is created. IDM_COUNT counts in the title of the
 * window it is sent to ("Plain App 1", "Plain Second 1", ...). Closing the frame ends the
 * program with exit code 7. plainapp.exe --count-args ... shows nothing and ends with the number of
 * its arguments, the switch included. */
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>
#include <wchar.h>
#include "plainapp.h"

#define PLAIN_EXIT_CODE 7

static HINSTANCE g_hInstance;
static const wchar_t* const SECOND_TITLE = L"Plain Second";
static HWND g_hToolBar, g_hStatusBar;
static int g_nCount;

static HMENU CreateFrameMenu(void)
{
    HMENU hBar = CreateMenu(), hFile = CreatePopupMenu(), hHelp = CreatePopupMenu();
    AppendMenuW(hFile, MF_STRING, IDM_OPEN, L"&Open...");
    AppendMenuW(hFile, MF_STRING, IDM_COLOUR, L"&Colour...");
    AppendMenuW(hFile, MF_STRING, IDM_PROPERTIES, L"&Properties...");
    AppendMenuW(hFile, MF_STRING, IDM_COUNT, L"Coun&t");
    AppendMenuW(hFile, MF_SEPARATOR, 0, NULL);
    AppendMenuW(hFile, MF_STRING, IDM_EXIT, L"E&xit");
    AppendMenuW(hHelp, MF_STRING, IDM_MESSAGE_BOX, L"&About...");
    AppendMenuW(hBar, MF_POPUP, (UINT_PTR)hFile, L"&File");
    AppendMenuW(hBar, MF_POPUP, (UINT_PTR)hHelp, L"&Help");
    return hBar;
}

static void CreateBars(HWND hWnd)
{
    TBBUTTON buttons[3];
    TBADDBITMAP bitmap = { HINST_COMMCTRL, IDB_STD_SMALL_COLOR };
    ZeroMemory(buttons, sizeof(buttons));
    buttons[0].iBitmap = STD_FILEOPEN;
    buttons[0].idCommand = IDM_OPEN;
    buttons[1].iBitmap = STD_PROPERTIES;
    buttons[1].idCommand = IDM_PROPERTIES;
    buttons[2].iBitmap = STD_HELP;
    buttons[2].idCommand = IDM_MESSAGE_BOX;
    for (int i = 0; i < 3; i++)
    {
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON;
    }
    g_hToolBar = CreateWindowExW(0, TOOLBARCLASSNAME, NULL, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0, 0,
                                 0, 0, hWnd, (HMENU)1, g_hInstance, NULL);
    SendMessageW(g_hToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(g_hToolBar, TB_ADDBITMAP, 0, (LPARAM)&bitmap);
    SendMessageW(g_hToolBar, TB_ADDBUTTONSW, 3, (LPARAM)buttons);
    SendMessageW(g_hToolBar, TB_AUTOSIZE, 0, 0);
    g_hStatusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"Ready", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                   hWnd, (HMENU)2, g_hInstance, NULL);
}

static INT_PTR CALLBACK PageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)hDlg;
    (void)wParam;
    (void)lParam;
    return message == WM_INITDIALOG;
}

static void ShowProperties(HWND hWnd)
{
    PROPSHEETPAGEW pages[2];
    PROPSHEETHEADERW header;
    ZeroMemory(pages, sizeof(pages));
    ZeroMemory(&header, sizeof(header));
    for (int i = 0; i < 2; i++)
    {
        pages[i].dwSize = sizeof(PROPSHEETPAGEW);
        pages[i].hInstance = g_hInstance;
        pages[i].pszTemplate = MAKEINTRESOURCEW(i == 0 ? IDD_PAGE_ONE : IDD_PAGE_TWO);
        pages[i].pfnDlgProc = PageProc;
    }
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hwndParent = hWnd;
    header.hInstance = g_hInstance;
    header.pszCaption = L"Plain Properties";
    header.nPages = 2;
    header.ppsp = pages;
    PropertySheetW(&header);
}

static void OnCommand(HWND hWnd, UINT nId)
{
    static wchar_t szFile[MAX_PATH];
    static COLORREF custom[16];
    OPENFILENAMEW open;
    CHOOSECOLORW colour;
    wchar_t szTitle[64];
    switch (nId)
    {
    case IDM_MESSAGE_BOX:
        MessageBoxW(hWnd, L"A message from a plain program.", L"Plain Message", MB_OK | MB_ICONINFORMATION);
        break;
    case IDM_OPEN:
        ZeroMemory(&open, sizeof(open));
        open.lStructSize = sizeof(open);
        open.hwndOwner = hWnd;
        open.lpstrFilter = L"All files\0*.*\0";
        open.lpstrFile = szFile;
        open.nMaxFile = MAX_PATH;
        open.lpstrTitle = L"Plain Open";
        open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
        GetOpenFileNameW(&open);
        break;
    case IDM_COLOUR:
        ZeroMemory(&colour, sizeof(colour));
        colour.lStructSize = sizeof(colour);
        colour.hwndOwner = hWnd;
        colour.lpCustColors = custom;
        colour.Flags = CC_FULLOPEN;
        ChooseColorW(&colour);
        break;
    case IDM_PROPERTIES:
        ShowProperties(hWnd);
        break;
    case IDM_COUNT:
        swprintf(szTitle, 64, L"Plain App %d", ++g_nCount);
        SetWindowTextW(hWnd, szTitle);
        SendMessageW(g_hStatusBar, SB_SETTEXTW, 0, (LPARAM)szTitle);
        break;
    case IDM_EXIT:
        DestroyWindow(hWnd);
        break;
    }
}

static LRESULT CALLBACK FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
        CreateBars(hWnd);
        return 0;
    case WM_SIZE:
        SendMessageW(g_hToolBar, TB_AUTOSIZE, 0, 0);
        SendMessageW(g_hStatusBar, WM_SIZE, 0, 0);
        return 0;
    case WM_COMMAND:
        OnCommand(hWnd, LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(PLAIN_EXIT_CODE);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

static LRESULT CALLBACK SecondProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    static int nCount;
    wchar_t szTitle[64];
    if (message == WM_COMMAND && LOWORD(wParam) == IDM_COUNT)
    {
        swprintf(szTitle, 64, L"%ls %d", SECOND_TITLE, ++nCount);
        SetWindowTextW(hWnd, szTitle);
        return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDM_MESSAGE_BOX)
    {
        MessageBoxW(hWnd, L"A message from the second thread of the plain program.", L"Second", MB_OK);
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

/* pParam: an event set once the window shows, or null. */
static DWORD WINAPI SecondThread(void* pParam)
{
    WNDCLASSW secondClass;
    MSG msg;
    ZeroMemory(&secondClass, sizeof(secondClass));
    secondClass.lpfnWndProc = SecondProc;
    secondClass.hInstance = g_hInstance;
    secondClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    secondClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    secondClass.lpszClassName = L"PlainAppSecond";
    RegisterClassW(&secondClass);
    ShowWindow(CreateWindowExW(0, L"PlainAppSecond", SECOND_TITLE, WS_OVERLAPPEDWINDOW, 720, 60, 280, 200, NULL, NULL,
                               g_hInstance, NULL), SW_SHOWNORMAL);
    if (pParam)
        SetEvent((HANDLE)pParam);
    while (GetMessageW(&msg, NULL, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

static UINT CommandOfOption(const wchar_t* pszWhat)
{
    if (wcscmp(pszWhat, L"messagebox") == 0)
        return IDM_MESSAGE_BOX;
    if (wcscmp(pszWhat, L"open") == 0)
        return IDM_OPEN;
    if (wcscmp(pszWhat, L"colour") == 0)
        return IDM_COLOUR;
    if (wcscmp(pszWhat, L"properties") == 0)
        return IDM_PROPERTIES;
    return 0;
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevious, LPWSTR pszCommandLine, int nShow)
{
    INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_BAR_CLASSES };
    WNDCLASSW frameClass;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    UINT nOpen = 0;
    BOOL bSecondThread = FALSE;
    BOOL bSecondFirst = FALSE;
    HWND hWnd;
    MSG msg;
    (void)hPrevious;
    (void)pszCommandLine;
    g_hInstance = hInstance;
    for (int i = 1; argv && i < argc; i++)
    {
        if (wcscmp(argv[i], L"--open") == 0 && i + 1 < argc)
            nOpen = CommandOfOption(argv[i + 1]);
        bSecondThread |= wcscmp(argv[i], L"--second-thread") == 0;
        bSecondFirst |= wcscmp(argv[i], L"--second-thread-first") == 0;
    }
    if (argv && argc > 1 && wcscmp(argv[1], L"--count-args") == 0)
        return argc - 1;
    LocalFree(argv);
    InitCommonControlsEx(&controls);

    if (bSecondFirst)
    {
        HANDLE hShown = CreateEventW(NULL, TRUE, FALSE, NULL);
        CloseHandle(CreateThread(NULL, 0, SecondThread, hShown, 0, NULL));
        WaitForSingleObject(hShown, 10000);
        CloseHandle(hShown);
    }

    ZeroMemory(&frameClass, sizeof(frameClass));
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = hInstance;
    frameClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    frameClass.hIcon = LoadIconW(NULL, (LPCWSTR)IDI_APPLICATION);
    frameClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    frameClass.lpszClassName = L"PlainAppFrame";
    RegisterClassW(&frameClass);
    hWnd = CreateWindowExW(0, L"PlainAppFrame", L"Plain App", WS_OVERLAPPEDWINDOW, 60, 60, 640, 440, NULL, NULL,
                           hInstance, NULL);
    if (!hWnd)
        return 1;
    SetMenu(hWnd, CreateFrameMenu());
    ShowWindow(hWnd, nShow);
    UpdateWindow(hWnd);
    if (nOpen)
        PostMessageW(hWnd, WM_COMMAND, nOpen, 0);
    if (bSecondThread)
        CloseHandle(CreateThread(NULL, 0, SecondThread, NULL, 0, NULL));
    while (GetMessageW(&msg, NULL, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
