#include <KorvoSkin/CTouchEdit.h>
#include "../parts/CWindowDpi.h"
#include "CTouchLook.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CTouchEdit, CEdit)

BEGIN_MESSAGE_MAP(CTouchEdit, CEdit)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CTouchEdit::CTouchEdit() : m_pLook(std::make_unique<CTouchLook>(CTouchLook::KindEdit))
{
}

CTouchEdit::~CTouchEdit()
{
}

void CTouchEdit::SetAlwaysBorder(bool bAlways)
{
    m_pLook->SetAlwaysBorder(bAlways);
}

void CTouchEdit::SetBkColor(COLORREF crBack)
{
    m_pLook->SetBkColor(crBack);
}

void CTouchEdit::OnPaint()
{
    // The context validates the update region; the system's own text painting does not run.
    CPaintDC dc(this);
    m_pLook->Draw(this);
}

void CTouchEdit::OnNcPaint()
{
    m_pLook->Draw(this);
}

BOOL CTouchEdit::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTouchEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    m_pLook->SetFocus(this, true);
}

void CTouchEdit::OnKillFocus(CWnd*)
{
    Default();
    m_pLook->SetFocus(this, false);
}

void CTouchEdit::OnMouseMove(UINT, CPoint)
{
    m_pLook->MouseMove(this);
    Default();
}

LRESULT CTouchEdit::OnMouseLeave(WPARAM, LPARAM)
{
    m_pLook->MouseLeave(this);
    return 1;
}

LRESULT CTouchEdit::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeEditableText(m_hWnd, query, m_pLook->IsHover());
    });
    return lResult ? lResult : Default();
}

LRESULT CTouchEdit::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    m_pLook->FollowDpi(this);
    return 0;
}
