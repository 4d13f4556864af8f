// What one window framed by a window skin keeps of its own. The skin is a read-only description
// that every window of its name shares; each window hands it this record, so hovering or
// pressing one window's caption buttons never shows in another, and a brush made for one
// window's DPI and client size is not thrown away by the next window's paint. (The skin's
// caption-strip cache stays shared: its key holds everything a strip is composed from.)
#pragma once
#include <afxwin.h>
#include "CFrameEdgeCache.h"

struct CWindowSkinState
{
    CWindowSkinState();

    // The caption button under the pointer and the one pressed (CWindowSkin's anchor numbers
    // 1 to 4), 0 for none.
    int nHotButton;
    int nPressedButton;
    // The brush that fills as the watermark paints this window's client area, and the DPI and
    // pattern size it was made for.
    CBrush brWatermark;
    UINT nWatermarkBrushDpi;
    CSize sizeWatermarkBrush;
    // The caption's look (CWindowSkin's STATE_INACTIVE or STATE_ACTIVE) as the window's last
    // WM_NCACTIVATE set it, 0 until known. A frame repainted whole keeps it; only a window's
    // first paint asks the window system which window is in front, since every change after
    // comes with the message.
    mutable int nActivation;
    // The frame's edges as this window last showed them (painting keeps them up to date).
    mutable CFrameEdgeCache edges;

    // The icon the caption shows: asked of the window once (a message each paint would cost as
    // much as the paint), and again after ForgetIcon, which the window calls on WM_SETICON.
    HICON CaptionIcon(HWND hWnd) const;
    void ForgetIcon() { bIconKnown = false; }

    // Forgets everything: the window takes another skin, or none.
    void Reset();

private:
    mutable HICON hIcon;
    mutable bool bIconKnown;

    CWindowSkinState(const CWindowSkinState&) = delete;
    void operator=(const CWindowSkinState&) = delete;
};
