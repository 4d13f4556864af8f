#include <KorvoSkin/CEffectStatic.h>
#include "CEffectStaticLook.h"
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CEffectStatic, CStatic)

BEGIN_MESSAGE_MAP(CEffectStatic, CStatic)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CEffectStatic::CEffectStatic() : m_pLook(new CEffectStaticLook)
{
}

CEffectStatic::~CEffectStatic()
{
}

void CEffectStatic::SetLineHeight(DWORD nLineHeight)
{
    m_pLook->SetLineHeight(nLineHeight);
}

void CEffectStatic::SetBackColor(COLORREF crBack)
{
    m_pLook->SetBackColor(crBack);
}

void CEffectStatic::SetWindowTextW(LPCWSTR lpszText)
{
    CStatic::SetWindowText(lpszText);
    Invalidate(TRUE);
}

void CEffectStatic::PreSubclassWindow()
{
    // The static type is a value, not a flag: replace it rather than OR owner-draw onto it.
    ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW, 0);
    CStatic::PreSubclassWindow();
}

BOOL CEffectStatic::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, m_pLook->GetBackColor());
    return TRUE;
}

void CEffectStatic::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    m_pLook->Paint(this, CDC::FromHandle(lpDrawItemStruct->hDC));
}

LRESULT CEffectStatic::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeStaticText(query);
    });
    return lResult ? lResult : Default();
}
