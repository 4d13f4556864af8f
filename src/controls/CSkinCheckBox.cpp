#include <KorvoSkin/CSkinCheckBox.h>
#include "CCheckBoxLook.h"
#include "ControlAccessibility.h"
#include "../parts/CWindowDpi.h"

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
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CSkinCheckBox::CSkinCheckBox() : m_pLook(new CCheckBoxLook)
{
}

CSkinCheckBox::~CSkinCheckBox()
{
}

int CSkinCheckBox::GetCheck() const
{
    return m_pLook->GetCheck();
}

void CSkinCheckBox::SetCheck(int nCheck)
{
    m_pLook->SetCheck(nCheck);
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, NULL, TRUE);
}

BOOL CSkinCheckBox::IsHover() const
{
    return m_pLook->IsHover();
}

void CSkinCheckBox::DrawCheck(CDC* pDC, CRect rect)
{
    m_pLook->DrawCheck(pDC, rect);
}

void CSkinCheckBox::DrawOrange(CDC* pDC, CRect rect)
{
    m_pLook->DrawOrange(pDC, rect);
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
    CRect rcClient;
    GetClientRect(&rcClient);
    // A move reported while the box holds the capture may be outside it.
    if (!m_pLook->IsHover() && rcClient.PtInRect(point) && m_pLook->Hover().OnMouseMove(m_hWnd))
    {
        ::InvalidateRect(m_hWnd, NULL, TRUE);
        UpdateWindow();
    }
    Default();
}

void CSkinCheckBox::OnTimer(UINT_PTR nIDEvent)
{
    if (m_pLook->Hover().OnTimer(m_hWnd, nIDEvent))
    {
        ::InvalidateRect(m_hWnd, NULL, TRUE);
        UpdateWindow();
    }
    if (!m_pLook->Hover().OwnsTimer(nIDEvent))
        Default();
}

void CSkinCheckBox::OnLButtonDown(UINT, CPoint)
{
    Default();
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    UpdateWindow();
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
    // The box shows its new state unlit; the next move lights it again.
    m_pLook->Hover().Cancel(m_hWnd);
    m_pLook->SetCheck(m_pLook->GetCheck() == 1 ? 0 : 1);
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
        SetCheck(m_pLook->GetCheck() == 1 ? 0 : 1);
    return lResult;
}

LRESULT CSkinCheckBox::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    m_pLook->FollowDpi(this);
    return 0;
}

void CSkinCheckBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    m_pLook->Paint(this, *lpDrawItemStruct);
}

LRESULT CSkinCheckBox::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        int nCheck = m_pLook->GetCheck();
        query.nRole = ROLE_SYSTEM_CHECKBUTTON;
        // 1 is checked; any other number than 0 draws the mark too, as the third (mixed) state.
        query.nState |= STATE_SYSTEM_FOCUSABLE | (m_pLook->IsHover() ? STATE_SYSTEM_HOTTRACKED : 0)
                        | (nCheck == 1 ? STATE_SYSTEM_CHECKED : nCheck ? STATE_SYSTEM_MIXED : 0);
        if (SendMessage(BM_GETSTATE) & BST_PUSHED)
            query.nState |= STATE_SYSTEM_PRESSED;
        query.strDefaultAction = nCheck == 1 ? L"Uncheck" : L"Check";
        // A click as the mouse gives it, posted so that the caller is not inside the handlers.
        if (query.bDoDefaultAction && IsWindowEnabled())
            PostMessage(BM_CLICK);
    });
    return lResult ? lResult : Default();
}
