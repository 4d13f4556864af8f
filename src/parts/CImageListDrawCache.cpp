#include "CImageListDrawCache.h"
#include "CSkinImage.h"
#include <string.h>

CImageListDrawCache::CImageListDrawCache() : m_nUses(0), m_hOldBitmap(NULL), m_pBits(NULL), m_size(0, 0)
{
}

void CImageListDrawCache::Clear()
{
    m_drawings.clear();
    ReleaseScratch();
}

void CImageListDrawCache::ReleaseScratch()
{
    if (m_hOldBitmap)
        m_dc.SelectObject(m_hOldBitmap);
    m_hOldBitmap = NULL;
    m_bitmap.DeleteObject();
    m_pBits = NULL;
    m_size = CSize(0, 0);
}

BOOL CImageListDrawCache::MakeScratch(const CSize& size)
{
    if (m_pBits && m_size == size)
        return TRUE;
    ReleaseScratch();
    void* pBits = NULL;
    if ((!m_dc.m_hDC && !m_dc.CreateCompatibleDC(NULL))
        || !m_bitmap.Attach(CSkinImage::CreateTopDownDib(size.cx, size.cy, &pBits)) || !pBits)
    {
        m_bitmap.DeleteObject();
        return FALSE;
    }
    m_hOldBitmap = m_dc.SelectObject((HGDIOBJ)m_bitmap.m_hObject);
    if (!m_hOldBitmap)
    {
        m_bitmap.DeleteObject();
        return FALSE;
    }
    m_pBits = (DWORD*)pBits;
    m_size = size;
    return TRUE;
}

namespace
{
// Whether hDC draws on a 32-bit bitmap, as the scratch surface is: drawn on another, the
// image's blend would be rounded otherwise than there.
bool DrawsOn32Bits(HDC hDC)
{
    BITMAP bitmap;
    HGDIOBJ hBitmap = ::GetCurrentObject(hDC, OBJ_BITMAP);
    return hBitmap && ::GetObjectW(hBitmap, sizeof(bitmap), &bitmap) == sizeof(bitmap) && bitmap.bmBitsPixel == 32;
}
}

BOOL CImageListDrawCache::Draw(HIMAGELIST hList, int nImage, HDC hDC, int x, int y)
{
    int cx = 0, cy = 0;
    if (!hList || !hDC || nImage < 0 || !ImageList_GetIconSize(hList, &cx, &cy))
        return FALSE;
    if (cx < 1 || cy < 1 || cx > MAX_SIDE || cy > MAX_SIDE || !DrawsOn32Bits(hDC) || !MakeScratch(CSize(cx, cy))
        || !::BitBlt(m_dc.m_hDC, 0, 0, cx, cy, hDC, x, y, SRCCOPY))
        return ImageList_DrawEx(hList, nImage, hDC, x, y, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL);
    ::GdiFlush();
    const size_t nPixels = (size_t)cx * cy;
    DRAWING* pFound = NULL;
    for (DRAWING& drawing : m_drawings)
        if (drawing.hList == hList && drawing.nImage == nImage && drawing.before.size() == nPixels
            && memcmp(drawing.before.data(), m_pBits, nPixels * sizeof(DWORD)) == 0)
        {
            pFound = &drawing;
            break;
        }
    if (pFound)
        memcpy(m_pBits, pFound->after.data(), nPixels * sizeof(DWORD));
    else
    {
        // Drawn once over the very pixels it lands on; each pixel of a normal drawing depends
        // only on the image's pixel and the one below, so drawing here is drawing there.
        std::vector<DWORD> before(m_pBits, m_pBits + nPixels);
        if (!ImageList_DrawEx(hList, nImage, m_dc.m_hDC, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_NORMAL))
            return FALSE;
        ::GdiFlush();
        if (m_drawings.size() < MAX_DRAWINGS)
            m_drawings.emplace_back();
        else
        {
            pFound = &m_drawings[0];
            for (DRAWING& drawing : m_drawings)
                if (drawing.nLastUse < pFound->nLastUse)
                    pFound = &drawing;
        }
        DRAWING& drawing = pFound ? *pFound : m_drawings.back();
        drawing.hList = hList;
        drawing.nImage = nImage;
        drawing.before.swap(before);
        drawing.after.assign(m_pBits, m_pBits + nPixels);
        pFound = &drawing;
    }
    pFound->nLastUse = ++m_nUses;
    return ::BitBlt(hDC, x, y, cx, cy, m_dc.m_hDC, 0, 0, SRCCOPY);
}
