#include "CCheckBoxLook.h"
#include "../parts/CGdiSelect.h"
#include "../parts/CWindowDpi.h"
#include "ControlTheme.h"
#include "ParentBackground.h"

namespace
{
const UINT HOVER_POLL_MS = 100;
const int BOX_SIZE = 13;
}

CCheckBoxLook::CCheckBoxLook()
    : m_nCheck(0), m_crFrame(::GetSysColor(COLOR_HIGHLIGHT)), m_crCheck(RGB(0, 170, 170)),
      m_hover(CHoverTracker::timerPoll, CHoverTracker::DEFAULT_TIMER_ID, HOVER_POLL_MS)
{
}

void CCheckBoxLook::Paint(CWnd* pBox, const DRAWITEMSTRUCT& item)
{
    m_scale = CDpiScale(CWindowDpi::Of(pBox->m_hWnd));
    const int nBox = m_scale.Scale(BOX_SIZE), nLine = m_scale.Scale(1);
    CDC* pDC = CDC::FromHandle(item.hDC);
    CRect rc(item.rcItem);
    int h = rc.Height();
    PaintParentBackground(pBox->m_hWnd, pDC->m_hDC, rc);
    pDC->SetBkMode(TRANSPARENT);
    DWORD dwStyle = (DWORD)::GetWindowLongW(pBox->m_hWnd, GWL_STYLE);
    CString strText;
    pBox->GetWindowText(strText);
    // Texts of one character or none are left for the system to measure.
    CSize szText(0, 0);
    if (strText.GetLength() > 1)
        ::GetTextExtentPoint32W(pDC->m_hAttribDC, strText, strText.GetLength(), &szText);

    CRect rcBox(rc);
    if (h >= nBox + 1)
    {
        rcBox.top = rc.top + (h - nBox) / 2;
        rcBox.bottom = rcBox.top + nBox;
    }
    CRect rcText(rc);
    CPoint ptDisabled;
    if (dwStyle & BS_LEFTTEXT)
    {
        rcBox.left = rc.right - nBox;
        rcBox.right = rc.right;
        ptDisabled = CPoint(rc.right - nBox, rcBox.top + nLine);
    }
    else
    {
        rcBox.right = rc.left + nBox;
        rcText.left = rcBox.right + m_scale.Scale(3);
        ptDisabled = CPoint(rcBox.right + m_scale.Scale(2), rcBox.top + nLine);
    }

    for (int i = 0; i < nLine; i++)
    {
        pDC->Draw3dRect(&rcBox, m_crFrame, m_crFrame);
        rcBox.InflateRect(-1, -1);
    }
    DrawOrange(pDC, rcBox);
    rcBox.InflateRect(-nLine, -nLine);

    const CInterfaceTheme& theme = ControlTheme::Theme();
    const bool bDisabled = (item.itemState & ODS_DISABLED) != 0;
    if (bDisabled && theme.DisabledTextColour() == NO_COLOUR)
    {
        // The system's embossed look, for a skin that names no text colour. The mnemonic is
        // underlined, as in the enabled text.
        ::DrawStateW(pDC->m_hDC, NULL, NULL, (LPARAM)(LPCWSTR)strText, 0, ptDisabled.x, ptDisabled.y, szText.cx,
                     szText.cy, DST_PREFIXTEXT | DSS_DISABLED);
        return;
    }
    COLORREF crText = bDisabled ? theme.DisabledTextColour() : theme.Colour(SkinColour::ControlText);
    if (crText != NO_COLOUR)
        pDC->SetTextColor(crText);
    pDC->DrawText(strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER);
    if (bDisabled)
        return;
    if (m_nCheck)
        DrawCheck(pDC, rcBox);
    if ((item.itemState & (ODS_FOCUS | ODS_NOFOCUSRECT)) == ODS_FOCUS && !strText.IsEmpty())
    {
        // The focus frame one pixel round the text, within the control.
        CRect rcFocus(rcText);
        pDC->DrawText(strText, strText.GetLength(), &rcFocus, DT_SINGLELINE | DT_CALCRECT);
        rcFocus.OffsetRect(0, rcText.top + (rcText.Height() - rcFocus.Height()) / 2 - rcFocus.top);
        rcFocus.InflateRect(1, 1);
        rcFocus.IntersectRect(&rcFocus, &rc);
        pDC->DrawFocusRect(&rcFocus);
    }
}

void CCheckBoxLook::DrawOrange(CDC* pDC, CRect rect) const
{
    if (!IsHover())
    {
        ::FillRect(pDC->m_hDC, &rect, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        return;
    }
    // Two rings, then the highlights of the top-left corner as dots of the scaled pixel.
    const int nRings = m_scale.Scale(2);
    for (int i = 0; i < nRings; i++)
    {
        COLORREF cr = i < nRings / 2 ? RGB(255, 203, 121) : RGB(255, 204, 122);
        pDC->Draw3dRect(&rect, cr, cr);
        rect.InflateRect(-1, -1);
    }
    const int l = rect.left - nRings, t = rect.top - nRings;
    auto Dot = [&](int x, int y, COLORREF cr) {
        pDC->FillSolidRect(l + m_scale.Scale(x), t + m_scale.Scale(y), m_scale.Scale(x + 1) - m_scale.Scale(x),
                           m_scale.Scale(y + 1) - m_scale.Scale(y), cr);
    };
    Dot(1, 2, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    for (int y = 3; y <= 6; y++)
        Dot(1, y, RGB(255, 220, 185));
    for (int x = 2; x <= 5; x++)
        Dot(x, 0, RGB(255, 220, 185));
    Dot(0, 0, RGB(254, 225, 158));
    Dot(0, 1, RGB(255, 255, 255));
    for (int y = 2; y <= 9; y++)
        Dot(0, y, RGB(255, 243, 217));
    Dot(0, 0, RGB(254, 255, 255));
    for (int x = 1; x <= 7; x++)
        Dot(x, 0, RGB(255, 243, 217));
    Dot(0, 1, RGB(254, 255, 255));
    for (int x = 1; x <= 7; x++)
        Dot(x, 1, RGB(254, 220, 139));
}

void CCheckBoxLook::DrawCheck(CDC* pDC, CRect rect) const
{
    // Three one-pixel strokes stacked upward at 96 DPI, as many scaled pixels elsewhere.
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    int m = (b - t) / 2;
    int s1 = m_scale.Scale(1), s2 = m_scale.Scale(2), s3 = m_scale.Scale(3);
    CPen pen(PS_SOLID, 1, m_crCheck);
    CGdiSelect select(pDC, pen);
    for (int i = 0; i < s3; i++)
    {
        pDC->MoveTo(l + s1, t + m + s1 - i);
        pDC->LineTo(l + s3, b - s2 - i);
        pDC->MoveTo(l + s3, b - s2 - i);
        pDC->LineTo(r - s1, t + s2 - i);
    }
}

