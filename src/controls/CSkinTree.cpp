#include <KorvoSkin/CSkinTree.h>
#include "../theme/CInterfaceTheme.h"
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

namespace
{
// Each 8-bit channel goes into the high byte of the vertex's 16-bit channel.
TRIVERTEX Vertex(int x, int y, COLORREF cr)
{
    TRIVERTEX vertex = {};
    vertex.x = x;
    vertex.y = y;
    vertex.Red = (COLOR16)(GetRValue(cr) << 8);
    vertex.Green = (COLOR16)(GetGValue(cr) << 8);
    vertex.Blue = (COLOR16)(GetBValue(cr) << 8);
    return vertex;
}

void GradientFillRect(CDC* pDC, const CRect& rc, COLORREF crStart, COLORREF crEnd, bool bVertical)
{
    TRIVERTEX vertices[2] = { Vertex(rc.left, rc.top, crStart), Vertex(rc.right, rc.bottom, crEnd) };
    GRADIENT_RECT rect = { 0, 1 };
    ::GradientFill(pDC->m_hDC, vertices, 2, &rect, 1, bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

const COLORREF SELECTED_GROUP_TEXT = RGB(0, 0, 255);
const int ICON_OFFSET = 16;
}

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

bool CSkinTree::ItemIsVisible(HTREEITEM hItem)
{
    if (!hItem)
        return false;
    // A visible walk never revisits an item, so it ends within the tree's item count.
    for (HTREEITEM hVisible = GetFirstVisibleItem(); hVisible; hVisible = GetNextVisibleItem(hVisible))
        if (hVisible == hItem)
            return true;
    return false;
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

    DrawBackGround(&dcMem);
    DrawItems(&dcMem);

    dc.BitBlt(0, 0, m_rcClient.Width(), m_rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SetBkMode(nOldMode);
    if (hOldFont)
        dcMem.SelectObject(hOldFont);
    dcMem.SelectObject(hOldBitmap);
}

void CSkinTree::DrawBackGround(CDC* pDC)
{
    switch (m_BkMode)
    {
    case BkModeBitmap:
        if (m_bitmap.m_hObject)
        {
            BITMAP bm = {};
            CDC dcImage;
            if (!m_bitmap.GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0 || !dcImage.CreateCompatibleDC(pDC))
                break;
            HGDIOBJ hOld = dcImage.SelectObject(m_bitmap.m_hObject);
            int cx = m_rcClient.Width(), cy = m_rcClient.Height();
            if (!m_bBitmapTiled)
                pDC->StretchBlt(m_ptOrigin.x, m_ptOrigin.y, cx, cy, &dcImage, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
            else
                for (int nRow = 0; nRow <= cy / bm.bmHeight; nRow++)
                    for (int nColumn = 0; nColumn <= cx / bm.bmWidth; nColumn++)
                        pDC->BitBlt(m_ptOrigin.x + nColumn * bm.bmWidth, m_ptOrigin.y + nRow * bm.bmHeight, bm.bmWidth,
                                    bm.bmHeight, &dcImage, 0, 0, SRCCOPY);
            dcImage.SelectObject(hOld);
            break;
        }
        // Without a bitmap the gradient stands in.
        [[fallthrough]];
    case BkModeGradient:
        GradientFillRect(pDC, CRect(m_ptOrigin.x, m_ptOrigin.y, m_rcClient.right, m_rcClient.bottom), g_Theme.m_crBackNormal,
                         g_Theme.m_crBackSel, !m_bGradientHorz);
        break;
    case BkModeSolid:
        pDC->FillSolidRect(&m_rcClient, ::GetBkColor(pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC));
        break;
    default:
        break;
    }
}

void CSkinTree::DrawItems(CDC* pDC)
{
    HTREEITEM hItem = GetFirstVisibleItem();
    if (!hItem)
        return;
    COLORREF crOldText = pDC->GetTextColor();
    DWORD dwStyle = GetStyle();
    BOOL bShowSelection = ::GetFocus() == m_hWnd || (dwStyle & TVS_SHOWSELALWAYS);
    // The group band runs from the selected back colour to its mirror across the normal one,
    // taken on the whole colour value.
    DWORD dwGroupEnd = 2 * (DWORD)g_Theme.m_crBackSel - (DWORD)g_Theme.m_crBackNormal;
    COLORREF crGroupEnd = RGB(GetRValue(dwGroupEnd), GetGValue(dwGroupEnd), GetBValue(dwGroupEnd));

    UINT nVisit = GetVisibleCount() + 1;
    for (UINT n = 0; hItem && n < nVisit; n++, hItem = GetNextVisibleItem(hItem))
    {
        bool bGroup = ItemHasChildren(hItem) || !GetParentItem(hItem);
        bool bSelected = (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) && bShowSelection;
        int nImage = 0, nSelectedImage = 0;
        GetItemImage(hItem, nImage, nSelectedImage);
        CRect rc;
        if (!GetItemRect(hItem, &rc, TRUE))
            continue;

        if (bSelected || bGroup)
        {
            CRect rcBand(bGroup ? m_ptOrigin.x : m_ptOrigin.x + rc.left, rc.top, m_rcClient.right, rc.bottom);
            if (bSelected)
                GradientFillRect(pDC, rcBand, g_Theme.m_crBackSel, g_Theme.m_crBackCheckSel, false);
            else
                GradientFillRect(pDC, rcBand, g_Theme.m_crBackSel, crGroupEnd, false);
        }
        if (bSelected)
            pDC->SetTextColor(SELECTED_GROUP_TEXT);
        if (m_pImageListEx)
            ::ImageList_Draw(m_pImageListEx->m_hImageList, nImage, pDC->m_hDC, rc.left - ICON_OFFSET, rc.top, ILD_NORMAL);

        CString strText = GetItemText(hItem);
        CRect rcText(rc.left + 4, rc.top + 2, m_rcClient.right, rc.bottom);
        if (bSelected)
        {
            if (!bGroup)
                pDC->SetTextColor(g_Theme.m_crHiText);
            COLORREF crOldBack = pDC->SetBkColor(g_Theme.m_crHighlight);
            pDC->DrawText(strText, &rcText, DT_VCENTER);
            pDC->SetTextColor(crOldText);
            pDC->SetBkColor(crOldBack);
        }
        else
        {
            pDC->DrawText(strText, &rcText, DT_VCENTER);
            pDC->SetTextColor(crOldText);
        }
        if (m_pImageListEx)
            DrawTreeItem(pDC, hItem, rc);
    }
}

void CSkinTree::DrawTreeItem(CDC*, HTREEITEM, CRect)
{
}

void CSkinTree::OnTvnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMTREEVIEWW* pInfo = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    // The bitmap moves with the rows below the item, so all of it is drawn again.
    if (m_BkMode == BkModeBitmap && ItemIsVisible(pInfo->itemNew.hItem))
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
