#include "AfxThreadState.h"
#include "CHandleMap.h"

static DWORD g_dwThreadStateSlot = TLS_OUT_OF_INDEXES;

AFX_THREAD_STATE* AfxGetThreadState()
{
    if (g_dwThreadStateSlot == TLS_OUT_OF_INDEXES)
        g_dwThreadStateSlot = ::TlsAlloc();
    AFX_THREAD_STATE* pState = (AFX_THREAD_STATE*)::TlsGetValue(g_dwThreadStateSlot);
    if (!pState)
    {
        pState = new AFX_THREAD_STATE();
        ::TlsSetValue(g_dwThreadStateSlot, pState);
    }
    return pState;
}

void AfxDeleteTempMaps()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    for (CHandleMapBase* pMap : pState->m_pHandleMaps)
        if (pMap)
            pMap->DeleteTemp();
}

void AfxTermThreadState()
{
    if (g_dwThreadStateSlot == TLS_OUT_OF_INDEXES)
        return;
    AFX_THREAD_STATE* pState = (AFX_THREAD_STATE*)::TlsGetValue(g_dwThreadStateSlot);
    if (!pState)
        return;
    for (CHandleMapBase* pMap : pState->m_pHandleMaps)
        delete pMap;
    delete pState;
    ::TlsSetValue(g_dwThreadStateSlot, NULL);
}
