#include "CSkinTreePainter.h"
#include <algorithm>
#include "../parts/CDpiScale.h"
#include "../parts/CGdiSelect.h"
#include "../parts/CWindowDpi.h"
#include "ControlTheme.h"

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

CSkinTreePainter::CSkinTreePainter(CSkinTree& tree, const CRect& rcClient, CPoint ptOrigin)
    : m_tree(tree), m_rcClient(rcClient), m_ptOrigin(ptOrigin)
{
}

bool CSkinTreePainter::ItemIsVisible(CTreeCtrl& tree, HTREEITEM hItem)
{
    if (!hItem)
        return false;
    // A visible walk never revisits an item, so it ends within the tree's item count.
    for (HTREEITEM hVisible = tree.GetFirstVisibleItem(); hVisible; hVisible = tree.GetNextVisibleItem(hVisible))
        if (hVisible == hItem)
            return true;
    return false;
}

void CSkinTreePainter::DrawBackground(CDC* pDC, CSkinTree::BkMode mode, HBITMAP hBitmap, bool bTiled,
                                      bool bGradientHorz) const
{
    const CInterfaceTheme& theme = ControlTheme::Theme();
    switch (mode)
    {
    case CSkinTree::BkModeBitmap:
        if (hBitmap)
        {
            BITMAP bm = {};
            CDC dcImage;
            if (!::GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0 ||
                !dcImage.CreateCompatibleDC(pDC))
                break;
            CGdiSelect image(dcImage.m_hDC, hBitmap);
            int cx = m_rcClient.Width(), cy = m_rcClient.Height();
            if (!bTiled)
                pDC->StretchBlt(m_ptOrigin.x, m_ptOrigin.y, cx, cy, &dcImage, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
            else
                for (int nRow = 0; nRow <= cy / bm.bmHeight; nRow++)
                    for (int nColumn = 0; nColumn <= cx / bm.bmWidth; nColumn++)
                        pDC->BitBlt(m_ptOrigin.x + nColumn * bm.bmWidth, m_ptOrigin.y + nRow * bm.bmHeight, bm.bmWidth,
                                    bm.bmHeight, &dcImage, 0, 0, SRCCOPY);
            break;
        }
        // Without a bitmap the gradient stands in.
        [[fallthrough]];
    case CSkinTree::BkModeGradient:
        GradientFillRect(pDC, CRect(m_ptOrigin.x, m_ptOrigin.y, m_rcClient.right, m_rcClient.bottom), theme.Colour(SkinColour::BackNormal),
                         theme.Colour(SkinColour::BackSel), !bGradientHorz);
        break;
    case CSkinTree::BkModeSolid:
        pDC->FillSolidRect(&m_rcClient, SkinColourOr(theme.ControlColours(ControlPart::Tree).crBack,
                                                     ::GetBkColor(pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC)));
        break;
    default:
        break;
    }
}

void CSkinTreePainter::DrawItems(CDC* pDC, CImageList* pImageListEx) const
{
    const CInterfaceTheme& theme = ControlTheme::Theme();
    HTREEITEM hItem = m_tree.GetFirstVisibleItem();
    if (!hItem)
        return;
    COLORREF crOldText = pDC->GetTextColor();
    const CDpiScale scale(CWindowDpi::Of(m_tree.m_hWnd));
    DWORD dwStyle = m_tree.GetStyle();
    BOOL bFocus = ::GetFocus() == m_tree.m_hWnd;
    BOOL bShowSelection = bFocus || (dwStyle & TVS_SHOWSELALWAYS);
    // The keyboard's item is framed while the tree has the focus: with TVS_SHOWSELALWAYS the
    // selection alone looks the same with and without it.
    HTREEITEM hFocusItem = bFocus ? m_tree.GetSelectedItem() : NULL;
    // The group band runs from the selected back colour to its mirror across the normal one,
    // taken on the whole colour value.
    DWORD dwGroupEnd = 2 * (DWORD)theme.Colour(SkinColour::BackSel) - (DWORD)theme.Colour(SkinColour::BackNormal);
    COLORREF crGroupEnd = RGB(GetRValue(dwGroupEnd), GetGValue(dwGroupEnd), GetBValue(dwGroupEnd));

    const COLORREF crItemText = theme.ControlColours(ControlPart::Tree).crText;
    // The skin's selection, solid, where it gives one for the tree's focus state.
    const CONTROL_COLOURS selection =
        theme.ControlColours(bFocus ? ControlPart::TreeSelection : ControlPart::TreeSelectionInactive);
    if (theme.Colour(SkinColour::TreeLines) != NO_COLOUR && (dwStyle & TVS_HASLINES))
        DrawLines(pDC, theme.Colour(SkinColour::TreeLines));

    UINT nVisit = m_tree.GetVisibleCount() + 1;
    for (UINT n = 0; hItem && n < nVisit; n++, hItem = m_tree.GetNextVisibleItem(hItem))
    {
        bool bGroup = m_tree.ItemHasChildren(hItem) || !m_tree.GetParentItem(hItem);
        bool bSelected = (m_tree.GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) && bShowSelection;
        int nImage = 0, nSelectedImage = 0;
        m_tree.GetItemImage(hItem, nImage, nSelectedImage);
        CRect rc;
        if (!m_tree.GetItemRect(hItem, &rc, TRUE))
            continue;

        if (bSelected || bGroup)
        {
            CRect rcBand(bGroup ? m_ptOrigin.x : m_ptOrigin.x + rc.left, rc.top, m_rcClient.right, rc.bottom);
            if (bSelected && selection.crBack != NO_COLOUR)
                pDC->FillSolidRect(&rcBand, selection.crBack);
            else if (bSelected)
                GradientFillRect(pDC, rcBand, theme.Colour(SkinColour::BackSel), theme.Colour(SkinColour::BackCheckSel), false);
            else
                GradientFillRect(pDC, rcBand, theme.Colour(SkinColour::BackSel), crGroupEnd, false);
        }
        if (bSelected)
            pDC->SetTextColor(SkinColourOr(crItemText, SELECTED_GROUP_TEXT));
        if (pImageListEx)
            ::ImageList_Draw(pImageListEx->m_hImageList, nImage, pDC->m_hDC, rc.left - ICON_OFFSET, rc.top, ILD_NORMAL);

        CString strText = m_tree.GetItemText(hItem);
        CRect rcText(rc.left + scale.Scale(4), rc.top + scale.Scale(2), m_rcClient.right, rc.bottom);
        if (bSelected)
        {
            if (selection.crText != NO_COLOUR)
                pDC->SetTextColor(selection.crText);
            else if (!bGroup)
                pDC->SetTextColor(theme.Colour(SkinColour::HiText));
            COLORREF crOldBack = pDC->SetBkColor(theme.Colour(SkinColour::Highlight));
            pDC->DrawText(strText, &rcText, DT_VCENTER);
            pDC->SetTextColor(crOldText);
            pDC->SetBkColor(crOldBack);
        }
        else
        {
            if (crItemText != NO_COLOUR)
                pDC->SetTextColor(crItemText);
            pDC->DrawText(strText, &rcText, DT_VCENTER);
            pDC->SetTextColor(crOldText);
        }
        if (hItem == hFocusItem)
        {
            // Round the text, which starts 4 pixels (at 96 DPI) into the label.
            CRect rcFocus(rcText);
            pDC->DrawText(strText, &rcFocus, DT_CALCRECT);
            int nGap = scale.Scale(2);
            rcFocus = CRect(rc.left + nGap, rc.top, std::min<int>(rcFocus.right + nGap, m_rcClient.right - 1), rc.bottom);
            pDC->DrawFocusRect(&rcFocus);
        }
        if (pImageListEx)
            m_tree.DrawTreeItem(pDC, hItem, rc);
    }
}

void CSkinTreePainter::DrawLines(CDC* pDC, COLORREF crLines) const
{
    // From each visible item's left a stub to its label's gap, and from its parent's stub down to
    // it: the parent sits one indent to the left, its row above.
    const CDpiScale scale(CWindowDpi::Of(m_tree.m_hWnd));
    const int nIndent = (int)m_tree.GetIndent();
    const int nLine = scale.Scale(1);
    UINT nVisit = m_tree.GetVisibleCount() + 1;
    for (HTREEITEM hItem = m_tree.GetFirstVisibleItem(); hItem && nVisit; nVisit--, hItem = m_tree.GetNextVisibleItem(hItem))
    {
        CRect rc;
        HTREEITEM hParent = m_tree.GetParentItem(hItem);
        if (!hParent || !m_tree.GetItemRect(hItem, &rc, TRUE))
            continue;
        const int x = rc.left - nIndent / 2, y = (rc.top + rc.bottom) / 2;
        pDC->FillSolidRect(x, y, rc.left - x, nLine, crLines);
        CRect rcParent;
        // A parent scrolled out of view still joins its child to the top of the client area.
        int yTop = m_tree.GetItemRect(hParent, &rcParent, TRUE) ? rcParent.bottom : m_rcClient.top;
        if (yTop < y)
            pDC->FillSolidRect(x, yTop, nLine, y - yTop, crLines);
    }
}
