#include "CWindowSkinState.h"

CWindowSkinState::CWindowSkinState() : nHotButton(0), nPressedButton(0), nWatermarkBrushDpi(0), sizeWatermarkBrush(0, 0)
{
}

void CWindowSkinState::Reset()
{
    nHotButton = nPressedButton = 0;
    brWatermark.DeleteObject();
    nWatermarkBrushDpi = 0;
    sizeWatermarkBrush = CSize(0, 0);
    edges.Invalidate();
}
