// Animated image controls: what the GUI thread pays while 20 controls play (it should pay
// nothing per frame), and what one frame costs the animation thread against drawing the same
// frame with a plain GDI+ DrawImage to a window DC, in thread CPU time.
#include "../BenchSupport.h"
#include <KorvoSkin.h>
#include <KorvoTest.h>
#include <PictureFiles.h>
#include <gdiplus.h>
#include <stdio.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <vector>
#include <tlhelp32.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace
{
const int CONTROLS = 20;
const int CONTROL_CX = 160;
const int CONTROL_CY = 120;
const GUID FRAME_DIMENSION_TIME = { 0x6aedbd6d, 0x3fb5, 0x418a, { 0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72 } };

// The ids of the process's threads.
std::set<DWORD> ThreadIds()
{
    std::set<DWORD> ids;
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = { sizeof(entry) };
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            ids.insert(entry.th32ThreadID);
    ::CloseHandle(hSnapshot);
    return ids;
}

// Opens the threads that load() starts: the animation threads of the pictures it loads.
std::vector<HANDLE> ThreadsStartedBy(const std::function<void()>& load)
{
    std::set<DWORD> before = ThreadIds();
    load();
    std::vector<HANDLE> threads;
    for (DWORD id : ThreadIds())
        if (!before.count(id))
            if (HANDLE hThread = ::OpenThread(THREAD_QUERY_INFORMATION, FALSE, id))
                threads.push_back(hThread);
    return threads;
}

void CloseThreads(std::vector<HANDLE>& threads)
{
    for (HANDLE hThread : threads)
        ::CloseHandle(hThread);
    threads.clear();
}

double ThreadSeconds(HANDLE hThread)
{
    FILETIME ftCreate, ftExit, ftKernel, ftUser;
    if (!::GetThreadTimes(hThread, &ftCreate, &ftExit, &ftKernel, &ftUser))
        return 0;
    ULARGE_INTEGER kernel = { { ftKernel.dwLowDateTime, ftKernel.dwHighDateTime } };
    ULARGE_INTEGER user = { { ftUser.dwLowDateTime, ftUser.dwHighDateTime } };
    return (double)(kernel.QuadPart + user.QuadPart) / 1e7;
}

// Runs the message loop for a while; counts the frames the animation threads of the windows
// in frameWindows draw, by the wake-up message each thread posts its window after a frame.
long PumpFor(double dSeconds, const std::set<HWND>& frameWindows = {})
{
    long nFrames = 0;
    double dEnd = KorvoTest::Now() + dSeconds;
    for (double dNow = KorvoTest::Now(); dNow < dEnd; dNow = KorvoTest::Now())
    {
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, (DWORD)((dEnd - dNow) * 1000) + 1, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_NULL && frameWindows.count(msg.hwnd))
                nFrames++;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return nFrames;
}

// The GUI thread's CPU per call of fn, over enough calls to rise above the clock's ticks.
double CpuPerCall(const std::function<void()>& fn)
{
    double dBefore = ThreadSeconds(::GetCurrentThread());
    double dEnd = KorvoTest::Now() + 0.4;
    int nCalls = 0;
    do
    {
        for (int i = 0; i < 50; i++)
            fn();
        nCalls += 50;
    } while (KorvoTest::Now() < dEnd);
    return (ThreadSeconds(::GetCurrentThread()) - dBefore) / nCalls;
}

// What each step of composing a frame costs on its own, against a whole plain frame.
void ProfileFrameSteps(HWND hWnd, LPCWSTR pszGif, double dPlain)
{
    GpImage* pImage = NULL;
    GdipLoadImageFromFile(pszGif, &pImage);
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HDC hWindowDC = ::GetDC(hWnd);
    HDC hMemoryDC = ::CreateCompatibleDC(hWindowDC);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hWindowDC, rc.right, rc.bottom);
    HGDIOBJ hOld = ::SelectObject(hMemoryDC, hBitmap);
    GpGraphics* pGraphics = NULL;
    GdipCreateFromHDC(hMemoryDC, &pGraphics);
    UINT nFrame = 0;

    struct Step
    {
        const char* pszName;
        std::function<void()> fn;
    } steps[] = {
        { "frame step: window DC taken and released",
          [&] {
              RECT rcClient;
              HDC hDC = ::GetDC(hWnd);
              ::GetClientRect(hWnd, &rcClient);
              ::ReleaseDC(hWnd, hDC);
          } },
        { "frame step: surface made, filled and deleted",
          [&] {
              HDC hDC = ::CreateCompatibleDC(hWindowDC);
              HBITMAP hbm = ::CreateCompatibleBitmap(hWindowDC, rc.right, rc.bottom);
              HGDIOBJ hOldBitmap = ::SelectObject(hDC, hbm);
              ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNFACE));
              ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
              ::SelectObject(hDC, hOldBitmap);
              ::DeleteObject(hbm);
              ::DeleteDC(hDC);
          } },
        { "frame step: graphics made and deleted",
          [&] {
              GpGraphics* p = NULL;
              GdipCreateFromHDC(hMemoryDC, &p);
              GdipDeleteGraphics(p);
          } },
        { "frame step: surface cleared", [&] { GdipGraphicsClear(pGraphics, 0xFFFFFFFF); } },
        { "frame step: frame stretched onto the surface",
          [&] { GdipDrawImageRectI(pGraphics, pImage, 0, 0, rc.right, rc.bottom); } },
        { "frame step: frame stretched onto the window DC",
          [&] {
              GpGraphics* p = NULL;
              GdipCreateFromHDC(hWindowDC, &p);
              GdipDrawImageRectI(p, pImage, 0, 0, rc.right, rc.bottom);
              GdipDeleteGraphics(p);
          } },
        { "frame step: frame at its own size onto the surface",
          [&] {
              UINT cx = 0, cy = 0;
              GdipGetImageWidth(pImage, &cx);
              GdipGetImageHeight(pImage, &cy);
              GdipDrawImageRectI(pGraphics, pImage, 0, 0, cx, cy);
          } },
        { "frame step: surface copied to the window",
          [&] { ::BitBlt(hWindowDC, 0, 0, rc.right, rc.bottom, hMemoryDC, 0, 0, SRCCOPY); } },
        { "frame step: next frame selected",
          [&] { GdipImageSelectActiveFrame(pImage, &FRAME_DIMENSION_TIME, nFrame = (nFrame + 1) % 3); } },
    };
    for (const Step& step : steps)
        KorvoBench::Row(step.pszName, CpuPerCall(step.fn), dPlain, KorvoBench::NO_TARGET);

    GdipDeleteGraphics(pGraphics);
    ::SelectObject(hMemoryDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemoryDC);
    ::ReleaseDC(hWnd, hWindowDC);
    GdipDisposeImage(pImage);
}
}

int main()
{
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);
    // Starts GDI+ as a host's InitSkin does.
    InitSkin();
    KorvoTest::CTempFolder folder;
    // Three frames, 20 ms each: the fastest a frame delay plays.
    std::vector<BYTE> gif = PictureFiles::MakeGif(64, 48, { RGB(200, 30, 30), RGB(30, 200, 30), RGB(30, 30, 200) }, 2);
    CString strGif = folder.WriteFile(L"bench.gif", gif.data(), gif.size());

    CWnd host;
    host.CreateEx(0, L"Static", L"Animation bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 5 * CONTROL_CX, 4 * CONTROL_CY),
                  NULL, 0);
    std::vector<std::unique_ptr<CImageStatic>> images;
    std::set<HWND> windows;
    for (int i = 0; i < CONTROLS; i++)
    {
        images.push_back(std::make_unique<CImageStatic>());
        int x = (i % 5) * CONTROL_CX, y = (i / 5) * CONTROL_CY;
        images.back()->Create(L"", WS_CHILD | WS_VISIBLE, CRect(x, y, x + CONTROL_CX, y + CONTROL_CY), &host, 100 + i);
        windows.insert(images.back()->m_hWnd);
    }
    PumpFor(0.2);

    // 1. Twenty controls play for two seconds while the GUI thread runs its message loop.
    // The first picture brings in the decoders, and whatever threads they keep.
    images[0]->Load(strGif);
    images[0]->Destroy();
    std::vector<HANDLE> threads = ThreadsStartedBy([&] {
        for (auto& pImage : images)
            pImage->Load(strGif);
    });
    double dGuiBefore = ThreadSeconds(::GetCurrentThread());
    double dWallBefore = KorvoTest::Now();
    long nFrames = PumpFor(2.0, windows);
    double dGui = ThreadSeconds(::GetCurrentThread()) - dGuiBefore;
    double dWall = KorvoTest::Now() - dWallBefore;
    // Read while the threads run: some systems forget an ended thread's times.
    double dAnimation = 0;
    for (HANDLE hThread : threads)
        dAnimation += ThreadSeconds(hThread);
    CloseThreads(threads);
    for (auto& pImage : images)
        pImage->Destroy();
    printf("20 controls, %.2f s: %ld frames; GUI thread %.2f ms CPU in all, %.4f ms per frame; "
           "animation threads %.3f ms CPU per frame\n",
           dWall, nFrames, dGui * 1000, nFrames ? dGui * 1000 / nFrames : 0.0, nFrames ? dAnimation * 1000 / nFrames : 0.0);
    // The GUI thread's CPU per frame against the animation threads' own: near 0 is the aim.
    if (nFrames)
        KorvoBench::Row("animation: GUI-thread CPU per frame vs animation thread's (20 controls)", std::max(dGui, 1e-9) / nFrames,
                        std::max(dAnimation, 1e-9) / nFrames, KorvoBench::NO_TARGET);

    // 2. One control's frames against the same frames drawn with a plain DrawImage on this
    // thread, alternating runs, best of each.
    double dBestControl = 1e30, dBestPlain = 1e30;
    for (int nRun = 0; nRun < 3; nRun++)
    {
        std::vector<HANDLE> thread = ThreadsStartedBy([&] { images[0]->Load(strGif); });
        long nOne = PumpFor(3.0, { images[0]->m_hWnd });
        double dControl = 0;
        for (HANDLE hThread : thread)
            dControl += ThreadSeconds(hThread);
        CloseThreads(thread);
        images[0]->Destroy();
        if (nOne)
            dBestControl = std::min(dBestControl, dControl / nOne);

        GpImage* pImage = NULL;
        GdipLoadImageFromFile(strGif, &pImage);
        HWND hWnd = images[1]->m_hWnd;
        const int PLAIN_FRAMES = 500;
        double dBefore = ThreadSeconds(::GetCurrentThread());
        for (int i = 0; i < PLAIN_FRAMES; i++)
        {
            HDC hDC = ::GetDC(hWnd);
            RECT rc;
            ::GetClientRect(hWnd, &rc);
            GpGraphics* pGraphics = NULL;
            GdipCreateFromHDC(hDC, &pGraphics);
            GdipDrawImageRectI(pGraphics, pImage, 0, 0, rc.right, rc.bottom);
            GdipDeleteGraphics(pGraphics);
            GdipImageSelectActiveFrame(pImage, &FRAME_DIMENSION_TIME, (UINT)((i + 1) % 3));
            ::ReleaseDC(hWnd, hDC);
        }
        dBestPlain = std::min(dBestPlain, (ThreadSeconds(::GetCurrentThread()) - dBefore) / PLAIN_FRAMES);
        GdipDisposeImage(pImage);
    }
    ProfileFrameSteps(images[1]->m_hWnd, strGif, dBestPlain);
    printf("one frame, %dx%d: animation thread %.3f ms CPU, plain DrawImage to a window DC %.3f ms CPU, ratio %.2f "
           "(target <= 1.2)\n",
           CONTROL_CX, CONTROL_CY, dBestControl * 1000, dBestPlain * 1000, dBestControl / dBestPlain);
    KorvoBench::Row("animation frame: control's thread vs plain DrawImage", dBestControl, dBestPlain, KorvoBench::TIME_AT_MOST, 1.2);
    host.DestroyWindow();
    UnInitSkin();
    return 0;
}
