#include "DialogTemplate.h"
#include "KorvoTest.h"
#include <gtest/gtest.h>

using KorvoTest::CDialogTemplate;

namespace
{
const UINT ID_PING = 40001;
UINT WM_TEST_REGISTERED = ::RegisterWindowMessageW(L"KorvoTest.Registered");

class CBaseWnd : public CWnd
{
public:
    int m_nSizes = 0;
    int m_nCreates = 0;
    int m_nUpdates = 0;
    BOOL m_bPostNcDestroy = FALSE;

protected:
    afx_msg int OnCreate(LPCREATESTRUCTW lpcs)
    {
        m_nCreates++;
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_nSizes++;
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg void OnUpdatePing(CCmdUI* pCmdUI)
    {
        m_nUpdates++;
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(1);
    }
    void PostNcDestroy() override { m_bPostNcDestroy = TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_UPDATE_COMMAND_UI(ID_PING, OnUpdatePing)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd
{
public:
    CSize m_sizeLast;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_sizeLast = CSize(cx, cy);
        CBaseWnd::OnSize(nType, cx, cy);
    }
    // Handled, but left to the default window procedure.
    afx_msg UINT OnNcHitTest(CPoint point) { return CWnd::OnNcHitTest(point); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam) { return wParam + lParam; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
    ON_REGISTERED_MESSAGE(WM_TEST_REGISTERED, OnRegistered)
END_MESSAGE_MAP()
}

TEST(MessageMap, DerivedEntriesWinAndChainToTheBaseMap)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, L"maps", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150, NULL, NULL));
    EXPECT_EQ(1, wnd.m_nCreates) << "WM_CREATE reaches the map while the window is being created";

    int nSizesBefore = wnd.m_nSizes;
    wnd.SetWindowPos(NULL, 0, 0, 300, 220, SWP_NOMOVE | SWP_NOZORDER);
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    EXPECT_EQ(rcClient.Size(), wnd.m_sizeLast);
    EXPECT_EQ(nSizesBefore + 1, wnd.m_nSizes) << "the derived handler chains to the base handler once";

    EXPECT_EQ(7, wnd.SendMessage(WM_TEST_REGISTERED, 3, 4));

    CRect rcWindow;
    wnd.GetWindowRect(&rcWindow);
    EXPECT_EQ((LRESULT)HTCAPTION, wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWindow.left + 50, rcWindow.top + 8)))
        << "unhandled work falls through to the default window procedure";

    wnd.DestroyWindow();
    EXPECT_TRUE(wnd.m_bPostNcDestroy);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

// The update handler is in the base class's map.
TEST(CmdUI, UpdateHandlersChangeMenuItemsByPosition)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_PING, L"Ping");
    menu.AppendMenu(MF_STRING, ID_PING + 1, L"Other");

    CDerivedWnd target;
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndexMax = menu.GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = menu.GetMenuItemID(state.m_nIndex);
        state.DoUpdate(&target, FALSE);
    }
    EXPECT_EQ(1, target.m_nUpdates);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED) << "no handler and no disabling asked: left enabled";

    state.m_nIndex = 1;
    state.m_nID = ID_PING + 1;
    state.DoUpdate(&target, TRUE);
    EXPECT_TRUE(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED) << "no handler at all: disabled on request";
}

namespace
{
class CTestDialog : public CDialog
{
public:
    BOOL m_bInitialised = FALSE;
    BOOL OnInitDialog() override
    {
        m_bInitialised = TRUE;
        SetDlgItemText(100, L"set in OnInitDialog");
        return CDialog::OnInitDialog();
    }
};
}

static void CALLBACK ClickOkOfModal(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(NULL, idEvent);
    HWND hDlg = ::FindWindowW(NULL, L"Modal");
    ::PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
}

TEST(Dialog, ModelessAndModalDialogsFromTemplatesRunOnInitDialog)
{
    CDialogTemplate tmpl(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT, 160, 80, L"Modal");
    tmpl.AddControl(L"Static", 100, WS_VISIBLE, 5, 5, 100, 10, L"label")
        .AddControl(L"Button", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON, 5, 20, 50, 14, L"OK");
    CTestDialog modeless;
    ASSERT_TRUE(modeless.CreateIndirect(tmpl.Get()));
    EXPECT_TRUE(modeless.m_bInitialised);
    CString strText;
    modeless.GetDlgItemText(100, strText);
    EXPECT_EQ(CString(L"set in OnInitDialog"), strText);
    modeless.DestroyWindow();
    EXPECT_EQ(nullptr, modeless.m_hWnd);

    CTestDialog modal;
    modal.InitModalIndirect(tmpl.Get());
    // Clicks OK from inside the modal loop, as a person would.
    ::SetTimer(NULL, 0, 50, ClickOkOfModal);
    EXPECT_EQ(IDOK, modal.DoModal()) << "the loop ends with the result of EndDialog";
    EXPECT_TRUE(modal.m_bInitialised);
    EXPECT_EQ(nullptr, modal.m_hWnd);
}
