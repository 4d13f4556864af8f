#include "CAttachedPushButton.h"
#include "ControlAccessibility.h"
#include "ControlTheme.h"
#include "../parts/CGdiSelect.h"

BEGIN_MESSAGE_MAP(CAttachedPushButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

namespace
{
// cr moved towards crTo by nPercent.
COLORREF Mix(COLORREF cr, COLORREF crTo, int nPercent)
{
    auto Part = [&](int a, int b) { return a + (b - a) * nPercent / 100; };
    return RGB(Part(GetRValue(cr), GetRValue(crTo)), Part(GetGValue(cr), GetGValue(crTo)),
               Part(GetBValue(cr), GetBValue(crTo)));
}
} // namespace

void CAttachedPushButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

LRESULT CAttachedPushButton::OnGetDlgCode(WPARAM, LPARAM)
{
    // The dialog manager finds and moves the default push button by this answer.
    return DLGC_BUTTON | (m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT CAttachedPushButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    // The dialog manager makes a button the default or not through its style: the button keeps
    // drawing itself and only remembers which.
    const BOOL bDefault = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const DWORD dwOther = (DWORD)wParam & ~(DWORD)BS_TYPEMASK;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, (LONG)((GetStyle() & ~(DWORD)0xFFFF) | (dwOther & 0xFFFF) | BS_OWNERDRAW));
    if (bDefault != m_bDefault || lParam)
    {
        m_bDefault = bDefault;
        Invalidate(FALSE);
    }
    return 0;
}

void CAttachedPushButton::OnMouseMove(UINT, CPoint)
{
    if (m_hover.OnMouseMove(m_hWnd))
        Invalidate(FALSE);
    Default();
}

LRESULT CAttachedPushButton::OnMouseLeave(WPARAM, LPARAM)
{
    if (m_hover.OnMouseLeave())
        Invalidate(FALSE);
    return Default();
}

BOOL CAttachedPushButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CAttachedPushButton::DrawItem(LPDRAWITEMSTRUCT pItem)
{
    const CInterfaceTheme& theme = ControlTheme::Theme();
    const CRect rc(pItem->rcItem);
    CBufferedPaint paint(m_buffer, CDC::FromHandle(pItem->hDC), rc);
    CDC* pDC = paint.GetDC();
    const BOOL bDisabled = (pItem->itemState & ODS_DISABLED) != 0;
    const BOOL bPressed = (pItem->itemState & ODS_SELECTED) != 0;
    const COLORREF crText = bDisabled ? SkinColourOr(theme.Colour(SkinColour::ControlTextDisabled), ::GetSysColor(COLOR_GRAYTEXT))
                                      : SkinColourOr(theme.Colour(SkinColour::ControlText), ::GetSysColor(COLOR_BTNTEXT));
    COLORREF crFace = SkinColourOr(theme.Colour(SkinColour::ControlBack), ::GetSysColor(COLOR_BTNFACE));
    // Hot and pressed move the face towards the text, so they show on dark and light skins alike.
    if (bPressed)
        crFace = Mix(crFace, crText, 25);
    else if (m_hover.IsHover() && !bDisabled)
        crFace = Mix(crFace, crText, 12);
    const COLORREF crBorder = SkinColourOr(theme.Colour(SkinColour::GroupFrame), ::GetSysColor(COLOR_3DSHADOW));
    const COLORREF crDefault = SkinColourOr(theme.Colour(SkinColour::Border), ::GetSysColor(COLOR_HIGHLIGHT));

    pDC->FillSolidRect(&rc, crFace);
    CRect rcFrame(rc);
    for (int i = 0; i < (m_bDefault ? 2 : 1); i++)
    {
        CBrush brush;
        if (brush.CreateSolidBrush(m_bDefault ? crDefault : crBorder))
            pDC->FrameRect(&rcFrame, &brush);
        rcFrame.DeflateRect(1, 1);
    }
    CString strText;
    GetWindowText(strText);
    CRect rcText(rc);
    if (bPressed)
        rcText.OffsetRect(1, 1);
    CGdiSelect font(pDC->m_hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(crText);
    const UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | ((pItem->itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    pDC->DrawText(strText, strText.GetLength(), &rcText, nFormat);
    if ((pItem->itemState & (ODS_FOCUS | ODS_NOFOCUSRECT)) == ODS_FOCUS)
    {
        CRect rcFocus(rc);
        rcFocus.DeflateRect(4, 4);
        pDC->SetTextColor(crText);
        pDC->SetBkColor(crFace);
        pDC->DrawFocusRect(&rcFocus);
    }
}

LRESULT CAttachedPushButton::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribePushButton(m_hWnd, query, m_hover.IsHover());
    });
    return lResult ? lResult : Default();
}
