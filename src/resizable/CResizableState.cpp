#include <KorvoSkin/CResizableState.h>
#include "../parts/CDpiScale.h"
#include "../parts/CWindowDpi.h"
#include <errno.h>
#include <stdlib.h>

namespace
{
const wchar_t PLACEMENT_ENTRY[] = L"WindowPlacement";

// Reads "left,top,right,bottom,show,flags": six decimal integers separated by commas and
// nothing else, the show command one the system knows and the rectangle not inverted.
BOOL ParsePlacement(LPCWSTR pszText, RECT& rect, UINT& nShowCmd, UINT& nFlags)
{
    long long values[6];
    LPCWSTR p = pszText;
    for (int n = 0; n < 6; n++)
    {
        if (n > 0)
        {
            while (*p == L' ' || *p == L'\t')
                p++;
            if (*p++ != L',')
                return FALSE;
        }
        wchar_t* pEnd;
        errno = 0;
        long long nValue = wcstoll(p, &pEnd, 10);
        if (pEnd == p || errno == ERANGE || nValue < INT_MIN || nValue > INT_MAX)
            return FALSE;
        values[n] = nValue;
        p = pEnd;
    }
    while (*p == L' ' || *p == L'\t')
        p++;
    if (*p != L'\0')
        return FALSE;
    if (values[2] < values[0] || values[3] < values[1] || values[4] < SW_HIDE || values[4] > SW_MAX)
        return FALSE;
    rect.left = (LONG)values[0];
    rect.top = (LONG)values[1];
    rect.right = (LONG)values[2];
    rect.bottom = (LONG)values[3];
    nShowCmd = (UINT)values[4];
    nFlags = (UINT)values[5];
    return TRUE;
}
}

CResizableState::CResizableState()
{
}

CResizableState::~CResizableState()
{
}

BOOL CResizableState::StorePlacement(LPCWSTR pszSection, BOOL bRectOnly)
{
    CWnd* pWnd = GetResizableWnd();
    CWinApp* pApp = AfxGetApp();
    WINDOWPLACEMENT wp;
    if (!pApp || !pWnd || !pWnd->m_hWnd || !pWnd->GetWindowPlacement(&wp))
        return FALSE;

    CRect rect = wp.rcNormalPosition;
    UINT nShowCmd = wp.showCmd;
    UINT nFlags = wp.flags;
    if (bRectOnly)
    {
        // A minimised window's rectangle is its icon far off screen: keep where it will return.
        if (!pWnd->IsIconic())
            pWnd->GetWindowRect(&rect);
        nShowCmd = SW_SHOWNORMAL;
        nFlags = 0;
    }

    // Kept in 96-DPI pixels, so a window restored at another DPI takes the same room.
    const CDpiScale scale(CWindowDpi::Of(pWnd->m_hWnd));
    const int nLeft = scale.Unscale(rect.left), nTop = scale.Unscale(rect.top);
    CString strValue;
    strValue.Format(L"%d,%d,%d,%d,%d,%d", nLeft, nTop, nLeft + scale.Unscale(rect.Width()), nTop + scale.Unscale(rect.Height()),
                    (int)nShowCmd, (int)nFlags);
    return pApp->WriteProfileString(pszSection, PLACEMENT_ENTRY, strValue);
}

BOOL CResizableState::RestorePlacement(LPCWSTR pszSection, BOOL bRectOnly)
{
    CWnd* pWnd = GetResizableWnd();
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !pWnd || !pWnd->m_hWnd)
        return FALSE;
    CString strValue = pApp->GetProfileString(pszSection, PLACEMENT_ENTRY, NULL);
    if (strValue.IsEmpty())
        return FALSE;

    WINDOWPLACEMENT wp;
    if (!pWnd->GetWindowPlacement(&wp) || !ParsePlacement(strValue, wp.rcNormalPosition, wp.showCmd, wp.flags))
        return FALSE;

    const CDpiScale scale(CWindowDpi::Of(pWnd->m_hWnd));
    RECT& rect = wp.rcNormalPosition;
    const LONG nLeft = scale.Scale(rect.left), nTop = scale.Scale(rect.top);
    // Computed wide: a stored value may be anywhere in the integer range.
    rect.right = CDpiScale::MulDivRound((LONGLONG)nLeft * CDpiScale::BASE_DPI + (LONGLONG)(rect.right - (LONGLONG)rect.left) * scale.GetDpi(), 1,
                                        CDpiScale::BASE_DPI);
    rect.bottom = CDpiScale::MulDivRound((LONGLONG)nTop * CDpiScale::BASE_DPI + (LONGLONG)(rect.bottom - (LONGLONG)rect.top) * scale.GetDpi(), 1,
                                         CDpiScale::BASE_DPI);
    rect.left = nLeft;
    rect.top = nTop;
    if (bRectOnly)
        return pWnd->SetWindowPos(NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                  SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREPOSITION);
    return pWnd->SetWindowPlacement(&wp);
}
