// The animation part: animated-image controls loaded, paused, resumed and destroyed at seeded
// random moments, each cycle watched for a deadlock; at the end no animation thread, handle or
// object may stay behind.
#include "SoakSupport.h"
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include "PictureFiles.h"
#include <KorvoSkin/CImageStatic.h>
#include <KorvoSkin/SkinApi.h>
#include <stdio.h>
#include <memory>
#include <string>
#include <vector>

using namespace KorvoBench;

namespace Soak
{

namespace
{

// Multi-frame GIFs with delays of 0 and 1 (the shortest wait), none at all, and a one-frame GIF,
// at sizes from one pixel to larger than the control; a file cut short and a missing one.
std::vector<CString> WritePictures(const KorvoTest::CTempFolder& folder)
{
    std::vector<CString> paths;
    auto Write = [&](LPCWSTR pszName, const std::vector<BYTE>& bytes, size_t nLength) {
        paths.push_back(folder.WriteFile(pszName, bytes.data(), std::min(nLength, bytes.size())));
    };
    std::vector<COLORREF> colours;
    for (int n = 0; n < 12; n++)
        colours.push_back(RGB(n * 20, 255 - n * 20, (n * 70) & 0xFF));
    std::vector<BYTE> gif = PictureFiles::MakeGif(40, 30, { colours.begin(), colours.begin() + 3 }, 1);
    Write(L"three.gif", gif, gif.size());
    Write(L"cut.gif", gif, gif.size() / 2);
    std::vector<BYTE> gifZero = PictureFiles::MakeGif(1, 1, { colours.begin(), colours.begin() + 2 }, 0);
    Write(L"zero.gif", gifZero, gifZero.size());
    std::vector<BYTE> gifNoDelay = PictureFiles::MakeGif(200, 150, colours, -1);
    Write(L"nodelay.gif", gifNoDelay, gifNoDelay.size());
    std::vector<BYTE> still = PictureFiles::MakeGif(16, 16, { colours[0] }, 5);
    Write(L"still.gif", still, still.size());
    paths.push_back(folder.Path() + L"missing.gif");
    return paths;
}

// A short wait of 0 to 3 ms, sometimes with the control's messages dispatched instead.
void ShortWait(CRandom& random)
{
    unsigned nWait = random.Below(5);
    if (nWait == 4)
        KorvoTest::PumpMessages(0);
    else
        ::Sleep(nWait);
}

// One cycle: a control made over a static window, loaded, paused, resumed and destroyed in an
// order and with waits drawn from the cycle's number.
void Cycle(unsigned nCycle, CWnd& host, const std::vector<CString>& pictures)
{
    CRandom random(nCycle);
    auto pControl = std::make_unique<CImageStatic>();
    if (!pControl->Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(4, 4, 84, 64), &host, 100))
        return;
    int nSteps = 2 + random.Below(8);
    for (int n = 0; n < nSteps; n++)
    {
        switch (random.Below(7))
        {
        case 0:
        case 1:
            pControl->Load(pictures[random.Below((unsigned)pictures.size())]);
            break;
        case 2:
            pControl->SetPause(true);
            break;
        case 3:
            pControl->SetPause(false);
            break;
        case 4:
            pControl->InitAnimation();
            break;
        case 5:
            pControl->Draw();
            pControl->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            break;
        default:
            pControl->Destroy();
            break;
        }
        ShortWait(random);
    }
    // Ends three ways: Destroy then the window, the window alone (a paused animation too), or
    // the object alone, whose destructor must stop the thread.
    switch (random.Below(3))
    {
    case 0:
        pControl->Destroy();
        pControl->DestroyWindow();
        break;
    case 1:
        pControl->DestroyWindow();
        break;
    default:
    {
        HWND hWnd = pControl->m_hWnd;
        pControl.reset();
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
        break;
    }
    }
}

} // namespace

int RunAnimation(unsigned nCount, DWORD nWatchdogSeconds, CString& strError)
{
    InitSkin();
    KorvoTest::CTempFolder folder;
    std::vector<CString> pictures = WritePictures(folder);
    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), L"soak animation", WS_POPUP | WS_VISIBLE, 120, 0, 100, 80, NULL,
                       NULL))
    {
        strError = L"the host window could not be created";
        return -1;
    }
    CWatchdog watchdog(nWatchdogSeconds, [nWatchdogSeconds](unsigned nCycle) {
        printf("animation: cycle %u took over %lu s: a deadlock. bench_soak.exe animation %u repeats it.\n", nCycle,
               (unsigned long)nWatchdogSeconds, nCycle + 1);
    });
    // The first cycles start GDI+'s and the platform's own threads and caches.
    const unsigned nWarm = std::min(nCount, 20u);
    CFigures start;
    double dStart = Now();
    for (unsigned n = 0; n < nCount; n++)
    {
        if (n == nWarm)
        {
            KorvoTest::PumpMessages(0);
            start = Measure();
            PrintFigures("animation", "start", start);
        }
        watchdog.Begin(n);
        Cycle(n, host, pictures);
        watchdog.End();
        if (n % 2000 == 1999)
            printf("animation: %u cycles, %.1f s\n", n + 1, Now() - dStart);
    }
    double dElapsed = Now() - dStart;
    KorvoTest::PumpMessages(0);
    CFigures end = Measure();
    host.DestroyWindow();
    UnInitSkin();
    PrintFigures("animation", "end", end);
    printf("animation: %u cycles, 0 deadlocks (watchdog %lu s per cycle), threads %d at the start and %d at the end,"
           " %.1f s, %.0f cycles/s\n", nCount, (unsigned long)nWatchdogSeconds, start.nThreads, end.nThreads, dElapsed,
           nCount / dElapsed);
    if (nCount > nWarm && end.nThreads != start.nThreads)
    {
        strError.Format(L"%d threads at the start, %d at the end", start.nThreads, end.nThreads);
        return -1;
    }
    return (int)nCount;
}

} // namespace Soak
