// The images of one skin load. Every image file is loaded once and shared by everything that
// names it (watermarks, window skins, command-image strips), and the whole load is held to a
// budget of pixels, image files and icons, so a skin cannot fill memory or the process's GDI
// quota by naming one large image many times or many images once.
#pragma once
#include <afxwin.h>
#include <map>
#include <memory>
#include <set>
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

    // How a borrower draws from a bitmap. A bitmap is selected into one DC at a time.
    enum BitmapUse
    {
        // Selected into DCs of the borrower's own while it draws, or handed to the host, who may.
        SELECTED_BY_BORROWER,
        // Drawn from only through BeginDrawing's DC.
        DRAWN_THROUGH_CACHE,
    };

    // The bitmap of a file, loaded at the first request of this load. The cache keeps it:
    // callers borrow it until Clear and never delete it. Null when the file is no bitmap or
    // would pass the load's budgets, as for a missing file.
    HBITMAP BorrowBitmap(const CString& strPath, BitmapUse use = SELECTED_BY_BORROWER);
    // A memory DC holding a bitmap borrowed to be drawn through the cache, shared by all its
    // borrowers; null for another bitmap or when no DC can be made. Selecting a bitmap into a
    // DC and out again can cost more than a whole frame's copies (under Wine it resets the DC),
    // so the DC keeps holding it after EndDrawing, unless it is also borrowed to be selected
    // elsewhere.
    CDC* BeginDrawing(HBITMAP hBitmap);
    void EndDrawing(HBITMAP hBitmap);
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
    // The file's bitmap, loaded at its first request within the budgets.
    HBITMAP LoadBitmapOnce(const CString& strPath);

    // Owns a bitmap without entering it in the framework's handle map: its borrowers may wrap
    // the same handle in objects of their own.
    struct BITMAP_DELETER
    {
        void operator()(HBITMAP hBitmap) const { ::DeleteObject(hBitmap); }
    };
    typedef std::unique_ptr<std::remove_pointer<HBITMAP>::type, BITMAP_DELETER> BITMAP_OWNER;

    // The DC a bitmap drawn through the cache is drawn from; it holds the bitmap while
    // hOldBitmap is set.
    struct DRAWING_DC
    {
        CDC dc;
        HGDIOBJ hOldBitmap = NULL;
        void Release();
        ~DRAWING_DC() { Release(); }
    };

    // A file that failed to load is remembered as a null bitmap, and costs nothing again.
    std::map<std::wstring, BITMAP_OWNER> m_mapBitmaps;
    // Declared after the bitmaps, so they go first and never outlive them holding one.
    std::map<HBITMAP, std::unique_ptr<DRAWING_DC>> m_mapDrawingDCs;
    std::set<HBITMAP> m_selectedElsewhere;
    LONGLONG m_nPixels;
    int m_nIcons;
    ULONGLONG m_nIconBytes;
    unsigned m_nGeneration;

    CSkinImageCache(const CSkinImageCache&) = delete;
    void operator=(const CSkinImageCache&) = delete;
};
