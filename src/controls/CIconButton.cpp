#include <KorvoSkin/CIconButton.h>
#include "CIconButtonLook.h"
#include "ControlAccessibility.h"
#include "ControlTheme.h"

IMPLEMENT_DYNAMIC(CIconButton, CButton)

BEGIN_MESSAGE_MAP(CIconButton, CButton)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CIconButton::CIconButton() : m_pLook(new CIconButtonLook)
{
}

CIconButton::~CIconButton()
{
}

void CIconButton::SetIcon(HICON hIcon)
{
    if (!hIcon)
        return;
    m_pLook->ReplaceIcon(hIcon);
    ::DestroyIcon(hIcon);
}

void CIconButton::SetCoolIcon(UINT nCmdID)
{
    HICON hIcon = ControlTheme::CommandIcon(nCmdID, SIZE_CODE_16);
    if (hIcon)
    {
        m_pLook->ReplaceIcon(hIcon, nCmdID);
        ::DestroyIcon(hIcon);
    }
    if (m_hWnd)
        Invalidate(TRUE);
}

void CIconButton::SetText(LPCWSTR lpszText)
{
    if (!m_hWnd || !lpszText)
        return;
    CString strText;
    GetWindowText(strText);
    if (strText == lpszText)
        return;
    SetWindowText(lpszText);
    Invalidate(TRUE);
}

void CIconButton::SetLeftAlin(bool bLeftAlign)
{
    m_pLook->SetLeftAlign(bLeftAlign);
    if (m_hWnd)
        Invalidate(TRUE);
}

void CIconButton::SetHandCursor(BOOL bHand)
{
    m_pLook->SetHandCursor(bHand != FALSE);
}

bool CIconButton::IsHover() const
{
    return m_pLook->IsHover();
}

int CIconButton::GetIconCount() const
{
    return m_pLook->GetIconCount();
}

void CIconButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    // The button type is a value, not a flag: replace it rather than OR owner-draw onto it.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, 0);
}

void CIconButton::OnMouseMove(UINT, CPoint point)
{
    // A move reported while the button holds the capture may be outside it.
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (rcWindow.PtInRect(ptScreen) && m_pLook->Hover().OnMouseMove(m_hWnd))
        Invalidate(TRUE);
    Default();
}

LRESULT CIconButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_pLook->Hover().OnMouseLeave();
    Invalidate(TRUE);
    return 0;
}

BOOL CIconButton::OnSetCursor(CWnd*, UINT, UINT)
{
    BOOL bResult = (BOOL)Default();
    if (IsWindowEnabled() && m_pLook->GetHandCursor())
        ::SetCursor(m_pLook->GetHandCursor());
    return bResult;
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    m_pLook->Paint(this, *lpDrawItemStruct);
}

LRESULT CIconButton::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribePushButton(m_hWnd, query, m_pLook->IsHover());
    });
    return lResult ? lResult : Default();
}
