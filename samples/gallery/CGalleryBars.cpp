#include "CGalleryBars.h"

// Both bars share one row: the menu bar's captions, then the toolbar.
static const int BARS_HEIGHT = 30;
static const int TOOL_BAR_GAP = 12;
static const UINT IDC_MENU_BAR = 1201;
static const UINT IDC_TOOL_BAR = 1202;

void CGalleryBars::Create(CWnd* pDialog)
{
    // Move the dialog's controls down and grow the dialog by the bars' height.
    const int cyBars = BARS_HEIGHT;
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

    m_menuBar.Create(pDialog, WS_VISIBLE, IDC_MENU_BAR);
    m_toolBar.Create(pDialog, WS_VISIBLE, IDC_TOOL_BAR);
}

void CGalleryBars::Layout()
{
    // The menu bar is as wide as its captions; the toolbar takes the rest of the row.
    CRect rcClient;
    m_menuBar.GetParent()->GetClientRect(&rcClient);
    int cxMenu = 0;
    for (int n = 0; n < m_menuBar.GetCount(); n++)
        if (m_menuBar.GetIndex(n)->m_bVisible)
            cxMenu += m_menuBar.GetIndex(n)->m_nSize;
    m_menuBar.MoveWindow(4, 2, cxMenu, BARS_HEIGHT - 6);
    m_toolBar.MoveWindow(4 + cxMenu + TOOL_BAR_GAP, 2, rcClient.Width() - cxMenu - TOOL_BAR_GAP - 8, BARS_HEIGHT - 5);
}

void CGalleryBars::Refill()
{
    CMenu* pMenu = GetSkinMenu(L"GalleryBar");
    m_menuBar.SetMenu(pMenu ? pMenu->m_hMenu : NULL);
    CreateSkinToolBar(L"Gallery", &m_toolBar);
    Layout();
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
