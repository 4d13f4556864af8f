// One look of a toolbar button: a copy of a skin image with its variants for other DPIs, so a
// later skin load cannot pull it away. An opaque image has white as its transparent colour; a translucent one blends over the
// bar.
#pragma once
#include <afxwin.h>
#include "../parts/CSkinImage.h"
#include <memory>

class CCoolBarImage
{
public:
    // Null when pSkin is null or cannot be copied.
    static std::shared_ptr<const CCoolBarImage> Copy(const CSkinImage* pSkin);
    // The pixels a copy of pSkin holds, its variants' included.
    static LONGLONG PixelsOf(const CSkinImage& skin);

    HBITMAP GetBitmap() const { return m_image.GetBitmap(); }
    CSize GetSize() const { return m_image.GetSize(); }
    LONGLONG GetPixelCount() const { return PixelsOf(m_image); }
    // Draws the top-left cx x cy pixels at (x, y). The image draws from a DC of its own; the
    // bar's work DC is not needed.
    void Draw(CDC* pDC, CDC* pWorkDC, int x, int y, int cx, int cy) const;
    // The whole image stretched into rcDest.
    void Draw(CDC* pDC, const CRect& rcDest, const CDpiScale& scale) const;
    // The whole image as a nine-grid filling rcDest, the margins rcGrid kept at scale.
    void DrawGrid(CDC* pDC, const CRect& rcDest, const CRect& rcGrid, const CDpiScale& scale) const;

    CCoolBarImage(const CCoolBarImage&) = delete;
    CCoolBarImage& operator=(const CCoolBarImage&) = delete;

private:
    CCoolBarImage() {}

    // Drawing selects into the image's own DC, which changes no pixel of it.
    mutable CSkinImage m_image;
};
