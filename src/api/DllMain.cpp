// The library's entry point: an extension library of the framework.
#include "AppFolder.h"
#include "../xml/KorvoDefs.h"

static AFX_EXTENSION_MODULE g_extModule = { FALSE, NULL, NULL };

static CString GetAppFolder()
{
    wchar_t szPath[MAX_PATH + 1];
    DWORD nLength = ::GetModuleFileNameW(NULL, szPath, MAX_PATH);
    // A path cut short by the buffer would name the wrong folder: use none.
    if (nLength == 0 || nLength >= MAX_PATH)
        return CString();
    szPath[nLength] = 0;
    return AppFolderFromPath(szPath);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    g_hSkinInstance = hInstance;
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        g_strAppFolder = GetAppFolder();
        if (!AfxInitExtensionModule(g_extModule, hInstance))
            return 0;
        new CDynLinkLibrary(g_extModule);
    }
    else if (dwReason == DLL_PROCESS_DETACH)
        AfxTermExtensionModule(g_extModule, FALSE);
    return 1;
}
