#include "TouchLook.h"

namespace
{
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF TRIANGLE_GREY = RGB(200, 200, 200);
const int CORNER = 2;

void RoundRectWithPen(CDC* pDC, const CRect& rc, COLORREF crPen)
{
    CPen pen(PS_SOLID, 1, crPen);
    HGDIOBJ hOld = pDC->SelectObject(pen.m_hObject);
    pDC->RoundRect(rc.left, rc.top, rc.right, rc.bottom, CORNER, CORNER);
    pDC->SelectObject(hOld);
}
}

void DrawTouchFrame(CDC* pDC, CRect rc, const CTouchLook& look)
{
    if (look.bHover && look.bFocus)
    {
        RoundRectWithPen(pDC, rc, look.crHover);
        rc.InflateRect(-1, -1);
        RoundRectWithPen(pDC, rc, look.crFocus);
    }
    else if (look.bHover || look.bAlwaysBorder)
    {
        rc.InflateRect(-1, -1);
        RoundRectWithPen(pDC, rc, look.crNormal);
    }
}

void DrawTouchLook(CWnd* pWnd, const CTouchLook& look)
{
    CClientDC dc(pWnd);
    if (!dc.GetSafeHdc())
        return;
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    int cx = rcWindow.Width(), cy = rcWindow.Height();
    // The window's origin in client coordinates: (0, 0) without a non-client border.
    CPoint ptOrigin(rcWindow.left, rcWindow.top);
    pWnd->ScreenToClient(&ptOrigin);
    CRect rc = look.bWindowCoordinates ? CRect(0, 0, cx, cy) : CRect(ptOrigin.x, ptOrigin.y, ptOrigin.x + cx, ptOrigin.y + cy);

    CDC dcMem;
    CBitmap bitmap;
    if (cx <= 0 || cy <= 0 || !dcMem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, cx, cy))
        return;
    HGDIOBJ hOldBitmap = dcMem.SelectObject(bitmap.m_hObject);
    CBrush brBack(look.crBack);
    dcMem.FillRect(&rc, &brBack);
    dcMem.SetBkColor(look.crBack);

    // The frame's inside is filled with the background too.
    HGDIOBJ hOldBrush = dcMem.SelectObject(brBack.m_hObject);
    DrawTouchFrame(&dcMem, rc, look);
    dcMem.SelectObject(hOldBrush);

    if (look.bTriangle && look.bHover)
    {
        // Fixed heights: the triangle sits in the first text line whatever the control's height.
        CBrush brTriangle(TRIANGLE_GREY);
        HGDIOBJ hOld = dcMem.SelectObject(brTriangle.m_hObject);
        dcMem.BeginPath();
        dcMem.MoveTo(rc.right - 16, 8);
        dcMem.LineTo(rc.right - 6, 8);
        dcMem.LineTo(rc.right - 11, 14);
        dcMem.LineTo(rc.right - 16, 8);
        dcMem.EndPath();
        dcMem.FillPath();
        dcMem.SelectObject(hOld);
    }

    CString strText;
    pWnd->GetWindowText(strText);
    if (look.bPassword)
        for (int n = 0; n < strText.GetLength(); n++)
            strText.SetAt(n, L'*');
    HGDIOBJ hOldFont = NULL;
    if (HGDIOBJ hFont = (HGDIOBJ)pWnd->SendMessage(WM_GETFONT))
        hOldFont = dcMem.SelectObject(hFont);
    CRect rcText = rc;
    rcText.OffsetRect(look.ptText);
    dcMem.DrawText(strText, &rcText, look.nTextFormat);
    if (hOldFont)
        dcMem.SelectObject(hOldFont);

    CPoint ptDest = look.bWindowCoordinates ? ptOrigin : CPoint(0, 0);
    dc.BitBlt(ptDest.x, ptDest.y, cx, cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(hOldBitmap);
}

void DrawTouchText(CWnd* pWnd, CDC* pDC, CRect rc)
{
    CString strText;
    pWnd->GetWindowText(strText);
    HGDIOBJ hOldFont = NULL;
    if (HGDIOBJ hFont = (HGDIOBJ)pWnd->SendMessage(WM_GETFONT))
        hOldFont = pDC->SelectObject(hFont);
    rc.OffsetRect(3, 3);
    pDC->DrawText(strText, &rc, 0);
    if (hOldFont)
        pDC->SelectObject(hOldFont);
}

void TrackMouseLeave(HWND hWnd)
{
    TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, hWnd, 0 };
    ::_TrackMouseEvent(&tme);
}
