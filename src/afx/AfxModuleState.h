// Process-wide framework state; lives in the framework DLL so the host and every extension
// library see the same application object and resource chain.
#pragma once
#include "AfxDefs.h"

class CWinApp;
class CDynLinkLibrary;

struct AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCWSTR m_lpszCurrentAppName;
    CDynLinkLibrary* m_pDllList;
};

AFX_API AFX_MODULE_STATE* AfxGetModuleState();
