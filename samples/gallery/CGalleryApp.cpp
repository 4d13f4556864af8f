#include "CGalleryApp.h"
#include "CGalleryDlg.h"

CGalleryApp theApp;

CGalleryApp::CGalleryApp() : CWinApp(L"KorvoSkin Gallery")
{
}

BOOL CGalleryApp::InitInstance()
{
    InitSkin();
    // The base definition comes from Definitions\Definitions.xml; the language file overrides
    // some of its strings.
    LoadSkin(L"", L"Definitions\\English.xml");

    CGalleryDlg dlg;
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
