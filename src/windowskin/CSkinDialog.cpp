#include <KorvoSkin/CSkinDialog.h>
#include "CSkinDialogFrame.h"
#include "../parts/CDwmAttributes.h"
#include "../parts/CWindowDpi.h"
#include "../skin/CSkinContext.h"
#include <oleacc.h>

IMPLEMENT_DYNAMIC(CSkinDialog, CResizableDialog)

BEGIN_MESSAGE_MAP(CSkinDialog, CResizableDialog)
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCACTIVATE()
    ON_WM_NCPAINT()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCMOUSEMOVE()
    ON_MESSAGE(WM_NCMOUSELEAVE, OnNcMouseLeave)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_SETICON, OnSetIcon)
    ON_WM_CTLCOLOR()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_CREATE()
    ON_WM_NCDESTROY()
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
    ON_MESSAGE(CDwmAttributes::COMPOSITION_CHANGED, OnDwmCompositionChanged)
END_MESSAGE_MAP()

// Edges closer than this to the work area's edges are pulled onto them.
const int SNAP_DISTANCE = 6;

CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CResizableDialog(nIDTemplate, pParentWnd), m_pFrame(CSkinDialogFrame::ForDialog(*this, CSkinContext::Default()))
{
}

CSkinDialog::~CSkinDialog()
{
}

BOOL CSkinDialog::SkinMe(LPCWSTR pszName, UINT nIconID)
{
    return m_pFrame->SkinMe(pszName, nIconID);
}

BOOL CSkinDialog::OnInitDialog()
{
    CResizableDialog::OnInitDialog();
    return TRUE;
}

BOOL CSkinDialog::PreTranslateMessage(MSG* pMsg)
{
    return CResizableDialog::PreTranslateMessage(pMsg);
}

void CSkinDialog::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!m_pFrame->OnNcCalcSize(bCalcValidRects, lpncsp))
        CResizableDialog::OnNcCalcSize(bCalcValidRects, lpncsp);
}

UINT CSkinDialog::OnNcHitTest(CPoint point)
{
    UINT nHitTest = HTNOWHERE;
    return m_pFrame->OnNcHitTest(point, nHitTest) ? nHitTest : CResizableDialog::OnNcHitTest(point);
}

BOOL CSkinDialog::OnNcActivate(BOOL bActive)
{
    return m_pFrame->OnNcActivate(bActive, (m_nFlags & WF_STAYACTIVE) != 0) || CResizableDialog::OnNcActivate(bActive);
}

void CSkinDialog::OnNcPaint()
{
    if (!m_pFrame->OnNcPaint())
        CResizableDialog::OnNcPaint();
}

void CSkinDialog::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!m_pFrame->OnNcLButtonDown(nHitTest, point))
        CResizableDialog::OnNcLButtonDown(nHitTest, point);
}

void CSkinDialog::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (!m_pFrame->OnNcLButtonUp(nHitTest, point))
        CResizableDialog::OnNcLButtonUp(nHitTest, point);
}

void CSkinDialog::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (!m_pFrame->OnNcLButtonDblClk(nHitTest, point))
        CResizableDialog::OnNcLButtonDblClk(nHitTest, point);
}

void CSkinDialog::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    m_pFrame->OnNcMouseMove(nHitTest, point);
    CResizableDialog::OnNcMouseMove(nHitTest, point);
}

LRESULT CSkinDialog::OnNcMouseLeave(WPARAM, LPARAM)
{
    m_pFrame->OnNcMouseLeave();
    return Default();
}

void CSkinDialog::OnSize(UINT nType, int cx, int cy)
{
    m_pFrame->OnSize();
    CResizableDialog::OnSize(nType, cx, cy);
}

BOOL CSkinDialog::OnEraseBkgnd(CDC* pDC)
{
    return m_pFrame->OnEraseBkgnd(pDC) || CResizableDialog::OnEraseBkgnd(pDC);
}

LRESULT CSkinDialog::OnSetText(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    return m_pFrame->OnSetText(wParam, lParam, lResult) ? lResult : DefWindowProc(WM_SETTEXT, wParam, lParam);
}

LRESULT CSkinDialog::OnSetIcon(WPARAM, LPARAM)
{
    m_pFrame->OnSetIcon();
    return Default();
}

HBRUSH CSkinDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return m_pFrame->OnCtlColor(pDC, pWnd, nCtlColor, CResizableDialog::OnCtlColor(pDC, pWnd, nCtlColor));
}

void CSkinDialog::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CResizableDialog::OnWindowPosChanging(lpwndpos);
    // A maximised window's place is its monitor's; snapping would undo what it leaves free.
    if (IsZoomed() || IsIconic())
        return;
    MONITORINFO info = { sizeof(info) };
    if (!::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &info))
        return;
    // A move alone carries no size: its far edges are those of the window as it is.
    CSize size(lpwndpos->cx, lpwndpos->cy);
    if (lpwndpos->flags & SWP_NOSIZE)
    {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        size = rcWindow.Size();
    }
    const RECT& rcWork = info.rcWork;
    if (abs(lpwndpos->x - rcWork.left) < SNAP_DISTANCE)
        lpwndpos->x = rcWork.left;
    if (abs(lpwndpos->y - rcWork.top) < SNAP_DISTANCE)
        lpwndpos->y = rcWork.top;
    if (abs(lpwndpos->x + size.cx - rcWork.right) < SNAP_DISTANCE)
        lpwndpos->x = rcWork.right - size.cx;
    if (abs(lpwndpos->y + size.cy - rcWork.bottom) < SNAP_DISTANCE)
        lpwndpos->y = rcWork.bottom - size.cy;
}

void CSkinDialog::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CResizableDialog::OnWindowPosChanged(lpwndpos);
    m_pFrame->OnWindowPosChanged(lpwndpos ? lpwndpos->flags : 0);
}

int CSkinDialog::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    return CResizableDialog::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CSkinDialog::OnNcDestroy()
{
    // The window is past painting; the framework may delete the dialog in the call below.
    m_pFrame->OnNcDestroy();
    CResizableDialog::OnNcDestroy();
}

LRESULT CSkinDialog::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    return m_pFrame->OnGetObject(wParam, lParam, ROLE_SYSTEM_DIALOG);
}

LRESULT CSkinDialog::OnDwmCompositionChanged(WPARAM, LPARAM)
{
    m_pFrame->OnCompositionChanged();
    return Default();
}

LRESULT CSkinDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    return m_pFrame->OnDpiChanged(
        wParam, lParam,
        [this](UINT nOldDpi, UINT nNewDpi) {
            ScaleLayout(nOldDpi, nNewDpi);
            ScaleTrackSizes(nOldDpi, nNewDpi);
        },
        [this] { ArrangeLayout(); });
}
