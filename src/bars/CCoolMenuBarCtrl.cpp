#include <KorvoSkin/CCoolMenuBarCtrl.h>
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include <vector>

// Deferred requests, posted as WM_TIMER messages (no timer runs): open the hot item's popup,
// or make m_pOpenItem hot and open its popup.
static const UINT_PTR REQUEST_OPEN_HOT = 4;
static const UINT_PTR REQUEST_OPEN_ITEM = 5;
static const int CAPTION_PADDING = 8;
// Room above and below a caption's text.
static const int CAPTION_MARGIN = 5;
static const int MAX_MENU_DEPTH = 32;

CCoolMenuBarCtrl* CCoolMenuBarCtrl::m_pMenuBar = NULL;
HHOOK CCoolMenuBarCtrl::m_hMsgHook = NULL;

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

namespace
{
// A copy of the menu hSrc and all its submenus; items keep their type, state, command, data
// and text.
HMENU CopyMenuTree(HMENU hSrc, BOOL bBar, int nDepth)
{
    HMENU hCopy = bBar ? ::CreateMenu() : ::CreatePopupMenu();
    if (!hCopy)
        return NULL;
    int nCount = ::GetMenuItemCount(hSrc);
    for (int i = 0; i < nCount; i++)
    {
        MENUITEMINFOW info = { sizeof(info) };
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING | MIIM_BITMAP;
        if (!::GetMenuItemInfoW(hSrc, i, TRUE, &info))
            continue;
        std::vector<wchar_t> text(info.cch + 1, 0);
        info.dwTypeData = text.data();
        info.cch = (UINT)text.size();
        ::GetMenuItemInfoW(hSrc, i, TRUE, &info);
        if (info.hSubMenu)
            info.hSubMenu = nDepth < MAX_MENU_DEPTH ? CopyMenuTree(info.hSubMenu, FALSE, nDepth + 1) : NULL;
        if (!info.hSubMenu)
            info.fMask &= ~MIIM_SUBMENU;
        if (info.fType & MFT_SEPARATOR)
            info.fMask &= ~MIIM_STRING;
        ::InsertMenuItemW(hCopy, (UINT)i, TRUE, &info);
    }
    return hCopy;
}

CString MenuText(HMENU hMenu, int nPosition)
{
    wchar_t szText[1024] = L"";
    ::GetMenuStringW(hMenu, (UINT)nPosition, szText, _countof(szText), MF_BYPOSITION);
    return szText;
}
}

CCoolMenuBarCtrl::CCoolMenuBarCtrl() : m_ptLast(-1, -1), m_pOpenItem(NULL), m_cyCaption(0)
{
}

CCoolMenuBarCtrl::~CCoolMenuBarCtrl()
{
    DestroyWindow();
}

void CCoolMenuBarCtrl::SetMenu(HMENU hMenu)
{
    if (m_pMenuBar == this && m_menu.m_hMenu && !m_menuRetired.m_hMenu)
    {
        m_menuRetired.Attach(m_menu.Detach());
        ::EndMenu();
    }
    else
        m_menu.DestroyMenu();
    Clear();
    m_pOpenItem = NULL;
    if (!hMenu || !::IsMenu(hMenu))
        return;
    m_menu.Attach(CopyMenuTree(hMenu, TRUE, 0));

    CClientDC dc(NULL);
    HGDIOBJ hOldFont = g_Theme.m_fntNormal.m_hObject ? dc.SelectObject(g_Theme.m_fntNormal.m_hObject) : NULL;
    TEXTMETRICW tm = {};
    dc.GetTextMetrics(&tm);
    m_cyCaption = tm.tmHeight + 2 * CAPTION_MARGIN;
    int nCount = ::GetMenuItemCount(m_menu.m_hMenu);
    for (int i = 0; i < nCount; i++)
    {
        CString strCaption = MenuText(m_menu.m_hMenu, i);
        strCaption.Replace(L"&", L"");
        CCoolBarItem* pItem = Add((UINT)i + 1, NULL, dc.GetTextExtent(strCaption).cx + 2 * CAPTION_PADDING, NULL, -1);
        pItem->Show(::GetSubMenu(m_menu.m_hMenu, i) != NULL);
    }
    if (hOldFont)
        dc.SelectObject(hOldFont);
}

BOOL CCoolMenuBarCtrl::ShowsCaption(const CCoolBarItem* pItem) const
{
    return pItem->m_nID && m_menu.m_hMenu && !pItem->GetImage(CCoolBarItem::IMAGE_NORMAL) &&
           !pItem->GetImage(CCoolBarItem::IMAGE_HOVER) && !pItem->GetImage(CCoolBarItem::IMAGE_SELECT);
}

int CCoolMenuBarCtrl::GetItemBreadth(const CCoolBarItem* pItem) const
{
    // A caption is as broad as its text's line; along a side the caption's width is its size.
    if (!ShowsCaption(pItem))
        return CCoolBarCtrl::GetItemBreadth(pItem);
    return m_bVertical ? pItem->m_nSize : m_cyCaption;
}

void CCoolMenuBarCtrl::DrawItem(CDC* pDC, CDC* pImageDC, CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed, BOOL bHot)
{
    if (!ShowsCaption(pItem))
    {
        CCoolBarCtrl::DrawItem(pDC, pImageDC, pItem, rcItem, bPressed, bHot);
        return;
    }
    if (!pDC->RectVisible(&rcItem))
        return;
    // A button without images shows its popup's caption, highlighted as the menus are.
    if (bPressed)
    {
        pDC->FillSolidRect(&rcItem, g_Theme.m_crMenuBack);
        pDC->FillSolidRect(rcItem.left, rcItem.top, rcItem.Width(), 1, g_Theme.m_crMenuBorder);
        pDC->FillSolidRect(rcItem.left, rcItem.top, 1, rcItem.Height(), g_Theme.m_crMenuBorder);
        pDC->FillSolidRect(rcItem.right - 1, rcItem.top, 1, rcItem.Height(), g_Theme.m_crMenuBorder);
    }
    else if (bHot)
    {
        CBrush brHover(g_Theme.m_crMenuHover);
        CPen penWhite(PS_SOLID, 1, RGB(255, 255, 255));
        CBrush* pOldBrush = pDC->SelectObject(&brHover);
        CPen* pOldPen = pDC->SelectObject(&penWhite);
        pDC->RoundRect(rcItem.left + 1, rcItem.top + 1, rcItem.right - 1, rcItem.bottom - 1, 3, 3);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    CString strCaption = MenuText(m_menu.m_hMenu, (int)pItem->m_nID - 1);
    HGDIOBJ hOldFont = g_Theme.m_fntNormal.m_hObject ? pDC->SelectObject(g_Theme.m_fntNormal.m_hObject) : NULL;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(g_Theme.GetMenuTextColour(bPressed || bHot, FALSE));
    CRect rcText = rcItem;
    pDC->DrawText(strCaption, &rcText, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    if (hOldFont)
        pDC->SelectObject(hOldFont);
}

void CCoolMenuBarCtrl::OpenMenuBar()
{
    if (m_pPressed)
        return;
    m_pOpenItem = GetIndex(0);
    if (m_pOpenItem)
        PostMessage(WM_TIMER, REQUEST_OPEN_ITEM, 0);
}

BOOL CCoolMenuBarCtrl::OpenMenuChar(UINT nChar)
{
    int nCount = m_menu.m_hMenu ? ::GetMenuItemCount(m_menu.m_hMenu) : 0;
    for (int i = 0; i < nCount; i++)
    {
        CString strText = MenuText(m_menu.m_hMenu, i);
        int nAmpersand = strText.Find(L'&');
        if (nAmpersand < 0 || nAmpersand + 1 >= strText.GetLength() ||
            towupper(strText[nAmpersand + 1]) != towupper((wint_t)nChar))
            continue;
        m_pOpenItem = GetIndex(i);
        if (m_pOpenItem)
            PostMessage(WM_TIMER, REQUEST_OPEN_ITEM, 0);
        return TRUE;
    }
    return FALSE;
}

void CCoolMenuBarCtrl::CloseMenu()
{
    PostMessage(WM_CANCELMODE, 0, 0);
}

void CCoolMenuBarCtrl::ShiftMenu(int nDir)
{
    int nCount = GetCount();
    if (!nCount)
        return;
    int nPosition = m_pPressed ? (int)m_pPressed->m_nID + nDir - 1 : 0;
    if (nPosition < 0)
        nPosition = nCount - 1;
    else if (nPosition >= nCount)
        nPosition = 0;
    CloseMenu();
    m_pOpenItem = GetIndex(nPosition);
    m_pPressed = m_pHot = NULL;
    PostMessage(WM_TIMER, REQUEST_OPEN_ITEM, 0);
}

void CCoolMenuBarCtrl::ShowMenu()
{
    if (!m_pHot || !::IsMenu(m_menu.m_hMenu))
        return;
    HMENU hPopup = m_pHot->m_nID ? ::GetSubMenu(m_menu.m_hMenu, (int)m_pHot->m_nID - 1) : NULL;
    if (!hPopup || m_pMenuBar)
    {
        m_pPressed = m_pHot = NULL;
        Invalidate(FALSE);
        UpdateWindow();
        return;
    }
    m_pPressed = m_pHot;
    Invalidate(FALSE);
    UpdateWindow();
    KillTimer(TIMER_HOVER);
    m_bHoverTimer = FALSE;

    CRect r;
    GetItemRect(m_pPressed, &r);
    ClientToScreen(&r);
    r.DeflateRect(1, 2);
    ::GetCursorPos(&m_ptLast);
    ScreenToClient(&m_ptLast);

    m_pMenuBar = this;
    m_hMsgHook = ::SetWindowsHookExW(WH_MSGFILTER, MenuFilter, NULL, ::GetCurrentThreadId());
    CMenuSkinner::SetMenuAttach(r.left, r.bottom, r.Width());
    TPMPARAMS params = { sizeof(params), r };
    UINT nCommand = (UINT)::TrackPopupMenuEx(hPopup, TPM_RETURNCMD | TPM_VERTICAL, r.left, r.bottom, m_hWnd, &params);
    if (m_hMsgHook)
        ::UnhookWindowsHookEx(m_hMsgHook);
    m_hMsgHook = NULL;
    m_pMenuBar = NULL;
    m_pPressed = NULL;
    if (m_menuRetired.m_hMenu)
    {
        // The menu was replaced while this popup was open: its choice no longer stands.
        m_menuRetired.DestroyMenu();
        nCommand = 0;
    }

    CheckHover();
    if (m_pHot)
    {
        SetTimer(TIMER_HOVER, HOVER_INTERVAL);
        m_bHoverTimer = TRUE;
    }
    Invalidate(FALSE);
    UpdateWindow();
    if (nCommand)
        if (CWnd* pOwner = GetOwner())
            pOwner->PostMessage(WM_COMMAND, nCommand, 0);
}

LRESULT CALLBACK CCoolMenuBarCtrl::MenuFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == MSGF_MENU && m_pMenuBar && lParam && m_pMenuBar->OnMenuMessage((MSG*)lParam))
        return 1;
    return ::CallNextHookEx(m_hMsgHook, nCode, wParam, lParam);
}

BOOL CCoolMenuBarCtrl::OnMenuMessage(MSG* pMsg)
{
    // Positions come from the message's cursor position, in screen coordinates on every
    // platform (what lParam holds depends on which window has the capture).
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
        if (pMsg->wParam == VK_ESCAPE)
        {
            CloseMenu();
            m_pPressed = m_pHot = NULL;
            return TRUE;
        }
        if (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT)
        {
            ShiftMenu(pMsg->wParam == VK_LEFT ? -1 : 1);
            return TRUE;
        }
        return FALSE;

    case WM_MOUSEMOVE:
    {
        CPoint pt = pMsg->pt;
        ScreenToClient(&pt);
        if (pt == m_ptLast)
            return TRUE;
        m_ptLast = pt;
        CCoolBarItem* pItem = HitTest(pt);
        if (!pItem || pItem == m_pPressed)
            return FALSE;
        CloseMenu();
        m_pHot = pItem;
        m_pPressed = NULL;
        PostMessage(WM_TIMER, REQUEST_OPEN_HOT, 0);
        return TRUE;
    }

    case WM_LBUTTONDOWN:
    {
        CPoint pt = pMsg->pt;
        wchar_t szClass[16] = L"";
        HWND hUnder = ::WindowFromPoint(pt);
        if (hUnder && ::GetClassNameW(hUnder, szClass, _countof(szClass)) && szClass[0] == L'#')
            return FALSE;
        ScreenToClient(&pt);
        CCoolBarItem* pItem = HitTest(pt);
        if (!pItem)
        {
            m_pPressed = m_pHot = NULL;
            CloseMenu();
            return TRUE;
        }
        if (pItem == m_pPressed)
        {
            m_pPressed = NULL;
            CloseMenu();
            return TRUE;
        }
        return FALSE;
    }
    }
    return FALSE;
}

void CCoolMenuBarCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == REQUEST_OPEN_HOT)
        ShowMenu();
    else if (nIDEvent == REQUEST_OPEN_ITEM)
    {
        // The bar may have been refilled since the request was posted.
        if (m_pOpenItem && HasItem(m_pOpenItem))
        {
            m_pHot = m_pOpenItem;
            m_pOpenItem = NULL;
            ShowMenu();
        }
    }
    else
        CCoolBarCtrl::OnTimer(nIDEvent);
}

void CCoolMenuBarCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CCoolBarItem* pItem = HitTest(point);
    if (pItem && pItem == m_pHot)
        ShowMenu();
    else
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
