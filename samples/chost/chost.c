/* A host written in C against korvoskin.h alone: a frame window made with CreateWindowEx and a
 * dialog from a resource template, both skinned by their handles. With --test it runs the same
 * calls as a check, prints each result and exits with 0 when every one gave what it should. */
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <wchar.h>
#include <korvoskin.h>
#include "resource.h"

static HINSTANCE g_instance;
static HWND g_frame;
static HWND g_toolbar;
static int g_failures;
static UINT g_lastCommand;
/* The popup menu the test found open, from inside its modal loop. */
static HMENU g_seenPopup;

static void Check(const char* what, int ok)
{
    printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok)
        g_failures++;
}

static void LayOut(HWND frame)
{
    RECT client, bar = {0, 0, 0, 0};
    int top;
    GetClientRect(frame, &client);
    if (g_toolbar)
        GetWindowRect(g_toolbar, &bar);
    top = bar.bottom - bar.top + 8;
    MoveWindow(GetDlgItem(frame, IDC_NAME), 60, top, client.right - 70, 22, TRUE);
    MoveWindow(GetDlgItem(frame, IDC_AUTOSAVE), 10, top + 30, 160, 20, TRUE);
    MoveWindow(GetDlgItem(frame, IDC_SETTINGS), 180, top + 28, 100, 26, TRUE);
    MoveWindow(GetDlgItem(frame, IDC_TOPICS), 10, top + 62, client.right - 20, client.bottom - top - 72, TRUE);
}

static INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message)
    {
    case WM_INITDIALOG:
        SendDlgItemMessageW(dialog, IDC_SIZES, CB_ADDSTRING, 0, (LPARAM)L"Small");
        SendDlgItemMessageW(dialog, IDC_SIZES, CB_ADDSTRING, 0, (LPARAM)L"Large");
        SendDlgItemMessageW(dialog, IDC_SIZES, CB_SETCURSEL, 0, 0);
        CheckRadioButton(dialog, IDC_SMALL, IDC_LARGE, IDC_SMALL);
        /* A foreign dialog is skinned from its own WM_INITDIALOG, before it shows. */
        KorvoSkin_SkinWindow(dialog, L"Dialog");
        KorvoSkin_SkinControls(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
        {
            DestroyWindow(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

static LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
        CreateWindowExW(0, L"STATIC", L"Name:", WS_CHILD | WS_VISIBLE, 10, 40, 48, 20, frame, NULL, g_instance, NULL);
        CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 10,
                        10, frame, (HMENU)IDC_NAME, g_instance, NULL);
        CreateWindowExW(0, L"BUTTON", L"Save on exit", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 10,
                        10, frame, (HMENU)IDC_AUTOSAVE, g_instance, NULL);
        CreateWindowExW(0, L"BUTTON", L"Settings...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10,
                        frame, (HMENU)IDC_SETTINGS, g_instance, NULL);
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASLINES, 0, 0, 10, 10, frame,
                        (HMENU)IDC_TOPICS, g_instance, NULL);
        return 0;
    case WM_SIZE:
        LayOut(frame);
        return 0;
    case WM_COMMAND:
        g_lastCommand = LOWORD(wParam);
        if (LOWORD(wParam) == IDM_EXIT)
            DestroyWindow(frame);
        if (LOWORD(wParam) == IDC_SETTINGS)
            ShowWindow(CreateDialogParamW(g_instance, MAKEINTRESOURCEW(IDD_SETTINGS), frame, SettingsProc, 0), SW_SHOW);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

static HWND CreateFrame(void)
{
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = g_instance;
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KorvoSkinCHost";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, L"KorvoSkinCHost", L"C host", WS_OVERLAPPEDWINDOW, 40, 40, 480, 360, NULL,
                           LoadMenuW(g_instance, MAKEINTRESOURCEW(IDR_MAIN)), g_instance, NULL);
}

/* Loads the skin and skins the frame, its controls and its toolbar by their handles. */
static int SkinFrame(HWND frame)
{
    wchar_t title[128];
    int result = KorvoSkin_LoadSkin(L"Skins\\Aurora.xml", L"");
    if (result != KORVOSKIN_OK)
        return result;
    /* The length first, then the text, when it fits. */
    if (KorvoSkin_GetString(IDS_TITLE, NULL, 0) < (int)(sizeof(title) / sizeof(title[0]))
        && KorvoSkin_GetString(IDS_TITLE, title, (int)(sizeof(title) / sizeof(title[0]))) >= 0)
        SetWindowTextW(frame, title);
    g_toolbar = KorvoSkin_CreateToolBar(frame, L"Main", ID_TOOLBAR);
    KorvoSkin_SkinControls(frame);
    LayOut(frame);
    return KorvoSkin_SkinWindow(frame, L"Main");
}

static void Pump(void)
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

/* Answers messages for about milliseconds, popup menus' modal loops included. */
static void PumpFor(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds)
    {
        Pump();
        Sleep(10);
    }
}

static void SendKey(WORD key, DWORD flags)
{
    INPUT input;
    ZeroMemory(&input, sizeof(input));
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

static BOOL CALLBACK FindPopup(HWND window, LPARAM found)
{
    wchar_t name[8];
    if (IsWindowVisible(window) && GetClassNameW(window, name, 8) && wcscmp(name, L"#32768") == 0)
        *(HWND*)found = window;
    return TRUE;
}

/* Runs inside the popup's modal loop: notes which menu is open, then presses key (Esc or Enter). */
static void CALLBACK InsideMenu(HWND window, UINT message, UINT_PTR timer, DWORD time)
{
    HWND popup = NULL;
    (void)window, (void)message, (void)time;
    KillTimer(NULL, timer);
    EnumThreadWindows(GetCurrentThreadId(), FindPopup, (LPARAM)&popup);
    g_seenPopup = popup ? (HMENU)SendMessageW(popup, MN_GETHMENU, 0, 0) : NULL;
    SendKey(VK_RETURN, 0);
    SendKey(VK_RETURN, KEYEVENTF_KEYUP);
}

/* The menu bar inside the skinned frame: its place, its colour, the mouse and the keyboard. */
static void TestMenuBar(void)
{
    POINT origin = {0, 0};
    RECT window;
    HDC dc;
    COLORREF pixel;
    HMENU bar = GetMenu(g_frame);
    ClientToScreen(g_frame, &origin);
    GetWindowRect(g_frame, &window);
    Check("the menu bar answers the hit test below the caption",
          SendMessageW(g_frame, WM_NCHITTEST, 0, MAKELPARAM(origin.x + 4, origin.y - 4)) == HTMENU);
    dc = GetWindowDC(g_frame);
    pixel = GetPixel(dc, origin.x - window.left + 300, origin.y - window.top - 4);
    ReleaseDC(g_frame, dc);
    Check("the bar is in the skin's menu colour", pixel == KorvoSkin_GetColour(L"menu.back"));

    /* A click on File opens its popup; Enter inside it chooses Settings. */
    SetForegroundWindow(g_frame);
    SetCursorPos(origin.x + 6, origin.y - 4);
    SetTimer(NULL, 0, 200, InsideMenu);
    SendMessageW(g_frame, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(origin.x + 6, origin.y - 4));
    PumpFor(300);
    Check("a click on the bar opened File", g_seenPopup == GetSubMenu(bar, 0));
    PumpFor(300);
    DestroyWindow(FindWindowW(NULL, L"Settings"));

    /* Alt+H from the keyboard opens Help, whose first item is About. */
    g_seenPopup = NULL;
    SetFocus(GetDlgItem(g_frame, IDC_NAME));
    SetTimer(NULL, 0, 300, InsideMenu);
    SendKey(VK_MENU, 0);
    SendKey('H', 0);
    SendKey('H', KEYEVENTF_KEYUP);
    SendKey(VK_MENU, KEYEVENTF_KEYUP);
    PumpFor(800);
    Check("Alt+H opened Help", g_seenPopup == GetSubMenu(bar, 1));
    Check("Enter chose About, which reached the frame", g_lastCommand == IDM_ABOUT);
}

static DWORD WINAPI OtherThread(LPVOID frame)
{
    return (DWORD)(KorvoSkin_UnskinWindow((HWND)frame) == KORVOSKIN_E_WRONG_THREAD);
}

static int RunTest(void)
{
    RECT before, after;
    HWND dialog, stray;
    HANDLE thread;
    DWORD threadOk = 0;
    wchar_t text[64];
    int length;

    Check("version 1", KorvoSkin_Version() == 1);
    Check("before Init: not initialised", KorvoSkin_SkinWindow(NULL, L"Main") == KORVOSKIN_E_NOT_INITIALISED);
    Check("an unknown code has a text", KorvoSkin_ErrorText(12345) != NULL);
    Check("Init", KorvoSkin_Init() == KORVOSKIN_OK);
    Check("LoadSkin with NULL: bad argument", KorvoSkin_LoadSkin(NULL, L"") == KORVOSKIN_E_BAD_ARGUMENT);

    g_frame = CreateFrame();
    GetClientRect(g_frame, &before);
    Check("frame skinned by handle", SkinFrame(g_frame) == KORVOSKIN_OK);
    ShowWindow(g_frame, SW_SHOW);
    UpdateWindow(g_frame);
    Pump();
    GetClientRect(g_frame, &after);
    Check("toolbar made from the skin's template", g_toolbar != NULL);
    Check("the system caption is gone", (GetWindowLongW(g_frame, GWL_STYLE) & WS_CAPTION) != WS_CAPTION);
    Check("the client area kept its size", after.right == before.right && after.bottom == before.bottom);
    TestMenuBar();
    Check("twice: already skinned", KorvoSkin_SkinWindow(g_frame, L"Main") == KORVOSKIN_E_ALREADY_SKINNED);
    Check("NULL window: bad argument", KorvoSkin_SkinWindow(NULL, L"Main") == KORVOSKIN_E_BAD_ARGUMENT);
    Check("NULL target: bad argument", KorvoSkin_SkinWindow(g_frame, NULL) == KORVOSKIN_E_BAD_ARGUMENT);
    Check("a child window: bad argument", KorvoSkin_SkinWindow(GetDlgItem(g_frame, IDC_NAME), L"Main") == KORVOSKIN_E_BAD_ARGUMENT);
    thread = CreateThread(NULL, 0, OtherThread, g_frame, 0, NULL);
    WaitForSingleObject(thread, INFINITE);
    GetExitCodeThread(thread, &threadOk);
    CloseHandle(thread);
    Check("from another thread: wrong thread", threadOk == 1);

    length = KorvoSkin_GetString(IDS_TITLE, NULL, 0);
    Check("string length", length == 10);
    Check("string too long for the buffer is not copied", KorvoSkin_GetString(IDS_TITLE, text, 4) == length);
    Check("string copied", KorvoSkin_GetString(IDS_TITLE, text, 64) == length && wcscmp(text, L"First host") == 0);
    Check("unknown string: not found", KorvoSkin_GetString(9999, text, 64) == KORVOSKIN_E_NOT_FOUND);
    Check("dialog colour", KorvoSkin_GetColour(L"dialog.back") != CLR_INVALID);
    Check("unknown colour key", KorvoSkin_GetColour(L"no.such.key") == CLR_INVALID);
    Check("menu by name", KorvoSkin_GetMenu(L"Context") != NULL);
    Check("unknown menu", KorvoSkin_GetMenu(L"NoSuchMenu") == NULL);
    Check("skin watch on", KorvoSkin_SetWatchCallback(NULL, NULL) == KORVOSKIN_OK && KorvoSkin_WatchSkin(TRUE) == KORVOSKIN_OK);
    Check("skin watch off", KorvoSkin_WatchSkin(FALSE) == KORVOSKIN_OK);

    dialog = CreateDialogParamW(g_instance, MAKEINTRESOURCEW(IDD_SETTINGS), g_frame, SettingsProc, 0);
    ShowWindow(dialog, SW_SHOW);
    Pump();
    Check("dialog from a template skinned", (GetWindowLongW(dialog, GWL_STYLE) & WS_CAPTION) != WS_CAPTION);
    Check("its check box answers BM_SETCHECK and BM_GETCHECK",
          (SendDlgItemMessageW(dialog, IDC_AUTOSAVE, BM_SETCHECK, BST_CHECKED, 0), IsDlgButtonChecked(dialog, IDC_AUTOSAVE) == BST_CHECKED));
    Check("unskinned", KorvoSkin_UnskinWindow(dialog) == KORVOSKIN_OK);
    Check("system caption back", (GetWindowLongW(dialog, GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
    Check("unskinned twice: not skinned", KorvoSkin_UnskinWindow(dialog) == KORVOSKIN_E_NOT_SKINNED);
    Check("unknown target: not found", KorvoSkin_SkinWindow(dialog, L"NoSuchTarget") == KORVOSKIN_E_NOT_FOUND);
    DestroyWindow(dialog);
    Check("destroyed window: bad argument", KorvoSkin_SkinWindow(dialog, L"Dialog") == KORVOSKIN_E_BAD_ARGUMENT);

    stray = CreateFrame();
    Check("skinned again after a load", KorvoSkin_SkinWindow(stray, L"Main") == KORVOSKIN_OK
                                            && KorvoSkin_LoadSkin(L"Skins\\Ember.xml", L"") == KORVOSKIN_OK
                                            && (GetWindowLongW(stray, GWL_STYLE) & WS_CAPTION) != WS_CAPTION);
    DestroyWindow(stray);
    Check("Uninit", KorvoSkin_Uninit() == KORVOSKIN_OK);
    Check("the frame has its system caption back", (GetWindowLongW(g_frame, GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
    Check("after Uninit: not initialised", KorvoSkin_SkinWindow(g_frame, L"Main") == KORVOSKIN_E_NOT_INITIALISED);
    DestroyWindow(g_frame);
    printf("%d failed\n", g_failures);
    return g_failures ? 1 : 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    MSG msg;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
    (void)previous;
    g_instance = instance;
    InitCommonControlsEx(&controls);
    if (wcsstr(commandLine, L"--test"))
        return RunTest();
    if (KorvoSkin_Init() != KORVOSKIN_OK)
        return 1;
    g_frame = CreateFrame();
    SkinFrame(g_frame);
    ShowWindow(g_frame, show);
    while (GetMessageW(&msg, NULL, 0, 0) > 0)
    {
        if (!IsDialogMessageW(GetActiveWindow(), &msg))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    KorvoSkin_Uninit();
    return (int)msg.wParam;
}
