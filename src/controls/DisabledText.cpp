#include "DisabledText.h"
#include "../parts/CGdiSelect.h"

void DrawDisabledText(HWND hWnd, HDC hDC, const CRect& rcPaper, CRect rcText, const CString& strText, UINT nFormat,
                      COLORREF crText)
{
    int nSaved = ::SaveDC(hDC);
    HWND hParent = ::GetParent(hWnd);
    HBRUSH hPaper = hParent ? (HBRUSH)::SendMessageW(hParent, WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hWnd) : NULL;
    ::FillRect(hDC, &rcPaper, hPaper ? hPaper : ::GetSysColorBrush(COLOR_BTNFACE));
    CGdiSelect font(hDC, (HGDIOBJ)::SendMessageW(hWnd, WM_GETFONT, 0, 0));
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, crText);
    ::DrawTextW(hDC, strText, strText.GetLength(), &rcText, nFormat | DT_NOPREFIX);
    ::RestoreDC(hDC, nSaved);
}
