#include "SoakSupport.h"
#include "KorvoTest.h"
#include <KorvoSkin/SkinApi.h>
#define PSAPI_VERSION 2
#include <psapi.h>
#include <stdio.h>
#include <tlhelp32.h>
#include <algorithm>
#include <vector>

namespace Soak
{

namespace
{

// The test helpers probe GDI and USER slots; kernel handles are probed here the same way.
int FreshKernelHigh()
{
    int nHigh = 0;
    std::vector<HANDLE> events;
    for (int n = 0; n < 300; n++)
    {
        events.push_back(::CreateEventW(NULL, FALSE, FALSE, NULL));
        nHigh = std::max(nHigh, (int)((UINT_PTR)events.back() & 0xFFFFFF));
    }
    for (HANDLE hEvent : events)
        ::CloseHandle(hEvent);
    return nHigh;
}

} // namespace

int CountThreads()
{
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return -1;
    int nThreads = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            nThreads++;
    ::CloseHandle(hSnapshot);
    return nThreads;
}

CFigures Measure()
{
    CFigures figures;
    HANDLE hProcess = ::GetCurrentProcess();
    ::GetProcessHandleCount(hProcess, &figures.nHandles);
    figures.nGdi = ::GetGuiResources(hProcess, GR_GDIOBJECTS);
    figures.nUser = ::GetGuiResources(hProcess, GR_USEROBJECTS);
    figures.nFreshKernel = FreshKernelHigh();
    KorvoTest::CHandleHighs highs = KorvoTest::FreshHandleHighs();
    figures.nFreshGdi = highs.nGdi;
    figures.nFreshUser = highs.nUser;
    figures.nCommitted = KorvoTest::CommittedPrivateBytes();
    figures.nThreads = CountThreads();
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (::GetProcessMemoryInfo(hProcess, (PROCESS_MEMORY_COUNTERS*)&counters, sizeof(counters)))
        figures.nPrivate = counters.PrivateUsage;
    return figures;
}

void PrintFigures(const char* pszPart, const char* pszWhen, const CFigures& f)
{
    printf("%-11s %-5s GetProcessHandleCount %lu, GetGuiResources GDI %lu USER %lu, private usage %.1f MiB;"
           " highest fresh handle kernel %d GDI %d USER %d; committed private %.1f MiB; threads %d\n",
           pszPart, pszWhen, (unsigned long)f.nHandles, (unsigned long)f.nGdi, (unsigned long)f.nUser,
           f.nPrivate / 1048576.0, f.nFreshKernel, f.nFreshGdi, f.nFreshUser, f.nCommitted / 1048576.0, f.nThreads);
    fflush(stdout);
}

CWatchdog::CWatchdog(DWORD nSeconds, std::function<void(unsigned)> fnHang)
{
    m_thread = std::thread([this, nSeconds, fnHang] {
        while (m_bWatching)
        {
            ::Sleep(100);
            // Unsigned differences stay right across the tick count's wrap.
            DWORD nStart = m_nStart;
            if (m_bBusy && ::GetTickCount() - nStart > nSeconds * 1000)
            {
                fnHang(m_nStep);
                fflush(stdout);
                ::TerminateProcess(::GetCurrentProcess(), 3);
            }
        }
    });
}

CWatchdog::~CWatchdog()
{
    m_bWatching = false;
    m_thread.join();
}

LRESULT COwnerWnd::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_ENTERIDLE && wParam == MSGF_MENU)
    {
        ::EndMenu();
        return 0;
    }
    if (nMessage == WM_INITMENUPOPUP)
    {
        OnSkinInitMenuPopup(CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), HIWORD(lParam), this);
        return 0;
    }
    if (nMessage == WM_MEASUREITEM && OnSkinMeasureItem((int)wParam, (MEASUREITEMSTRUCT*)lParam))
        return TRUE;
    if (nMessage == WM_DRAWITEM && OnSkinDrawItem((int)wParam, (DRAWITEMSTRUCT*)lParam))
        return TRUE;
    return CWnd::WindowProc(nMessage, wParam, lParam);
}

void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EndMenu();
}

} // namespace Soak
