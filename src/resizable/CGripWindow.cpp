#include <KorvoSkin/CGripWindow.h>

BEGIN_MESSAGE_MAP(CGripWindow, CScrollBar)
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_WM_SETTINGCHANGE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CGripWindow::CGripWindow() : m_bTriangleShape(FALSE), m_bSeeThrough(FALSE)
{
}

CGripWindow::~CGripWindow()
{
    ReleaseSeeThrough();
}

void CGripWindow::ReadGripSize()
{
    m_szGrip = CSize(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
}

BOOL CGripWindow::Create(CWnd* pParentWnd)
{
    ReadGripSize();
    CRect rect(0, 0, m_szGrip.cx, m_szGrip.cy);
    return CScrollBar::Create(WS_CHILD | WS_CLIPSIBLINGS | SBS_SIZEGRIP, rect, pParentWnd, 0);
}

void CGripWindow::ApplyTriangle()
{
    BOOL bRedraw = IsWindowVisible();
    if (!m_bTriangleShape)
    {
        SetWindowRgn(NULL, bRedraw);
        return;
    }
    CRect rect;
    GetWindowRect(&rect);
    POINT points[3] = { { 0, rect.Height() }, { rect.Width(), rect.Height() }, { rect.Width(), 0 } };
    CRgn rgn;
    if (rgn.CreatePolygonRgn(points, 3, WINDING) && SetWindowRgn((HRGN)rgn.m_hObject, bRedraw))
        rgn.Detach(); // the window owns it now
}

void CGripWindow::EnableTriangle(BOOL bEnable)
{
    m_bTriangleShape = bEnable;
    if (m_hWnd)
        ApplyTriangle();
}

BOOL CGripWindow::CreateGripBitmaps()
{
    m_bmpGripImage.DeleteObject();
    m_bmpGripMask.DeleteObject();
    CClientDC dc(this);
    return m_bmpGripImage.CreateCompatibleBitmap(&dc, m_szGrip.cx, m_szGrip.cy)
        && m_bmpGripMask.CreateBitmap(m_szGrip.cx, m_szGrip.cy, 1, 1, NULL);
}

void CGripWindow::ReleaseSeeThrough()
{
    m_dcGripImage.DeleteDC();
    m_dcGripMask.DeleteDC();
    m_bmpGripImage.DeleteObject();
    m_bmpGripMask.DeleteObject();
    m_bSeeThrough = FALSE;
}

void CGripWindow::EnableSeeThrough(BOOL bEnable)
{
    if (bEnable && !m_bSeeThrough && m_hWnd)
    {
        CClientDC dc(this);
        m_bSeeThrough = m_dcGripImage.CreateCompatibleDC(&dc) && m_dcGripMask.CreateCompatibleDC(&dc)
            && CreateGripBitmaps();
        if (!m_bSeeThrough)
            ReleaseSeeThrough();
    }
    else if (!bEnable && m_bSeeThrough)
        ReleaseSeeThrough();
}

UINT CGripWindow::OnNcHitTest(CPoint)
{
    // Dragging the grip sizes the parent from the corner the grip sits in.
    return (GetExStyle() & WS_EX_LAYOUTRTL) ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
}

LRESULT CGripWindow::OnGetDlgCode(WPARAM, LPARAM)
{
    return DLGC_STATIC;
}

void CGripWindow::OnSettingChange(UINT, LPCWSTR)
{
    Default();
    ReadGripSize();
    if (m_bSeeThrough && !CreateGripBitmaps())
        ReleaseSeeThrough();

    // The bottom-right corner stays flush with where it was.
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&rect);
    MoveWindow(rect.right - m_szGrip.cx, rect.bottom - m_szGrip.cy, m_szGrip.cx, m_szGrip.cy, TRUE);
    // The shape follows the new size.
    if (m_bTriangleShape)
        ApplyTriangle();
}

void CGripWindow::OnPaint()
{
    if (!m_bSeeThrough)
    {
        Default();
        return;
    }

    CPaintDC dc(this);
    int cx = m_szGrip.cx;
    int cy = m_szGrip.cy;
    HGDIOBJ hOldImage = m_dcGripImage.SelectObject(m_bmpGripImage.m_hObject);
    HGDIOBJ hOldMask = m_dcGripMask.SelectObject(m_bmpGripMask.m_hObject);

    // The control draws itself off screen; its background colour, read at the top-left corner
    // (outside the dots), becomes the mask's set bits.
    DefWindowProc(WM_PAINT, (WPARAM)m_dcGripImage.m_hDC, 0);
    m_dcGripImage.SetBkColor(m_dcGripImage.GetPixel(0, 0));
    m_dcGripMask.BitBlt(0, 0, cx, cy, &m_dcGripImage, 0, 0, SRCCOPY);
    // Destination AND NOT mask: the background of the image becomes black.
    m_dcGripImage.BitBlt(0, 0, cx, cy, &m_dcGripMask, 0, 0, 0x00220326);

    dc.BitBlt(0, 0, cx, cy, &m_dcGripMask, 0, 0, SRCAND);
    dc.BitBlt(0, 0, cx, cy, &m_dcGripImage, 0, 0, SRCPAINT);

    m_dcGripImage.SelectObject(hOldImage);
    m_dcGripMask.SelectObject(hOldMask);
}

void CGripWindow::OnDestroy()
{
    EnableSeeThrough(FALSE);
    Default();
}
