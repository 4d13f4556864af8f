// What skinning costs per window: one skinned dialog beside the same dialog unskinned, one
// skinned control of each kind beside the plain control, one toolbar, one open popup menu
// skinned beside the system's, and one loaded bundled skin with the bytes of its pictures. For
// each: the bytes the process's heaps hold in use and its committed private bytes, its
// GDI and USER objects as the system counts them (a platform that keeps no count shows 0), and
// for windows the time from creation to the first paint. Figures are per object, from COUNT
// objects alive at once.
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <KorvoSkin.h>
#include <api/Globals.h>
#include <theme/CMenuSkinner.h>
#include <stdio.h>
#include <functional>
#include <memory>
#include <vector>

using namespace KorvoBench;

namespace
{
const int COUNT = 20;

struct CSample
{
    double dHeap, dCommitted;
    DWORD nGdi, nUser;
};

// Bytes in use in every heap of the process.
double HeapBytes()
{
    double dTotal = 0;
    HANDLE hHeaps[64];
    DWORD nHeaps = ::GetProcessHeaps(_countof(hHeaps), hHeaps);
    for (DWORD n = 0; n < nHeaps && n < _countof(hHeaps); n++)
    {
        PROCESS_HEAP_ENTRY entry = {};
        if (!::HeapLock(hHeaps[n]))
            continue;
        while (::HeapWalk(hHeaps[n], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                dTotal += entry.cbData;
        ::HeapUnlock(hHeaps[n]);
    }
    return dTotal;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// What the process holds now, messages left waiting (inside a menu's loop they are the loop's).
CSample SampleNow()
{
    HANDLE hProcess = ::GetCurrentProcess();
    return { HeapBytes(), (double)KorvoTest::CommittedPrivateBytes(), ::GetGuiResources(hProcess, GR_GDIOBJECTS),
             ::GetGuiResources(hProcess, GR_USEROBJECTS) };
}

CSample Sample()
{
    Pump();
    AfxDeleteTempMaps();
    return SampleNow();
}

void PrintHeader()
{
    printf("%-26s %12s %12s %8s %8s %12s\n", "one of", "heap bytes", "committed", "GDI", "USER", "first paint");
}

// One line: the difference between two samples over nCount objects, and a time when there is one.
void PrintLine(const char* pszWhat, const CSample& before, const CSample& after, int nCount, double dPaint = -1)
{
    char szPaint[32] = "-";
    if (dPaint >= 0)
        snprintf(szPaint, sizeof(szPaint), "%.3f ms", dPaint * 1000);
    printf("%-26s %12.0f %12.0f %8.1f %8.1f %12s\n", pszWhat, (after.dHeap - before.dHeap) / nCount,
           (after.dCommitted - before.dCommitted) / nCount, ((double)after.nGdi - before.nGdi) / nCount,
           ((double)after.nUser - before.nUser) / nCount, szPaint);
}

// nCount of what fnMake makes, alive at once, measured; fnMake paints each, and its first one
// is timed from creation to its painted pixels.
template <class T> void Measure(const char* pszWhat, int nCount, const std::function<T*()>& fnMake)
{
    std::vector<std::unique_ptr<T>> objects;
    objects.emplace_back(fnMake()); // the first of a kind creates what all later ones share
    CSample before = Sample();
    double dStart = Now();
    objects.emplace_back(fnMake());
    ::GdiFlush();
    double dPaint = Now() - dStart;
    for (int n = 1; n < nCount; n++)
        objects.emplace_back(fnMake());
    PrintLine(pszWhat, before, Sample(), nCount, dPaint);
}

struct CDialogs
{
    KorvoTest::CDialogTemplate dialogTemplate{ WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT, 300, 160,
                                               L"A host's dialog" };
    CDialogs()
    {
        for (int n = 0; n < 4; n++)
            dialogTemplate.AddControl(L"Button", 1000 + n, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10 + n * 60, 10, 55, 14,
                                      L"Button");
        dialogTemplate.AddControl(L"Edit", 1100, WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 30, 200, 12, L"Text");
    }
    template <class T> T* Make(const std::function<void(T&)>& fnSkin)
    {
        T* pDialog = new T;
        if (pDialog->CreateIndirect(dialogTemplate.Get()))
        {
            fnSkin(*pDialog);
            pDialog->ShowWindow(SW_SHOWNOACTIVATE);
            pDialog->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        return pDialog;
    }
};

// A host window for controls and bars, destroyed with its children.
struct CHost : CWnd
{
    CHost() { CreateEx(0, AfxRegisterWndClass(0), L"costs", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, NULL, NULL); }
    ~CHost() { DestroyWindow(); }
    HWND Child(LPCWSTR pszClass, DWORD dwStyle, LPCWSTR pszText)
    {
        HWND hWnd = ::CreateWindowExW(0, pszClass, pszText, dwStyle | WS_CHILD | WS_VISIBLE, 10, 10, 150, 30, m_hWnd, NULL,
                                      NULL, NULL);
        ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        return hWnd;
    }
};

// Opens a popup menu of twenty items and, once its loop goes idle with the popup painted, takes
// what the open popup holds and how long it took to show; the library's menu engine serves the
// window's menus (the skinned popup) or is stood down (the system's).
struct CMenuHost : CWnd
{
    CSample before = {}, open = {};
    double dStart = 0, dShown = -1;

    CMenuHost() { CreateEx(0, AfxRegisterWndClass(0), L"menus", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL); }
    ~CMenuHost() { DestroyWindow(); }

    void Measure(const char* pszWhat, bool bSkinned)
    {
        if (bSkinned)
            g_MenuSkinner.Initialize();
        else
            g_MenuSkinner.Release();
        HMENU hMenu = ::CreatePopupMenu();
        for (int n = 0; n < 20; n++)
        {
            wchar_t szText[32];
            swprintf(szText, 32, L"&Command %d\tCtrl+%d", n + 1, n % 10);
            ::AppendMenuW(hMenu, MF_STRING | (n % 7 == 3 ? MF_CHECKED : 0), 100 + n, szText);
        }
        ::SetForegroundWindow(m_hWnd);
        // The first open makes what every later one shares.
        for (int nOpen = 0; nOpen < 2; nOpen++)
        {
            dShown = -1;
            before = Sample();
            dStart = Now();
            ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NOANIMATION, 40, 40, 0, m_hWnd, NULL);
        }
        ::DestroyMenu(hMenu);
        g_MenuSkinner.Initialize();
        if (dShown >= 0)
            PrintLine(pszWhat, before, open, 1, dShown);
        else
            printf("%-26s did not open\n", pszWhat);
    }

protected:
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        if (nMessage == WM_ENTERIDLE && wParam == MSGF_MENU && dShown < 0)
        {
            ::GdiFlush();
            dShown = Now() - dStart;
            open = SampleNow();
            ::EndMenu();
            return 0;
        }
        return CWnd::WindowProc(nMessage, wParam, lParam);
    }
};

// A control of type T subclassing a fresh child, painted again once skinned.
template <class T> T* Skinned(CHost& host, LPCWSTR pszClass, DWORD dwStyle, LPCWSTR pszText)
{
    T* pControl = new T;
    pControl->SubclassWindow(host.Child(pszClass, dwStyle, pszText));
    pControl->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    return pControl;
}

}

int main()
{
    StartHostApplication(L"CostsBench");
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&icc);
    CString strProgram;
    ::GetModuleFileNameW(NULL, strProgram.GetBuffer(MAX_PATH), MAX_PATH);
    strProgram.ReleaseBuffer();
    g_strAppFolder = strProgram.Left(strProgram.ReverseFind(L'\\') + 1) + L"loadskin-skins\\";
    InitSkin();
    if (__argc == 3 && wcscmp(__wargv[1], L"skin") == 0)
    {
        CSample before = Sample();
        LoadSkin(L"Definitions\\English.xml", CString(L"Definitions\\") + __wargv[2] + L".xml");
        char szWhat[64];
        snprintf(szWhat, sizeof(szWhat), "loaded skin %ls", __wargv[2]);
        PrintLine(szWhat, before, Sample(), 1);
        // The heap holds the load's tables; its pictures are bitmaps of their own, in the
        // committed bytes, counted here at 32 bits to the pixel (one without alpha takes 24).
        const CSkinImageCache& images = g_Theme.Images();
        printf("%-26s %12s %12.0f   %d bitmaps, %lld pixels\n", "  of which pictures", "",
               (double)images.GetPixelCount() * 4, images.GetBitmapCount(), (long long)images.GetPixelCount());
        fflush(stdout);
        UnInitSkin();
        return 0;
    }

    printf("costs: figures per object, %d alive at once \n", COUNT);
    PrintHeader();
    // Each skin is loaded first thing in a process of its own, so no memory freed by an earlier
    // load serves it.
    static const wchar_t* const pszSkins[] = { L"Aurora", L"AuroraPng", L"Ember", L"Midnight" };
    for (const wchar_t* pszSkin : pszSkins)
    {
        fflush(stdout);
        CString strCommand = L"\"" + strProgram + L"\" skin " + pszSkin;
        STARTUPINFOW startup = { sizeof(startup) };
        PROCESS_INFORMATION process = {};
        if (::CreateProcessW(NULL, strCommand.GetBuffer(), NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process))
        {
            ::WaitForSingleObject(process.hProcess, INFINITE);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
        strCommand.ReleaseBuffer();
    }
    LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml");

    CDialogs dialogs;
    Measure<CDialog>("dialog, system frame", COUNT, [&] { return dialogs.Make<CDialog>([](CDialog&) {}); });
    Measure<CSkinDialog>("dialog, skinned", COUNT,
                         [&] { return dialogs.Make<CSkinDialog>([](CSkinDialog& dlg) { dlg.SkinMe(L"Gallery"); }); });
    {
        CHost host;
        Measure<CWnd>("button, system", COUNT, [&] { CWnd* p = new CWnd; p->Attach(host.Child(L"Button", BS_AUTOCHECKBOX, L"Check")); return p; });
        Measure<CSkinCheckBox>("check box, skinned", COUNT, [&] { return Skinned<CSkinCheckBox>(host, L"Button", BS_AUTOCHECKBOX, L"Check"); });
        Measure<CSkinComboBox>("combo box, skinned", COUNT, [&] { return Skinned<CSkinComboBox>(host, L"ComboBox", CBS_DROPDOWNLIST, L""); });
        Measure<CSkinEdit>("edit, skinned", COUNT, [&] { return Skinned<CSkinEdit>(host, L"Edit", WS_BORDER, L"Text"); });
        Measure<CSkinStatic>("label, skinned", COUNT, [&] { return Skinned<CSkinStatic>(host, L"Static", SS_LEFT, L"Text"); });
        Measure<CSkinSliderCtrl>("trackbar, skinned", COUNT, [&] { return Skinned<CSkinSliderCtrl>(host, TRACKBAR_CLASSW, 0, L""); });
        Measure<CSkinTree>("tree, skinned", COUNT, [&] { return Skinned<CSkinTree>(host, WC_TREEVIEWW, TVS_HASBUTTONS, L""); });
        Measure<CTouchEdit>("touch edit", COUNT, [&] { return Skinned<CTouchEdit>(host, L"Edit", 0, L"Text"); });
        Measure<CCoolBarCtrl>("toolbar, skinned", COUNT, [&] {
            CCoolBarCtrl* pBar = new CCoolBarCtrl;
            pBar->Create(&host, WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR);
            CreateSkinToolBar(L"Gallery", pBar);
            if (pBar->m_hWnd)
                pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            return pBar;
        });
    }
    {
        CMenuHost host;
        host.Measure("popup menu, system", false);
        host.Measure("popup menu, skinned", true);
    }
    UnInitSkin();
    return 0;
}
