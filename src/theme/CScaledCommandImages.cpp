#include "CScaledCommandImages.h"
#include "../parts/CGdiSelect.h"
#include <algorithm>
#include <string.h>

const int CScaledCommandImages::SIZES[4] = { 16, 24, 32, 48 };

namespace
{
// The image drawn over a plain background of byte value nBack; FALSE when it cannot be drawn.
BOOL DrawOver(HIMAGELIST hList, int nImage, int nSize, BYTE nBack, std::vector<DWORD>& pixels)
{
    CDC dc;
    CBitmap bitmap;
    void* pBits = NULL;
    if (!dc.CreateCompatibleDC(NULL) || !bitmap.Attach(CSkinImage::CreateTopDownDib(nSize, nSize, &pBits)) || !pBits)
        return FALSE;
    memset(pBits, nBack, (size_t)nSize * nSize * 4);
    CGdiSelect select(dc.m_hDC, bitmap.m_hObject);
    if (!select.IsSelected() ||
        !ImageList_DrawEx(hList, nImage, dc.m_hDC, 0, 0, nSize, nSize, CLR_NONE, CLR_DEFAULT, ILD_TRANSPARENT))
        return FALSE;
    ::GdiFlush();
    pixels.assign((const DWORD*)pBits, (const DWORD*)pBits + (size_t)nSize * nSize);
    return TRUE;
}

BYTE Channel(DWORD dw, int nShift)
{
    return (BYTE)(dw >> nShift);
}
}

BOOL CScaledCommandImages::ReadListImage(HIMAGELIST hList, int nImage, PIXELS& image)
{
    int cx = 0, cy = 0;
    if (!hList || nImage < 0 || nImage >= ImageList_GetImageCount(hList) || !ImageList_GetIconSize(hList, &cx, &cy) ||
        cx != cy || cx < 1 || cx > MAX_SOURCE)
        return FALSE;
    // Over black a pixel shows its premultiplied colour; over white, what it lets through on top.
    std::vector<DWORD> black, white;
    if (!DrawOver(hList, nImage, cx, 0, black) || !DrawOver(hList, nImage, cx, 255, white))
        return FALSE;
    image.nSize = cx;
    image.pixels.resize(black.size());
    for (size_t n = 0; n < black.size(); n++)
    {
        int nThrough = 0;
        for (int nShift = 0; nShift < 24; nShift += 8)
            nThrough += std::max(0, Channel(white[n], nShift) - Channel(black[n], nShift));
        const int nAlpha = 255 - (nThrough + 1) / 3;
        DWORD dw = (DWORD)nAlpha << 24;
        for (int nShift = 0; nShift < 24; nShift += 8)
            dw |= (DWORD)std::min<int>(nAlpha, Channel(black[n], nShift)) << nShift;
        image.pixels[n] = dw;
    }
    return TRUE;
}

void CScaledCommandImages::Scale(const PIXELS& source, int nSize, PIXELS& result)
{
    const int nFrom = source.nSize;
    result.nSize = nSize;
    result.pixels.assign((size_t)nSize * nSize, 0);
    if (nFrom < 1 || nSize < 1)
        return;
    if (nSize >= nFrom)
    {
        // Each new pixel takes the source pixel under its centre.
        for (int y = 0; y < nSize; y++)
            for (int x = 0; x < nSize; x++)
                result.pixels[(size_t)y * nSize + x] =
                    source.pixels[(size_t)((2 * y + 1) * nFrom / (2 * nSize)) * nFrom + (2 * x + 1) * nFrom / (2 * nSize)];
        return;
    }
    // Measured in units of 1 / (nFrom * nSize) of the side, source pixel i spans [i * nSize,
    // (i + 1) * nSize) and new pixel d spans [d * nFrom, (d + 1) * nFrom): each new pixel is the
    // average of the source it covers, weighted by the overlap.
    auto overlap = [&](int d, int i) {
        return std::max(0, std::min((d + 1) * nFrom, (i + 1) * nSize) - std::max(d * nFrom, i * nSize));
    };
    const LONGLONG nTotal = (LONGLONG)nFrom * nFrom;
    for (int dy = 0; dy < nSize; dy++)
        for (int dx = 0; dx < nSize; dx++)
        {
            LONGLONG sums[4] = {};
            for (int sy = dy * nFrom / nSize; sy < nFrom && sy * nSize < (dy + 1) * nFrom; sy++)
                for (int sx = dx * nFrom / nSize; sx < nFrom && sx * nSize < (dx + 1) * nFrom; sx++)
                {
                    const LONGLONG w = (LONGLONG)overlap(dy, sy) * overlap(dx, sx);
                    const DWORD dw = source.pixels[(size_t)sy * nFrom + sx];
                    for (int c = 0; c < 4; c++)
                        sums[c] += w * Channel(dw, c * 8);
                }
            DWORD dw = 0;
            for (int c = 0; c < 4; c++)
                dw |= (DWORD)((sums[c] + nTotal / 2) / nTotal) << (c * 8);
            result.pixels[(size_t)dy * nSize + dx] = dw;
        }
}

BOOL CScaledCommandImages::CopyStripRows(CSkinImage& image, int cx, int cy, CBitmap& copy)
{
    CClientDC screen(NULL);
    CDC dcCopy;
    void* pBits = NULL;
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), std::max(cx, 1), -std::max(cy, 1), 1, 32, BI_RGB } };
    if (!dcCopy.CreateCompatibleDC(&screen) ||
        !(image.HasAlpha() ? copy.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0))
                           : copy.CreateCompatibleBitmap(&screen, std::max(cx, 1), std::max(cy, 1))))
        return FALSE;
    BOOL bCopied;
    {
        CGdiSelect select(dcCopy.m_hDC, copy.m_hObject);
        // Blended over clear pixels, a translucent image copies as it is.
        bCopied = select.IsSelected() && image.Draw(dcCopy.m_hDC, CRect(0, 0, cx, cy), CRect(0, 0, cx, cy));
    }
    if (bCopied && pBits)
    {
        ::GdiFlush();
        BYTE* p = (BYTE*)pBits;
        for (LONGLONG i = 0; i < (LONGLONG)std::max(cx, 1) * std::max(cy, 1); i++, p += 4)
            if (p[3] != 0 && p[3] != 255)
                for (int c = 0; c < 3; c++)
                    p[c] = (BYTE)std::min(255, (p[c] * 255 + p[3] / 2) / p[3]);
    }
    return bCopied;
}

void CScaledCommandImages::AddStripVariant(CSkinImage& variant, int nSide, COLORREF crMask,
                                           const std::vector<std::pair<UINT, int>>& commands)
{
    const CSize size = variant.GetSize();
    CBitmap copy;
    CImageList strip;
    if (!ListOf(nSide) || commands.empty() || size.cx < nSide || size.cy < nSide ||
        !CopyStripRows(variant, size.cx, nSide, copy) || !strip.Create(nSide, nSide, ILC_COLOR32 | ILC_MASK, 16, 16))
        return;
    const int nFirst = variant.HasAlpha() ? ImageList_Add(strip.m_hImageList, (HBITMAP)copy.m_hObject, NULL)
                                          : ImageList_AddMasked(strip.m_hImageList, (HBITMAP)copy.m_hObject, crMask);
    if (nFirst < 0)
        return;
    for (const auto& command : commands)
    {
        // A position past a variant a pixel short of its scale keeps the scaled image.
        PIXELS pixels;
        if (ReadListImage(strip.m_hImageList, command.second, pixels))
            Add(command.first, nSide, pixels);
    }
}

CScaledCommandImages::LIST* CScaledCommandImages::ListOf(int nSize)
{
    for (int n = 0; n < 4; n++)
        if (SIZES[n] == nSize)
            return &m_lists[n];
    return NULL;
}

const CScaledCommandImages::LIST* CScaledCommandImages::ListOf(int nSize) const
{
    return const_cast<CScaledCommandImages*>(this)->ListOf(nSize);
}

int CScaledCommandImages::Find(UINT nCmdID, int nSize) const
{
    const LIST* pList = ListOf(nSize);
    if (!pList)
        return -1;
    auto found = pList->images.find(nCmdID);
    return found != pList->images.end() ? found->second : -1;
}

int CScaledCommandImages::Add(UINT nCmdID, int nSize, const PIXELS& source)
{
    LIST* pList = ListOf(nSize);
    if (!pList || source.nSize < 1 || source.pixels.size() != (size_t)source.nSize * source.nSize ||
        (!pList->list.m_hImageList && !pList->list.Create(nSize, nSize, ILC_COLOR32 | ILC_MASK, 16, 16)) ||
        ImageList_GetImageCount(pList->list.m_hImageList) >= MAX_IMAGES)
        return -1;
    PIXELS scaled;
    Scale(source, nSize, scaled);

    // A list keeps straight alpha, and a mask for the pixels left out entirely.
    CBitmap colour, mask;
    void* pBits = NULL;
    const int nMaskStride = (nSize + 15) / 16 * 2;
    std::vector<BYTE> maskBits((size_t)nMaskStride * nSize, 0);
    if (!colour.Attach(CSkinImage::CreateTopDownDib(nSize, nSize, &pBits)) || !pBits)
        return -1;
    DWORD* pOut = (DWORD*)pBits;
    for (int n = 0; n < nSize * nSize; n++)
    {
        const DWORD dw = scaled.pixels[n];
        const int nAlpha = Channel(dw, 24);
        DWORD dwOut = (DWORD)nAlpha << 24;
        for (int nShift = 0; nAlpha && nShift < 24; nShift += 8)
            dwOut |= (DWORD)std::min(255, (Channel(dw, nShift) * 255 + nAlpha / 2) / nAlpha) << nShift;
        pOut[n] = dwOut;
        if (!nAlpha)
            maskBits[(size_t)(n / nSize) * nMaskStride + (n % nSize) / 8] |= (BYTE)(0x80 >> (n % nSize % 8));
    }
    if (!mask.Attach(::CreateBitmap(nSize, nSize, 1, 1, maskBits.data())))
        return -1;
    const int nImage = ImageList_Add(pList->list.m_hImageList, (HBITMAP)colour.m_hObject, (HBITMAP)mask.m_hObject);
    if (nImage >= 0)
        pList->images[nCmdID] = nImage;
    return nImage;
}

HIMAGELIST CScaledCommandImages::GetList(int nSize) const
{
    const LIST* pList = ListOf(nSize);
    return pList ? pList->list.m_hImageList : NULL;
}

void CScaledCommandImages::Forget(UINT nCmdID)
{
    for (LIST& list : m_lists)
        list.images.erase(nCmdID);
}

void CScaledCommandImages::Clear()
{
    for (LIST& list : m_lists)
    {
        list.images.clear();
        list.list.DeleteImageList();
    }
}
