#include "CCoolBarState.h"
#include "CCoolBarTheme.h"
#include "../parts/CWindowDpi.h"

namespace
{
// A tick every so often notices the cursor leaving the bar for a child, a popup or elsewhere.
const UINT HOVER_POLL_MS = 100;
// The bar's hover timer has always been its timer 1; bars derived by hosts keep clear of it.
const UINT_PTR HOVER_TIMER_ID = 1;
}

CCoolBarState::CCoolBarState(CCoolBarCtrl& bar)
    : m_hbmErase(NULL), m_pPressed(NULL), m_pHot(NULL), m_bVertical(false), m_pTipItem(NULL), m_bTipActive(FALSE),
      m_pFocus(NULL), m_pMenuBar(NULL), m_bar(bar), m_hover(CHoverTracker::timerPoll, HOVER_TIMER_ID, HOVER_POLL_MS),
      m_crControl(CLR_INVALID)
{
}

bool CCoolBarState::HasItem(const CCoolBarItem* pItem) const
{
    for (const std::unique_ptr<CCoolBarItem>& p : m_items)
        if (p.get() == pItem)
            return true;
    return false;
}

void CCoolBarState::DeflateToButtons(CRect& rc) const
{
    CRect rcInside(0, 0, 0, 0);
    m_bar.CalcInsideRect(rcInside, FALSE);
    // Only the edges of the bar style stay out of the buttons' room, as thick as at 96 DPI
    // scaled.
    const CRect rcEdges(rcInside.left - m_bar.m_cyTopBorder, rcInside.top - m_bar.m_cxLeftBorder,
                        -rcInside.right - m_bar.m_cyBottomBorder, -rcInside.bottom - m_bar.m_cxRightBorder);
    const CRect rcScaled = m_scale.ScaleEdges(rcEdges);
    rc.DeflateRect(rcScaled.left, rcScaled.top, rcScaled.right, rcScaled.bottom);
}

BOOL CCoolBarState::UpdateDpi()
{
    const UINT nDpi = CWindowDpi::Of(m_bar.m_hWnd);
    if (nDpi == m_scale.GetDpi())
        return FALSE;
    m_scale = CDpiScale(nDpi);
    if (m_remeasure)
        m_remeasure();
    return TRUE;
}

void CCoolBarState::InvalidateItem(CCoolBarItem* pItem)
{
    CRect rc;
    if (m_bar.m_hWnd && m_bar.GetItemRect(pItem, &rc))
        m_bar.InvalidateRect(&rc, FALSE);
}

void CCoolBarState::OnItemChanged(CCoolBarItem* pItem)
{
    if (m_pHot == pItem && (!pItem->m_bEnabled || !pItem->m_bVisible))
        m_pHot = NULL;
    if (m_pTipItem == pItem)
        m_bar.SetToolTip(pItem);
    m_bar.OnUpdated();
}

void CCoolBarState::SetHot(CCoolBarItem* pHot)
{
    if (pHot == m_pHot)
        return;
    InvalidateItem(m_pHot);
    m_pHot = pHot;
    InvalidateItem(m_pHot);
}

bool CCoolBarState::IsCursorOverEnabledBar() const
{
    CWnd* pTop = m_bar.GetTopLevelParent();
    return CHoverTracker::IsCursorOver(m_bar.m_hWnd) && pTop && pTop->IsWindowEnabled();
}

void CCoolBarState::OnMouseMove()
{
    m_hover.OnMouseMove(m_bar.m_hWnd);
}

BOOL CCoolBarState::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_hover.OwnsTimer(nIDEvent))
        return FALSE;
    m_hover.OnTimer(m_bar.m_hWnd, nIDEvent);
    // A modal window over the bar's own leaves the cursor over the bar, but no click reaches it.
    if (m_hover.IsHover() && !IsCursorOverEnabledBar())
        m_hover.Cancel(m_bar.m_hWnd);
    if (!m_hover.IsHover())
        SetHot(NULL);
    return TRUE;
}

void CCoolBarState::StopHover()
{
    m_hover.Cancel(m_bar.m_hWnd);
}

void CCoolBarState::RestartHover()
{
    if (!IsCursorOverEnabledBar())
        SetHot(NULL);
    else if (m_pHot)
        m_hover.OnMouseMove(m_bar.m_hWnd);
}

HBRUSH CCoolBarState::GetControlBrush()
{
    COLORREF cr = CCoolBarTheme::GetControlBackColour();
    if (!m_brControl.m_hObject || m_crControl != cr)
    {
        m_brControl.DeleteObject();
        m_brControl.CreateSolidBrush(cr);
        m_crControl = cr;
    }
    return (HBRUSH)m_brControl.m_hObject;
}
