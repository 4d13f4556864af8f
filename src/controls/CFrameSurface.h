// The off-screen surface an animation composes its frames on: a memory DC holding a bitmap
// compatible with the window, and a GDI+ graphics object on it. It is kept from frame to frame
// and made again only when the size changes; each frame reaches the window in one transfer, so
// the animation does not flicker.
#pragma once
#include "../afx/afxwin.h"
#include "CGdiplusGraphics.h"

class CFrameSurface
{
public:
    CFrameSurface();
    ~CFrameSurface();
    CFrameSurface(const CFrameSurface&) = delete;
    CFrameSurface& operator=(const CFrameSurface&) = delete;

    // Makes the surface ready for a frame of that size, compatible with hTargetDC; keeps the
    // one it has when the size is the same. False when no surface could be made.
    bool Prepare(HDC hTargetDC, const CSize& size);
    Gdiplus::GpGraphics* GetGraphics() const { return m_pGraphics.get(); }
    const CSize& GetSize() const { return m_size; }
    // Copies the surface to hTargetDC's origin.
    void CopyTo(HDC hTargetDC) const;
    void Release();

private:
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    CSize m_size;
    // Made on m_dc, so it goes before it.
    CGdiplusGraphics m_pGraphics;
};
