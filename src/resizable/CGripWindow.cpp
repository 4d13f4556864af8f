#include "CGripWindow.h"
#include "CGripSeeThrough.h"

namespace
{
CSize SystemGripSize()
{
    return CSize(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
}

// Cuts the grip to its lower-right triangle, or gives it its whole rectangle back.
void ApplyTriangle(CWnd& grip, BOOL bTriangle)
{
    BOOL bRedraw = grip.IsWindowVisible();
    if (!bTriangle)
    {
        grip.SetWindowRgn(NULL, bRedraw);
        return;
    }
    CRect rect;
    grip.GetWindowRect(&rect);
    POINT points[3] = { { 0, rect.Height() }, { rect.Width(), rect.Height() }, { rect.Width(), 0 } };
    CRgn rgn;
    if (rgn.CreatePolygonRgn(points, 3, WINDING) && grip.SetWindowRgn((HRGN)rgn.m_hObject, bRedraw))
        rgn.Detach(); // the window owns it now
}
}

BEGIN_MESSAGE_MAP(CGripWindow, CScrollBar)
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_WM_SETTINGCHANGE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CGripWindow::CGripWindow() : m_szGrip(0, 0), m_bTriangleShape(FALSE)
{
}

CGripWindow::~CGripWindow()
{
}

BOOL CGripWindow::Create(CWnd* pParentWnd)
{
    m_szGrip = SystemGripSize();
    CRect rect(0, 0, m_szGrip.cx, m_szGrip.cy);
    return CScrollBar::Create(WS_CHILD | WS_CLIPSIBLINGS | SBS_SIZEGRIP, rect, pParentWnd, 0);
}

void CGripWindow::EnableTriangle(BOOL bEnable)
{
    m_bTriangleShape = bEnable;
    if (m_hWnd)
        ApplyTriangle(*this, m_bTriangleShape);
}

void CGripWindow::EnableSeeThrough(BOOL bEnable)
{
    if (bEnable && !m_pSeeThrough && m_hWnd)
        m_pSeeThrough = CGripSeeThrough::Create(*this, m_szGrip);
    else if (!bEnable)
        m_pSeeThrough.reset();
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
    m_szGrip = SystemGripSize();
    if (m_pSeeThrough && !m_pSeeThrough->Resize(*this, m_szGrip))
        m_pSeeThrough.reset();

    // The bottom-right corner stays flush with where it was.
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&rect);
    MoveWindow(rect.right - m_szGrip.cx, rect.bottom - m_szGrip.cy, m_szGrip.cx, m_szGrip.cy, TRUE);
    // The shape follows the new size.
    if (m_bTriangleShape)
        ApplyTriangle(*this, TRUE);
}

void CGripWindow::OnPaint()
{
    if (!m_pSeeThrough)
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    m_pSeeThrough->Paint(*this, &dc);
}

void CGripWindow::OnDestroy()
{
    EnableSeeThrough(FALSE);
    Default();
}
