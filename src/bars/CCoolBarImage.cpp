#include "CCoolBarImage.h"
#include <new>

std::shared_ptr<const CCoolBarImage> CCoolBarImage::Copy(HBITMAP hSkin)
{
    BITMAP bm = {};
    if (!hSkin || !::GetObjectW(hSkin, sizeof(bm), &bm))
        return nullptr;
    std::shared_ptr<CCoolBarImage> pImage(new (std::nothrow) CCoolBarImage);
    if (!pImage || !pImage->m_bmImage.Attach(::CopyImage(hSkin, IMAGE_BITMAP, 0, 0, 0)))
        return nullptr;
    pImage->m_size = CSize(bm.bmWidth, bm.bmHeight);
    pImage->MakeMask();
    return pImage;
}

// A 32-bit DIB section: drawn from and into without a trip to the display driver.
static BOOL CreateDibBitmap(CBitmap& bitmap, const CSize& size)
{
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB } };
    void* pBits = NULL;
    return bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0));
}

void CCoolBarImage::MakeMask()
{
    CDC dcImage, dcMask, dcInk;
    CClientDC dcScreen(NULL);
    if (!dcImage.CreateCompatibleDC(&dcScreen) || !dcMask.CreateCompatibleDC(&dcScreen) || !dcInk.CreateCompatibleDC(&dcScreen) ||
        !m_bmMask.CreateBitmap(m_size.cx, m_size.cy, 1, 1, NULL) || !CreateDibBitmap(m_bmInk, m_size))
    {
        m_bmMask.DeleteObject();
        m_bmInk.DeleteObject();
        return;
    }
    HGDIOBJ hOldImage = dcImage.SelectObject(m_bmImage.m_hObject);
    HGDIOBJ hOldMask = dcMask.SelectObject(m_bmMask.m_hObject);
    HGDIOBJ hOldInk = dcInk.SelectObject(m_bmInk.m_hObject);
    // Copying to a monochrome bitmap sets the pixels that match the background colour.
    dcImage.SetBkColor(RGB(255, 255, 255));
    dcMask.BitBlt(0, 0, m_size.cx, m_size.cy, &dcImage, 0, 0, SRCCOPY);
    // Ink = image AND NOT mask (set mask pixels become white through the background colour).
    dcInk.BitBlt(0, 0, m_size.cx, m_size.cy, &dcImage, 0, 0, SRCCOPY);
    dcInk.SetBkColor(RGB(255, 255, 255));
    dcInk.SetTextColor(RGB(0, 0, 0));
    dcInk.BitBlt(0, 0, m_size.cx, m_size.cy, &dcMask, 0, 0, 0x00220326);
    dcImage.SelectObject(hOldImage);
    dcMask.SelectObject(hOldMask);
    dcInk.SelectObject(hOldInk);
}

void CCoolBarImage::Draw(CDC* pDC, CDC* pWorkDC, int x, int y, int cx, int cy) const
{
    if (!m_bmMask.m_hObject)
    {
        ::SelectObject(pWorkDC->m_hDC, m_bmImage.m_hObject);
        pDC->TransparentBlt(x, y, cx, cy, pWorkDC, 0, 0, cx, cy, RGB(255, 255, 255));
        return;
    }
    // The same pixels TransparentBlt gives with white as the transparent colour.
    COLORREF crOldBack = pDC->SetBkColor(RGB(255, 255, 255));
    COLORREF crOldText = pDC->SetTextColor(RGB(0, 0, 0));
    ::SelectObject(pWorkDC->m_hDC, m_bmMask.m_hObject);
    pDC->BitBlt(x, y, cx, cy, pWorkDC, 0, 0, SRCAND);
    ::SelectObject(pWorkDC->m_hDC, m_bmInk.m_hObject);
    pDC->BitBlt(x, y, cx, cy, pWorkDC, 0, 0, SRCPAINT);
    pDC->SetBkColor(crOldBack);
    pDC->SetTextColor(crOldText);
}
