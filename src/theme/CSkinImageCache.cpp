#include "CSkinImageCache.h"
#include "CIconFile.h"
#include <algorithm>
#include <stdlib.h>

namespace
{
// The pixel count a bitmap file's header declares, or -1 when the file has no bitmap header.
LONGLONG DeclaredPixels(const CString& strPath)
{
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return -1;
    BYTE header[14 + 12] = {};
    DWORD nRead = 0;
    BOOL bRead = ::ReadFile(hFile, header, sizeof(header), &nRead, NULL);
    ::CloseHandle(hFile);
    if (!bRead || nRead != sizeof(header) || header[0] != 'B' || header[1] != 'M')
        return -1;
    DWORD nInfoSize;
    memcpy(&nInfoSize, header + 14, sizeof(nInfoSize));
    if (nInfoSize == sizeof(BITMAPCOREHEADER))
    {
        WORD nWidth, nHeight;
        memcpy(&nWidth, header + 18, sizeof(nWidth));
        memcpy(&nHeight, header + 20, sizeof(nHeight));
        return (LONGLONG)nWidth * nHeight;
    }
    if (nInfoSize < sizeof(BITMAPINFOHEADER))
        return -1;
    LONG nWidth, nHeight;
    memcpy(&nWidth, header + 18, sizeof(nWidth));
    memcpy(&nHeight, header + 22, sizeof(nHeight));
    return llabs((LONGLONG)nWidth) * llabs((LONGLONG)nHeight);
}

// Files are shared by their full path, which the file system compares without regard to case.
std::wstring CacheKey(const CString& strPath)
{
    wchar_t szFull[MAX_PATH];
    DWORD nLength = ::GetFullPathNameW(strPath, MAX_PATH, szFull, NULL);
    std::wstring strKey = nLength > 0 && nLength < MAX_PATH ? szFull : (LPCWSTR)strPath;
    if (!strKey.empty())
        ::CharLowerBuffW(&strKey[0], (DWORD)strKey.size());
    return strKey;
}
}

CSkinImageCache::CSkinImageCache() : m_nPixels(0), m_nIcons(0), m_nIconBytes(0), m_nGeneration(0)
{
}

CSkinImageCache::~CSkinImageCache()
{
}

HBITMAP CSkinImageCache::BorrowBitmap(const CString& strPath, BitmapUse use)
{
    HBITMAP hBitmap = LoadBitmapOnce(strPath);
    if (!hBitmap)
        return NULL;
    if (use == DRAWN_THROUGH_CACHE)
    {
        if (!m_mapDrawingDCs.count(hBitmap))
            m_mapDrawingDCs[hBitmap].reset(new DRAWING_DC);
    }
    else
    {
        m_selectedElsewhere.insert(hBitmap);
        auto drawing = m_mapDrawingDCs.find(hBitmap);
        if (drawing != m_mapDrawingDCs.end())
            drawing->second->Release();
    }
    return hBitmap;
}

CDC* CSkinImageCache::BeginDrawing(HBITMAP hBitmap)
{
    auto found = m_mapDrawingDCs.find(hBitmap);
    if (found == m_mapDrawingDCs.end())
        return NULL;
    DRAWING_DC& drawing = *found->second;
    if (!drawing.dc.m_hDC && !drawing.dc.CreateCompatibleDC(NULL))
        return NULL;
    if (!drawing.hOldBitmap && !(drawing.hOldBitmap = drawing.dc.SelectObject((HGDIOBJ)hBitmap)))
        return NULL;
    return &drawing.dc;
}

void CSkinImageCache::EndDrawing(HBITMAP hBitmap)
{
    auto found = m_mapDrawingDCs.find(hBitmap);
    if (found != m_mapDrawingDCs.end() && m_selectedElsewhere.count(hBitmap))
        found->second->Release();
}

void CSkinImageCache::DRAWING_DC::Release()
{
    if (hOldBitmap)
        dc.SelectObject(hOldBitmap);
    hOldBitmap = NULL;
}

HBITMAP CSkinImageCache::LoadBitmapOnce(const CString& strPath)
{
    if (strPath.IsEmpty())
        return NULL;
    std::wstring strKey = CacheKey(strPath);
    auto found = m_mapBitmaps.find(strKey);
    if (found != m_mapBitmaps.end())
        return found->second.get();
    if ((int)m_mapBitmaps.size() >= MAX_LOAD_IMAGE_FILES)
        return NULL;

    BITMAP_OWNER& bitmap = m_mapBitmaps[strKey];
    LONGLONG nDeclared = DeclaredPixels(strPath);
    if (nDeclared < 0 || nDeclared > MAX_LOAD_PIXELS - m_nPixels)
        return NULL;
    HBITMAP hBitmap = (HBITMAP)::LoadImageW(NULL, strPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!hBitmap)
        return NULL;
    bitmap.reset(hBitmap);
    BITMAP info = {};
    ::GetObjectW(hBitmap, sizeof(info), &info);
    m_nPixels += std::max<LONGLONG>(nDeclared, (LONGLONG)info.bmWidth * info.bmHeight);
    return hBitmap;
}

BOOL CSkinImageCache::ReadIconFile(const CString& strPath, CIconFile& file)
{
    DWORD nRead = 0;
    BOOL bRead = file.Read(strPath, (DWORD)std::min<ULONGLONG>(MAX_LOAD_ICON_BYTES - m_nIconBytes, MAX_ICON_FILE_SIZE),
                           &nRead);
    m_nIconBytes += nRead;
    return bRead;
}

BOOL CSkinImageCache::CountIcon()
{
    if (m_nIcons >= MAX_LOAD_ICONS)
        return FALSE;
    m_nIcons++;
    return TRUE;
}

void CSkinImageCache::Clear()
{
    m_mapDrawingDCs.clear();
    m_selectedElsewhere.clear();
    m_mapBitmaps.clear();
    m_nGeneration++;
    m_nPixels = 0;
    m_nIcons = 0;
    m_nIconBytes = 0;
}

int CSkinImageCache::GetBitmapCount() const
{
    int nCount = 0;
    for (const auto& entry : m_mapBitmaps)
        nCount += entry.second ? 1 : 0;
    return nCount;
}
