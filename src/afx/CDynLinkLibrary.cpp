#include "CDynLinkLibrary.h"
#include "AfxModuleState.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_pNextDLL(NULL)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    m_pNextDLL = pState->m_pDllList;
    pState->m_pDllList = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** ppLink = &AfxGetModuleState()->m_pDllList; *ppLink; ppLink = &(*ppLink)->m_pNextDLL)
    {
        if (*ppLink == this)
        {
            *ppLink = m_pNextDLL;
            break;
        }
    }
}
