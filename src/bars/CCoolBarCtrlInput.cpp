// The bar's input and what it passes on: hover tracking, clicks, keys, tooltips, command-UI
// updates, and its child controls' commands, scrolling and colours.
#include <KorvoSkin/CCoolBarCtrl.h>
#include "CCoolBarState.h"
#include "CCoolBarTheme.h"
#include "CCoolBarKeyboard.h"

void CCoolBarCtrl::OnMouseMove(UINT, CPoint point)
{
    CCoolBarState& state = *m_pState;
    CCoolBarItem* pItem = HitTest(point);
    // The tooltip changes with the button under the mouse, not with every move.
    if (pItem && pItem != state.m_pTipItem)
        SetToolTip(pItem);
    state.SetHot(pItem && pItem != state.m_pPressed && pItem->m_bEnabled ? pItem : NULL);
    state.OnMouseMove();
    Default();
}

void CCoolBarCtrl::OnTimer(UINT_PTR nIDEvent)
{
    m_pState->OnTimer(nIDEvent);
    CControlBar::OnTimer(nIDEvent);
}

void CCoolBarCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    HWND hFocus = ::GetFocus();
    if (hFocus && ::IsChild(m_hWnd, hFocus))
        SetFocus();
    CControlBar::OnLButtonDown(nFlags, point);
}

void CCoolBarCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CCoolBarCtrl::OnLButtonUp(UINT, CPoint point)
{
    CCoolBarItem* pItem = HitTest(point);
    if (!pItem || pItem == m_pState->m_pPressed || !pItem->m_bEnabled)
    {
        Default();
        return;
    }
    ::ReleaseCapture();
    m_pState->InvalidateItem(pItem);
    if (CWnd* pOwner = GetOwner())
        pOwner->PostMessage(WM_COMMAND, pItem->m_nID, 0);
}

BOOL CCoolBarCtrl::PreTranslateMessage(MSG* pMsg)
{
    // Keys the bar itself gets (it has the focus) move among its buttons and press them.
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && CCoolBarKeyboard::OnKeyDown(*this, (UINT)pMsg->wParam))
        return TRUE;
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
    {
        // The owner hears of Enter and Escape in the bar (or a control on it) as a command of
        // the bar; the key goes no further, so a dialog owner does not also end.
        CWnd* pOwner = GetOwner();
        if (pOwner)
        {
            WORD wCode = pMsg->wParam == VK_ESCAPE ? 5 : 0;
            pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), wCode), (LPARAM)m_hWnd);
            return TRUE;
        }
    }
    else if (pMsg->message == WM_MOUSEMOVE && m_wndTip.m_hWnd)
        m_wndTip.RelayEvent(pMsg);
    return CControlBar::PreTranslateMessage(pMsg);
}

BOOL CCoolBarCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    WORD wCode = HIWORD(wParam);
    if (wCode == EN_SETFOCUS || wCode == EN_KILLFOCUS)
        Invalidate(FALSE);
    CWnd* pParent = GetParent();
    if (pParent && pParent->SendMessage(WM_COMMAND, wParam, lParam))
        return TRUE;
    return CControlBar::OnCommand(wParam, lParam);
}

void CCoolBarCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), (LPARAM)(pScrollBar ? pScrollBar->m_hWnd : NULL));
}

HBRUSH CCoolBarCtrl::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor != CTLCOLOR_STATIC)
        return CControlBar::OnCtlColor(pDC, pWnd, nCtlColor);
    HBRUSH hBrush = m_pState->GetControlBrush();
    pDC->SetBkColor(CCoolBarTheme::GetControlBackColour());
    return hBrush;
}

void CCoolBarCtrl::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdTarget* pCmdTarget = pTarget;
    if (!pCmdTarget)
        pCmdTarget = GetOwner();
    UINT nCount = 0;
    const CCoolBarLayout::Items& items = m_pState->m_items;
    for (const std::unique_ptr<CCoolBarItem>& pItem : items)
        nCount += pItem->m_nID != 0;
    UINT nIndex = 0;
    for (size_t n = 0; n < items.size(); n++)
    {
        CCoolBarItem* pItem = items[n].get();
        if (!pItem->m_nID)
            continue;
        pItem->m_nIndex = nIndex++;
        pItem->m_pOther = this;
        pItem->m_nIndexMax = nCount;
        if (!OnCmdMsg(pItem->m_nID, CN_UPDATE_COMMAND_UI, pItem, NULL))
            pItem->DoUpdate(pCmdTarget, bDisableIfNoHndler);
    }
}

void CCoolBarCtrl::InitToolTip()
{
    if (!m_wndTip.Create(this))
        return;
    m_wndTip.SetDelayTime(TTDT_AUTOMATIC, 40);
    m_wndTip.SetTipTextColor(RGB(0x69, 0x69, 0x69));
    m_wndTip.SetTipBkColor(RGB(255, 255, 255));
    m_wndTip.Activate(TRUE);
    m_pState->m_bTipActive = TRUE;
}

void CCoolBarCtrl::SetToolTip(CCoolBarItem* pItem)
{
    if (!m_wndTip.m_hWnd || !pItem)
        return;
    m_pState->m_pTipItem = pItem;
    BOOL bActive = !pItem->m_strTip.IsEmpty();
    if (bActive != m_pState->m_bTipActive)
    {
        m_wndTip.Activate(bActive);
        m_pState->m_bTipActive = bActive;
    }
    if (!bActive)
        return;
    CRect rc;
    GetClientRect(&rc);
    TOOLINFOW ti;
    // One tool covers the bar; it is added once and then given each button's text.
    if (m_wndTip.GetToolInfo(&ti, this, 0))
    {
        if (m_wndTip.GetText(this, 0) != pItem->m_strTip)
            m_wndTip.UpdateTipText(pItem->m_strTip, this, 0);
        if (CRect(ti.rect) != rc)
            m_wndTip.SetToolRect(this, 0, &rc);
    }
    else
        m_wndTip.AddTool(this, pItem->m_strTip, &rc, 0);
}

INT_PTR CCoolBarCtrl::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    CRect rc;
    CCoolBarItem* pItem = HitTest(point, &rc);
    if (!pItem)
        return -1;
    if (!pTI)
        return 1;
    pTI->uFlags = 0;
    pTI->hwnd = m_hWnd;
    pTI->uId = pItem->m_nID;
    pTI->rect = rc;
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
    return pItem->m_nID;
}
