#include <KorvoSkin/CSkinTree.h>
#include "CSkinTreeMetrics.h"
#include "CSkinTreePainter.h"
#include "../parts/CBufferedPaint.h"
#include "../parts/CWindowDpi.h"
#include "../parts/CGdiSelect.h"
#include "../theme/CMenuSkinner.h"
#include "ControlTheme.h"

// The module this code is linked into holds the library's resources.
extern "C" IMAGE_DOS_HEADER __ImageBase;

IMPLEMENT_DYNAMIC(CSkinTree, CTreeCtrl)

BEGIN_MESSAGE_MAP(CSkinTree, CTreeCtrl)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGW, OnTvnItemexpanding)
    ON_WM_HSCROLL()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CSkinTree::CSkinTree()
    : m_bGradientHorz(true), m_BkMode(BkModeSolid), m_bBitmapTiled(false), m_pImageListEx(NULL),
      m_pMetrics(std::make_unique<CSkinTreeMetrics>())
{
}

CSkinTree::~CSkinTree()
{
}

void CSkinTree::SetBitmapID(UINT nID)
{
    m_bitmap.DeleteObject();
    HBITMAP hBitmap = ::LoadBitmapW(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEW(nID));
    if (hBitmap)
        m_bitmap.Attach(hBitmap);
}

BOOL CSkinTree::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSkinTree::OnPaint()
{
    // A window whose DPI was set before the tree was told of it: refitted before the paint,
    // which then covers the whole tree.
    m_pMetrics->FollowDpi(*this);
    CPaintDC dc(this);
    GetClientRect(&m_rcClient);
    SCROLLINFO info = {};
    m_ptOrigin.x = GetScrollInfo(SB_HORZ, &info, SIF_RANGE | SIF_POS) ? -info.nPos : m_rcClient.left;
    m_ptOrigin.y = GetScrollInfo(SB_VERT, &info, SIF_RANGE | SIF_POS) ? -info.nPos : m_rcClient.top;

    if (m_rcClient.IsRectEmpty())
        return;
    CBufferedPaint paint(m_pMetrics->Buffer(), &dc, m_rcClient);
    CDC* pDC = paint.GetDC();
    CGdiSelect font(pDC->m_hDC, m_pMetrics->Font(*this));
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CSkinTreePainter painter(*this, m_rcClient, m_ptOrigin);
    painter.DrawBackground(pDC, m_BkMode, (HBITMAP)m_bitmap.m_hObject, m_bBitmapTiled, m_bGradientHorz);
    painter.DrawItems(pDC, m_pImageListEx);
    pDC->SetBkMode(nOldMode);
}

void CSkinTree::OnTvnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWW* pInfo = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    // The bitmap moves with the rows below the item, so all of it is drawn again.
    if (m_BkMode == BkModeBitmap && CSkinTreePainter::ItemIsVisible(*this, pInfo->itemNew.hItem))
        Invalidate(FALSE);
    *pResult = 0;
}

void CSkinTree::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // The background moves with the scroll origin.
    Invalidate(FALSE);
    CTreeCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CSkinTree::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CTreeCtrl::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    ControlTheme::Menus().PrepareMenu(pPopupMenu);
}

void CSkinTree::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU)
        ControlTheme::Menus().MeasureItem(lpMeasureItemStruct);
    else
        CTreeCtrl::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CSkinTree::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
        ControlTheme::Menus().DrawItem(lpDrawItemStruct);
    else
        CTreeCtrl::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

LRESULT CSkinTree::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    m_pMetrics->FollowDpi(*this);
    return 0;
}
