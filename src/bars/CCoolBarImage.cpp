#include "CCoolBarImage.h"
#include <new>

std::shared_ptr<const CCoolBarImage> CCoolBarImage::Copy(HBITMAP hSkin)
{
    std::shared_ptr<CCoolBarImage> pImage(new (std::nothrow) CCoolBarImage);
    if (!pImage || !pImage->m_image.CopyFrom(hSkin))
        return nullptr;
    // The key is worked out once into a mask, so drawing is two plain copies.
    pImage->m_image.SetKeyColour(RGB(255, 255, 255));
    return pImage;
}

void CCoolBarImage::Draw(CDC* pDC, CDC*, int x, int y, int cx, int cy) const
{
    m_image.Draw(pDC->m_hDC, CRect(x, y, x + cx, y + cy), CRect(0, 0, cx, cy));
}

void CCoolBarImage::Draw(CDC* pDC, const CRect& rcDest) const
{
    m_image.Draw(pDC->m_hDC, rcDest, CRect(CPoint(0, 0), m_image.GetSize()));
}

void CCoolBarImage::DrawGrid(CDC* pDC, const CRect& rcDest, const CRect& rcGrid, const CDpiScale& scale) const
{
    m_image.DrawGrid(pDC->m_hDC, rcDest, CRect(CPoint(0, 0), m_image.GetSize()), rcGrid, CSkinImage::FILL_STRETCH, scale);
}
