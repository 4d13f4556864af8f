// The one off-screen drawing surface: a memory DC with a bitmap that grows to the largest area
// asked for, but never past what the desktop can show. Menu items, window frames, bars and
// controls compose on one, kept between paints; CBufferedPaint is the scoped way to use it.
#pragma once
#include <afxwin.h>

class COffscreenBuffer
{
public:
    COffscreenBuffer();
    ~COffscreenBuffer();

    // The memory DC with a bitmap at least Clip(size) large and no clip region; null when it
    // does not exist yet and pDC gives no device to make it for.
    CDC* Get(CDC* pDC, const CSize& size);
    // The bitmap's size; 0 x 0 before the first Get.
    CSize GetSize() const { return m_size; }
    // Puts the DC's first bitmap back and deletes the DC and the bitmap.
    void Release();

    // The largest surface a window on this desktop can need: the virtual screen, never less
    // than a small floor.
    static CSize Limit();
    // size cut to Limit in each dimension (and to no less than 0).
    static CSize Clip(const CSize& size);

private:
    CSize m_size;
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;

    COffscreenBuffer(const COffscreenBuffer&) = delete;
    void operator=(const COffscreenBuffer&) = delete;
};
