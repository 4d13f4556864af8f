// The off-screen surface an animation composes its frames on: a memory DC holding a bitmap
// compatible with the window, and a GDI+ graphics object on it. It is kept from frame to frame
// and made again only when the size changes; each frame reaches the window in one transfer, so
// the animation does not flicker. A composed frame is kept, within a memory budget, so the
// next loop of the animation copies it instead of drawing the image again.
#pragma once
#include <afxwin.h>
#include "../parts/CGdiplusGraphics.h"
#include <memory>
#include <vector>

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
    // Keeps what the surface holds now as frame nFrame, while the budget allows.
    void KeepFrame(HDC hTargetDC, UINT nFrame);
    // Copies kept frame nFrame to hTargetDC's origin; false when it was not kept.
    bool CopyKeptFrameTo(HDC hTargetDC, UINT nFrame);
    void Release();

private:
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    CSize m_size;
    // Made on m_dc, so it goes before it.
    CGdiplusGraphics m_pGraphics;
    // Composed frames of the current size, by frame number (null: not kept), and the DC that
    // holds one of them while it is copied.
    std::vector<std::unique_ptr<CBitmap>> m_frames;
    CDC m_dcFrame;
};
