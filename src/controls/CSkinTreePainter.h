// Paints a skinned tree's client area into an off-screen context: the background of the tree's
// mode, then each visible item as text over its gradient band (or the skin's selection colours),
// and the skin's lines for a tree with TVS_HASLINES. One painter serves one paint.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/CSkinTree.h>

class CSkinTreePainter
{
public:
    // rcClient and ptOrigin are the tree's client rectangle and scrolled background origin.
    CSkinTreePainter(CSkinTree& tree, const CRect& rcClient, CPoint ptOrigin);

    // A missing bitmap in bitmap mode falls back to the gradient.
    void DrawBackground(CDC* pDC, CSkinTree::BkMode mode, HBITMAP hBitmap, bool bTiled, bool bGradientHorz) const;
    // With an extra image list, each item gets its icon and the tree's extension point is called.
    void DrawItems(CDC* pDC, CImageList* pImageListEx) const;

    // TRUE when the item is among the rows the tree shows.
    static bool ItemIsVisible(CTreeCtrl& tree, HTREEITEM hItem);

private:
    // The lines joining each visible child to its parent, in crLines.
    void DrawLines(CDC* pDC, COLORREF crLines) const;

    CSkinTree& m_tree;
    CRect m_rcClient;
    CPoint m_ptOrigin;
};
