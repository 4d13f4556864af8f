#include "CHeadPhotoPainter.h"

CHeadPhotoPainter::CHeadPhotoPainter() : m_hEraseBg(NULL), m_hEraseBgHover(NULL), m_bHover(false), m_bGray(false)
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

void CHeadPhotoPainter::MouseMove(CWnd* pWnd)
{
    if (m_bHover)
        return;
    m_bHover = true;
    pWnd->InvalidateRect(NULL, TRUE);
    TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, pWnd->m_hWnd, 0 };
    ::_TrackMouseEvent(&tme);
}

void CHeadPhotoPainter::MouseLeave(CWnd* pWnd)
{
    m_bHover = false;
    pWnd->InvalidateRect(NULL, TRUE);
}

BYTE CHeadPhotoPainter::GreyLevel(COLORREF cr)
{
    double dGrey = GetGValue(cr) * 0.587 + GetRValue(cr) * 0.299 + GetBValue(cr) * 0.114;
    return (BYTE)((int)dGrey & 0xFF);
}

template <typename DrawSquare> void CHeadPhotoPainter::Paint(CWnd* pWnd, bool bPortrait, DrawSquare fnDraw) const
{
    CPaintDC dc(pWnd);
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    CDC dcMemory;
    if (m_hEraseBg && m_hEraseBgHover && dcMemory.CreateCompatibleDC(&dc))
    {
        HGDIOBJ hOld = ::SelectObject(dcMemory.m_hDC, m_bHover ? m_hEraseBgHover : m_hEraseBg);
        ::BitBlt(dc.m_hDC, 0, 0, rcWindow.Width(), rcWindow.Height(), dcMemory.m_hDC, 0, 0, SRCCOPY);
        ::SelectObject(dcMemory.m_hDC, hOld);
    }
    if (!bPortrait)
        return;

    // Not cleared: what a small portrait leaves uncovered keeps the fresh bitmap's content.
    CDC dcSquare;
    CBitmap square;
    if (!dcSquare.CreateCompatibleDC(&dc) || !square.CreateCompatibleBitmap(&dc, PORTRAIT_SIZE, PORTRAIT_SIZE))
        return;
    HGDIOBJ hOldSquare = ::SelectObject(dcSquare.m_hDC, square.m_hObject);
    if (!fnDraw(&dc, dcSquare.m_hDC))
    {
        ::SelectObject(dcSquare.m_hDC, hOldSquare);
        return;
    }
    if (m_bGray)
        for (int x = 0; x < PORTRAIT_SIZE; x++)
            for (int y = 0; y < PORTRAIT_SIZE; y++)
            {
                BYTE nGrey = GreyLevel(::GetPixel(dcSquare.m_hDC, x, y));
                ::SetPixel(dcSquare.m_hDC, x, y, RGB(nGrey, nGrey, nGrey));
            }
    ::BitBlt(dc.m_hDC, PORTRAIT_X, PORTRAIT_Y, PORTRAIT_SIZE, PORTRAIT_SIZE, dcSquare.m_hDC, 0, 0, SRCCOPY);
    ::SelectObject(dcSquare.m_hDC, hOldSquare);
}

void CHeadPhotoPainter::Paint(CWnd* pWnd, HBITMAP hPhoto) const
{
    Paint(pWnd, hPhoto != NULL, [hPhoto](CDC* pDC, HDC hSquare) {
        CDC dcPhoto;
        if (!dcPhoto.CreateCompatibleDC(pDC))
            return false;
        HGDIOBJ hOld = ::SelectObject(dcPhoto.m_hDC, hPhoto);
        ::BitBlt(hSquare, 0, 0, PORTRAIT_SIZE, PORTRAIT_SIZE, dcPhoto.m_hDC, 0, 0, SRCCOPY);
        ::SelectObject(dcPhoto.m_hDC, hOld);
        return true;
    });
}

void CHeadPhotoPainter::Paint(CWnd* pWnd, CImageList* pImageList, int nImage) const
{
    Paint(pWnd, pImageList != NULL, [pImageList, nImage](CDC*, HDC hSquare) {
        ::ImageList_Draw(pImageList->m_hImageList, nImage, hSquare, 0, 0, ILD_NORMAL);
        return true;
    });
}
