#include "SkinImageFile.h"
#include "CGdiplusImage.h"
#include "GdiplusRunning.h"
#include <stdlib.h>
#include <string.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace
{
DWORD BigEndian32(const BYTE* p)
{
    return ((DWORD)p[0] << 24) | ((DWORD)p[1] << 16) | ((DWORD)p[2] << 8) | p[3];
}

WORD LittleEndian16(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

LONG LittleEndian32(const BYTE* p)
{
    LONG n;
    memcpy(&n, p, sizeof(n));
    return n;
}

// The file's index on its volume, asked of the open handle alone: the system's full file
// information also reads the volume's, which costs a load of many images more than its files.
bool FileIndex(HANDLE hFile, ULONGLONG& nIndex)
{
    struct IO_STATUS
    {
        union
        {
            LONG nStatus;
            PVOID pPointer;
        };
        ULONG_PTR nInformation;
    };
    typedef LONG(NTAPI * QUERY)(HANDLE, IO_STATUS*, PVOID, ULONG, int);
    static const QUERY pfnQuery = (QUERY)(void*)::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationFile");
    // FileInternalInformation, a LARGE_INTEGER.
    const int FILE_INTERNAL_INFORMATION = 6;
    IO_STATUS status = {};
    LARGE_INTEGER index = {};
    if (!pfnQuery || pfnQuery(hFile, &status, &index, sizeof(index), FILE_INTERNAL_INFORMATION) < 0)
        return false;
    nIndex = (ULONGLONG)index.QuadPart;
    return true;
}

BOOL ReadBmpSize(const BYTE* pHeader, DWORD nRead, SkinImageFile::HEADER& header)
{
    if (nRead < 14 + 12)
        return FALSE;
    DWORD nInfoSize = (DWORD)LittleEndian32(pHeader + 14);
    if (nInfoSize == sizeof(BITMAPCOREHEADER))
    {
        header.nWidth = LittleEndian16(pHeader + 18);
        header.nHeight = LittleEndian16(pHeader + 20);
        return TRUE;
    }
    if (nInfoSize < sizeof(BITMAPINFOHEADER) || nRead < 14 + 12)
        return FALSE;
    header.nWidth = llabs((LONGLONG)LittleEndian32(pHeader + 18));
    header.nHeight = llabs((LONGLONG)LittleEndian32(pHeader + 22));
    return TRUE;
}
}

BOOL SkinImageFile::ReadHeader(const CString& strPath, HEADER& header, Failure* pFailure)
{
    header = HEADER();
    Failure failure;
    if (!pFailure)
        pFailure = &failure;
    *pFailure = FAILURE_UNREADABLE;
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BYTE bytes[32] = {};
    DWORD nRead = 0;
    LARGE_INTEGER size = {};
    BOOL bRead = ::ReadFile(hFile, bytes, sizeof(bytes), &nRead, NULL) && ::GetFileSizeEx(hFile, &size);
    header.bIndexed = bRead && FileIndex(hFile, header.nFileIndex);
    ::CloseHandle(hFile);
    if (!bRead)
        return FALSE;
    header.nFileBytes = size.QuadPart;

    static const BYTE png[] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    if (nRead >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
    {
        header.format = FORMAT_BMP;
        if (!ReadBmpSize(bytes, nRead, header))
        {
            *pFailure = FAILURE_CORRUPT;
            return FALSE;
        }
    }
    else if (nRead >= 24 && memcmp(bytes, png, sizeof(png)) == 0 && memcmp(bytes + 12, "IHDR", 4) == 0)
    {
        header.format = FORMAT_PNG;
        header.nWidth = BigEndian32(bytes + 16);
        header.nHeight = BigEndian32(bytes + 20);
    }
    else if (nRead >= 10 && (memcmp(bytes, "GIF87a", 6) == 0 || memcmp(bytes, "GIF89a", 6) == 0))
    {
        header.format = FORMAT_GIF;
        header.nWidth = LittleEndian16(bytes + 6);
        header.nHeight = LittleEndian16(bytes + 8);
    }
    else
    {
        *pFailure = FAILURE_NOT_IMAGE;
        return FALSE;
    }
    if (header.nWidth <= 0 || header.nHeight <= 0 || header.nWidth > MAX_IMAGE_SIDE || header.nHeight > MAX_IMAGE_SIDE)
    {
        *pFailure = FAILURE_BAD_SIZE;
        return FALSE;
    }
    *pFailure = FAILURE_NONE;
    return TRUE;
}

HBITMAP SkinImageFile::Decode(const CString& strPath, const HEADER& header, bool& bTranslucent, Failure* pFailure)
{
    bTranslucent = false;
    Failure failure;
    if (!pFailure)
        pFailure = &failure;
    *pFailure = FAILURE_UNREADABLE;
    if ((header.format != FORMAT_PNG && header.format != FORMAT_GIF) || header.nFileBytes > MAX_DECODED_FILE_BYTES ||
        !IsGdiplusRunning())
        return NULL;
    *pFailure = FAILURE_CORRUPT;
    GpBitmap* pRaw = NULL;
    if (GdipCreateBitmapFromFile(strPath, &pRaw) != Ok || !pRaw)
        return NULL;
    CGdiplusImage pImage(pRaw);
    UINT cx = 0, cy = 0;
    if (GdipGetImageWidth(pRaw, &cx) != Ok || GdipGetImageHeight(pRaw, &cy) != Ok)
        return NULL;
    if (cx != header.nWidth || cy != header.nHeight)
    {
        *pFailure = FAILURE_SIZE_MISMATCH;
        return NULL;
    }

    GpRect rc(0, 0, (INT)cx, (INT)cy);
    BitmapData data = {};
    if (GdipBitmapLockBits(pRaw, &rc, ImageLockModeRead, PixelFormat32bppARGB, &data) != Ok)
        return NULL;
    auto row = [&](UINT y) { return (const BYTE*)data.Scan0 + (INT_PTR)data.Stride * (INT_PTR)y; };
    for (UINT y = 0; y < cy && !bTranslucent; y++)
        for (UINT x = 0; x < cx && !bTranslucent; x++)
            bTranslucent = row(y)[x * 4 + 3] != 255;
    // An opaque picture becomes a 24-bit DIB section, which GDI copies and keys exactly as a
    // BMP's bitmap; a translucent one 32 bits with each colour already multiplied by its alpha,
    // as GDI's blending wants.
    const int nBits = bTranslucent ? 32 : 24;
    const INT_PTR nOutRow = ((INT_PTR)cx * nBits / 8 + 3) & ~(INT_PTR)3;
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), (LONG)cx, -(LONG)cy, 1, (WORD)nBits, BI_RGB } };
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    for (UINT y = 0; hBitmap && y < cy; y++)
    {
        const BYTE* pIn = row(y);
        BYTE* pOut = (BYTE*)pBits + nOutRow * (INT_PTR)y;
        for (UINT x = 0; x < cx; x++, pIn += 4, pOut += nBits / 8)
        {
            const BYTE a = bTranslucent ? pIn[3] : 255;
            for (int c = 0; c < 3; c++)
                pOut[c] = (BYTE)((pIn[c] * a + 127) / 255);
            if (bTranslucent)
                pOut[3] = a;
        }
    }
    GdipBitmapUnlockBits(pRaw, &data);
    ::GdiFlush();
    if (hBitmap)
        *pFailure = FAILURE_NONE;
    return hBitmap;
}
