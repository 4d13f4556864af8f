// The frame shadow's cost. Two CSkinDialogs of one size framed by the same window skin, the
// gallery's Aurora, one of them with the skin's <shadow> (drawn by its layered popup, the skin
// being shaped) and one without: moving each window (the shadowed one's popup follows it), and
// painting each one's non-client area, which the shadow must leave as it was.
//
// The skin is the gallery's, copied beside the program at build time; the two window skins are
// written from its Aurora.xml into a definition of their own there. Optional argument: the number
// of runs (a quick check of the program with 1).
#include "../BenchSupport.h"
#include "KorvoTest.h"
#include "DialogTemplate.h"
#include <korvoskin.h>
#include <KorvoSkin/CSkinDialog.h>
#include <api/Globals.h>
#include <windowskin/CFrameShadow.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <string>

using namespace KorvoBench;

namespace
{
int g_nRuns = 15;
const int MOVES_PER_RUN = 100;
const int PAINTS_PER_RUN = 100;
const int WINDOW_X = 100, WINDOW_Y = 80, WINDOW_WIDTH = 640, WINDOW_HEIGHT = 480;
const DWORD FRAME_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

std::string ReadText(const CString& strPath)
{
    std::string strText;
    if (FILE* pFile = _wfopen(strPath, L"rb"))
    {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof(buffer), pFile)) > 0;)
            strText.append(buffer, n);
        fclose(pFile);
    }
    return strText;
}

// Definitions\ShadowBench.xml: Aurora's window skin for "Shadowed", and the same without its
// shadow for "Plain"; FALSE when Aurora's has no shadow to take away.
bool WriteDefinition(const CString& strFolder)
{
    const std::string strAurora = ReadText(strFolder + L"Definitions\\Aurora.xml");
    const size_t nStart = strAurora.find("<windowSkin>"), nEnd = strAurora.find("</windowSkin>");
    if (nStart == std::string::npos || nEnd == std::string::npos)
        return false;
    const std::string strSkin = strAurora.substr(nStart + 12, nEnd - nStart - 12);
    const size_t nShadow = strSkin.find("<shadow "), nShadowEnd = strSkin.find("/>", nShadow);
    if (nShadow == std::string::npos || nShadowEnd == std::string::npos)
        return false;
    const std::string strPlain = strSkin.substr(0, nShadow) + strSkin.substr(nShadowEnd + 2);
    const std::string strOut = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<skin><windowSkins>"
                               "<windowSkin><target window=\"Shadowed\"/>" + strSkin + "</windowSkin>"
                               "<windowSkin><target window=\"Plain\"/>" + strPlain + "</windowSkin>"
                               "</windowSkins></skin>\n";
    FILE* pFile = _wfopen(strFolder + L"Definitions\\ShadowBench.xml", L"wb");
    const bool bWritten = pFile && fwrite(strOut.data(), 1, strOut.size(), pFile) == strOut.size();
    return pFile && fclose(pFile) == 0 && bWritten;
}

// The floor of any window that follows another: a layered, click-through popup as large as a
// shadow, moved by the program itself each time the frame moves.
HWND g_hCompanion = NULL;

// Seconds per move of the window back and forth by a pixel (with the companion, when there is one).
double MoveSeconds(HWND hWnd, HWND hCompanion)
{
    const double dStart = Now();
    for (int n = 0; n < MOVES_PER_RUN; n++)
    {
        ::SetWindowPos(hWnd, NULL, WINDOW_X + (n & 1), WINDOW_Y + (n & 1), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (hCompanion)
            ::SetWindowPos(hCompanion, hWnd, WINDOW_X - 20 + (n & 1), WINDOW_Y - 20 + (n & 1), 0, 0,
                           SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ::GdiFlush();
    return (Now() - dStart) / MOVES_PER_RUN;
}
double MoveSeconds(HWND hWnd)
{
    return MoveSeconds(hWnd, NULL);
}

double PaintSeconds(HWND hWnd)
{
    ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KorvoTest::PumpMessages(0);
    const double dStart = Now();
    for (int n = 0; n < PAINTS_PER_RUN; n++)
        ::SendMessageW(hWnd, WM_NCPAINT, 1, 0);
    ::GdiFlush();
    return (Now() - dStart) / PAINTS_PER_RUN;
}

// The best time of each window, the runs taking them in turn, each run starting with the other.
void Best(double (*pfnTime)(HWND), HWND hOurs, HWND hBaseline, double& dOurs, double& dBaseline)
{
    pfnTime(hOurs);
    pfnTime(hBaseline);
    dOurs = dBaseline = 1e30;
    for (int nRun = 0; nRun < g_nRuns; nRun++)
        for (int n = 0; n < 2; n++)
        {
            const bool bOurs = (n + nRun) % 2 == 0;
            double& dBest = bOurs ? dOurs : dBaseline;
            dBest = std::min(dBest, pfnTime(bOurs ? hOurs : hBaseline));
        }
}

bool CreateFramed(CSkinDialog& dialog, KorvoTest::CDialogTemplate& dialogTemplate, LPCWSTR pszTarget)
{
    if (!dialog.CreateIndirect(dialogTemplate.Get()) || !dialog.SkinMe(pszTarget))
        return false;
    dialog.SetWindowPos(NULL, WINDOW_X, WINDOW_Y, WINDOW_WIDTH, WINDOW_HEIGHT, SWP_NOZORDER | SWP_NOACTIVATE);
    dialog.ShowWindow(SW_SHOWNA);
    return true;
}

// Whether the thread has a shadow popup on screen.
bool ShadowShown()
{
    struct CFind
    {
        static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
        {
            wchar_t szClass[64] = L"";
            if (::IsWindowVisible(hWnd) && ::GetClassNameW(hWnd, szClass, 64) && wcscmp(szClass, CFrameShadow::WINDOW_CLASS) == 0)
                *(bool*)lParam = true;
            return TRUE;
        }
    };
    bool bShown = false;
    ::EnumThreadWindows(::GetCurrentThreadId(), CFind::Visit, (LPARAM)&bShown);
    return bShown;
}
} // namespace

int main(int argc, char** argv)
{
    StartHostApplication(L"KorvoShadowBench");
    if (argc > 1)
        g_nRuns = std::max(1, atoi(argv[1]));
    CString strProgram;
    ::GetModuleFileNameW(NULL, strProgram.GetBuffer(MAX_PATH), MAX_PATH);
    strProgram.ReleaseBuffer();
    g_strAppFolder = strProgram.Left(strProgram.ReverseFind(L'\\') + 1) + L"loadskin-skins\\";
    const bool bWritten = WriteDefinition(g_strAppFolder);
    const int nInit = KorvoSkin_Init();
    const int nLoad = nInit == KORVOSKIN_OK ? KorvoSkin_LoadSkin(L"Definitions\\ShadowBench.xml", L"") : nInit;
    if (!bWritten || nLoad != KORVOSKIN_OK)
        printf("shadow: the skin was not written or not loaded: %ls\n", KorvoSkin_ErrorText(nLoad));

    KorvoTest::CDialogTemplate dialogTemplate(FRAME_STYLE | DS_SETFONT, 200, 120, L"Skinned window title");
    CSkinDialog plain, shadowed;
    const bool bPlain = CreateFramed(plain, dialogTemplate, L"Plain");
    const bool bPlainAlone = bPlain && !ShadowShown();
    const bool bShadowed = CreateFramed(shadowed, dialogTemplate, L"Shadowed") && ShadowShown();
    KorvoTest::PumpMessages(50);
    if (!bPlainAlone || !bShadowed)
        printf("shadow: the windows are not framed as meant (plain %d, shadowed %d)\n", (int)bPlainAlone, (int)bShadowed);

    g_hCompanion = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, L"STATIC", L"",
                                     WS_POPUP, WINDOW_X - 20, WINDOW_Y - 20, WINDOW_WIDTH + 40, WINDOW_HEIGHT + 40, NULL,
                                     NULL, NULL, NULL);
    ::SetLayeredWindowAttributes(g_hCompanion, 0, 1, LWA_ALPHA);
    ::ShowWindow(g_hCompanion, SW_SHOWNA);
    double dMoveShadowed = -1, dMovePlain = -1, dPaintShadowed = -1, dPaintPlain = -1, dMoveFloor = 1e30;
    if (bPlainAlone && bShadowed)
    {
        Best(MoveSeconds, shadowed.m_hWnd, plain.m_hWnd, dMoveShadowed, dMovePlain);
        for (int nRun = 0; nRun < g_nRuns; nRun++)
            dMoveFloor = std::min(dMoveFloor, MoveSeconds(plain.m_hWnd, g_hCompanion));
        Best(PaintSeconds, shadowed.m_hWnd, plain.m_hWnd, dPaintShadowed, dPaintPlain);
    }
    printf("shadow: %dx%d windows, best of %d runs of %d moves and %d non-client paints\n", WINDOW_WIDTH, WINDOW_HEIGHT,
           g_nRuns, MOVES_PER_RUN, PAINTS_PER_RUN);
    Row("shadow: move a shadowed frame vs the same unshadowed", dMoveShadowed, dMovePlain, TIME_AT_MOST, 1.5);
    if (!(bPlainAlone && bShadowed))
        dMoveFloor = -1;
    Row("shadow floor: the unshadowed frame and a layered popup moved with it vs the frame alone", dMoveFloor, dMovePlain,
        NO_TARGET);
    Row("shadow: move a shadowed frame vs the floor above", dMoveShadowed, dMoveFloor, TIME_AT_MOST, 1.10);
    Row("shadow: frame non-client paint with shadow vs without", dPaintShadowed, dPaintPlain, TIME_AT_MOST, 1.05);
    ::DestroyWindow(g_hCompanion);
    plain.DestroyWindow();
    shadowed.DestroyWindow();
    KorvoSkin_Uninit();
    return 0;
}
