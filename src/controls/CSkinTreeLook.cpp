#include "CSkinTreeLook.h"
#include "CSkinTreePainter.h"
#include "../parts/CBufferedPaint.h"
#include "../parts/CGdiSelect.h"

void CSkinTreeLook::Paint(CSkinTree& tree, CDC& dc)
{
    CRect rcClient;
    tree.GetClientRect(&rcClient);
    // The background moves with the scroll position.
    SCROLLINFO info = {};
    CPoint ptOrigin;
    ptOrigin.x = tree.GetScrollInfo(SB_HORZ, &info, SIF_RANGE | SIF_POS) ? -info.nPos : rcClient.left;
    ptOrigin.y = tree.GetScrollInfo(SB_VERT, &info, SIF_RANGE | SIF_POS) ? -info.nPos : rcClient.top;
    if (rcClient.IsRectEmpty())
        return;

    CBufferedPaint paint(m_metrics.Buffer(), &dc, rcClient);
    CDC* pDC = paint.GetDC();
    CGdiSelect font(pDC->m_hDC, m_metrics.Font(tree));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CSkinTreePainter painter(tree, rcClient, ptOrigin);
    painter.DrawBackground(pDC, m_mode, (HBITMAP)m_bitmap.m_hObject, m_bBitmapTiled, m_bGradientHorz);
    painter.DrawItems(pDC, m_pImageListEx);
    pDC->SetBkMode(nOldMode);
}
