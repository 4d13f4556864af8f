#include "CSkinImage.h"
#include "CGdiSelect.h"
#include "SkinImageFile.h"
#include <algorithm>
#include <string.h>

namespace
{
bool AnyTranslucent(const BYTE* pBits, LONGLONG nPixels)
{
    for (LONGLONG i = 0; i < nPixels; i++)
        if (pBits[i * 4 + 3] != 255)
            return true;
    return false;
}

// Stretches with plain pixel picking, as the frame always has, for the length of a scope.
class CStretchMode
{
public:
    CStretchMode(HDC hDC, bool bStretching) : m_hDC(hDC), m_nOld(bStretching ? ::SetStretchBltMode(hDC, COLORONCOLOR) : 0) {}
    ~CStretchMode()
    {
        if (m_nOld)
            ::SetStretchBltMode(m_hDC, m_nOld);
    }

private:
    HDC m_hDC;
    int m_nOld;
};
}

CSkinImage::CSkinImage()
    : m_hBitmap(NULL), m_size(0, 0), m_bAlpha(false), m_bShared(false), m_crKey(CLR_INVALID), m_hOldBitmap(NULL),
      m_hOldMask(NULL), m_pDerived(NULL)
{
}

CSkinImage::~CSkinImage()
{
    Reset();
}

void CSkinImage::Reset()
{
    Unselect();
    m_bmMask.DeleteObject();
    m_bmInk.DeleteObject();
    m_opaque.clear();
    ForgetDerived();
    m_variants.clear();
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
    m_size = CSize(0, 0);
    m_bAlpha = false;
    m_bShared = false;
    m_crKey = CLR_INVALID;
}

BOOL CSkinImage::Load(const CString& strPath, LONGLONG nMaxPixels, SkinImageFile::Failure* pFailure, LONGLONG* pDecoded)
{
    Reset();
    if (pDecoded)
        *pDecoded = 0;
    SkinImageFile::HEADER header;
    return SkinImageFile::ReadHeader(strPath, header, pFailure) && Load(strPath, header, nMaxPixels, pFailure, pDecoded);
}

BOOL CSkinImage::Load(const CString& strPath, SkinImageFile::HEADER header, LONGLONG nMaxPixels,
                      SkinImageFile::Failure* pFailure, LONGLONG* pDecoded)
{
    Reset();
    SkinImageFile::Failure failure;
    if (!pFailure)
        pFailure = &failure;
    LONGLONG nDecoded;
    if (!pDecoded)
        pDecoded = &nDecoded;
    *pDecoded = 0;
    // The size first, so a file declaring too much is named for that whatever else is wrong.
    *pFailure = SkinImageFile::FAILURE_TOO_LARGE;
    if (header.Pixels() > nMaxPixels || !SkinImageFile::Walk(strPath, header, pFailure))
        return FALSE;
    if (header.DecodedPixels() > nMaxPixels)
    {
        *pFailure = SkinImageFile::FAILURE_TOO_LARGE;
        return FALSE;
    }
    bool bTranslucent = false;
    *pFailure = SkinImageFile::FAILURE_CORRUPT;
    *pDecoded = header.DecodedPixels();
    HBITMAP hBitmap = header.format == SkinImageFile::FORMAT_BMP
                          ? (HBITMAP)::LoadImageW(NULL, strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)
                          : SkinImageFile::Decode(strPath, header, bTranslucent, pFailure);
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm) || (LONGLONG)bm.bmWidth * bm.bmHeight > nMaxPixels)
    {
        if (hBitmap)
        {
            ::DeleteObject(hBitmap);
            *pFailure = SkinImageFile::FAILURE_TOO_LARGE;
        }
        return FALSE;
    }
    *pFailure = SkinImageFile::FAILURE_NONE;
    m_hBitmap = hBitmap;
    m_size = CSize(bm.bmWidth, bm.bmHeight);
    m_bAlpha = bTranslucent;
    return TRUE;
}

HBITMAP CSkinImage::CreateTopDownDib(int cx, int cy, void** ppBits)
{
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB } };
    return ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, ppBits, NULL, 0);
}

BOOL CSkinImage::CopyFrom(HBITMAP hSource)
{
    Reset();
    DIBSECTION ds = {};
    int nInfo = hSource ? ::GetObjectW(hSource, sizeof(ds), &ds) : 0;
    if (nInfo <= 0 || ds.dsBm.bmWidth <= 0 || ds.dsBm.bmHeight <= 0)
        return FALSE;
    if (nInfo == sizeof(ds) && ds.dsBm.bmBitsPixel == 32 && ds.dsBm.bmBits)
    {
        void* pBits = NULL;
        HBITMAP hCopy = CreateTopDownDib(ds.dsBm.bmWidth, ds.dsBm.bmHeight, &pBits);
        if (!hCopy)
            return FALSE;
        // GetDIBits puts the rows top-down whatever the source's order, which its description
        // does not tell reliably.
        BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), ds.dsBm.bmWidth, -ds.dsBm.bmHeight, 1, 32, BI_RGB } };
        CClientDC screen(NULL);
        if (::GetDIBits(screen.m_hDC, hSource, 0, ds.dsBm.bmHeight, pBits, &info, DIB_RGB_COLORS) != ds.dsBm.bmHeight)
        {
            ::DeleteObject(hCopy);
            return FALSE;
        }
        m_hBitmap = hCopy;
        m_size = CSize(ds.dsBm.bmWidth, ds.dsBm.bmHeight);
        m_bAlpha = AnyTranslucent((const BYTE*)pBits, GetPixelCount());
        return TRUE;
    }
    m_hBitmap = (HBITMAP)::CopyImage(hSource, IMAGE_BITMAP, 0, 0, 0);
    if (!m_hBitmap)
        return FALSE;
    m_size = CSize(ds.dsBm.bmWidth, ds.dsBm.bmHeight);
    return TRUE;
}

bool CSkinImage::IsTranslucentBitmap(HBITMAP hBitmap)
{
    DIBSECTION ds = {};
    if (!hBitmap || ::GetObjectW(hBitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 32 ||
        !ds.dsBm.bmBits || ds.dsBm.bmWidthBytes != ds.dsBm.bmWidth * 4)
        return false;
    ::GdiFlush();
    return AnyTranslucent((const BYTE*)ds.dsBm.bmBits, (LONGLONG)ds.dsBm.bmWidth * ds.dsBm.bmHeight);
}

void CSkinImage::SetKeyColour(COLORREF crKey)
{
    Unselect();
    m_bmMask.DeleteObject();
    m_bmInk.DeleteObject();
    m_crKey = crKey;
    if (m_hBitmap && !m_bAlpha && crKey != CLR_INVALID)
        MakeKeyMask();
    ForgetDerived();
    for (VARIANT_IMAGE& variant : m_variants)
        variant.pImage->SetKeyColour(crKey);
}

void CSkinImage::SetShared()
{
    m_bShared = true;
    Unselect();
    for (VARIANT_IMAGE& variant : m_variants)
        variant.pImage->SetShared();
}

void CSkinImage::MakeKeyMask()
{
    CDC dcImage, dcMask, dcInk;
    void* pBits = NULL;
    if (!dcImage.CreateCompatibleDC(NULL) || !dcMask.CreateCompatibleDC(NULL) || !dcInk.CreateCompatibleDC(NULL) ||
        !m_bmMask.CreateBitmap(m_size.cx, m_size.cy, 1, 1, NULL) ||
        !m_bmInk.Attach(CreateTopDownDib(m_size.cx, m_size.cy, &pBits)))
    {
        // Drawing falls back to TransparentBlt, the same pixels more slowly.
        m_bmMask.DeleteObject();
        m_bmInk.DeleteObject();
        return;
    }
    CGdiSelect selectImage(dcImage.m_hDC, m_hBitmap);
    CGdiSelect selectMask(dcMask.m_hDC, m_bmMask.m_hObject);
    CGdiSelect selectInk(dcInk.m_hDC, m_bmInk.m_hObject);
    // Copying to a monochrome bitmap sets the pixels that match the background colour.
    dcImage.SetBkColor(m_crKey);
    dcMask.BitBlt(0, 0, m_size.cx, m_size.cy, &dcImage, 0, 0, SRCCOPY);
    // Ink = image AND NOT mask (set mask pixels become white through the background colour).
    dcInk.BitBlt(0, 0, m_size.cx, m_size.cy, &dcImage, 0, 0, SRCCOPY);
    dcInk.SetBkColor(RGB(255, 255, 255));
    dcInk.SetTextColor(RGB(0, 0, 0));
    dcInk.BitBlt(0, 0, m_size.cx, m_size.cy, &dcMask, 0, 0, 0x00220326);
}

BOOL CSkinImage::Select()
{
    if (!m_hBitmap)
        return FALSE;
    if (!m_dc.m_hDC && !m_dc.CreateCompatibleDC(NULL))
        return FALSE;
    const bool bMasked = m_bmMask.m_hObject != NULL;
    if (!m_hOldBitmap)
        m_hOldBitmap = ::SelectObject(m_dc.m_hDC, bMasked ? m_bmInk.m_hObject : (HGDIOBJ)m_hBitmap);
    if (bMasked && !m_hOldMask && (m_dcMask.m_hDC || m_dcMask.CreateCompatibleDC(NULL)))
        m_hOldMask = ::SelectObject(m_dcMask.m_hDC, m_bmMask.m_hObject);
    return m_hOldBitmap != NULL && (!bMasked || m_hOldMask != NULL);
}

void CSkinImage::Unselect()
{
    if (m_hOldBitmap)
        ::SelectObject(m_dc.m_hDC, m_hOldBitmap);
    if (m_hOldMask)
        ::SelectObject(m_dcMask.m_hDC, m_hOldMask);
    m_hOldBitmap = NULL;
    m_hOldMask = NULL;
}

void CSkinImage::Blit(HDC hDC, const CRect& rcDest, const CRect& rcSource)
{
    const bool bSameSize = rcDest.Size() == rcSource.Size();
    CStretchMode stretch(hDC, !bSameSize);
    if (m_bAlpha && !IsOpaque(rcSource))
    {
        BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
        ::AlphaBlend(hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), m_dc.m_hDC, rcSource.left,
                     rcSource.top, rcSource.Width(), rcSource.Height(), blend);
        return;
    }
    if (m_crKey != CLR_INVALID && !m_hOldMask && !m_bAlpha)
    {
        ::TransparentBlt(hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), m_dc.m_hDC, rcSource.left,
                         rcSource.top, rcSource.Width(), rcSource.Height(), m_crKey);
        return;
    }
    auto copy = [&](HDC hSource, DWORD dwRop) {
        if (bSameSize)
            ::BitBlt(hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hSource, rcSource.left, rcSource.top,
                     dwRop);
        else
            ::StretchBlt(hDC, rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), hSource, rcSource.left,
                         rcSource.top, rcSource.Width(), rcSource.Height(), dwRop);
    };
    if (!m_hOldMask)
    {
        copy(m_dc.m_hDC, SRCCOPY);
        return;
    }
    // The same pixels TransparentBlt gives with the key colour transparent.
    COLORREF crOldBack = ::SetBkColor(hDC, RGB(255, 255, 255));
    COLORREF crOldText = ::SetTextColor(hDC, RGB(0, 0, 0));
    copy(m_dcMask.m_hDC, SRCAND);
    copy(m_dc.m_hDC, SRCPAINT);
    ::SetBkColor(hDC, crOldBack);
    ::SetTextColor(hDC, crOldText);
}

bool CSkinImage::IsOpaque(const CRect& rcSource)
{
    if (!m_bAlpha)
        return true;
    const auto key = std::make_tuple((int)rcSource.left, (int)rcSource.top, (int)rcSource.right, (int)rcSource.bottom);
    auto found = m_opaque.find(key);
    if (found != m_opaque.end())
        return found->second;
    CRect rc;
    DIBSECTION ds = {};
    bool bOpaque = rc.IntersectRect(rcSource, CRect(CPoint(0, 0), m_size)) && rc == rcSource &&
                   ::GetObjectW(m_hBitmap, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits;
    if (bOpaque)
    {
        ::GdiFlush();
        for (int y = rc.top; y < rc.bottom && bOpaque; y++)
        {
            const BYTE* pRow = (const BYTE*)ds.dsBm.bmBits + (INT_PTR)y * ds.dsBm.bmWidthBytes;
            for (int x = rc.left; x < rc.right && bOpaque; x++)
                bOpaque = pRow[x * 4 + 3] == 255;
        }
    }
    // A frame asks about a few dozen rectangles; a hostile caller cannot grow the map past this.
    if (m_opaque.size() < 1024)
        m_opaque[key] = bOpaque;
    return bOpaque;
}

void CSkinImage::Fill(HDC hDC, const CRect& rcDest, const CRect& rcSource, int nFill, const CSize& szTile)
{
    if (rcDest.Width() <= 0 || rcDest.Height() <= 0 || rcSource.Width() <= 0 || rcSource.Height() <= 0)
        return;
    if (nFill != FILL_TILE || rcDest.Size() == szTile || szTile.cx <= 0 || szTile.cy <= 0)
    {
        Blit(hDC, rcDest, rcSource);
        return;
    }
    // The last tile of a row or column shows as much of the source as fits.
    for (int y = rcDest.top; y < rcDest.bottom; y += szTile.cy)
    {
        const int cy = std::min<int>(szTile.cy, rcDest.bottom - y);
        const int cySource = std::max(1, CDpiScale::MulDivRound(cy, rcSource.Height(), szTile.cy));
        for (int x = rcDest.left; x < rcDest.right; x += szTile.cx)
        {
            const int cx = std::min<int>(szTile.cx, rcDest.right - x);
            const int cxSource = std::max(1, CDpiScale::MulDivRound(cx, rcSource.Width(), szTile.cx));
            Blit(hDC, CRect(x, y, x + cx, y + cy),
                 CRect(rcSource.left, rcSource.top, rcSource.left + cxSource, rcSource.top + cySource));
        }
    }
}

BOOL CSkinImage::Draw(HDC hDC, const CRect& rcDest, const CRect& rcSource, int nFill, const CDpiScale& scale)
{
    UINT nImageDpi = CDpiScale::BASE_DPI;
    CSkinImage* pImage = hDC ? Choose(scale, nImageDpi) : NULL;
    if (!pImage || !pImage->Select())
        return FALSE;
    pImage->Fill(hDC, rcDest, pImage->FromBase(rcSource, nImageDpi), nFill, scale.Scale(rcSource.Size()));
    if (pImage->m_bShared)
        pImage->Unselect();
    return TRUE;
}

bool CSkinImage::GridFits(const CSize& sizeSource, const CRect& rcGrid)
{
    return rcGrid.left >= 0 && rcGrid.top >= 0 && rcGrid.right >= 0 && rcGrid.bottom >= 0 &&
           (LONGLONG)rcGrid.left + rcGrid.right < sizeSource.cx && (LONGLONG)rcGrid.top + rcGrid.bottom < sizeSource.cy;
}

BOOL CSkinImage::DrawGrid(HDC hDC, const CRect& rcDest, const CRect& rcSource, const CRect& rcGrid, int nFill,
                          const CDpiScale& scale)
{
    if (!GridFits(rcSource.Size(), rcGrid))
        return Draw(hDC, rcDest, rcSource, nFill, scale);
    UINT nImageDpi = CDpiScale::BASE_DPI;
    CSkinImage* pImage = hDC ? Choose(scale, nImageDpi) : NULL;
    if (!pImage || !pImage->Select())
        return FALSE;
    // A destination narrower than the two margins shares itself between them in their proportion;
    // an empty or inverted one (a bar squeezed below its edges) leaves them nothing.
    auto margins = [](int nLength, int nFirst, int nSecond, int& nFirstOut, int& nSecondOut) {
        nLength = std::max(0, nLength);
        nFirstOut = nFirst;
        nSecondOut = nSecond;
        if ((LONGLONG)nLength < (LONGLONG)nFirst + nSecond)
        {
            nFirstOut = (int)((LONGLONG)nLength * nFirst / ((LONGLONG)nFirst + nSecond));
            nSecondOut = nLength - nFirstOut;
        }
    };
    int nLeft, nRight, nTop, nBottom;
    const CRect rcDestGrid = scale.ScaleEdges(rcGrid);
    margins(rcDest.Width(), rcDestGrid.left, rcDestGrid.right, nLeft, nRight);
    margins(rcDest.Height(), rcDestGrid.top, rcDestGrid.bottom, nTop, nBottom);
    const int xs[4] = { rcSource.left, rcSource.left + rcGrid.left, rcSource.right - rcGrid.right, rcSource.right };
    const int ys[4] = { rcSource.top, rcSource.top + rcGrid.top, rcSource.bottom - rcGrid.bottom, rcSource.bottom };
    const int xd[4] = { rcDest.left, rcDest.left + nLeft, rcDest.right - nRight, rcDest.right };
    const int yd[4] = { rcDest.top, rcDest.top + nTop, rcDest.bottom - nBottom, rcDest.bottom };
    for (int j = 0; j < 3; j++)
        for (int i = 0; i < 3; i++)
        {
            CRect rcPieceDest(xd[i], yd[j], xd[i + 1], yd[j + 1]);
            CRect rcPieceSource(xs[i], ys[j], xs[i + 1], ys[j + 1]);
            // Corners keep their size unless the destination is too small for them.
            pImage->Fill(hDC, rcPieceDest, pImage->FromBase(rcPieceSource, nImageDpi),
                         i != 1 && j != 1 ? FILL_STRETCH : nFill, scale.Scale(rcPieceSource.Size()));
        }
    if (pImage->m_bShared)
        pImage->Unselect();
    return TRUE;
}
