#include "CWindowSkinState.h"

CWindowSkinState::CWindowSkinState() : nHotButton(0), nPressedButton(0), nWatermarkBrushDpi(0), sizeWatermarkBrush(0, 0), nActivation(0),
      hIcon(NULL), bIconKnown(false)
{
}

void CWindowSkinState::Reset()
{
    nHotButton = nPressedButton = nActivation = 0;
    brWatermark.DeleteObject();
    nWatermarkBrushDpi = 0;
    sizeWatermarkBrush = CSize(0, 0);
    edges.Invalidate();
    ForgetIcon();
}

HICON CWindowSkinState::CaptionIcon(HWND hWnd) const
{
    if (!bIconKnown)
    {
        hIcon = (HICON)::SendMessageW(hWnd, WM_GETICON, ICON_SMALL, 0);
        if (!hIcon)
            hIcon = (HICON)::SendMessageW(hWnd, WM_GETICON, ICON_BIG, 0);
        bIconKnown = true;
    }
    return hIcon;
}
