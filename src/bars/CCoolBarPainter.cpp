#include "CCoolBarPainter.h"
#include "CCoolBarTheme.h"
#include "CCoolBarItemImages.h"

CDC* CCoolBarPainter::GetImageDC()
{
    if (!m_dcImage.m_hDC && !m_dcImage.CreateCompatibleDC(NULL))
        return NULL;
    return &m_dcImage;
}

void CCoolBarPainter::FillBackground(CDC* pDC, const CRect& rc, HBITMAP hbmErase, CPoint ptAtDeviceOrigin)
{
    if (hbmErase)
    {
        CBrush brErase;
        if (!brErase.CreatePatternBrush(hbmErase))
            return;
        // A pattern is laid from the device's origin; the buffer holds only the repainted part.
        BITMAP bm = {};
        const CPoint& pt = ptAtDeviceOrigin;
        if (pt != CPoint(0, 0) && ::GetObjectW(hbmErase, sizeof(bm), &bm) && bm.bmWidth > 0 && bm.bmHeight > 0)
            ::SetBrushOrgEx(pDC->m_hDC, (bm.bmWidth - pt.x % bm.bmWidth) % bm.bmWidth,
                            (bm.bmHeight - pt.y % bm.bmHeight) % bm.bmHeight, NULL);
        pDC->FillRect(&rc, &brErase);
        ::SetBrushOrgEx(pDC->m_hDC, 0, 0, NULL);
    }
    else
        ::FillRect(pDC->m_hDC, &rc, CCoolBarTheme::GetDialogBrush());
}

void CCoolBarPainter::DrawButton(CDC* pDC, const CCoolBarItem* pItem, const CRect& rcItem, int nState,
                                 const CDpiScale& scale)
{
    const CRect rcDrawn = CCoolBarItemImages::Of(*pItem).DrawLook(pDC, nState, rcItem, scale);
    if (!pItem->m_bEnabled && !rcDrawn.IsRectEmpty())
        Fade(pDC, rcDrawn);
}

void CCoolBarPainter::Fade(CDC* pDC, const CRect& rc)
{
    CDC dcFade;
    CBitmap bmFade;
    if (!dcFade.CreateCompatibleDC(pDC) || !bmFade.CreateCompatibleBitmap(pDC, 1, 1))
        return;
    CGdiSelect select(&dcFade, bmFade);
    dcFade.SetPixel(0, 0, CCoolBarTheme::GetDialogColour());
    BLENDFUNCTION blend = { AC_SRC_OVER, 0, 128, 0 };
    ::AlphaBlend(pDC->m_hDC, rc.left, rc.top, rc.Width(), rc.Height(), dcFade.m_hDC, 0, 0, 1, 1, blend);
}
