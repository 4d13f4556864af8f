#include <KorvoSkin/CTouchDateTimeCtrl.h>
#include "../parts/CWindowDpi.h"
#include "CTouchLook.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CTouchDateTimeCtrl, CDateTimeCtrl)

BEGIN_MESSAGE_MAP(CTouchDateTimeCtrl, CDateTimeCtrl)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CTouchDateTimeCtrl::CTouchDateTimeCtrl() : m_pLook(std::make_unique<CTouchLook>(CTouchLook::KindDropDown))
{
}

CTouchDateTimeCtrl::~CTouchDateTimeCtrl()
{
}

void CTouchDateTimeCtrl::SetAlwaysBorder(bool bAlways)
{
    m_pLook->SetAlwaysBorder(bAlways);
}

void CTouchDateTimeCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    ScreenToClient(&rcWindow);
    m_pLook->DrawText(this, &dc, rcWindow);
}

void CTouchDateTimeCtrl::OnNcPaint()
{
    m_pLook->Draw(this);
}

void CTouchDateTimeCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CDateTimeCtrl::OnSetFocus(pOldWnd);
    m_pLook->SetFocus(this, true);
}

void CTouchDateTimeCtrl::OnKillFocus(CWnd*)
{
    Default();
    m_pLook->SetFocus(this, false);
}

void CTouchDateTimeCtrl::OnMouseMove(UINT, CPoint)
{
    m_pLook->MouseMove(this);
    Default();
}

LRESULT CTouchDateTimeCtrl::OnMouseLeave(WPARAM, LPARAM)
{
    m_pLook->MouseLeave(this);
    return 1;
}

LRESULT CTouchDateTimeCtrl::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        // The picked date, shown as text; its calendar drops down like a list.
        query.nRole = ROLE_SYSTEM_DROPLIST;
        query.bTextIsValue = true;
        query.nState |= STATE_SYSTEM_FOCUSABLE | (m_pLook->IsHover() ? STATE_SYSTEM_HOTTRACKED : 0);
        CString strDate;
        GetWindowText(strDate);
        query.SetValue(strDate);
    });
    return lResult ? lResult : Default();
}

LRESULT CTouchDateTimeCtrl::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    m_pLook->FollowDpi(this);
    return 0;
}
