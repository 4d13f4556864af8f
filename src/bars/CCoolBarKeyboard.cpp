#include "CCoolBarKeyboard.h"
#include "CCoolBarAccessible.h"
#include "CCoolBarState.h"
#include "CCoolMenuBarState.h"

namespace
{
bool IsUsable(const CCoolBarItem* pItem)
{
    return pItem->m_nID && pItem->m_nID != ID_COOLBAR_GAP && pItem->m_bVisible && pItem->m_bEnabled;
}

// The usable button nDir places along from nFrom (wrapping round), or from the end for nFrom -1;
// null when there is none.
CCoolBarItem* Step(const CCoolBarCtrl& bar, int nFrom, int nDir)
{
    const int nCount = bar.GetCount();
    for (int nStep = 1; nStep <= nCount; nStep++)
    {
        int n = nFrom < 0 ? (nDir > 0 ? nStep - 1 : nCount - nStep) : ((nFrom + nDir * nStep) % nCount + nCount) % nCount;
        CCoolBarItem* pItem = bar.GetIndex(n);
        if (pItem && IsUsable(pItem))
            return pItem;
    }
    return NULL;
}
}

void CCoolBarKeyboard::MoveTo(CCoolBarCtrl& bar, CCoolBarItem* pItem)
{
    CCoolBarState& state = *CCoolBarState::Of(&bar);
    if (pItem == state.m_pFocus)
        return;
    state.m_pFocus = pItem;
    if (pItem && !state.m_pMenuBar)
        state.SetHot(pItem);
    CCoolBarAccessible::NotifyFocus(bar, pItem);
}

BOOL CCoolBarKeyboard::OnKeyDown(CCoolBarCtrl& bar, UINT nKey)
{
    CCoolBarState& state = *CCoolBarState::Of(&bar);
    const int nFocus = (int)CCoolBarAccessible::ChildIdOf(bar, state.m_pFocus) - 1;
    switch (nKey)
    {
    case VK_LEFT:
    case VK_UP:
        MoveTo(bar, Step(bar, nFocus, -1));
        return TRUE;
    case VK_RIGHT:
    case VK_DOWN:
        MoveTo(bar, Step(bar, nFocus, 1));
        return TRUE;
    case VK_HOME:
        MoveTo(bar, Step(bar, -1, 1));
        return TRUE;
    case VK_END:
        MoveTo(bar, Step(bar, -1, -1));
        return TRUE;
    case VK_SPACE:
    case VK_RETURN:
    {
        CCoolBarItem* pItem = state.m_pFocus;
        if (!pItem || !IsUsable(pItem))
            return FALSE;
        if (state.m_pMenuBar)
            state.m_pMenuBar->Open(pItem);
        else if (CWnd* pOwner = bar.GetOwner())
            pOwner->PostMessage(WM_COMMAND, pItem->m_nID, 0);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
