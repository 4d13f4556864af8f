// A 30-item popup menu opened and painted: items made owner-drawn and painted by the library's
// menu engine in its re-framed popup, against the same items drawn by the system in a plain
// popup, in the same process. Each open is timed from TrackPopupMenu until the menu loop goes
// idle with the popup painted (WM_ENTERIDLE), where the owner ends it.
//
// Rows for information follow the judged one: the library's own share of a skinned open (the
// WM_INITMENUPOPUP work, the measuring, the painting), and the floor the window system sets, a
// re-framed popup of owner-drawn items that are measured at fixed sizes and paint nothing, and
// what a message hook that does nothing adds to the system's own popup. The judged floor is
// those blank owner-drawn items in the system's popup under that do-nothing hook, without the
// library: every item is measured and painted by a message the hook sees, and where a hooked
// message is dear (a round trip to the window server under Wine) that alone sets the pace.
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include <KorvoSkin/SkinApi.h>
#include <api/Globals.h>
#include <theme/CMenuSkinner.h>
#include <stdio.h>
#include <algorithm>
#include "api/Globals.h"

namespace
{

const int ITEMS = 30;
const int RUNS = 7;
const int OPENS_PER_RUN = 10;

// Who measures and paints the items of the owner's menus.
enum ItemPainter
{
    PAINTER_SYSTEM,  // plain items, the system's popup
    PAINTER_LIBRARY, // routed to the library as a host does
    PAINTER_NOTHING, // prepared by the library, then given fixed sizes and left blank
    PAINTER_HOOKED,  // plain items, the system's popup, under a message hook that does nothing
    PAINTER_BARE,    // as PAINTER_NOTHING in the system's popup without the library, under the hook
                     // that does nothing: the same messages, each through a hook
};

// The engine finds popup windows with a hook on every message the thread sends; this one does
// nothing else, so its row shows what such a hook costs the platform on its own.
LRESULT CALLBACK PassingHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// Per open, in seconds: the whole open, and the time spent in each of the owner's handlers.
struct COpenTimes
{
    double dOpen = 1e30;
    double dInit = 0;
    double dMeasure = 0;
    double dDraw = 0;
};

// Ends every menu as soon as its loop is idle; hands menu items to the chosen painter and
// adds up the time its handlers take.
class CMenuOwnerWnd : public CWnd
{
public:
    ItemPainter m_painter = PAINTER_SYSTEM;
    COpenTimes m_handlers;
    int m_nIdle = 0;
    int m_nDrawn = 0;

protected:
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        if (nMessage == WM_ENTERIDLE)
        {
            if (wParam == MSGF_MENU)
            {
                m_nIdle++;
                ::EndMenu();
            }
            return 0;
        }
        if (m_painter == PAINTER_SYSTEM || m_painter == PAINTER_HOOKED ||
            (nMessage != WM_INITMENUPOPUP && nMessage != WM_MEASUREITEM && nMessage != WM_DRAWITEM))
            return CWnd::WindowProc(nMessage, wParam, lParam);

        double dStart = KorvoBench::Now();
        LRESULT lResult = TRUE;
        double* pdSpent = &m_handlers.dInit;
        if (nMessage == WM_INITMENUPOPUP)
        {
            CMenu* pMenu = CMenu::FromHandle((HMENU)wParam);
            if (m_painter == PAINTER_LIBRARY)
                OnSkinInitMenuPopup(pMenu, LOWORD(lParam), HIWORD(lParam), this);
            else
                g_MenuSkinner.PrepareMenu(pMenu);
            lResult = 0;
        }
        else if (nMessage == WM_MEASUREITEM)
        {
            pdSpent = &m_handlers.dMeasure;
            MEASUREITEMSTRUCT* pMIS = (MEASUREITEMSTRUCT*)lParam;
            if (m_painter == PAINTER_LIBRARY)
                OnSkinMeasureItem((int)wParam, pMIS);
            else
            {
                pMIS->itemWidth = 200;
                pMIS->itemHeight = pMIS->itemID ? 25 : 5;
            }
        }
        else
        {
            pdSpent = &m_handlers.dDraw;
            if (m_painter == PAINTER_LIBRARY && OnSkinDrawItem((int)wParam, (DRAWITEMSTRUCT*)lParam))
                m_nDrawn++;
        }
        *pdSpent += KorvoBench::Now() - dStart;
        return lResult;
    }
};

HMENU MakeMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    for (int n = 0; n < ITEMS; n++)
    {
        wchar_t szText[64];
        if (n % 10 == 9)
        {
            ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL);
            continue;
        }
        swprintf(szText, 64, L"&Command number %d\tCtrl+%d", n + 1, n % 10);
        ::AppendMenuW(hMenu, MF_STRING | (n % 7 == 3 ? MF_CHECKED : 0) | (n % 11 == 5 ? MF_GRAYED : 0), 100 + n, szText);
    }
    return hMenu;
}

// One run of OPENS_PER_RUN opens, with the engine's hook on or off (it re-frames every popup
// of the thread); the whole open and the handlers' shares, per open. A run in which a menu
// never went idle has a negative open time.
COpenTimes TimeOpens(CMenuOwnerWnd& owner, HMENU hMenu, ItemPainter painter)
{
    const bool bPassing = painter == PAINTER_HOOKED || painter == PAINTER_BARE;
    if (painter == PAINTER_SYSTEM || bPassing)
        g_MenuSkinner.Release();
    else
        g_MenuSkinner.Initialize();
    HHOOK hPassing = bPassing ? ::SetWindowsHookExW(WH_CALLWNDPROC, PassingHook, NULL, ::GetCurrentThreadId()) : NULL;
    owner.m_painter = painter;
    owner.m_handlers = COpenTimes();
    int nIdleBefore = owner.m_nIdle;
    double dStart = KorvoBench::Now();
    for (int n = 0; n < OPENS_PER_RUN; n++)
        ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NOANIMATION, 300, 40, 0, owner.m_hWnd, NULL);
    if (hPassing)
        ::UnhookWindowsHookEx(hPassing);
    COpenTimes times = owner.m_handlers;
    bool bRan = owner.m_nIdle - nIdleBefore == OPENS_PER_RUN && (!bPassing || hPassing);
    times.dOpen = bRan ? KorvoBench::Now() - dStart : -OPENS_PER_RUN;
    KorvoTest::PumpMessages(0);
    times.dOpen /= OPENS_PER_RUN;
    times.dInit /= OPENS_PER_RUN;
    times.dMeasure /= OPENS_PER_RUN;
    times.dDraw /= OPENS_PER_RUN;
    return times;
}

// The run with the shortest opens; a failed run fails the whole.
void KeepBest(COpenTimes& best, const COpenTimes& run)
{
    if (best.dOpen > 0 && (run.dOpen < 0 || run.dOpen < best.dOpen))
        best = run;
}

} // namespace

int main()
{
    KorvoBench::StartHostApplication(L"KorvoMenuBench");
    // The library's default look: an empty host folder holds no definitions.
    KorvoTest::CTempFolder folder;
    g_strAppFolder = folder.Path();
    InitSkin();
    LoadSkin(L"", L"");

    CMenuOwnerWnd owner;
    if (!owner.CreateEx(0, AfxRegisterWndClass(0), L"menu owner", WS_POPUP | WS_VISIBLE, 20, 20, 200, 120, NULL, NULL))
    {
        printf("menu: the owner window could not be created\n");
        return 1;
    }
    ::SetForegroundWindow(owner.m_hWnd);
    KorvoTest::PumpMessages(20);

    HMENU hSystemMenu = MakeMenu();
    HMENU hSkinnedMenu = MakeMenu();
    HMENU hBlankMenu = MakeMenu();
    HMENU hBareMenu = MakeMenu();
    // Warm-up, then interleaved runs, so that a busy moment of the machine slows all alike.
    TimeOpens(owner, hSystemMenu, PAINTER_SYSTEM);
    TimeOpens(owner, hSkinnedMenu, PAINTER_LIBRARY);
    TimeOpens(owner, hBlankMenu, PAINTER_NOTHING);
    TimeOpens(owner, hSystemMenu, PAINTER_HOOKED);
    TimeOpens(owner, hBareMenu, PAINTER_BARE);
    owner.m_nDrawn = 0;
    COpenTimes system, skinned, blank, hooked, bare;
    for (int nRun = 0; nRun < RUNS; nRun++)
    {
        KeepBest(system, TimeOpens(owner, hSystemMenu, PAINTER_SYSTEM));
        KeepBest(skinned, TimeOpens(owner, hSkinnedMenu, PAINTER_LIBRARY));
        KeepBest(blank, TimeOpens(owner, hBlankMenu, PAINTER_NOTHING));
        KeepBest(hooked, TimeOpens(owner, hSystemMenu, PAINTER_HOOKED));
        KeepBest(bare, TimeOpens(owner, hBareMenu, PAINTER_BARE));
    }
    const int nExpectedDrawn = RUNS * OPENS_PER_RUN * ITEMS;
    printf("menu: %d-item popup, best of %d runs of %d opens; %d of %d item paints went to the library\n", ITEMS, RUNS,
           OPENS_PER_RUN, owner.m_nDrawn, nExpectedDrawn);
    if (owner.m_nDrawn < nExpectedDrawn)
        skinned.dOpen = -1;
    printf("menu: system-drawn open and paint              %8.3f ms\n", system.dOpen * 1000);
    printf("menu: skinned open and paint                   %8.3f ms\n", skinned.dOpen * 1000);
    printf("menu:   of which WM_INITMENUPOPUP              %8.3f ms\n", skinned.dInit * 1000);
    printf("menu:   of which %2d WM_MEASUREITEM             %8.3f ms\n", ITEMS, skinned.dMeasure * 1000);
    printf("menu:   of which %2d WM_DRAWITEM                %8.3f ms\n", ITEMS, skinned.dDraw * 1000);
    printf("menu: re-framed popup, items left blank        %8.3f ms\n", blank.dOpen * 1000);
    printf("menu: system-drawn under a do-nothing hook     %8.3f ms\n", hooked.dOpen * 1000);
    printf("menu: owner-drawn blank, do-nothing hook only  %8.3f ms\n", bare.dOpen * 1000);
    using KorvoBench::Row;
    Row("popup menu open+paint: skinned vs system", skinned.dOpen, system.dOpen, KorvoBench::TIME_AT_MOST, 1.5);
    Row("popup menu: re-framed, items left blank vs system", blank.dOpen, system.dOpen, KorvoBench::NO_TARGET);
    Row("popup menu: system-drawn under a do-nothing message hook vs system", hooked.dOpen, system.dOpen,
        KorvoBench::NO_TARGET);
    // The platform's share: the owner-drawn popup's own messages (a measure and a paint per
    // item), each through a message hook, with nothing of the library.
    Row("popup menu floor: owner-drawn blank items under a do-nothing hook vs system", bare.dOpen, system.dOpen,
        KorvoBench::TIME_AT_MOST, 1.5);
    Row("popup menu: skinned vs the floor above", skinned.dOpen, bare.dOpen, KorvoBench::TIME_AT_MOST, 1.1);
    Row("popup menu: library's WM_INITMENUPOPUP work vs system open", skinned.dInit, system.dOpen, KorvoBench::NO_TARGET);
    Row("popup menu: library's measuring vs system open", skinned.dMeasure, system.dOpen, KorvoBench::NO_TARGET);
    Row("popup menu: library's painting vs system open", skinned.dDraw, system.dOpen, KorvoBench::NO_TARGET);

    ::DestroyMenu(hSystemMenu);
    ::DestroyMenu(hSkinnedMenu);
    ::DestroyMenu(hBlankMenu);
    ::DestroyMenu(hBareMenu);
    owner.DestroyWindow();
    UnInitSkin();
    return 0;
}
