// An icon (.ico) file read and checked by the library before the platform sees any of it: the
// directory, every entry's place in the file and the image header inside each entry. Icons
// are made only from entries that passed; any other file (an executable among them) is refused.
#pragma once
#include <afxwin.h>
#include <vector>

// Icon files larger than this are not read.
const DWORD MAX_ICON_FILE_SIZE = 4 * 1024 * 1024;
// Entries an icon file may list.
const int MAX_ICON_ENTRIES = 256;

class CIconFile
{
public:
    // Reads the file; FALSE, keeping nothing, unless it is an icon file of at most nMaxSize
    // bytes whose every entry is sound. *pnRead tells how many bytes were read.
    BOOL Read(LPCWSTR pszPath, DWORD nMaxSize = MAX_ICON_FILE_SIZE, DWORD* pnRead = NULL);
    // Checks bytes held in memory as Read checks a file.
    BOOL Parse(std::vector<BYTE>&& bytes);
    // A new icon, nPixels square, made from the entry that suits that size best; null when
    // nothing was read or the platform makes nothing of it.
    HICON CreateIcon(int nPixels) const;

private:
    struct ENTRY
    {
        int nWidth;
        int nHeight;
        int nBitCount;
        DWORD nOffset;
        DWORD nSize;
    };
    std::vector<BYTE> m_bytes;
    std::vector<ENTRY> m_entries;

    // Checks the image an entry holds (a bitmap header and all the bits it implies, or a PNG
    // header) and fills in its size and depth.
    static BOOL CheckImage(const BYTE* pImage, DWORD nSize, ENTRY& entry);
    const ENTRY* BestEntry(int nPixels) const;
};
