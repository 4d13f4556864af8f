#include "CSkinImageCache.h"
#include "CIconFile.h"
#include <algorithm>
#include <new>
#include <stdio.h>

namespace
{
// A path as the file system resolves it ("." and ".." steps gone, whatever its length), in lower
// case, as the file system compares names.
std::wstring CacheKey(const CString& strPath)
{
    std::wstring strKey;
    DWORD nLength = ::GetFullPathNameW(strPath, 0, NULL, NULL);
    if (nLength > 0 && nLength <= 32768)
    {
        strKey.resize(nLength);
        nLength = ::GetFullPathNameW(strPath, nLength, &strKey[0], NULL);
        strKey.resize(nLength < strKey.size() ? nLength : 0);
    }
    if (strKey.empty())
        strKey = (LPCWSTR)strPath;
    if (!strKey.empty())
        ::CharLowerBuffW(&strKey[0], (DWORD)strKey.size());
    return strKey;
}

// The file's index on its volume, from its header; empty when it was not told.
std::wstring FileIndexKey(const SkinImageFile::HEADER& header)
{
    if (!header.bIndexed)
        return std::wstring();
    wchar_t szIndex[24];
    swprintf(szIndex, 24, L"%016llx", (unsigned long long)header.nFileIndex);
    return szIndex;
}

// Whether two paths name one file: the same index on the same volume. Asked only when the
// indexes agree, as reading a volume's serial number is slow.
bool SameFile(const CString& strPath, const CString& strOther)
{
    BY_HANDLE_FILE_INFORMATION infos[2] = {};
    const CString* pPaths[2] = { &strPath, &strOther };
    for (int n = 0; n < 2; n++)
    {
        HANDLE hFile = ::CreateFileW(*pPaths[n], FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     NULL, OPEN_EXISTING, 0, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return false;
        const BOOL bKnown = ::GetFileInformationByHandle(hFile, &infos[n]);
        ::CloseHandle(hFile);
        if (!bKnown)
            return false;
    }
    return infos[0].dwVolumeSerialNumber == infos[1].dwVolumeSerialNumber && infos[0].nFileIndexHigh == infos[1].nFileIndexHigh
        && infos[0].nFileIndexLow == infos[1].nFileIndexLow;
}

std::wstring KeyOf(const CString& str)
{
    std::wstring strKey = (LPCWSTR)str;
    if (!strKey.empty())
        ::CharLowerBuffW(&strKey[0], (DWORD)strKey.size());
    return strKey;
}

// Files beside an image whose names look like variants; a folder of many cannot make a load
// read more than this many for one image, nor list more than the second number in one folder.
const int MAX_VARIANT_CANDIDATES = 16;
const int MAX_VARIANT_NAMES = 8192;

CString Dimensions(LONGLONG cx, LONGLONG cy)
{
    CString str;
    str.Format(L"%I64dx%I64d", cx, cy);
    return str;
}

CString FailureText(const CString& strPath, SkinImageFile::Failure failure)
{
    SkinImageFile::HEADER header;
    SkinImageFile::ReadHeader(strPath, header);
    const CString strSize = Dimensions(header.nWidth, header.nHeight);
    const CString strFormat = header.format == SkinImageFile::FORMAT_GIF ? L"GIF" : L"PNG";
    CString strBound;
    switch (failure)
    {
    case SkinImageFile::FAILURE_NOT_IMAGE:
    {
        const int nDot = strPath.ReverseFind(L'.');
        CString strExtension = nDot > std::max(strPath.ReverseFind(L'\\'), strPath.ReverseFind(L'/')) ? strPath.Mid(nDot + 1) : CString();
        strExtension.MakeUpper();
        if (strExtension == L"PNG" || strExtension == L"BMP" || strExtension == L"GIF")
            return L"is not a " + strExtension + L" file, whatever its name says";
        return L"is not a BMP, PNG or GIF file";
    }
    case SkinImageFile::FAILURE_BAD_SIZE:
        return L"declares a size of " + strSize + L", which no image may have";
    case SkinImageFile::FAILURE_TOO_LARGE:
        return L"declares " + strSize + L" pixels, more than the skin's images may hold together";
    case SkinImageFile::FAILURE_TRUNCATED:
        return L"is a truncated " + strFormat;
    case SkinImageFile::FAILURE_SIZE_MISMATCH:
        return L"decodes to another size than the " + strSize + L" its header declares";
    case SkinImageFile::FAILURE_BAD_CRC:
        return L"is a damaged PNG: a chunk fails its CRC check";
    case SkinImageFile::FAILURE_TOO_MANY_CHUNKS:
        if (header.format == SkinImageFile::FORMAT_GIF)
            strBound.Format(L"is a GIF of more than %d extensions or %d data blocks", SkinImageFile::MAX_GIF_EXTENSIONS,
                            SkinImageFile::MAX_GIF_SUB_BLOCKS);
        else
            strBound.Format(L"is a PNG of more than %d chunks, or %d besides image data", SkinImageFile::MAX_PNG_CHUNKS,
                            SkinImageFile::MAX_PNG_OTHER_CHUNKS);
        return strBound;
    case SkinImageFile::FAILURE_TOO_MANY_FRAMES:
        strBound.Format(L"is a GIF of more than %d frames", SkinImageFile::MAX_GIF_FRAMES);
        return strBound;
    case SkinImageFile::FAILURE_NO_COLOUR_TABLE:
        return L"is a GIF with a frame that has no colour table, neither its own nor a global one";
    case SkinImageFile::FAILURE_BAD_FRAME:
        return L"is a GIF with an empty frame or an LZW code size outside 2 to 8";
    case SkinImageFile::FAILURE_CORRUPT:
        return L"is damaged: it does not decode";
    default:
        return L"cannot be loaded";
    }
}

// The scale, in percent, that the rest of a variant's name (after the image's name and '@')
// gives: "1.5x.png" or "2x.bmp", any case; 0 for another extension, -1 for another scale.
int VariantPercent(const CString& strRest)
{
    const int nDot = strRest.ReverseFind(L'.');
    CString strExtension = strRest.Mid(nDot + 1);
    if (nDot < 2 || (strExtension.CompareNoCase(L"png") != 0 && strExtension.CompareNoCase(L"bmp") != 0 &&
                     strExtension.CompareNoCase(L"gif") != 0))
        return 0;
    const CString strScale = strRest.Left(nDot);
    if (strScale.CompareNoCase(L"1.5x") == 0)
        return CSkinImage::VARIANT_150;
    if (strScale.CompareNoCase(L"2x") == 0)
        return CSkinImage::VARIANT_200;
    return strScale.Right(1).CompareNoCase(L"x") == 0 ? -1 : 0;
}

CString PercentText(int nPercent)
{
    return nPercent == CSkinImage::VARIANT_150 ? L"1.5x" : L"2x";
}
}

CSkinImageCache::CSkinImageCache() : m_derived(MAX_LOAD_PIXELS), m_nVariantFiles(0), m_nPixels(0), m_nIcons(0), m_nIconBytes(0), m_nGeneration(0)
{
}

CSkinImageCache::~CSkinImageCache()
{
}

CSkinImage* CSkinImageCache::BorrowImage(const CString& strPath)
{
    if (strPath.IsEmpty())
        return NULL;
    const std::wstring strKey = CacheKey(strPath);
    auto found = m_bySpelling.find(strKey);
    if (found != m_bySpelling.end())
        return found->second->pImage.get();
    // Another spelling of a file already read gives its image, and costs only its header.
    SkinImageFile::HEADER header;
    SkinImageFile::Failure failure = SkinImageFile::FAILURE_UNREADABLE;
    const BOOL bHeader = SkinImageFile::ReadHeader(strPath, header, &failure);
    const std::wstring strIdentity = FileIndexKey(header);
    auto same = strIdentity.empty() ? m_byIdentity.end() : m_byIdentity.find(strIdentity);
    if (same != m_byIdentity.end() && SameFile(same->second->strPath, strPath))
    {
        m_bySpelling[strKey] = same->second;
        return same->second->pImage.get();
    }
    if (!FileFits())
        return NULL;

    std::unique_ptr<ENTRY> pEntry(new (std::nothrow) ENTRY);
    if (!pEntry)
        return NULL;
    ENTRY& entry = *pEntry;
    entry.strPath = strPath;
    entry.strKey = strKey;
    m_entries.push_back(std::move(pEntry));
    m_bySpelling[strKey] = &entry;
    if (!strIdentity.empty())
        m_byIdentity[strIdentity] = &entry;
    std::unique_ptr<CSkinImage> pImage;
    if (bHeader)
        pImage = LoadFile(strPath, header, failure);
    if (!pImage)
    {
        entry.strFailure = FailureText(strPath, failure);
        return NULL;
    }
    LoadVariants(strPath, *pImage);
    pImage->SetDerivedImages(&m_derived);
    entry.pImage = std::move(pImage);
    return entry.pImage.get();
}

std::unique_ptr<CSkinImage> CSkinImageCache::LoadFile(const CString& strPath, const SkinImageFile::HEADER& header,
                                                      SkinImageFile::Failure& failure)
{
    std::unique_ptr<CSkinImage> pImage(new (std::nothrow) CSkinImage);
    LONGLONG nDecoded = 0;
    failure = SkinImageFile::FAILURE_UNREADABLE;
    const BOOL bLoaded = pImage && pImage->Load(strPath, header, MAX_LOAD_PIXELS - m_nPixels, &failure, &nDecoded);
    Charge(nDecoded);
    if (!bLoaded)
        pImage.reset();
    return pImage;
}

void CSkinImageCache::Charge(LONGLONG nPixels)
{
    m_nPixels += nPixels;
    m_derived.SetLimit(std::max<LONGLONG>(0, MAX_LOAD_PIXELS - m_nPixels));
}

void CSkinImageCache::LoadVariants(const CString& strPath, CSkinImage& image)
{
    const int nSlash = std::max(strPath.ReverseFind(L'\\'), strPath.ReverseFind(L'/'));
    const CString strFolder = strPath.Left(nSlash + 1), strName = strPath.Mid(nSlash + 1);
    const int nDot = strName.ReverseFind(L'.');
    const CString strStem = nDot > 0 ? strName.Left(nDot) : strName;
    // The candidates, in name order so loads are repeatable.
    std::vector<CString> names;
    const VariantNames& listed = VariantNamesIn(strFolder);
    const auto range = listed.equal_range(KeyOf(strStem));
    for (auto it = range.first; it != range.second && (int)names.size() < MAX_VARIANT_CANDIDATES; ++it)
        names.push_back(it->second);
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    for (const CString& strFound : names)
    {
        const CString strVariant = strFolder + strFound;
        const int nPercent = VariantPercent(strFound.Mid(strStem.GetLength() + 1));
        if (nPercent < 0)
            m_refused.push_back({ strVariant, L"names a scale other than 1.5x and 2x: it is not used" });
        else if (image.HasVariant(nPercent))
            m_refused.push_back({ strVariant, L"is a second " + PercentText(nPercent) + L" variant of '" + strName +
                                                  L"': it is not used" });
        else if (!FileFits())
            m_refused.push_back({ strVariant, L"would pass the skin's budget of image files: it is not used" });
        else
            LoadVariant(strVariant, nPercent, strName, image);
    }
}

void CSkinImageCache::LoadVariant(const CString& strVariant, int nPercent, const CString& strName, CSkinImage& image)
{
    m_nVariantFiles++;
    SkinImageFile::HEADER header;
    SkinImageFile::Failure failure = SkinImageFile::FAILURE_UNREADABLE;
    if (!SkinImageFile::ReadHeader(strVariant, header, &failure))
    {
        m_refused.push_back({ strVariant, FailureText(strVariant, failure) + L": it is not used" });
        return;
    }
    // The size its scale needs, from the header: a picture of another size is never decoded.
    if (!image.FitsVariant(nPercent, header.nWidth, header.nHeight))
    {
        const CSize sizeWanted = image.VariantSize(nPercent);
        m_refused.push_back({ strVariant, L"is " + Dimensions(header.nWidth, header.nHeight) + L", not " +
                                              Dimensions(sizeWanted.cx, sizeWanted.cy) + L" (" + PercentText(nPercent) +
                                              L" '" + strName + L"', " + Dimensions(image.GetSize().cx, image.GetSize().cy) +
                                              L"): it is not used" });
        return;
    }
    std::unique_ptr<CSkinImage> pVariant = LoadFile(strVariant, header, failure);
    if (!pVariant)
        m_refused.push_back({ strVariant, FailureText(strVariant, failure) + L": it is not used" });
    else if (!image.AddVariant(nPercent, pVariant))
        m_refused.push_back({ strVariant, L"does not decode to the size its header declares: it is not used" });
}

CString CSkinImageCache::DescribeFailure(const CString& strPath) const
{
    auto found = m_bySpelling.find(CacheKey(strPath));
    return found != m_bySpelling.end() && !found->second->strFailure.IsEmpty() ? found->second->strFailure
                                                                                : CString(L"cannot be loaded");
}

std::vector<CString> CSkinImageCache::ImagesWithoutVariant(int nPercent) const
{
    std::vector<const ENTRY*> found;
    for (const std::unique_ptr<ENTRY>& pEntry : m_entries)
        if (pEntry->pImage && !pEntry->pImage->HasVariant(nPercent) &&
            !(nPercent < CSkinImage::VARIANT_200 && pEntry->pImage->HasVariant(CSkinImage::VARIANT_200)))
            found.push_back(pEntry.get());
    std::sort(found.begin(), found.end(), [](const ENTRY* a, const ENTRY* b) { return a->strKey < b->strKey; });
    std::vector<CString> paths;
    for (const ENTRY* pEntry : found)
        paths.push_back(pEntry->strPath);
    return paths;
}

bool CSkinImageCache::HasVariants() const
{
    for (const std::unique_ptr<ENTRY>& pEntry : m_entries)
        if (pEntry->pImage && pEntry->pImage->GetVariantCount() > 0)
            return true;
    return false;
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
    Charge(nPixels);
    return TRUE;
}

BOOL CSkinImageCache::CountIcon()
{
    if (m_nIcons >= MAX_LOAD_ICONS)
        return FALSE;
    m_nIcons++;
    return TRUE;
}

const CSkinImageCache::VariantNames& CSkinImageCache::VariantNamesIn(const CString& strFolder)
{
    const std::wstring strKey = CacheKey(strFolder);
    auto found = m_variantNames.find(strKey);
    if (found != m_variantNames.end())
        return found->second;
    VariantNames& names = m_variantNames[strKey];
    WIN32_FIND_DATAW find;
    HANDLE hFind = ::FindFirstFileW(strFolder + L"*@*x.*", &find);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        const CString strFound = find.cFileName;
        const int nAt = strFound.ReverseFind(L'@');
        if (!(find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && nAt > 0 && VariantPercent(strFound.Mid(nAt + 1)) != 0)
            names.insert({ KeyOf(strFound.Left(nAt)), strFound });
    } while ((int)names.size() < MAX_VARIANT_NAMES && ::FindNextFileW(hFind, &find));
    ::FindClose(hFind);
    return names;
}

void CSkinImageCache::Clear()
{
    m_bySpelling.clear();
    m_byIdentity.clear();
    m_entries.clear();
    m_derived.Clear();
    m_variantNames.clear();
    m_refused.clear();
    m_nVariantFiles = 0;
    m_nGeneration++;
    m_nPixels = 0;
    m_derived.SetLimit(MAX_LOAD_PIXELS);
    m_nIcons = 0;
    m_nIconBytes = 0;
}

int CSkinImageCache::GetBitmapCount() const
{
    int nCount = 0;
    for (const std::unique_ptr<ENTRY>& pEntry : m_entries)
        nCount += pEntry->pImage ? 1 : 0;
    return nCount;
}
