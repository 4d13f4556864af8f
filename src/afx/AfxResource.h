// The framework's module state: the application's instance and resource handles and the
// chain of extension libraries whose resources are searched after the application's.
#pragma once
#include "AfxDefs.h"

class CWinApp;
class CWnd;
class CDynLinkLibrary;

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};

AFX_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
AFX_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

AFX_API CWinApp* AfxGetApp();
AFX_API CWnd* AfxGetMainWnd();
AFX_API HINSTANCE AfxGetInstanceHandle();
AFX_API HINSTANCE AfxGetResourceHandle();
AFX_API void AfxSetResourceHandle(HINSTANCE hInstResource);
AFX_API LPCWSTR AfxGetAppName();

// Searches the application's resources, then every extension library's, for the resource.
AFX_API HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);
AFX_API HINSTANCE AfxFindStringResourceHandle(UINT nID);
