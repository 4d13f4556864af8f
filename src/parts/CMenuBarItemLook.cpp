#include "CMenuBarItemLook.h"
#include "CGdiSelect.h"

void CMenuBarItemLook::Draw(CDC* pDC, const Colours& colours, HFONT hFont, const CDpiScale& scale, LPCWSTR pszCaption,
                            const CRect& rcItem, BOOL bPressed, BOOL bHot)
{
    const int nLine = scale.Scale(1);
    if (bPressed)
    {
        pDC->FillSolidRect(&rcItem, colours.crBack);
        pDC->FillSolidRect(rcItem.left, rcItem.top, rcItem.Width(), nLine, colours.crBorder);
        pDC->FillSolidRect(rcItem.left, rcItem.top, nLine, rcItem.Height(), colours.crBorder);
        pDC->FillSolidRect(rcItem.right - nLine, rcItem.top, nLine, rcItem.Height(), colours.crBorder);
    }
    else if (bHot)
    {
        CBrush brHover(colours.crHover);
        CPen penWhite(PS_INSIDEFRAME, nLine, RGB(255, 255, 255));
        CGdiSelect brush(pDC, brHover);
        CGdiSelect pen(pDC, penWhite);
        const int nCorner = scale.Scale(3);
        pDC->RoundRect(rcItem.left + nLine, rcItem.top + nLine, rcItem.right - nLine, rcItem.bottom - nLine, nCorner,
                       nCorner);
    }
    CGdiSelect font(pDC->m_hDC, hFont);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(colours.crText);
    CRect rcText = rcItem;
    pDC->DrawText(pszCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}
