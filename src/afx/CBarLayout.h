// Docking of control bars along the edges of their parent's client area, as a frame or a
// dialog lays out its toolbars: bars report the size they need (CControlBar::CalcFixedLayout)
// and take it off the parent's edges, so that hosts need no pixel arithmetic of their own and a
// bar that grows, shrinks or hides gives its room back at the next layout.
#pragma once
#include "CWnd.h"

class CControlBar;

// Sent by a layout pass to each bar of the pass; lParam points to its AFX_SIZEPARENTPARAMS.
// A bar that takes part cuts its strip off the pass's rectangle.
#define WM_SIZEPARENT 0x0361

struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;      // the pass's batch of moves; null when the pass only measures
    RECT rect;      // what is left of the parent's client area so far
    SIZE sizeTotal; // the room the bars have taken: their summed heights (widths) across
    BOOL bStretch;  // bars fill their whole edge rather than their content's length
};

class AFX_API CBarLayout
{
public:
    // The pass behind CWnd::RepositionBars.
    static void Reposition(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                           LPCRECT lpRectClient, BOOL bStretch);
    // A bar's answer to WM_SIZEPARENT: a visible bar with an alignment takes the strip its
    // CalcFixedLayout asks for (no more than there is) off the aligned edge of the pass's
    // rectangle; the top and bottom edges are tried before the left and right ones.
    static void DockBar(CControlBar* pBar, AFX_SIZEPARENTPARAMS* pLayout);
};

// Moves hWnd to lpRect (its parent's client coordinates) as part of the pass: added to the
// pass's batch, skipped when the pass only measures or the window is already there. With no
// pass, the window is moved at once.
AFX_API void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
