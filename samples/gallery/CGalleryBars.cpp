#include "CGalleryBars.h"

static const int MENU_BAR_HEIGHT = 22;
static const int TOOL_BAR_HEIGHT = 28;
static const UINT IDC_MENU_BAR = 1201;
static const UINT IDC_TOOL_BAR = 1202;

void CGalleryBars::Create(CWnd* pDialog)
{
    // Move the dialog's controls down and grow the dialog by the bars' height.
    const int cyBars = MENU_BAR_HEIGHT + TOOL_BAR_HEIGHT;
    for (CWnd* pChild = pDialog->GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
    {
        CRect rc;
        pChild->GetWindowRect(&rc);
        pDialog->ScreenToClient(&rc);
        pChild->MoveWindow(rc.left, rc.top + cyBars, rc.Width(), rc.Height());
    }
    CRect rcWindow;
    pDialog->GetWindowRect(&rcWindow);
    pDialog->SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height() + cyBars, SWP_NOMOVE | SWP_NOZORDER);

    CRect rcClient;
    pDialog->GetClientRect(&rcClient);
    m_menuBar.Create(pDialog, WS_VISIBLE, IDC_MENU_BAR);
    m_menuBar.MoveWindow(0, 0, rcClient.Width(), MENU_BAR_HEIGHT);
    m_toolBar.Create(pDialog, WS_VISIBLE, IDC_TOOL_BAR);
    m_toolBar.MoveWindow(8, MENU_BAR_HEIGHT + 2, rcClient.Width() - 16, TOOL_BAR_HEIGHT - 4);
}

void CGalleryBars::Refill()
{
    CMenu* pMenu = GetSkinMenu(L"GalleryBar");
    m_menuBar.SetMenu(pMenu ? pMenu->m_hMenu : NULL);
    CreateSkinToolBar(L"Gallery", &m_toolBar);
}

void CGalleryBars::ShowOff()
{
    CRect rc;
    if (m_toolBar.GetItemRect(m_toolBar.GetIndex(1), &rc))
    {
        CPoint pt = rc.CenterPoint();
        m_toolBar.ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        m_toolBar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
    }
    m_menuBar.OpenMenuChar('f');
}
