#include "CCoolMenuBarState.h"
#include "CCoolBarState.h"
#include "CCoolBarTheme.h"
#include "CCoolBarKeyboard.h"
#include "../parts/CMenuBarItemLook.h"
#include <vector>

namespace
{
// Deferred requests, posted as WM_TIMER messages (no timer runs): open the hot item's popup,
// or make the item to open hot and open its popup.
const UINT_PTR REQUEST_OPEN_HOT = 4;
const UINT_PTR REQUEST_OPEN_ITEM = 5;
const int CAPTION_PADDING = 8;
// Room above and below a caption's text.
const int CAPTION_MARGIN = 5;
const int MAX_MENU_DEPTH = 32;

// The bar whose popup is open and the message-filter hook installed meanwhile: a thread tracks
// one popup at a time.
thread_local CCoolMenuBarState* s_pTracking = NULL;
thread_local HHOOK s_hMsgHook = NULL;

LRESULT CALLBACK MenuFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == MSGF_MENU && s_pTracking && lParam && s_pTracking->OnMenuMessage((MSG*)lParam))
        return 1;
    return ::CallNextHookEx(s_hMsgHook, nCode, wParam, lParam);
}

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

// A length measured at scale as a 96-DPI length, rounded up so scaling it back never gives
// less than n.
int UnscaleUp(const CDpiScale& scale, int n)
{
    if (n <= 0 || scale.IsBase())
        return n;
    const LONGLONG nDpi = scale.GetDpi();
    return (int)(((LONGLONG)n * CDpiScale::BASE_DPI + nDpi - 1) / nDpi);
}

CString MenuText(HMENU hMenu, int nPosition)
{
    wchar_t szText[1024] = L"";
    ::GetMenuStringW(hMenu, (UINT)nPosition, szText, _countof(szText), MF_BYPOSITION);
    return szText;
}
}

CCoolMenuBarState::CCoolMenuBarState(CCoolMenuBarCtrl& bar)
    : m_bar(bar), m_ptLast(-1, -1), m_pOpenItem(NULL), m_cyCaption(0)
{
    Bar().m_remeasure = [this]() { MeasureCaptions(); };
    Bar().m_pMenuBar = this;
}

CCoolMenuBarState::~CCoolMenuBarState()
{
    Bar().m_remeasure = nullptr;
    Bar().m_pMenuBar = NULL;
    if (s_pTracking == this)
        s_pTracking = NULL;
}

CCoolBarState& CCoolMenuBarState::Bar() const
{
    return *CCoolBarState::Of(&m_bar);
}

void CCoolMenuBarState::PostRequest(UINT_PTR nRequest)
{
    m_bar.PostMessage(WM_TIMER, nRequest, 0);
}

void CCoolMenuBarState::SetMenu(HMENU hMenu)
{
    if (s_pTracking == this && m_menu.m_hMenu && !m_menuRetired.m_hMenu)
    {
        m_menuRetired.Attach(m_menu.Detach());
        ::EndMenu();
    }
    else
        m_menu.DestroyMenu();
    m_bar.Clear();
    m_pOpenItem = NULL;
    if (!hMenu || !::IsMenu(hMenu))
        return;
    Bar().m_strSkinName = CCoolBarTheme::GetMenuName(hMenu);
    m_menu.Attach(CopyMenuTree(hMenu, TRUE, 0));
    int nCount = ::GetMenuItemCount(m_menu.m_hMenu);
    for (int i = 0; i < nCount; i++)
    {
        CCoolBarItem* pItem = m_bar.Add((UINT)i + 1, NULL, 0, NULL, -1);
        pItem->Show(::GetSubMenu(m_menu.m_hMenu, i) != NULL);
    }
    MeasureCaptions();
}

void CCoolMenuBarState::MeasureCaptions()
{
    if (!m_menu.m_hMenu)
        return;
    const CDpiScale& scale = Bar().GetScale();
    CClientDC dc(NULL);
    CGdiSelect font(dc.m_hDC, m_font.Get(CCoolBarTheme::GetCaptionFont(), scale));
    TEXTMETRICW tm = {};
    dc.GetTextMetrics(&tm);
    m_cyCaption = UnscaleUp(scale, tm.tmHeight) + 2 * CAPTION_MARGIN;
    for (int n = 0; n < m_bar.GetCount(); n++)
    {
        CCoolBarItem* pItem = m_bar.GetIndex(n);
        if (!ShowsCaption(pItem))
            continue;
        CString strCaption = MenuText(m_menu.m_hMenu, (int)pItem->m_nID - 1);
        strCaption.Replace(L"&", L"");
        pItem->m_nSize = UnscaleUp(scale, dc.GetTextExtent(strCaption).cx) + 2 * CAPTION_PADDING;
    }
}

BOOL CCoolMenuBarState::ShowsCaption(const CCoolBarItem* pItem) const
{
    return pItem->m_nID && m_menu.m_hMenu && !pItem->GetImage(CCoolBarItem::IMAGE_NORMAL) &&
           !pItem->GetImage(CCoolBarItem::IMAGE_HOVER) && !pItem->GetImage(CCoolBarItem::IMAGE_SELECT);
}

int CCoolMenuBarState::GetCaptionBreadth(const CCoolBarItem* pItem) const
{
    return Bar().m_bVertical ? pItem->m_nSize : m_cyCaption;
}

void CCoolMenuBarState::DrawCaption(CDC* pDC, const CCoolBarItem* pItem, const CRect& rcItem, BOOL bPressed,
                                    BOOL bHot)
{
    const CDpiScale& scale = Bar().GetScale();
    const CMenuBarItemLook::Colours colours = { CCoolBarTheme::GetMenuBackColour(), CCoolBarTheme::GetMenuBorderColour(),
                                                CCoolBarTheme::GetMenuHoverColour(),
                                                CCoolBarTheme::GetMenuTextColour(bPressed || bHot) };
    CMenuBarItemLook::Draw(pDC, colours, m_font.Get(CCoolBarTheme::GetCaptionFont(), scale), scale,
                           MenuText(m_menu.m_hMenu, (int)pItem->m_nID - 1), rcItem, bPressed, bHot);
}

void CCoolMenuBarState::OpenFirst()
{
    if (Bar().m_pPressed)
        return;
    m_pOpenItem = m_bar.GetIndex(0);
    if (m_pOpenItem)
        PostRequest(REQUEST_OPEN_ITEM);
}

BOOL CCoolMenuBarState::OpenChar(UINT nChar)
{
    int nCount = m_menu.m_hMenu ? ::GetMenuItemCount(m_menu.m_hMenu) : 0;
    for (int i = 0; i < nCount; i++)
    {
        CString strText = MenuText(m_menu.m_hMenu, i);
        int nAmpersand = strText.Find(L'&');
        if (nAmpersand < 0 || nAmpersand + 1 >= strText.GetLength() ||
            towupper(strText[nAmpersand + 1]) != towupper((wint_t)nChar))
            continue;
        m_pOpenItem = m_bar.GetIndex(i);
        if (m_pOpenItem)
            PostRequest(REQUEST_OPEN_ITEM);
        return TRUE;
    }
    return FALSE;
}

void CCoolMenuBarState::Open(CCoolBarItem* pItem)
{
    if (!pItem || !Bar().HasItem(pItem))
        return;
    m_pOpenItem = pItem;
    PostRequest(REQUEST_OPEN_ITEM);
}

CString CCoolMenuBarState::GetCaption(const CCoolBarItem* pItem) const
{
    return pItem && pItem->m_nID && m_menu.m_hMenu ? MenuText(m_menu.m_hMenu, (int)pItem->m_nID - 1) : CString();
}

bool CCoolMenuBarState::IsTracking() const
{
    return s_pTracking == this;
}

void CCoolMenuBarState::CloseMenu()
{
    m_bar.PostMessage(WM_CANCELMODE, 0, 0);
}

void CCoolMenuBarState::ShiftMenu(int nDir)
{
    CCoolBarState& bar = Bar();
    int nCount = m_bar.GetCount();
    if (!nCount)
        return;
    int nPosition = bar.m_pPressed ? (int)bar.m_pPressed->m_nID + nDir - 1 : 0;
    if (nPosition < 0)
        nPosition = nCount - 1;
    else if (nPosition >= nCount)
        nPosition = 0;
    CloseMenu();
    m_pOpenItem = m_bar.GetIndex(nPosition);
    bar.m_pPressed = bar.m_pHot = NULL;
    PostRequest(REQUEST_OPEN_ITEM);
}

void CCoolMenuBarState::ShowMenu()
{
    CCoolBarState& bar = Bar();
    if (!bar.m_pHot || !::IsMenu(m_menu.m_hMenu))
        return;
    HMENU hPopup = bar.m_pHot->m_nID ? ::GetSubMenu(m_menu.m_hMenu, (int)bar.m_pHot->m_nID - 1) : NULL;
    if (!hPopup || s_pTracking)
    {
        bar.m_pPressed = bar.m_pHot = NULL;
        m_bar.Invalidate(FALSE);
        m_bar.UpdateWindow();
        return;
    }
    bar.m_pPressed = bar.m_pHot;
    m_bar.Invalidate(FALSE);
    m_bar.UpdateWindow();
    bar.StopHover();

    CRect r;
    m_bar.GetItemRect(bar.m_pPressed, &r);
    m_bar.ClientToScreen(&r);
    r.DeflateRect(bar.GetScale().Scale(CSize(1, 2)));
    ::GetCursorPos(&m_ptLast);
    m_bar.ScreenToClient(&m_ptLast);

    s_pTracking = this;
    s_hMsgHook = ::SetWindowsHookExW(WH_MSGFILTER, MenuFilter, NULL, ::GetCurrentThreadId());
    CCoolBarTheme::SetMenuAttach(r);
    TPMPARAMS params = { sizeof(params), r };
    UINT nCommand = (UINT)::TrackPopupMenuEx(hPopup, TPM_RETURNCMD | TPM_VERTICAL, r.left, r.bottom, m_bar.m_hWnd, &params);
    if (s_hMsgHook)
        ::UnhookWindowsHookEx(s_hMsgHook);
    s_hMsgHook = NULL;
    s_pTracking = NULL;
    bar.m_pPressed = NULL;
    // The keyboard leaves the bar with its popup; the next one opened takes it again.
    bar.m_pFocus = NULL;
    if (m_menuRetired.m_hMenu)
    {
        // The menu was replaced while this popup was open: its choice no longer stands.
        m_menuRetired.DestroyMenu();
        nCommand = 0;
    }

    bar.RestartHover();
    m_bar.Invalidate(FALSE);
    m_bar.UpdateWindow();
    if (nCommand)
        if (CWnd* pOwner = m_bar.GetOwner())
            pOwner->PostMessage(WM_COMMAND, nCommand, 0);
}

BOOL CCoolMenuBarState::OnMenuMessage(MSG* pMsg)
{
    CCoolBarState& bar = Bar();
    // Positions come from the message's cursor position, in screen coordinates on every
    // platform (what lParam holds depends on which window has the capture).
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
        if (pMsg->wParam == VK_ESCAPE)
        {
            CloseMenu();
            bar.m_pPressed = bar.m_pHot = NULL;
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
        m_bar.ScreenToClient(&pt);
        if (pt == m_ptLast)
            return TRUE;
        m_ptLast = pt;
        CCoolBarItem* pItem = m_bar.HitTest(pt);
        if (!pItem || pItem == bar.m_pPressed)
            return FALSE;
        CloseMenu();
        bar.m_pHot = pItem;
        bar.m_pPressed = NULL;
        PostRequest(REQUEST_OPEN_HOT);
        return TRUE;
    }

    case WM_LBUTTONDOWN:
    {
        CPoint pt = pMsg->pt;
        wchar_t szClass[16] = L"";
        HWND hUnder = ::WindowFromPoint(pt);
        if (hUnder && ::GetClassNameW(hUnder, szClass, _countof(szClass)) && szClass[0] == L'#')
            return FALSE;
        m_bar.ScreenToClient(&pt);
        CCoolBarItem* pItem = m_bar.HitTest(pt);
        if (!pItem)
        {
            bar.m_pPressed = bar.m_pHot = NULL;
            CloseMenu();
            return TRUE;
        }
        if (pItem == bar.m_pPressed)
        {
            bar.m_pPressed = NULL;
            CloseMenu();
            return TRUE;
        }
        return FALSE;
    }
    }
    return FALSE;
}

BOOL CCoolMenuBarState::OnRequest(UINT_PTR nIDEvent)
{
    if (nIDEvent == REQUEST_OPEN_HOT)
        ShowMenu();
    else if (nIDEvent == REQUEST_OPEN_ITEM)
    {
        // The bar may have been refilled since the request was posted.
        CCoolBarState& bar = Bar();
        if (m_pOpenItem && bar.HasItem(m_pOpenItem))
        {
            // The keyboard (or assistive technology) moved to this item.
            CCoolBarKeyboard::MoveTo(m_bar, m_pOpenItem);
            bar.m_pHot = m_pOpenItem;
            m_pOpenItem = NULL;
            ShowMenu();
        }
    }
    else
        return FALSE;
    return TRUE;
}

BOOL CCoolMenuBarState::OnLButtonDown(const CPoint& point)
{
    CCoolBarItem* pItem = m_bar.HitTest(point);
    if (!pItem || pItem != Bar().m_pHot)
        return FALSE;
    ShowMenu();
    return TRUE;
}
