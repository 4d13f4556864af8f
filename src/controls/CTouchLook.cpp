#include "CTouchLook.h"

namespace
{
const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF TRIANGLE_GREY = RGB(200, 200, 200);
const int CORNER = 2;

// Text in the window's own font.
void DrawWindowText(CWnd* pWnd, CDC* pDC, const CString& strText, CRect rc, UINT nFormat)
{
    HGDIOBJ hOldFont = NULL;
    if (HGDIOBJ hFont = (HGDIOBJ)pWnd->SendMessage(WM_GETFONT))
        hOldFont = pDC->SelectObject(hFont);
    pDC->DrawText(strText, &rc, nFormat);
    if (hOldFont)
        pDC->SelectObject(hOldFont);
}

void RoundRectWithPen(CDC* pDC, const CRect& rc, COLORREF crPen)
{
    CPen pen(PS_SOLID, 1, crPen);
    HGDIOBJ hOld = pDC->SelectObject(pen.m_hObject);
    pDC->RoundRect(rc.left, rc.top, rc.right, rc.bottom, CORNER, CORNER);
    pDC->SelectObject(hOld);
}
}

CTouchLook::CTouchLook(Kind kind)
    : m_kind(kind), m_crNormal(RGB(189, 189, 189)), m_crHover(RGB(96, 200, 253)), m_crFocus(RGB(58, 146, 199)),
      m_crBack(WHITE), m_bFocus(false), m_bHover(false), m_bAlwaysBorder(false)
{
}

void CTouchLook::SetFocus(CWnd* pWnd, bool bFocus)
{
    if (m_bFocus == bFocus)
        return;
    m_bFocus = bFocus;
    Draw(pWnd);
}

void CTouchLook::MouseMove(CWnd* pWnd)
{
    if (m_bHover)
        return;
    m_bHover = true;
    Draw(pWnd);
    TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, pWnd->m_hWnd, 0 };
    ::_TrackMouseEvent(&tme);
}

void CTouchLook::MouseLeave(CWnd* pWnd)
{
    m_bHover = false;
    Draw(pWnd);
}

void CTouchLook::DrawFrame(CDC* pDC, CRect rc, const CRect& rcVisible) const
{
    if (m_bHover && m_bFocus)
    {
        RoundRectWithPen(pDC, rc, m_crHover);
        rc.InflateRect(-1, -1);
        RoundRectWithPen(pDC, rc, m_crFocus);
    }
    else if (m_bFocus)
    {
        // The focus shows without the pointer too, the keyboard user's only sign of it: inside
        // the client area, where a border of the system's would hide it.
        rc.IntersectRect(&rc, &rcVisible);
        rc.InflateRect(-1, -1);
        RoundRectWithPen(pDC, rc, m_crFocus);
    }
    else if (m_bHover || m_bAlwaysBorder)
    {
        rc.InflateRect(-1, -1);
        RoundRectWithPen(pDC, rc, m_crNormal);
    }
}

void CTouchLook::DrawAlwaysFrame(CDC* pDC, const CRect& rc) const
{
    if (m_bAlwaysBorder)
        RoundRectWithPen(pDC, rc, m_crNormal);
}

void CTouchLook::Draw(CWnd* pWnd) const
{
    CClientDC dc(pWnd);
    if (!dc.GetSafeHdc())
        return;
    bool bEdit = m_kind == KindEdit;
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    int cx = rcWindow.Width(), cy = rcWindow.Height();
    // The window's origin in client coordinates: (0, 0) without a non-client border.
    CPoint ptOrigin(rcWindow.left, rcWindow.top);
    pWnd->ScreenToClient(&ptOrigin);
    CRect rc = bEdit ? CRect(0, 0, cx, cy) : CRect(ptOrigin.x, ptOrigin.y, ptOrigin.x + cx, ptOrigin.y + cy);

    CDC dcMem;
    CBitmap bitmap;
    if (cx <= 0 || cy <= 0 || !dcMem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, cx, cy))
        return;
    HGDIOBJ hOldBitmap = dcMem.SelectObject(bitmap.m_hObject);
    COLORREF crBack = bEdit ? m_crBack : WHITE;
    CBrush brBack(crBack);
    dcMem.FillRect(&rc, &brBack);
    dcMem.SetBkColor(crBack);

    // The frame's inside is filled with the background too.
    HGDIOBJ hOldBrush = dcMem.SelectObject(brBack.m_hObject);
    CRect rcVisible;
    pWnd->GetClientRect(&rcVisible);
    if (bEdit)
        rcVisible.OffsetRect(-ptOrigin.x, -ptOrigin.y);
    DrawFrame(&dcMem, rc, rcVisible);
    dcMem.SelectObject(hOldBrush);

    if (!bEdit && m_bHover)
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
    if (bEdit && (pWnd->GetStyle() & ES_PASSWORD))
        for (int n = 0; n < strText.GetLength(); n++)
            strText.SetAt(n, L'*');
    DrawWindowText(pWnd, &dcMem, strText, rc + (bEdit ? CPoint(4, 3) : CPoint(3, 3)),
                   bEdit ? DT_EDITCONTROL | DT_WORDBREAK : 0);

    CPoint ptDest = bEdit ? ptOrigin : CPoint(0, 0);
    dc.BitBlt(ptDest.x, ptDest.y, cx, cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(hOldBitmap);
}

void DrawTouchText(CWnd* pWnd, CDC* pDC, CRect rc)
{
    CString strText;
    pWnd->GetWindowText(strText);
    DrawWindowText(pWnd, pDC, strText, rc + CPoint(3, 3), 0);
}
