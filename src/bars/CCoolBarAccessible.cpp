#include "CCoolBarAccessible.h"
#include "CCoolBarState.h"
#include "CCoolBarTheme.h"
#include "CCoolMenuBarState.h"
#include "../windowskin/AccessibleNames.h"

namespace
{
bool IsSeparator(const CCoolBarItem* pItem)
{
    return !pItem->m_nID || pItem->m_nID == ID_COOLBAR_GAP;
}

// A menu item's text as a name: its mnemonic marker and the accelerator after a tab left out.
CString NameOfMenuText(const CString& strText)
{
    int nTab = strText.Find(L'\t');
    return StripMnemonic(nTab >= 0 ? strText.Left(nTab) : strText);
}
}

LRESULT CCoolBarAccessible::Answer(CCoolBarCtrl& bar, WPARAM wParam, LPARAM lParam)
{
    if (CAccessibleQuery* pQuery = CAccessibleQuery::Of(bar.m_hWnd, wParam, lParam))
    {
        if (pQuery->idObject != OBJID_CLIENT)
            return FALSE;
        if (pQuery->idChild == CHILDID_SELF)
            DescribeBar(bar, *pQuery);
        else if (CCoolBarItem* pItem = bar.GetIndex(pQuery->idChild - 1))
            DescribeItem(bar, pItem, *pQuery);
        return TRUE;
    }
    return CAccessibleProxy::Serve(bar.m_hWnd, wParam, lParam);
}

long CCoolBarAccessible::ChildIdOf(const CCoolBarCtrl& bar, const CCoolBarItem* pItem)
{
    for (int n = 0; pItem && n < bar.GetCount(); n++)
        if (bar.GetIndex(n) == pItem)
            return n + 1;
    return CHILDID_SELF;
}

void CCoolBarAccessible::NotifyFocus(CCoolBarCtrl& bar, const CCoolBarItem* pItem)
{
    const long idChild = ChildIdOf(bar, pItem);
    if (idChild == CHILDID_SELF || !bar.m_hWnd)
        return;
    ::NotifyWinEvent(EVENT_OBJECT_FOCUS, bar.m_hWnd, OBJID_CLIENT, idChild);
    ::NotifyWinEvent(EVENT_OBJECT_SELECTION, bar.m_hWnd, OBJID_CLIENT, idChild);
}

void CCoolBarAccessible::DescribeBar(CCoolBarCtrl& bar, CAccessibleQuery& query)
{
    const CCoolBarState& state = *CCoolBarState::Of(&bar);
    const bool bMenuBar = state.m_pMenuBar != NULL;
    query.nRole = bMenuBar ? ROLE_SYSTEM_MENUBAR : ROLE_SYSTEM_TOOLBAR;
    // The host's name for the bar, else the skin's, else what it is.
    query.strName = WindowTextOf(bar.m_hWnd);
    if (query.strName.IsEmpty())
        query.strName = state.m_strSkinName;
    if (query.strName.IsEmpty())
        query.strName = bMenuBar ? L"Menu bar" : L"Toolbar";
    query.nItems = bar.GetCount();
    query.idFocusItem = ChildIdOf(bar, state.m_pFocus);
    query.idSelectedItem = query.idFocusItem;
    if (query.bHitTest)
    {
        CPoint point = query.ptHit;
        bar.ScreenToClient(&point);
        CRect rcClient, rcRoom;
        bar.GetClientRect(&rcClient);
        bar.PrepareRect(&rcRoom);
        CCoolBarItem* pItem = rcClient.PtInRect(point) ? state.GetLayout().HitTest(rcRoom, point, NULL) : NULL;
        query.idHit = ChildIdOf(bar, pItem);
    }
}

void CCoolBarAccessible::DescribeItem(CCoolBarCtrl& bar, CCoolBarItem* pItem, CAccessibleQuery& query)
{
    const CCoolBarState& state = *CCoolBarState::Of(&bar);
    CRect rc, rcClient;
    bar.GetClientRect(&rcClient);
    if (pItem->m_bVisible && bar.GetItemRect(pItem, &rc))
    {
        if (!CRect().IntersectRect(&rc, &rcClient))
            query.nState |= STATE_SYSTEM_OFFSCREEN;
        bar.ClientToScreen(&rc);
        query.rcScreen = rc;
    }
    else
        query.nState |= STATE_SYSTEM_INVISIBLE;
    if (IsSeparator(pItem))
    {
        query.nRole = ROLE_SYSTEM_SEPARATOR;
        return;
    }

    CCoolMenuBarState* pMenuBar = state.m_pMenuBar;
    const bool bEnabled = pItem->m_bEnabled && bar.IsWindowEnabled();
    const bool bCanAct = bEnabled && pItem->m_bVisible;
    query.nState |= bEnabled ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
    if (pItem->m_bChecked)
        query.nState |= STATE_SYSTEM_CHECKED;
    if (pItem == state.m_pPressed)
        query.nState |= STATE_SYSTEM_PRESSED;
    if (pItem == state.m_pHot)
        query.nState |= STATE_SYSTEM_HOTTRACKED;
    if (pItem == state.m_pFocus && (::GetFocus() == bar.m_hWnd || (pMenuBar && pMenuBar->IsTracking())))
        query.nState |= STATE_SYSTEM_FOCUSED;

    if (pMenuBar)
    {
        const CString strCaption = pMenuBar->GetCaption(pItem);
        query.nRole = ROLE_SYSTEM_MENUITEM;
        query.strName = NameOfMenuText(strCaption);
        query.strShortcut = AccessibleShortcutOfText(strCaption);
        query.nState |= STATE_SYSTEM_HASPOPUP;
        query.strDefaultAction = L"Open";
        if (query.bDoDefaultAction && bCanAct)
            pMenuBar->Open(pItem);
        return;
    }
    // Its text (which is also its tooltip), else what the host's or the skin's menus call its
    // command.
    query.strName = pItem->m_strTip;
    if (query.strName.IsEmpty())
        query.strName = NameOfMenuText(CCoolBarTheme::GetCommandText(pItem->m_nID, ::GetAncestor(bar.m_hWnd, GA_ROOT)));
    const bool bDropDown = state.DropsMenu(pItem->m_nID);
    query.nRole = bDropDown ? ROLE_SYSTEM_BUTTONDROPDOWN : ROLE_SYSTEM_PUSHBUTTON;
    if (bDropDown)
        query.nState |= STATE_SYSTEM_HASPOPUP;
    query.strDefaultAction = bDropDown ? L"Open" : L"Press";
    // Posted, as a click posts it: the caller is not inside the owner's handlers when it runs.
    if (query.bDoDefaultAction && bCanAct)
        if (CWnd* pOwner = bar.GetOwner())
            pOwner->PostMessage(WM_COMMAND, pItem->m_nID, 0);
}

LRESULT CCoolBarCtrl::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CCoolBarAccessible::Answer(*this, wParam, lParam);
    return lResult ? lResult : Default();
}
