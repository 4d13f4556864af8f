#include "CAttachedStatusBar.h"
#include "ControlTheme.h"
#include "../parts/CBufferedPaint.h"
#include "../parts/CGdiSelect.h"
#include <commctrl.h>
#include <vector>

BEGIN_MESSAGE_MAP(CAttachedStatusBar, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace
{
// A status bar has at most 256 parts; its own limit.
const int MAX_PARTS = 256;
}

BOOL CAttachedStatusBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CAttachedStatusBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CBufferedPaint paint(m_buffer, &dc, rcClient);
    CDC* pDC = paint.GetDC();
    const COLORREF crBack = ControlTheme::DialogBackColour();
    const COLORREF crText = ControlTheme::BarTextColour();
    // The lines are the text faded into the background: they show on light and dark skins alike.
    const COLORREF crLine = BlendColour(crText, crBack, 160);
    pDC->FillSolidRect(&rcClient, crBack);
    pDC->FillSolidRect(rcClient.left, rcClient.top, rcClient.Width(), 1, crLine);

    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    CGdiSelect font(pDC->m_hDC, hFont ? (HGDIOBJ)hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(crText);
    if (SendMessage(SB_ISSIMPLE))
        PaintPart(pDC, SB_SIMPLEID, rcClient);
    else
    {
        const int nParts = std::min((int)SendMessage(SB_GETPARTS, 0, 0), MAX_PARTS);
        for (int nPart = 0; nPart < nParts; nPart++)
        {
            CRect rcPart;
            if (!SendMessage(SB_GETRECT, (WPARAM)nPart, (LPARAM)&rcPart))
                continue;
            PaintPart(pDC, (WPARAM)nPart, rcPart);
            if (nPart + 1 < nParts)
                pDC->FillSolidRect(rcPart.right - 1, rcPart.top + 2, 1, std::max(0, rcPart.Height() - 4), crLine);
        }
    }
    CWnd* pParent = GetParent();
    if ((GetStyle() & SBARS_SIZEGRIP) && !(pParent && pParent->IsZoomed()))
        PaintGrip(pDC, rcClient, crLine);
}

void CAttachedStatusBar::PaintPart(CDC* pDC, WPARAM nPart, const CRect& rcPart)
{
    const DWORD dwLength = (DWORD)SendMessage(SB_GETTEXTLENGTHW, nPart);
    if (HIWORD(dwLength) & (SBT_OWNERDRAW >> 8))
    {
        // A part the program draws: asked as the status bar itself asks, into our buffer.
        DRAWITEMSTRUCT item = {};
        item.CtlID = (UINT)GetDlgCtrlID();
        item.itemID = (UINT)nPart;
        item.hwndItem = m_hWnd;
        item.hDC = pDC->m_hDC;
        item.rcItem = rcPart;
        item.itemData = (ULONG_PTR)SendMessage(SB_GETTEXTW, nPart, 0);
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_DRAWITEM, (WPARAM)item.CtlID, (LPARAM)&item);
        return;
    }
    CRect rcText(rcPart);
    rcText.DeflateRect(4, 1, 4, 1);
    if (HICON hIcon = (HICON)SendMessage(SB_GETICON, nPart == SB_SIMPLEID ? (WPARAM)-1 : nPart))
    {
        const int nIcon = ::GetSystemMetrics(SM_CXSMICON);
        ::DrawIconEx(pDC->m_hDC, rcText.left, rcText.top + (rcText.Height() - nIcon) / 2, hIcon, nIcon, nIcon, 0, NULL,
                     DI_NORMAL);
        rcText.left += nIcon + 3;
    }
    std::vector<wchar_t> text((size_t)LOWORD(dwLength) + 1, L'\0');
    SendMessage(SB_GETTEXTW, nPart, (LPARAM)text.data());
    text.back() = L'\0';
    // Text before the first tab is left-aligned, after it centred, after a second right-aligned.
    static const UINT ALIGNS[] = { DT_LEFT, DT_CENTER, DT_RIGHT };
    const wchar_t* pszPiece = text.data();
    for (UINT nAlign : ALIGNS)
    {
        const wchar_t* pszTab = wcschr(pszPiece, L'\t');
        const int nChars = pszTab ? (int)(pszTab - pszPiece) : (int)wcslen(pszPiece);
        if (nChars > 0)
            pDC->DrawText(pszPiece, nChars, &rcText, nAlign | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (!pszTab)
            break;
        pszPiece = pszTab + 1;
    }
}

void CAttachedStatusBar::PaintGrip(CDC* pDC, const CRect& rcClient, COLORREF crDots)
{
    // Six dots in a triangle in the bottom-right corner, as the system's grip shows them.
    const int nDot = 2, nStep = 4;
    for (int nRow = 0; nRow < 3; nRow++)
        for (int nColumn = 0; nColumn <= nRow; nColumn++)
            pDC->FillSolidRect(rcClient.right - nStep * (nColumn + 1), rcClient.bottom - nStep * (3 - nRow), nDot, nDot, crDots);
}
