#include <KorvoSkin/CSkinTree.h>
#include "CSkinTreePainter.h"
#include "../theme/CMenuSkinner.h"

// The module this code is linked into holds the library's resources.
extern "C" IMAGE_DOS_HEADER __ImageBase;

IMPLEMENT_DYNAMIC(CSkinTree, CTreeCtrl)

BEGIN_MESSAGE_MAP(CSkinTree, CTreeCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGW, OnTvnItemexpanding)
    ON_WM_HSCROLL()
    ON_WM_INITMENUPOPUP()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CSkinTree::CSkinTree() : m_bGradientHorz(true), m_BkMode(BkModeSolid), m_bBitmapTiled(false), m_pImageListEx(NULL)
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
    CPaintDC dc(this);
    GetClientRect(&m_rcClient);
    SCROLLINFO info = {};
    m_ptOrigin.x = GetScrollInfo(SB_HORZ, &info, SIF_RANGE | SIF_POS) ? -info.nPos : m_rcClient.left;
    m_ptOrigin.y = GetScrollInfo(SB_VERT, &info, SIF_RANGE | SIF_POS) ? -info.nPos : m_rcClient.top;

    CDC dcMem;
    CBitmap bitmap;
    if (!dcMem.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, m_rcClient.Width(), m_rcClient.Height()))
        return;
    HGDIOBJ hOldBitmap = dcMem.SelectObject(bitmap.m_hObject);
    HGDIOBJ hOldFont = dcMem.SelectObject((HGDIOBJ)SendMessage(WM_GETFONT));
    int nOldMode = dcMem.SetBkMode(TRANSPARENT);

    CSkinTreePainter painter(*this, m_rcClient, m_ptOrigin);
    painter.DrawBackground(&dcMem, m_BkMode, (HBITMAP)m_bitmap.m_hObject, m_bBitmapTiled, m_bGradientHorz);
    painter.DrawItems(&dcMem, m_pImageListEx);

    dc.BitBlt(0, 0, m_rcClient.Width(), m_rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SetBkMode(nOldMode);
    if (hOldFont)
        dcMem.SelectObject(hOldFont);
    dcMem.SelectObject(hOldBitmap);
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
    g_MenuSkinner.PrepareMenu(pPopupMenu);
}

void CSkinTree::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU)
        g_MenuSkinner.MeasureItem(lpMeasureItemStruct);
    else
        CTreeCtrl::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CSkinTree::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
        g_MenuSkinner.DrawItem(lpDrawItemStruct);
    else
        CTreeCtrl::OnDrawItem(nIDCtl, lpDrawItemStruct);
}
