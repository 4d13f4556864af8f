#include "CCoolBarImage.h"
#include <new>

std::shared_ptr<const CCoolBarImage> CCoolBarImage::Copy(const CSkinImage* pSkin)
{
    std::shared_ptr<CCoolBarImage> pImage(pSkin ? new (std::nothrow) CCoolBarImage : NULL);
    if (!pImage || !pImage->m_image.CopyFrom(*pSkin))
        return nullptr;
    // The key is worked out once into a mask, so drawing is two plain copies.
    pImage->m_image.SetKeyColour(RGB(255, 255, 255));
    return pImage;
}

void CCoolBarImage::Draw(CDC* pDC, CDC*, int x, int y, int cx, int cy) const
{
    m_image.Draw(pDC->m_hDC, CRect(x, y, x + cx, y + cy), CRect(0, 0, cx, cy));
}

LONGLONG CCoolBarImage::PixelsOf(const CSkinImage& skin)
{
    LONGLONG nPixels = skin.GetPixelCount();
    for (int nPercent : { CSkinImage::VARIANT_150, CSkinImage::VARIANT_200 })
        if (const CSkinImage* pVariant = skin.GetVariant(nPercent))
            nPixels += pVariant->GetPixelCount();
    return nPixels;
}

void CCoolBarImage::Draw(CDC* pDC, const CRect& rcDest, const CDpiScale& scale) const
{
    m_image.Draw(pDC->m_hDC, rcDest, CRect(CPoint(0, 0), m_image.GetSize()), CSkinImage::FILL_STRETCH, scale);
}

void CCoolBarImage::DrawGrid(CDC* pDC, const CRect& rcDest, const CRect& rcGrid, const CDpiScale& scale) const
{
    m_image.DrawGrid(pDC->m_hDC, rcDest, CRect(CPoint(0, 0), m_image.GetSize()), rcGrid, CSkinImage::FILL_STRETCH, scale);
}
