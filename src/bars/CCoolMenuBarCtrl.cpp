#include <KorvoSkin/CCoolMenuBarCtrl.h>
#include "CCoolMenuBarState.h"

BEGIN_MESSAGE_MAP(CCoolMenuBarCtrl, CCoolBarCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_MESSAGE(WM_MEASUREITEM, OnForwardToOwner)
    ON_MESSAGE(WM_DRAWITEM, OnForwardToOwner)
    ON_MESSAGE(WM_INITMENUPOPUP, OnForwardToOwner)
    ON_MESSAGE(WM_MENUSELECT, OnForwardToOwner)
    ON_MESSAGE(WM_ENTERIDLE, OnForwardToOwner)
    ON_MESSAGE(WM_ENTERMENULOOP, OnForwardToOwner)
    ON_MESSAGE(WM_EXITMENULOOP, OnForwardToOwner)
END_MESSAGE_MAP()

CCoolMenuBarCtrl::CCoolMenuBarCtrl() : m_pMenuState(new CCoolMenuBarState(*this))
{
}

CCoolMenuBarCtrl::~CCoolMenuBarCtrl()
{
    DestroyWindow();
}

void CCoolMenuBarCtrl::SetMenu(HMENU hMenu)
{
    m_pMenuState->SetMenu(hMenu);
}

HMENU CCoolMenuBarCtrl::GetMenu() const
{
    return m_pMenuState->GetMenu();
}

void CCoolMenuBarCtrl::OpenMenuBar()
{
    m_pMenuState->OpenFirst();
}

BOOL CCoolMenuBarCtrl::OpenMenuChar(UINT nChar)
{
    return m_pMenuState->OpenChar(nChar);
}

int CCoolMenuBarCtrl::GetItemBreadth(const CCoolBarItem* pItem) const
{
    return m_pMenuState->ShowsCaption(pItem) ? m_pMenuState->GetCaptionBreadth(pItem)
                                             : CCoolBarCtrl::GetItemBreadth(pItem);
}

void CCoolMenuBarCtrl::DrawItem(CDC* pDC, CDC* pImageDC, CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed, BOOL bHot)
{
    if (!m_pMenuState->ShowsCaption(pItem))
        CCoolBarCtrl::DrawItem(pDC, pImageDC, pItem, rcItem, bPressed, bHot);
    else if (pDC->RectVisible(&rcItem))
        m_pMenuState->DrawCaption(pDC, pItem, rcItem, bPressed, bHot);
}

void CCoolMenuBarCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_pMenuState->OnRequest(nIDEvent))
        CCoolBarCtrl::OnTimer(nIDEvent);
}

void CCoolMenuBarCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_pMenuState->OnLButtonDown(point))
        CCoolBarCtrl::OnLButtonDown(nFlags, point);
}

void CCoolMenuBarCtrl::OnLButtonUp(UINT, CPoint)
{
    // Popups open on the press; the release that follows a click on a button is no command.
    Default();
}

LRESULT CCoolMenuBarCtrl::OnForwardToOwner(WPARAM wParam, LPARAM lParam)
{
    CWnd* pOwner = GetOwner();
    return pOwner ? pOwner->SendMessage(GetCurrentMessage()->message, wParam, lParam) : 0;
}
