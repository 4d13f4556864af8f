// The messages part: a skinned dialog with bars and every kind of control, and garbage messages
// (CMessageFirer) posted and sent at it and all its windows from their own thread, from another
// thread and from another process: this program again, as "messages-child", which finds the
// dialog by its title. Each phase is bounded; afterwards every window must still be there and
// the dialog, a touch edit, the tree and both bars must answer a screen reader's question.
#include "SoakSupport.h"
#include "SoakMessageFirer.h"
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <KorvoSkin.h>
#include <commctrl.h>
#include <oleacc.h>
#include <stdio.h>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

using namespace KorvoBench;

namespace Soak
{

namespace
{
const wchar_t TITLE[] = L"KorvoSkin soak messages";

// The dialog's caption, Escape and Enter end nothing while messages fly.
class CSoakDialog : public CSkinDialog
{
protected:
    void OnOK() override {}
    void OnCancel() override {}
};

BOOL CALLBACK CollectChild(HWND hWnd, LPARAM lParam)
{
    ((std::vector<HWND>*)lParam)->push_back(hWnd);
    return TRUE;
}

// The dialog and every window inside it.
std::vector<HWND> WindowsOf(HWND hDialog)
{
    std::vector<HWND> windows = { hDialog };
    ::EnumChildWindows(hDialog, CollectChild, (LPARAM)&windows);
    return windows;
}

BOOL CALLBACK FindTitled(HWND hWnd, LPARAM lParam)
{
    wchar_t szTitle[64] = L"";
    ::GetWindowTextW(hWnd, szTitle, _countof(szTitle));
    if (wcscmp(szTitle, TITLE) != 0)
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

// Fires nCount messages at the windows; FALSE when the dialog went away.
BOOL FireAt(const std::vector<HWND>& windows, unsigned nCount, unsigned nSeed, bool bOtherProcess, unsigned& nPosted,
            unsigned& nSent)
{
    CMessageFirer firer(nSeed, bOtherProcess);
    CRandom pick(nSeed + 1);
    for (unsigned n = 0; n < nCount; n++)
        if (!firer.Fire(windows[pick.Below((unsigned)windows.size())]) && !::IsWindow(windows[0]))
            return FALSE;
    nPosted += firer.m_nPosted;
    nSent += firer.m_nSent;
    return TRUE;
}

// The role a screen reader is told for the window's client area; 0 when it is told nothing.
long RoleOf(HWND hWnd)
{
    IAccessible* pObject = NULL;
    if (FAILED(::AccessibleObjectFromWindow(hWnd, (DWORD)OBJID_CLIENT, __uuidof(IAccessible), (void**)&pObject)))
        return 0;
    VARIANT varSelf, varRole;
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    ::VariantInit(&varRole);
    long nRole = SUCCEEDED(pObject->get_accRole(varSelf, &varRole)) && varRole.vt == VT_I4 ? varRole.lVal : 0;
    pObject->Release();
    return nRole;
}

// Runs the program again as the child, handling this thread's messages until it ends.
int RunChild(unsigned nCount)
{
    wchar_t szProgram[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameW(NULL, szProgram, MAX_PATH);
    if (!nLength || nLength >= MAX_PATH)
        return -1;
    CString strCommand;
    strCommand.Format(L"\"%ls\" messages-child %u", szProgram, nCount);
    STARTUPINFOW startup = { sizeof(startup) };
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(szProgram, strCommand.GetBuffer(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return -1;
    strCommand.ReleaseBuffer();
    ::CloseHandle(process.hThread);
    const DWORD dwStart = ::GetTickCount();
    DWORD dwWait = WAIT_TIMEOUT;
    while (dwWait != WAIT_OBJECT_0 && ::GetTickCount() - dwStart < 600000)
    {
        dwWait = ::MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 50, QS_ALLINPUT);
        KorvoTest::PumpMessages(0);
    }
    DWORD dwExit = (DWORD)-1;
    if (dwWait != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 1);
    else
        ::GetExitCodeProcess(process.hProcess, &dwExit);
    ::CloseHandle(process.hProcess);
    return (int)dwExit;
}
} // namespace

int RunMessages(unsigned nCount, CString& strError)
{
    ::CoInitialize(NULL);
    InitSkin();
    LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml");
    KorvoTest::CDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                                  WS_MAXIMIZEBOX | DS_SETFONT,
                                              320, 200, TITLE);
    const LPCWSTR DATE_CLASS = L"SysDateTimePick32";
    struct
    {
        LPCWSTR pszClass;
        DWORD dwStyle;
        LPCWSTR pszText;
    } controls[] = {
        { L"Button", BS_AUTOCHECKBOX, L"Check" },   { TRACKBAR_CLASSW, TBS_AUTOTICKS, L"" },
        { L"ComboBox", CBS_DROPDOWNLIST, L"" },     { L"Static", SS_LEFT, L"Static" },
        { L"Button", BS_PUSHBUTTON, L"Icon" },      { WC_TREEVIEWW, TVS_HASBUTTONS | TVS_LINESATROOT, L"" },
        { L"Edit", 0, L"Touch" },                    { L"Edit", WS_BORDER, L"Skinned" },
        { L"Button", BS_PUSHBUTTON, L"Effect" },    { L"Static", SS_LEFT, L"Effect static" },
        { L"ComboBox", CBS_DROPDOWNLIST, L"" },     { DATE_CLASS, 0, L"" },
        { L"Static", SS_LEFT, L"" },                { L"Static", SS_LEFT, L"" },
        { L"Static", SS_LEFT, L"" },
    };
    for (int n = 0; n < (int)_countof(controls); n++)
        dialogTemplate.AddControl(controls[n].pszClass, 1000 + n, WS_CHILD | WS_VISIBLE | WS_TABSTOP | controls[n].dwStyle,
                                  10 + (n % 3) * 100, 40 + (n / 3) * 30, 90, controls[n].pszClass == DATE_CLASS ? 14 : 24,
                                  controls[n].pszText);
    CSoakDialog dialog;
    CCoolBarCtrl toolBar;
    CCoolMenuBarCtrl menuBar;
    if (!dialog.CreateIndirect(dialogTemplate.Get()) || !menuBar.Create(&dialog, WS_VISIBLE, 1) ||
        !toolBar.Create(&dialog, WS_VISIBLE, 2))
    {
        strError = L"the dialog and its bars could not be made";
        return -1;
    }
    CSkinCheckBox check;
    CSkinSliderCtrl slider;
    CSkinComboBox combo;
    CSkinStatic text;
    CIconButton icon;
    CSkinTree tree;
    CTouchEdit touch;
    CSkinEdit edit;
    CEffectButton effect;
    CEffectStatic effectText;
    CTouchComboBox touchCombo;
    CTouchDateTimeCtrl date;
    CImageStatic image;
    CUserHeadPhoto user;
    CGroupHeadPhoto group;
    CWnd* apControls[] = { &check, &slider, &combo, &text, &icon, &tree, &touch, &edit,
                           &effect, &effectText, &touchCombo, &date, &image, &user, &group };
    for (int n = 0; n < (int)_countof(apControls); n++)
        if (!apControls[n]->SubclassDlgItem(1000 + n, &dialog))
        {
            strError.Format(L"control %d could not be made", n);
            return -1;
        }
    combo.AddString(L"Aurora");
    touchCombo.AddString(L"Ember");
    for (int n = 0; n < 20; n++)
        tree.Expand(tree.InsertItem(L"Group"), TVE_EXPAND);
    dialog.SkinMe(L"Gallery", 128);
    CMenu* pBarMenu = GetSkinMenu(L"GalleryBar");
    menuBar.SetMenu(pBarMenu ? pBarMenu->m_hMenu : NULL);
    CreateSkinToolBar(L"Gallery", &toolBar);
    menuBar.MoveWindow(0, 0, 300, 24);
    toolBar.MoveWindow(0, 26, 400, 30);
    dialog.ShowWindow(SW_SHOWNOACTIVATE);
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 50, EndMenuTimer);
    const std::vector<HWND> windows = WindowsOf(dialog.m_hWnd);
    std::vector<CString> classes;
    for (HWND hWnd : windows)
    {
        wchar_t szClass[64] = L"";
        ::GetClassNameW(hWnd, szClass, _countof(szClass));
        classes.push_back(szClass);
    }
    HWND hSpeakers[] = { dialog.m_hWnd, touch.m_hWnd, tree.m_hWnd, toolBar.m_hWnd, menuBar.m_hWnd };

    PrintFigures("messages", "start", Measure());
    double dStart = Now();
    unsigned nPosted = 0, nSent = 0;
    // Each phase in slices, with the message loop running between them; the child runs while
    // this thread handles what it sends and posts.
    BOOL bHeld = TRUE;
    for (unsigned n = 0; bHeld && n < nCount; n += 100)
    {
        bHeld = FireAt(windows, std::min(100u, nCount - n), 1 + n, false, nPosted, nSent);
        KorvoTest::PumpMessages(0);
    }
    printf("messages: this thread: %u posted, %u sent, %.1f s\n", nPosted, nSent, Now() - dStart);
    std::atomic<bool> bThreadDone(false);
    std::atomic<bool> bThreadHeld(true);
    unsigned nThreadPosted = 0, nThreadSent = 0;
    std::thread other([&] {
        ::CoInitialize(NULL);
        bThreadHeld = FireAt(windows, nCount, 7919, false, nThreadPosted, nThreadSent) != FALSE;
        ::CoUninitialize();
        bThreadDone = true;
    });
    while (!bThreadDone)
        KorvoTest::PumpMessages(10);
    other.join();
    KorvoTest::PumpMessages(20);
    printf("messages: another thread: %u posted, %u sent, %.1f s\n", nThreadPosted, nThreadSent, Now() - dStart);
    // The child finds the dialog by its title, which the messages may have changed.
    dialog.SetWindowText(TITLE);
    int nChild = bHeld && bThreadHeld ? RunChild(nCount) : -1;
    KorvoTest::PumpMessages(20);
    printf("messages: another process: ended with %d, %.1f s\n", nChild, Now() - dStart);
    ::KillTimer(NULL, nTimer);

    // Every window is there and still tells a screen reader what it is.
    int nGone = 0, nSilent = 0;
    for (size_t n = 0; n < windows.size(); n++)
        if (!::IsWindow(windows[n]))
        {
            printf("messages: gone: a window of class %ls\n", (LPCWSTR)classes[n]);
            nGone++;
        }
    for (HWND hWnd : hSpeakers)
        nSilent += RoleOf(hWnd) == 0;
    PrintFigures("messages", "end", Measure());
    printf("messages: %u messages from each of three senders; %d windows gone, %d of %d silent\n", nCount, nGone,
           nSilent, (int)_countof(hSpeakers));
    dialog.DestroyWindow();
    UnInitSkin();
    ::CoUninitialize();
    if (!bHeld || !bThreadHeld || nChild != 0 || nGone || nSilent)
    {
        strError = L"a window was lost, fell silent, or the other process failed";
        return -1;
    }
    return (int)nCount * 3;
}

int RunMessagesChild(unsigned nCount)
{
    ::CoInitialize(NULL);
    HWND hDialog = NULL;
    ::EnumWindows(FindTitled, (LPARAM)&hDialog);
    if (!hDialog)
        return -1;
    std::vector<HWND> windows = WindowsOf(hDialog);
    unsigned nPosted = 0, nSent = 0;
    BOOL bHeld = FireAt(windows, nCount, 104729, true, nPosted, nSent);
    printf("messages-child: %u windows, %u posted, %u sent\n", (unsigned)windows.size(), nPosted, nSent);
    ::CoUninitialize();
    return bHeld ? (int)nCount : -1;
}

} // namespace Soak
