#include "CTouchLook.h"
#include "../parts/CBufferedPaint.h"
#include "../parts/CDpiScale.h"
#include "../parts/CWindowDpi.h"
#include "../parts/CGdiSelect.h"
#include "ControlAccessibility.h"
#include "ControlTheme.h"

namespace
{
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF TRIANGLE_GREY = RGB(200, 200, 200);
const int CORNER = 2;

// A frame one pixel wide at 96 DPI; a wider one is kept inside rc as a thin one is.
void RoundRectWithPen(CDC* pDC, const CRect& rc, COLORREF crPen, const CDpiScale& scale)
{
    int nWidth = scale.Scale(1);
    CPen pen(nWidth > 1 ? PS_INSIDEFRAME : PS_SOLID, nWidth, crPen);
    CGdiSelect select(pDC, pen);
    int nCorner = scale.Scale(CORNER);
    pDC->RoundRect(rc.left, rc.top, rc.right, rc.bottom, nCorner, nCorner);
}

CDpiScale ScaleOf(CWnd* pWnd)
{
    return CDpiScale(CWindowDpi::Of(pWnd->m_hWnd));
}
}

CTouchLook::CTouchLook(Kind kind, Describe fnDescribe)
    : m_kind(kind), m_fnDescribe(fnDescribe), m_crNormal(RGB(189, 189, 189)), m_crHover(RGB(96, 200, 253)),
      m_crFocus(RGB(58, 146, 199)), m_crBack(NO_COLOUR), m_bFocus(false), m_bAlwaysBorder(false)
{
}

void CTouchLook::SetFocus(CWnd* pWnd, bool bFocus)
{
    if (m_bFocus == bFocus)
        return;
    m_bFocus = bFocus;
    Draw(pWnd);
}

void CTouchLook::OnSetFocus(CWnd* pWnd)
{
    pWnd->Default();
    SetFocus(pWnd, true);
}

void CTouchLook::OnKillFocus(CWnd* pWnd)
{
    pWnd->Default();
    SetFocus(pWnd, false);
}

void CTouchLook::OnMouseMove(CWnd* pWnd)
{
    if (m_hover.OnMouseMove(pWnd->m_hWnd))
        Draw(pWnd);
    pWnd->Default();
}

LRESULT CTouchLook::OnMouseLeave(CWnd* pWnd)
{
    m_hover.OnMouseLeave();
    Draw(pWnd);
    return 1;
}

LRESULT CTouchLook::OnGetObject(CWnd* pWnd, const CAccessibleName& name, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = pWnd->m_hWnd;
    LRESULT lResult = AnswerGetObject(hWnd, name, wParam, lParam,
                                      [&](CAccessibleQuery& query) { m_fnDescribe(hWnd, query, IsHover()); });
    return lResult ? lResult : pWnd->Default();
}

void CTouchLook::DrawFrame(CDC* pDC, CRect rc, const CRect& rcVisible, const CDpiScale& scale) const
{
    const int nLine = scale.Scale(1);
    if (IsHover() && m_bFocus)
    {
        RoundRectWithPen(pDC, rc, m_crHover, scale);
        rc.InflateRect(-nLine, -nLine);
        RoundRectWithPen(pDC, rc, m_crFocus, scale);
    }
    else if (m_bFocus)
    {
        // The focus shows without the pointer too, the keyboard user's only sign of it: inside
        // the client area, where a border of the system's would hide it.
        rc.IntersectRect(&rc, &rcVisible);
        rc.InflateRect(-nLine, -nLine);
        RoundRectWithPen(pDC, rc, m_crFocus, scale);
    }
    else if (IsHover() || m_bAlwaysBorder)
    {
        rc.InflateRect(-nLine, -nLine);
        RoundRectWithPen(pDC, rc, m_crNormal, scale);
    }
}

void CTouchLook::DrawAlwaysFrame(CWnd* pWnd, CDC* pDC, const CRect& rc) const
{
    if (!m_bAlwaysBorder)
        return;
    // The frame's inside is the paper, as in the buffered look.
    CBrush brBack(BackColour());
    CGdiSelect brush(pDC, brBack);
    RoundRectWithPen(pDC, rc, m_crNormal, ScaleOf(pWnd));
}

COLORREF CTouchLook::BackColour() const
{
    COLORREF crSkin = SkinColourOr(ControlTheme::Theme().ControlColours(ControlPart::Touch).crBack, WHITE);
    return m_kind == KindEdit ? SkinColourOr(m_crBack, crSkin) : crSkin;
}

bool CTouchLook::HasSkinPaper() const
{
    return ControlTheme::Theme().ControlColours(ControlPart::Touch).crBack != NO_COLOUR;
}

void CTouchLook::DrawWindowText(CWnd* pWnd, CDC* pDC, const CString& strText, CRect rc, UINT nFormat)
{
    const CInterfaceTheme& theme = ControlTheme::Theme();
    COLORREF crText = pWnd->IsWindowEnabled() ? theme.ControlColours(ControlPart::Touch).crText : theme.DisabledTextColour();
    if (crText != NO_COLOUR)
        pDC->SetTextColor(crText);
    HFONT hFont = m_font.Get((HFONT)pWnd->SendMessage(WM_GETFONT), CDpiScale(CControlDpi::FontScaleDpi(pWnd->m_hWnd)));
    CGdiSelect font(pDC->m_hDC, hFont);
    pDC->DrawText(strText, &rc, nFormat);
}

LRESULT CTouchLook::OnDpiChangedAfterParent(CWnd* pWnd)
{
    // The font is made again at the next draw; a buffer sized for a larger scale is not kept.
    m_dpi.Follow(pWnd, [this](UINT, UINT) { m_buffer.Release(); });
    return 0;
}

void CTouchLook::Draw(CWnd* pWnd)
{
    CClientDC dc(pWnd);
    if (!dc.GetSafeHdc())
        return;
    bool bEdit = m_kind == KindEdit;
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    int cx = rcWindow.Width(), cy = rcWindow.Height();
    if (cx <= 0 || cy <= 0)
        return;
    // The window's origin in client coordinates: (0, 0) without a non-client border. An edit
    // copies the whole window's look, of which only the client part shows; a drop-down the
    // window's size from the client origin.
    CPoint ptOrigin(rcWindow.left, rcWindow.top);
    pWnd->ScreenToClient(&ptOrigin);
    CRect rc(ptOrigin, CSize(cx, cy));
    CBufferedPaint paint(m_buffer, &dc, bEdit ? rc : CRect(0, 0, cx, cy));
    CDC* pDC = paint.GetDC();
    COLORREF crBack = BackColour();
    CBrush brBack(crBack);
    pDC->FillRect(&paint.GetRect(), &brBack);
    pDC->FillRect(&rc, &brBack);
    pDC->SetBkColor(crBack);

    CRect rcVisible;
    pWnd->GetClientRect(&rcVisible);
    const CDpiScale scale = ScaleOf(pWnd);
    {
        // The frame's inside is filled with the background too.
        CGdiSelect brush(pDC, brBack);
        DrawFrame(pDC, rc, rcVisible, scale);
    }

    if (!bEdit && IsHover())
    {
        // Fixed heights: the triangle sits in the first text line whatever the control's height.
        CBrush brTriangle(TRIANGLE_GREY);
        CGdiSelect brush(pDC, brTriangle);
        pDC->BeginPath();
        pDC->MoveTo(rc.right - scale.Scale(16), scale.Scale(8));
        pDC->LineTo(rc.right - scale.Scale(6), scale.Scale(8));
        pDC->LineTo(rc.right - scale.Scale(11), scale.Scale(14));
        pDC->LineTo(rc.right - scale.Scale(16), scale.Scale(8));
        pDC->EndPath();
        pDC->FillPath();
    }

    CString strText;
    pWnd->GetWindowText(strText);
    if (bEdit && (pWnd->GetStyle() & ES_PASSWORD))
        for (int n = 0; n < strText.GetLength(); n++)
            strText.SetAt(n, L'*');
    DrawWindowText(pWnd, pDC, strText, rc + scale.Scale(bEdit ? CPoint(4, 3) : CPoint(3, 3)),
                   bEdit ? DT_EDITCONTROL | DT_WORDBREAK : 0);
}

void CTouchLook::DrawText(CWnd* pWnd, CDC* pDC, const CRect& rc)
{
    CString strText;
    pWnd->GetWindowText(strText);
    DrawWindowText(pWnd, pDC, strText, rc + ScaleOf(pWnd).Scale(CPoint(3, 3)), 0);
}
