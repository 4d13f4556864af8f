#include "CCoolBarLayout.h"

CCoolBarItem* CCoolBarLayout::HitTest(const CRect& rcRoom, const CPoint& pt, CRect* pRect) const
{
    return Find(rcRoom, [&](CCoolBarItem*, const CRect& rcItem) {
        if (!rcItem.PtInRect(pt))
            return false;
        if (pRect)
            *pRect = rcItem;
        return true;
    });
}

BOOL CCoolBarLayout::GetItemRect(const CRect& rcRoom, const CCoolBarItem* pItem, CRect* pRect) const
{
    if (!pItem || !pItem->m_bVisible)
        return FALSE;
    return Find(rcRoom, [&](CCoolBarItem* p, const CRect& rcItem) {
        if (p != pItem)
            return false;
        if (pRect)
            *pRect = rcItem;
        return true;
    }) != NULL;
}

CSize CCoolBarLayout::GetFixedSize(CSize sizeContent, CSize sizeEdges, BOOL bStretch, BOOL bHorz)
{
    // Along a docked edge the parent's own length bounds the bar, so "the whole edge" is any
    // length no client area reaches.
    const int STRETCHED = 32767;
    CSize size = sizeContent + sizeEdges;
    if (bStretch && bHorz)
        size.cx = STRETCHED;
    else if (bStretch)
        size.cy = STRETCHED;
    return size;
}
