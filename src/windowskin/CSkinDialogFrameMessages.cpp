// How a skinned frame answers its window's messages, for a CSkinDialog and for any window
// attached by handle alike.
#include "CSkinDialogFrame.h"
#include "CWindowSkin.h"
#include "CAccessibleProxy.h"
#include "../parts/CWindowDpi.h"

// The rectangle a WM_DPICHANGED points at, or null unless this process can read one there: any
// process can post the message with any number.
static const RECT* ReadableRect(LPARAM lParam)
{
    const BYTE* pRect = (const BYTE*)lParam;
    MEMORY_BASIC_INFORMATION info = {};
    if (!pRect || !::VirtualQuery(pRect, &info, sizeof(info)) || info.State != MEM_COMMIT
        || (info.Protect & (PAGE_NOACCESS | PAGE_GUARD)) || pRect + sizeof(RECT) > (const BYTE*)info.BaseAddress + info.RegionSize)
        return NULL;
    return (const RECT*)pRect;
}

BOOL CSkinDialogFrame::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!m_pSkin || !lpncsp)
        return FALSE;
    const POINT ptWindow = { lpncsp->rgrc[0].left, lpncsp->rgrc[0].top };
    m_pSkin->OnNcCalcSize(&m_wnd, bCalcValidRects, lpncsp);
    m_menuBar.TakeRoom(lpncsp->rgrc[0], ptWindow, CWindowSkin::ScaleOf(&m_wnd));
    return TRUE;
}

BOOL CSkinDialogFrame::OnNcHitTest(CPoint point, UINT& nHitTest)
{
    if (!m_pSkin)
        return FALSE;
    if (m_menuBar.HitTest(point))
    {
        nHitTest = HTMENU;
        return TRUE;
    }
    nHitTest = m_pSkin->HitTest(&m_wnd, point, (m_wnd.GetStyle() & WS_THICKFRAME) != 0);
    return TRUE;
}

BOOL CSkinDialogFrame::OnNcActivate(BOOL bActive, BOOL bStayActive)
{
    if (!m_pSkin)
        return FALSE;
    const BOOL bActiveLook = m_wnd.IsWindowEnabled() && (bActive || bStayActive);
    m_pSkin->OnNcActivate(&m_wnd, m_state, bActiveLook);
    m_shadow.SetActive(bActiveLook);
    return TRUE;
}

BOOL CSkinDialogFrame::OnNcPaint()
{
    if (!m_pSkin)
        return FALSE;
    m_pSkin->OnNcPaint(&m_wnd, m_state);
    if (m_menuBar.GetHeight() > 0)
    {
        CWindowDC dc(&m_wnd);
        m_menuBar.Paint(&dc);
    }
    return TRUE;
}

BOOL CSkinDialogFrame::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (m_pSkin && nHitTest == HTMENU)
        return m_menuBar.OnNcLButtonDown(point);
    return m_pSkin && m_pSkin->OnNcLButtonDown(&m_wnd, m_state, nHitTest, point);
}

BOOL CSkinDialogFrame::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    return m_pSkin && m_pSkin->OnNcLButtonUp(&m_wnd, m_state, nHitTest, point);
}

BOOL CSkinDialogFrame::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    return m_pSkin && m_pSkin->OnNcLButtonDblClk(&m_wnd, m_state, nHitTest, point);
}

void CSkinDialogFrame::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (!m_pSkin)
        return;
    m_pSkin->OnNcMouseMove(&m_wnd, m_state, nHitTest, point);
    m_menuBar.OnNcMouseMove(point);
}

void CSkinDialogFrame::OnNcMouseLeave()
{
    if (m_pSkin)
        m_pSkin->OnNcMouseLeave(&m_wnd, m_state);
    m_menuBar.OnNcMouseLeave();
}

void CSkinDialogFrame::OnSize()
{
    if (m_pSkin)
        m_pSkin->ApplyRegion(&m_wnd);
    m_systemLook.Apply(m_wnd.m_hWnd, m_pSkin);
    m_dpiSize.OnSized(m_wnd.m_hWnd);
    m_shadow.Follow();
}

BOOL CSkinDialogFrame::OnEraseBkgnd(CDC* pDC)
{
    return m_pSkin && pDC && m_pSkin->PaintWatermark(&m_wnd, pDC);
}

BOOL CSkinDialogFrame::OnSetText(WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    if (!m_pSkin)
        return FALSE;
    // The default processing paints the system caption of a visible window; hidden, it only
    // stores the text, and the skin repaints its own caption strip.
    const HWND hWnd = m_wnd.m_hWnd;
    const BOOL bVisible = (::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (bVisible)
        ::SetWindowLongW(hWnd, GWL_STYLE, ::GetWindowLongW(hWnd, GWL_STYLE) & ~WS_VISIBLE);
    lResult = m_default(WM_SETTEXT, wParam, lParam);
    if (bVisible && ::IsWindow(hWnd))
        ::SetWindowLongW(hWnd, GWL_STYLE, ::GetWindowLongW(hWnd, GWL_STYLE) | WS_VISIBLE);
    // The window's own processing may have unskinned it.
    if (m_pSkin)
        m_pSkin->OnSetText(&m_wnd, m_state);
    return TRUE;
}

HBRUSH CSkinDialogFrame::OnCtlColor(CDC* pDC, CWnd* pChild, UINT nCtlColor, HBRUSH hDefault)
{
    if (!m_pSkin)
        return hDefault;
    return Colours().ForChild(&m_wnd, pDC, pChild, nCtlColor, m_pSkin, &m_state, hDefault);
}

LRESULT CSkinDialogFrame::OnGetObject(WPARAM wParam, LPARAM lParam, LONG nRole)
{
    const HWND hWnd = m_wnd.m_hWnd;
    if (CAccessibleQuery* pQuery = CAccessibleQuery::Of(hWnd, wParam, lParam))
    {
        if (pQuery->idObject == OBJID_TITLEBAR)
            return m_pSkin && m_pSkin->DescribeTitleBar(&m_wnd, m_state, *pQuery);
        if (pQuery->idObject == OBJID_MENU)
            return m_pSkin && m_menuBar.Describe(*pQuery);
        if (!nRole || pQuery->idObject != OBJID_CLIENT || pQuery->idChild != CHILDID_SELF)
            return FALSE;
        pQuery->nRole = nRole;
        return TRUE;
    }
    // The title bar is the skin's only while there is one; otherwise the system's.
    LRESULT lResult = nRole ? CAccessibleProxy::Serve(hWnd, wParam, lParam, OBJID_CLIENT) : 0;
    if (!lResult && m_pSkin)
        lResult = CAccessibleProxy::Serve(hWnd, wParam, lParam, OBJID_TITLEBAR);
    // The bar drawn in the frame is the skin's while there is one; the system's knows other places.
    if (!lResult && m_pSkin && m_menuBar.GetHeight() > 0)
        lResult = CAccessibleProxy::Serve(hWnd, wParam, lParam, OBJID_MENU);
    return lResult ? lResult : m_default(WM_GETOBJECT, wParam, lParam);
}

LRESULT CSkinDialogFrame::OnDpiChanged(WPARAM wParam, LPARAM lParam, const std::function<void(UINT, UINT)>& scale,
                                       const std::function<void()>& arrange)
{
    const HWND hWnd = m_wnd.m_hWnd;
    const UINT nOldDpi = CWindowDpi::Of(hWnd);
    const UINT nNewDpi = CDpiScale::Bound(LOWORD(wParam));
    if (!CWindowDpi::Remember(hWnd, nNewDpi))
        return m_default(WM_DPICHANGED, wParam, lParam);
    if (nNewDpi != nOldDpi && scale)
        scale(nOldDpi, nNewDpi);
    // Embedded pages, bars and controls follow the window.
    CWindowDpi::TellChildren(hWnd);

    // The frame, the region, the children's places and the caption are all redone with redraw
    // off, then painted once; the shadow, which would see the window hidden meanwhile, follows
    // once at the end.
    const BOOL bVisible = ::IsWindowVisible(hWnd);
    m_shadow.Hold(TRUE);
    if (bVisible)
        m_wnd.SetRedraw(FALSE);
    const RECT* pSuggested = ReadableRect(lParam);
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    // The suggested place; back at the DPI its size was set at, the window takes that size again.
    const CDpiWindowSize::CChange change(m_dpiSize);
    if (pSuggested && !::IsIconic(hWnd) && !::IsZoomed(hWnd))
    {
        const CSize size = m_dpiSize.SizeAt(nNewDpi, CRect(*pSuggested).Size());
        ::SetWindowPos(hWnd, NULL, pSuggested->left, pSuggested->top, size.cx, size.cy, nFlags);
    }
    else
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, nFlags | SWP_NOMOVE | SWP_NOSIZE);
    if (m_pSkin)
        m_pSkin->ApplyRegion(&m_wnd);
    if (arrange)
        arrange();
    if (bVisible)
    {
        m_wnd.SetRedraw(TRUE);
        ::RedrawWindow(hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    m_shadow.Hold(FALSE);
    return 0;
}

void CSkinDialogFrame::OnNcDestroy()
{
    CWindowDpi::Forget(m_wnd.m_hWnd);
    Release();
}
