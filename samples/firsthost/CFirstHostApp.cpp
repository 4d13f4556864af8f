#include "CFirstHostApp.h"
#include "CMainDlg.h"
#include <shellapi.h>

CFirstHostApp theApp;

CFirstHostApp::CFirstHostApp() : CWinApp(L"KorvoSkin First Host")
{
}

BOOL CFirstHostApp::InitInstance()
{
    // The library belongs to the thread that calls InitSkin: the GUI thread, before any window.
    InitSkin();

    // "firsthost Ember" starts in that bundled skin, without a name the skin follows the
    // system's light or dark choice; "/popup" opens the Skin menu once shown, for screenshots;
    // "/watch" reloads the skin whenever its files are saved.
    CMainDlg dlg;
    bool bWatch = false;
    int nArgs = 0;
    LPWSTR* ppszArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    for (int n = 1; ppszArgs && n < nArgs; n++)
    {
        if (CString(ppszArgs[n]) == L"/popup")
            dlg.m_bOpenMenu = TRUE;
        else if (CString(ppszArgs[n]) == L"/watch")
            bWatch = true;
        else
            dlg.m_strSkin = ppszArgs[n];
    }
    ::LocalFree(ppszArgs);
    dlg.LoadChosenSkin();
    // "/watch" reloads the skin whenever its files are saved (see "Seeing a skin's edits at once").
    if (bWatch)
        WatchSkin(true);

    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = NULL;
    return FALSE;
}

int CFirstHostApp::ExitInstance()
{
    UnInitSkin();
    return CWinApp::ExitInstance();
}
