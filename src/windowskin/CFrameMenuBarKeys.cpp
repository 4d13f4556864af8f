// The frame menu bar's keyboard: SC_KEYMENU heard through the thread's CBT hook (the system
// carries it out in the default processing of whichever window has the focus, a child as often
// as the frame), and keyboard mode through a message hook that sees the keys before the window
// with the focus does.
#include "CFrameMenuBar.h"
#include "CAccessibleProxy.h"

namespace
{
// The bars with a menu of this thread, linked through m_pNextBar, and the hook they share.
thread_local CFrameMenuBar* t_pFirstBar = NULL;
thread_local HHOOK t_hSysCommandHook = NULL;
// The bar in keyboard mode and its message hook.
thread_local CFrameMenuBar* t_pKeyboardBar = NULL;
thread_local HHOOK t_hKeyboardHook = NULL;
// The popup to open from the message loop.
thread_local CFrameMenuBar* t_pOpenBar = NULL;
thread_local int t_nOpenItem = -1;
thread_local UINT_PTR t_nOpenTimer = 0;
}

void CFrameMenuBar::Register()
{
    for (CFrameMenuBar* pBar = t_pFirstBar; pBar; pBar = pBar->m_pNextBar)
        if (pBar == this)
            return;
    m_pNextBar = t_pFirstBar;
    t_pFirstBar = this;
    if (!t_hSysCommandHook)
        t_hSysCommandHook = ::SetWindowsHookExW(WH_CBT, SysCommandHook, NULL, ::GetCurrentThreadId());
}

void CFrameMenuBar::Unregister()
{
    for (CFrameMenuBar** ppBar = &t_pFirstBar; *ppBar; ppBar = &(*ppBar)->m_pNextBar)
        if (*ppBar == this)
        {
            *ppBar = m_pNextBar;
            break;
        }
    m_pNextBar = NULL;
    if (t_pOpenBar == this)
        t_pOpenBar = NULL;
    if (!t_pFirstBar && t_hSysCommandHook)
    {
        ::UnhookWindowsHookEx(t_hSysCommandHook);
        t_hSysCommandHook = NULL;
    }
}

CFrameMenuBar* CFrameMenuBar::BarOfFocus()
{
    HWND hFocus = ::GetFocus();
    HWND hRoot = hFocus ? ::GetAncestor(hFocus, GA_ROOT) : ::GetActiveWindow();
    for (CFrameMenuBar* pBar = t_pFirstBar; pBar && hRoot; pBar = pBar->m_pNextBar)
        if (pBar->m_wnd.m_hWnd == hRoot)
            return pBar;
    return NULL;
}

LRESULT CALLBACK CFrameMenuBar::SysCommandHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU)
        if (CFrameMenuBar* pBar = BarOfFocus())
            if (pBar->OnKeyMenu((UINT)lParam))
                return 1;
    return ::CallNextHookEx(t_hSysCommandHook, nCode, wParam, lParam);
}

BOOL CFrameMenuBar::OnKeyMenu(UINT nChar)
{
    // Alt+Space is the window menu's.
    if (m_rcBar.IsRectEmpty() || !HasMenu() || m_items.empty() || nChar == L' ')
        return FALSE;
    if (!nChar)
    {
        EnterKeyboardMode(0);
        return TRUE;
    }
    const int nItem = ItemOfMnemonic(nChar);
    if (nItem < 0)
    {
        ::MessageBeep(0);
        return TRUE;
    }
    EnterKeyboardMode(nItem);
    RequestOpen(nItem);
    return TRUE;
}

void CFrameMenuBar::RequestOpen(int nItem)
{
    t_pOpenBar = this;
    t_nOpenItem = nItem;
    if (!t_nOpenTimer)
        t_nOpenTimer = ::SetTimer(NULL, 0, USER_TIMER_MINIMUM, OnOpenRequest);
}

void CALLBACK CFrameMenuBar::OnOpenRequest(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(NULL, nTimer);
    t_nOpenTimer = 0;
    CFrameMenuBar* pBar = t_pOpenBar;
    t_pOpenBar = NULL;
    // The bar let go of the request if it went in the meantime.
    if (pBar && pBar->m_bKeyboardMode)
        pBar->Track(t_nOpenItem, TRUE);
}

void CFrameMenuBar::EnterKeyboardMode(int nItem)
{
    if (t_pKeyboardBar && t_pKeyboardBar != this)
        t_pKeyboardBar->LeaveKeyboardMode();
    m_bKeyboardMode = TRUE;
    m_bLeaveOnKeyUp = FALSE;
    t_pKeyboardBar = this;
    if (!t_hKeyboardHook)
        t_hKeyboardHook = ::SetWindowsHookExW(WH_GETMESSAGE, KeyboardModeHook, NULL, ::GetCurrentThreadId());
    SetHot(nItem);
}

void CFrameMenuBar::LeaveKeyboardMode()
{
    if (t_pOpenBar == this)
        t_pOpenBar = NULL;
    if (!m_bKeyboardMode)
        return;
    m_bKeyboardMode = FALSE;
    if (t_pKeyboardBar == this)
    {
        t_pKeyboardBar = NULL;
        if (t_hKeyboardHook)
            ::UnhookWindowsHookEx(t_hKeyboardHook);
        t_hKeyboardHook = NULL;
    }
    SetHot(-1);
}

LRESULT CALLBACK CFrameMenuBar::KeyboardModeHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == PM_REMOVE && lParam && t_pKeyboardBar
        && t_pKeyboardBar->OnKeyboardModeMessage((MSG*)lParam))
        ((MSG*)lParam)->message = WM_NULL;
    return ::CallNextHookEx(t_hKeyboardHook, nCode, wParam, lParam);
}

BOOL CFrameMenuBar::OnKeyboardModeMessage(MSG* pMsg)
{
    const HWND hWnd = m_wnd.m_hWnd;
    if (::GetActiveWindow() != hWnd || !HasMenu() || m_items.empty())
    {
        LeaveKeyboardMode();
        return FALSE;
    }
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        switch (pMsg->wParam)
        {
        case VK_LEFT:
        case VK_RIGHT:
            SetHot(Neighbour(m_nHot, pMsg->wParam == VK_LEFT ? -1 : 1));
            return TRUE;
        case VK_DOWN:
        case VK_UP:
        case VK_RETURN:
            if (m_nHot >= 0)
                RequestOpen(m_nHot);
            return TRUE;
        case VK_ESCAPE:
            LeaveKeyboardMode();
            return TRUE;
        case VK_MENU:
        case VK_F10:
            m_bLeaveOnKeyUp = TRUE;
            return TRUE;
        case VK_SHIFT:
        case VK_CONTROL:
            return FALSE;
        }
        {
            const UINT nChar = ::MapVirtualKeyW((UINT)pMsg->wParam, MAPVK_VK_TO_CHAR) & 0x7FFF;
            const int nItem = nChar ? ItemOfMnemonic(nChar) : -1;
            if (nItem >= 0)
            {
                SetHot(nItem);
                RequestOpen(nItem);
            }
            else
                ::MessageBeep(0);
        }
        return TRUE;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if ((pMsg->wParam == VK_MENU || pMsg->wParam == VK_F10) && m_bLeaveOnKeyUp)
        {
            LeaveKeyboardMode();
            return TRUE;
        }
        return pMsg->wParam == VK_MENU || pMsg->wParam == VK_F10;
    case WM_CHAR:
    case WM_SYSCHAR:
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        // The click goes where it was aimed; a click on the bar opens its item from there.
        LeaveKeyboardMode();
        return FALSE;
    }
    return FALSE;
}

BOOL CFrameMenuBar::Describe(CAccessibleQuery& query)
{
    if (m_rcBar.IsRectEmpty() || !HasMenu())
        return FALSE;
    if (query.idChild == CHILDID_SELF)
    {
        query.nRole = ROLE_SYSTEM_MENUBAR;
        query.strName = L"Application";
        query.nItems = (long)m_items.size();
        CRect rcWindow;
        m_wnd.GetWindowRect(&rcWindow);
        query.rcScreen = m_rcBar;
        query.rcScreen.OffsetRect(rcWindow.TopLeft());
        if (m_bKeyboardMode && m_nHot >= 0)
            query.idFocusItem = m_nHot + 1;
        if (query.bHitTest)
            query.idHit = ItemAt(query.ptHit) + 1;
        return TRUE;
    }
    if (query.idChild < 1 || query.idChild > (long)m_items.size())
        return FALSE;
    const int nItem = (int)query.idChild - 1;
    const CItem& item = m_items[(size_t)nItem];
    query.nRole = ROLE_SYSTEM_MENUITEM;
    query.strName = item.strText;
    query.strName.Remove(L'&');
    const int nMnemonic = item.strText.Find(L'&');
    if (nMnemonic >= 0 && nMnemonic + 1 < item.strText.GetLength())
        query.strShortcut = CString(L"Alt+") + (wchar_t)towupper(item.strText[nMnemonic + 1]);
    query.rcScreen = ScreenRect(nItem);
    const UINT nState = ::GetMenuState(m_hMenu, item.nPosition, MF_BYPOSITION);
    if (nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED)))
        query.nState |= STATE_SYSTEM_UNAVAILABLE;
    if (item.bPopup)
        query.nState |= STATE_SYSTEM_HASPOPUP;
    if (nItem == m_nPressed)
        query.nState |= STATE_SYSTEM_PRESSED;
    if (nItem == m_nHot)
        query.nState |= m_bKeyboardMode ? STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED : STATE_SYSTEM_HOTTRACKED;
    query.strDefaultAction = item.bPopup ? L"Open" : L"Execute";
    // The popup opens from the message loop, as a key in the bar opens it.
    if (query.bDoDefaultAction && !(query.nState & STATE_SYSTEM_UNAVAILABLE))
    {
        EnterKeyboardMode(nItem);
        RequestOpen(nItem);
    }
    return TRUE;
}

int CFrameMenuBar::ItemOfMnemonic(UINT nChar) const
{
    const wint_t chWanted = towupper((wint_t)nChar);
    for (size_t n = 0; n < m_items.size(); n++)
    {
        const CString& strText = m_items[n].strText;
        for (int i = 0; i + 1 < strText.GetLength(); i++)
            if (strText[i] == L'&')
            {
                if (strText[i + 1] != L'&' && towupper(strText[i + 1]) == chWanted)
                    return (int)n;
                i++;
            }
    }
    return -1;
}

int CFrameMenuBar::Neighbour(int nItem, int nDir) const
{
    const int nCount = (int)m_items.size();
    if (!nCount)
        return -1;
    return ((nItem < 0 ? (nDir > 0 ? -1 : 0) : nItem) + nDir + nCount) % nCount;
}
