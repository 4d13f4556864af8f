// The library's entry point: an extension library of the framework.
#include "AppFolder.h"
#include "Globals.h"
#include "../skin/CSkinRegistry.h"
#include "../windowskin/CSkinDialog.h"
#include "../windowskin/CWindowSkin.h"


static AFX_EXTENSION_MODULE g_extModule = { FALSE, NULL, NULL };

// The registry reaches window skins through these; before it deletes them, the skinned dialogs
// that borrow them let go.
static WINDOWSKIN_OPERATIONS g_windowSkinOperations;

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
        g_Registry.SetModule(hInstance);
        g_windowSkinOperations = *CWindowSkin::GetOperations();
        g_windowSkinOperations.pfnBeforeDelete = CSkinDialog::DropAllSkins;
        g_Registry.SetWindowSkinOperations(&g_windowSkinOperations);
    }
    else if (dwReason == DLL_PROCESS_DETACH)
        AfxTermExtensionModule(g_extModule, FALSE);
    return 1;
}
