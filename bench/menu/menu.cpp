// A 30-item popup menu opened and painted: items made owner-drawn and painted by the library's
// menu engine in its re-framed popup, against the same items drawn by the system in a plain
// popup, in the same process. Each open is timed from TrackPopupMenu until the menu loop goes
// idle with the popup painted (WM_ENTERIDLE), where the owner ends it.
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include <KorvoSkin/SkinApi.h>
#include <api/Globals.h>
#include <theme/CMenuSkinner.h>
#include <stdio.h>
#include <algorithm>

using namespace KorvoBench;

namespace
{

CWinApp g_benchApp(L"KorvoMenuBench");

const int ITEMS = 30;
const int RUNS = 7;
const int OPENS_PER_RUN = 10;

// Ends every menu as soon as its loop is idle; routes menu items to the library when skinned.
class CMenuOwnerWnd : public CWnd
{
public:
    bool m_bSkinned = false;
    int m_nIdle = 0;
    int m_nDrawn = 0;

protected:
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        switch (nMessage)
        {
        case WM_ENTERIDLE:
            if (wParam == MSGF_MENU)
            {
                m_nIdle++;
                ::EndMenu();
            }
            return 0;
        case WM_INITMENUPOPUP:
            if (m_bSkinned)
            {
                OnSkinInitMenuPopup(CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), HIWORD(lParam), this);
                return 0;
            }
            break;
        case WM_MEASUREITEM:
            if (m_bSkinned && OnSkinMeasureItem((int)wParam, (MEASUREITEMSTRUCT*)lParam))
                return TRUE;
            break;
        case WM_DRAWITEM:
            if (m_bSkinned && OnSkinDrawItem((int)wParam, (DRAWITEMSTRUCT*)lParam))
            {
                m_nDrawn++;
                return TRUE;
            }
            break;
        }
        return CWnd::WindowProc(nMessage, wParam, lParam);
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

// Seconds for OPENS_PER_RUN opens of the menu; negative when a menu never went idle.
double TimeOpens(CMenuOwnerWnd& owner, HMENU hMenu)
{
    int nIdleBefore = owner.m_nIdle;
    double dStart = Now();
    for (int n = 0; n < OPENS_PER_RUN; n++)
        ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NOANIMATION, 300, 40, 0, owner.m_hWnd, NULL);
    double dTime = Now() - dStart;
    KorvoTest::PumpMessages(0);
    return owner.m_nIdle - nIdleBefore == OPENS_PER_RUN ? dTime : -1;
}

} // namespace

int main()
{
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);
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
    auto System = [&]() {
        // The engine's thread hook re-frames every popup of the thread: off for the system's.
        g_MenuSkinner.Release();
        owner.m_bSkinned = false;
        return TimeOpens(owner, hSystemMenu);
    };
    auto Skinned = [&]() {
        g_MenuSkinner.Initialize();
        owner.m_bSkinned = true;
        return TimeOpens(owner, hSkinnedMenu);
    };
    // Warm-up, then interleaved runs, each keeping its best.
    System();
    Skinned();
    owner.m_nDrawn = 0;
    double dSystem = 1e30, dSkinned = 1e30;
    for (int nRun = 0; nRun < RUNS && dSystem > 0 && dSkinned > 0; nRun++)
    {
        dSystem = std::min(dSystem, System());
        dSkinned = std::min(dSkinned, Skinned());
    }
    const int nExpectedDrawn = RUNS * OPENS_PER_RUN * ITEMS;
    printf("menu: %d-item popup, best of %d runs of %d opens; %d of %d item paints went to the library\n", ITEMS, RUNS,
           OPENS_PER_RUN, owner.m_nDrawn, nExpectedDrawn);
    if (owner.m_nDrawn < nExpectedDrawn)
        dSkinned = -1;
    printf("menu: system-drawn open and paint   %8.3f ms\n", dSystem * 1000 / OPENS_PER_RUN);
    printf("menu: skinned open and paint        %8.3f ms\n", dSkinned * 1000 / OPENS_PER_RUN);
    Row("popup menu open+paint: skinned vs system", dSkinned / OPENS_PER_RUN, dSystem / OPENS_PER_RUN, TIME_AT_MOST, 1.5);

    ::DestroyMenu(hSystemMenu);
    ::DestroyMenu(hSkinnedMenu);
    owner.DestroyWindow();
    UnInitSkin();
    return 0;
}
