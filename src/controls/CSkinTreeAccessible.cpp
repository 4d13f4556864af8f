// The skinned tree as assistive technology sees it: an outline of the rows it can show, each
// row an item numbered by CTreeItemIndex, so that no question walks the whole tree.
#include <KorvoSkin/CSkinTree.h>
#include "CTreeItemIndex.h"
#include "ControlAccessibility.h"

namespace
{
int LevelOf(CTreeCtrl& tree, HTREEITEM hItem)
{
    int nLevel = 0;
    for (HTREEITEM hParent = tree.GetParentItem(hItem); hParent; hParent = tree.GetParentItem(hParent))
        nLevel++;
    return nLevel;
}

void DescribeOutline(CTreeCtrl& tree, const CTreeItemIndex& index, CAccessibleQuery& query)
{
    query.nRole = ROLE_SYSTEM_OUTLINE;
    query.nState |= STATE_SYSTEM_FOCUSABLE;
    query.nItems = index.GetCount();
    query.idFocusItem = index.GetChildId(tree.GetSelectedItem());
    query.idSelectedItem = query.idFocusItem;
    if (query.bHitTest)
    {
        CPoint point = query.ptHit;
        tree.ScreenToClient(&point);
        CRect rcClient;
        tree.GetClientRect(&rcClient);
        HTREEITEM hItem = rcClient.PtInRect(point) ? tree.HitTest(point) : NULL;
        query.idHit = index.GetChildId(hItem);
    }
}

void DescribeItem(CTreeCtrl& tree, HTREEITEM hItem, CAccessibleQuery& query)
{
    query.nRole = ROLE_SYSTEM_OUTLINEITEM;
    query.strName = tree.GetItemText(hItem);
    CString strLevel;
    strLevel.Format(L"%d", LevelOf(tree, hItem));
    query.SetValue(strLevel);
    query.nState |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (tree.GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED)
    {
        query.nState |= STATE_SYSTEM_SELECTED;
        if (::GetFocus() == tree.m_hWnd)
            query.nState |= STATE_SYSTEM_FOCUSED;
    }
    CRect rc, rcClient;
    tree.GetClientRect(&rcClient);
    if (tree.GetItemRect(hItem, &rc, TRUE))
    {
        // A row scrolled out of the window is still a row, just not on the screen.
        if (!CRect().IntersectRect(&rc, &rcClient))
            query.nState |= STATE_SYSTEM_OFFSCREEN;
        tree.ClientToScreen(&rc);
        query.rcScreen = rc;
    }
    else
        query.nState |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    if (tree.ItemHasChildren(hItem))
    {
        bool bExpanded = (tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        query.nState |= bExpanded ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
        query.strDefaultAction = bExpanded ? L"Collapse" : L"Expand";
        if (query.bDoDefaultAction)
            tree.Expand(hItem, TVE_TOGGLE);
    }
}
}

LRESULT CSkinTree::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = AnswerGetObject(m_hWnd, *this, wParam, lParam, [&](CAccessibleQuery& query) {
        const CTreeItemIndex& index = CTreeItemIndex::Of(*this);
        if (query.idChild == CHILDID_SELF)
            DescribeOutline(*this, index, query);
        else if (HTREEITEM hItem = index.GetItem(query.idChild))
            DescribeItem(*this, hItem, query);
    });
    return lResult ? lResult : Default();
}

LRESULT CSkinTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The window may be gone, and this object with it, once the message is handled.
    HWND hWnd = m_hWnd;
    CTreeItemIndex::Follow(hWnd, message);
    LRESULT lResult = CTreeCtrl::WindowProc(message, wParam, lParam);
    CTreeItemIndex::Follow(hWnd, message);
    return lResult;
}
