// One window's left, right and bottom frame edges as last composed, so that a full frame repaint
// is three copies instead of a few dozen tiled and keyed part copies. Kept per window (its size
// is the window's own); composed again whenever the size, DPI, skin or corners change.
#pragma once
#include <afxwin.h>
#include <functional>
#include "../parts/COffscreenBuffer.h"

class CFrameEdgeCache
{
public:
    // Everything the edges are composed from besides the skin's parts, which never change.
    struct Key
    {
        const void* pSkin = NULL;
        CSize window;
        UINT nDpi = 0;
        int nTopLeftHeight = 0;
        int nTopRightHeight = 0;
        COLORREF crBack = 0;
        // The frame's thickness: the strips are the window's rows below the caption strip in
        // the left and right columns, and its bottom rows.
        CRect rcFrame;

        bool operator==(const Key& other) const;
    };

    // Copies the edges composed for key to pDC; when they are not kept, composes them first with
    // fnPaint, which paints the edges in window coordinates. FALSE when the caller is to paint
    // them directly: the first paint at a new size (a window being resized would compose every
    // size once for nothing), or when they cannot be kept (no memory, a window past the screen).
    BOOL Draw(CDC* pDC, const Key& key, const std::function<void(CDC*)>& fnPaint);
    // Forgets the edges; the memory stays for the next composition.
    void Invalidate() { m_bValid = FALSE; }

private:
    // The window's strip rectangles: left, right, bottom.
    static void Strips(const Key& key, CRect* prcStrips);
    BOOL Compose(CDC* pDC, const Key& key, const std::function<void(CDC*)>& fnPaint);

    // Left and right columns side by side; the bottom rows.
    COffscreenBuffer m_sides;
    COffscreenBuffer m_bottom;
    CDC* m_pSides = NULL;
    CDC* m_pBottom = NULL;
    Key m_key;
    BOOL m_bValid = FALSE;
    // The last key painted directly: composing starts at its second paint.
    Key m_keyDirect;
};
