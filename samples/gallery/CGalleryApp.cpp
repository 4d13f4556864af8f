#include "CGalleryApp.h"
#include "CGalleryDlg.h"

CGalleryApp theApp;

CGalleryApp::CGalleryApp() : CWinApp(L"KorvoSkin Gallery")
{
}

namespace
{
// The gallery draws itself at each monitor's DPI: the system then tells its windows their DPI
// (WM_DPICHANGED) instead of stretching their pictures. Looked up by name, as systems before
// Windows 10 1703 lack the call; those take system-wide awareness where they have it.
void BecomeDpiAware()
{
    typedef BOOL(WINAPI * SET_CONTEXT)(HANDLE);
    typedef BOOL(WINAPI * SET_AWARE)();
    HMODULE hUser = ::GetModuleHandleW(L"user32.dll");
    if (!hUser)
        return;
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    const HANDLE hPerMonitorV2 = (HANDLE)(INT_PTR)-4;
    if (SET_CONTEXT pfnContext = (SET_CONTEXT)(void*)::GetProcAddress(hUser, "SetProcessDpiAwarenessContext"))
        if (pfnContext(hPerMonitorV2))
            return;
    if (SET_AWARE pfnAware = (SET_AWARE)(void*)::GetProcAddress(hUser, "SetProcessDPIAware"))
        pfnAware();
}
}

BOOL CGalleryApp::InitInstance()
{
    // Before the first window, which takes its awareness from the process.
    BecomeDpiAware();
    InitSkin();

    // "/skin Ember" starts with that skin, else the light or dark one follows the system's choice;
    // "/menu" opens the context menu once shown.
    CString strCommandLine(m_lpCmdLine);
    CGalleryDlg dlg;
    int nSkin = strCommandLine.Find(L"/skin ");
    if (nSkin >= 0)
    {
        CString strSkin = strCommandLine.Mid(nSkin + 6);
        int nEnd = strSkin.Find(L' ');
        dlg.m_strSkin = nEnd >= 0 ? strSkin.Left(nEnd) : strSkin;
    }
    else
        dlg.m_bFollowSystem = TRUE;
    dlg.m_bOpenMenu = strCommandLine.Find(L"/menu") >= 0;
    // "/controls" shows the controls page; "/hot" then puts the pointer on one of its controls.
    dlg.m_bControls = strCommandLine.Find(L"/controls") >= 0;
    dlg.m_bHot = strCommandLine.Find(L"/hot") >= 0;
    // "/bars" hovers a toolbar button and opens the menu bar's first popup once shown.
    dlg.m_bShowBars = strCommandLine.Find(L"/bars") >= 0;
    // "/at x,y" puts the window's top-left corner there (the shadow shots leave room around it).
    const int nAt = strCommandLine.Find(L"/at ");
    dlg.m_bPlaced = nAt >= 0 && swscanf((LPCWSTR)strCommandLine + nAt + 4, L"%d,%d", &dlg.m_ptPlace.x, &dlg.m_ptPlace.y) == 2;
    dlg.LoadGallerySkin();
    // "/watch" shows every save of the skin's files at once (a skin author's aid).
    if (strCommandLine.Find(L"/watch") >= 0)
        WatchSkin(true);

    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = NULL;
    return FALSE;
}

int CGalleryApp::ExitInstance()
{
    UnInitSkin();
    return CWinApp::ExitInstance();
}
