#include <KorvoSkin/CSkinComboBox.h>
#include "CComboBoxLook.h"
#include "ControlAccessibility.h"
#include "ControlTheme.h"
#include "DisabledText.h"
#include "../parts/CWindowDpi.h"

IMPLEMENT_DYNAMIC(CSkinComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CSkinComboBox, CComboBox)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_CONTROL_REFLECT(CBN_KILLFOCUS, OnCbnKillfocus)
    ON_WM_SETFOCUS()
    ON_WM_CREATE()
    ON_CONTROL_REFLECT(CBN_CLOSEUP, OnCloseup)
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CSkinComboBox::CSkinComboBox() : m_nArrowWidth(::GetSystemMetrics(SM_CXHTHUMB)), m_pLook(new CComboBoxLook)
{
}

CSkinComboBox::~CSkinComboBox()
{
}

BOOL CSkinComboBox::IsHover() const
{
    return m_pLook->IsHover();
}

BOOL CSkinComboBox::IsPressed() const
{
    return m_pLook->IsPressed();
}

void CSkinComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
}

BOOL CSkinComboBox::PreTranslateMessage(MSG* pMsg)
{
    return CComboBox::PreTranslateMessage(pMsg);
}

void CSkinComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CSkinComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

int CSkinComboBox::OnCreate(LPCREATESTRUCTW)
{
    return Default() == -1 ? -1 : 0;
}

void CSkinComboBox::DrawCombo(enTypeShow nShow, CDC* pDC)
{
    CComboBoxLook::Show show = nShow == enShowHover     ? CComboBoxLook::showHover
                             : nShow == enShowPressed ? CComboBoxLook::showPressed
                                                      : CComboBoxLook::showNormal;
    m_pLook->Draw(this, pDC, show, m_nArrowWidth);
}

void CSkinComboBox::DrawArrow(CDC* pDC, CRect rect)
{
    m_pLook->DrawArrow(this, pDC, rect, m_nArrowWidth);
}

void CSkinComboBox::OnPaint()
{
    CPaintDC dc(this);
    // A window whose DPI was set before this control was told of it.
    m_nArrowWidth = m_pLook->FitArrowWidth(m_hWnd, m_nArrowWidth);
    CWnd::DefWindowProc(WM_PAINT, (WPARAM)dc.m_hDC, 0);
    // The system greys a disabled field's text whatever the parent answers: a skin's disabled
    // colour is drawn over it.
    COLORREF crDisabled = ControlTheme::Theme().ControlColours(ControlPart::ComboDisabled).crText;
    COMBOBOXINFO info = { sizeof(info) };
    if (!IsWindowEnabled() && crDisabled != NO_COLOUR && ::GetComboBoxInfo(m_hWnd, &info))
    {
        CString strText;
        int nSel = GetCurSel();
        if (nSel >= 0)
            GetLBText(nSel, strText);
        else
            GetWindowText(strText);
        CRect rcItem(info.rcItem);
        DrawDisabledText(m_hWnd, dc.m_hDC, rcItem, CRect(rcItem.left + 1, rcItem.top, rcItem.right, rcItem.bottom), strText,
                         DT_SINGLELINE | DT_VCENTER, crDisabled);
    }
    // The focus keeps the pressed look through repaints, so the keyboard's place stays visible.
    HWND hFocus = ::GetFocus();
    BOOL bFocus = hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    DrawCombo(m_pLook->IsPressed() || bFocus ? enShowPressed : enShowNormal, &dc);
}

BOOL CSkinComboBox::OnSetCursor(CWnd*, UINT, UINT)
{
    // The edit child takes the pointer's moves; the cursor question reaches the combo for both.
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point) && !m_pLook->IsHover() && !m_pLook->IsPressed() &&
        m_pLook->Hover().OnMouseMove(m_hWnd))
    {
        m_pLook->DrawNow(this, CComboBoxLook::showHover, m_nArrowWidth);
        return TRUE;
    }
    return (BOOL)Default();
}

void CSkinComboBox::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_pLook->Hover().OwnsTimer(nIDEvent))
    {
        Default();
        return;
    }
    // An open list keeps the combo pressed and hovered until it closes.
    if (!m_pLook->IsPressed() && m_pLook->Hover().OnTimer(m_hWnd, nIDEvent))
        m_pLook->DrawNow(this, CComboBoxLook::showNormal, m_nArrowWidth);
}

void CSkinComboBox::OnLButtonDown(UINT, CPoint)
{
    m_pLook->Hover().OnMouseMove(m_hWnd);
    m_pLook->SetPressed(true);
    m_pLook->DrawNow(this, CComboBoxLook::showPressed, m_nArrowWidth);
    Default();
}

void CSkinComboBox::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CSkinComboBox::OnCloseup()
{
    m_pLook->SetPressed(false);
    if (CHoverTracker::IsCursorOver(m_hWnd))
        return;
    m_pLook->Hover().Cancel(m_hWnd);
    m_pLook->DrawNow(this, CComboBoxLook::showNormal, m_nArrowWidth);
}

void CSkinComboBox::OnCbnKillfocus()
{
    m_pLook->DrawNow(this, CComboBoxLook::showNormal, m_nArrowWidth);
    m_pLook->SetPressed(false);
    m_pLook->Hover().Cancel(m_hWnd);
}

void CSkinComboBox::OnSetFocus(CWnd* pOldWnd)
{
    CComboBox::OnSetFocus(pOldWnd);
    m_pLook->DrawNow(this, CComboBoxLook::showPressed, m_nArrowWidth);
}

LRESULT CSkinComboBox::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    m_nArrowWidth = m_pLook->FitArrowWidth(m_hWnd, m_nArrowWidth);
    Invalidate();
    return 0;
}

LRESULT CSkinComboBox::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeComboBox(m_hWnd, query, m_pLook->IsHover());
    });
    return lResult ? lResult : Default();
}
