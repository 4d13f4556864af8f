// Long reliability runs, outside the test suite (scripts/soak runs this program, one process per
// part, two parts at a time; scripts/bench leaves it out). Each part prints its counts and the
// process's handle, USER and GDI object, memory and thread figures at its start and end:
//   api           every exported function and host-class entry point with null, empty, unknown,
//                 huge and destroyed arguments, before InitSkin, while loaded, after UnInitSkin,
//                 each phase twice;
//   definitions   generated and mutated skin definitions and images through LoadSkin, each
//                 input watched by a thread that ends the process and keeps the input if one
//                 load takes too long;
//   switches      skin switches with a skinned dialog, its toolbar, menu bar and controls
//                 painting and popup menus opened;
//   animation     animated-image controls loaded, paused, resumed and destroyed at seeded random
//                 moments, each cycle watched; no thread may stay behind;
//   messages      every message the library's windows handle, with garbage parameters, posted and
//                 sent from their thread, another thread and another process (messages-child).
// Usage: bench_soak.exe api | definitions [COUNT [WATCHDOG_SECONDS]] | switches [COUNT]
//                       | animation [COUNT [WATCHDOG_SECONDS]] | messages [COUNT]
// Exit status: 0 when the part held, 1 when it could not run or found a fault, 3 on a hang.
#include "SoakSupport.h"
#include "../BenchSupport.h"
#include <KorvoSkin/SkinApi.h>
#include <api/Globals.h>
#include <commctrl.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>

using namespace KorvoBench;

namespace
{
CWinApp g_soakApp(L"KorvoSoak");
}

int main()
{
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);
    setvbuf(stdout, NULL, _IONBF, 0);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES };
    ::InitCommonControlsEx(&icc);
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    CString strPart = argc > 1 ? argv[1] : L"";
    unsigned nCount = argc > 2 ? (unsigned)wcstoul(argv[2], NULL, 10) : 1000;
    DWORD nWatchdog = argc > 3 ? (DWORD)wcstoul(argv[3], NULL, 10) : 10;
    ::LocalFree(argv);
    if (!nWatchdog)
        nWatchdog = 10;

    wchar_t szProgram[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameW(NULL, szProgram, MAX_PATH);
    if (!nLength || nLength >= MAX_PATH)
        return 1;
    CString strBundled(szProgram);
    strBundled = strBundled.Left(strBundled.ReverseFind(L'\\') + 1) + L"loadskin-skins\\";
    g_strAppFolder = strBundled;

    Soak::COwnerWnd owner;
    if (!owner.CreateEx(0, AfxRegisterWndClass(0), L"soak owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 60, NULL, NULL))
        return 1;

    CString strError;
    int nResult = -1;
    if (strPart == L"api")
    {
        Soak::PrintFigures("api", "start", Soak::Measure());
        double dStart = Now();
        nResult = Soak::RunApi(CString(L'x', 1 << 20), owner);
        Soak::PrintFigures("api", "end", Soak::Measure());
        printf("api: %d calls in 3 phases (before InitSkin, loaded, after UnInitSkin), each twice, %.1f s\n", nResult,
               Now() - dStart);
    }
    else if (strPart == L"definitions")
        nResult = Soak::RunDefinitions(nCount, nWatchdog, strBundled, strError);
    else if (strPart == L"switches")
        nResult = Soak::RunSwitches(nCount, owner, strError);
    else if (strPart == L"animation")
        nResult = Soak::RunAnimation(nCount, nWatchdog, strError);
    else if (strPart == L"messages")
        nResult = Soak::RunMessages(nCount, strError);
    else if (strPart == L"messages-child")
        return Soak::RunMessagesChild(nCount) < 0 ? 1 : 0;
    else
        strError = L"the part must be api, definitions, switches, animation or messages";
    owner.DestroyWindow();
    if (nResult < 0)
    {
        printf("%ls: %ls\n", (LPCWSTR)strPart, (LPCWSTR)strError);
        return 1;
    }
    return 0;
}
