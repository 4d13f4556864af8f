// Paints into a control's context what its parent shows under the control: a control that draws
// over its parent's background starts each repaint from it, so nothing of its previous look (an
// enabled text under the disabled one, a focus frame) stays.
#pragma once
#include <afxwin.h>

// rc is in the control's client coordinates; the context's state is left as it was.
void PaintParentBackground(HWND hWnd, HDC hDC, const CRect& rc);
