#include "CCoolBarPainter.h"
#include "CCoolBarTheme.h"
#include <KorvoSkin/CCoolBarItem.h>
#include <algorithm>

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
    else if (HBRUSH hBrush = CCoolBarTheme::GetDialogBrush())
        ::FillRect(pDC->m_hDC, &rc, hBrush);
    else
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
}

void CCoolBarPainter::DrawButton(CDC* pDC, CDC* pImageDC, const CCoolBarItem* pItem, const CRect& rcItem, int nState,
                                 const CDpiScale& scale)
{
    if (!pItem->GetImage(nState))
        return;
    // Images are drawn pixel for pixel; a button smaller than its image shows the image's
    // top-left corner, one larger shows the background around it.
    const CSize size = pItem->GetImageSize(nState);
    const CSize sizeRoom = scale.Scale(size);
    const CPoint pt(rcItem.left + std::max(0, (int)(sizeRoom.cx - size.cx) / 2),
                    rcItem.top + std::max(0, (int)(sizeRoom.cy - size.cy) / 2));
    const int cx = std::min((int)(rcItem.right - pt.x), (int)size.cx);
    const int cy = std::min((int)(rcItem.bottom - pt.y), (int)size.cy);
    if (cx <= 0 || cy <= 0)
        return;
    pItem->DrawImage(pDC, pImageDC, nState, pt.x, pt.y, cx, cy);
    if (!pItem->m_bEnabled)
        Fade(pDC, CRect(pt, CSize(cx, cy)));
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
