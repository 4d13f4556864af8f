// The off-screen pair a see-through grip paints with: the grip as the control draws it, and a
// mask of its background, so only the dots reach the window and the parent shows around them.
#pragma once
#include <afxwin.h>
#include <memory>

class CGripSeeThrough
{
public:
    // Null when the DCs or bitmaps for a grip of this size cannot be made.
    static std::unique_ptr<CGripSeeThrough> Create(CWnd& grip, const CSize& size);
    // Makes the bitmaps for a new size; FALSE when they cannot be made.
    BOOL Resize(CWnd& grip, const CSize& size);
    // Paints the grip's dots into pDC: the control draws itself off screen first.
    void Paint(CWnd& grip, CDC* pDC);

private:
    CGripSeeThrough() : m_size(0, 0) {}

    CSize m_size;
    CDC m_dcImage;
    CDC m_dcMask;
    CBitmap m_bmpImage;
    CBitmap m_bmpMask;
};
