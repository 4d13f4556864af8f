// Disabled text of a control the system draws in its own grey whatever the parent answers (an
// edit, a combo box's field): drawn again in the skin's flat disabled colour over the paper the
// parent gives it.
#pragma once
#include <afxwin.h>

// Fills rcPaper with the brush the parent answers WM_CTLCOLORSTATIC with for hWnd (the system's
// face colour when it gives none), then draws strText in rcText with the window's font and
// crText, laid out by nFormat (DrawText's flags).
void DrawDisabledText(HWND hWnd, HDC hDC, const CRect& rcPaper, CRect rcText, const CString& strText, UINT nFormat,
                      COLORREF crText);
