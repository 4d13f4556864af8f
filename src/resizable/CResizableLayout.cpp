#include <KorvoSkin/CResizableLayout.h>
#include "CAnchorPlacement.h"
#include "CResizableLayoutState.h"
#include "ResizeSupportMessage.h"
#include "../parts/CDpiScale.h"

// The window of a wrapper that may be missing.
static HWND HwndOf(const CWnd* pWnd)
{
    return pWnd ? pWnd->m_hWnd : NULL;
}

const UINT WMU_RESIZESUPPORT = ::RegisterWindowMessageW(L"WMU_RESIZESUPPORT");

namespace
{
DWORD StyleOf(HWND hWnd)
{
    return (DWORD)::GetWindowLongPtrW(hWnd, GWL_STYLE);
}

// The class atom of dialog boxes, "#32770".
const ULONG_PTR DIALOG_CLASS_ATOM = 32770;
}

CResizableLayout::CResizableLayout() : m_pLayout(std::make_unique<CResizableLayoutState>())
{
}

CResizableLayout::~CResizableLayout()
{
    RemoveAllAnchors();
}

void CResizableLayout::AddAnchor(HWND hWnd, CSize anchorTopLeft, CSize anchorBottomRight)
{
    // A missing control would make every later layout pass fail as a whole.
    if (!::IsWindow(hWnd))
        return;

    LayoutInfo layout;
    wchar_t szClassName[260];
    if (!::GetClassNameW(hWnd, szClassName, _countof(szClassName)))
        szClassName[0] = L'\0';
    layout.strClassName = szClassName;

    CRect rectParent;
    GetTotalClientRect(&rectParent);
    CRect rectChild;
    CAnchorPlacement::GetChildRect(*this, hWnd, rectChild);
    rectChild.OffsetRect(-rectParent.left, -rectParent.top);

    if (anchorBottomRight == NOANCHOR)
        anchorBottomRight = anchorTopLeft;

    LONG nWidth = rectParent.Width();
    LONG nHeight = rectParent.Height();
    layout.hwndChild = hWnd;
    layout.anchorTopLeft = anchorTopLeft;
    layout.marginTopLeft = CSize(rectChild.left - CAnchorPlacement::ScalePercent(nWidth, anchorTopLeft.cx),
                                 rectChild.top - CAnchorPlacement::ScalePercent(nHeight, anchorTopLeft.cy));
    layout.anchorBottomRight = anchorBottomRight;
    layout.marginBottomRight = CSize(rectChild.right - CAnchorPlacement::ScalePercent(nWidth, anchorBottomRight.cx),
                                     rectChild.bottom - CAnchorPlacement::ScalePercent(nHeight, anchorBottomRight.cy));

    InitResizeProperties(layout);
    m_pLayout->m_mapLayoutPos[hWnd] = m_pLayout->m_lstLayout.AddTail(layout);
}

void CResizableLayout::AddAnchor(UINT nID, CSize anchorTopLeft, CSize anchorBottomRight)
{
    AddAnchor(::GetDlgItem(HwndOf(GetResizableWnd()), nID), anchorTopLeft, anchorBottomRight);
}

void CResizableLayout::AddAnchorCallback(UINT nCallbackKey)
{
    LayoutInfo layout;
    layout.nCallbackKey = nCallbackKey;
    m_pLayout->m_lstLayoutCallback.AddTail(layout);
}

BOOL CResizableLayout::GetAnchorPosition(HWND hWnd, const CRect& rectParent, CRect& rectChild, UINT* pFlags)
{
    POSITION pos;
    if (!hWnd || !m_pLayout->m_mapLayoutPos.Lookup(hWnd, pos))
        return FALSE;
    UINT flags;
    CAnchorPlacement::Calc(*this, m_pLayout->m_lstLayout.GetAt(pos), rectParent, rectChild, flags);
    if (pFlags)
        *pFlags = flags;
    return TRUE;
}

BOOL CResizableLayout::GetAnchorPosition(UINT nID, const CRect& rectParent, CRect& rectChild, UINT* pFlags)
{
    return GetAnchorPosition(::GetDlgItem(HwndOf(GetResizableWnd()), nID), rectParent, rectChild, pFlags);
}

BOOL CResizableLayout::RemoveAnchor(HWND hWnd)
{
    POSITION pos;
    if (!hWnd || !m_pLayout->m_mapLayoutPos.Lookup(hWnd, pos))
        return FALSE;
    m_pLayout->m_lstLayout.RemoveAt(pos);
    m_pLayout->m_mapLayoutPos.RemoveKey(hWnd);

    // An older anchor of the same child becomes the one found by handle, so that it too can be
    // removed.
    for (POSITION posOlder = m_pLayout->m_lstLayout.GetTailPosition(); posOlder;)
    {
        POSITION posThis = posOlder;
        if (m_pLayout->m_lstLayout.GetPrev(posOlder).hwndChild == hWnd)
        {
            m_pLayout->m_mapLayoutPos[hWnd] = posThis;
            break;
        }
    }
    return TRUE;
}

BOOL CResizableLayout::RemoveAnchor(UINT nID)
{
    return RemoveAnchor(::GetDlgItem(HwndOf(GetResizableWnd()), nID));
}

void CResizableLayout::RemoveAllAnchors()
{
    m_pLayout->m_mapLayoutPos.RemoveAll();
    m_pLayout->m_lstLayout.RemoveAll();
    m_pLayout->m_lstLayoutCallback.RemoveAll();
}

void CResizableLayout::ScaleLayout(UINT nFromDpi, UINT nToDpi)
{
    auto scale = [nFromDpi, nToDpi](CSize& margin) {
        margin.cx = CDpiScale::MulDivRound(margin.cx, nToDpi, nFromDpi);
        margin.cy = CDpiScale::MulDivRound(margin.cy, nToDpi, nFromDpi);
    };
    for (POSITION pos = m_pLayout->m_lstLayout.GetHeadPosition(); pos;)
    {
        LayoutInfo& layout = m_pLayout->m_lstLayout.GetNext(pos);
        scale(layout.marginTopLeft);
        scale(layout.marginBottomRight);
    }
}

void CResizableLayout::InitResizeProperties(LayoutInfo& layout)
{
    RESIZE_PROPERTIES props = { layout.bQueryClipping, layout.bQueryRefresh, layout.bClipping, layout.bRefresh };
    layout.bSupportsMessage =
        ::SendMessageW(layout.hwndChild, WMU_RESIZESUPPORT, RESIZE_QUERY_PROPERTIES, (LPARAM)&props) != 0;
    if (layout.bSupportsMessage)
    {
        layout.bQueryClipping = props.bQueryClipping;
        layout.bQueryRefresh = props.bQueryRefresh;
        layout.bClipping = props.bClipping;
        layout.bRefresh = props.bRefresh;
    }
    else
    {
        // The class rules for clipping depend only on the style, so the answer is kept.
        layout.bQueryClipping = FALSE;
        layout.bClipping = LikesClipping(layout);
        layout.bQueryRefresh = TRUE;
    }
}

BOOL CResizableLayout::LikesClipping(const LayoutInfo& layout)
{
    if (layout.bSupportsMessage)
    {
        RESIZE_CLIPPING clipping = { FALSE };
        if (::SendMessageW(layout.hwndChild, WMU_RESIZESUPPORT, RESIZE_QUERY_CLIPPING, (LPARAM)&clipping))
            return clipping.bLikesClipping;
    }

    DWORD dwStyle = StyleOf(layout.hwndChild);
    if (layout.strClassName == L"ToolbarWindow32")
    {
        // A transparent toolbar shows the parent's background through itself.
        if (dwStyle & TBSTYLE_TRANSPARENT)
            return FALSE;
    }
    else if (layout.strClassName == L"Button")
    {
        switch (dwStyle & BS_TYPEMASK)
        {
        case BS_GROUPBOX:
            return FALSE;
        case BS_OWNERDRAW:
        {
            // An owner-drawn button that lets clicks through draws no background of its own.
            CRect rect;
            ::GetWindowRect(layout.hwndChild, &rect);
            LRESULT nHit = ::SendMessageW(layout.hwndChild, WM_NCHITTEST, 0, MAKELPARAM(rect.left, rect.top));
            // Hit-test codes are 32-bit: handlers that return UINT give HTTRANSPARENT without sign.
            return (int)nHit != HTTRANSPARENT;
        }
        }
    }
    else if (layout.strClassName == L"Static")
    {
        UINT nType = dwStyle & SS_TYPEMASK;
        switch (nType)
        {
        case SS_LEFT: case SS_CENTER: case SS_RIGHT: case SS_BLACKRECT: case SS_GRAYRECT: case SS_WHITERECT:
        case SS_SIMPLE: case SS_LEFTNOWORDWRAP: case SS_BITMAP: case SS_ETCHEDHORZ: case SS_ETCHEDVERT:
            return TRUE;
        case SS_ICON: case SS_ENHMETAFILE:
            return !(dwStyle & SS_CENTERIMAGE);
        default:
            // Frames, owner-drawn statics and anything newer are drawn over the parent.
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CResizableLayout::NeedsRefresh(const LayoutInfo& layout, const CRect& rectOld, const CRect& rectNew)
{
    if (layout.bSupportsMessage)
    {
        RESIZE_REFRESH refresh = { TRUE, rectOld, rectNew };
        if (::SendMessageW(layout.hwndChild, WMU_RESIZESUPPORT, RESIZE_QUERY_REFRESH, (LPARAM)&refresh))
            return refresh.bNeedsRefresh;
    }

    int dx = rectNew.Width() - rectOld.Width();
    int dy = rectNew.Height() - rectOld.Height();
    if (dx == 0 && dy == 0)
        return FALSE;

    DWORD dwStyle = StyleOf(layout.hwndChild);
    BOOL bRefresh = FALSE;
    if (layout.strClassName == L"Static")
    {
        // Text is laid out across the width; with SS_CENTERIMAGE it is also centred vertically.
        BOOL bTextMoves = dx != 0 || ((dwStyle & SS_CENTERIMAGE) && dy != 0);
        UINT nType = dwStyle & SS_TYPEMASK;
        switch (nType)
        {
        case SS_LEFT: case SS_CENTER: case SS_RIGHT:
            bRefresh = bTextMoves;
            break;
        case SS_ICON: case SS_BLACKFRAME: case SS_GRAYFRAME: case SS_WHITEFRAME: case SS_BITMAP:
        case SS_ENHMETAFILE: case SS_ETCHEDFRAME:
            bRefresh = TRUE;
            break;
        case SS_LEFTNOWORDWRAP:
            // An ellipsis moves with the right edge.
            bRefresh = (dwStyle & SS_ELLIPSISMASK) ? bTextMoves : ((dwStyle & SS_CENTERIMAGE) && dy != 0);
            break;
        }
    }
    else if (layout.strClassName == L"ListBox" && dx >= 1)
    {
        // Scrolled to its right end, a list box that widens scrolls back and moves every item.
        SCROLLINFO si = { sizeof(si), SIF_ALL };
        if (::GetScrollInfo(layout.hwndChild, SB_HORZ, &si))
        {
            int nLimit = si.nMax - (int)si.nPage + 1;
            if (nLimit >= 1 && si.nPos + dx > nLimit)
                bRefresh = TRUE;
        }
    }
    return bRefresh;
}

void CResizableLayout::GetTotalClientRect(LPRECT lpRect)
{
    GetResizableWnd()->GetClientRect(lpRect);
}

BOOL CResizableLayout::ArrangeLayoutCallback(LayoutInfo&)
{
    return FALSE;
}

void CResizableLayout::ArrangeLayout()
{
    CRect rectParent;
    GetTotalClientRect(&rectParent);
    HDWP hdwp = ::BeginDeferWindowPos(m_pLayout->m_lstLayout.GetCount() + m_pLayout->m_lstLayoutCallback.GetCount());

    for (POSITION pos = m_pLayout->m_lstLayout.GetHeadPosition(); pos;)
        CAnchorPlacement::Defer(*this, hdwp, m_pLayout->m_lstLayout.GetNext(pos), rectParent);

    for (POSITION pos = m_pLayout->m_lstLayoutCallback.GetHeadPosition(); pos;)
    {
        // The derived class fills in a copy; the stored entry keeps only its key.
        LayoutInfo layout = m_pLayout->m_lstLayoutCallback.GetNext(pos);
        if (ArrangeLayoutCallback(layout))
            CAnchorPlacement::Defer(*this, hdwp, layout, rectParent);
    }

    if (hdwp)
        ::EndDeferWindowPos(hdwp);
}

void CResizableLayout::GetClippingRegion(CRgn* pRegion)
{
    CWnd* pWnd = GetResizableWnd();
    CRect rectClient;
    pWnd->GetClientRect(&rectClient);
    if (pRegion->m_hObject)
        pRegion->SetRectRgn(rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    else if (!pRegion->CreateRectRgnIndirect(&rectClient))
        return;

    for (POSITION pos = m_pLayout->m_lstLayout.GetHeadPosition(); pos;)
    {
        const LayoutInfo& layout = m_pLayout->m_lstLayout.GetNext(pos);
        if (::IsWindowVisible(layout.hwndChild))
            CAnchorPlacement::Clip(*this, layout, pRegion);
    }
    for (POSITION pos = m_pLayout->m_lstLayoutCallback.GetHeadPosition(); pos;)
    {
        LayoutInfo layout = m_pLayout->m_lstLayoutCallback.GetNext(pos);
        if (ArrangeLayoutCallback(layout) && ::IsWindowVisible(layout.hwndChild))
            CAnchorPlacement::Clip(*this, layout, pRegion);
    }

    // Mirrored client coordinates are one pixel off from the painted area.
    if (pWnd->GetExStyle() & WS_EX_LAYOUTRTL)
        pRegion->OffsetRgn(-1, 0);
}

void CResizableLayout::ClipChildren(CDC* pDC)
{
    CRgn rgnClip;
    GetClippingRegion(&rgnClip);
    if (!rgnClip.m_hObject)
        return;
    CPoint ptOrigin = pDC->GetWindowOrg();
    rgnClip.OffsetRgn(-ptOrigin.x, -ptOrigin.y);
    pDC->SelectClipRgn(&rgnClip);
}

void CResizableLayout::EraseBackground(CDC* pDC)
{
    CWnd* pWnd = GetResizableWnd();
    HWND hWnd = HwndOf(pWnd);
    if (!hWnd || !pDC)
        return;
    HBRUSH hBrush;
    if (::GetClassLongPtrW(hWnd, GCW_ATOM) == DIALOG_CLASS_ATOM)
        hBrush = (HBRUSH)pWnd->SendMessage(WM_CTLCOLORDLG, (WPARAM)pDC->m_hDC, (LPARAM)hWnd);
    else
        hBrush = (HBRUSH)::GetClassLongPtrW(hWnd, GCLP_HBRBACKGROUND);
    // Class brushes may be given as a system colour index plus one.
    if ((ULONG_PTR)hBrush > 0 && (ULONG_PTR)hBrush <= COLOR_MENUBAR + 1)
        hBrush = ::GetSysColorBrush((int)(ULONG_PTR)hBrush - 1);
    if (!hBrush)
        return;

    CRgn rgnErase;
    GetClippingRegion(&rgnErase);
    if (rgnErase.m_hObject)
        ::FillRgn(pDC->m_hDC, (HRGN)rgnErase.m_hObject, hBrush);
}
