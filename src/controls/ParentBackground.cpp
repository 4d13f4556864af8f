#include "ParentBackground.h"

void PaintParentBackground(HWND hWnd, HDC hDC, const CRect& rc)
{
    HWND hParent = ::GetParent(hWnd);
    if (!hParent)
        return;
    POINT ptOffset = { 0, 0 };
    ::MapWindowPoints(hWnd, hParent, &ptOffset, 1);
    int nSaved = ::SaveDC(hDC);
    ::IntersectClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
    ::OffsetWindowOrgEx(hDC, ptOffset.x, ptOffset.y, NULL);
    // A patterned brush (a watermark) lines up with the parent's own painting.
    ::SetBrushOrgEx(hDC, -ptOffset.x, -ptOffset.y, NULL);
    ::SendMessageW(hParent, WM_ERASEBKGND, (WPARAM)hDC, 0);
    ::RestoreDC(hDC, nSaved);
}

