#include "CHeadPhotoPainter.h"
#include "../parts/CBufferedPaint.h"
#include "../parts/CDpiScale.h"
#include "../parts/CWindowDpi.h"
#include "../parts/CGdiSelect.h"
#include "ControlAccessibility.h"

CHeadPhotoPainter::CHeadPhotoPainter() : m_hEraseBg(NULL), m_hEraseBgHover(NULL), m_bGray(false)
{
}

void CHeadPhotoPainter::SetEraseBg(HBITMAP hNormal, HBITMAP hHover)
{
    m_hEraseBg = hNormal;
    m_hEraseBgHover = hHover;
}

void CHeadPhotoPainter::SetGray(CWnd* pWnd, bool bGray)
{
    m_bGray = bGray;
    if (pWnd->m_hWnd)
        pWnd->InvalidateRect(NULL, TRUE);
}

void CHeadPhotoPainter::OnMouseMove(CWnd* pWnd)
{
    if (m_hover.OnMouseMove(pWnd->m_hWnd))
        pWnd->InvalidateRect(NULL, TRUE);
    pWnd->Default();
}

LRESULT CHeadPhotoPainter::OnMouseLeave(CWnd* pWnd)
{
    m_hover.OnMouseLeave();
    pWnd->InvalidateRect(NULL, TRUE);
    return 1;
}

LRESULT CHeadPhotoPainter::OnGetObject(CWnd* pWnd, const CAccessibleName& name, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(pWnd->m_hWnd, name, wParam, lParam,
                                      [this](CAccessibleQuery& query) { DescribeGraphic(query, IsHover()); });
    return lResult ? lResult : pWnd->Default();
}

LRESULT CHeadPhotoPainter::OnDpiChangedAfterParent(CWnd* pWnd)
{
    m_dpi.Follow(pWnd, [this, pWnd](UINT, UINT) {
        // A buffer sized for a larger scale is not kept at a smaller one.
        m_buffer.Release();
        // Without a background the control paints its square alone, which moves and changes
        // size: where it was, the parent shows again.
        CWnd* pParent = pWnd->GetParent();
        if (!pParent)
            return;
        CRect rc;
        pWnd->GetWindowRect(&rc);
        pParent->ScreenToClient(&rc);
        pParent->RedrawWindow(&rc, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    });
    return 0;
}

BYTE CHeadPhotoPainter::GreyLevel(COLORREF cr)
{
    double dGrey = GetGValue(cr) * 0.587 + GetRValue(cr) * 0.299 + GetBValue(cr) * 0.114;
    return (BYTE)((int)dGrey & 0xFF);
}

template <typename DrawSquare> void CHeadPhotoPainter::Paint(CWnd* pWnd, bool bPortrait, DrawSquare fnDraw)
{
    CPaintDC dc(pWnd);
    if (!m_dcImage.m_hDC && !m_dcImage.CreateCompatibleDC(&dc))
        return;
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    bool bBackground = m_hEraseBg && m_hEraseBgHover;
    // Without a background only the portrait's square is painted; its place and size follow
    // the window's DPI.
    const CDpiScale scale(CWindowDpi::Of(pWnd->m_hWnd));
    CRect rcSquare = scale.ScaleBox(CRect(CPoint(PORTRAIT_X, PORTRAIT_Y), CSize(PORTRAIT_SIZE, PORTRAIT_SIZE)));
    CRect rcPaint = bBackground ? CRect(CPoint(0, 0), rcWindow.Size()) : rcSquare;
    if (!bBackground && !bPortrait)
        return;
    CBufferedPaint paint(m_buffer, &dc, rcPaint);
    CDC* pDC = paint.GetDC();
    if (bBackground)
    {
        CGdiSelect image(m_dcImage.m_hDC, IsHover() ? m_hEraseBgHover : m_hEraseBg);
        ::BitBlt(pDC->m_hDC, 0, 0, rcWindow.Width(), rcWindow.Height(), m_dcImage.m_hDC, 0, 0, SRCCOPY);
    }
    if (!bPortrait)
        return;

    // What a small portrait leaves uncovered is black, as a fresh bitmap is.
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rcSquare);
    pDC->FillSolidRect(&rcSquare, RGB(0, 0, 0));
    bool bDrawn = fnDraw(pDC->m_hDC, m_dcImage.m_hDC, rcSquare);
    pDC->RestoreDC(nSaved);
    if (bDrawn && m_bGray)
        for (int x = rcSquare.left; x < rcSquare.right; x++)
            for (int y = rcSquare.top; y < rcSquare.bottom; y++)
            {
                BYTE nGrey = GreyLevel(::GetPixel(pDC->m_hDC, x, y));
                ::SetPixel(pDC->m_hDC, x, y, RGB(nGrey, nGrey, nGrey));
            }
}

void CHeadPhotoPainter::Paint(CWnd* pWnd, HBITMAP hPhoto)
{
    // The square cropped from the photo fills the portrait's square, stretched pixel for pixel
    // (no blending) at another DPI than 96.
    Paint(pWnd, hPhoto != NULL, [hPhoto](HDC hDC, HDC hImageDC, const CRect& rcSquare) {
        CGdiSelect photo(hImageDC, hPhoto);
        if (!photo.IsSelected())
            return false;
        int nOldMode = ::SetStretchBltMode(hDC, COLORONCOLOR);
        BOOL bDrawn = ::StretchBlt(hDC, rcSquare.left, rcSquare.top, rcSquare.Width(), rcSquare.Height(), hImageDC, 0, 0,
                                   PORTRAIT_SIZE, PORTRAIT_SIZE, SRCCOPY);
        ::SetStretchBltMode(hDC, nOldMode);
        return bDrawn != FALSE;
    });
}

void CHeadPhotoPainter::Paint(CWnd* pWnd, CImageList* pImageList, int nImage)
{
    // The host's images keep their own size, from the portrait square's corner.
    Paint(pWnd, pImageList != NULL, [pImageList, nImage](HDC hDC, HDC, const CRect& rcSquare) {
        ::ImageList_Draw(pImageList->m_hImageList, nImage, hDC, rcSquare.left, rcSquare.top, ILD_NORMAL);
        return true;
    });
}
