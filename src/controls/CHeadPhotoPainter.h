// The state, behaviour and painting the two head-photo controls share: the messages they have in
// common answered whole (hover, accessibility, DPI); the background bitmap at the control's
// origin, the hover one while the mouse is over the control, and a 55 by 55 portrait square at
// (8, 7) at 96 DPI, scaled for the window's, optionally in grey.
#pragma once
#include <KorvoSkin/CGroupHeadPhoto.h>
#include "../parts/CHoverTracker.h"
#include "../parts/COffscreenBuffer.h"
#include "../parts/CWindowDpi.h"
#include "CControlDpi.h"
#include <KorvoSkin/CAccessibleName.h>

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
    // The controls' handlers of these messages forward them here. The first move over the
    // control starts the hover and asks for the leave notification; a hover change repaints.
    void OnMouseMove(CWnd* pWnd);
    LRESULT OnMouseLeave(CWnd* pWnd);
    // A picture, hot while the pointer is over it.
    LRESULT OnGetObject(CWnd* pWnd, const CAccessibleName& name, WPARAM wParam, LPARAM lParam);
    // Repaints the control, its buffer made again, when the window's DPI moved.
    LRESULT OnDpiChangedAfterParent(CWnd* pWnd);
    bool IsHover() const { return m_hover.IsHover(); }

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

// What both head-photo controls answer through their painter (held in m_pPainter), in one place:
// the entries of the message map and the handlers the headers declare for them (OnMouseMove,
// OnMouseLeave, OnGetObject, OnDpiChangedAfterParent), each forwarding the message.
#define ON_HEAD_PHOTO_MESSAGES() \
    ON_MESSAGE(WM_GETOBJECT, OnGetObject) \
    ON_WM_MOUSEMOVE() \
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave) \
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)

#define IMPLEMENT_HEAD_PHOTO_HANDLERS(theClass) \
    void theClass::OnMouseMove(UINT, CPoint) { m_pPainter->OnMouseMove(this); } \
    LRESULT theClass::OnMouseLeave(WPARAM, LPARAM) { return m_pPainter->OnMouseLeave(this); } \
    LRESULT theClass::OnGetObject(WPARAM wParam, LPARAM lParam) { return m_pPainter->OnGetObject(this, *this, wParam, lParam); } \
    LRESULT theClass::OnDpiChangedAfterParent(WPARAM, LPARAM) { return m_pPainter->OnDpiChangedAfterParent(this); }
