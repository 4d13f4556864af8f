#include <KorvoSkin/CEffectStatic.h>
#include "ControlAccessibility.h"

IMPLEMENT_DYNAMIC(CEffectStatic, CStatic)

BEGIN_MESSAGE_MAP(CEffectStatic, CStatic)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CEffectStatic::CEffectStatic() : m_nLineHeight(18), m_crBack(RGB(255, 255, 255))
{
}

CEffectStatic::~CEffectStatic()
{
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
    pDC->FillSolidRect(&rc, m_crBack);
    return TRUE;
}

void CEffectStatic::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    pDC->SetBkColor(m_crBack);
    CString strText;
    GetWindowText(strText);
    CRect rc;
    GetClientRect(&rc);
    rc.InflateRect(-2, -5);
    int nUsable = rc.Width() - 12;
    int nLength = strText.GetLength();
    int nLineStart = 0;
    for (int i = 0; i < nLength; i++)
    {
        // The line runs from nLineStart to i, both included.
        SIZE size = { 0, 0 };
        ::GetTextExtentPoint32W(pDC->m_hAttribDC, (LPCWSTR)strText + nLineStart, i - nLineStart + 1, &size);
        if (size.cx <= nUsable && i != nLength - 1 && strText[i] != L'\n')
            continue;
        CString strLine = strText.Mid(nLineStart, i - nLineStart + 1);
        pDC->DrawText(strLine, -1, &rc, 0);
        nLineStart = i + 1;
        rc.top += (LONG)m_nLineHeight;
    }
}

LRESULT CEffectStatic::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        DescribeStaticText(query);
    });
    return lResult ? lResult : Default();
}
