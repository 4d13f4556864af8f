// Frames skinned by window handle. A plain CreateWindowEx frame skinned with KorvoSkin_SkinWindow
// against a CSkinDialog of the same window size skinned with the same window skin, both painting
// their non-client area: the two share one frame, so the C interface's subclass should cost next
// to nothing. Then the same plain frame with a menu bar, skinned by handle against one left to
// the system (its frame and its menu bar): the non-client paint with the bar, and the bar's first
// popup opened and closed again, timed from WM_NCLBUTTONDOWN on the item until the menu loop,
// ended from inside once it goes idle with the popup painted, returns: the skinned window with
// the library's popup menus, the system's with the system's own.
//
// Rows for information: a message sent to each of the first two windows (a paint sends itself
// some, for the title and the icon, so what the subclass adds to every message shows in the
// paint), and the frame with a bar against the same frame without one.
//
// The skin is the gallery's Aurora, copied beside the program at build time. Every window is
// checked to be framed as meant before anything is timed; one that is not gets a failed row.
#include "../BenchSupport.h"
#include "MenuTracking.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <korvoskin.h>
#include <KorvoSkin/CSkinDialog.h>
#include <api/Globals.h>
#include <theme/CMenuSkinner.h>
#include <stdio.h>
#include <algorithm>
#include <string>
#include <vector>

using namespace KorvoBench;

namespace
{

const int RUNS = 15;
const int PAINTS_PER_RUN = 100;
// All windows lie at one place, fully on the 1024 x 768 screen; the one measured is raised first.
const int WINDOW_X = 20, WINDOW_Y = 20, WINDOW_WIDTH = 800, WINDOW_HEIGHT = 600;
const DWORD FRAME_STYLE = WS_OVERLAPPEDWINDOW;
const wchar_t TARGET[] = L"Main";
const wchar_t TITLE[] = L"Skinned window title";
const wchar_t FRAME_CLASS[] = L"KorvoBenchHandleFrame";

LRESULT CALLBACK FrameProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

// A host's top-level frame of its own class, created hidden.
HWND CreateFrame()
{
    static ATOM s_atom = 0;
    if (!s_atom)
    {
        WNDCLASSW wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = ::GetModuleHandleW(NULL);
        wc.hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = FRAME_CLASS;
        s_atom = ::RegisterClassW(&wc);
    }
    return ::CreateWindowExW(0, FRAME_CLASS, TITLE, FRAME_STYLE, WINDOW_X, WINDOW_Y, WINDOW_WIDTH, WINDOW_HEIGHT, NULL,
                             NULL, ::GetModuleHandleW(NULL), NULL);
}

// A bar of seven items, each dropping a popup of ten (one a separator).
HMENU MakeMenuBar()
{
    static const wchar_t* const pszItems[] = { L"&File", L"&Edit", L"&View", L"&Insert", L"F&ormat", L"&Tools", L"&Help" };
    HMENU hBar = ::CreateMenu();
    UINT nID = 100;
    for (const wchar_t* pszItem : pszItems)
    {
        HMENU hPopup = ::CreatePopupMenu();
        for (int n = 0; n < 10; n++, nID++)
        {
            wchar_t szText[64];
            swprintf(szText, 64, L"%ls command &%d\tCtrl+%d", pszItem[0] == L'&' ? pszItem + 1 : pszItem, n + 1, n);
            if (n == 6)
                ::AppendMenuW(hPopup, MF_SEPARATOR, 0, NULL);
            else
                ::AppendMenuW(hPopup, MF_STRING | (n == 2 ? MF_CHECKED : 0) | (n == 8 ? MF_GRAYED : 0), nID, szText);
        }
        ::AppendMenuW(hBar, MF_POPUP | MF_STRING, (UINT_PTR)hPopup, pszItem);
    }
    return hBar;
}

// The window at its measuring place and size, with the same small icon as the others, shown
// without being activated.
void Place(HWND hWnd, HICON hIcon)
{
    ::SendMessageW(hWnd, WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    ::SetWindowPos(hWnd, NULL, WINDOW_X, WINDOW_Y, WINDOW_WIDTH, WINDOW_HEIGHT, SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
}

// How far the client area lies inside the window on each side.
CRect Margins(HWND hWnd)
{
    CRect rcWindow, rcClient;
    ::GetWindowRect(hWnd, &rcWindow);
    ::GetClientRect(hWnd, &rcClient);
    ::MapWindowPoints(hWnd, NULL, (POINT*)&rcClient, 2);
    return CRect(rcClient.left - rcWindow.left, rcClient.top - rcWindow.top, rcWindow.right - rcClient.right,
                 rcWindow.bottom - rcClient.bottom);
}

// The same for the system's frame of FRAME_STYLE.
CRect SystemMargins(BOOL bMenu)
{
    CRect rc(0, 0, 0, 0);
    ::AdjustWindowRectEx(&rc, FRAME_STYLE, bMenu, 0);
    return CRect(-rc.left, -rc.top, rc.right, rc.bottom);
}

// Whether hWnd was skinned (bSkinned: the library said so) and is framed by the skin at the
// measuring size; prints what is wrong when not.
bool CheckSkinned(const char* pszWhat, HWND hWnd, bool bSkinned, BOOL bMenu)
{
    if (!hWnd || !bSkinned)
    {
        printf("handleframe: %s was not skinned\n", pszWhat);
        return false;
    }
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    if (rcWindow.Width() != WINDOW_WIDTH || rcWindow.Height() != WINDOW_HEIGHT)
    {
        printf("handleframe: %s is %dx%d, not %dx%d\n", pszWhat, rcWindow.Width(), rcWindow.Height(), WINDOW_WIDTH,
               WINDOW_HEIGHT);
        return false;
    }
    const CRect rcMargins = Margins(hWnd);
    if (rcMargins == SystemMargins(bMenu))
    {
        printf("handleframe: %s keeps the system frame's client area\n", pszWhat);
        return false;
    }
    const CRect rcSystem = SystemMargins(bMenu);
    printf("handleframe: %s: client area inside the window by %d, %d, %d, %d (system frame: %d, %d, %d, %d)\n", pszWhat,
           (int)rcMargins.left, (int)rcMargins.top, (int)rcMargins.right, (int)rcMargins.bottom, (int)rcSystem.left,
           (int)rcSystem.top, (int)rcSystem.right, (int)rcSystem.bottom);
    return true;
}

// Seconds per non-client paint for one run of PAINTS_PER_RUN, painted as ncpaint paints.
double PaintSeconds(HWND hWnd)
{
    Raise(hWnd);
    const double dStart = Now();
    for (int n = 0; n < PAINTS_PER_RUN; n++)
        ::SendMessageW(hWnd, WM_NCPAINT, 1, 0);
    ::GdiFlush();
    return (Now() - dStart) / PAINTS_PER_RUN;
}

// The best paint time of each window, after a warm-up paint of each; the runs interleave the
// windows, each run starting with the next one, so that drift and order hit them alike.
std::vector<double> BestPaints(const std::vector<HWND>& windows)
{
    std::vector<double> best(windows.size(), 1e30);
    for (HWND hWnd : windows)
        PaintSeconds(hWnd);
    for (int nRun = 0; nRun < RUNS; nRun++)
        for (size_t n = 0; n < windows.size(); n++)
        {
            const size_t nWindow = (n + nRun) % windows.size();
            best[nWindow] = std::min(best[nWindow], PaintSeconds(windows[nWindow]));
        }
    return best;
}

// Seconds per message sent to the window (one that does nothing), best of RUNS runs taken in
// turn with the other window's: what each message a paint sends itself (the title, the icon)
// costs on its way through the window's subclasses and the thread's hooks.
void BestMessages(HWND hOurs, HWND hBaseline, double& dOurs, double& dBaseline)
{
    const int MESSAGES = 200;
    dOurs = dBaseline = 1e30;
    for (int nRun = 0; nRun < RUNS; nRun++)
        for (int n = 0; n < 2; n++)
        {
            const bool bOurs = (n + nRun) % 2 == 0;
            const HWND hWnd = bOurs ? hOurs : hBaseline;
            const double dStart = Now();
            for (int nMessage = 0; nMessage < MESSAGES; nMessage++)
                ::SendMessageW(hWnd, WM_NULL, 0, 0);
            double& dBest = bOurs ? dOurs : dBaseline;
            dBest = std::min(dBest, (Now() - dStart) / MESSAGES);
        }
}

} // namespace

// The window on top of the others, with whatever that exposed painted.
void Raise(HWND hWnd)
{
    ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KorvoTest::PumpMessages(0);
}

int main()
{
    StartHostApplication(L"KorvoHandleFrameBench");
    CString strProgram;
    ::GetModuleFileNameW(NULL, strProgram.GetBuffer(MAX_PATH), MAX_PATH);
    strProgram.ReleaseBuffer();
    // The gallery's definitions, copied beside the program at build time.
    g_strAppFolder = strProgram.Left(strProgram.ReverseFind(L'\\') + 1) + L"loadskin-skins\\";
    const int nInit = KorvoSkin_Init();
    const int nLoad = nInit == KORVOSKIN_OK ? KorvoSkin_LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml") : nInit;
    if (nLoad != KORVOSKIN_OK)
        printf("handleframe: the library did not start or load the skin: %ls\n", KorvoSkin_ErrorText(nLoad));
    // The cursor away from every window and popup, so the menu loops see no movement of it.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    HICON hIcon = (HICON)::LoadImageW(NULL, (LPCWSTR)IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED);

    // The frame by handle and the dialog: one window skin, one window size, one title and icon.
    HWND hByHandle = CreateFrame();
    const int nByHandle = KorvoSkin_SkinWindow(hByHandle, TARGET);
    if (nByHandle != KORVOSKIN_OK)
        printf("handleframe: KorvoSkin_SkinWindow: %ls\n", KorvoSkin_ErrorText(nByHandle));
    KorvoTest::CDialogTemplate dialogTemplate(FRAME_STYLE | DS_SETFONT, 200, 120, TITLE);
    CSkinDialog dialog;
    const bool bDialog = dialog.CreateIndirect(dialogTemplate.Get()) && dialog.SkinMe(TARGET);
    if (hByHandle)
        Place(hByHandle, hIcon);
    if (dialog.m_hWnd)
        Place(dialog.m_hWnd, hIcon);
    KorvoTest::PumpMessages(50);
    const bool bFramesSkinned = CheckSkinned("frame skinned by handle", hByHandle, nByHandle == KORVOSKIN_OK, FALSE) &&
                                CheckSkinned("CSkinDialog", dialog.m_hWnd, bDialog, FALSE);

    double dByHandle = -1, dDialog = -1, dMessageByHandle = -1, dMessageDialog = -1;
    if (bFramesSkinned)
    {
        const std::vector<double> paints = BestPaints({ hByHandle, dialog.m_hWnd });
        dByHandle = paints[0];
        dDialog = paints[1];
        BestMessages(hByHandle, dialog.m_hWnd, dMessageByHandle, dMessageDialog);
    }
    printf("handleframe: %dx%d windows, best of %d runs of %d non-client paints\n", WINDOW_WIDTH, WINDOW_HEIGHT, RUNS,
           PAINTS_PER_RUN);
    PrintTime("frame skinned by handle, non-client paint", dByHandle);
    PrintTime("CSkinDialog, non-client paint", dDialog);
    PrintTime("a message sent to the frame skinned by handle", dMessageByHandle);
    PrintTime("a message sent to the CSkinDialog", dMessageDialog);
    Row("handle frame: KorvoSkin_SkinWindow frame vs CSkinDialog, non-client paint", dByHandle, dDialog, TIME_AT_MOST, 1.05);
    Row("handle frame: a message sent to the frame skinned by handle vs to CSkinDialog", dMessageByHandle, dMessageDialog,
        NO_TARGET);
    Row("handle frame: its paint less what the subclass adds to one message (row above) vs CSkinDialog",
        dByHandle - (dMessageByHandle - dMessageDialog), dDialog, TIME_AT_MOST, 1.05);

    // The frame with a bar, skinned by handle and left to the system.
    HWND hBarSkinned = CreateFrame(), hBarSystem = CreateFrame();
    if (hBarSkinned)
        ::SetMenu(hBarSkinned, MakeMenuBar());
    if (hBarSystem)
        ::SetMenu(hBarSystem, MakeMenuBar());
    const int nBarSkinned = KorvoSkin_SkinWindow(hBarSkinned, TARGET);
    if (nBarSkinned != KORVOSKIN_OK)
        printf("handleframe: KorvoSkin_SkinWindow with a bar: %ls\n", KorvoSkin_ErrorText(nBarSkinned));
    for (HWND hWnd : { hBarSkinned, hBarSystem })
        if (hWnd)
            Place(hWnd, hIcon);
    KorvoTest::PumpMessages(50);
    bool bBarsReady = CheckSkinned("frame with a bar skinned by handle", hBarSkinned, nBarSkinned == KORVOSKIN_OK, TRUE);
    if (!hBarSystem || Margins(hBarSystem).top <= SystemMargins(FALSE).top)
    {
        printf("handleframe: the system frame shows no menu bar\n");
        bBarsReady = false;
    }

    double dBarSkinned = -1, dBarSystem = -1, dNoBar = -1;
    if (bBarsReady)
    {
        // With the frame skinned by handle without a bar, to show what the bar adds.
        const std::vector<double> paints = BestPaints({ hBarSkinned, hBarSystem, bFramesSkinned ? hByHandle : hBarSkinned });
        dBarSkinned = paints[0];
        dBarSystem = paints[1];
        dNoBar = bFramesSkinned ? paints[2] : -1;
    }
    PrintTime("frame with a bar skinned by handle, non-client paint", dBarSkinned);
    PrintTime("system frame with its bar, non-client paint", dBarSystem);
    Row("menu bar frame: skinned by handle vs system frame and bar, non-client paint", dBarSkinned, dBarSystem,
        TIME_AT_MOST, 1.00);
    Row("menu bar frame: skinned by handle with a bar vs without, non-client paint", dBarSkinned, dNoBar, NO_TARGET);

    // The bar's first popup opened and closed: the skinned window with the library's popups,
    // the system's with the system's own.
    MeasureMenuTracking(hBarSkinned, hBarSystem, bBarsReady);

    for (HWND hWnd : { hByHandle, hBarSkinned, hBarSystem })
        if (hWnd)
            ::DestroyWindow(hWnd);
    if (dialog.m_hWnd)
        dialog.DestroyWindow();
    KorvoSkin_Uninit();
    return 0;
}
