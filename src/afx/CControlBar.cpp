#include "CControlBar.h"
#include "AfxMsgMap.h"
#include "CDC.h"
#include "CFrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(2), m_cyBottomBorder(2), m_dwStyle(0), m_hWndOwner(NULL)
{
}

CControlBar::~CControlBar()
{
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    const int cxEdge = 2 * ::GetSystemMetrics(SM_CXBORDER), cyEdge = 2 * ::GetSystemMetrics(SM_CYBORDER);
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += cxEdge;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += cyEdge;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cxEdge;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cyEdge;
    if (bHorz)
    {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect rc(0, 0, 0, 0);
    CalcInsideRect(rc, bHorz);
    CSize size(-rc.Width(), -rc.Height());
    if (bStretch && bHorz)
        size.cx = 32767;
    else if (bStretch)
        size.cy = 32767;
    return size;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    CBarLayout::DockBar(this, (AFX_SIZEPARENTPARAMS*)lParam);
    return 0;
}

CWnd* CControlBar::GetOwner() const
{
    if (m_hWndOwner && ::IsWindow(m_hWndOwner))
        return CWnd::FromHandle(m_hWndOwner);
    return GetParent();
}

void CControlBar::DoPaint(CDC* pDC)
{
    // The edges the bar style asks for, as a raised line.
    CRect rc;
    GetClientRect(&rc);
    const COLORREF crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT), crDark = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), crLight);
    if (m_dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, crLight);
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), crDark);
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, crDark);
}

INT_PTR CControlBar::OnToolHitTest(CPoint, TOOLINFOW*) const
{
    return -1;
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC*)
{
    // DoPaint covers the whole client area.
    return TRUE;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    // A frame owner is the update target; any other owner is reached through the bar itself.
    CWnd* pOwner = GetOwner();
    CFrameWnd* pFrame = pOwner && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pOwner) : NULL;
    OnUpdateCmdUI(pFrame, (BOOL)wParam);
    return 0;
}

void AfxIdleUpdateCmdUI(HWND hWndTop)
{
    if (!hWndTop || !::IsWindow(hWndTop) || !::IsWindowVisible(hWndTop))
        return;
    ::SendMessageW(hWndTop, WM_IDLEUPDATECMDUI, TRUE, 0);
    CWnd::FromHandle(hWndTop)->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
}
