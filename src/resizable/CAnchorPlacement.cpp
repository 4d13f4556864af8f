#include "CAnchorPlacement.h"

LONG CAnchorPlacement::ScalePercent(LONG nSize, LONG nPercent)
{
    return (LONG)((LONGLONG)nSize * nPercent / 100);
}

void CAnchorPlacement::GetChildRect(CResizableLayout& self, HWND hWnd, CRect& rect)
{
    ::GetWindowRect(hWnd, &rect);
    self.GetResizableWnd()->ScreenToClient(&rect);
}

void CAnchorPlacement::Calc(CResizableLayout& self, const LayoutInfo& layout, const CRect& rectParent, CRect& rectChild,
                            UINT& flags)
{
    CRect rectOld;
    GetChildRect(self, layout.hwndChild, rectOld);

    LONG nWidth = rectParent.Width();
    LONG nHeight = rectParent.Height();
    CRect rectNew(ScalePercent(nWidth, layout.anchorTopLeft.cx) + layout.marginTopLeft.cx,
                  ScalePercent(nHeight, layout.anchorTopLeft.cy) + layout.marginTopLeft.cy,
                  ScalePercent(nWidth, layout.anchorBottomRight.cx) + layout.marginBottomRight.cx,
                  ScalePercent(nHeight, layout.anchorBottomRight.cy) + layout.marginBottomRight.cy);
    rectNew.OffsetRect(rectParent.left, rectParent.top);

    BOOL bRefresh = layout.bQueryRefresh ? self.NeedsRefresh(layout, rectOld, rectNew) : layout.bRefresh;

    flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREPOSITION;
    if (bRefresh)
        flags |= SWP_NOCOPYBITS;
    if (rectNew.TopLeft() == rectOld.TopLeft())
        flags |= SWP_NOMOVE;
    if (rectNew.Size() == rectOld.Size())
        flags |= SWP_NOSIZE;
    rectChild = rectNew;
}

BOOL CAnchorPlacement::Defer(CResizableLayout& self, HDWP& hdwp, const LayoutInfo& layout, const CRect& rectParent)
{
    // A child destroyed since it was anchored would make the whole batch fail.
    if (!::IsWindow(layout.hwndChild))
        return FALSE;
    CRect rectChild;
    UINT flags;
    Calc(self, layout, rectParent, rectChild, flags);
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) == (SWP_NOMOVE | SWP_NOSIZE))
        return FALSE;
    if (hdwp)
        hdwp = ::DeferWindowPos(hdwp, layout.hwndChild, NULL, rectChild.left, rectChild.top, rectChild.Width(),
                                rectChild.Height(), flags);
    return TRUE;
}

void CAnchorPlacement::Clip(CResizableLayout& self, const LayoutInfo& layout, CRgn* pRegion)
{
    CRect rectChild;
    GetChildRect(self, layout.hwndChild, rectChild);

    CRgn rgnChild;
    if (!rgnChild.CreateRectRgn(0, 0, 0, 0))
        return;
    int nType = ::GetWindowRgn(layout.hwndChild, (HRGN)rgnChild.m_hObject);
    if (nType == SIMPLEREGION || nType == COMPLEXREGION)
        rgnChild.OffsetRgn(rectChild.left, rectChild.top);
    else
        rgnChild.SetRectRgn(rectChild.left, rectChild.top, rectChild.right, rectChild.bottom);

    BOOL bClipping = layout.bQueryClipping ? self.LikesClipping(layout) : layout.bClipping;
    pRegion->CombineRgn(pRegion, &rgnChild, bClipping ? RGN_DIFF : RGN_OR);
}
