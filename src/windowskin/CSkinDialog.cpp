#include <KorvoSkin/CSkinDialog.h>
#include "CWindowSkin.h"
#include "CDialogColours.h"
#include "CAccessibleProxy.h"
#include "../skin/CSkinRegistry.h"
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

CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CResizableDialog(nIDTemplate, pParentWnd), m_pSkin(NULL)
{
}

CSkinDialog::~CSkinDialog()
{
    SetSkin(NULL);
}

void CSkinDialog::SetSkin(CWindowSkin* pSkin)
{
    // The registry listens only while there is a skin to take back; it has forgotten the
    // dialog when it told it its skin was going.
    if (pSkin && !m_pSkin)
        g_Registry.AddWindowSkinListener(this);
    else if (!pSkin && m_pSkin)
        g_Registry.RemoveWindowSkinListener(this);
    m_pSkin = pSkin;
}

void CSkinDialog::OnWindowSkinsDeleting()
{
    if (!m_hWnd)
    {
        m_pSkin = NULL;
        return;
    }
    const CRect rcOldFrame = GetFrameThickness();
    m_pSkin = NULL;
    ModifyStyle(0, WS_CAPTION);
    ChangeFrame(rcOldFrame);
}

BOOL CSkinDialog::SkinMe(LPCWSTR pszName, UINT nIconID)
{
    // Without a window there is no frame to replace.
    if (!::IsWindow(m_hWnd))
        return FALSE;
    const CRect rcOldFrame = GetFrameThickness();
    SetSkin(dynamic_cast<CWindowSkin*>(g_Registry.FindWindowSkin(pszName)));

    if (nIconID)
        SetSmallIcon(nIconID);

    if (m_pSkin)
        ModifyStyle(WS_CAPTION, 0);
    else
        ModifyStyle(0, WS_CAPTION);
    ChangeFrame(rcOldFrame);
    return m_pSkin != NULL;
}

CRect CSkinDialog::GetFrameThickness() const
{
    if (m_pSkin)
        return m_pSkin->GetFrameThickness(CWindowSkin::ScaleOf(this));
    CRect rc(0, 0, 0, 0);
    ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, GetExStyle());
    return CRect(-rc.left, -rc.top, rc.right, rc.bottom);
}

void CSkinDialog::ChangeFrame(const CRect& rcOldFrame)
{
    const CRect rcFrame = GetFrameThickness();
    const CSize change(rcFrame.left + rcFrame.right - rcOldFrame.left - rcOldFrame.right,
                       rcFrame.top + rcFrame.bottom - rcOldFrame.top - rcOldFrame.bottom);

    // The tracking sizes were taken with the old frame: moved with it they keep limiting the
    // client area as before, and the minimum cannot hold a thinner frame back.
    if (m_bMinTrackSet)
        m_ptMinTrack += change;
    if (m_bMaxTrackSet)
        m_ptMaxTrack += change;

    // A minimised or maximised dialog comes back to its normal rectangle later, which must
    // keep its client area too.
    const BOOL bIconic = IsIconic();
    if (bIconic || IsZoomed())
    {
        WINDOWPLACEMENT wp;
        wp.length = sizeof(wp);
        if (GetWindowPlacement(&wp))
        {
            wp.rcNormalPosition.right += change.cx;
            wp.rcNormalPosition.bottom += change.cy;
            wp.flags = 0;
            wp.showCmd = IsWindowVisible() ? SW_SHOWNA : SW_HIDE;
            SetWindowPlacement(&wp);
        }
    }

    CRect rc;
    GetClientRect(&rc);
    if (m_pSkin)
        m_pSkin->CalcFrame(&rc, FALSE, CWindowSkin::ScaleOf(this));
    else
        ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, GetExStyle());
    SetWindowRgn(NULL, FALSE);
    SetWindowPos(NULL, 0, 0, rc.Width(), rc.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | (bIconic ? SWP_NOSIZE : 0));
    if (m_pSkin)
        m_pSkin->ApplyRegion(this);
}

void CSkinDialog::SetSmallIcon(UINT nIconID)
{
    // The theme hands out a new icon on every call; the dialog keeps the one it shows and
    // destroys it when it takes another or when the window goes. An icon the host set is the
    // host's own and stays.
    HICON hIcon = g_Theme.GetIcon(nIconID, SIZE_CODE_16);
    if (!hIcon)
        return;
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    m_pSmallIcon.reset(hIcon);
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
    if (m_pSkin)
        m_pSkin->OnNcCalcSize(this, bCalcValidRects, lpncsp);
    else
        CResizableDialog::OnNcCalcSize(bCalcValidRects, lpncsp);
}

UINT CSkinDialog::OnNcHitTest(CPoint point)
{
    if (m_pSkin)
        return m_pSkin->HitTest(this, point, (GetStyle() & WS_THICKFRAME) != 0);
    return CResizableDialog::OnNcHitTest(point);
}

BOOL CSkinDialog::OnNcActivate(BOOL bActive)
{
    if (!m_pSkin)
        return CResizableDialog::OnNcActivate(bActive);
    BOOL bState = IsWindowEnabled() && (bActive || (m_nFlags & WF_STAYACTIVE));
    m_pSkin->OnNcActivate(this, bState);
    return TRUE;
}

void CSkinDialog::OnNcPaint()
{
    if (m_pSkin)
        m_pSkin->OnNcPaint(this);
    else
        CResizableDialog::OnNcPaint();
}

void CSkinDialog::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!m_pSkin || !m_pSkin->OnNcLButtonDown(this, nHitTest, point))
        CResizableDialog::OnNcLButtonDown(nHitTest, point);
}

void CSkinDialog::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (!m_pSkin || !m_pSkin->OnNcLButtonUp(this, nHitTest, point))
        CResizableDialog::OnNcLButtonUp(nHitTest, point);
}

void CSkinDialog::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (!m_pSkin || !m_pSkin->OnNcLButtonDblClk(this, nHitTest, point))
        CResizableDialog::OnNcLButtonDblClk(nHitTest, point);
}

void CSkinDialog::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (m_pSkin)
        m_pSkin->OnNcMouseMove(this, nHitTest, point);
    CResizableDialog::OnNcMouseMove(nHitTest, point);
}

LRESULT CSkinDialog::OnNcMouseLeave(WPARAM, LPARAM)
{
    if (m_pSkin)
        m_pSkin->OnNcMouseLeave(this);
    return Default();
}

void CSkinDialog::OnSize(UINT nType, int cx, int cy)
{
    if (m_pSkin)
        m_pSkin->ApplyRegion(this);
    CResizableDialog::OnSize(nType, cx, cy);
}

BOOL CSkinDialog::OnEraseBkgnd(CDC* pDC)
{
    if (m_pSkin && m_pSkin->PaintWatermark(this, pDC))
        return TRUE;
    return CResizableDialog::OnEraseBkgnd(pDC);
}

LRESULT CSkinDialog::OnSetText(WPARAM wParam, LPARAM lParam)
{
    if (!m_pSkin)
        return DefWindowProc(WM_SETTEXT, wParam, lParam);
    // The default processing paints the system caption of a visible window; hidden, it only
    // stores the text, and the skin repaints its own caption strip.
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisible)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, GetStyle() & ~WS_VISIBLE);
    LRESULT lResult = DefWindowProc(WM_SETTEXT, wParam, lParam);
    if (bVisible)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, GetStyle() | WS_VISIBLE);
    m_pSkin->OnSetText(this);
    return lResult;
}

HBRUSH CSkinDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hBrush = CResizableDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (!m_pSkin)
        return hBrush;
    return CDialogColours::ForChild(this, pDC, pWnd, nCtlColor, m_pSkin, hBrush);
}

void CSkinDialog::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CResizableDialog::OnWindowPosChanging(lpwndpos);
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
    SetSkin(NULL);
    CWindowDpi::Forget(m_hWnd);
    // The window is past painting; the framework may delete the dialog in the call below.
    m_pSmallIcon.reset();
    CResizableDialog::OnNcDestroy();
}

LRESULT CSkinDialog::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (CAccessibleQuery* pQuery = CAccessibleQuery::Of(wParam, lParam))
    {
        if (pQuery->idObject == OBJID_TITLEBAR)
            return m_pSkin && m_pSkin->DescribeTitleBar(this, *pQuery);
        if (pQuery->idObject != OBJID_CLIENT || pQuery->idChild != CHILDID_SELF)
            return FALSE;
        pQuery->nRole = ROLE_SYSTEM_DIALOG;
        return TRUE;
    }
    // The title bar is the skin's only while there is one; otherwise the system's.
    LRESULT lResult = CAccessibleProxy::Serve(m_hWnd, wParam, lParam, OBJID_CLIENT);
    if (!lResult && m_pSkin)
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
    // Embedded child pages follow the window; the system tells them only when it changed
    // the DPI itself, so the window tells them in every case (a second notice changes nothing).
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::SendMessageW(hChild, WM_DPICHANGED_AFTERPARENT, 0, 0);

    // The frame, the region, the children's places and the caption are all redone with redraw
    // off, then painted once.
    const BOOL bVisible = IsWindowVisible();
    if (bVisible)
        SetRedraw(FALSE);
    const RECT* pSuggested = (const RECT*)lParam;
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (pSuggested && !IsIconic() && !IsZoomed())
        SetWindowPos(NULL, pSuggested->left, pSuggested->top, pSuggested->right - pSuggested->left,
                     pSuggested->bottom - pSuggested->top, nFlags);
    else
        SetWindowPos(NULL, 0, 0, 0, 0, nFlags | SWP_NOMOVE | SWP_NOSIZE);
    if (m_pSkin)
        m_pSkin->ApplyRegion(this);
    ArrangeLayout();
    if (bVisible)
    {
        SetRedraw(TRUE);
        RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return 0;
}
