#include <KorvoSkin/CTouchComboBox.h>
#include "../parts/CWindowDpi.h"
#include "CTouchLook.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CTouchComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CTouchComboBox, CComboBox)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CTouchComboBox::CTouchComboBox() : m_pLook(std::make_unique<CTouchLook>(CTouchLook::KindDropDown))
{
}

CTouchComboBox::~CTouchComboBox()
{
}

void CTouchComboBox::SetAlwaysBorder(bool bAlways)
{
    m_pLook->SetAlwaysBorder(bAlways);
}

void CTouchComboBox::OnPaint()
{
    CPaintDC dc(this);
    // With the focus the whole look, so that its frame outlives the repaint.
    if (m_pLook->IsFocus())
    {
        m_pLook->Draw(this);
        return;
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    m_pLook->DrawAlwaysFrame(this, &dc, rcClient);
    m_pLook->DrawText(this, &dc, rcClient);
}

void CTouchComboBox::OnSetFocus(CWnd* pOldWnd)
{
    CComboBox::OnSetFocus(pOldWnd);
    m_pLook->SetFocus(this, true);
}

void CTouchComboBox::OnKillFocus(CWnd*)
{
    Default();
    m_pLook->SetFocus(this, false);
}

void CTouchComboBox::OnMouseMove(UINT, CPoint)
{
    m_pLook->MouseMove(this);
    Default();
}

LRESULT CTouchComboBox::OnMouseLeave(WPARAM, LPARAM)
{
    m_pLook->MouseLeave(this);
    return 1;
}

LRESULT CTouchComboBox::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeComboBox(m_hWnd, query, m_pLook->IsHover());
    });
    return lResult ? lResult : Default();
}

LRESULT CTouchComboBox::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    m_pLook->FollowDpi(this);
    return 0;
}
