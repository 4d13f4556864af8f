#include "CFrameEdgeCache.h"
#include <algorithm>

bool CFrameEdgeCache::Key::operator==(const Key& other) const
{
    return pSkin == other.pSkin && window == other.window && nDpi == other.nDpi && nTopLeftHeight == other.nTopLeftHeight
        && nTopRightHeight == other.nTopRightHeight && crBack == other.crBack && rcFrame == other.rcFrame;
}

void CFrameEdgeCache::Strips(const Key& key, CRect* prcStrips)
{
    const int cx = key.window.cx, cy = key.window.cy;
    const int yTop = std::min<int>(key.rcFrame.top, cy);
    const int yBottom = std::max<int>(yTop, cy - key.rcFrame.bottom);
    prcStrips[0] = CRect(0, yTop, std::min<int>(key.rcFrame.left, cx), yBottom);
    prcStrips[1] = CRect(std::max<int>(0, cx - key.rcFrame.right), yTop, cx, yBottom);
    prcStrips[2] = CRect(0, yBottom, cx, cy);
}

BOOL CFrameEdgeCache::Compose(CDC* pDC, const Key& key, const std::function<void(CDC*)>& fnPaint)
{
    CRect rcStrips[3];
    Strips(key, rcStrips);
    const CSize szSides(rcStrips[0].Width() + rcStrips[1].Width(), rcStrips[0].Height());
    const CSize szBottom = rcStrips[2].Size();
    CDC* pSides = szSides.cx > 0 && szSides.cy > 0 ? m_sides.Get(pDC, szSides) : NULL;
    CDC* pBottom = szBottom.cx > 0 && szBottom.cy > 0 ? m_bottom.Get(pDC, szBottom) : NULL;
    if ((pSides && (m_sides.GetSize().cx < szSides.cx || m_sides.GetSize().cy < szSides.cy))
        || (pBottom && (m_bottom.GetSize().cx < szBottom.cx || m_bottom.GetSize().cy < szBottom.cy))
        || (!pSides && szSides.cx > 0 && szSides.cy > 0) || (!pBottom && szBottom.cx > 0 && szBottom.cy > 0))
        return FALSE;

    // Each strip is painted in window coordinates, clipped to itself and moved to its place in
    // the buffer; pixels no part covers take the skin's background, as parts with holes do.
    const CPoint ptPlaces[3] = { CPoint(0, 0), CPoint(rcStrips[0].Width(), 0), CPoint(0, 0) };
    CDC* const pTargets[3] = { pSides, pSides, pBottom };
    for (int n = 0; n < 3; n++)
    {
        if (!pTargets[n] || rcStrips[n].IsRectEmpty())
            continue;
        CDC* pTarget = pTargets[n];
        const CPoint ptOrigin = ptPlaces[n] - rcStrips[n].TopLeft();
        pTarget->SetViewportOrg(ptOrigin.x, ptOrigin.y);
        pTarget->SelectClipRgn(NULL);
        pTarget->IntersectClipRect(rcStrips[n]);
        pTarget->FillSolidRect(rcStrips[n], key.crBack);
        fnPaint(pTarget);
        pTarget->SelectClipRgn(NULL);
        pTarget->SetViewportOrg(0, 0);
    }
    m_pSides = pSides;
    m_pBottom = pBottom;
    m_key = key;
    m_bValid = TRUE;
    return TRUE;
}

BOOL CFrameEdgeCache::Draw(CDC* pDC, const Key& key, const std::function<void(CDC*)>& fnPaint)
{
    if (!(m_bValid && m_key == key))
    {
        m_bValid = FALSE;
        if (!(m_keyDirect == key))
        {
            m_keyDirect = key;
            return FALSE;
        }
        if (!Compose(pDC, key, fnPaint))
            return FALSE;
    }
    CRect rcStrips[3];
    Strips(key, rcStrips);
    if (!rcStrips[0].IsRectEmpty())
        pDC->BitBlt(rcStrips[0].left, rcStrips[0].top, rcStrips[0].Width(), rcStrips[0].Height(), m_pSides, 0, 0, SRCCOPY);
    if (!rcStrips[1].IsRectEmpty())
        pDC->BitBlt(rcStrips[1].left, rcStrips[1].top, rcStrips[1].Width(), rcStrips[1].Height(), m_pSides,
                    rcStrips[0].Width(), 0, SRCCOPY);
    if (!rcStrips[2].IsRectEmpty())
        pDC->BitBlt(rcStrips[2].left, rcStrips[2].top, rcStrips[2].Width(), rcStrips[2].Height(), m_pBottom, 0, 0, SRCCOPY);
    return TRUE;
}
