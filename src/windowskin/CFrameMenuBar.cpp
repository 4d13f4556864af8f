#include "CFrameMenuBar.h"
#include "../parts/CGdiSelect.h"
#include "../parts/CMenuBarItemLook.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include <algorithm>

namespace
{
// 96-DPI room above and below a row's text, and beside an item's.
const int ROW_MARGIN = 3;
const int ITEM_PADDING = 8;
// A host's menu is not a skin's, but a bar of more items than this would not be read anyway.
const int MAX_ITEMS = 256;

// The bar whose popup is open on this thread, and the message filter installed meanwhile.
thread_local CFrameMenuBar* t_pTracking = NULL;
thread_local HHOOK t_hMenuFilter = NULL;

// The open popup menus of this thread, each with its menu.
BOOL CALLBACK AddPopup(HWND hWnd, LPARAM lParam)
{
    wchar_t szClass[8] = L"";
    if (::IsWindowVisible(hWnd) && ::GetClassNameW(hWnd, szClass, _countof(szClass)) && !wcscmp(szClass, L"#32768"))
        if (HMENU hMenu = (HMENU)::SendMessageW(hWnd, MN_GETHMENU, 0, 0))
            ((std::vector<HMENU>*)lParam)->push_back(hMenu);
    return TRUE;
}

std::vector<HMENU> OpenPopups()
{
    std::vector<HMENU> popups;
    ::EnumThreadWindows(::GetCurrentThreadId(), AddPopup, (LPARAM)&popups);
    return popups;
}

// The submenu the highlighted item of hMenu opens, or null.
HMENU HighlightedSubmenu(HMENU hMenu, BOOL* pHighlighted = NULL)
{
    const int nCount = std::min(::GetMenuItemCount(hMenu), MAX_ITEMS);
    for (int i = 0; i < nCount; i++)
        if (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_HILITE)
        {
            if (pHighlighted)
                *pHighlighted = TRUE;
            return ::GetSubMenu(hMenu, i);
        }
    return NULL;
}

// Whether the arrow towards submenus belongs to the popups: the deepest open one has a
// highlighted item that opens a submenu.
BOOL DeepestOpensSubmenu(const std::vector<HMENU>& popups)
{
    for (HMENU hMenu : popups)
    {
        HMENU hSub = HighlightedSubmenu(hMenu);
        if (hSub && std::find(popups.begin(), popups.end(), hSub) == popups.end())
            return TRUE;
    }
    return FALSE;
}
}

CFrameMenuBar::CFrameMenuBar(CWnd& wnd, CInterfaceTheme& theme)
    : m_wnd(wnd), m_theme(theme), m_hMenu(NULL), m_nHot(-1), m_nPressed(-1), m_nNext(-1), m_bNextByKeyboard(FALSE), m_hTracked(NULL),
      m_bInitMenuHeard(FALSE),
      m_bBackToBar(FALSE), m_bKeyboardMode(FALSE), m_bLeaveOnKeyUp(FALSE), m_pNextBar(NULL),
      m_pAlive(std::make_shared<bool>(true))
{
}

CFrameMenuBar::~CFrameMenuBar()
{
    *m_pAlive = false;
    Clear();
    if (t_pTracking == this)
        t_pTracking = NULL;
}

BOOL CFrameMenuBar::HasMenu() const
{
    return m_hMenu && ::IsMenu(m_hMenu) && ::GetMenu(m_wnd.m_hWnd) == m_hMenu;
}

void CFrameMenuBar::Clear()
{
    Cancel();
    Unregister();
    m_items.clear();
    m_rcBar.SetRectEmpty();
    m_hMenu = NULL;
    m_nHot = m_nPressed = -1;
}

void CFrameMenuBar::TakeRoom(RECT& rcClient, const POINT& ptWindow, const CDpiScale& scale)
{
    HMENU hMenu = ::GetMenu(m_wnd.m_hWnd);
    if (!hMenu || !::IsMenu(hMenu) || (m_wnd.GetStyle() & WS_CHILD))
    {
        Clear();
        return;
    }
    if (hMenu != m_hMenu)
        m_nHot = m_nPressed = -1;
    m_hMenu = hMenu;
    m_scale = scale;
    Register();

    CClientDC dc(NULL);
    CGdiSelect font(dc.m_hDC, m_font.Get((HFONT)m_theme.NormalFont().m_hObject, scale));
    TEXTMETRICW tm = {};
    dc.GetTextMetrics(&tm);
    const int cyRow = tm.tmHeight + 2 * scale.Scale(ROW_MARGIN);
    const int cxPadding = 2 * scale.Scale(ITEM_PADDING);
    const int cxBar = std::max<int>(0, rcClient.right - rcClient.left);

    m_items.clear();
    int x = 0, y = 0;
    // Where the current row starts, and its first item pushed to the right, in m_items.
    size_t nRowStart = 0, nRightFrom = SIZE_MAX;
    auto endRow = [&]() {
        if (nRightFrom < m_items.size())
        {
            const int dx = std::max<int>(0, cxBar - m_items.back().rc.right);
            for (size_t n = nRightFrom; n < m_items.size(); n++)
                m_items[n].rc.OffsetRect(dx, 0);
        }
        nRowStart = m_items.size();
        nRightFrom = SIZE_MAX;
    };
    const int nCount = std::min(::GetMenuItemCount(hMenu), MAX_ITEMS);
    for (int i = 0; i < nCount; i++)
    {
        MENUITEMINFOW info = { sizeof(info) };
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_BITMAP;
        if (!::GetMenuItemInfoW(hMenu, (UINT)i, TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        CItem item;
        item.nPosition = (UINT)i;
        item.bPopup = info.hSubMenu != NULL;
        item.hBitmap = info.hbmpItem;
        wchar_t szText[256] = L"";
        ::GetMenuStringW(hMenu, (UINT)i, szText, _countof(szText), MF_BYPOSITION);
        item.strText = szText;
        int cx = cyRow;
        if (!item.strText.IsEmpty())
        {
            CRect rcText(0, 0, 0, 0);
            dc.DrawText(item.strText, &rcText, DT_SINGLELINE | DT_CALCRECT);
            cx = rcText.Width() + cxPadding;
        }
        const BOOL bBreak = (info.fType & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0;
        if (m_items.size() > nRowStart && (bBreak || x + cx > cxBar))
        {
            endRow();
            x = 0;
            y += cyRow;
        }
        if ((info.fType & MFT_RIGHTJUSTIFY) && nRightFrom == SIZE_MAX)
            nRightFrom = m_items.size();
        item.rc.SetRect(x, y, x + cx, y + cyRow);
        x += cx;
        m_items.push_back(item);
    }
    endRow();

    // The client area keeps at least nothing; the bar never reaches past the window.
    const int cyBar = std::min<int>(y + cyRow, std::max<int>(0, rcClient.bottom - rcClient.top));
    m_rcBar.SetRect(rcClient.left - ptWindow.x, rcClient.top - ptWindow.y, rcClient.left - ptWindow.x + cxBar,
                    rcClient.top - ptWindow.y + cyBar);
    for (CItem& item : m_items)
        item.rc.OffsetRect(m_rcBar.TopLeft());
    rcClient.top += cyBar;
}

int CFrameMenuBar::Measure(int cxClient, const CDpiScale& scale)
{
    // A client area too tall to limit the bar; the next frame calculation places it.
    RECT rc = { 0, 0, std::max(cxClient, 0), 0x3FFFFFFF };
    const POINT pt = { 0, 0 };
    TakeRoom(rc, pt, scale);
    return rc.top;
}

void CFrameMenuBar::Paint(CDC* pWindowDC)
{
    PaintPart(pWindowDC, m_rcBar);
}

void CFrameMenuBar::PaintPart(CDC* pWindowDC, const CRect& rcPart)
{
    if (m_rcBar.IsRectEmpty() || rcPart.IsRectEmpty() || !HasMenu() || !pWindowDC)
        return;
    CDC* pBuffer = m_theme.GetBufferDC(pWindowDC, m_rcBar.Size());
    if (!pBuffer)
        return;
    // The buffer holds the bar at its place in the bar; only rcPart of it is drawn and copied.
    CRect rcBuffer = rcPart;
    rcBuffer.OffsetRect(-m_rcBar.left, -m_rcBar.top);
    const COLORREF crBack = m_theme.Colour(SkinColour::MenuBack);
    pBuffer->FillSolidRect(&rcBuffer, crBack);
    const HFONT hFont = m_font.Get((HFONT)m_theme.NormalFont().m_hObject, m_scale);
    for (size_t n = 0; n < m_items.size(); n++)
    {
        const CItem& item = m_items[n];
        CRect rc = item.rc;
        if (!CRect().IntersectRect(&rc, &rcPart))
            continue;
        rc.OffsetRect(-m_rcBar.left, -m_rcBar.top);
        const UINT nState = ::GetMenuState(m_hMenu, item.nPosition, MF_BYPOSITION);
        const BOOL bGrayed = nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED));
        const BOOL bPressed = (int)n == m_nPressed;
        const BOOL bHot = !bPressed && (int)n == m_nHot;
        if (item.strText.IsEmpty())
        {
            PaintBitmapItem(pBuffer, item, rc, bPressed);
            continue;
        }
        const CMenuBarItemLook::Colours colours = { crBack, m_theme.Colour(SkinColour::MenuBorder),
                                                    m_theme.Colour(SkinColour::MenuHover),
                                                    m_theme.GetMenuTextColour(bPressed || bHot, bGrayed) };
        CMenuBarItemLook::Draw(pBuffer, colours, hFont, m_scale, item.strText, rc, bPressed, bHot);
    }
    pWindowDC->BitBlt(rcPart.left, rcPart.top, rcPart.Width(), rcPart.Height(), pBuffer, rcBuffer.left, rcBuffer.top,
                      SRCCOPY);
}

void CFrameMenuBar::PaintBitmapItem(CDC* pDC, const CItem& item, const CRect& rc, BOOL bPressed)
{
    // The buttons a maximised MDI child puts on its frame's bar.
    UINT nButton = 0;
    if (item.hBitmap == HBMMENU_MBAR_CLOSE || item.hBitmap == HBMMENU_MBAR_CLOSE_D)
        nButton = DFCS_CAPTIONCLOSE | (item.hBitmap == HBMMENU_MBAR_CLOSE_D ? DFCS_INACTIVE : 0);
    else if (item.hBitmap == HBMMENU_MBAR_MINIMIZE || item.hBitmap == HBMMENU_MBAR_MINIMIZE_D)
        nButton = DFCS_CAPTIONMIN | (item.hBitmap == HBMMENU_MBAR_MINIMIZE_D ? DFCS_INACTIVE : 0);
    else if (item.hBitmap == HBMMENU_MBAR_RESTORE)
        nButton = DFCS_CAPTIONRESTORE;
    CRect rcButton = rc;
    rcButton.DeflateRect(m_scale.Scale(2), m_scale.Scale(2));
    if (nButton)
    {
        pDC->DrawFrameControl(&rcButton, DFC_CAPTION, nButton | (bPressed ? DFCS_PUSHED : 0));
        return;
    }
    if (item.hBitmap == HBMMENU_SYSTEM)
    {
        MENUITEMINFOW info = { sizeof(info) };
        info.fMask = MIIM_DATA;
        HWND hChild = ::GetMenuItemInfoW(m_hMenu, item.nPosition, TRUE, &info) ? (HWND)info.dwItemData : NULL;
        HICON hIcon = hChild && ::IsWindow(hChild) ? (HICON)::SendMessageW(hChild, WM_GETICON, ICON_SMALL, 0) : NULL;
        if (hIcon)
            ::DrawIconEx(pDC->m_hDC, rcButton.left, rcButton.top, hIcon, rcButton.Width(), rcButton.Height(), 0, NULL,
                         DI_NORMAL);
    }
}

BOOL CFrameMenuBar::HitTest(const CPoint& ptScreen) const
{
    if (m_rcBar.IsRectEmpty() || !HasMenu())
        return FALSE;
    CRect rcWindow;
    m_wnd.GetWindowRect(&rcWindow);
    CRect rcBar = m_rcBar;
    rcBar.OffsetRect(rcWindow.TopLeft());
    return rcBar.PtInRect(ptScreen);
}

int CFrameMenuBar::ItemAt(const CPoint& ptScreen) const
{
    if (!HitTest(ptScreen))
        return -1;
    // Every message of an open popup's loop passes here: the window is asked where it is once.
    CRect rcWindow;
    m_wnd.GetWindowRect(&rcWindow);
    const CPoint pt = ptScreen - rcWindow.TopLeft();
    for (size_t n = 0; n < m_items.size(); n++)
        if (m_items[n].rc.PtInRect(pt))
            return (int)n;
    return -1;
}

CRect CFrameMenuBar::ScreenRect(int nItem) const
{
    CRect rcWindow;
    m_wnd.GetWindowRect(&rcWindow);
    CRect rc = m_items[(size_t)nItem].rc;
    rc.OffsetRect(rcWindow.TopLeft());
    return rc;
}

void CFrameMenuBar::Redraw(int nItemA, int nItemB, int nItemC)
{
    CRect rcPart(0, 0, 0, 0);
    for (int nItem : { nItemA, nItemB, nItemC })
        if (nItem >= 0 && nItem < (int)m_items.size())
            rcPart.UnionRect(&rcPart, &m_items[(size_t)nItem].rc);
    if (rcPart.IsRectEmpty() || !::IsWindow(m_wnd.m_hWnd))
        return;
    CWindowDC dc(&m_wnd);
    PaintPart(&dc, rcPart & m_rcBar);
}

void CFrameMenuBar::SetHot(int nItem)
{
    if (nItem == m_nHot)
        return;
    const int nOldHot = m_nHot;
    m_nHot = nItem;
    Redraw(nOldHot, nItem, -1);
}

void CFrameMenuBar::OnNcMouseMove(const CPoint& ptScreen)
{
    if (t_pTracking == this || m_bKeyboardMode)
        return;
    const int nItem = ItemAt(ptScreen);
    SetHot(nItem);
    if (nItem >= 0)
    {
        TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE | TME_NONCLIENT, m_wnd.m_hWnd, 0 };
        ::TrackMouseEvent(&tme);
    }
}

void CFrameMenuBar::OnNcMouseLeave()
{
    if (t_pTracking != this && !m_bKeyboardMode)
        SetHot(-1);
}

BOOL CFrameMenuBar::OnNcLButtonDown(const CPoint& ptScreen)
{
    const int nItem = ItemAt(ptScreen);
    if (nItem < 0)
        return HitTest(ptScreen);
    Track(nItem, FALSE);
    return TRUE;
}

void CFrameMenuBar::Track(int nItem, BOOL bKeyboard)
{
    if (t_pTracking || nItem < 0 || nItem >= (int)m_items.size() || !HasMenu())
        return;
    const std::shared_ptr<bool> pAlive = m_pAlive;
    const HWND hWnd = m_wnd.m_hWnd;
    LeaveKeyboardMode();
    m_bInitMenuHeard = FALSE;
    while (*pAlive && nItem >= 0 && nItem < (int)m_items.size() && HasMenu())
    {
        const CItem item = m_items[(size_t)nItem];
        HMENU hPopup = ::GetSubMenu(m_hMenu, (int)item.nPosition);
        if (!hPopup)
        {
            // An item without a popup is a command of its own.
            const UINT nState = ::GetMenuState(m_hMenu, item.nPosition, MF_BYPOSITION);
            if (!(nState & (MF_GRAYED | MF_DISABLED)))
                ::PostMessageW(hWnd, WM_COMMAND, ::GetMenuItemID(m_hMenu, (int)item.nPosition), 0);
            break;
        }
        const int nOldPressed = m_nPressed, nOldHot = m_nHot;
        m_nPressed = m_nHot = nItem;
        m_nNext = -1;
        m_bBackToBar = FALSE;
        Redraw(nOldPressed, nOldHot, nItem);
        const CRect rc = ScreenRect(nItem);
        CMenuSkinner::SetMenuAttach(rc.left, rc.bottom, rc.Width());
        t_pTracking = this;
        t_hMenuFilter = ::SetWindowsHookExW(WH_MSGFILTER, MenuFilter, NULL, ::GetCurrentThreadId());
        // Opened from the keyboard, the popup starts on its first item, as the system's do.
        if (bKeyboard)
            ::PostMessageW(hWnd, WM_KEYDOWN, VK_DOWN, 0);
        TPMPARAMS params = { sizeof(params), rc };
        m_hTracked = hPopup;
        ::TrackPopupMenuEx(hPopup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON, rc.left, rc.bottom, hWnd,
                           &params);
        if (t_hMenuFilter)
            ::UnhookWindowsHookEx(t_hMenuFilter);
        t_hMenuFilter = NULL;
        if (!*pAlive)
            return;
        m_hTracked = NULL;
        t_pTracking = NULL;
        nItem = m_nNext;
        bKeyboard = m_bNextByKeyboard;
    }
    const int nLast = m_nPressed, nOldHot = m_nHot;
    m_nPressed = -1;
    // Where the pointer was at the last message: asking the system where it is now costs a
    // round trip to the display.
    const DWORD dwPos = ::GetMessagePos();
    m_nHot = ItemAt(CPoint((short)LOWORD(dwPos), (short)HIWORD(dwPos)));
    if (m_bBackToBar && nLast >= 0)
        EnterKeyboardMode(nLast);
    else
        Redraw(nLast, nOldHot, m_nHot);
}

void CFrameMenuBar::Cancel()
{
    LeaveKeyboardMode();
    if (t_pTracking == this)
        SwitchTo(-1, FALSE);
}

BOOL CFrameMenuBar::OnInitMenu(WPARAM& wParam) const
{
    if (t_pTracking != this || !m_hTracked || (HMENU)wParam != m_hTracked)
        return TRUE;
    if (m_bInitMenuHeard)
        return FALSE;
    m_bInitMenuHeard = TRUE;
    wParam = (WPARAM)m_hMenu;
    return TRUE;
}

void CFrameMenuBar::SwitchTo(int nItem, BOOL bKeyboard)
{
    m_nNext = nItem;
    m_bNextByKeyboard = bKeyboard;
    ::EndMenu();
}

LRESULT CALLBACK CFrameMenuBar::MenuFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == MSGF_MENU && t_pTracking && lParam && t_pTracking->OnMenuMessage((MSG*)lParam))
        return 1;
    return ::CallNextHookEx(t_hMenuFilter, nCode, wParam, lParam);
}

BOOL CFrameMenuBar::OnMenuMessage(MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
    {
        if (pMsg->wParam != VK_LEFT && pMsg->wParam != VK_RIGHT && pMsg->wParam != VK_ESCAPE)
            return FALSE;
        const std::vector<HMENU> popups = OpenPopups();
        // Within submenus the keys are the popups'; from the bar's own popup they move along the bar.
        if (pMsg->wParam == VK_RIGHT)
        {
            if (DeepestOpensSubmenu(popups))
                return FALSE;
            SwitchTo(Neighbour(m_nPressed, 1), TRUE);
            return TRUE;
        }
        if (popups.size() > 1)
            return FALSE;
        if (pMsg->wParam == VK_LEFT)
            SwitchTo(Neighbour(m_nPressed, -1), TRUE);
        else
        {
            m_bBackToBar = TRUE;
            SwitchTo(-1, FALSE);
        }
        return TRUE;
    }
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    {
        const int nItem = ItemAt(pMsg->pt);
        if (nItem < 0 || nItem == m_nPressed || !m_items[(size_t)nItem].bPopup)
            return FALSE;
        SwitchTo(nItem, FALSE);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    {
        const int nItem = ItemAt(pMsg->pt);
        if (nItem < 0)
            return HitTest(pMsg->pt) ? (SwitchTo(-1, FALSE), TRUE) : FALSE;
        // A click on the open item closes it; on another, opens that one.
        SwitchTo(nItem == m_nPressed ? -1 : nItem, FALSE);
        return TRUE;
    }
    }
    return FALSE;
}
