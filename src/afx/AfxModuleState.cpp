#include "AfxModuleState.h"
#include "AfxResource.h"
#include "CDynLinkLibrary.h"
#include "CWinApp.h"

static AFX_MODULE_STATE g_moduleState;

AFX_MODULE_STATE* AfxGetModuleState()
{
    return &g_moduleState;
}

CWinApp* AfxGetApp()
{
    return g_moduleState.m_pCurrentWinApp;
}

CWnd* AfxGetMainWnd()
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->m_pMainWnd : NULL;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_moduleState.m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle()
{
    return g_moduleState.m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_moduleState.m_hCurrentResourceHandle = hInstResource;
}

LPCWSTR AfxGetAppName()
{
    return g_moduleState.m_lpszCurrentAppName;
}

HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (hInst && ::FindResourceW(hInst, lpszName, lpszType))
        return hInst;
    for (CDynLinkLibrary* pDLL = g_moduleState.m_pDllList; pDLL; pDLL = pDLL->m_pNextDLL)
        if (pDLL->m_hResource && ::FindResourceW(pDLL->m_hResource, lpszName, lpszType))
            return pDLL->m_hResource;
    return hInst;
}

HINSTANCE AfxFindStringResourceHandle(UINT nID)
{
    // Strings are stored in blocks of sixteen.
    return AfxFindResourceHandle(MAKEINTRESOURCEW((nID >> 4) + 1), (LPCWSTR)RT_STRING);
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (!hModule)
        return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    (void)bAll;
    if (!state.bInitialized)
        return;
    CDynLinkLibrary** ppLink = &g_moduleState.m_pDllList;
    while (*ppLink)
    {
        CDynLinkLibrary* pDLL = *ppLink;
        if (pDLL->m_hModule == state.hModule)
            delete pDLL; // unlinks itself
        else
            ppLink = &pDLL->m_pNextDLL;
    }
    state.bInitialized = FALSE;
}
