#include "CAttachedToolBar.h"
#include "ControlTheme.h"
#include <commctrl.h>

BEGIN_MESSAGE_MAP(CAttachedToolBar, CWnd)
    ON_WM_ERASEBKGND()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

namespace
{
// The custom colours win over a visual style's (Vista and later; not every compiler's headers
// name it).
const LRESULT USE_CUSTOM_DRAW_COLOURS = 0x00800000;
}

BOOL CAttachedToolBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillSolidRect(&rcClient, ControlTheme::DialogBackColour());
    return TRUE;
}

void CAttachedToolBar::OnCustomDraw(NMHDR* pHeader, LRESULT* pResult)
{
    NMTBCUSTOMDRAW* pDraw = (NMTBCUSTOMDRAW*)pHeader;
    switch (pDraw->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
    {
        const COLORREF crBack = ControlTheme::DialogBackColour();
        const COLORREF crText = ControlTheme::BarTextColour();
        pDraw->clrText = crText;
        pDraw->clrTextHighlight = crText;
        pDraw->clrBtnFace = crBack;
        pDraw->clrBtnHighlight = BlendColour(crBack, crText, 40);
        pDraw->clrHighlightHotTrack = BlendColour(crBack, crText, 30);
        // Hot, pressed and checked buttons are a face moved towards the text with a frame, as the
        // library's push buttons; the toolbar draws the image and text over it.
        const UINT nState = pDraw->nmcd.uItemState;
        if (nState & (CDIS_HOT | CDIS_SELECTED | CDIS_CHECKED))
        {
            CDC* pDC = CDC::FromHandle(pDraw->nmcd.hdc);
            const CRect rc(pDraw->nmcd.rc);
            pDC->FillSolidRect(&rc, BlendColour(crBack, crText, (nState & (CDIS_SELECTED | CDIS_CHECKED)) ? 64 : 32));
            CBrush frame;
            if (frame.CreateSolidBrush(BlendColour(crText, crBack, 100)))
                pDC->FrameRect(&rc, &frame);
        }
        *pResult = TBCDRF_NOBACKGROUND | TBCDRF_NOEDGES | USE_CUSTOM_DRAW_COLOURS;
        return;
    }
    }
    *pResult = CDRF_DODEFAULT;
}
