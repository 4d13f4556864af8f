#include "CHoverTracker.h"
#include <commctrl.h>

CHoverTracker::CHoverTracker(Mode mode, UINT_PTR nTimerId, UINT nPollMs)
    : m_mode(mode), m_nTimerId(nTimerId), m_nPollMs(nPollMs), m_bHover(false)
{
}

bool CHoverTracker::OnMouseMove(HWND hWnd)
{
    if (m_bHover || !::IsWindow(hWnd))
        return false;
    if (m_mode == leaveNotification)
    {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hWnd, 0};
        if (!::_TrackMouseEvent(&tme))
            return false;
    }
    else if (!::SetTimer(hWnd, m_nTimerId, m_nPollMs, NULL))
        return false;
    m_bHover = true;
    return true;
}

bool CHoverTracker::OnMouseLeave()
{
    if (m_mode != leaveNotification || !m_bHover)
        return false;
    m_bHover = false;
    return true;
}

bool CHoverTracker::OnTimer(HWND hWnd, UINT_PTR nIDEvent)
{
    if (!OwnsTimer(nIDEvent))
        return false;
    if (m_bHover && IsCursorOver(hWnd))
        return false;
    ::KillTimer(hWnd, m_nTimerId);
    bool bWasHover = m_bHover;
    m_bHover = false;
    return bWasHover;
}

bool CHoverTracker::Cancel(HWND hWnd)
{
    if (!m_bHover)
        return false;
    m_bHover = false;
    if (!::IsWindow(hWnd))
        return true;
    if (m_mode == leaveNotification)
    {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE | TME_CANCEL, hWnd, 0};
        ::_TrackMouseEvent(&tme);
    }
    else
        ::KillTimer(hWnd, m_nTimerId);
    return true;
}

bool CHoverTracker::IsCursorOver(HWND hWnd)
{
    POINT pt;
    if (!::GetCursorPos(&pt))
        return false;
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc) || !::PtInRect(&rc, pt))
        return false;
    // A window that lets the pointer through (a static) is never the one under it, so the test
    // is for the same top-level window: no other window covers the spot.
    HWND hUnder = ::WindowFromPoint(pt);
    return hUnder && ::GetAncestor(hUnder, GA_ROOT) == ::GetAncestor(hWnd, GA_ROOT);
}
