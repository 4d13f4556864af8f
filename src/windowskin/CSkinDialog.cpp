#include <KorvoSkin/CSkinDialog.h>
#include "CWindowSkin.h"
#include "CSkinDialogFrame.h"
#include "CDialogColours.h"
#include "CAccessibleProxy.h"
#include "../skin/CSkinContext.h"
#include "../theme/CInterfaceTheme.h"
#include "../parts/CWindowDpi.h"

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
    ON_WM_CTLCOLOR()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_CREATE()
    ON_WM_NCDESTROY()
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
END_MESSAGE_MAP()

// Edges closer than this to the work area's edges are pulled onto them.
const int SNAP_DISTANCE = 6;

// The rectangle a WM_DPICHANGED points at, or null unless this process can read one there: any
// process can post the message with any number.
static const RECT* ReadableRect(LPARAM lParam)
{
    const BYTE* pRect = (const BYTE*)lParam;
    MEMORY_BASIC_INFORMATION info = {};
    if (!pRect || !::VirtualQuery(pRect, &info, sizeof(info)) || info.State != MEM_COMMIT
        || (info.Protect & (PAGE_NOACCESS | PAGE_GUARD)) || pRect + sizeof(RECT) > (const BYTE*)info.BaseAddress + info.RegionSize)
        return NULL;
    return (const RECT*)pRect;
}

CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CResizableDialog(nIDTemplate, pParentWnd), m_pFrame(new CSkinDialogFrame(*this, CSkinContext::Default()))
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
    if (m_pFrame->GetSkin())
        m_pFrame->GetSkin()->OnNcCalcSize(this, bCalcValidRects, lpncsp);
    else
        CResizableDialog::OnNcCalcSize(bCalcValidRects, lpncsp);
}

UINT CSkinDialog::OnNcHitTest(CPoint point)
{
    if (m_pFrame->GetSkin())
        return m_pFrame->GetSkin()->HitTest(this, point, (GetStyle() & WS_THICKFRAME) != 0);
    return CResizableDialog::OnNcHitTest(point);
}

BOOL CSkinDialog::OnNcActivate(BOOL bActive)
{
    if (!m_pFrame->GetSkin())
        return CResizableDialog::OnNcActivate(bActive);
    BOOL bState = IsWindowEnabled() && (bActive || (m_nFlags & WF_STAYACTIVE));
    m_pFrame->GetSkin()->OnNcActivate(this, m_pFrame->State(), bState);
    return TRUE;
}

void CSkinDialog::OnNcPaint()
{
    if (m_pFrame->GetSkin())
        m_pFrame->GetSkin()->OnNcPaint(this, m_pFrame->State());
    else
        CResizableDialog::OnNcPaint();
}

void CSkinDialog::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!m_pFrame->GetSkin() || !m_pFrame->GetSkin()->OnNcLButtonDown(this, m_pFrame->State(), nHitTest, point))
        CResizableDialog::OnNcLButtonDown(nHitTest, point);
}

void CSkinDialog::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (!m_pFrame->GetSkin() || !m_pFrame->GetSkin()->OnNcLButtonUp(this, m_pFrame->State(), nHitTest, point))
        CResizableDialog::OnNcLButtonUp(nHitTest, point);
}

void CSkinDialog::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (!m_pFrame->GetSkin() || !m_pFrame->GetSkin()->OnNcLButtonDblClk(this, nHitTest, point))
        CResizableDialog::OnNcLButtonDblClk(nHitTest, point);
}

void CSkinDialog::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (m_pFrame->GetSkin())
        m_pFrame->GetSkin()->OnNcMouseMove(this, m_pFrame->State(), nHitTest, point);
    CResizableDialog::OnNcMouseMove(nHitTest, point);
}

LRESULT CSkinDialog::OnNcMouseLeave(WPARAM, LPARAM)
{
    if (m_pFrame->GetSkin())
        m_pFrame->GetSkin()->OnNcMouseLeave(this, m_pFrame->State());
    return Default();
}

void CSkinDialog::OnSize(UINT nType, int cx, int cy)
{
    if (m_pFrame->GetSkin())
        m_pFrame->GetSkin()->ApplyRegion(this);
    CResizableDialog::OnSize(nType, cx, cy);
}

BOOL CSkinDialog::OnEraseBkgnd(CDC* pDC)
{
    if (m_pFrame->GetSkin() && m_pFrame->GetSkin()->PaintWatermark(this, pDC))
        return TRUE;
    return CResizableDialog::OnEraseBkgnd(pDC);
}

LRESULT CSkinDialog::OnSetText(WPARAM wParam, LPARAM lParam)
{
    if (!m_pFrame->GetSkin())
        return DefWindowProc(WM_SETTEXT, wParam, lParam);
    // The default processing paints the system caption of a visible window; hidden, it only
    // stores the text, and the skin repaints its own caption strip.
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisible)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, GetStyle() & ~WS_VISIBLE);
    LRESULT lResult = DefWindowProc(WM_SETTEXT, wParam, lParam);
    if (bVisible)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, GetStyle() | WS_VISIBLE);
    m_pFrame->GetSkin()->OnSetText(this, m_pFrame->State());
    return lResult;
}

HBRUSH CSkinDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hBrush = CResizableDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (!m_pFrame->GetSkin())
        return hBrush;
    return m_pFrame->Colours().ForChild(this, pDC, pWnd, nCtlColor, m_pFrame->GetSkin(), &m_pFrame->State(), hBrush);
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

int CSkinDialog::OnCreate(LPCREATESTRUCTW lpCreateStruct)
{
    return CResizableDialog::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CSkinDialog::OnNcDestroy()
{
    CWindowDpi::Forget(m_hWnd);
    // The window is past painting; the framework may delete the dialog in the call below.
    m_pFrame->Release();
    CResizableDialog::OnNcDestroy();
}

LRESULT CSkinDialog::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (CAccessibleQuery* pQuery = CAccessibleQuery::Of(m_hWnd, wParam, lParam))
    {
        if (pQuery->idObject == OBJID_TITLEBAR)
            return m_pFrame->GetSkin() && m_pFrame->GetSkin()->DescribeTitleBar(this, m_pFrame->State(), *pQuery);
        if (pQuery->idObject != OBJID_CLIENT || pQuery->idChild != CHILDID_SELF)
            return FALSE;
        pQuery->nRole = ROLE_SYSTEM_DIALOG;
        return TRUE;
    }
    // The title bar is the skin's only while there is one; otherwise the system's.
    LRESULT lResult = CAccessibleProxy::Serve(m_hWnd, wParam, lParam, OBJID_CLIENT);
    if (!lResult && m_pFrame->GetSkin())
        lResult = CAccessibleProxy::Serve(m_hWnd, wParam, lParam, OBJID_TITLEBAR);
    return lResult ? lResult : Default();
}

LRESULT CSkinDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    const UINT nOldDpi = CWindowDpi::Of(m_hWnd);
    const UINT nNewDpi = CDpiScale::Bound(LOWORD(wParam));
    if (!CWindowDpi::Remember(m_hWnd, nNewDpi))
        return Default();
    if (nNewDpi != nOldDpi)
    {
        ScaleLayout(nOldDpi, nNewDpi);
        ScaleTrackSizes(nOldDpi, nNewDpi);
    }
    // Embedded pages, bars and controls follow the window.
    CWindowDpi::TellChildren(m_hWnd);

    // The frame, the region, the children's places and the caption are all redone with redraw
    // off, then painted once.
    const BOOL bVisible = IsWindowVisible();
    if (bVisible)
        SetRedraw(FALSE);
    const RECT* pSuggested = ReadableRect(lParam);
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (pSuggested && !IsIconic() && !IsZoomed())
        SetWindowPos(NULL, pSuggested->left, pSuggested->top, pSuggested->right - pSuggested->left,
                     pSuggested->bottom - pSuggested->top, nFlags);
    else
        SetWindowPos(NULL, 0, 0, 0, 0, nFlags | SWP_NOMOVE | SWP_NOSIZE);
    if (m_pFrame->GetSkin())
        m_pFrame->GetSkin()->ApplyRegion(this);
    ArrangeLayout();
    if (bVisible)
    {
        SetRedraw(TRUE);
        RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return 0;
}
