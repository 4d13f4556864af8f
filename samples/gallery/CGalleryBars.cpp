#include "CGalleryBars.h"

// The bars' place among the control-bar IDs, in docking order (the menu bar is created first,
// so it lies above the toolbar in z-order and takes the top row).
static const UINT IDW_MENU_BAR = AFX_IDW_CONTROLBAR_FIRST;
static const UINT IDW_TOOL_BAR = AFX_IDW_CONTROLBAR_FIRST + 1;

// The bars dock within the client area less a small margin, so that they line up with the
// dialog's frame rather than touch it.
static CRect BarsArea(CWnd* pDialog)
{
    CRect rc;
    pDialog->GetClientRect(&rc);
    rc.DeflateRect(4, 2, 4, 0);
    return rc;
}

void CGalleryBars::Create(CWnd* pDialog)
{
    m_menuBar.Create(pDialog, WS_VISIBLE | CBRS_ALIGN_TOP, IDW_MENU_BAR);
    m_toolBar.Create(pDialog, WS_VISIBLE | CBRS_ALIGN_TOP, IDW_TOOL_BAR);
    Refill();

    // What the bars leave free starts below them: the dialog's own controls move down by as
    // much, and the dialog grows by as much.
    CRect rcArea = BarsArea(pDialog), rcFree;
    pDialog->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, CWnd::reposQuery, &rcFree, &rcArea);
    const int cyBars = rcFree.top;
    for (CWnd* pChild = pDialog->GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
    {
        if (pChild->m_hWnd == m_menuBar.m_hWnd || pChild->m_hWnd == m_toolBar.m_hWnd)
            continue;
        CRect rc;
        pChild->GetWindowRect(&rc);
        pDialog->ScreenToClient(&rc);
        pChild->MoveWindow(rc.left, rc.top + cyBars, rc.Width(), rc.Height());
    }
    CRect rcWindow;
    pDialog->GetWindowRect(&rcWindow);
    pDialog->SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height() + cyBars, SWP_NOMOVE | SWP_NOZORDER);
    Layout();
}

void CGalleryBars::Layout()
{
    CWnd* pDialog = m_menuBar.GetParent();
    if (!pDialog)
        return;
    CRect rcArea = BarsArea(pDialog);
    pDialog->RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, CWnd::reposDefault, NULL, &rcArea);
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
