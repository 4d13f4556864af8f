// Where an anchored child goes: its rectangle from its anchors and margins in the parent's
// client area, the flags that move it no more than needed, its part in the deferred batch and
// in the parent's clipping region.
#pragma once
#include <KorvoSkin/CResizableLayout.h>

class CAnchorPlacement
{
public:
    typedef CResizableLayout::LayoutInfo LayoutInfo;

    // Size times percent, then divided by 100 truncating toward zero; 64-bit so that anchor
    // values used as plain factors cannot overflow.
    static LONG ScalePercent(LONG nSize, LONG nPercent);
    // The child's window rectangle in the client coordinates of the resizable window.
    static void GetChildRect(CResizableLayout& self, HWND hWnd, CRect& rect);
    static void Calc(CResizableLayout& self, const LayoutInfo& layout, const CRect& rectParent, CRect& rectChild,
                     UINT& flags);
    // Adds the child's move to the batch; FALSE when it is gone or already in place.
    static BOOL Defer(CResizableLayout& self, HDWP& hdwp, const LayoutInfo& layout, const CRect& rectParent);
    // Takes the child out of pRegion, or adds it when it does not like clipping.
    static void Clip(CResizableLayout& self, const LayoutInfo& layout, CRgn* pRegion);
};
