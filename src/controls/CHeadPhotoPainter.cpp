#include "CHeadPhotoPainter.h"

void CHeadPhotoPainter::PaintBackground(CDC* pDC, const CSize& size, HBITMAP hNormal, HBITMAP hHover, bool bHover)
{
    if (!hNormal || !hHover)
        return;
    CDC dcMemory;
    if (!dcMemory.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ hOld = ::SelectObject(dcMemory.m_hDC, bHover ? hHover : hNormal);
    ::BitBlt(pDC->m_hDC, 0, 0, size.cx, size.cy, dcMemory.m_hDC, 0, 0, SRCCOPY);
    ::SelectObject(dcMemory.m_hDC, hOld);
}

CHeadPhotoPainter::CHeadPhotoPainter(CDC* pDC) : m_pDC(pDC), m_hOld(NULL), m_bValid(false)
{
    if (!m_dcSquare.CreateCompatibleDC(pDC))
        return;
    if (!m_bitmap.CreateCompatibleBitmap(pDC, PORTRAIT_SIZE, PORTRAIT_SIZE))
        return;
    m_hOld = ::SelectObject(m_dcSquare.m_hDC, m_bitmap.m_hObject);
    m_bValid = true;
}

CHeadPhotoPainter::~CHeadPhotoPainter()
{
    if (m_hOld)
        ::SelectObject(m_dcSquare.m_hDC, m_hOld);
}

BYTE CHeadPhotoPainter::GreyLevel(COLORREF cr)
{
    double dGrey = GetGValue(cr) * 0.587 + GetRValue(cr) * 0.299 + GetBValue(cr) * 0.114;
    return (BYTE)((int)dGrey & 0xFF);
}

void CHeadPhotoPainter::Put(bool bGray)
{
    if (!m_bValid)
        return;
    if (bGray)
        for (int x = 0; x < PORTRAIT_SIZE; x++)
            for (int y = 0; y < PORTRAIT_SIZE; y++)
            {
                BYTE nGrey = GreyLevel(::GetPixel(m_dcSquare.m_hDC, x, y));
                ::SetPixel(m_dcSquare.m_hDC, x, y, RGB(nGrey, nGrey, nGrey));
            }
    ::BitBlt(m_pDC->m_hDC, PORTRAIT_X, PORTRAIT_Y, PORTRAIT_SIZE, PORTRAIT_SIZE, m_dcSquare.m_hDC, 0, 0, SRCCOPY);
}

BOOL CHeadPhotoPainter::EnterHover(CWnd* pWnd, bool& bHover)
{
    if (bHover)
        return FALSE;
    bHover = true;
    pWnd->InvalidateRect(NULL, TRUE);
    TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, pWnd->m_hWnd, 0 };
    ::_TrackMouseEvent(&tme);
    return TRUE;
}
