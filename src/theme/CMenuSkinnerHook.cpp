// The thread hook that finds the system's popup-menu windows, and the window procedure that
// re-frames them.
#include "CMenuSkinner.h"
#include <algorithm>

thread_local HHOOK g_hMenuHook = NULL;
thread_local POINT g_ptMenuAttach = { 0, 0 };
thread_local int g_nMenuAttachWidth = 0;
thread_local LONG g_bMenuPrinting = 1;

namespace
{
// Marks a window of other code whose popups are re-framed.
const wchar_t SERVED_WINDOW_PROPERTY[] = L"KorvoSkin.MenusServed";
const wchar_t MENU_WINDOW_CLASS[] = L"#32768";
// Sent by the system when it sizes a popup-menu window.
const UINT WM_MENU_SIZEWINDOW = 0x01E2;

// Everything the hook knows belongs to its thread: each thread that skins its windows has its own
// hook, engine and windows, and a thread's record goes with it. Plain values, so that the
// library's global objects, whose destructors release the hook, may outlive them.
//
// The menu owners the hook subclassed, with their own procedures. They are kept beside the hook
// rather than in a window property, since every message of an owner asks and a property can
// cost a round trip to the window system; owners past the table's size are left alone (their
// host forwards the menu messages itself, as before).
struct SAVED_PROC
{
    HWND hWnd;
    WNDPROC pfnOld;
};
thread_local SAVED_PROC s_ownerProcs[64];

// hWnd's entry in a table of saved procedures; null finds a free one.
template <size_t N> SAVED_PROC* FindProc(SAVED_PROC (&table)[N], HWND hWnd)
{
    for (SAVED_PROC& entry : table)
        if (entry.hWnd == hWnd)
            return &entry;
    return NULL;
}

SAVED_PROC* FindOwner(HWND hWnd)
{
    return FindProc(s_ownerProcs, hWnd);
}

// The engine that installed g_hMenuHook, which serves the owners the hook subclassed.
thread_local CMenuSkinner* s_pHookSkinner = NULL;
thread_local CMenuSkinner::TOP_LEVEL_OBSERVER s_pfnTopLevelObserver = NULL;
thread_local CMenuSkinner::CREATION_OBSERVER s_pfnCreationObserver = NULL;
// Whether every window of the hooked thread has its popups served, as a framework window has.
thread_local BOOL s_bServeAll = FALSE;

BOOL IsServedOwner(HWND hWnd)
{
    if (CWnd::FromHandlePermanent(hWnd) || ::GetPropW(hWnd, SERVED_WINDOW_PROPERTY))
        return TRUE;
    return s_bServeAll && ::GetWindowThreadProcessId(hWnd, NULL) == ::GetCurrentThreadId();
}

BOOL IsMenuWindow(HWND hWnd)
{
    wchar_t szClass[16];
    return ::GetClassNameW(hWnd, szClass, _countof(szClass)) == 6 && wcscmp(szClass, MENU_WINDOW_CLASS) == 0;
}

// The popup-menu windows the hook re-framed, with their own procedures: every message of a
// popup asks, so they are kept in the process like the owners. A popup past the table's size
// keeps the system's frame.
thread_local SAVED_PROC s_menuProcs[32];

SAVED_PROC* FindMenuProc(HWND hWnd)
{
    return FindProc(s_menuProcs, hWnd);
}

WNDPROC OldWndProcOf(HWND hWnd)
{
    SAVED_PROC* pMenu = hWnd ? FindMenuProc(hWnd) : NULL;
    return pMenu ? pMenu->pfnOld : NULL;
}

// Re-frames the popup-menu window hWnd unless it already is.
void Reframe(HWND hWnd)
{
    const LONG_PTR pfnOld = ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
    if (!pfnOld || pfnOld == (LONG_PTR)&CMenuSkinner::MenuWndProc)
        return;
    // An entry of a window whose handle came round again, its procedure no longer ours.
    SAVED_PROC* pEntry = FindMenuProc(hWnd);
    if (!pEntry)
        pEntry = FindMenuProc(NULL);
    if (!pEntry)
        return;
    *pEntry = { hWnd, (WNDPROC)pfnOld };
    if (!::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)&CMenuSkinner::MenuWndProc))
        *pEntry = { NULL, NULL };
}

// The popup's one-pixel frame, and for a popup dropped from a bar button the top edge left
// open over the button's width.
void DrawMenuFrame(HWND hWnd, CDC* pDC, const CInterfaceTheme& theme)
{
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    BOOL bAttached = rcWindow.left == g_ptMenuAttach.x && rcWindow.top == g_ptMenuAttach.y;
    CRect rcFrame(0, 0, rcWindow.Width(), rcWindow.Height());
    pDC->Draw3dRect(&rcFrame, theme.Colour(SkinColour::MenuBorder), theme.Colour(SkinColour::MenuBorder));
    // A negative width would fill to the left of the start, over the frame's corner.
    int nJoinWidth = std::min((int)rcWindow.Width(), g_nMenuAttachWidth) - 2;
    if (bAttached && nJoinWidth > 0)
        pDC->FillSolidRect(1, 0, nJoinWidth, 1, theme.Colour(SkinColour::MenuBack));
}
}

void CMenuSkinner::Initialize()
{
    OSVERSIONINFOW version = { sizeof(version) };
    ::GetVersionExW(&version);
    m_bEnabled = version.dwMajorVersion >= 5 || (version.dwMajorVersion == 4 && version.dwMinorVersion >= 10);
    // A live hook stays with the engine that installed it.
    if (!m_bEnabled || g_hMenuHook)
        return;
    g_hMenuHook = ::SetWindowsHookExW(WH_CALLWNDPROC, MenuHookProc, NULL, ::GetCurrentThreadId());
    if (g_hMenuHook)
        s_pHookSkinner = this;
}

void CMenuSkinner::Release()
{
    m_conversion.RestoreAll();
    // Another thread's hook, or one a thread that ended took with it, is not this thread's to
    // remove.
    if (!g_hMenuHook || s_pHookSkinner != this)
        return;
    ::UnhookWindowsHookEx(g_hMenuHook);
    g_hMenuHook = NULL;
    s_pHookSkinner = NULL;
}

BOOL CMenuSkinner::IsThreadHooked()
{
    return g_hMenuHook != NULL;
}

void CMenuSkinner::SetTopLevelObserver(TOP_LEVEL_OBSERVER pfnObserver)
{
    s_pfnTopLevelObserver = pfnObserver;
}

void CMenuSkinner::SetCreationObserver(CREATION_OBSERVER pfnObserver)
{
    s_pfnCreationObserver = pfnObserver;
}

void CMenuSkinner::SetMenuAttach(int x, int y, int cx)
{
    g_ptMenuAttach.x = x;
    g_ptMenuAttach.y = y;
    g_nMenuAttachWidth = cx;
}

LRESULT CALLBACK CMenuSkinner::MenuHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION)
    {
        const CWPSTRUCT* pMessage = (const CWPSTRUCT*)lParam;
        HWND hWnd = pMessage->hwnd;
        if (pMessage->message == WM_NCCREATE && s_pfnCreationObserver && pMessage->lParam)
            s_pfnCreationObserver(hWnd, (const CREATESTRUCTW*)pMessage->lParam);
        if (s_pfnTopLevelObserver && (pMessage->message == WM_SETTINGCHANGE || pMessage->message == WM_SYSCOLORCHANGE ||
                                      pMessage->message == WM_CREATE))
        {
            if (!(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) && !IsMenuWindow(hWnd))
                s_pfnTopLevelObserver(hWnd, pMessage->message, pMessage->wParam, pMessage->lParam);
        }
        if ((pMessage->message == WM_CREATE || pMessage->message == WM_MENU_SIZEWINDOW) && IsMenuWindow(hWnd))
        {
            // Menus opened over other programs' windows keep their own look.
            HWND hForeground = ::GetForegroundWindow();
            if (!hForeground || IsServedOwner(hForeground))
                Reframe(hWnd);
        }
        // A closed popup's items are the program's again before its owner hears of the close.
        if (pMessage->message == WM_UNINITMENUPOPUP && s_pHookSkinner)
            s_pHookSkinner->m_conversion.Restore((HMENU)pMessage->wParam);
        // Every menu loop starts with this message to the menu's owner, before the owner is asked
        // to prepare, measure or paint anything: its popups are drawn at the owner's DPI.
        if (pMessage->message == WM_ENTERMENULOOP && s_pHookSkinner)
            s_pHookSkinner->SetMenuWindow(hWnd);
        // A window that serves its own popups (skinned by handle) is left to do so.
        if (pMessage->message == WM_ENTERMENULOOP && !::GetPropW(hWnd, SERVED_WINDOW_PROPERTY) && IsServedOwner(hWnd) &&
            !FindOwner(hWnd))
        {
            SAVED_PROC* pFree = FindOwner(NULL);
            WNDPROC pfnOld = (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
            if (pFree && pfnOld)
            {
                *pFree = { hWnd, pfnOld };
                if (!::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)OwnerWndProc))
                    *pFree = { NULL, NULL };
            }
        }
    }
    return ::CallNextHookEx(g_hMenuHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CMenuSkinner::MenuWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnOld = OldWndProcOf(hWnd);
    if (!pfnOld)
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);

    switch (nMessage)
    {
    case WM_NCCALCSIZE:
        if (lParam)
            ::InflateRect((LPRECT)lParam, -1, -1);
        return 0;

    case WM_WINDOWPOSCHANGING:
        if (WINDOWPOS* pPos = (WINDOWPOS*)lParam)
        {
            // Replace the system frame by the one-pixel border (and one more row below).
            CRect rcAdjust(0, 0, 32, 32);
            ::AdjustWindowRectEx(&rcAdjust, (DWORD)::GetWindowLongW(hWnd, GWL_STYLE), FALSE,
                                 (DWORD)::GetWindowLongW(hWnd, GWL_EXSTYLE));
            pPos->cx += 34 - rcAdjust.Width();
            pPos->cy += 35 - rcAdjust.Height();
            if (pPos->x != g_ptMenuAttach.x || pPos->y != g_ptMenuAttach.y)
                pPos->x += 1;
        }
        break;

    case WM_NCPAINT:
    {
        HDC hDC = s_pHookSkinner ? ::GetWindowDC(hWnd) : NULL;
        if (hDC)
        {
            DrawMenuFrame(hWnd, CDC::FromHandle(hDC), s_pHookSkinner->Theme());
            ::ReleaseDC(hWnd, hDC);
        }
        return 0;
    }

    case WM_PRINT:
    {
        if ((lParam & PRF_CHECKVISIBLE) && !::IsWindowVisible(hWnd))
            return 0;
        CDC* pDC = CDC::FromHandle((HDC)wParam);
        if ((lParam & PRF_NONCLIENT) && s_pHookSkinner)
            DrawMenuFrame(hWnd, pDC, s_pHookSkinner->Theme());
        if (lParam & PRF_CLIENT)
        {
            CRect rcClient;
            ::GetClientRect(hWnd, &rcClient);
            CDC dcMemory;
            CBitmap bmMemory;
            if (dcMemory.CreateCompatibleDC(pDC) &&
                bmMemory.CreateCompatibleBitmap(pDC, rcClient.Width(), rcClient.Height()))
            {
                HGDIOBJ hOldBitmap = dcMemory.SelectObject((HGDIOBJ)bmMemory.m_hObject);
                g_bMenuPrinting = 1;
                dcMemory.FillSolidRect(&rcClient, ::GetSysColor(COLOR_MENU));
                ::SendMessageW(hWnd, WM_PRINTCLIENT, (WPARAM)dcMemory.m_hDC, lParam);
                pDC->BitBlt(1, 1, rcClient.Width(), rcClient.Height(), &dcMemory, 0, 0, SRCCOPY);
                dcMemory.SelectObject(hOldBitmap);
            }
        }
        return 0;
    }

    case WM_PAINT:
        g_bMenuPrinting = 0;
        break;

    case WM_NCDESTROY:
        if (SAVED_PROC* pMenu = FindMenuProc(hWnd))
            *pMenu = { NULL, NULL };
        break;
    }
    return ::CallWindowProcW(pfnOld, hWnd, nMessage, wParam, lParam);
}

LRESULT CALLBACK CMenuSkinner::OwnerWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    SAVED_PROC* pOwner = hWnd ? FindOwner(hWnd) : NULL;
    if (!pOwner)
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    WNDPROC pfnOld = pOwner->pfnOld;
    switch (nMessage)
    {
    case WM_INITMENUPOPUP:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        // After UnInitSkin the window behaves as if it had never been subclassed.
        if (IsThreadHooked() && s_pHookSkinner && s_pHookSkinner->m_bEnabled)
            return s_pHookSkinner->RouteOwnerMessage(hWnd, pfnOld, nMessage, wParam, lParam);
        break;
    case WM_NCDESTROY:
        *pOwner = { NULL, NULL };
        break;
    }
    return ::CallWindowProcW(pfnOld, hWnd, nMessage, wParam, lParam);
}

void CMenuSkinner::ServeAllWindows(BOOL bServe)
{
    s_bServeAll = bServe;
}

void CMenuSkinner::ServeWindow(HWND hWnd, BOOL bServe)
{
    if (!bServe)
        ::RemovePropW(hWnd, SERVED_WINDOW_PROPERTY);
    else
        ::SetPropW(hWnd, SERVED_WINDOW_PROPERTY, (HANDLE)1);
}

LRESULT CMenuSkinner::RouteOwnerMessage(HWND hWnd, WNDPROC pfnOld, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return ServeOwnerMessage(hWnd, nMessage, wParam, lParam,
                             [&] { return ::CallWindowProcW(pfnOld, hWnd, nMessage, wParam, lParam); });
}

LRESULT CMenuSkinner::ServeOwnerMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam,
                                        const std::function<LRESULT()>& ownerHandling)
{
    // The owner's handlers run first, as they would without the engine; whatever they route to
    // the engine (themselves, or through a window they forward to) is not done again.
    m_bServed = FALSE;
    LRESULT lResult = ownerHandling();
    if (m_bServed)
        return lResult;
    if (nMessage == WM_INITMENUPOPUP)
    {
        // A bar's menus are updated by the handlers of the window its commands go to.
        CWnd* pTarget = CWnd::FromHandlePermanent(hWnd);
        if (pTarget && pTarget->IsKindOf(RUNTIME_CLASS(CControlBar)))
            pTarget = ((CControlBar*)pTarget)->GetOwner();
        UpdateMenuPopup(CMenu::FromHandle((HMENU)wParam), pTarget);
        return lResult;
    }
    // Items another program's window draws itself it answers for (TRUE): they stay its own.
    if (lResult && !CWnd::FromHandlePermanent(hWnd))
        return lResult;
    if (nMessage == WM_MEASUREITEM)
    {
        MEASUREITEMSTRUCT* pMIS = (MEASUREITEMSTRUCT*)lParam;
        if (!pMIS || pMIS->CtlType != ODT_MENU || !IsOwnItem(pMIS->itemData))
            return lResult;
        MeasureItem(pMIS);
        return TRUE;
    }
    DRAWITEMSTRUCT* pDIS = (DRAWITEMSTRUCT*)lParam;
    if (!pDIS || pDIS->CtlType != ODT_MENU || !IsOwnItem(pDIS->itemData))
        return lResult;
    DrawItem(pDIS);
    return TRUE;
}

BOOL CMenuSkinner::IsOwnItem(ULONG_PTR nItemData) const
{
    return nItemData == 0 || (nItemData <= 0xFFFFFFFF && m_mapText.PLookup((DWORD)nItemData));
}
