#include "CSkinImageCache.h"
#include "CIconFile.h"
#include <algorithm>
#include <new>

namespace
{
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

CSkinImage* CSkinImageCache::BorrowImage(const CString& strPath)
{
    if (strPath.IsEmpty())
        return NULL;
    std::wstring strKey = CacheKey(strPath);
    auto found = m_mapImages.find(strKey);
    if (found != m_mapImages.end())
        return found->second.get();
    if ((int)m_mapImages.size() >= MAX_LOAD_IMAGE_FILES)
        return NULL;

    std::unique_ptr<CSkinImage>& pEntry = m_mapImages[strKey];
    std::unique_ptr<CSkinImage> pImage(new (std::nothrow) CSkinImage);
    if (!pImage || !pImage->Load(strPath, MAX_LOAD_PIXELS - m_nPixels))
        return NULL;
    m_nPixels += pImage->GetPixelCount();
    pEntry = std::move(pImage);
    return pEntry.get();
}

HBITMAP CSkinImageCache::BorrowBitmap(const CString& strPath)
{
    CSkinImage* pImage = BorrowImage(strPath);
    if (!pImage)
        return NULL;
    pImage->SetShared();
    return pImage->GetBitmap();
}

BOOL CSkinImageCache::ReadIconFile(const CString& strPath, CIconFile& file)
{
    DWORD nRead = 0;
    BOOL bRead = file.Read(strPath, (DWORD)std::min<ULONGLONG>(MAX_LOAD_ICON_BYTES - m_nIconBytes, MAX_ICON_FILE_SIZE),
                           &nRead);
    m_nIconBytes += nRead;
    return bRead;
}

BOOL CSkinImageCache::CountPixels(LONGLONG nPixels)
{
    if (nPixels < 0 || nPixels > MAX_LOAD_PIXELS - m_nPixels)
        return FALSE;
    m_nPixels += nPixels;
    return TRUE;
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
    m_mapImages.clear();
    m_nGeneration++;
    m_nPixels = 0;
    m_nIcons = 0;
    m_nIconBytes = 0;
}

int CSkinImageCache::GetBitmapCount() const
{
    int nCount = 0;
    for (const auto& entry : m_mapImages)
        nCount += entry.second ? 1 : 0;
    return nCount;
}
