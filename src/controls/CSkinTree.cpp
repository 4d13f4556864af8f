#include <KorvoSkin/CSkinTree.h>
#include "CSkinTreeLook.h"
#include "CSkinTreePainter.h"
#include "../parts/CWindowDpi.h"
#include "../theme/CMenuSkinner.h"
#include "ControlTheme.h"

// The module this code is linked into holds the library's resources.
extern "C" IMAGE_DOS_HEADER __ImageBase;

IMPLEMENT_DYNAMIC(CSkinTree, CTreeCtrl)

BEGIN_MESSAGE_MAP(CSkinTree, CTreeCtrl)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGW, OnTvnItemexpanding)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDINGA, OnTvnItemexpanding)
    ON_WM_HSCROLL()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CSkinTree::CSkinTree() : m_pLook(std::make_unique<CSkinTreeLook>())
{
}

CSkinTree::~CSkinTree()
{
}

CSkinTree::BkMode CSkinTree::GetBkMode() const
{
    return m_pLook->m_mode;
}

void CSkinTree::SetBkMode(BkMode mode)
{
    m_pLook->m_mode = mode;
}

bool CSkinTree::GetBitmapTiledMode() const
{
    return m_pLook->m_bBitmapTiled;
}

void CSkinTree::SetBitmapTiledMode(bool bTiled)
{
    m_pLook->m_bBitmapTiled = bTiled;
}

bool CSkinTree::GetGradientHorz() const
{
    return m_pLook->m_bGradientHorz;
}

void CSkinTree::SetGradientHorz(bool bHorz)
{
    m_pLook->m_bGradientHorz = bHorz;
}

void CSkinTree::SetImageListEx(CImageList* pImageList)
{
    m_pLook->m_pImageListEx = pImageList;
}

void CSkinTree::SetBitmapID(UINT nID)
{
    m_pLook->m_bitmap.DeleteObject();
    HBITMAP hBitmap = ::LoadBitmapW(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEW(nID));
    if (hBitmap)
        m_pLook->m_bitmap.Attach(hBitmap);
}

BOOL CSkinTree::HasBitmap() const
{
    return m_pLook->m_bitmap.m_hObject != NULL;
}

BOOL CSkinTree::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSkinTree::OnPaint()
{
    // A window whose DPI was set before the tree was told of it: refitted before the paint,
    // which then covers the whole tree.
    m_pLook->m_metrics.FollowDpi(*this);
    CPaintDC dc(this);
    m_pLook->Paint(*this, dc);
}

BOOL CSkinTree::OnTvnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWW* pInfo = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    // The bitmap moves with the rows below the item, so all of it is drawn again.
    if (m_pLook->m_mode == BkModeBitmap && CSkinTreePainter::ItemIsVisible(*this, pInfo->itemNew.hItem))
        Invalidate(FALSE);
    *pResult = 0;
    // The parent decides whether the item expands.
    return FALSE;
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
    m_pLook->m_metrics.FollowDpi(*this);
    return 0;
}
