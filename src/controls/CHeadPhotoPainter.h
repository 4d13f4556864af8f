// The state, hover tracking and painting the two head-photo controls share: the background
// bitmap at the control's origin, the hover one while the mouse is over the control, and a
// 55 by 55 portrait square at (8, 7) at 96 DPI, scaled for the window's, optionally in grey.
#pragma once
#include <KorvoSkin/CGroupHeadPhoto.h>
#include "../parts/CHoverTracker.h"
#include "../parts/COffscreenBuffer.h"
#include "CControlDpi.h"

class CHeadPhotoPainter
{
public:
    static const int PORTRAIT_SIZE = 55;
    static const int PORTRAIT_X = 8;
    static const int PORTRAIT_Y = 7;

    CHeadPhotoPainter();

    static CHeadPhotoPainter& Of(CGroupHeadPhoto& photo) { return *photo.m_pPainter; }

    // The host's bitmaps; a background is painted only when both are set. No repaint.
    void SetEraseBg(HBITMAP hNormal, HBITMAP hHover);
    // Each of these repaints the whole control, erasing, when it changes the look.
    void SetGray(CWnd* pWnd, bool bGray);
    // The first move over the control starts the hover and asks for the leave notification.
    void MouseMove(CWnd* pWnd);
    void MouseLeave(CWnd* pWnd);
    bool IsHover() const { return m_hover.IsHover(); }
    // Repaints the control, its buffer made again, when the window's DPI moved.
    void FollowDpi(CWnd* pWnd);

    // Paints the control from its paint message: the background, then the top-left square of
    // hPhoto (cropped at 55 pixels, stretched sharply at another DPI than 96), or image nImage of
    // pImageList at its own size; no portrait for a null one.
    // Composed in a kept buffer and copied in one transfer.
    void Paint(CWnd* pWnd, HBITMAP hPhoto);
    void Paint(CWnd* pWnd, CImageList* pImageList, int nImage);

    // The BT.601 luma of a colour, the grey level of a grey portrait.
    static BYTE GreyLevel(COLORREF cr);

    // The portrait: the group photo's own bitmap, or the user photo's image of the host's list
    // (the list stays the host's; null for none).
    CBitmap m_photo;
    CImageList* m_pImageList = nullptr;
    DWORD m_nImage = 0;

private:
    // Draws the background and, when bPortrait, the square that fnDraw fills at the portrait's
    // place (false: it could not), given the target, the kept source context and the square.
    template <typename DrawSquare> void Paint(CWnd* pWnd, bool bPortrait, DrawSquare fnDraw);

    HBITMAP m_hEraseBg;
    HBITMAP m_hEraseBgHover;
    bool m_bGray;
    CHoverTracker m_hover;
    COffscreenBuffer m_buffer;
    // A host bitmap is selected into this context only while it is copied.
    CDC m_dcImage;
    CControlDpi m_dpi;
};
