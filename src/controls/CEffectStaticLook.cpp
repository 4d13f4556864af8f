#include "CEffectStaticLook.h"

void CEffectStaticLook::Paint(CWnd* pStatic, CDC* pDC) const
{
    pDC->SetBkColor(m_crBack);
    CString strText;
    pStatic->GetWindowText(strText);
    CRect rc;
    pStatic->GetClientRect(&rc);
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
