#include "CCmdTarget.h"
#include "CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = { { 0, 0, 0, 0, NULL, NULL } };
    static const AFX_MSGMAP messageMap = { NULL, &_messageEntries[0] };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->pfnDispatch; lpEntry++)
    {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = FindMessageEntry(pMap->lpEntries, WM_COMMAND, (UINT)nCode, nID);
        if (!lpEntry)
            continue;
        if (pHandlerInfo)
        {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = lpEntry->pfn;
            return TRUE;
        }
        if ((UINT)nCode == CN_UPDATE_COMMAND_UI)
        {
            CCmdUI* pCmdUI = (CCmdUI*)pExtra;
            pCmdUI->m_bContinueRouting = FALSE;
            lpEntry->pfnDispatch(this, lpEntry->pfn, WM_COMMAND, (WPARAM)pCmdUI, 0, NULL);
            return !pCmdUI->m_bContinueRouting;
        }
        lpEntry->pfnDispatch(this, lpEntry->pfn, WM_COMMAND, nID, 0, NULL);
        return TRUE;
    }
    return FALSE;
}

BOOL AfxDispatchCommand(CCmdTarget* pTarget, AFX_PMSG pfn, UINT, WPARAM, LPARAM, LRESULT*)
{
    (pTarget->*pfn)();
    return TRUE;
}

BOOL AfxDispatchCommandRange(CCmdTarget* pTarget, AFX_PMSG pfn, UINT, WPARAM wParam, LPARAM, LRESULT*)
{
    (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pfn))((UINT)wParam);
    return TRUE;
}

BOOL AfxDispatchUpdateCommandUI(CCmdTarget* pTarget, AFX_PMSG pfn, UINT, WPARAM wParam, LPARAM, LRESULT*)
{
    (pTarget->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(pfn))((CCmdUI*)wParam);
    return TRUE;
}
