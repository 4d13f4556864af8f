// A tree view's items as assistive technology numbers them: the rows the tree can show (those
// whose parents are all expanded), from the first root on, item n at index n - 1. One walk
// builds the numbering, and it is kept until the tree hears a message that may change its rows,
// so a screen reader reading an unchanged tree pays a few messages a question, whatever its
// size. One tree of a thread is indexed at a time: the one asked about last.
#pragma once
#include <afxwin.h>
#include <unordered_map>
#include <vector>

class CTreeItemIndex
{
public:
    // The numbering of tree's rows, built now when none is kept for it.
    static const CTreeItemIndex& Of(CTreeCtrl& tree);
    // Told of every message the tree's window receives, before and after it is handled: the
    // numbering goes unless the message only reads.
    static void Follow(HWND hWnd, UINT nMessage);

    long GetCount() const { return (long)m_items.size(); }
    // Null for a number the tree does not have.
    HTREEITEM GetItem(long idChild) const;
    // CHILDID_SELF for an item that is not a row.
    long GetChildId(HTREEITEM hItem) const;

private:
    CTreeItemIndex() : m_hWnd(NULL) {}
    explicit CTreeItemIndex(CTreeCtrl& tree);

    HWND m_hWnd;
    std::vector<HTREEITEM> m_items;
    std::unordered_map<HTREEITEM, long> m_ids;
};
