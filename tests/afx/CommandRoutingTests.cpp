// Commands that come from accelerators and menus (no control window) reach ON_COMMAND
// handlers, and a dialog's unhandled commands go on to its owner and then the application.
#include "AfxModuleState.h"
#include "DialogTemplate.h"
#include "KorvoTest.h"
#include <gtest/gtest.h>

using KorvoTest::CDialogTemplate;

#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141
#endif

namespace
{
const UINT ID_REFRESH = 0x8101;
const UINT ID_LOCKED = 0x8102;
const UINT ID_OWNER_ONLY = 0x8103;
const UINT ID_DIALOG_OWN = 0x8104;
const UINT ID_NOBODY = 0x8105;
// Below the command range: a control's ID, which MFC never routes past the dialog.
const UINT ID_CONTROL_RANGE = 0x1234;

class CAccelWnd : public CWnd
{
public:
    HACCEL m_hAccel = NULL;
    int m_nRefresh = 0;
    int m_nLocked = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return m_hAccel && ::TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg);
    }

protected:
    afx_msg void OnRefresh() { m_nRefresh++; }
    afx_msg void OnLocked() { m_nLocked++; }
    afx_msg void OnUpdateLocked(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAccelWnd, CWnd)
    ON_COMMAND(ID_REFRESH, OnRefresh)
    ON_COMMAND(ID_LOCKED, OnLocked)
    ON_UPDATE_COMMAND_UI(ID_LOCKED, OnUpdateLocked)
END_MESSAGE_MAP()

// An accelerator table of F5 -> ID_REFRESH and F6 -> ID_LOCKED, destroyed with the object.
struct CAccelTable
{
    HACCEL hAccel;
    CAccelTable()
    {
        ACCEL accel[] = { { FVIRTKEY, VK_F5, (WORD)ID_REFRESH }, { FVIRTKEY, VK_F6, (WORD)ID_LOCKED } };
        hAccel = ::CreateAcceleratorTableW(accel, 2);
    }
    ~CAccelTable() { ::DestroyAcceleratorTable(hAccel); }
};

} // namespace

TEST(Accelerator, CommandsReachOnCommandHandlersUnlessDisabled)
{
    CAccelWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, L"accel", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));
    CAccelTable table;
    ASSERT_NE(nullptr, table.hAccel);

    // Queued keys go through the message loop's pre-translation; an accelerator's WM_COMMAND
    // has notification code 1 and no control.
    wnd.m_hAccel = table.hAccel;
    struct { UINT nKey; int nRefresh; const char* pszWhat; } cases[] = {
        { VK_F5, 1, "F5 runs the command" },
        { VK_F6, 1, "F6's command is disabled by its update handler and does not run" },
        { VK_F7, 1, "a key without an accelerator does nothing" },
    };
    for (const auto& c : cases)
    {
        ::PostMessageW(wnd.m_hWnd, WM_KEYDOWN, c.nKey, 1 | (::MapVirtualKeyW(c.nKey, 0) << 16));
        KorvoTest::PumpMessages();
        EXPECT_EQ(c.nRefresh, wnd.m_nRefresh) << c.pszWhat;
        EXPECT_EQ(0, wnd.m_nLocked) << c.pszWhat;
    }

    // A menu command (code 0) arrives the same way; a control's notification code is not a command.
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_REFRESH, 0), 0);
    EXPECT_EQ(2, wnd.m_nRefresh);
    HWND hButton = ::CreateWindowExW(0, L"Button", L"b", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, (HMENU)(UINT_PTR)ID_REFRESH,
                                     NULL, NULL);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_REFRESH, BN_SETFOCUS), (LPARAM)hButton);
    EXPECT_EQ(2, wnd.m_nRefresh) << "BN_SETFOCUS from a control is not ON_COMMAND's";
    wnd.DestroyWindow();
}

namespace
{
class CRoutingApp : public CWinApp
{
public:
    int m_nAbout = 0;
    int m_nExit = 0;
    int m_nControl = 0;
    int m_nOwnerOnly = 0;

protected:
    afx_msg void OnAppAbout() { m_nAbout++; }
    afx_msg void OnAppExit() { m_nExit++; }
    afx_msg void OnUpdateAppExit(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnControl() { m_nControl++; }
    afx_msg void OnOwnerOnly() { m_nOwnerOnly++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_APP_EXIT, OnUpdateAppExit)
    ON_COMMAND(ID_CONTROL_RANGE, OnControl)
    ON_COMMAND(ID_OWNER_ONLY, OnOwnerOnly)
END_MESSAGE_MAP()

class COwnerWnd : public CWnd
{
public:
    int m_nOwnerOnly = 0;

protected:
    afx_msg void OnOwnerOnly() { m_nOwnerOnly++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    ON_COMMAND(ID_OWNER_ONLY, OnOwnerOnly)
END_MESSAGE_MAP()

class CRoutingDialog : public CDialog
{
public:
    int m_nOwn = 0;

protected:
    afx_msg void OnOwn() { m_nOwn++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingDialog, CDialog)
    ON_COMMAND(ID_DIALOG_OWN, OnOwn)
END_MESSAGE_MAP()

// The test program's application object comes back when the test's own one goes.
struct CRestoreApp
{
    CWinApp* pApp = AfxGetApp();
    ~CRestoreApp() { AfxGetModuleState()->m_pCurrentWinApp = pApp; }
};
} // namespace

TEST(DialogCommands, UnhandledCommandsGoToTheOwnerThenTheApplication)
{
    CRestoreApp restore;
    CRoutingApp app;
    ASSERT_EQ(&app, AfxGetApp());

    COwnerWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));
    CDialogTemplate tmpl(WS_POPUP | WS_CAPTION | DS_SETFONT, 120, 60, L"Routing");
    tmpl.AddControl(L"Button", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON, 5, 5, 50, 14, L"OK");
    CRoutingDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get(), &owner));

    struct { UINT nID; int CRoutingApp::*pAppCount; int nApp, nOwner, nDialog; BOOL bHandled; const char* pszWhat; } cases[] = {
        { ID_APP_ABOUT, &CRoutingApp::m_nAbout, 1, 0, 0, TRUE, "the application's handler" },
        { ID_APP_EXIT, &CRoutingApp::m_nExit, 1, 0, 0, TRUE, "another application command" },
        { ID_OWNER_ONLY, &CRoutingApp::m_nOwnerOnly, 0, 1, 0, TRUE, "the owner comes before the application" },
        { ID_DIALOG_OWN, &CRoutingApp::m_nAbout, 1, 1, 1, TRUE, "the dialog's own map comes first" },
        { ID_CONTROL_RANGE, &CRoutingApp::m_nControl, 0, 1, 1, FALSE, "control IDs stay with the dialog" },
        { ID_NOBODY, &CRoutingApp::m_nAbout, 1, 1, 1, FALSE, "nobody handles it" },
    };
    for (const auto& c : cases)
    {
        BOOL bHandled = dlg.OnCmdMsg(c.nID, CN_COMMAND, NULL, NULL);
        EXPECT_EQ(c.bHandled, bHandled) << c.pszWhat;
        EXPECT_EQ(c.nApp, app.*c.pAppCount) << c.pszWhat;
        EXPECT_EQ(c.nOwner, owner.m_nOwnerOnly) << c.pszWhat;
        EXPECT_EQ(c.nDialog, dlg.m_nOwn) << c.pszWhat;
    }

    // As a menu or accelerator sends it, through the window procedure.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 1), 0);
    EXPECT_EQ(2, app.m_nAbout);

    // Update handlers are routed the same way.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_APP_EXIT, L"Exit");
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndexMax = 1;
    state.m_nID = ID_APP_EXIT;
    state.DoUpdate(&dlg, TRUE);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED) << "a handler exists, in the application";

    dlg.DestroyWindow();
    owner.DestroyWindow();
}
