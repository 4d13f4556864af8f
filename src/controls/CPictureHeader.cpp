#include "CPictureHeader.h"
#include "CKernelHandle.h"
#include "../theme/ByteOrder.h"
#include <algorithm>
#include <memory>
#include <new>

namespace
{
using namespace ByteOrder;

bool FrameFits(ULONGLONG cx, ULONGLONG cy)
{
    return cx > 0 && cy > 0 && cx * cy <= CPictureHeader::MAX_FRAME_PIXELS;
}

bool FramesFit(ULONGLONG nFramePixels, ULONGLONG nFrames)
{
    return nFrames <= CPictureHeader::MAX_FRAMES && nFramePixels * 4 * nFrames <= CPictureHeader::MAX_DECODED_BYTES;
}

bool PngFits(const BYTE* p, size_t n)
{
    // The signature, then the header chunk: its length, "IHDR", width and height.
    if (n < 24 || memcmp(p + 12, "IHDR", 4) != 0)
        return false;
    return FrameFits(Be32(p + 16), Be32(p + 20));
}

bool BmpFits(const BYTE* p, size_t n)
{
    if (n < 26)
        return false;
    const UINT nHeader = Le32(p + 14);
    if (nHeader == 12)
        return FrameFits(Le16(p + 18), Le16(p + 20));
    if (nHeader < 40)
        return false;
    // A negative height is a top-down bitmap of that many rows.
    const LONGLONG cy = (LONG)Le32(p + 22);
    return FrameFits((LONG)Le32(p + 18) > 0 ? Le32(p + 18) : 0, cy < 0 ? -cy : cy);
}

// Each frame is composed on the logical screen, grown to hold it.
bool GifFits(const BYTE* p, size_t n)
{
    if (n < 13)
        return false;
    ULONGLONG cxScreen = Le16(p + 6), cyScreen = Le16(p + 8);
    ULONGLONG nPixels = cxScreen * cyScreen;
    if (nPixels > CPictureHeader::MAX_FRAME_PIXELS)
        return false;
    size_t nAt = 13;
    if (p[10] & 0x80)
        nAt += 3u << ((p[10] & 7) + 1);
    ULONGLONG nFrames = 0;
    // Data sub-blocks: a length byte, that many bytes, until a zero length.
    auto skipBlocks = [&] {
        while (nAt < n && p[nAt])
            nAt += 1 + p[nAt];
        nAt++;
    };
    while (nAt < n && p[nAt] != 0x3B)
    {
        if (p[nAt] == 0x21)
        {
            nAt += 2;
            skipBlocks();
        }
        else if (p[nAt] == 0x2C)
        {
            if (nAt + 10 > n)
                break;
            const BYTE* pFrame = p + nAt;
            const ULONGLONG cx = std::max<ULONGLONG>(cxScreen, Le16(pFrame + 1) + (ULONGLONG)Le16(pFrame + 5));
            const ULONGLONG cy = std::max<ULONGLONG>(cyScreen, Le16(pFrame + 3) + (ULONGLONG)Le16(pFrame + 7));
            if (!FrameFits(cx, cy))
                return false;
            nPixels = std::max(nPixels, cx * cy);
            if (!FramesFit(nPixels, ++nFrames))
                return false;
            // The platform's decoder reads through a null table for a frame with neither its own
            // colour table nor a global one, and takes code sizes of 2 to 8 only.
            if (!(pFrame[9] & 0x80) && !(p[10] & 0x80))
                return false;
            nAt += 10;
            if (pFrame[9] & 0x80)
                nAt += 3u << ((pFrame[9] & 7) + 1);
            if (nAt >= n || p[nAt] < 2 || p[nAt] > 8)
                return false;
            nAt++; // the code size
            skipBlocks();
        }
        else
            break;
    }
    // A GIF of no frame still shows its screen.
    return nFrames > 0 || FrameFits(cxScreen, cyScreen);
}

bool JpegFits(const BYTE* p, size_t n)
{
    size_t nAt = 2;
    while (nAt + 4 <= n)
    {
        if (p[nAt] != 0xFF)
            return false;
        const BYTE nMarker = p[nAt + 1];
        if (nMarker == 0xFF)
        {
            nAt++;
            continue;
        }
        if (nMarker == 0x01 || (nMarker >= 0xD0 && nMarker <= 0xD8))
        {
            nAt += 2;
            continue;
        }
        // Start of frame: precision, height, width.
        if (nMarker >= 0xC0 && nMarker <= 0xCF && nMarker != 0xC4 && nMarker != 0xC8 && nMarker != 0xCC)
            return nAt + 9 <= n && FrameFits(Be16(p + nAt + 7), Be16(p + nAt + 5));
        if (nMarker == 0xDA || nMarker == 0xD9)
            return false;
        nAt += 2 + Be16(p + nAt + 2);
    }
    return false;
}
}

bool CPictureHeader::IsWithinBounds(const BYTE* p, size_t n)
{
    static const BYTE s_png[8] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    if (!p || n > MAX_FILE_BYTES)
        return false;
    if (n >= 8 && memcmp(p, s_png, 8) == 0)
        return PngFits(p, n);
    if (n >= 6 && (memcmp(p, "GIF87a", 6) == 0 || memcmp(p, "GIF89a", 6) == 0))
        return GifFits(p, n);
    if (n >= 2 && p[0] == 'B' && p[1] == 'M')
        return BmpFits(p, n);
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF)
        return JpegFits(p, n);
    return false;
}

bool CPictureHeader::IsWithinBounds(LPCWSTR pszPath)
{
    CKernelHandle hFile(::CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
    if (hFile.get() == INVALID_HANDLE_VALUE)
    {
        hFile.release();
        return false;
    }
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(hFile.get(), &size) || size.QuadPart < 0 || (ULONGLONG)size.QuadPart > MAX_FILE_BYTES)
        return false;
    const DWORD nSize = (DWORD)size.QuadPart;
    std::unique_ptr<BYTE[]> pData(new (std::nothrow) BYTE[nSize ? nSize : 1]);
    DWORD nRead = 0;
    if (!pData || !::ReadFile(hFile.get(), pData.get(), nSize, &nRead, NULL))
        return false;
    return IsWithinBounds(pData.get(), nRead);
}
