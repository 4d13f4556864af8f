// The images of one skin load. Every image file is loaded once and shared by everything that
// names it (watermarks, window skins, command-image strips), and the whole load is held to a
// budget of pixels, image files and icons, so a skin cannot fill memory or the process's GDI
// quota by naming one large image many times or many images once.
#pragma once
#include <afxwin.h>
#include "../parts/CSkinImage.h"
#include <map>
#include <memory>
#include <string>

// Pixels all the images of one load may hold together.
const LONGLONG MAX_LOAD_PIXELS = 64LL * 1024 * 1024;
// Distinct image files one load may name (those that fail to load included).
const int MAX_LOAD_IMAGE_FILES = 1000;
// Icons one load may make from icon files.
const int MAX_LOAD_ICONS = 2000;
// Bytes one load may read from icon files.
const ULONGLONG MAX_LOAD_ICON_BYTES = 64ULL * 1024 * 1024;

class CIconFile;

class CSkinImageCache
{
public:
    CSkinImageCache();
    ~CSkinImageCache();

    // The image of a file (BMP, PNG or GIF), loaded at the first request of this load. The cache
    // keeps it: callers borrow it until Clear and never delete it. Null when the file is no
    // image or would pass the load's budgets, as for a missing file.
    CSkinImage* BorrowImage(const CString& strPath);
    // The bitmap of a file's image, for a borrower that selects it into DCs of its own or hands
    // it to the host: from then on the image holds it in its drawing DC only while it draws.
    HBITMAP BorrowBitmap(const CString& strPath);
    // Counts pixels a borrower derives from the load's images (a frame made translucent by an
    // alpha image) against the load's budget; FALSE, counting nothing, when they would pass it.
    BOOL CountPixels(LONGLONG nPixels);
    // Reads and checks an icon file, charging its size to the load's budget.
    BOOL ReadIconFile(const CString& strPath, CIconFile& file);
    // Counts one icon about to be made for the command images; FALSE once the load has made
    // its share.
    BOOL CountIcon();
    // Start of every load: deletes every bitmap and drawing DC and resets the budgets.
    void Clear();

    int GetBitmapCount() const;
    // Changes at every Clear: a bitmap borrowed earlier is still this load's while the number
    // is what it was then (a handle alone may be reused by the next load).
    unsigned GetGeneration() const { return m_nGeneration; }
    LONGLONG GetPixelCount() const { return m_nPixels; }

private:
    // A file that failed to load is remembered as a null image, and costs nothing again.
    std::map<std::wstring, std::unique_ptr<CSkinImage>> m_mapImages;
    LONGLONG m_nPixels;
    int m_nIcons;
    ULONGLONG m_nIconBytes;
    unsigned m_nGeneration;

    CSkinImageCache(const CSkinImageCache&) = delete;
    void operator=(const CSkinImageCache&) = delete;
};
