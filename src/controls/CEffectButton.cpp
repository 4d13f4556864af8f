#include <KorvoSkin/CEffectButton.h>
#include "CEffectButtonLook.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CEffectButton, CButton)

BEGIN_MESSAGE_MAP(CEffectButton, CButton)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CEffectButton::CEffectButton() : m_pLook(new CEffectButtonLook)
{
}

CEffectButton::~CEffectButton()
{
}

void CEffectButton::SetImage(HBITMAP hNormal, HBITMAP hHover, COLORREF crTransparent)
{
    CSize size;
    if (!m_pLook->SetImage(hNormal, hHover, crTransparent, &size))
        return;
    if (!m_hWnd)
        return;
    SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    Invalidate(TRUE);
}

void CEffectButton::SetTextColor(COLORREF crColor)
{
    m_pLook->SetTextColor(crColor);
}

void CEffectButton::SetIndent(int nIndent)
{
    m_pLook->SetIndent(nIndent);
}

void CEffectButton::SetPitchOn(bool bPitchOn)
{
    m_pLook->SetPitchOn(bPitchOn);
}

void CEffectButton::SetHandCursor(bool bHand)
{
    m_pLook->SetHandCursor(bHand);
}

void CEffectButton::SetToolTip(CString strText)
{
    m_pLook->SetToolTip(this, strText);
}

bool CEffectButton::IsHover() const
{
    return m_pLook->IsHover();
}

HCURSOR CEffectButton::GetHandCursor() const
{
    return m_pLook->GetHandCursor();
}

HWND CEffectButton::GetToolTipWindow() const
{
    return m_pLook->GetToolTipWindow();
}

void CEffectButton::PreSubclassWindow()
{
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | BS_LEFT);
    CButton::PreSubclassWindow();
}

BOOL CEffectButton::PreTranslateMessage(MSG* pMsg)
{
    m_pLook->RelayToToolTip(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

void CEffectButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    m_pLook->Paint(this, *lpDrawItemStruct);
}

void CEffectButton::OnMouseMove(UINT, CPoint)
{
    if (m_pLook->Hover().OnMouseMove(m_hWnd))
        Invalidate(TRUE);
    Default();
}

LRESULT CEffectButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_pLook->Hover().OnMouseLeave();
    Invalidate(TRUE);
    // The parent repaints what shows through the transparent colour.
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent)
    {
        CRect rc;
        GetWindowRect(&rc);
        ::MapWindowPoints(NULL, hParent, (LPPOINT)&rc, 2);
        ::InvalidateRect(hParent, &rc, TRUE);
    }
    return 1;
}

BOOL CEffectButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CEffectButton::OnSetCursor(CWnd*, UINT, UINT)
{
    BOOL bResult = (BOOL)Default();
    if (IsWindowEnabled() && m_pLook->GetHandCursor())
        ::SetCursor(m_pLook->GetHandCursor());
    return bResult;
}

void CEffectButton::OnLButtonUp(UINT, CPoint)
{
    // The next move over the button starts the hover again.
    m_pLook->Hover().Cancel(m_hWnd);
    Default();
}

LRESULT CEffectButton::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribePushButton(m_hWnd, query, m_pLook->IsHover());
        // Pitched on is the button shown latched.
        if (m_pLook->IsPitchOn())
            query.nState |= STATE_SYSTEM_CHECKED;
    });
    return lResult ? lResult : Default();
}
