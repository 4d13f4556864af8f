// Where a bar's buttons lie and how much room they need. The visible buttons lie one after the
// other from the top-left corner of the bar's button room, across a horizontal bar and down a
// vertical one, each as long as its size at the bar's DPI (sizes and breadths are written for
// 96 DPI); the walk serves hit tests, button rectangles and
// painting alike, so that what is drawn is what is hit. The room needed, by the same rule, is
// what the bar asks for when it docks.
#pragma once
#include <KorvoSkin/CCoolBarItem.h>
#include "../parts/CDpiScale.h"
#include <algorithm>
#include <memory>
#include <vector>

class CCoolBarLayout
{
public:
    typedef std::vector<std::unique_ptr<CCoolBarItem>> Items;
    CCoolBarLayout(const Items& items, bool bVertical, const CDpiScale& scale)
        : m_items(items), m_bVertical(bVertical), m_scale(scale)
    {
    }

    // Hands each visible button with its rectangle, laid out from r's top-left corner, to fn
    // until fn returns true; returns that button, or null when fn took none.
    template <class FN>
    CCoolBarItem* Find(CRect r, FN fn) const
    {
        for (const std::unique_ptr<CCoolBarItem>& pItem : m_items)
        {
            if (!pItem->m_bVisible)
                continue;
            if (m_bVertical)
                r.bottom = r.top + m_scale.Scale(pItem->m_nSize);
            else
                r.right = r.left + m_scale.Scale(pItem->m_nSize);
            if (fn(pItem.get(), r))
                return pItem.get();
            if (m_bVertical)
                r.top = r.bottom;
            else
                r.left = r.right;
        }
        return NULL;
    }
    // The button (separators included) under pt in the room rcRoom, with its rectangle.
    CCoolBarItem* HitTest(const CRect& rcRoom, const CPoint& pt, CRect* pRect) const;
    // pItem's rectangle in the room rcRoom; FALSE when it is hidden or not in the list.
    BOOL GetItemRect(const CRect& rcRoom, const CCoolBarItem* pItem, CRect* pRect) const;

    // The room the visible buttons take: their sizes added along the bar, by the largest
    // breadth (what breadth(item) gives, at 96 DPI) across it; cx is along a horizontal bar.
    template <class FN>
    CSize GetContentSize(FN breadth) const
    {
        int nLength = 0, nBreadth = 0;
        for (const std::unique_ptr<CCoolBarItem>& pItem : m_items)
        {
            if (!pItem->m_bVisible)
                continue;
            // Added as Find lays them, so the room ends where the last button does.
            nLength += m_scale.Scale(pItem->m_nSize);
            nBreadth = std::max(nBreadth, (int)breadth(pItem.get()));
        }
        nBreadth = m_scale.Scale(nBreadth);
        return m_bVertical ? CSize(nBreadth, nLength) : CSize(nLength, nBreadth);
    }
    // What a bar of content sizeContent inside edges taking sizeEdges asks for when it docks
    // along a top or bottom edge (bHorz) or a side: stretched, the whole edge.
    static CSize GetFixedSize(CSize sizeContent, CSize sizeEdges, BOOL bStretch, BOOL bHorz);

private:
    const Items& m_items;
    bool m_bVertical;
    CDpiScale m_scale;
};
