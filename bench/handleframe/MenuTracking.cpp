// The menu bar's tracking: WM_NCLBUTTONDOWN on the first bar item, timed until the popup's menu
// loop, ended from inside once it goes idle with the popup painted, returns.
#include "../BenchSupport.h"
#include "MenuTracking.h"
#include "KorvoTest.h"
#include <api/Globals.h>
#include <theme/CMenuSkinner.h>
#include <commctrl.h>
#include <stdio.h>
#include <algorithm>
#include <string>

using namespace KorvoBench;

namespace
{
const int TRACKING_RUNS = 7;
const int OPENS_PER_RUN = 10;
// A menu loop that has not been ended from inside by then is ended from outside, and its run fails.
const UINT SAFETY_MILLISECONDS = 3000;

// One open of a bar's popup being timed: ended from inside when the menu loop first goes idle,
// by then with the popup shown and painted.
struct CTracking
{
    HWND hWnd = NULL;
    bool bEnded = false;   // the loop went idle and was told to end
    bool bPopup = false;   // a popup menu window was up when it did
    bool bReframed = false; // the library's menu engine had re-framed it
    bool bTimedOut = false; // the safety timer had to end it
};
CTracking g_tracking;

BOOL CALLBACK FindPopup(HWND hWnd, LPARAM lParam)
{
    wchar_t szClass[16] = L"";
    if (::IsWindowVisible(hWnd) && ::GetClassNameW(hWnd, szClass, 16) && wcscmp(szClass, L"#32768") == 0)
    {
        *(HWND*)lParam = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The thread's popup menu window on screen, or null.
HWND ShownPopup()
{
    HWND hPopup = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindPopup, (LPARAM)&hPopup);
    return hPopup;
}

// Sees the idle message of a menu loop, whichever window of the thread owns it (a bar drawn by
// the library may track its popups for a window of its own).
HHOOK g_hIdleHook = NULL;
LRESULT CALLBACK IdleHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMessage = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && pMessage->message == WM_ENTERIDLE && pMessage->wParam == MSGF_MENU && !g_tracking.bEnded)
    {
        g_tracking.bEnded = true;
        const HWND hPopup = ShownPopup();
        g_tracking.bPopup = hPopup != NULL;
        g_tracking.bReframed = hPopup && ::GetWindowLongPtrW(hPopup, GWLP_WNDPROC) == (LONG_PTR)CMenuSkinner::MenuWndProc;
        ::EndMenu();
        // A bar's loop with no popup up is not ended by EndMenu everywhere; Escape ends it.
        if (!g_tracking.bPopup)
            ::PostMessageW(g_tracking.hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    return ::CallNextHookEx(g_hIdleHook, nCode, wParam, lParam);
}

void CALLBACK SafetyTimer(HWND, UINT, UINT_PTR, DWORD)
{
    g_tracking.bTimedOut = true;
    ::EndMenu();
    ::PostMessageW(g_tracking.hWnd, WM_CANCELMODE, 0, 0);
    ::PostMessageW(g_tracking.hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageW(g_tracking.hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
}

// The screen point of the bar's first item: down from the window's top edge, a little inside the
// client area's left edge, the middle of the rows that answer HTMENU. When none does, bFound is
// false and the point is the one just above the client area.
CPoint FirstBarItem(HWND hWnd, bool& bFound)
{
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    CPoint ptClient(0, 0);
    ::ClientToScreen(hWnd, &ptClient);
    const int x = ptClient.x + 8;
    int yFirst = -1, yLast = -1;
    for (int y = rcWindow.top; y < ptClient.y; y++)
    {
        if (::SendMessageW(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTMENU)
        {
            yFirst = yFirst < 0 ? y : yFirst;
            yLast = y;
        }
        else if (yFirst >= 0)
            break;
    }
    bFound = yFirst >= 0;
    return bFound ? CPoint(x, (yFirst + yLast) / 2) : CPoint(x, ptClient.y - 2);
}

// Why the last open that failed did.
const char* g_pszOpenFailure = "";

// Seconds of one open and close of the popup under point; negative when no popup opened or
// the loop had to be ended from outside. Counts the popups the library re-framed.
double OpenFirstPopup(HWND hWnd, CPoint point, int& nReframed)
{
    g_tracking = CTracking();
    g_tracking.hWnd = hWnd;
    const UINT_PTR nTimer = ::SetTimer(NULL, 0, SAFETY_MILLISECONDS, SafetyTimer);
    const double dStart = Now();
    ::SendMessageW(hWnd, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(point.x, point.y));
    const double dTime = Now() - dStart;
    ::KillTimer(NULL, nTimer);
    // What the closed popup uncovered, and any key posted to end the loop, are not timed.
    KorvoTest::PumpMessages(0);
    nReframed += g_tracking.bReframed ? 1 : 0;
    if (g_tracking.bEnded && g_tracking.bPopup && !g_tracking.bTimedOut)
        return dTime;
    g_pszOpenFailure = g_tracking.bTimedOut ? "its menu loop did not go idle and was ended by the safety timer"
                     : g_tracking.bEnded   ? "its menu loop went idle with no popup up"
                                           : "no menu loop went idle: no popup opened at the point";
    return -1;
}

// Seconds per open for one run of OPENS_PER_RUN, the window active as a click makes it, with
// the library's popup menus or the system's; negative when an open failed.
double OpenSeconds(HWND hWnd, CPoint point, bool bLibraryMenus, int& nReframed)
{
    if (bLibraryMenus)
        g_MenuSkinner.Initialize();
    else
        g_MenuSkinner.Release();
    ::SetForegroundWindow(hWnd);
    Raise(hWnd);
    double dTotal = 0;
    for (int n = 0; n < OPENS_PER_RUN; n++)
    {
        const double dOpen = OpenFirstPopup(hWnd, point, nReframed);
        if (dOpen < 0)
            return -1;
        dTotal += dOpen;
    }
    return dTotal / OPENS_PER_RUN;
}

// A message filter and a window subclass that do nothing: what any bar kept for a window by
// its handle adds to the messages of the popup's loop and to those sent to the window.
HHOOK g_hFloorFilter = NULL;
LRESULT CALLBACK FloorFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    return ::CallNextHookEx(g_hFloorFilter, nCode, wParam, lParam);
}

LRESULT CALLBACK FloorSubclass(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
}

// The system's bar opening its first popup the way every bar but the system's own must: the item
// lit, the popup tracked by TrackPopupMenuEx under a message filter (which sees the pointer move
// to the neighbours), the item unlit after. No drawing of its own.
LRESULT CALLBACK PlatformPopupSubclass(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (nMsg != WM_NCLBUTTONDOWN || wParam != HTMENU)
        return ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
    const HMENU hMenu = ::GetMenu(hWnd);
    RECT rcItem;
    if (!::GetMenuItemRect(hWnd, hMenu, 0, &rcItem))
        return 0;
    ::HiliteMenuItem(hWnd, hMenu, 0, MF_BYPOSITION | MF_HILITE);
    g_hFloorFilter = ::SetWindowsHookExW(WH_MSGFILTER, FloorFilter, NULL, ::GetCurrentThreadId());
    TPMPARAMS params = { sizeof(params), rcItem };
    ::TrackPopupMenuEx(::GetSubMenu(hMenu, 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON, rcItem.left,
                       rcItem.bottom, hWnd, &params);
    ::UnhookWindowsHookEx(g_hFloorFilter);
    g_hFloorFilter = NULL;
    ::HiliteMenuItem(hWnd, hMenu, 0, MF_BYPOSITION | MF_UNHILITE);
    return 0;
}
} // namespace

double Best(double dBest, double dRun)
{
    return dBest < 0 || dRun < 0 ? -1 : std::min(dBest, dRun);
}

void PrintTime(const char* pszWhat, double dSeconds)
{
    if (dSeconds > 0)
        printf("handleframe: %-58s %9.1f us\n", pszWhat, dSeconds * 1e6);
    else
        printf("handleframe: %-58s    failed\n", pszWhat);
}


void MeasureMenuTracking(HWND hBarSkinned, HWND hBarSystem, bool bBarsReady)
{
    bool bSkinnedItem = false, bSystemItem = false;
    const CPoint ptSkinned = bBarsReady ? FirstBarItem(hBarSkinned, bSkinnedItem) : CPoint();
    const CPoint ptSystem = bBarsReady ? FirstBarItem(hBarSystem, bSystemItem) : CPoint();
    if (bBarsReady)
    {
        printf("handleframe: first bar item of the skinned frame at %d, %d%s\n", (int)ptSkinned.x, (int)ptSkinned.y,
               bSkinnedItem ? " (answers HTMENU)" : " (nothing answers HTMENU: the point just above the client area)");
        printf("handleframe: first bar item of the system frame at %d, %d%s\n", (int)ptSystem.x, (int)ptSystem.y,
               bSystemItem ? " (answers HTMENU)" : " (nothing answers HTMENU: the point just above the client area)");
    }
    // The skinned bar with the library's popups, with the system's popups, the system's bar, the
    // system's bar with a do-nothing message filter, and the system's bar opening its popup
    // through TrackPopupMenuEx.
    const int CASES = 5;
    double dOpen[CASES];
    int nReframed[CASES] = {};
    std::fill(dOpen, dOpen + CASES, bBarsReady ? 1e30 : -1);
    if (bBarsReady)
    {
        g_hIdleHook = ::SetWindowsHookExW(WH_CALLWNDPROC, IdleHook, NULL, ::GetCurrentThreadId());
        // Warm-up, then interleaved runs, each starting with another case.
        int nWarmUp = 0;
        OpenSeconds(hBarSkinned, ptSkinned, true, nWarmUp);
        OpenSeconds(hBarSystem, ptSystem, false, nWarmUp);
        for (int nRun = 0; nRun < TRACKING_RUNS; nRun++)
            for (int n = 0; n < CASES; n++)
            {
                // A case whose open failed is not tried again.
                const int nCase = (n + nRun) % CASES;
                if (dOpen[nCase] < 0)
                    continue;
                if (nCase == 3)
                {
                    g_hFloorFilter = ::SetWindowsHookExW(WH_MSGFILTER, FloorFilter, NULL, ::GetCurrentThreadId());
                    ::SetWindowSubclass(hBarSystem, FloorSubclass, 1, 0);
                }
                if (nCase == 4)
                    ::SetWindowSubclass(hBarSystem, PlatformPopupSubclass, 1, 0);
                const bool bSkinned = nCase < 2;
                dOpen[nCase] = Best(dOpen[nCase], OpenSeconds(bSkinned ? hBarSkinned : hBarSystem,
                                                              bSkinned ? ptSkinned : ptSystem, nCase == 0, nReframed[nCase]));
                if (nCase == 3)
                {
                    ::UnhookWindowsHookEx(g_hFloorFilter);
                    ::RemoveWindowSubclass(hBarSystem, FloorSubclass, 1);
                }
                if (nCase == 4)
                    ::RemoveWindowSubclass(hBarSystem, PlatformPopupSubclass, 1);
                g_hFloorFilter = NULL;
                if (dOpen[nCase] < 0)
                    printf("handleframe: the %s frame's popup: %s\n", bSkinned ? "skinned" : "system", g_pszOpenFailure);
            }
        ::UnhookWindowsHookEx(g_hIdleHook);
        g_hIdleHook = NULL;
        g_MenuSkinner.Initialize();
    }
    printf("handleframe: best of %d runs of %d opens of the first bar item's popup\n", TRACKING_RUNS, OPENS_PER_RUN);
    PrintTime("skinned by handle, the library's popup opened and closed", dOpen[0]);
    PrintTime("skinned by handle, the system's popup opened and closed", dOpen[1]);
    PrintTime("system frame and bar, popup opened and closed", dOpen[2]);
    PrintTime("system frame and bar, with a filter and a subclass, popup opened and closed", dOpen[3]);
    PrintTime("system frame and bar, popup by TrackPopupMenuEx, opened and closed", dOpen[4]);
    printf("handleframe: popups re-framed by the library's menu engine: %d, %d, %d, %d and %d of those\n", nReframed[0],
           nReframed[1], nReframed[2], nReframed[3], nReframed[4]);

    // The bar's own tracking is judged with the same popups on both sides; the skinned popup's
    // cost is the popup menu benchmark's.
    std::string strLabel = "menu bar tracking: first popup opened and closed, bar skinned by handle vs system, same popups";
    if (bBarsReady && !bSkinnedItem)
        strLabel += " (at the point above the client: no HTMENU)";
    Row(strLabel.c_str(), dOpen[1], dOpen[2], TIME_AT_MOST, 1.00);
    Row("menu bar tracking: skinned by handle with the library's popups vs the system's bar", dOpen[0], dOpen[2], NO_TARGET);
    Row("menu bar tracking floor: the system's bar with a do-nothing filter and subclass vs without", dOpen[3], dOpen[2],
        NO_TARGET);
    Row("menu bar tracking: bar skinned by handle vs the floor above, same popups", dOpen[1], dOpen[3], TIME_AT_MOST, 1.00);
    Row("menu bar tracking floor: the system's bar opening its popup by TrackPopupMenuEx under a filter vs its own loop",
        dOpen[4], dOpen[2], NO_TARGET);
    Row("menu bar tracking: bar skinned by handle vs that TrackPopupMenuEx floor, same popups", dOpen[1], dOpen[4],
        TIME_AT_MOST, 1.00);

}
