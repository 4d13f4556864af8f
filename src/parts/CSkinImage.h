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
#pragma once
#include <afxwin.h>
#include "CDpiScale.h"
#include <map>
#include <tuple>

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
    // they always have; PNG and GIF decode through GDI+ while it runs. FALSE, with nothing held,
    // for a missing, unknown, oversized, truncated or corrupt file.
    BOOL Load(const CString& strPath, LONGLONG nMaxPixels);
    // A copy of hBitmap, translucent when it is a 32-bit DIB section with pixels less than opaque.
    BOOL CopyFrom(HBITMAP hBitmap);
    void Reset();

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

    CSkinImage(const CSkinImage&) = delete;
    CSkinImage& operator=(const CSkinImage&) = delete;

private:
    // Selects the bitmap drawn from (the inked copy under a key colour); FALSE without a DC.
    BOOL Select();
    void Unselect();
    void MakeKeyMask();
    // One piece at its own size or stretched.
    void Blit(HDC hDC, const CRect& rcDest, const CRect& rcSource);
    void Fill(HDC hDC, const CRect& rcDest, const CRect& rcSource, int nFill, const CDpiScale& scale);

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
};
