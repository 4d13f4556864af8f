// The library's entry point: an extension library of the framework.
#include <afxwin.h>
#include "RunApi.h"

static AFX_EXTENSION_MODULE g_extModule = { FALSE, NULL, NULL };

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        if (!AfxInitExtensionModule(g_extModule, hInstance))
            return 0;
        new CDynLinkLibrary(g_extModule);
    }
    else if (dwReason == DLL_PROCESS_DETACH)
        AfxTermExtensionModule(g_extModule, FALSE);
    else if (dwReason == DLL_THREAD_ATTACH)
        RunAgentThreadStarted();
    else if (dwReason == DLL_THREAD_DETACH)
        RunAgentThreadEnding();
    return 1;
}
