// One skin image: a bitmap read from a BMP, PNG or GIF file (or copied from another bitmap),
// drawn by source rectangle into destination rectangle. An image with translucent pixels is kept
// as a 32-bit DIB section with premultiplied alpha and blended over what is beneath; an opaque one
// is copied, with an optional key colour left out. Sizes other than the source's are met by
// stretching or tiling, and a nine-grid keeps the corners of a piece and stretches or tiles only
// its edges and centre.
//
// The image keeps one memory DC holding its bitmap between draws: selecting a bitmap in and out
// can cost more than the copies of a whole frame. An image whose bitmap is also selected
// elsewhere (SetShared) holds it only while it draws.
//
// An image may own variants drawn for higher DPIs (1.5x and 2x its size). Callers keep giving
// source rectangles and grid margins in the image's own (1x) pixels; a draw at a scale takes the
// nearest variant at or above it, used 1:1 at its own scale and filtered down at a lower one, and
// without one scales up the largest below as the 1x image always was. A filtered copy that does
// not fit its budget, or could not be made (that DPI is then not tried again), leaves the variant
// stretched down pixel by pixel.
#pragma once
#include <afxwin.h>
#include "CDerivedImages.h"
#include "CDpiScale.h"
#include "SkinImageFile.h"
#include <map>
#include <memory>
#include <tuple>
#include <vector>

class CSkinImage
{
public:
    enum Fill
    {
        FILL_TILE = 0,
        FILL_STRETCH = 1,
    };

    CSkinImage();
    ~CSkinImage();

    // Reads a file whose header declares at most nMaxPixels pixels. BMPs load through GDI, as
    // they always have; PNG and GIF decode through GDI+ while it runs, once SkinImageFile::Walk
    // passed them. FALSE, with nothing held, for a missing, unknown, oversized, truncated or
    // corrupt file.
    // pFailure, when given, receives why a load failed; pDecoded the pixels handed to a decoder
    // (0 for a file refused before), which a failed decode costs as well.
    BOOL Load(const CString& strPath, LONGLONG nMaxPixels, SkinImageFile::Failure* pFailure = NULL,
              LONGLONG* pDecoded = NULL);
    // The same for a file whose header the caller read already.
    BOOL Load(const CString& strPath, SkinImageFile::HEADER header, LONGLONG nMaxPixels,
              SkinImageFile::Failure* pFailure = NULL, LONGLONG* pDecoded = NULL);
    // A copy of hBitmap, translucent when it is a 32-bit DIB section with pixels less than opaque.
    BOOL CopyFrom(HBITMAP hBitmap);
    // A copy of another image with its variants and key colour; the copy's bitmaps are its own,
    // so it is not shared whatever the source is.
    BOOL CopyFrom(const CSkinImage& source);
    void Reset();

    // Variants, in percent of the 1x size. Takes pVariant when its size is this image's at that
    // scale within a pixel and the image has no variant of that scale yet; FALSE otherwise,
    // leaving pVariant with the caller. The variant takes this image's key colour and sharing.
    enum { VARIANT_150 = 150, VARIANT_200 = 200 };
    BOOL AddVariant(int nPercent, std::unique_ptr<CSkinImage>& pVariant);
    // Whether a picture of this size may be this image's variant of a scale in percent.
    bool FitsVariant(int nPercent, LONGLONG cx, LONGLONG cy) const;
    bool HasVariant(int nPercent) const { return GetVariant(nPercent) != NULL; }
    // Where the copies made of the variants for DPIs between their scales are kept and charged
    // (a load's images share one; it must outlive the image). Without one the image keeps its
    // copies itself, together at most the pixels of its largest variant.
    void SetDerivedImages(CDerivedImages* pDerived);
    // The variant of a scale in percent, null without one. The image keeps it.
    CSkinImage* GetVariant(int nPercent) const;
    int GetVariantCount() const { return (int)m_variants.size(); }
    // This image's size at a scale in percent, as a variant of it must be (within a pixel).
    CSize VariantSize(int nPercent) const;

    BOOL IsLoaded() const { return m_hBitmap != NULL; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    CSize GetSize() const { return m_size; }
    LONGLONG GetPixelCount() const { return (LONGLONG)m_size.cx * m_size.cy; }
    bool HasAlpha() const { return m_bAlpha; }

    // Pixels of this colour are left out of every draw of an opaque image; CLR_INVALID for none.
    void SetKeyColour(COLORREF crKey);
    // The bitmap may be selected into other DCs: the image selects it only while drawing.
    void SetShared();

    // Draws rcSource (in image pixels) into rcDest; a destination of another size is stretched or
    // tiled from the source's top-left corner, each tile the source's size at scale (stretched
    // nearest-neighbour, so edges stay sharp). FALSE when nothing could be drawn.
    BOOL Draw(HDC hDC, const CRect& rcDest, const CRect& rcSource, int nFill = FILL_STRETCH,
              const CDpiScale& scale = CDpiScale());
    // As Draw, with rcGrid's left, top, right and bottom the widths of the margins of rcSource
    // that keep their size (at scale): corners copied, edges filled along one axis, the centre
    // along both. A grid that does not fit the source draws as Draw would.
    BOOL DrawGrid(HDC hDC, const CRect& rcDest, const CRect& rcSource, const CRect& rcGrid, int nFill,
                  const CDpiScale& scale = CDpiScale());
    // Whether every pixel of rcSource is opaque: always for an image without alpha. A translucent
    // image's opaque pieces are copied, which is faster than blending them.
    bool IsOpaque(const CRect& rcSource);
    // Whether a grid leaves a piece of the source between its margins.
    static bool GridFits(const CSize& sizeSource, const CRect& rcGrid);

    // Whether a bitmap is the kind this class keeps for translucent images.
    static bool IsTranslucentBitmap(HBITMAP hBitmap);
    // A top-down 32-bit DIB section of cx x cy pixels, the kind kept for translucent images;
    // *ppBits receives its pixels. Null when it cannot be made.
    static HBITMAP CreateTopDownDib(int cx, int cy, void** ppBits);

    CSkinImage(const CSkinImage&) = delete;
    CSkinImage& operator=(const CSkinImage&) = delete;

private:
    struct VARIANT_IMAGE
    {
        int nPercent;
        std::unique_ptr<CSkinImage> pImage;
    };
    // DPIs whose filtered copy could not be made, a bounded number of them.
    enum { MAX_FAILED_DPIS = 8 };

    // The image a draw at scale takes its pixels from, and the DPI those pixels are drawn for.
    CSkinImage* Choose(const CDpiScale& scale, UINT& nImageDpi);
    // The copy of a variant filtered down for nDpi, made when it fits; null otherwise.
    CSkinImage* Derive(CSkinImage& variant, const CDpiScale& scale);
    // Where this image's copies are kept; null when there is no room for any.
    CDerivedImages* Derived();
    // Gives up the copies and the DPIs that failed (the pixels they came from changed).
    void ForgetDerived();
    // A rectangle of the 1x image's pixels in this image's, drawn for nImageDpi, within its size.
    CRect FromBase(const CRect& rc, UINT nImageDpi) const;
    // pSource's pixels averaged down to cx x cy (nearest pixels under a key colour, which must
    // stay exact); null when it cannot be made.
    static std::unique_ptr<CSkinImage> FilterDown(CSkinImage& source, int cx, int cy);
    // FilterDown's work, whose rows may not find the memory they need.
    static std::unique_ptr<CSkinImage> FilterDownRows(CSkinImage& source, int cx, int cy);
    // Selects the bitmap drawn from (the inked copy under a key colour); FALSE without a DC.
    BOOL Select();
    void Unselect();
    void MakeKeyMask();
    // One piece at its own size or stretched.
    void Blit(HDC hDC, const CRect& rcDest, const CRect& rcSource);
    // Fills rcDest from rcSource laid down as szTile pieces.
    void Fill(HDC hDC, const CRect& rcDest, const CRect& rcSource, int nFill, const CSize& szTile);

    HBITMAP m_hBitmap;
    CSize m_size;
    bool m_bAlpha;
    bool m_bShared;
    COLORREF m_crKey;
    CDC m_dc;
    HGDIOBJ m_hOldBitmap;
    // Under a key colour: a monochrome mask set where the key is, and the image with those pixels
    // black, so drawing is an AND and an OR; the mask in its own DC.
    CBitmap m_bmMask;
    CBitmap m_bmInk;
    CDC m_dcMask;
    HGDIOBJ m_hOldMask;
    // IsOpaque's answers for the source rectangles asked about, a bounded number of them.
    std::map<std::tuple<int, int, int, int>, bool> m_opaque;
    // Ascending by scale.
    std::vector<VARIANT_IMAGE> m_variants;
    CDerivedImages* m_pDerived;
    std::unique_ptr<CDerivedImages> m_pOwnDerived;
    std::vector<UINT> m_failedDpis;
};
