#include "CTreeItemIndex.h"
#include <commctrl.h>
#include <oleacc.h>

namespace
{
// The index of the tree asked about last on this thread; it goes with that tree's window.
thread_local CTreeItemIndex* t_pIndex = NULL;

// Messages after which the rows are still the rows they were: reading the tree, painting it,
// the pointer passing over it, and assistive technology's own questions. Every other message
// (input, timers, any change) may expand, collapse, add or remove rows.
bool OnlyReads(UINT nMessage)
{
    switch (nMessage)
    {
    case WM_GETOBJECT:
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_PRINTCLIENT:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETFONT:
    case WM_GETDLGCODE:
    case TVM_GETNEXTITEM:
    case TVM_GETITEMW:
    case TVM_GETITEMA:
    case TVM_GETITEMRECT:
    case TVM_GETITEMSTATE:
    case TVM_GETCOUNT:
    case TVM_GETVISIBLECOUNT:
    case TVM_HITTEST:
    case TVM_GETITEMHEIGHT:
    case TVM_GETINDENT:
    case TVM_GETIMAGELIST:
    case TVM_GETBKCOLOR:
    case TVM_GETTEXTCOLOR:
    case TVM_GETLINECOLOR:
        return true;
    default:
        return false;
    }
}
}

CTreeItemIndex::CTreeItemIndex(CTreeCtrl& tree) : m_hWnd(tree.m_hWnd)
{
    // A walk of shown items never revisits one, so it ends within the tree's item count.
    const size_t nCount = tree.GetCount();
    for (HTREEITEM hItem = tree.GetRootItem(); hItem && m_items.size() < nCount; hItem = tree.GetNextVisibleItem(hItem))
    {
        m_items.push_back(hItem);
        m_ids.emplace(hItem, (long)m_items.size());
    }
}

const CTreeItemIndex& CTreeItemIndex::Of(CTreeCtrl& tree)
{
    if (t_pIndex && t_pIndex->m_hWnd == tree.m_hWnd)
        return *t_pIndex;
    delete t_pIndex;
    t_pIndex = NULL;
    try
    {
        t_pIndex = new CTreeItemIndex(tree);
    }
    catch (const std::bad_alloc&)
    {
        // Without room for the numbering the tree shows no items, rather than failing the
        // window procedure that asked.
        static const CTreeItemIndex s_none;
        return s_none;
    }
    return *t_pIndex;
}

void CTreeItemIndex::Follow(HWND hWnd, UINT nMessage)
{
    if (t_pIndex && t_pIndex->m_hWnd == hWnd && !OnlyReads(nMessage))
    {
        delete t_pIndex;
        t_pIndex = NULL;
    }
}

HTREEITEM CTreeItemIndex::GetItem(long idChild) const
{
    return idChild >= 1 && idChild <= GetCount() ? m_items[idChild - 1] : NULL;
}

long CTreeItemIndex::GetChildId(HTREEITEM hItem) const
{
    auto found = hItem ? m_ids.find(hItem) : m_ids.end();
    return found != m_ids.end() ? found->second : CHILDID_SELF;
}
