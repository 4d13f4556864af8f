// Windows skinned as their thread creates them. A message box opened, painted and closed with
// the thread skinned against the same box with no hook at all; a frame window the flags leave
// out (the hook sees it and lets it be) created and destroyed against the same with no hook; and
// a thousand skinned message boxes in a row, with the process's GDI and USER objects and private
// bytes before and after, which must not grow (a thousand unskinned ones first show what the
// platform itself keeps).
//
// A box is timed from the call until it has been painted: at the first message its modal loop
// takes, a filter hook (installed for both) paints whatever is pending and closes it. The skin is the gallery's Midnight, copied beside the program at build time.
#include "../BenchSupport.h"
#include <korvoskin.h>
#include <api/Globals.h>
#include "KorvoTest.h"
#include <stdio.h>
#include <algorithm>

using namespace KorvoBench;

namespace
{
const int RUNS = 9;
const int BOXES_PER_RUN = 10;
const int WINDOWS_PER_RUN = 100;
const int SOAK_BOXES = 1000;

HHOOK g_hFilter = NULL;
HWND g_hClosing = NULL;

LRESULT CALLBACK CloseWhenPainted(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = (const MSG*)lParam;
    if (nCode == MSGF_DIALOGBOX && pMsg && pMsg->hwnd)
    {
        const HWND hBox = ::GetAncestor(pMsg->hwnd, GA_ROOT);
        if (hBox != g_hClosing)
        {
            g_hClosing = hBox;
            ::RedrawWindow(hBox, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
            ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
        }
    }
    return ::CallNextHookEx(g_hFilter, nCode, wParam, lParam);
}

HWND CreateWindowOf(LPCWSTR pszClass, WNDPROC pfnProc, DWORD dwStyle)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = ::GetModuleHandleW(NULL);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = pszClass;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, pszClass, L"Bench", dwStyle, 40, 40, 400, 300, NULL, NULL, wc.hInstance, NULL);
}

bool OpenBoxes(HWND hOwner, int nCount)
{
    for (int i = 0; i < nCount; i++)
        if (::MessageBoxW(hOwner, L"The document was saved.", L"Notice", MB_OK | MB_ICONINFORMATION) != IDOK)
            return false;
    return true;
}

bool CreateWindows(int nCount)
{
    for (int i = 0; i < nCount; i++)
    {
        HWND hWnd = CreateWindowOf(L"KorvoBenchPlain", ::DefWindowProcW, WS_OVERLAPPEDWINDOW);
        if (!hWnd)
            return false;
        ::DestroyWindow(hWnd);
    }
    return true;
}

// Wine counts no GDI or USER objects and no private usage: the highest fresh handles and the
// committed private memory grow with what is left alive on every platform.
struct Use
{
    KorvoTest::CHandleHighs handles;
    SIZE_T nPrivate;
};
Use NowUse()
{
    return Use{ KorvoTest::FreshHandleHighs(), KorvoTest::CommittedPrivateBytes() };
}
} // namespace

int main()
{
    StartHostApplication(L"KorvoBenchThreadSkin");
    wchar_t szProgram[MAX_PATH] = L"";
    ::GetModuleFileNameW(NULL, szProgram, MAX_PATH);
    CString strProgram(szProgram);
    g_strAppFolder = strProgram.Left(strProgram.ReverseFind(L'\\') + 1) + L"loadskin-skins\\";
    if (KorvoSkin_Init() != KORVOSKIN_OK ||
        KorvoSkin_LoadSkin(L"Definitions\\English.xml", L"Definitions\\Midnight.xml") != KORVOSKIN_OK)
    {
        printf("the skin could not be loaded from %ls\n", (LPCWSTR)g_strAppFolder);
        return 1;
    }
    const HWND hOwner = CreateWindowOf(L"KorvoBenchOwner", ::DefWindowProcW, WS_OVERLAPPEDWINDOW);
    g_hFilter = ::SetWindowsHookExW(WH_MSGFILTER, CloseWhenPainted, NULL, ::GetCurrentThreadId());

    // Each run alternates the two, so both see the same machine.
    double dSkinned = 1e30, dPlain = 1e30, dHooked = 1e30, dUnhooked = 1e30;
    for (int n = 0; n < RUNS; n++)
    {
        KorvoSkin_SkinThread(KORVOSKIN_THREAD_ALL);
        dSkinned = std::min(dSkinned, BestTime(1, [&] { return OpenBoxes(hOwner, BOXES_PER_RUN); }));
        KorvoSkin_SkinThread(KORVOSKIN_THREAD_DIALOGS | KORVOSKIN_THREAD_MESSAGE_BOXES);
        dHooked = std::min(dHooked, BestTime(1, [] { return CreateWindows(WINDOWS_PER_RUN); }));
        KorvoSkin_SkinThread(0);
        dPlain = std::min(dPlain, BestTime(1, [&] { return OpenBoxes(hOwner, BOXES_PER_RUN); }));
        dUnhooked = std::min(dUnhooked, BestTime(1, [] { return CreateWindows(WINDOWS_PER_RUN); }));
    }
    Row("message box: open, paint, close, skinned vs no hook", dSkinned / BOXES_PER_RUN, dPlain / BOXES_PER_RUN,
        TIME_AT_MOST, 1.30);
    Row("frame the flags leave out: create+destroy vs no hook", dHooked / WINDOWS_PER_RUN,
        dUnhooked / WINDOWS_PER_RUN, TIME_AT_MOST, 1.05);

    // The same thousand with the thread left alone first: what the platform itself keeps.
    auto Soak = [&](UINT nFlags, const char* pszWhat, Use& before, Use& after) {
        KorvoSkin_SkinThread(nFlags);
        OpenBoxes(hOwner, 20);
        before = NowUse();
        const double dStart = Now();
        const bool bOpened = OpenBoxes(hOwner, SOAK_BOXES);
        after = NowUse();
        printf("%d %s message boxes in %.1f s: highest fresh GDI handle %d -> %d, USER %d -> %d, committed private"
               " %.2f -> %.2f MiB\n",
               SOAK_BOXES, pszWhat, Now() - dStart, before.handles.nGdi, after.handles.nGdi, before.handles.nUser,
               after.handles.nUser, before.nPrivate / 1048576.0, after.nPrivate / 1048576.0);
        return bOpened;
    };
    Use plainBefore, plainAfter, before, after;
    Soak(0, "unskinned", plainBefore, plainAfter);
    const bool bOpened = Soak(KORVOSKIN_THREAD_ALL, "skinned", before, after);
    ::DestroyWindow(hOwner);
    ::UnhookWindowsHookEx(g_hFilter);
    KorvoSkin_Uninit();
    const bool bFlat = after.handles.nGdi <= before.handles.nGdi + 8 && after.handles.nUser <= before.handles.nUser + 8 &&
                       (long long)after.nPrivate - (long long)before.nPrivate <=
                           (long long)plainAfter.nPrivate - (long long)plainBefore.nPrivate + 1048576;
    if (!bOpened || !bFlat)
        printf("the message boxes %s\n", bOpened ? "left objects or memory behind" : "did not all open");
    return bOpened && bFlat ? 0 : 1;
}
