// The images of one skin load. Every image file is loaded once and shared by everything that
// names it (watermarks, window skins, command-image strips), and the whole load is held to a
// budget of pixels, image files and icons, so a skin cannot fill memory or the process's GDI
// quota by naming one large image many times or many images once.
//
// A file is shared by what it is, not how its path is spelt: names that differ in case, in "."
// and ".." steps or in length past MAX_PATH, or links to one file, all give its one image.
//
// Beside each image file a skin may ship variants for higher DPIs, named as the file with "@1.5x"
// or "@2x" before an extension of its own (frame@2x.png beside frame.bmp). They load with the
// image, count against the same budgets, and are refused from their header, before anything is
// decoded, when not the image's size at their scale. Every pixel handed to a decoder is charged,
// whether the file then loads or not. The copies the images make of their variants for DPIs
// between the variants' scales live in what the budget leaves, the least recently drawn given up
// first.
#pragma once
#include <afxwin.h>
#include "../parts/CSkinImage.h"
#include <map>
#include <memory>
#include <string>
#include <vector>

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

    // Why an image file this load asked for did not load, as the end of "image 'name' ...":
    // "cannot be loaded" for a missing file or one past the budgets, more for a damaged one.
    CString DescribeFailure(const CString& strPath) const;

    // A variant file left out, and why ("is 40x20, not 2x ...").
    struct REFUSED_VARIANT
    {
        CString strPath;
        CString strReason;
    };
    const std::vector<REFUSED_VARIANT>& GetRefusedVariants() const { return m_refused; }
    // The loaded images (paths as first asked for) with no variant of a scale in percent or
    // above, which a draw at that scale enlarges, in path order; and whether any loaded image
    // has a variant at all.
    std::vector<CString> ImagesWithoutVariant(int nPercent) const;
    bool HasVariants() const;

    int GetBitmapCount() const;
    // The copies made for DPIs between variants' scales, within MAX_LOAD_PIXELS less the images.
    const CDerivedImages& GetDerivedImages() const { return m_derived; }
    // Changes at every Clear: a bitmap borrowed earlier is still this load's while the number
    // is what it was then (a handle alone may be reused by the next load).
    unsigned GetGeneration() const { return m_nGeneration; }
    LONGLONG GetPixelCount() const { return m_nPixels; }

private:
    struct ENTRY
    {
        // Null for a file that failed to load, which costs nothing again.
        std::unique_ptr<CSkinImage> pImage;
        CString strPath;
        std::wstring strKey;
        CString strFailure;
    };
    // Reads an image or a variant whose header the caller read, charging what is decoded.
    std::unique_ptr<CSkinImage> LoadFile(const CString& strPath, const SkinImageFile::HEADER& header,
                                         SkinImageFile::Failure& failure);
    // Loads and attaches the variants found beside a freshly loaded image.
    void LoadVariants(const CString& strPath, CSkinImage& image);
    void LoadVariant(const CString& strVariant, int nPercent, const CString& strName, CSkinImage& image);
    // The names in a folder that look like variants ("stem@...x.ext"), listed once per folder
    // and load (a listing costs far more than a lookup), by lower-case stem.
    typedef std::multimap<std::wstring, CString> VariantNames;
    const VariantNames& VariantNamesIn(const CString& strFolder);
    // Whether another file fits the load's file budget.
    bool FileFits() const { return (LONGLONG)m_entries.size() + m_nVariantFiles < MAX_LOAD_IMAGE_FILES; }
    // Adds pixels to the load's count; the copies keep to what is left.
    void Charge(LONGLONG nPixels);

    // The copies outlive the images that made them: they go after them.
    CDerivedImages m_derived;
    // One entry per file, in the order first asked for; found by each spelling of its path and
    // by the file's identity.
    std::vector<std::unique_ptr<ENTRY>> m_entries;
    std::map<std::wstring, ENTRY*> m_bySpelling;
    std::map<std::wstring, ENTRY*> m_byIdentity;
    std::vector<REFUSED_VARIANT> m_refused;
    std::map<std::wstring, VariantNames> m_variantNames;
    int m_nVariantFiles;
    LONGLONG m_nPixels;
    int m_nIcons;
    ULONGLONG m_nIconBytes;
    unsigned m_nGeneration;

    CSkinImageCache(const CSkinImageCache&) = delete;
    void operator=(const CSkinImageCache&) = delete;
};
