// The images of one skin load. Every image file is loaded once and shared by everything that
// names it (watermarks, window skins, command-image strips), and the whole load is held to a
// budget of pixels, image files and icons, so a skin cannot fill memory or the process's GDI
// quota by naming one large image many times or many images once.
#pragma once
#include <afxwin.h>
#include <map>
#include <memory>
#include <string>
#include <type_traits>

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

    // The bitmap of a file, loaded at the first request of this load. The cache keeps it:
    // callers borrow it until Clear and never delete it, and select it into a DC only while
    // they draw from it, so other borrowers can do the same. Null when the file is no bitmap
    // or would pass the load's budgets, as for a missing file.
    HBITMAP BorrowBitmap(const CString& strPath);
    // Reads and checks an icon file, charging its size to the load's budget.
    BOOL ReadIconFile(const CString& strPath, CIconFile& file);
    // Counts one icon about to be made for the command images; FALSE once the load has made
    // its share.
    BOOL CountIcon();
    // Start of every load: deletes every bitmap and resets the budgets.
    void Clear();

    int GetBitmapCount() const;
    // Changes at every Clear: a bitmap borrowed earlier is still this load's while the number
    // is what it was then (a handle alone may be reused by the next load).
    unsigned GetGeneration() const { return m_nGeneration; }
    LONGLONG GetPixelCount() const { return m_nPixels; }

private:
    // Owns a bitmap without entering it in the framework's handle map: its borrowers may wrap
    // the same handle in objects of their own.
    struct BITMAP_DELETER
    {
        void operator()(HBITMAP hBitmap) const { ::DeleteObject(hBitmap); }
    };
    typedef std::unique_ptr<std::remove_pointer<HBITMAP>::type, BITMAP_DELETER> BITMAP_OWNER;

    // A file that failed to load is remembered as a null bitmap, and costs nothing again.
    std::map<std::wstring, BITMAP_OWNER> m_mapBitmaps;
    LONGLONG m_nPixels;
    int m_nIcons;
    ULONGLONG m_nIconBytes;
    unsigned m_nGeneration;

    CSkinImageCache(const CSkinImageCache&) = delete;
    void operator=(const CSkinImageCache&) = delete;
};
