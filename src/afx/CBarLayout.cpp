#include "CBarLayout.h"
#include "CControlBar.h"
#include <algorithm>

void CBarLayout::Reposition(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                            LPCRECT lpRectClient, BOOL bStretch)
{
    const UINT nMode = nFlag & ~CWnd::reposNoPosLeftOver;
    const bool bQuery = nMode == CWnd::reposQuery;
    HWND hWndParent = pParent ? pParent->GetSafeHwnd() : NULL;
    if (!hWndParent || !::IsWindow(hWndParent))
    {
        if (bQuery && lpRectParam)
            ::SetRectEmpty(lpRectParam);
        return;
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(hWndParent, &layout.rect);
    layout.hDWP = bQuery ? NULL : ::BeginDeferWindowPos(8);

    // Z-order decides which bar is nearest the edge; only wrapped windows know the message.
    HWND hWndLeftOver = NULL;
    for (HWND hChild = ::GetTopWindow(hWndParent); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        const UINT nID = (UINT)::GetDlgCtrlID(hChild);
        if (nIDLeftOver && nID == nIDLeftOver)
            hWndLeftOver = hChild;
        else if (nID >= nIDFirst && nID <= nIDLast && CWnd::FromHandlePermanent(hChild))
            ::SendMessageW(hChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (bQuery)
    {
        if (lpRectParam && bStretch)
            *lpRectParam = layout.rect;
        else if (lpRectParam)
            ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        return;
    }
    if (hWndLeftOver && !(nFlag & CWnd::reposNoPosLeftOver))
    {
        RECT rc = layout.rect;
        if (nMode == CWnd::reposExtra && lpRectParam)
        {
            rc.left += lpRectParam->left;
            rc.top += lpRectParam->top;
            rc.right = std::max(rc.left, rc.right - lpRectParam->right);
            rc.bottom = std::max(rc.top, rc.bottom - lpRectParam->bottom);
        }
        AfxRepositionWindow(&layout, hWndLeftOver, &rc);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CBarLayout::DockBar(CControlBar* pBar, AFX_SIZEPARENTPARAMS* pLayout)
{
    const DWORD dwStyle = pBar->GetBarStyle();
    // The window style, not IsWindowVisible: a dialog lays out its bars before it is shown.
    if (!pLayout || !(pBar->GetStyle() & WS_VISIBLE) || !(dwStyle & CBRS_ALIGN_ANY))
        return;
    CRect rect(pLayout->rect);
    const BOOL bHorz = (dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = pBar->CalcFixedLayout(pLayout->bStretch, bHorz);
    size.cx = std::max(0, std::min((int)size.cx, rect.Width()));
    size.cy = std::max(0, std::min((int)size.cy, rect.Height()));
    if (bHorz)
    {
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, size.cx);
        if (dwStyle & CBRS_ALIGN_TOP)
            pLayout->rect.top += size.cy;
        else
        {
            rect.top = rect.bottom - size.cy;
            pLayout->rect.bottom -= size.cy;
        }
    }
    else
    {
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, size.cy);
        if (dwStyle & CBRS_ALIGN_LEFT)
            pLayout->rect.left += size.cx;
        else
        {
            rect.left = rect.right - size.cx;
            pLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    AfxRepositionWindow(pLayout, pBar->m_hWnd, &rect);
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if ((lpLayout && !lpLayout->hDWP) || !hWnd || !lpRect)
        return;
    RECT rcOld;
    ::GetWindowRect(hWnd, &rcOld);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (LPPOINT)&rcOld, 2);
    if (::EqualRect(&rcOld, lpRect))
        return;
    const int cx = lpRect->right - lpRect->left, cy = lpRect->bottom - lpRect->top;
    if (lpLayout)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}
