#include "CGripSeeThrough.h"
#include "../parts/CGdiSelect.h"

std::unique_ptr<CGripSeeThrough> CGripSeeThrough::Create(CWnd& grip, const CSize& size)
{
    std::unique_ptr<CGripSeeThrough> pSeeThrough(new CGripSeeThrough);
    CClientDC dc(&grip);
    if (!pSeeThrough->m_dcImage.CreateCompatibleDC(&dc) || !pSeeThrough->m_dcMask.CreateCompatibleDC(&dc) ||
        !pSeeThrough->Resize(grip, size))
        return nullptr;
    return pSeeThrough;
}

BOOL CGripSeeThrough::Resize(CWnd& grip, const CSize& size)
{
    m_bmpImage.DeleteObject();
    m_bmpMask.DeleteObject();
    m_size = size;
    CClientDC dc(&grip);
    return m_bmpImage.CreateCompatibleBitmap(&dc, size.cx, size.cy) &&
           m_bmpMask.CreateBitmap(size.cx, size.cy, 1, 1, NULL);
}

void CGripSeeThrough::Paint(CWnd& grip, CDC* pDC)
{
    int cx = m_size.cx;
    int cy = m_size.cy;
    CGdiSelect image(&m_dcImage, m_bmpImage);
    CGdiSelect mask(&m_dcMask, m_bmpMask);

    // The control draws itself off screen; its background colour, read at the top-left corner
    // (outside the dots), becomes the mask's set bits.
    grip.DefWindowProc(WM_PAINT, (WPARAM)m_dcImage.m_hDC, 0);
    m_dcImage.SetBkColor(m_dcImage.GetPixel(0, 0));
    m_dcMask.BitBlt(0, 0, cx, cy, &m_dcImage, 0, 0, SRCCOPY);
    // Destination AND NOT mask: the background of the image becomes black.
    m_dcImage.BitBlt(0, 0, cx, cy, &m_dcMask, 0, 0, 0x00220326);

    pDC->BitBlt(0, 0, cx, cy, &m_dcMask, 0, 0, SRCAND);
    pDC->BitBlt(0, 0, cx, cy, &m_dcImage, 0, 0, SRCPAINT);
}
