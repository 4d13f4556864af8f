#include "CGroupBoxPaint.h"
#include "../parts/CDpiScale.h"
#include "../parts/CGdiSelect.h"
#include "../parts/CWindowDpi.h"
#include "../theme/CInterfaceTheme.h"
#include <commctrl.h>
#include <algorithm>

namespace
{
const UINT_PTR SUBCLASS_ID = 0x4B47; // "KG"
const wchar_t FOLLOWED[] = L"KorvoSkin.GroupBoxPaint";
// The caption's distance from the box's left edge, as the system places it, at 96 DPI.
const int CAPTION_INDENT = 7;
}

void CGroupBoxPaint::Follow(HWND hBox, const CInterfaceTheme& theme)
{
    if (theme.Colour(SkinColour::GroupFrame) == NO_COLOUR)
        return;
    // The first answer comes while the system paints the box its own way: that paint is done
    // again once. The mark tells a box already followed.
    if (::GetPropW(hBox, FOLLOWED) || !::SetWindowSubclass(hBox, BoxProc, SUBCLASS_ID, (DWORD_PTR)&theme))
        return;
    ::SetPropW(hBox, FOLLOWED, (HANDLE)1);
    ::InvalidateRect(hBox, NULL, TRUE);
}

LRESULT CALLBACK CGroupBoxPaint::BoxProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR dwTheme)
{
    const CInterfaceTheme& theme = *(const CInterfaceTheme*)dwTheme;
    switch (message)
    {
    case WM_PAINT:
        if (theme.Colour(SkinColour::GroupFrame) == NO_COLOUR)
            break;
        Paint(hWnd, theme);
        return 0;
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    {
        // The system draws the box straight from these outside WM_PAINT: repaint it here.
        LRESULT lResult = ::DefSubclassProc(hWnd, message, wParam, lParam);
        if (theme.Colour(SkinColour::GroupFrame) != NO_COLOUR)
            ::InvalidateRect(hWnd, NULL, TRUE);
        return lResult;
    }
    case WM_NCDESTROY:
        ::RemovePropW(hWnd, FOLLOWED);
        ::RemoveWindowSubclass(hWnd, BoxProc, SUBCLASS_ID);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

void CGroupBoxPaint::Paint(HWND hWnd, const CInterfaceTheme& theme)
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(hWnd, &ps);
    if (!hDC)
        return;
    CGdiSelect font(hDC, (HGDIOBJ)::SendMessageW(hWnd, WM_GETFONT, 0, 0));
    // The dialog sets the caption's colour and gives the brush under it, the watermark's included.
    HBRUSH hBack = (HBRUSH)::SendMessageW(::GetParent(hWnd), WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hWnd);
    const CDpiScale scale(CWindowDpi::Of(hWnd));
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(hDC, &tm);
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    RECT rcFrame = rc;
    rcFrame.top += tm.tmHeight / 2 - 1;
    // The box paints no inside: the system's etched pair of lines, painted before the box was
    // followed, goes under the paper first.
    HBRUSH hFrame = theme.SolidBrush(theme.Colour(SkinColour::GroupFrame));
    const int nLine = scale.Scale(1), nEtched = scale.Scale(2);
    for (int n = 0; n < nEtched; n++)
    {
        RECT rcRing = { rcFrame.left + n, rcFrame.top + n, rcFrame.right - n, rcFrame.bottom - n };
        HBRUSH hRing = n < nLine ? hFrame : hBack;
        if (hRing)
            ::FrameRect(hDC, &rcRing, hRing);
    }

    wchar_t szText[256] = L"";
    int nLength = ::GetWindowTextW(hWnd, szText, 256);
    if (nLength <= 0)
    {
        ::EndPaint(hWnd, &ps);
        return;
    }
    UINT nFormat = DT_SINGLELINE | DT_LEFT | DT_TOP;
    if (::SendMessageW(hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL)
        nFormat |= DT_HIDEPREFIX;
    RECT rcText = { rc.left + scale.Scale(CAPTION_INDENT), rc.top, rc.right - scale.Scale(CAPTION_INDENT), rc.bottom };
    ::DrawTextW(hDC, szText, nLength, &rcText, nFormat | DT_CALCRECT);
    rcText.right = std::min(rcText.right, rc.right - scale.Scale(CAPTION_INDENT));
    // The caption cuts the frame's top line, one pixel either side of its text.
    RECT rcGap = { rcText.left - 1, rcText.top, rcText.right + 1, rcText.bottom };
    if (hBack)
        ::FillRect(hDC, &rcGap, hBack);
    ::SetBkMode(hDC, TRANSPARENT);
    if (!::IsWindowEnabled(hWnd))
    {
        COLORREF crDisabled = theme.DisabledTextColour();
        ::SetTextColor(hDC, crDisabled != NO_COLOUR ? crDisabled : ::GetSysColor(COLOR_GRAYTEXT));
    }
    ::DrawTextW(hDC, szText, nLength, &rcText, nFormat);
    ::EndPaint(hWnd, &ps);
}
