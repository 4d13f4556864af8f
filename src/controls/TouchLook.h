// The look the touch controls share: the whole control drawn into one off-screen bitmap (a
// background, a rounded one-pixel frame by hover, focus and the "always" flag, an optional
// drop-down triangle, the window text) and copied to the client area in one transfer.
#pragma once
#include "../afx/afxwin.h"

struct CTouchLook
{
    COLORREF crNormal;
    COLORREF crHover;
    COLORREF crFocus;
    COLORREF crBack;
    bool bHover;
    bool bFocus;
    bool bAlwaysBorder;
    // The grey triangle of a drop-down control, shown while hovered.
    bool bTriangle;
    // TRUE: drawn in the window's own coordinates and copied to the window's origin, so only the
    // part over the client area shows (edit). FALSE: drawn in client coordinates at (0, 0).
    bool bWindowCoordinates;
    // Where the text starts inside the frame rectangle, and how it is laid out.
    CPoint ptText;
    UINT nTextFormat;
    // Every character shown as "*".
    bool bPassword;
};

// Draws the look on the window's client context at once; nothing without a context.
void DrawTouchLook(CWnd* pWnd, const CTouchLook& look);
// The frame of the state table into rc (which it may shrink), with the current brush.
void DrawTouchFrame(CDC* pDC, CRect rc, const CTouchLook& look);
// The window text in the window's font at rc moved by (3, 3), laid out left and top.
void DrawTouchText(CWnd* pWnd, CDC* pDC, CRect rc);
// Asks the platform for WM_MOUSELEAVE once the pointer leaves the window.
void TrackMouseLeave(HWND hWnd);
