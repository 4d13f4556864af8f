#include "CIconFile.h"
#include "ByteOrder.h"
#include <algorithm>

namespace
{
using namespace ByteOrder;

const DWORD ICON_DIRECTORY_SIZE = 6;
const DWORD ICON_ENTRY_SIZE = 16;
const int MAX_ICON_PIXELS = 256;
const BYTE PNG_SIGNATURE[8] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
// Signature, then the IHDR chunk's length, type, width and height.
const DWORD PNG_HEADER_SIZE = 8 + 4 + 4 + 4 + 4;

// The bytes of one row of a bitmap, padded to whole 32-bit words.
ULONGLONG RowBytes(int nWidth, int nBitCount)
{
    return ((ULONGLONG)nWidth * nBitCount + 31) / 32 * 4;
}
}

BOOL CIconFile::Read(LPCWSTR pszPath, DWORD nMaxSize, DWORD* pnRead)
{
    if (pnRead)
        *pnRead = 0;
    m_bytes.clear();
    m_entries.clear();
    if (!pszPath)
        return FALSE;
    HANDLE hFile = ::CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER nFileSize = {};
    std::vector<BYTE> bytes;
    BOOL bRead = ::GetFileSizeEx(hFile, &nFileSize) && nFileSize.QuadPart <= std::min(nMaxSize, MAX_ICON_FILE_SIZE);
    if (bRead)
    {
        bytes.resize((size_t)nFileSize.QuadPart);
        DWORD nRead = 0;
        bRead = bytes.empty() || (::ReadFile(hFile, bytes.data(), (DWORD)bytes.size(), &nRead, NULL) &&
                                  nRead == bytes.size());
        if (pnRead)
            *pnRead = nRead;
    }
    ::CloseHandle(hFile);
    return bRead && Parse(std::move(bytes));
}

BOOL CIconFile::Parse(std::vector<BYTE>&& bytes)
{
    m_bytes.clear();
    m_entries.clear();
    const ULONGLONG nLength = bytes.size();
    if (nLength < ICON_DIRECTORY_SIZE || nLength > MAX_ICON_FILE_SIZE)
        return FALSE;
    const BYTE* p = bytes.data();
    int nCount = Le16(p + 4);
    if (Le16(p) != 0 || Le16(p + 2) != 1 || nCount < 1 || nCount > MAX_ICON_ENTRIES)
        return FALSE;
    const ULONGLONG nDirectoryEnd = ICON_DIRECTORY_SIZE + (ULONGLONG)nCount * ICON_ENTRY_SIZE;
    if (nDirectoryEnd > nLength)
        return FALSE;

    std::vector<ENTRY> entries;
    for (int n = 0; n < nCount; n++)
    {
        const BYTE* pEntry = p + ICON_DIRECTORY_SIZE + n * ICON_ENTRY_SIZE;
        ENTRY entry = {};
        entry.nSize = Le32(pEntry + 8);
        entry.nOffset = Le32(pEntry + 12);
        // Worked out in 64 bits, so no offset and size can wrap around to pass.
        if (entry.nOffset < nDirectoryEnd || (ULONGLONG)entry.nOffset + entry.nSize > nLength)
            return FALSE;
        if (!CheckImage(p + entry.nOffset, entry.nSize, entry))
            return FALSE;
        entries.push_back(entry);
    }
    m_bytes = std::move(bytes);
    m_entries = std::move(entries);
    return TRUE;
}

BOOL CIconFile::CheckImage(const BYTE* pImage, DWORD nSize, ENTRY& entry)
{
    if (nSize >= PNG_HEADER_SIZE && memcmp(pImage, PNG_SIGNATURE, sizeof(PNG_SIGNATURE)) == 0)
    {
        DWORD nWidth = Be32(pImage + 16);
        DWORD nHeight = Be32(pImage + 20);
        if (Be32(pImage + 8) != 13 || memcmp(pImage + 12, "IHDR", 4) != 0 || nWidth < 1 ||
            nWidth > MAX_ICON_PIXELS || nHeight < 1 || nHeight > MAX_ICON_PIXELS)
            return FALSE;
        entry.nWidth = (int)nWidth;
        entry.nHeight = (int)nHeight;
        entry.nBitCount = 32;
        return TRUE;
    }

    if (nSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER header;
    memcpy(&header, pImage, sizeof(header));
    // The height counts the colour image and the mask below it.
    LONG nHeight = header.biHeight / 2;
    if (header.biSize != sizeof(BITMAPINFOHEADER) || header.biWidth < 1 || header.biWidth > MAX_ICON_PIXELS ||
        header.biHeight % 2 != 0 || nHeight < 1 || nHeight > MAX_ICON_PIXELS || header.biPlanes != 1 ||
        header.biCompression != BI_RGB)
        return FALSE;
    ULONGLONG nColours = header.biClrUsed;
    switch (header.biBitCount)
    {
    case 1:
    case 4:
    case 8:
        if (nColours == 0)
            nColours = 1ULL << header.biBitCount;
        if (nColours > 1ULL << header.biBitCount)
            return FALSE;
        break;
    case 16:
    case 24:
    case 32:
        if (nColours > 256)
            return FALSE;
        break;
    default:
        return FALSE;
    }
    ULONGLONG nNeeded = sizeof(BITMAPINFOHEADER) + nColours * sizeof(RGBQUAD) +
                        RowBytes(header.biWidth, header.biBitCount) * nHeight + RowBytes(header.biWidth, 1) * nHeight;
    if (nNeeded > nSize)
        return FALSE;
    entry.nWidth = header.biWidth;
    entry.nHeight = nHeight;
    entry.nBitCount = header.biBitCount;
    return TRUE;
}

const CIconFile::ENTRY* CIconFile::BestEntry(int nPixels) const
{
    // The exact size in its deepest colours; else the smallest larger image; else the largest.
    const ENTRY* pBest = NULL;
    auto Rank = [nPixels](const ENTRY& entry) {
        int nSide = std::max(entry.nWidth, entry.nHeight);
        if (entry.nWidth == nPixels && entry.nHeight == nPixels)
            return 3 * MAX_ICON_PIXELS * 64 + entry.nBitCount;
        if (nSide > nPixels)
            return 2 * MAX_ICON_PIXELS * 64 - nSide * 64 + entry.nBitCount;
        return nSide * 64 + entry.nBitCount;
    };
    for (const ENTRY& entry : m_entries)
        if (!pBest || Rank(entry) > Rank(*pBest))
            pBest = &entry;
    return pBest;
}

HICON CIconFile::CreateIcon(int nPixels) const
{
    const ENTRY* pEntry = BestEntry(nPixels);
    if (!pEntry || nPixels <= 0)
        return NULL;
    // The platform is handed exactly the checked bytes of the entry, in a buffer of their own.
    std::vector<BYTE> image(m_bytes.begin() + pEntry->nOffset, m_bytes.begin() + pEntry->nOffset + pEntry->nSize);
    return ::CreateIconFromResourceEx(image.data(), (DWORD)image.size(), TRUE, 0x00030000, nPixels, nPixels,
                                      LR_DEFAULTCOLOR);
}
