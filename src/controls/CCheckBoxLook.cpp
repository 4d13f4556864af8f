#include "CCheckBoxLook.h"
#include "../parts/CGdiSelect.h"
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
    if (h >= BOX_SIZE + 1)
    {
        rcBox.top = rc.top + (h - BOX_SIZE) / 2;
        rcBox.bottom = rcBox.top + BOX_SIZE;
    }
    CRect rcText(rc);
    CPoint ptDisabled;
    if (dwStyle & BS_LEFTTEXT)
    {
        rcBox.left = rc.right - BOX_SIZE;
        rcBox.right = rc.right;
        ptDisabled = CPoint(rc.right - BOX_SIZE, rcBox.top + 1);
    }
    else
    {
        rcBox.right = rc.left + BOX_SIZE;
        rcText.left = rcBox.right + 3;
        ptDisabled = CPoint(rcBox.right + 2, rcBox.top + 1);
    }

    pDC->Draw3dRect(&rcBox, m_crFrame, m_crFrame);
    rcBox.InflateRect(-1, -1);
    DrawOrange(pDC, rcBox);
    rcBox.InflateRect(-1, -1);

    if (item.itemState & ODS_DISABLED)
    {
        // The mnemonic is underlined, as in the enabled text.
        ::DrawStateW(pDC->m_hDC, NULL, NULL, (LPARAM)(LPCWSTR)strText, 0, ptDisabled.x, ptDisabled.y, szText.cx,
                     szText.cy, DST_PREFIXTEXT | DSS_DISABLED);
        return;
    }
    COLORREF crText = ControlTheme::Theme().m_crControlText;
    if (crText != NO_COLOUR)
        pDC->SetTextColor(crText);
    pDC->DrawText(strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER);
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
    pDC->Draw3dRect(&rect, RGB(255, 203, 121), RGB(255, 203, 121));
    rect.InflateRect(-1, -1);
    pDC->Draw3dRect(&rect, RGB(255, 204, 122), RGB(255, 204, 122));
    rect.InflateRect(-1, -1);
    rect.InflateRect(2, 2);
    int l = rect.left, t = rect.top;
    pDC->SetPixel(l + 1, t + 2, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    for (int y = 3; y <= 6; y++)
        pDC->SetPixel(l + 1, t + y, RGB(255, 220, 185));
    for (int x = 2; x <= 5; x++)
        pDC->SetPixel(l + x, t, RGB(255, 220, 185));
    pDC->SetPixel(l, t, RGB(254, 225, 158));
    pDC->SetPixel(l, t + 1, RGB(255, 255, 255));
    for (int y = 2; y <= 9; y++)
        pDC->SetPixel(l, t + y, RGB(255, 243, 217));
    pDC->SetPixel(l, t, RGB(254, 255, 255));
    for (int x = 1; x <= 7; x++)
        pDC->SetPixel(l + x, t, RGB(255, 243, 217));
    pDC->SetPixel(l, t + 1, RGB(254, 255, 255));
    for (int x = 1; x <= 7; x++)
        pDC->SetPixel(l + x, t + 1, RGB(254, 220, 139));
}

void CCheckBoxLook::DrawCheck(CDC* pDC, CRect rect) const
{
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    int m = (b - t) / 2;
    CPen pen(PS_SOLID, 1, m_crCheck);
    CGdiSelect select(pDC, pen);
    for (int i = 0; i < 3; i++)
    {
        pDC->MoveTo(l + 1, t + m + 1 - i);
        pDC->LineTo(l + 3, b - 2 - i);
        pDC->MoveTo(l + 3, b - 2 - i);
        pDC->LineTo(r - 1, t + 2 - i);
    }
}

