#include <KorvoSkin/CSkinCheckBox.h>
#include "../theme/CInterfaceTheme.h"
#include "ControlAccessibility.h"
#include "ParentBackground.h"

IMPLEMENT_DYNAMIC(CSkinCheckBox, CButton)

BEGIN_MESSAGE_MAP(CSkinCheckBox, CButton)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_ERASEBKGND()
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_KEYUP, OnKeyUp)
END_MESSAGE_MAP()

namespace
{
const UINT_PTR TIMER_HOVER = 1;
const UINT HOVER_POLL_MS = 100;
const UINT PRESS_POLL_MS = 10;
const int BOX_SIZE = 13;
}

CSkinCheckBox::CSkinCheckBox()
    : m_nCheck(0), m_crFrame(::GetSysColor(COLOR_HIGHLIGHT)), m_crCheck(RGB(0, 170, 170)), m_bHover(FALSE)
{
}

CSkinCheckBox::~CSkinCheckBox()
{
}

void CSkinCheckBox::SetCheck(int nCheck)
{
    m_nCheck = nCheck;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, NULL, TRUE);
}

void CSkinCheckBox::PreSubclassWindow()
{
    // The button type is a value, not a flag: replace it rather than OR owner-draw onto it.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, 0);
    CButton::PreSubclassWindow();
}

BOOL CSkinCheckBox::PreTranslateMessage(MSG* pMsg)
{
    return CButton::PreTranslateMessage(pMsg);
}

BOOL CSkinCheckBox::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

int CSkinCheckBox::OnCreate(LPCREATESTRUCTW)
{
    return Default() == -1 ? -1 : 0;
}

void CSkinCheckBox::OnMouseMove(UINT, CPoint point)
{
    if (m_bHover)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point))
    {
        m_bHover = TRUE;
        ::InvalidateRect(m_hWnd, NULL, TRUE);
        UpdateWindow();
        SetTimer(TIMER_HOVER, HOVER_POLL_MS);
    }
    Default();
}

void CSkinCheckBox::OnTimer(UINT_PTR)
{
    DWORD dwPos = ::GetMessagePos();
    CPoint point((short)LOWORD(dwPos), (short)HIWORD(dwPos));
    ScreenToClient(&point);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
    {
        m_bHover = FALSE;
        ::InvalidateRect(m_hWnd, NULL, TRUE);
        UpdateWindow();
        KillTimer(TIMER_HOVER);
    }
    Default();
}

void CSkinCheckBox::OnLButtonDown(UINT, CPoint)
{
    Default();
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    UpdateWindow();
    KillTimer(TIMER_HOVER);
    SetTimer(TIMER_HOVER, PRESS_POLL_MS);
}

void CSkinCheckBox::OnLButtonUp(UINT, CPoint point)
{
    Default();
    // The click notification may have destroyed the control.
    if (!m_hWnd)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point))
        return;
    m_bHover = FALSE;
    m_nCheck = m_nCheck == 1 ? 0 : 1;
    KillTimer(TIMER_HOVER);
    SetTimer(TIMER_HOVER, HOVER_POLL_MS);
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    UpdateWindow();
}

LRESULT CSkinCheckBox::OnKeyUp(WPARAM wParam, LPARAM)
{
    // Space released over the pressed box is a click, as the system's check box takes it; the
    // box toggles after the parent has been told, as it does for the mouse.
    BOOL bClick = wParam == VK_SPACE && (SendMessage(BM_GETSTATE) & BST_PUSHED);
    LRESULT lResult = Default();
    if (bClick && m_hWnd)
        SetCheck(m_nCheck == 1 ? 0 : 1);
    return lResult;
}

void CSkinCheckBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    int h = rc.Height();
    PaintParentBackground(m_hWnd, pDC->m_hDC, rc);
    pDC->SetBkMode(TRANSPARENT);
    DWORD dwStyle = (DWORD)::GetWindowLongW(m_hWnd, GWL_STYLE);
    CString strText;
    GetWindowText(strText);
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

    if (lpDrawItemStruct->itemState & ODS_DISABLED)
    {
        // The mnemonic is underlined, as in the enabled text.
        ::DrawStateW(pDC->m_hDC, NULL, NULL, (LPARAM)(LPCWSTR)strText, 0, ptDisabled.x, ptDisabled.y, szText.cx,
                     szText.cy, DST_PREFIXTEXT | DSS_DISABLED);
        return;
    }
    if (g_Theme.m_crControlText != NO_COLOUR)
        pDC->SetTextColor(g_Theme.m_crControlText);
    pDC->DrawText(strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER);
    if (m_nCheck)
        DrawCheck(pDC, rcBox);
    if ((lpDrawItemStruct->itemState & (ODS_FOCUS | ODS_NOFOCUSRECT)) == ODS_FOCUS && !strText.IsEmpty())
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

void CSkinCheckBox::DrawOrange(CDC* pDC, CRect rect)
{
    if (!m_bHover)
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

void CSkinCheckBox::DrawCheck(CDC* pDC, CRect rect)
{
    int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    int m = (b - t) / 2;
    CPen pen(PS_SOLID, 1, m_crCheck);
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, pen.m_hObject);
    for (int i = 0; i < 3; i++)
    {
        pDC->MoveTo(l + 1, t + m + 1 - i);
        pDC->LineTo(l + 3, b - 2 - i);
        pDC->MoveTo(l + 3, b - 2 - i);
        pDC->LineTo(r - 1, t + 2 - i);
    }
    ::SelectObject(pDC->m_hDC, hOld);
}

LRESULT CSkinCheckBox::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        query.nRole = ROLE_SYSTEM_CHECKBUTTON;
        // 1 is checked; any other number than 0 draws the mark too, as the third (mixed) state.
        query.nState |= STATE_SYSTEM_FOCUSABLE | (m_bHover ? STATE_SYSTEM_HOTTRACKED : 0)
                        | (m_nCheck == 1 ? STATE_SYSTEM_CHECKED : m_nCheck ? STATE_SYSTEM_MIXED : 0);
        if (SendMessage(BM_GETSTATE) & BST_PUSHED)
            query.nState |= STATE_SYSTEM_PRESSED;
        query.strDefaultAction = m_nCheck == 1 ? L"Uncheck" : L"Check";
        // A click as the mouse gives it, posted so that the caller is not inside the handlers.
        if (query.bDoDefaultAction && IsWindowEnabled())
            PostMessage(BM_CLICK);
    });
    return lResult ? lResult : Default();
}
