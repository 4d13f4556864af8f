// How a bar is drawn: the part being repainted is composed off-screen on the bar's background
// and copied in one transfer, and each button copies the image of its state, faded into the
// dialog background while it is disabled. The painter keeps the bar's off-screen buffer and the
// DC button images are drawn from between paints: making either costs as much as drawing a few
// buttons, and a hover change draws two.
#pragma once
#include "../parts/CBufferedPaint.h"
#include "../parts/CDpiScale.h"
#include "../parts/CGdiSelect.h"

class CCoolBarItem;

class CCoolBarPainter
{
public:
    // Composes rcClip of the bar off-screen: its background (the pattern hbmErase, else the
    // dialog background), then what drawButtons(pDC) draws, clipped to rcClip.
    template <class FN>
    void Paint(CDC* pDC, const CRect& rcClip, HBITMAP hbmErase, FN drawButtons)
    {
        CBufferedPaint paint(m_buffer, pDC, rcClip);
        CDC* pTarget = paint.GetDC();
        int nSaved = pTarget->SaveDC();
        pTarget->IntersectClipRect(&rcClip);
        FillBackground(pTarget, rcClip, hbmErase, paint.IsBuffered() ? rcClip.TopLeft() : CPoint(0, 0));
        drawButtons(pTarget);
        pTarget->RestoreDC(nSaved);
    }

    // The DC button images are selected into while drawing; null when none can be made. No
    // image stays selected in it after a paint, so a button can let its images go at any time.
    CDC* GetImageDC();

    // Draws pItem's look of nState (a CCoolBarItem::IMAGE_ value) for rcItem, a button laid out at
    // scale: scaled with the bar from the button's top-left corner, or filling the button as a
    // nine-grid; faded while the button is disabled.
    static void DrawButton(CDC* pDC, const CCoolBarItem* pItem, const CRect& rcItem, int nState,
                           const CDpiScale& scale);

private:
    // ptAtDeviceOrigin is the client point pDC's device starts at, so a pattern keeps lining
    // up with the bar whichever part is repainted.
    static void FillBackground(CDC* pDC, const CRect& rc, HBITMAP hbmErase, CPoint ptAtDeviceOrigin);
    // Half fades rc into the dialog colour.
    static void Fade(CDC* pDC, const CRect& rc);

    COffscreenBuffer m_buffer;
    CDC m_dcImage;
};
